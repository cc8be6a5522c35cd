// Recorded games: a scripted game recorded as the game records it plays back
// to the same world after every step, whatever else draws from the C library's
// dice; one changed input shows from its step on; hi-score rows keep their games.
#include "files/options.h"
#include "files/paths.h"
#include "game/game_start.h"
#include "game/game_state.h"
#include "game/level.h"
#include "game/record.h"
#include "replay/replay_store.h"
#include "settings/save_files.h"
#include "support/screen_test.h"
#include "support/temp_dir.h"
#include "world/world.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr GameStart START{0x5EED, 4};
constexpr size_t SCRIPT_STEPS = 640;

// A few hundred steps of steering, with the toggles and the quit box.
std::vector<StepInput> ScriptedGame()
{
    std::vector<StepInput> inputs(SCRIPT_STEPS);
    for (size_t i = 0; i < inputs.size(); i++) {
        StepInput& in = inputs[i];
        const int phase = static_cast<int>(i / 23 % 6);
        in.held.right = phase == 0 || phase == 3;
        in.held.up = phase == 1;
        in.held.down = phase == 2 || phase == 3;
        in.held.left = phase == 4;
    }
    inputs[100].pause = inputs[130].pause = true;
    inputs[200].sound = inputs[240].music = true;
    inputs[300].escape = true;
    inputs[303].boxYes = inputs[306].boxNo = inputs[309].boxAnswer = true;
    inputs[400].focusLost = true;
    inputs[420].pause = true;
    return inputs;
}

// The digest after every step of a game played on `inputs`.
std::vector<uint32_t> DigestsOf(const std::vector<StepInput>& inputs, Replay* recording = nullptr)
{
    InitLevel_01(START);
    GameRecorder recorder;
    recorder.Start(START, 0, "TESTER");
    std::vector<uint32_t> digests;
    for (const StepInput& input : inputs) {
        UpdateLevel_01(input);
        recorder.Stepped(input);
        digests.push_back(WorldDigest());
    }
    g_Game.quitRequested = true;  // ended here, as a quit game
    if (recording)
        recorder.Finish(*recording);
    ExitLevel_01();
    return digests;
}

class ReplayTest : public ScreenTest {};

TEST_F(ReplayTest, ARecordedGamePlaysBackToTheSameWorldAfterEveryStep)
{
    Replay recording;
    const std::vector<uint32_t> played = DigestsOf(ScriptedGame(), &recording);
    ASSERT_EQ(recording.inputs.size(), SCRIPT_STEPS);
    ASSERT_EQ(recording.digests.size(), 7u);  // after 100, 200, ... 600 and 640
    Replay reread;
    const std::vector<uint8_t> bytes = EncodeReplay(recording);
    ASSERT_EQ(DecodeReplay(bytes.data(), bytes.size(), reread), "");

    std::vector<uint32_t> replayed;
    const int spawnOrderBefore = g_SpawnOrderPosition;
    {
        ReplayRun run(reread);
        while (!run.Finished()) {
            // The screens draw from the C library's generator: the game's dice are its own.
            srand(static_cast<unsigned>(replayed.size()));
            (void)rand();
            run.Step();
            replayed.push_back(WorldDigest());
        }
        EXPECT_EQ(run.FirstDifference(), 0u);
    }
    EXPECT_EQ(replayed, played);
    EXPECT_EQ(g_SpawnOrderPosition, spawnOrderBefore) << "watching leaves the run's spawn order alone";
}

// One input bit changed at a step: the world is the same up to it and differs
// after it; a pause pressed once shifts the whole game, so it differs from
// that step on, and the replay of the original says so at the next digest.
TEST_F(ReplayTest, OneChangedInputShowsFromItsStepOn)
{
    Replay recording;
    const std::vector<StepInput> script = ScriptedGame();
    const std::vector<uint32_t> played = DigestsOf(script, &recording);
    for (size_t changed : {5, 150, 333}) {
        for (bool StepInput::*bit : {&StepInput::pause, &StepInput::sound}) {
            std::vector<StepInput> other = script;
            other[changed].*bit = !(other[changed].*bit);
            const std::vector<uint32_t> digests = DigestsOf(other);
            for (size_t i = 0; i < played.size(); i++)
                ASSERT_EQ(digests[i] == played[i], i < changed) << "changed at step " << changed + 1 << ", step " << i + 1;
        }
        std::vector<StepInput> steered = script;
        steered[changed].held.up = !steered[changed].held.up;
        EXPECT_NE(DigestsOf(steered)[changed], played[changed]) << "steering changed at step " << changed + 1;

        Replay tampered = recording;
        tampered.inputs[changed] ^= REPLAY_PAUSE;
        const ReplayCheck check = CheckReplay(tampered);
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(check.steps, (changed / 100 + 1) * 100) << check.problem;
    }
}

Replay GameOf(const char* name, int score)
{
    Replay r;
    r.gameVersion = GAME_VERSION;
    r.playerName = name;
    r.finalScore = score;
    r.end = ReplayEnd::GameOver;
    r.inputs.assign(10, 0);
    r.digests.assign(1, static_cast<uint32_t>(score));
    return r;
}

// A row's game moves down with its row and goes when the row drops out; a row
// without one has none, and a damaged one says why.
TEST_F(ReplayTest, HiScoreRowsKeepTheirGames)
{
    TempDir dir;
    SetGameFolders("", dir.Path(), dir.Path());
    memcpy(g_HiScores, DEFAULT_HISCORES, sizeof g_HiScores);
    auto play = [](const char* name, int score) {
        const int row = InsertHiScore(score, name);
        KeepRecordedGame(GameOf(name, score), row);
        return row;
    };
    auto rowGame = [](int row) {
        Replay r;
        std::string why;
        const KeptReplay kept = ReadRowReplay(row, r, why);
        return kept == KeptReplay::Read ? r.playerName : kept == KeptReplay::None ? std::string("-") : "! " + why;
    };
    EXPECT_EQ(play("FIRST", 1000), 2);
    EXPECT_EQ(play("LOW", 50), -1);
    EXPECT_EQ(play("SECOND", 5000), 0);
    EXPECT_EQ(play("THIRD", 600), 5);
    auto rows = [&] {
        std::vector<std::string> games;
        for (int row = 0; row < HISCORE_ROWS; row++)
            games.push_back(rowGame(row));
        return games;
    };
    EXPECT_EQ(rows(), (std::vector<std::string>{"SECOND", "-", "-", "FIRST", "-", "THIRD"}));
    Replay last;
    EXPECT_EQ(ReadReplayFile(SavePath(LAST_REPLAY_FILE), last), "");
    EXPECT_EQ(last.playerName, "THIRD");

    EXPECT_EQ(play("FOURTH", 1500), 3);  // FIRST moves down with its game; THIRD drops out with its own
    EXPECT_EQ(rows(), (std::vector<std::string>{"SECOND", "-", "-", "FOURTH", "FIRST", "-"}));

    dir.WriteFile("hiscore1.replay", "PESKOREP damaged");
    EXPECT_EQ(rowGame(0), "! cut short");
    Replay best;
    ASSERT_TRUE(ReadBestRecordedGame(best));
    EXPECT_EQ(best.playerName, "FOURTH") << "a damaged row is passed over";
    SetGameFolders("", "", "");
}

}  // namespace
