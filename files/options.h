// The command line: pesko [--fullscreen | --windowed] [--scale N] [--data-dir DIR]
// [--save-dir DIR] [--replay FILE [--verify]] [-h | --help] [--version], in the usual GNU form.
#pragma once
#include "files/paths.h"
#include <string>

enum class DisplayRequest { Remembered, Fullscreen, Windowed };

struct Options {
    bool showHelp = false;
    bool showVersion = false;
    DisplayRequest display = DisplayRequest::Remembered;
    int scale = 0;  // 0: not given on the command line
    PathOptions folders;  // --data-dir and --save-dir
    std::string replayFile;     // --replay FILE: watch a recorded game
    bool verifyReplay = false;  // --verify: check it without a window
};

constexpr int MIN_SCALE = 1;
constexpr int MAX_SCALE = 4;

// Fills options from argv; on a bad command line returns false and says why in error.
bool ParseOptions(int argc, char* const* argv, Options& options, std::string& error);
// The game's version, also written into every recorded game.
constexpr const char* GAME_VERSION = "1.0";
const char* UsageText();
const char* VersionText();

// The options of this run, set by main before anything else.
extern Options g_Options;
