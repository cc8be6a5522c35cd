#include "screens/credits.h"
#include "platform/audio.h"
#include "data/datafile.h"
#include "app/globals.h"
#include "app/loop.h"
#include "app/startup.h"
#include "screens/screens.h"
#include "world/motion.h"
#include "world/world.h"
#include <cstring>

const TaggedLine CreditLines[] = {
    {"0", "code"},
    {"1", "THE PESKO TEAM"},
    {"1", " "},
    {"0", "code consultants"},
    {"1", "THE PESKO SCREENS CREW"},
    {"1", "THE PESKO WORLD CREW"},
    {"1", " "},
    {"0", "graphics"},
    {"1", "THE GAME'S OWN GENERATOR"},
    {"1", "FONTS FROM DEJAVU SANS"},
    {"1", " "},
    {"0", "sound fx"},
    {"1", "THE GAME'S OWN GENERATOR"},
    {"1", " "},
    {"0", "test music"},
    {"1", "THE GAME'S OWN GENERATOR"},
    {"1", " "},
    {"0", "musics"},
    {"1", "THE GAME'S OWN GENERATOR"},
    {"1", "FLUID R3 INSTRUMENT SAMPLES"},
    {"1", " "},
    {"0", "testers"},
    {"1", "THE PESKO TEST SUITE"},
    {"1", "THE PESKO TEST ROBOT"},
    {"1", "THE FIRST PLAYERS"},
    {"1", "EVERY BUG REPORTER"},
    {"1", " "},
    {"0", "special thanks to"},
    {"1", "THE ALLEGRO DEVELOPERS"},
    {"0", "for a game programming library Allegro"},
    {"1", " "},
    {"1", "and"},
    {"1", " "},
    {"1", "THE DEBIAN PROJECT"},
    {"0", "that pointed me out the library Allegro"},
    {"1", " "},
    {"1", " "},
    {"1", "Thanks for"},
    {"1", "playing this game!"},
    {"1", " "},
    {"1", " "},
    {"1", " "},
    {"0", "for more games visit a web page"},
    {"1", "PESKO.EXAMPLE.ORG"},
    {"1", " "},
    {nullptr, nullptr},
};

static bool IsHeading(const TaggedLine& line)
{
    return strcmp(line.tag, "0") == 0;
}

static FONT* LineFont(const TaggedLine& line)
{
    return IsHeading(line) ? font : DataFont(FNT_TABLE);
}

int CreditsTotalHeight()
{
    int height = 0;
    for (const TaggedLine* line = CreditLines; line->tag; line++)
        height += text_height(LineFont(*line));
    return height + SCREEN_HEIGHT;
}

int CreditLineY(int lineY, int offset)
{
    return lineY + SCREEN_HEIGHT - offset - 1;
}

// The lines at the current offset, into the strip that each frame lays over the screen.
static void WriteText(const CreditsState& credits)
{
    BITMAP* text = credits.text;
    clear_to_color(text, makecol(255, 0, 255));
    int y = 0;
    for (const TaggedLine* line = CreditLines; line->tag; line++) {
        const int colour = IsHeading(*line) ? makecol(128, 128, 128) : makecol(255, 255, 255);
        FONT* f = LineFont(*line);
        const int top = CreditLineY(y, credits.offset) + CREDITS_ROLL_STEP;
        textout_centre_ex(text, f, line->text, SCREEN_WIDTH / 2, top, colour, -1);
        y += text_height(f);
    }
}

void CreditsReset(CreditsState& credits, BITMAP* text)
{
    credits = CreditsState{};
    credits.totalHeight = CreditsTotalHeight();
    credits.text = text;
    g_Enemies.InitForScreen(CREDITS_DECORATIONS);
    WriteText(credits);
}

void CreditsStep(CreditsState& credits)
{
    credits.prevOffset = credits.offset;
    g_Enemies.StartStep();
    const bool rolling = credits.offset < credits.totalHeight;
    g_Enemies.MoveCharacterForCredits(rolling, CREDITS_RISE_STEP);
    if (rolling)
        credits.offset += CREDITS_ROLL_STEP;
    WriteText(credits);
    CreditsCheckDone(credits);
}

void CreditsDraw(const CreditsState& credits, BITMAP* dest, float t)
{
    DrawBackground(dest);
    g_Enemies.DrawCharacters(dest, t);
    // The strip holds the latest step's text; between steps it is still this much lower.
    const int lower = credits.offset - BetweenPixels(credits.prevOffset, credits.offset, t);
    masked_blit(credits.text, dest, 0, CREDITS_ROLL_STEP - lower, 0, CREDITS_TEXT_TOP, CREDITS_TEXT_WIDTH,
                CREDITS_TEXT_HEIGHT);
}

void CreditsCheckDone(CreditsState& credits)
{
    if (!credits.done && ScreenOver(credits.offset >= credits.totalHeight))
        credits.done = true;
}

// A video bitmap where the pages are real video pages; under X11 the first
// video bitmap is the screen itself, so the text goes to memory there.
static BITMAP* CreateTextBitmap()
{
    BITMAP* text = nullptr;
    if (g_VideoPages)
        text = create_video_bitmap(CREDITS_TEXT_WIDTH, CREDITS_STRIP_HEIGHT);
    if (!text)
        text = create_bitmap(CREDITS_TEXT_WIDTH, CREDITS_STRIP_HEIGHT);
    if (!text)
        FatalError("You have no enough video memory for text_bmp'\n");
    clear_to_color(text, makecol(0, 0, 0));
    return text;
}

void ShowCredits()
{
    CreditsState credits;
    BITMAP* text = CreateTextBitmap();
    BindCollection();
    CreditsReset(credits, text);
    ScreenLoop loop{PERIOD_SLOW_SCREEN, MID_CREDITS};
    loop.framesBetweenSteps = true;
    RunScreen(loop, credits, CreditsStep, CreditsDraw);
    ReleaseCollection();
    destroy_bitmap(text);
}
