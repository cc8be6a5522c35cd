#include "screens/instructions.h"
#include "platform/audio.h"
#include "data/datafile.h"
#include "app/globals.h"
#include "app/loop.h"
#include "screens/screens.h"
#include "world/world.h"
#include <cstring>
#include <vector>

const TaggedLine StoryLines[] = {
    {"L", "You are a small fish called 'Pesko'."},
    {"J", "Normally you live in a calm water. But bad people"},
    {"J", "threw a lot of things to your domestic environment."},
    {"J", "Amount of them exceeds tolerable limit and now"},
    {"L", "you have to confront a big danger!"},
    {"L", " "},
    {"J", "Get Pesko from this horrible water to calm one!"},
    {nullptr, nullptr},
};

constexpr int LAST_PAGE = INSTRUCTION_PAGES - 1;
constexpr int FISH_X = 270;
constexpr int FISH_Y = 280;
constexpr int PAGE_HEADING_Y = 60;
constexpr int PAGE_TEXT_Y = 90;
constexpr int SPRITE_CENTRE_X = 70;
constexpr int JUSTIFY_ANY_GAP = 640;

struct EntryLine {
    bool justified;
    const char* text;
};

// Not a kind of the sea's collection: a stone of the map, drawn from the tile sheet.
constexpr int ENTRY_WATER_STONE = -1;
constexpr int STONE_TILE_ROW = 3;
constexpr int STONE_SHOWN_SIZE = 2 * TILE_SIZE;  // twice the tile, as big as its neighbours on the page

struct ListEntry {
    int kind;
    std::vector<EntryLine> lines;
};

struct ListPage {
    int textX;
    int rowGap;
    std::vector<ListEntry> entries;
};

static const char* const PAGE_HEADINGS[INSTRUCTION_PAGES] = {
    "Story:", "Controls:", "Enemies list (1/2):", "Enemies list (2/2):", "Friends list:", "Bonus:",
};

// Pages 2 to 5: each object beside its description.
static const ListPage LIST_PAGES[] = {
    {170, 5, {{KIND_URCHIN, {{false, "Sea urchin has sharp spikes!"}}},
              {KIND_BARREL, {{false, "Dont touch this barrel!"}}},
              {KIND_BOTTLE, {{false, "Bottle shifts you very fast!"}}},
              {KIND_MINE, {{false, "It could be exploded!"}}}}},
    {170, 5, {{KIND_JELLYFISH, {{false, "Attention! Hugh distance."}}},
              {KIND_BIG_FISH, {{false, "Very dangerous fish!"}}},
              {ENTRY_WATER_STONE, {{false, "Rocks kill like the sea floor!"}}}}},
    {145, 10, {{KIND_FRIEND, {{false, "No effect."}}},
               {KIND_ACTINIAN, {{false, "Actinian protects Pesko for a few time."}}},
               {KIND_BUBBLE, {{false, "Bubble destroys all enemies around."}}}}},
    {170, 25, {{KIND_COIN, {{true, "Collect this coin to increase your"}, {false, "score."}}},
               {KIND_EXTRA_LIFE, {{false, "Extra life."},
                                  {true, "It is appeared when you reach"},
                                  {false, "100 coins."},
                                  {false, "Don't let it go!"}}}}},
};

void InstructionsReset(InstructionsState& help)
{
    help = InstructionsState{};
    help.keys.Open(PERIOD_SLOW_SCREEN, INSTRUCTIONS_REPEAT_MS);
    g_Enemies.InitForInstructions();
    g_Player.Init(FISH_X, FISH_Y);
}

static void MoveCursor(InstructionsState& help, int to)
{
    help.cursor = to;
    PlaySample(SND_MOVE);
}

// The cursor never steps onto a hidden button: Prev is hidden on the first
// page, Next on the last.
static void ReadArrows(InstructionsState& help)
{
    if (help.keys.Acts(INPUT_RIGHT)) {
        if (help.cursor == NAV_BACK && help.page < LAST_PAGE)
            MoveCursor(help, NAV_NEXT);
        else if (help.cursor == NAV_PREV)
            MoveCursor(help, NAV_BACK);
    }
    if (help.keys.Acts(INPUT_LEFT)) {
        if (help.cursor == NAV_BACK && help.page > 0)
            MoveCursor(help, NAV_PREV);
        else if (help.cursor == NAV_NEXT)
            MoveCursor(help, NAV_BACK);
    }
}

static void PressButton(InstructionsState& help)
{
    switch (help.cursor) {
    case NAV_PREV:
        if (help.page > 0) {
            PlaySample(SND_SELECT);
            if (--help.page == 0)
                help.cursor = NAV_BACK;
        }
        break;
    case NAV_BACK:
        PlaySample(SND_SELECT);
        help.done = true;
        break;
    default:
        if (help.page < LAST_PAGE) {
            PlaySample(SND_SELECT);
            if (++help.page == LAST_PAGE)
                help.cursor = NAV_BACK;
        }
        break;
    }
}

void InstructionsStep(InstructionsState& help)
{
    help.keys.Step();
    if (help.keys.Pressed(INPUT_ESC)) {
        PlaySample(SND_BACK);
        help.cursor = NAV_BACK;
        help.done = true;
    }
    ReadArrows(help);
    if (help.keys.Acts(INPUT_ENTER))
        PressButton(help);
    g_Enemies.MoveCharacterForInstructions();
    g_Player.Animate();
}

static void DrawStory(BITMAP* dest, int y)
{
    FONT* f = DataFont(FNT_TEXT);
    const int white = makecol(255, 255, 255);
    for (const TaggedLine* line = StoryLines; line->tag; line++) {
        if (strcmp(line->tag, "L") == 0)
            textout_ex(dest, f, line->text, 10, y, white, -1);
        else
            textout_justify_ex(dest, f, line->text, 10, dest->w - 10, y, JUSTIFY_ANY_GAP, white, -1);
        y += text_height(f);
    }
    g_Player.Draw(dest);
}

static void DrawControls(BITMAP* dest, int y)
{
    struct KeyRow {
        const char* label;
        const char* description;
    };
    static const KeyRow ROWS[] = {
        {"Arrows", "Movement on the screen."}, {"Joystick", ""}, {"P", "Pause/Play."},
        {"S", "Sound on/off."}, {"M", "Music on/off."}, {"ESC", "Quit from game."},
    };
    FONT* f = DataFont(FNT_TEXT);
    const int th = text_height(f);
    for (size_t i = 0; i < sizeof ROWS / sizeof ROWS[0]; i++) {
        // "Joystick" sits right under "Arrows"; the single keys stand apart.
        if (i == 1)
            y += th;
        else if (i > 1)
            y += th / 2 + 20;
        textout_ex(dest, f, ROWS[i].label, 10, y, makecol(255, 0, 0), -1);
        textout_ex(dest, f, ROWS[i].description, 160, y, makecol(255, 255, 255), -1);
    }
}

static int EntryPictureHeight(const ListEntry& entry)
{
    return entry.kind == ENTRY_WATER_STONE ? STONE_SHOWN_SIZE : g_CharacterKinds[entry.kind].height;
}

static void DrawEntryPicture(BITMAP* dest, const ListEntry& entry, int y)
{
    if (entry.kind != ENTRY_WATER_STONE) {
        g_Enemies.DrawKind(entry.kind, dest, SPRITE_CENTRE_X - g_CharacterKinds[entry.kind].width / 2, y);
        return;
    }
    masked_stretch_blit(DataBitmap(BMP_TILES), dest, 0, STONE_TILE_ROW * TILE_SIZE, TILE_SIZE, TILE_SIZE,
                        SPRITE_CENTRE_X - STONE_SHOWN_SIZE / 2, y, STONE_SHOWN_SIZE, STONE_SHOWN_SIZE);
}

static void DrawList(BITMAP* dest, const ListPage& page, int y)
{
    FONT* f = DataFont(FNT_TEXT);
    const int th = text_height(f);
    const int white = makecol(255, 255, 255);
    for (const ListEntry& entry : page.entries) {
        const int height = EntryPictureHeight(entry);
        DrawEntryPicture(dest, entry, y);
        int textY = y + height / 2 - th / 2;
        for (const EntryLine& line : entry.lines) {
            if (line.justified)
                textout_justify_ex(dest, f, line.text, page.textX, dest->w - 10, textY, JUSTIFY_ANY_GAP,
                                   white, -1);
            else
                textout_ex(dest, f, line.text, page.textX, textY, white, -1);
            textY += th;
        }
        y += height + page.rowGap + th * static_cast<int>(entry.lines.size() - 1);
    }
}

static void DrawPage(BITMAP* dest, int page)
{
    FONT* f = DataFont(FNT_TEXT);
    textout_ex(dest, f, PAGE_HEADINGS[page], 13, PAGE_HEADING_Y + 3, makecol(0, 0, 0), -1);
    textout_ex(dest, f, PAGE_HEADINGS[page], 10, PAGE_HEADING_Y, makecol(0, 255, 0), -1);
    if (page == 0)
        DrawStory(dest, PAGE_TEXT_Y);
    else if (page == 1)
        DrawControls(dest, PAGE_TEXT_Y);
    else
        DrawList(dest, LIST_PAGES[page - 2], PAGE_TEXT_Y);
}

static void DrawNavigation(const InstructionsState& help, BITMAP* dest)
{
    FONT* f = DataFont(FNT_MENU);
    const int y = dest->h - 80;
    if (help.page > 0)
        DrawButton(dest, f, "Prev", 100, y, Align::Left, help.cursor == NAV_PREV);
    DrawButton(dest, f, "Back", dest->w / 2, y, Align::Centre, help.cursor == NAV_BACK);
    if (help.page < LAST_PAGE)
        DrawButton(dest, f, "Next", dest->w - 100, y, Align::Right, help.cursor == NAV_NEXT);
}

void InstructionsDraw(const InstructionsState& help, BITMAP* dest)
{
    DrawBackgroundAndHeading(dest, "Instructions");
    DrawPage(dest, help.page);
    DrawNavigation(help, dest);
}

void ShowInstructions()
{
    InstructionsState help;
    BindCollection();
    BindFishOrExit();
    InstructionsReset(help);
    ScreenLoop loop{PERIOD_SLOW_SCREEN, MID_INSTRUCTIONS};
    loop.settleMs = PAUSE_BETWEEN_SCREENS_MS;
    RunScreen(loop, help, InstructionsStep, InstructionsDraw);
    FreePlayerData();
    ReleaseCollection();
}
