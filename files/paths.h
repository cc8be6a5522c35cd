// Where the game finds its data and where it keeps the player's files.
// The choosing functions are pure (they take the environment as a value) so
// that every order of folders can be tested; the rest holds the chosen folders.
#pragma once
#include <string>
#include <vector>

// The folders the player named on the command line ("" when not given).
struct PathOptions {
    std::string dataDir;  // --data-dir DIR
    std::string saveDir;  // --save-dir DIR
};

// The environment variables the folders depend on (nullptr when unset).
struct PathEnvironment {
    const char* dataDir = nullptr;        // PESKO_DATA_DIR
    const char* saveDir = nullptr;        // PESKO_SAVE_DIR
    const char* xdgDataHome = nullptr;    // XDG_DATA_HOME
    const char* xdgConfigHome = nullptr;  // XDG_CONFIG_HOME
    const char* home = nullptr;           // HOME
};
PathEnvironment ProcessEnvironment();

// The data folders in the order they are searched: only the option's folder when
// given, else only PESKO_DATA_DIR's when set, else the executable's folder (the build tree), the install layout beside the
// executable (BIN/../share/games/pesko) and the folder compiled in at install.
std::vector<std::string> DataFolderCandidates(const PathOptions& options, const PathEnvironment& env,
                                              const std::string& executable, const std::string& installFolder);
// The first folder holding data.dat, or "" when none does.
std::string FirstFolderWithData(const std::vector<std::string>& folders);

// Where config.dat and hiscore.dat live; `warning` is set when the home could
// not be told and the current folder is used instead.
struct SaveFolderChoice {
    std::string folder;
    std::string warning;
};
SaveFolderChoice ChooseSaveFolder(const PathOptions& options, const PathEnvironment& env);
// Where the display settings file lives: the save folder when it was named on
// the command line or by PESKO_SAVE_DIR, otherwise the XDG configuration folder.
std::string ChooseConfigFolder(const PathOptions& options, const PathEnvironment& env, const std::string& saveFolder);

// Makes the folder and any missing parent with mode 0700. On failure returns
// false with the reason in `error`.
bool MakeFolder(const std::string& folder, std::string& error);
// Copies `name` from the old folder into the new one when the new folder has
// no such file and the old one has it. Never overwrites and never deletes.
// Returns true when it copied.
bool CopyOldSave(const std::string& oldFolder, const std::string& newFolder, const char* name);

// The folders the running game uses; "" means the current folder.
void SetGameFolders(const std::string& dataFolder, const std::string& saveFolder, const std::string& configFolder);
// FOLDER/name, or the bare name when the folder is "".
std::string DataPath(const char* name);
std::string SavePath(const char* name);
const char* ConfigDir();

// Chooses every folder from the command line and the environment, makes the
// save folder and copies old saves from the current folder into it.
void SetUpGameFolders(const PathOptions& options);
// False when no folder searched holds data.dat; the report then names them all.
bool DataFolderFound();
std::string DataSearchReport();
// False when the save folder could not be made: the game then keeps its
// settings and hi-scores in memory only.
bool SaveFolderReady();
