#include "app/startup.h"
#include "settings/display_settings.h"
#include "platform/audio.h"
#include "data/data_files.h"
#include "data/datafile.h"
#include "platform/display.h"
#include "platform/headless.h"
#include "app/globals.h"
#include "input/input.h"
#include "files/paths.h"
#include "platform/quit_signals.h"
#include "platform/timer_slack.h"
#include "platform/window.h"
#include "platform/x_display.h"
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>

// From Allegro's X11 header, which would bring all of Xlib's macros along.
extern "C" void xwin_set_window_name(const char* name, const char* group);


// Allegro 4 crashes inside its timer and graphics set-up when there is no X
// display to talk to, so say so before touching them.
static bool HaveDisplay()
{
    const char* display = getenv("DISPLAY");
    return display && *display;
}

// A window by default, fitted to the desktop; full screen when asked for.
static void SetGraphicMode()
{
    if (!OpenDisplay(StartingDisplayChoice(g_Options)))
        FailNoGraphicMode(allegro_error);
}

// Memory pages that FlipPages scales onto the screen. Video pages would not
// survive the switch between window and full screen (and Allegro's X11 driver
// has only one anyway).
static void CreatePages()
{
    g_Page1 = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    g_Page2 = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    g_VideoPages = false;
    if (!g_Page1 || !g_Page2)
        FatalError("Not enough video memory for page flipping\n");
    clear_to_color(g_Page1, makecol(0, 0, 0));
    clear_to_color(g_Page2, makecol(0, 0, 0));
    g_BackBuffer = g_Page1;
}

// Allegro's software MIDI plays through the patch set made at build time,
// found in the data folder. An override in memory is never written back, so
// no allegro.cfg appears in the player's folder.
static void PointMidiAtPatches()
{
    static std::string settings;
    settings = "[sound]\npatches = " + DataPath(PATCHES_FILE) + "\n";
    override_config_data(settings.c_str(), static_cast<int>(settings.size()));
}

// Allegro's loaders trust every field: a damaged file is refused before the
// sound set-up reads the patch set.
static void CheckData()
{
    if (!DataFolderFound())
        FatalError(("Not enough system memory to load a sound data\n" + DataSearchReport()).c_str());
    std::string damage = CheckDataFiles();
    if (!damage.empty())
        FatalError(("Not enough system memory to load a sound data\n" + damage + "\n").c_str());
}

static void LoadData()
{
    g_Data = load_datafile(DataPath(DATA_FILE).c_str());
    std::string problem = CheckDatafile(g_Data);
    if (!problem.empty())
        FatalError(problem.c_str());
}

void QuitAtOnce()
{
    MarkLeaving();
    ShutdownGame();
    allegro_exit();
    exit(QuitSignalExitCode(g_QuitSignal));
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
    // The X11 window's class, so that a desktop file can match it; Allegro
    // makes the window in allegro_init.
    xwin_set_window_name("pesko", "pesko");
    WatchQuitSignals();
    // 4 ms late at most: keys still reach the next 10-ms step, and Allegro keeps
    // five 1024-sample fragments (116 ms) of sound queued.
    if (!StartWithTimerSlack(4 * 1000 * 1000, InitAllegro)) {
        fputs("Allegra initialization no success.\n", stderr);
        exit(1);
    }
    TakeSignalsBackFromAllegro();
    install_timer();
    install_keyboard();
    InstallKeyboardWatch();
    WatchDisplayKeys();
    InstallMouseWatch();
    CheckData();
    PointMidiAtPatches();
    PrepareMixer();
    g_SoundInstalled = install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) == 0;
    // Every instrument of the patch set at once: otherwise each play_midi looks
    // the tune's instruments up in patches.dat again and keeps 4 KB each time.
    if (g_SoundInstalled)
        load_midi_patches();
    FindPads();
    // Before the display, which may write pesko.cfg, and after the pad, whose buttons it checks.
    ReadControlSettings(DisplaySettingsPath(), g_Controls, PadButtonCount());
    LOCK_VARIABLE(g_Ticks);
    LOCK_FUNCTION(TimerTick);
    SetGraphicMode();
    CreatePages();
    WatchCloseButton();
    LoadData();
}

void InitHeadlessGame()
{
    srand(static_cast<unsigned>(time(nullptr)));
    StartHeadlessAllegro();
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
    CloseDisplay();
    if (g_Data) {
        unload_datafile(g_Data);
        g_Data = nullptr;
    }
}
