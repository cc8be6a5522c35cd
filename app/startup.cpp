#include "app/startup.h"
#include "app/audio.h"
#include "app/datafile.h"
#include "app/datafile_check.h"
#include "app/globals.h"
#include "app/world_objects.h"
#include "app/x_display.h"
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>

constexpr const char* DATA_FILE = "data.dat";
constexpr const char* PATCHES_FILE = "patches.dat";

void FatalError(const char* message)
{
    if (screen)
        set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    fputs(message, stderr);
    exit(1);
}

// Allegro 4 crashes inside its timer and graphics set-up when there is no X
// display to talk to, so say so before touching them.
static bool HaveDisplay()
{
    const char* display = getenv("DISPLAY");
    return display && *display;
}

static void FailNoGraphicMode(const char* reason)
{
    char message[512];
    snprintf(message, sizeof message, "Unable to set any graphic mode\n%s\n", reason);
    FatalError(message);
}

static void SetGraphicMode()
{
    set_color_depth(COLOR_DEPTH);
    if (set_gfx_mode(GFX_AUTODETECT, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) != 0 &&
        set_gfx_mode(GFX_SAFE, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) != 0)
        FailNoGraphicMode(allegro_error);
}

// Two video pages where the driver has them; otherwise (Allegro's X11 driver
// gives only one) two memory pages that FlipPages copies to the screen.
static void CreatePages()
{
    g_Page1 = create_video_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    g_Page2 = create_video_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    g_VideoPages = g_Page1 && g_Page2;
    if (!g_VideoPages) {
        if (g_Page1)
            destroy_bitmap(g_Page1);
        if (g_Page2)
            destroy_bitmap(g_Page2);
        g_Page1 = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
        g_Page2 = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    }
    if (!g_Page1 || !g_Page2)
        FatalError("Not enough video memory for page flipping\n");
    clear_to_color(g_Page1, makecol(0, 0, 0));
    clear_to_color(g_Page2, makecol(0, 0, 0));
    g_BackBuffer = g_Page1;
}

// Allegro's software MIDI plays through the patch set made at build time,
// found beside the executable or in the game folder. An override in memory is
// never written back, so no allegro.cfg appears in the player's folder.
static void PointMidiAtPatches()
{
    static std::string settings;
    char path[1024] = "";
    get_executable_name(path, sizeof path);
    std::string executable = path;
    char folder[1024] = "";
    std::string patches = std::string(getcwd(folder, sizeof folder) ? folder : ".") + "/" + PATCHES_FILE;
    if (!executable.empty()) {
        std::string beside = executable.substr(0, executable.find_last_of('/') + 1) + PATCHES_FILE;
        if (exists(beside.c_str()))
            patches = beside;
    }
    settings = "[sound]\npatches = " + patches + "\n";
    override_config_data(settings.c_str(), static_cast<int>(settings.size()));
}

static void LoadData()
{
    // Allegro's loaders trust every field: a damaged object is refused before they run.
    std::string damage = CheckDatafileAt(DATA_FILE, ExpectedDataKinds());
    if (!damage.empty())
        FatalError(("Not enough system memory to load a sound data\n" + std::string(DATA_FILE) + ": " + damage + "\n").c_str());
    g_Data = load_datafile(DATA_FILE);
    std::string problem = CheckDatafile(g_Data);
    if (!problem.empty())
        FatalError(problem.c_str());
}

volatile bool g_CloseRequested = false;

static void OnCloseButton()
{
    g_CloseRequested = true;
}
END_OF_FUNCTION(OnCloseButton)

void QuitAtOnce()
{
    ShutdownGame();
    allegro_exit();
    exit(0);
}

// Connecting to the X server can fail for a moment while it is busy starting
// up; a few tries keep that from ending the game.
static bool InitAllegro()
{
    for (int attempt = 0; attempt < 3; attempt++) {
        if (allegro_init() == 0)
            return true;
        usleep(300 * 1000);
    }
    return false;
}

void InitGame()
{
    srand(static_cast<unsigned>(time(nullptr)));
    if (!HaveDisplay())
        FailNoGraphicMode("no X display (DISPLAY is not set)");
    if (!InitAllegro()) {
        fputs("Allegra initialization no success.\n", stderr);
        exit(1);
    }
    install_timer();
    install_keyboard();
    install_mouse();
    PointMidiAtPatches();
    g_SoundInstalled = install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) == 0;
    // Every instrument of the patch set at once: otherwise each play_midi looks
    // the tune's instruments up in patches.dat again and keeps 4 KB each time.
    if (g_SoundInstalled)
        load_midi_patches();
    install_joystick(JOY_TYPE_AUTODETECT);
    LOCK_VARIABLE(g_Ticks);
    LOCK_FUNCTION(TimerTick);
    SetGraphicMode();
    CreatePages();
    set_window_title("Pesko");
    WatchDisplay("Pesko");
    LOCK_FUNCTION(OnCloseButton);
    set_close_button_callback(OnCloseButton);
    LoadData();
}

void ShutdownGame()
{
    if (g_Page1) {
        destroy_bitmap(g_Page1);
        g_Page1 = nullptr;
    }
    if (g_Page2) {
        destroy_bitmap(g_Page2);
        g_Page2 = nullptr;
    }
    g_BackBuffer = nullptr;
    if (g_Enemies.m_CHHead)
        g_Enemies.RemoveAllEnemies();
    if (g_Icons.m_CHHead)
        g_Icons.RemoveAllEnemies();
    if (g_Data) {
        unload_datafile(g_Data);
        g_Data = nullptr;
    }
}
