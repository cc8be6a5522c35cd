#include "files/paths.h"
#include "files/file_bytes.h"
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#ifndef PESKO_INSTALL_DATA_DIR
#define PESKO_INSTALL_DATA_DIR "/usr/local/share/games/pesko"
#endif

PathEnvironment ProcessEnvironment()
{
    PathEnvironment env;
    env.dataDir = getenv("PESKO_DATA_DIR");
    env.saveDir = getenv("PESKO_SAVE_DIR");
    env.xdgDataHome = getenv("XDG_DATA_HOME");
    env.xdgConfigHome = getenv("XDG_CONFIG_HOME");
    env.home = getenv("HOME");
    return env;
}

// An unset or empty variable counts as not given.
static bool Given(const char* value)
{
    return value && *value;
}

// XDG folders must be absolute; a relative one is ignored, as the XDG rules say.
static bool GivenAbsolute(const char* value)
{
    return Given(value) && value[0] == '/';
}

std::vector<std::string> DataFolderCandidates(const PathOptions& options, const PathEnvironment& env,
                                              const std::string& executable, const std::string& installFolder)
{
    // A folder the player named is the only one searched: data found elsewhere
    // would hide that the named one lacks it.
    if (!options.dataDir.empty())
        return {options.dataDir};
    if (Given(env.dataDir))
        return {env.dataDir};
    std::vector<std::string> folders;
    if (!executable.empty()) {
        std::string bin = FolderOf(executable);
        folders.push_back(bin);
        // The same layout as the install, wherever it was installed to.
        folders.push_back(bin + "/../share/games/pesko");
    }
    folders.push_back(installFolder);
    return folders;
}

std::string FirstFolderWithData(const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders)
        if (IsRegularFile(folder + "/data.dat"))
            return folder;
    return "";
}

SaveFolderChoice ChooseSaveFolder(const PathOptions& options, const PathEnvironment& env)
{
    if (!options.saveDir.empty())
        return {options.saveDir, ""};
    if (Given(env.saveDir))
        return {env.saveDir, ""};
    if (GivenAbsolute(env.xdgDataHome))
        return {std::string(env.xdgDataHome) + "/pesko", ""};
    if (GivenAbsolute(env.home))
        return {std::string(env.home) + "/.local/share/pesko", ""};
    return {"", "pesko: neither HOME nor XDG_DATA_HOME is set: config.dat and hiscore.dat stay in the current folder\n"};
}

std::string ChooseConfigFolder(const PathOptions& options, const PathEnvironment& env, const std::string& saveFolder)
{
    if (!options.saveDir.empty() || Given(env.saveDir))
        return saveFolder;
    if (GivenAbsolute(env.xdgConfigHome))
        return std::string(env.xdgConfigHome) + "/pesko";
    if (GivenAbsolute(env.home))
        return std::string(env.home) + "/.config/pesko";
    return saveFolder;
}

bool MakeFolder(const std::string& folder, std::string& error)
{
    if (folder.empty())
        return true;
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = part + ": " + strerror(errno);
            return false;
        }
        if (slash == std::string::npos)
            break;
    }
    struct stat st;
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = folder + ": not a folder";
        return false;
    }
    return true;
}

static bool SameFolder(const std::string& a, const std::string& b)
{
    struct stat sa, sb;
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// The two files are tiny; anything large or odd is not one of them.
constexpr size_t LARGEST_OLD_SAVE = 4096;

bool CopyOldSave(const std::string& oldFolder, const std::string& newFolder, const char* name)
{
    return !SameFolder(oldFolder, newFolder) &&
           CopyFileIfAbsent(oldFolder + "/" + name, newFolder + "/" + name, LARGEST_OLD_SAVE);
}

static std::string s_DataFolder;
static std::string s_SaveFolder;
static std::string s_ConfigFolder;
static bool s_SaveFolderReady = true;

void SetGameFolders(const std::string& dataFolder, const std::string& saveFolder, const std::string& configFolder)
{
    s_DataFolder = dataFolder;
    s_SaveFolder = saveFolder;
    s_ConfigFolder = configFolder;
}

static std::string PathIn(const std::string& folder, const char* name)
{
    return folder.empty() ? std::string(name) : folder + "/" + name;
}

std::string DataPath(const char* name)
{
    return PathIn(s_DataFolder, name);
}

std::string SavePath(const char* name)
{
    return PathIn(s_SaveFolder, name);
}

const char* ConfigDir()
{
    return s_ConfigFolder.empty() ? "." : s_ConfigFolder.c_str();
}

bool SaveFolderReady()
{
    return s_SaveFolderReady;
}

static std::string ExecutablePath()
{
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return "";
    path[length] = '\0';
    return path;
}

static std::string JoinFolders(const std::vector<std::string>& folders)
{
    std::string list;
    for (const std::string& folder : folders)
        list += (list.empty() ? "" : ", ") + folder;
    return list;
}

static std::string s_SearchedFolders;

bool DataFolderFound()
{
    return !s_DataFolder.empty();
}

std::string DataSearchReport()
{
    return "data.dat was not found in any of: " + s_SearchedFolders + "\n";
}

void SetUpGameFolders(const PathOptions& options)
{
    PathEnvironment env = ProcessEnvironment();
    std::vector<std::string> candidates =
        DataFolderCandidates(options, env, ExecutablePath(), PESKO_INSTALL_DATA_DIR);
    std::string dataFolder = FirstFolderWithData(candidates);
    s_SearchedFolders = JoinFolders(candidates);

    SaveFolderChoice save = ChooseSaveFolder(options, env);
    if (!save.warning.empty())
        fputs(save.warning.c_str(), stderr);
    std::string error;
    s_SaveFolderReady = MakeFolder(save.folder, error);
    if (!s_SaveFolderReady)
        fprintf(stderr, "pesko: cannot make the save folder %s; settings and hi-scores are kept in memory only\n",
                error.c_str());
    SetGameFolders(dataFolder, save.folder, ChooseConfigFolder(options, env, save.folder));
    if (s_SaveFolderReady && !save.folder.empty()) {
        CopyOldSave(".", save.folder, "config.dat");
        CopyOldSave(".", save.folder, "hiscore.dat");
    }
}
