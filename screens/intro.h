// The intro logo movie shown once at start-up, or the reason it cannot play.
#pragma once
#include <allegro.h>

class CAviPlayer;


struct IntroState {
    CAviPlayer* player = nullptr;
    int openResult = 0;       // CAviPlayer::Open's code, kept for the whole screen
    bool running = true;      // false once the movie has ended
    bool done = false;        // the movie has ended or a key was pressed
    BITMAP* picture = nullptr;  // the movie's current frame, as big as the movie
};

// Resets the state; a movie that opened gets a picture of its size.
void IntroReset(IntroState& intro, CAviPlayer* player, int openResult);
// Brings the picture up to the movie's clock (the movie keeps its own time).
void IntroStep(IntroState& intro);
// Draws the movie's current frame at the top left, or the error texts.
void IntroDraw(const IntroState& intro, BITMAP* dest);
// Lets go of the picture.
void IntroRelease(IntroState& intro);
