#include "screens/intro.h"
#include "app/globals.h"
#include "app/loop.h"
#include "app/paths.h"
#include "movie/avi_player.h"
#include "screens/screens.h"

void IntroReset(IntroState& intro, CAviPlayer* player, int openResult)
{
    intro = IntroState{};
    intro.player = player;
    intro.openResult = openResult;
}

// The ticks only poll the input; the movie keeps its own time.
void IntroStep(IntroState&)
{
    poll_keyboard();
    poll_mouse();
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

bool IntroDraw(IntroState& intro, BITMAP* dest)
{
    if (intro.openResult == 0)
        intro.running = intro.player->Update(dest, 0, 0, true, false);
    else
        DrawErrorTexts(dest, intro.openResult);
    return !intro.running;
}

void PlayIntroMovie()
{
    CAviPlayer player;
    IntroState intro;
    IntroReset(intro, &player, player.Open(DataPath(INTRO_MOVIE_FILE).c_str()));
    g_BackBuffer = g_Page1;
    // Both pages: the movie may be smaller than the screen, and the error texts are drawn without clearing.
    clear_to_color(g_Page1, makecol(0, 0, 0));
    clear_to_color(g_Page2, makecol(0, 0, 0));
    clear_keybuf();
    StartTicks(PERIOD_FAST_SCREEN);
    if (intro.openResult == 0)
        player.Play();
    RunFrames([&] { IntroStep(intro); }, [&] {
        bool ended = IntroDraw(intro, g_BackBuffer);
        FlipPages();
        return keypressed() || ended;
    });
    if (intro.openResult == 0) {
        player.Stop();
        player.Close();
    }
    StopTicks();
}
