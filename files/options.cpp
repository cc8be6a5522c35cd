#include "files/options.h"
#include <cstdlib>
#include <getopt.h>

Options g_Options;

const char* UsageText()
{
    return "Usage: pesko [OPTION]...\n"
           "Steer the little fish Pesko through a sea full of junk.\n"
           "\n"
           "  --fullscreen     play on the whole screen\n"
           "  --windowed       play in a window (the default)\n"
           "  --scale N        make the window N times 640 x 480 (N from 1 to 4)\n"
           "  --data-dir DIR   read the game's data from DIR\n"
           "  --save-dir DIR   keep settings and hi-scores in DIR\n"
           "  --replay FILE    watch the recorded game FILE (last.replay in the save folder\n"
           "                   is the last game played); hold Right to watch it 4x faster\n"
           "  --verify         with --replay: play it again without a window and check it\n"
           "  -h, --help       show this help and exit\n"
           "  --version        show the version and exit\n"
           "\n"
           "F11 or Alt+Enter switches between window and full screen while playing.\n";
}

const char* VersionText()
{
    static const std::string text = std::string("pesko ") + GAME_VERSION + "\n";
    return text.c_str();
}

static bool ParseScale(const char* text, int& scale)
{
    char* end = nullptr;
    long value = strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < MIN_SCALE || value > MAX_SCALE)
        return false;
    scale = static_cast<int>(value);
    return true;
}

enum OptionCode {
    OPT_HELP = 1,
    OPT_VERSION,
    OPT_FULLSCREEN,
    OPT_WINDOWED,
    OPT_SCALE,
    OPT_DATA_DIR,
    OPT_SAVE_DIR,
    OPT_REPLAY,
    OPT_VERIFY
};

static const option LONG_OPTIONS[] = {
    {"help", no_argument, nullptr, OPT_HELP},
    {"version", no_argument, nullptr, OPT_VERSION},
    {"fullscreen", no_argument, nullptr, OPT_FULLSCREEN},
    {"windowed", no_argument, nullptr, OPT_WINDOWED},
    {"scale", required_argument, nullptr, OPT_SCALE},
    {"data-dir", required_argument, nullptr, OPT_DATA_DIR},
    {"save-dir", required_argument, nullptr, OPT_SAVE_DIR},
    {"replay", required_argument, nullptr, OPT_REPLAY},
    {"verify", no_argument, nullptr, OPT_VERIFY},
    {nullptr, 0, nullptr, 0},
};

static bool TakeFolder(const char* name, const char* value, std::string& folder, std::string& error)
{
    folder = value;
    if (folder.empty())
        error = std::string(name) + " needs a folder";
    return !folder.empty();
}

// One option that getopt_long has recognised; false on a bad value.
static bool TakeOption(int code, const char* value, Options& options, std::string& error)
{
    switch (code) {
    case 'h':
    case OPT_HELP: options.showHelp = true; return true;
    case OPT_VERSION: options.showVersion = true; return true;
    case OPT_FULLSCREEN: options.display = DisplayRequest::Fullscreen; return true;
    case OPT_WINDOWED: options.display = DisplayRequest::Windowed; return true;
    case OPT_DATA_DIR: return TakeFolder("--data-dir", value, options.folders.dataDir, error);
    case OPT_SAVE_DIR: return TakeFolder("--save-dir", value, options.folders.saveDir, error);
    case OPT_REPLAY:
        options.replayFile = value;
        if (options.replayFile.empty())
            error = "--replay needs a file";
        return !options.replayFile.empty();
    case OPT_VERIFY: options.verifyReplay = true; return true;
    case OPT_SCALE:
        if (ParseScale(value, options.scale))
            return true;
        error = std::string("--scale must be a whole number from 1 to 4, not '") + value + "'";
        return false;
    }
    return false;
}

bool ParseOptions(int argc, char* const* argv, Options& options, std::string& error)
{
    options = Options{};
    opterr = 0;  // the game prints its own usage
    optind = 0;  // glibc: start afresh, so the parser can run more than once
    int code;
    while ((code = getopt_long(argc, argv, "h", LONG_OPTIONS, nullptr)) != -1) {
        if (code == '?' || code == ':') {
            const char* given = argv[optind - 1];
            error = std::string(optopt ? "option needs a value: " : "unknown option: ") + given;
            return false;
        }
        if (!TakeOption(code, optarg, options, error))
            return false;
    }
    if (optind < argc) {
        error = std::string("unexpected argument: ") + argv[optind];
        return false;
    }
    if (options.verifyReplay && options.replayFile.empty()) {
        error = "--verify needs --replay FILE";
        return false;
    }
    return true;
}
