// The program's top level: start-up, the loop over the menu's choices, shutdown.
#include "platform/audio.h"
#include "app/globals.h"
#include "platform/icon.h"
#include "files/file_bytes.h"
#include "files/options.h"
#include "files/paths.h"
#include "app/startup.h"
#include "platform/trace.h"
#include "game/game.h"
#include "game/record.h"
#include "game/watch.h"
#include "replay/replay_store.h"
#include "settings/display_settings.h"
#include "settings/save_files.h"
#include "screens/hiscore_screen.h"
#include "screens/screens.h"
#include "world/world.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// The save file's path; with no save folder the game keeps it in memory only.
static std::string SaveFileOrNone(const char* name)
{
    std::string path = SavePath(name);
    if (!SaveFolderReady())
        KeepFileAsItIs(path);
    return path;
}

// A save killed half-way leaves the writer's new file beside the old one (which
// stays whole): every file the game writes is named here, so none is left.
static void RemoveLeftoversOfKilledSaves()
{
    std::vector<std::string> files = {SavePath(SETTINGS_FILE), SavePath(HISCORE_FILE), DisplaySettingsPath(),
                                      SavePath(LAST_REPLAY_FILE)};
    for (int row = 0; row < HISCORE_ROWS; row++)
        files.push_back(RowReplayPath(row));
    RemoveWriterLeftovers(files);
}

// Defaults when the file is not there or cannot be used; only a missing file
// is created (one that cannot be read is the player's and is left alone).
static void LoadOrCreateSettings()
{
    std::string path = SaveFileOrNone(SETTINGS_FILE);
    int result = LoadSettings(path.c_str());
    if (result < 0)
        g_Settings = DEFAULT_SETTINGS;
    if (result == -1)
        SaveSettings(path.c_str());
}

static void LoadOrCreateHiScores()
{
    std::string path = SaveFileOrNone(HISCORE_FILE);
    int result = LoadHiScores(path.c_str());
    if (result < 0)
        memcpy(g_HiScores, DEFAULT_HISCORES, sizeof g_HiScores);
    if (result == -1)
        SaveHiScores(path.c_str());
}

// The name entry, the game, its score offered to the table (the game's record
// kept as the last game and with its row), and the congratulations after a
// completed one.
static void PlayOneGame()
{
    EnterNameScreen();
    const bool completed = PlayGame() > 0;
    const int row = OfferFinalScore();
    if (const Replay* game = LastRecordedGame())
        KeepRecordedGame(*game, row);
    if (completed)
        CongratulationsScreen();
}

static void RunChoice(int choice)
{
    switch (choice) {
    case MENU_PLAY:
        PlayOneGame();
        break;
    case MENU_INSTRUCTIONS:
        ShowInstructions();
        break;
    case MENU_HISCORE:
        HiScoreScreen();
        break;
    case MENU_SETUP:
        SetupScreen();
        break;
    }
}

// --help and --version answer and end; a bad command line ends with code 2.
// Either way no window opens. Returns -1 when the game is to start.
static int HandleCommandLine(int argc, char** argv)
{
    std::string error;
    if (!ParseOptions(argc, argv, g_Options, error)) {
        fprintf(stderr, "pesko: %s\n%s", error.c_str(), UsageText());
        return 2;
    }
    if (g_Options.showHelp) {
        fputs(UsageText(), stdout);
        return 0;
    }
    if (g_Options.showVersion) {
        fputs(VersionText(), stdout);
        return 0;
    }
    return -1;
}

// pesko --replay FILE [--verify]: a recorded game watched in the window, or
// checked without one. A file that cannot be read says why in one line.
static int RunReplayOption()
{
    Replay game;
    const std::string problem = ReadReplayFile(g_Options.replayFile, game);
    if (!problem.empty()) {
        fprintf(stderr, "pesko: %s: %s\n", g_Options.replayFile.c_str(), problem.c_str());
        return 1;
    }
    SetUpGameFolders(g_Options.folders);
    if (g_Options.verifyReplay) {
        InitHeadlessGame();
        const ReplayCheck check = CheckReplay(game);
        printf("score %d steps %zu\n%s\n", static_cast<int>(check.score), check.steps,
               check.ok ? "ok" : check.problem.c_str());
        return check.ok ? 0 : 1;
    }
    UseGameIcon();
    InitGame();
    LoadOrCreateSettings();
    SetVolumes(g_Settings.soundVolume, g_Settings.musicVolume);
    WatchReplay(game, "REPLAY", WatchEnd::OnEsc);
    ShutdownGame();
    allegro_exit();
    return 0;
}

int main(int argc, char** argv)
{
    int answered = HandleCommandLine(argc, argv);
    if (answered >= 0)
        return answered;
    if (!g_Options.replayFile.empty())
        return RunReplayOption();
    SetUpGameFolders(g_Options.folders);
    RemoveLeftoversOfKilledSaves();
    UseGameIcon();
    InitGame();
    LoadOrCreateSettings();
    SetVolumes(g_Settings.soundVolume, g_Settings.musicVolume);
    PlayIntroMovie();
    rest(PAUSE_BETWEEN_SCREENS_MS);
    LoadOrCreateHiScores();

    int choice = MENU_PLAY;
    for (;;) {
        choice = MainMenu(choice);
        if (choice <= 0 && !g_DemoMode)
            break;
        Trace("main() - while - result %ld", static_cast<long>(choice));
        if (g_DemoMode)
            PlayAttractDemo();
        else
            RunChoice(choice);
        rest(PAUSE_BETWEEN_SCREENS_MS);
    }
    ShowCredits();
    RemoveAllCharacters();
    ShutdownGame();
    allegro_exit();
    return 0;
}
END_OF_MAIN()
