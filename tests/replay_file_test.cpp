// The recorded game's file: what is written reads back step for step, stays
// small, and anything damaged, cut, foreign or impossible is refused in one line.
#include "files/options.h"
#include "replay/replay_file.h"
#include "support/temp_dir.h"
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <functional>
#include <string>
#include <vector>

namespace {

// A game of `steps` steps: steering changed every `steerEvery` steps and a
// press every `pressEvery` steps (0: none).
Replay MadeUpGame(size_t steps, size_t steerEvery, size_t pressEvery)
{
    Replay r;
    r.gameVersion = GAME_VERSION;
    r.seed = 0xC0FFEE;
    r.spawnOrderPosition = 7;
    r.control = 2;
    r.end = ReplayEnd::GameOver;
    r.playerName = "ANONYM";
    r.finalScore = 1234;
    for (size_t i = 0; i < steps; i++) {
        uint16_t input = static_cast<uint16_t>((i / steerEvery * 7) & REPLAY_STEERING);
        if (pressEvery && i % pressEvery == 0)
            input |= REPLAY_ESCAPE << (i / pressEvery % 8);
        r.inputs.push_back(input);
        if (IsDigestStep(i + 1, steps))
            r.digests.push_back(static_cast<uint32_t>(i * 2654435761u));
    }
    return r;
}

std::string Decoded(const std::vector<uint8_t>& bytes, Replay& out)
{
    return DecodeReplay(bytes.data(), bytes.size(), out);
}

TEST(ReplayFile, WritesAndReadsBackEveryStepAndDigest)
{
    for (size_t steps : {1, 99, 100, 101, 4321}) {
        for (size_t steerEvery : {1, 3, 50}) {
            const Replay game = MadeUpGame(steps, steerEvery, 17);
            Replay back;
            ASSERT_EQ(Decoded(EncodeReplay(game), back), "") << steps << " steps";
            EXPECT_EQ(back.inputs, game.inputs);
            EXPECT_EQ(back.digests, game.digests);
            EXPECT_EQ(back.seed, game.seed);
            EXPECT_EQ(back.spawnOrderPosition, 7);
            EXPECT_EQ(back.control, 2);
            EXPECT_EQ(back.end, ReplayEnd::GameOver);
            EXPECT_EQ(back.playerName, "ANONYM");
            EXPECT_EQ(back.finalScore, 1234);
        }
    }
}

// Ten minutes are 12000 steps: steered afresh on every step, with a press
// every eighth of a second, they still take at most 16 KB.
TEST(ReplayFile, TenMinutesOfRestlessPlayFitIn16KB)
{
    EXPECT_LE(EncodeReplay(MadeUpGame(12000, 1, 3)).size(), 16u * 1024);
}

TEST(ReplayFile, RefusesWhatIsNotAWholeReplayOfThisGame)
{
    const std::vector<uint8_t> good = EncodeReplay(MadeUpGame(250, 5, 9));
    struct Case {
        const char* what;
        std::function<Replay(Replay)> change;  // applied before writing
        std::function<void(std::vector<uint8_t>&)> damage;  // applied after
        const char* says;
    };
    auto none = [](std::vector<uint8_t>&) {};
    auto same = [](Replay r) { return r; };
    const Case cases[] = {
        {"cut in the middle", same, [](std::vector<uint8_t>& b) { b.resize(b.size() / 2); }, "bad checksum"},
        {"cut to the magic", same, [](std::vector<uint8_t>& b) { b.resize(8); }, "cut short"},
        {"empty", same, [](std::vector<uint8_t>& b) { b.clear(); }, "not a pesko replay"},
        {"one bit flipped", same, [](std::vector<uint8_t>& b) { b[60] ^= 4; }, "bad checksum"},
        {"another format", same, [](std::vector<uint8_t>& b) { b[8] = 9; }, "format 9"},
        {"another game version", [](Replay r) { r.gameVersion = "0.9\n"; return r; }, none, "pesko 0.9?"},
        {"no step at all", [](Replay r) { r.inputs.clear(); r.digests.clear(); return r; }, none, "steps"},
        {"a score past 99999", [](Replay r) { r.finalScore = 100000; return r; }, none, "score"},
        {"an unknown device", [](Replay r) { r.control = 7; return r; }, none, "start"},
        {"an input bit no key gives", [](Replay r) { r.inputs.assign(r.inputs.size(), 0x8000); return r; }, none,
         "input"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = EncodeReplay(c.change(MadeUpGame(250, 5, 9)));
        c.damage(bytes);
        Replay out;
        const std::string said = Decoded(bytes, out);
        EXPECT_NE(said.find(c.says), std::string::npos) << c.what << ": " << said;
        EXPECT_EQ(said.find('\n'), std::string::npos) << c.what;
    }
    Replay out;
    EXPECT_EQ(Decoded(good, out), "");
}

// A FIFO, a folder and a file past the size limit are refused without being
// read; what is written is a whole file under its name.
TEST(ReplayFile, ReadsOnlyRegularFilesOfAReplaysSize)
{
    TempDir dir;
    Replay game = MadeUpGame(300, 4, 0), out;
    std::string why;
    ASSERT_TRUE(WriteReplayFile("game.replay", game, why)) << why;
    EXPECT_EQ(ReadReplayFile("game.replay", out), "");
    EXPECT_EQ(out.inputs, game.inputs);

    ASSERT_EQ(mkfifo("fifo.replay", 0600), 0);
    ASSERT_EQ(mkdir("folder.replay", 0700), 0);
    dir.WriteFile("huge.replay", std::string(REPLAY_MAX_BYTES + 1, 'P'));
    for (const char* name : {"fifo.replay", "folder.replay", "huge.replay", "missing.replay"})
        EXPECT_NE(ReadReplayFile(name, out), "") << name;
}

}  // namespace
