#include "screens/intro.h"
#include "input/input.h"
#include "app/globals.h"
#include "app/loop.h"
#include "data/data_files.h"
#include "files/paths.h"
#include "movie/avi_player.h"
#include <malloc.h>
#include "screens/screens.h"
#include <cstdlib>

void IntroReset(IntroState& intro, CAviPlayer* player, int openResult)
{
    intro = IntroState{};
    intro.player = player;
    intro.openResult = openResult;
    if (openResult == 0) {
        intro.picture = create_bitmap(player->GetWidth(), std::abs(player->GetHeight()));
        clear_to_color(intro.picture, makecol(0, 0, 0));
    }
}

void IntroStep(IntroState& intro)
{
    if (intro.openResult == 0 && intro.running)
        intro.running = intro.player->Update(intro.picture, 0, 0, false, false);
    intro.done = AnyKeyTyped() || !intro.running;
}

static void DrawErrorTexts(BITMAP* dest, int openResult)
{
    const int x = dest->w / 2;
    const int y = dest->h / 2;
    const int th = text_height(font);
    const int white = makecol(255, 255, 255);
    const int red = makecol(255, 0, 0);
    textout_centre_ex(dest, font, "AVI logo", x, 100, white, -1);
    if (openResult == -1) {
        textout_centre_ex(dest, font, "ERROR: file doesn't exist or isn't an avi movie", x, y, red, -1);
    } else if (openResult == -2) {
        textout_centre_ex(dest, font, "ERROR: there isn't any video stream to play", x, y, red, -1);
        textout_centre_ex(dest, font, "or", x, y + th, red, -1);
        textout_centre_ex(dest, font, "it is in an unrecognized format (codecs are not installed)", x, y + 2 * th, red,
                          -1);
    } else {
        textout_centre_ex(dest, font, "ERROR: other error", x, y, red, -1);
    }
    textout_centre_ex(dest, font, "Press a key to exit", x, dest->h - 30, white, -1);
}

void IntroDraw(const IntroState& intro, BITMAP* dest)
{
    if (intro.openResult != 0)
        DrawErrorTexts(dest, intro.openResult);
    else if (intro.running)
        blit(intro.picture, dest, 0, 0, 0, 0, intro.picture->w, intro.picture->h);
}

void IntroRelease(IntroState& intro)
{
    if (intro.picture)
        destroy_bitmap(intro.picture);
    intro.picture = nullptr;
}

static void PlayMovie()
{
    CAviPlayer player;
    IntroState intro;
    IntroReset(intro, &player, player.Open(DataPath(INTRO_MOVIE_FILE).c_str()));
    // Both pages: the movie may be smaller than the screen, and the error texts are drawn without clearing.
    clear_to_color(g_Page1, makecol(0, 0, 0));
    clear_to_color(g_Page2, makecol(0, 0, 0));
    if (intro.openResult == 0)
        player.Play();
    RunScreen({PERIOD_FAST_SCREEN}, intro, IntroStep, IntroDraw);
    if (intro.openResult == 0) {
        player.Stop();
        player.Close();
    }
    IntroRelease(intro);
}

void PlayIntroMovie()
{
    PlayMovie();
    // The player and FFmpeg are gone; the heap they used goes back to the system.
    malloc_trim(0);
}
