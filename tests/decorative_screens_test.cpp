// The screens that only show something: the congratulations, the hi-score
// table, the credits and the demo. Each ends by itself once its show is over
// (the figures of the first three gone too), and any key ends it at once with
// the select sound.
#include "app/globals.h"
#include "data/datafile.h"
#include "game/demo.h"
#include "game/game_state.h"
#include "screens/congratulations.h"
#include "screens/credits.h"
#include "screens/front_end.h"
#include "screens/hiscore_screen.h"
#include "support/fake_data.h"
#include "support/sound_log.h"
#include "world/world.h"
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

namespace {

CongratulationsState s_Congrats;
HiScoreState s_Table;
CreditsState s_Credits;
DemoState s_Demo;
BITMAP* s_Strip = nullptr;

struct DecorativeScreen {
    const char* name;
    std::function<int()> leastSteps;  // without a key it runs at least this many steps
    bool waitsForFigures;  // and then until the last figure has left
    std::function<void()> open, step, close;
    std::function<bool()> done;
};

void PrintTo(const DecorativeScreen& screen, std::ostream* out)
{
    *out << screen.name;
}

const DecorativeScreen SCREENS[] = {
    {"congratulations", [] { return CONGRATULATIONS_SPAWN_STEPS; }, true,
     [] { BindFishOrExit(); BindCollection(); CongratulationsReset(s_Congrats); },
     [] { CongratulationsStep(s_Congrats); }, [] { FreePlayerData(); ReleaseCollection(); },
     [] { return s_Congrats.done; }},
    {"hiscore", [] { return HISCORE_RAIN_STEPS; }, true, [] { BindCollection(); HiScoreReset(s_Table); },
     [] { HiScoreStep(s_Table); }, ReleaseCollection, [] { return s_Table.done; }},
    {"credits", [] { return s_Credits.totalHeight / CREDITS_ROLL_STEP; }, true,
     [] {
         s_Strip = create_bitmap(CREDITS_TEXT_WIDTH, CREDITS_STRIP_HEIGHT);
         BindCollection();
         CreditsReset(s_Credits, s_Strip);
     },
     [] { CreditsStep(s_Credits); }, [] { ReleaseCollection(); destroy_bitmap(s_Strip); },
     [] { return s_Credits.done; }},
    {"demo", [] { return DEMO_TICKS + 1; }, false, [] { DemoReset(s_Demo); }, [] { DemoStep(s_Demo); }, DemoRelease,
     [] { return s_Demo.done; }},
};

class DecorativeScreenTest : public ::testing::TestWithParam<DecorativeScreen> {
protected:
    void SetUp() override
    {
        UseFakeData();
        clear_keybuf();
        srand(7);
        GetParam().open();
    }
    void TearDown() override
    {
        GetParam().close();
        clear_keybuf();
    }
    int StepsUntilDone(int most)
    {
        int steps = 0;
        while (!GetParam().done() && steps < most) {
            GetParam().step();
            steps++;
        }
        return steps;
    }
    SoundLog sounds;
};

TEST_P(DecorativeScreenTest, EndsByItselfOnceItsShowIsOver)
{
    const DecorativeScreen& screen = GetParam();
    const int steps = StepsUntilDone(5000);
    EXPECT_TRUE(screen.done());
    if (screen.waitsForFigures) {
        EXPECT_GT(steps, screen.leastSteps()) << "the last figures still had to leave";
        EXPECT_EQ(g_Enemies.m_CHEnemyCount, 0);
    } else {
        EXPECT_EQ(steps, screen.leastSteps());
    }
    const std::vector<int> played = sounds.Samples();
    EXPECT_EQ(std::count(played.begin(), played.end(), SND_SELECT), 0) << "no key, no select sound";
}

TEST_P(DecorativeScreenTest, AnyKeyEndsItWithTheSelectSound)
{
    const DecorativeScreen& screen = GetParam();
    screen.step();
    EXPECT_FALSE(screen.done());
    simulate_keypress((KEY_Q << 8) | 'q');
    screen.step();
    EXPECT_TRUE(screen.done());
    const std::vector<int> played = sounds.Samples();
    EXPECT_EQ(std::count(played.begin(), played.end(), SND_SELECT), 1);
}

INSTANTIATE_TEST_SUITE_P(Screens, DecorativeScreenTest, ::testing::ValuesIn(SCREENS),
                         [](const auto& info) { return std::string(info.param.name); });

// The score as the HUD shows it, and NEW HI-SCORE only for a score the table took.
TEST(CongratulationsTest, ShowsTheFinalScoreAndItsPlace)
{
    UseFakeData();
    BindFishOrExit();
    g_Game.finalScore = 42;
    for (int rank : {-1, 0, 1}) {
        g_Game.hiScoreRank = rank;
        CongratulationsReset(s_Congrats);
        EXPECT_EQ(s_Congrats.scoreText, "00042");
        EXPECT_EQ(s_Congrats.newHiScoreText, rank < 0 ? "" : rank == 0 ? "NEW HI-SCORE - 1ST PLACE"
                                                                        : "NEW HI-SCORE - 2ND PLACE");
    }
    g_Game.hiScoreRank = -1;
    FreePlayerData();
}

}  // namespace
