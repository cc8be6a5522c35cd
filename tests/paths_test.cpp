// Where the game looks for its data and keeps the player's files.
#include "files/paths.h"
#include "support/temp_dir.h"
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using Folders = std::vector<std::string>;

TEST(DataFolderTest, NamedFolderAloneElseExecutableThenInstall)
{
    PathEnvironment env;
    env.dataDir = "/env";
    // A named folder is the only one searched, the option before the variable.
    EXPECT_EQ(DataFolderCandidates({"/option", ""}, env, "/build/pesko", "/usr"), (Folders{"/option"}));
    EXPECT_EQ(DataFolderCandidates({}, env, "/build/pesko", "/usr"), (Folders{"/env"}));
    env.dataDir = nullptr;
    Folders all = DataFolderCandidates({}, env, "/build/pesko", "/usr/share/games/pesko");
    EXPECT_EQ(all, (Folders{"/build", "/build/../share/games/pesko", "/usr/share/games/pesko"}));

    env.dataDir = "";  // empty counts as unset
    Folders bare = DataFolderCandidates({}, env, "", "/usr/share/games/pesko");
    EXPECT_EQ(bare, (Folders{"/usr/share/games/pesko"}));
}

TEST(DataFolderTest, FirstFolderHoldingDataDatWinsEvenWithoutTheMovie)
{
    TempDir dir;
    mkdir("empty", 0755);
    mkdir("partial", 0755);
    mkdir("full", 0755);
    mkdir("folder_named_data", 0755);
    mkdir("folder_named_data/data.dat", 0755);  // not a file
    dir.WriteFile("partial/data.dat", "x");     // no gamelogo.avi beside it
    dir.WriteFile("full/data.dat", "x");
    dir.WriteFile("full/gamelogo.avi", "x");
    std::string p = dir.Path() + "/";
    EXPECT_EQ(FirstFolderWithData({p + "missing", p + "empty", p + "folder_named_data", p + "partial", p + "full"}),
              p + "partial");
    EXPECT_EQ(FirstFolderWithData({p + "empty", p + "missing"}), "");
}

// The saves: the option, the variable, an absolute XDG_DATA_HOME, the home;
// with none the current folder, said so. pesko.cfg goes to XDG_CONFIG_HOME
// unless the save folder was named.
TEST(SaveFolderTest, OptionThenVariableThenXdgThenHome)
{
    PathEnvironment env;
    env.saveDir = "/saves";
    env.xdgDataHome = "/xdg";
    env.home = "/home/p";
    EXPECT_EQ(ChooseSaveFolder({"", "/opt"}, env).folder, "/opt");
    EXPECT_EQ(ChooseSaveFolder({}, env).folder, "/saves");
    env.saveDir = nullptr;
    EXPECT_EQ(ChooseSaveFolder({}, env).folder, "/xdg/pesko");
    env.xdgDataHome = "relative/xdg";  // ignored: XDG folders are absolute
    EXPECT_EQ(ChooseSaveFolder({}, env).folder, "/home/p/.local/share/pesko");
    EXPECT_EQ(ChooseSaveFolder({}, env).warning, "");
    const SaveFolderChoice none = ChooseSaveFolder({}, PathEnvironment{});
    EXPECT_EQ(none.folder, "");
    EXPECT_NE(none.warning.find("current folder"), std::string::npos);

    EXPECT_EQ(ChooseConfigFolder({}, env, "/home/p/.local/share/pesko"), "/home/p/.config/pesko");
    env.xdgConfigHome = "/cfg";
    EXPECT_EQ(ChooseConfigFolder({}, env, "/home/p/.local/share/pesko"), "/cfg/pesko");
    EXPECT_EQ(ChooseConfigFolder({"", "/mine"}, env, "/mine"), "/mine");
    env.saveDir = "/tests";
    EXPECT_EQ(ChooseConfigFolder({}, env, "/tests"), "/tests");
}

TEST(MakeFolderTest, MissingFoldersAreMadePrivateAndOneThatCannotBeIsReported)
{
    TempDir dir;
    std::string error;
    ASSERT_TRUE(MakeFolder(dir.Path() + "/home/.local/share/pesko", error)) << error;
    EXPECT_EQ(dir.Mode("home/.local/share/pesko"), 0700u);
    EXPECT_TRUE(MakeFolder(dir.Path() + "/home/.local/share/pesko", error)) << "an existing folder is fine";
    dir.WriteFile("file", "a file where a folder should be");
    EXPECT_FALSE(MakeFolder(dir.Path() + "/file/pesko", error));
    EXPECT_NE(error.find("file"), std::string::npos) << error;
}

// An old save is copied into an empty save folder and kept; a save there is never
// overwritten, and a FIFO never waited on.
TEST(CopyOldSaveTest, CopiesIntoAnEmptySaveFolderOnly)
{
    TempDir dir;
    mkdir("save", 0700);
    dir.WriteFile("hiscore.dat", std::string(120, 'h'));
    EXPECT_TRUE(CopyOldSave(dir.Path(), dir.Path() + "/save", "hiscore.dat"));
    EXPECT_EQ(dir.ReadFile("save/hiscore.dat"), std::string(120, 'h'));
    EXPECT_EQ(dir.ReadFile("hiscore.dat"), std::string(120, 'h')) << "copied, not moved";
    EXPECT_FALSE(CopyOldSave(dir.Path(), dir.Path() + "/save", "config.dat")) << "nothing to copy";
    EXPECT_FALSE(dir.Exists("save/config.dat"));
    dir.WriteFile("config.dat", "old folder");
    dir.WriteFile("save/config.dat", "the save");
    EXPECT_FALSE(CopyOldSave(dir.Path(), dir.Path() + "/save", "config.dat"));
    EXPECT_EQ(dir.ReadFile("save/config.dat"), "the save");
    EXPECT_FALSE(CopyOldSave(dir.Path(), dir.Path(), "config.dat")) << "the same folder";
    EXPECT_EQ(dir.ReadFile("config.dat"), "old folder");
    mkfifo("fifo.dat", 0600);
    EXPECT_FALSE(CopyOldSave(dir.Path(), dir.Path() + "/save", "fifo.dat"));
    EXPECT_FALSE(dir.Exists("save/fifo.dat"));
}
