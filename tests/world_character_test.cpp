#include "platform/audio.h"
#include "data/datafile.h"
#include "support/pixels.h"
#include "world/character.h"
#include "world/sprite.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <vector>

namespace {

std::vector<CCharacterNode*> Nodes(const CCharacter& c)
{
    std::vector<CCharacterNode*> nodes;
    for (CCharacterNode* n = c.m_CHHead; n; n = n->m_Next)
        nodes.push_back(n);
    return nodes;
}

CCharacterNode* FirstOfKind(const CCharacter& c, int kind)
{
    for (CCharacterNode* n : Nodes(c))
        if (n->m_Kind == kind)
            return n;
    return nullptr;
}

class CharacterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartHeadlessAllegro();
        srand(99);
        g_SpawnOrderPosition = 0;
        SetSoundEffectsOn(true);
    }
    CCharacter sea{640, 480};
};

TEST_F(CharacterTest, ABandNoHigherThanTheObjectPutsItAtTheTop)
{
    sea.m_CHSpawnTop = 240;
    sea.m_CHSpawnHeight = 10;  // lower than every kind
    EXPECT_EQ(sea.AddEnemy(KIND_URCHIN, 1, 0, 0), 0);
    sea.m_CHSpawnHeight = 21;  // exactly a coin
    EXPECT_EQ(sea.AddEnemy(KIND_COIN, 1, 0, 0), 0);
    for (CCharacterNode* n : Nodes(sea))
        EXPECT_EQ(n->m_Y, 240);
}

TEST_F(CharacterTest, ABubbleBlowingUpManyEnemiesDoesNotDivideByZero)
{
    // Five enemies and the bubble the fish has just taken, with four the minimum.
    sea.m_ChenemyCountOnScreenMin = 4;
    sea.AddEnemy(KIND_BUBBLE, 0, 300, 100);
    for (int i = 0; i < 5; i++)
        sea.AddEnemy(KIND_URCHIN, 0, 100 + i * 70, 200);
    sea.m_CHHead->m_Destroyed = 1;
    sea.ExplodeEnemies();
    EXPECT_EQ(sea.m_CHEnemyCount, 11);
    sea.m_CHEnemyDelayForAddNew = 100;
    sea.RemoveDestroyedEnemies();
    // Counts after each removal 10..5 give divisors -4, -3, -2, -1, 0 (skipped), 1.
    EXPECT_EQ(sea.m_CHEnemyCount, 5);
    EXPECT_EQ(sea.m_CHEnemyDelayForAddNew, 4);
    for (CCharacterNode* n : Nodes(sea))
        EXPECT_EQ(n->m_Kind, KIND_EXPLOSION);
}

TEST_F(CharacterTest, AnExplosionPlaysItsRowOnceAndGoes)
{
    sea.m_CHStopAddNew = 1;
    sea.AddEnemy(KIND_EXPLOSION, 0, 300, 200);
    std::vector<int> frames;
    for (int tick = 0; tick < 18; tick++) {
        sea.MoveCharacter(0);
        ASSERT_EQ(sea.m_CHEnemyCount, 1) << "tick " << tick;
        frames.push_back(sea.m_CHHead->m_Frame);
    }
    // Three ticks a frame; the first for two here, as the delay starts at 3.
    EXPECT_EQ(frames, (std::vector<int>{0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6}));
    EXPECT_EQ(sea.m_CHHead->m_Destroyed, 1);
    sea.MoveCharacter(0);
    EXPECT_EQ(sea.m_CHEnemyCount, 0);
}

TEST_F(CharacterTest, AFinishedExplosionKeepsItsLastFrameUntilRemoved)
{
    sea.InitForInstructions();
    for (int tick = 0; tick < 60; tick++)
        sea.MoveCharacterForInstructions();
    EXPECT_EQ(FirstOfKind(sea, KIND_EXPLOSION)->m_Frame, 6);
    EXPECT_EQ(sea.m_CHEnemyCount, 13);  // the instructions never remove
}

TEST_F(CharacterTest, NoSpawnWhenStoppedOrWithoutAMinimumAndAHugeOneStillWaitsTenTicks)
{
    sea.m_CHSpawnHeight = 280;
    sea.m_ChenemyCountOnScreenMin = 4;
    sea.m_CHStopAddNew = 1;
    sea.MoveCharacter(2);
    EXPECT_EQ(sea.m_CHEnemyCount, 0);
    sea.m_CHStopAddNew = 0;
    sea.m_ChenemyCountOnScreenMin = 0;
    sea.MoveCharacter(2);
    EXPECT_EQ(sea.m_CHEnemyCount, 0);
    sea.m_ChenemyCountOnScreenMin = 1000;  // 640 / 1000 is 0
    sea.MoveCharacter(2);
    EXPECT_EQ(sea.m_CHEnemyCount, 1);
    EXPECT_EQ(sea.m_CHEnemyDelayForAddNew, 10);
}

TEST_F(CharacterTest, ScreensWithAMinimumOfZeroDoNotFault)
{
    sea.InitForScreen(0);
    sea.MoveCharacterForCongratulations(1, -10);
    sea.MoveCharacterForHiScore(1, 10);
    sea.MoveCharacterForCredits(1, -5);
    EXPECT_EQ(sea.m_CHEnemyCount, 0);
    sea.InitForScreen(500);  // 120 / 500 is 0
    sea.MoveCharacterForCongratulations(1, -10);
    sea.MoveCharacterForHiScore(1, 10);
    EXPECT_EQ(sea.m_CHEnemyCount, 2);
    EXPECT_EQ(sea.m_CHEnemyDelayForAddNew, 0);
}

// A sheet whose frames are filled with colours that name the kind and frame.
class CharacterDrawTest : public CharacterTest {
protected:
    static int FrameColour(int kind, int frame) { return makecol(20 + kind * 10, 30 + frame * 20, 200); }
    void SetUp() override
    {
        CharacterTest::SetUp();
        for (int kind = 0; kind < CHARACTER_KIND_COUNT; kind++) {
            const CharacterKindInfo& k = g_CharacterKinds[kind];
            for (int f = 0; f < k.frameCount; f++) {
                const int x = k.sheetX + f * k.width;
                rectfill(sheet, x, k.sheetY, x + k.width - 1, k.sheetY + k.height - 1, FrameColour(kind, f));
                putpixel(sheet, x, k.sheetY, makecol(255, 0, 255));  // a see-through corner
                putpixel(mask, x + 1, k.sheetY + 1, makecol(255, 0, 0));
            }
        }
        sea.SetBitmaps(sheet, mask);
    }
    Picture sheet{960, 688, 0xFF00FF}, mask{960, 688, 0xFF00FF}, target{640, 480, 0x3C};
};

TEST_F(CharacterDrawTest, ObjectsAreDrawnAtTheirFramesAndOffsets)
{
    sea.AddEnemy(KIND_URCHIN, 0, 100, 100);
    sea.AddEnemy(KIND_BUBBLE, 0, 300, 200);
    FirstOfKind(sea, KIND_BUBBLE)->m_Frame = 3;
    sea.m_CHOffsetX = 5;
    sea.m_CHOffsetY = 7;
    sea.DrawCharacters(target);
    EXPECT_EQ(getpixel(target, 105, 107), makecol(0, 0, 60));  // the mask-coloured corner
    EXPECT_EQ(getpixel(target, 106, 107), FrameColour(KIND_URCHIN, 0));
    EXPECT_EQ(getpixel(target, 105 + 65, 107 + 55), FrameColour(KIND_URCHIN, 0));
    EXPECT_EQ(getpixel(target, 105 + 66, 107 + 55), makecol(0, 0, 60));
    EXPECT_EQ(getpixel(target, 310, 210), FrameColour(KIND_BUBBLE, 3));
    EXPECT_EQ(sea.m_Mask, mask);
    EXPECT_TRUE(IsMaskSolid(sea.m_Mask, 230 + 3 * 30 + 1, 70 + 1));
}

TEST_F(CharacterDrawTest, ADamagedSheetIsNotReadPastItsEdge)
{
    Picture small(40, 40, 0xFF0000);
    sea.SetBitmaps(small, small);
    sea.AddEnemy(KIND_BIG_FISH, 0, 100, 100);
    sea.m_CHHead->m_Frame = 7;
    sea.DrawCharacters(target);
    EXPECT_EQ(getpixel(target, 150, 120), makecol(0, 0, 60));
    EXPECT_FALSE(IsMaskSolid(sea.m_Mask, 7 * 120 + 5, 380 + 5));
    EXPECT_TRUE(IsMaskSolid(sea.m_Mask, 5, 5));
    EXPECT_FALSE(IsMaskSolid(nullptr, 5, 5));
    sea.ClearBitmaps();
    sea.DrawCharacters(target);
}

// A frame lands as Allegro's masked_blit puts it, and a copied part as blit puts
// it: across every edge of the sheet, of the picture and of its clipping, at every width.
TEST(SpriteFrameTest, DrawsWhatAllegroDraws)
{
    Picture sheet(97, 61), expected(200, 150), drawn(200, 150);
    srand(11);
    for (int y = 0; y < 61; y++)
        for (int x = 0; x < 97; x++)
            putpixel(sheet, x, y, rand() % 3 ? rand() & 0xFFFFFF : bitmap_mask_color(sheet));
    int wrong = 0;
    for (int round = 0; round < 450; round++) {
        const int colour = rand() & 0xFFFFFF, w = 1 + rand() % 40, h = 1 + rand() % 30;
        const int sheetX = rand() % 110 - 10, sheetY = rand() % 70 - 5, frame = rand() % 3;
        const int x = rand() % 240 - 40, y = rand() % 190 - 40;
        for (BITMAP* picture : {static_cast<BITMAP*>(expected), static_cast<BITMAP*>(drawn)}) {
            clear_to_color(picture, colour);
            set_clip_rect(picture, 0, 0, 199, 149);
            if (round % 2)
                set_clip_rect(picture, 30, 20, 150, 110);
        }
        if (round % 3) {
            masked_blit(sheet, expected, sheetX + frame * w, sheetY, x, y, w, h);
            DrawSpriteFrame(drawn, sheet, sheetX, sheetY, frame, w, h, x, y);
        } else {
            blit(sheet, expected, sheetX, sheetY, x, y, w, h);
            CopyPart(drawn, sheet, sheetX, sheetY, x, y, w, h);
        }
        for (int py = 0; py < 150; py++)
            for (int px = 0; px < 200; px++)
                wrong += getpixel(expected, px, py) != getpixel(drawn, px, py);
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(CharacterDrawTest, OnlyPureRedIsSolid)
{
    putpixel(mask, 0, 0, 0xFF0000);
    putpixel(mask, 1, 0, 0xFF0001);
    putpixel(mask, 2, 0, 0xFE0000);
    EXPECT_TRUE(IsMaskSolid(mask, 0, 0));
    EXPECT_FALSE(IsMaskSolid(mask, 1, 0));
    EXPECT_FALSE(IsMaskSolid(mask, 2, 0));
    EXPECT_FALSE(IsMaskSolid(mask, -1, 0));
    EXPECT_EQ(MaskPixel(mask, 960, 0), -1);
}

}  // namespace
