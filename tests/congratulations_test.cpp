// The congratulations screen: the five-digit score and how long it lasts.
#include "data/datafile.h"
#include "game/game_state.h"
#include "app/globals.h"
#include "world/world.h"
#include "screens/congratulations.h"
#include "screens/front_end.h"
#include "support/fake_data.h"
#include "support/sound_log.h"
#include <gtest/gtest.h>

class CongratulationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFakeData();
        clear_keybuf();
        BindFishOrExit();
        BindCollection();
    }
    void TearDown() override
    {
        ReleaseCollection();
        clear_keybuf();
    }
    CongratulationsState congrats;
    SoundLog sounds;
};

TEST_F(CongratulationsTest, ScoreIsShownAsFiveDigits)
{
    g_Game.finalScore = 42;
    g_Game.hiScoreRank = -1;
    CongratulationsReset(congrats);
    EXPECT_EQ(congrats.scoreText, "00042");
    EXPECT_EQ(congrats.newHiScoreText, "") << "a score the table did not take says nothing";
    g_Game.hiScoreRank = 1;
    CongratulationsReset(congrats);
    EXPECT_EQ(congrats.newHiScoreText, "NEW HI-SCORE - 2ND PLACE");
    g_Game.hiScoreRank = -1;
}

TEST_F(CongratulationsTest, WithoutAKeyItLastsAtLeastTheSpawningSteps)
{
    CongratulationsReset(congrats);
    int steps = 0;
    while (!congrats.done && steps < 3000) {
        CongratulationsStep(congrats);
        CongratulationsCheckDone(congrats);
        steps++;
    }
    EXPECT_TRUE(congrats.done);
    EXPECT_GE(steps, CONGRATULATIONS_SPAWN_STEPS);
    EXPECT_EQ(g_Enemies.m_CHEnemyCount, 0) << "it waits for the last figure to leave";
    EXPECT_GT(steps, CONGRATULATIONS_SPAWN_STEPS) << "the last figures still had to cross";
    for (int sample : sounds.Samples())
        EXPECT_NE(sample, SND_SELECT);
}

TEST_F(CongratulationsTest, AnyKeyEndsItWithSelect)
{
    CongratulationsReset(congrats);
    CongratulationsStep(congrats);
    sounds.Clear();
    simulate_keypress((KEY_M << 8) | 'm');
    CongratulationsCheckDone(congrats);
    EXPECT_TRUE(congrats.done);
    EXPECT_EQ(sounds.Samples(), std::vector<int>{SND_SELECT});
}
