// The file layer: what stands in place of pesko.cfg, links at a written name,
// and the leftovers of killed saves.
#include "files/file_bytes.h"
#include "settings/display_settings.h"
#include "support/temp_dir.h"
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

// What a path is, without following it: kind, file and size (a link's size is its target's length).
static std::string Identity(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) != 0)
        return "nothing";
    return std::to_string(st.st_mode) + ":" + std::to_string(st.st_ino) + ":" + std::to_string(st.st_size);
}

static size_t LineCount(const std::string& text)
{
    return size_t(std::count(text.begin(), text.end(), '\n'));
}

TEST(FileLayerTest, AnythingButAFileAsPeskoCfgGivesDefaultsInOneLineAndIsNeverReplaced)
{
    struct Case {
        const char* what;
        std::function<void(const std::string&)> plant;
    };
    const Case cases[] = {
        {"a FIFO", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }},
        {"a folder", [](const std::string& p) { ASSERT_EQ(mkdir(p.c_str(), 0700), 0); }},
        {"/dev/zero", [](const std::string& p) { ASSERT_EQ(symlink("/dev/zero", p.c_str()), 0); }},
        // A link to itself cannot be opened, not even by root, whom no mode bit stops.
        {"an unreadable file", [](const std::string& p) { ASSERT_EQ(symlink(p.c_str(), p.c_str()), 0); }},
    };
    for (const Case& c : cases) {
        TempDir dir;  // a path of its own: a file kept as it is stays kept for the run
        const std::string path = dir.Path() + "/pesko.cfg";
        c.plant(path);
        const std::string before = Identity(path);

        DisplayChoice choice;
        testing::internal::CaptureStderr();
        ReadDisplaySettings(path, choice);
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(choice, DisplayChoice{}) << c.what;
        EXPECT_EQ(LineCount(said), 1u) << c.what << ": " << said;
        EXPECT_NE(said.find(path), std::string::npos) << c.what << ": " << said;

        EXPECT_FALSE(WriteDisplaySettings(path, DisplayChoice{true, 2})) << c.what;
        EXPECT_EQ(Identity(path), before) << c.what;
        EXPECT_FALSE(dir.Exists(WriterTempPath("pesko.cfg"))) << c.what;
    }
}

// The other file a link leads to keeps its bytes; the name becomes a file of its own.
TEST(FileLayerTest, TheWriterReplacesTheNameItIsGivenNeverWhatALinkLeadsTo)
{
    struct Case {
        const char* what;
        std::function<void()> plant;
        const char* other;  // the link's other file: its bytes, or nullptr when it must not exist
    };
    const Case cases[] = {
        {"a symlink", [] { ASSERT_EQ(symlink("other", "pesko.cfg"), 0); }, "the other file"},
        {"a hard link", [] { ASSERT_EQ(link("other", "pesko.cfg"), 0); }, "the other file"},
        {"a dangling link", [] { ASSERT_EQ(symlink("other", "pesko.cfg"), 0); }, nullptr},
    };
    for (const Case& c : cases) {
        TempDir dir;
        if (c.other)
            dir.WriteFile("other", c.other);
        c.plant();
        std::string why;
        ASSERT_TRUE(WriteFileAtomically("pesko.cfg", "new", 3, why)) << c.what << ": " << why;
        struct stat st;
        ASSERT_EQ(lstat("pesko.cfg", &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode) && st.st_nlink == 1) << c.what;
        EXPECT_EQ(dir.ReadFile("pesko.cfg"), "new") << c.what;
        if (c.other)
            EXPECT_EQ(dir.ReadFile("other"), c.other) << c.what;
        else
            EXPECT_FALSE(dir.Exists("other")) << c.what << ": the target was made";
    }
}

// Only the writer's own new files of the names given go, and only regular files.
TEST(FileLayerTest, LeftoversOfKilledSavesGoAndNothingElse)
{
    TempDir dir;
    for (const char* name : {"config.dat", "config.dat.new", "hiscore.dat.new", "mine", "notes.new",
                             "config.dat.new.bak", "hiscore.dat.old", "config.new"})
        dir.WriteFile(name, "bytes");
    ASSERT_EQ(symlink("mine", "pesko.cfg.new"), 0);
    ASSERT_EQ(mkdir("last.replay.new", 0700), 0);

    RemoveWriterLeftovers({"config.dat", "hiscore.dat", dir.Path() + "/pesko.cfg", "last.replay"});

    EXPECT_FALSE(dir.Exists("config.dat.new"));
    EXPECT_FALSE(dir.Exists("hiscore.dat.new"));
    for (const char* kept : {"config.dat", "mine", "notes.new", "config.dat.new.bak", "hiscore.dat.old",
                             "config.new", "pesko.cfg.new", "last.replay.new"})
        EXPECT_TRUE(dir.Exists(kept)) << kept;
    EXPECT_EQ(dir.ReadFile("mine"), "bytes");
}
