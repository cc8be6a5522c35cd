// The intro logo movie shown once at start-up, or the reason it cannot play.
#pragma once
#include <allegro.h>

class CAviPlayer;

constexpr const char* INTRO_MOVIE_FILE = "gamelogo.avi";

struct IntroState {
    CAviPlayer* player = nullptr;
    int openResult = 0;  // CAviPlayer::Open's code, kept for the whole screen
    bool running = true; // false once the movie has ended
};

void IntroReset(IntroState& intro, CAviPlayer* player, int openResult);
void IntroStep(IntroState& intro);
// Draws the movie's current frame, or the error texts; true once the movie has ended.
bool IntroDraw(IntroState& intro, BITMAP* dest);
