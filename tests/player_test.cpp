// The fish: steering, crashes, blinking and pixel collisions against small
// hand-made masks and objects, in open water (the rock is the golden replays').
#include "platform/audio.h"
#include "data/datafile.h"
#include "support/keyboard.h"
#include "support/pixels.h"
#include "support/sound_log.h"
#include "world/character.h"
#include "world/level_map.h"
#include "world/player.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int RED = 0xFF0000;

class FishTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Nodes.reserve(16);  // linked nodes must never move
        m_Fish.SetBitmaps(m_Sprite, m_Mask);
        m_Fish.NewGame();
        m_Fish.m_ShieldTime = 0;
        m_Enemies.m_CHHead = nullptr;
        m_Enemies.m_CHEnemyCount = 0;
        m_Enemies.SetBitmaps(nullptr, m_SheetMask);
        m_Map.SetBitmaps(nullptr, m_TileMask);
        for (int c = 0; c < MAP_COLUMNS; c++)
            for (int r = 0; r < MAP_ROWS; r++)
                m_Map.m_Cells[c][r] = CMapCell{3, 3, 3, 3};
        key[KEY_LEFT] = key[KEY_RIGHT] = key[KEY_UP] = key[KEY_DOWN] = 0;
        SetSoundEffectsOn(true);
    }

    void TearDown() override
    {
        m_Enemies.m_CHHead = nullptr;  // the nodes belong to m_Nodes
        m_Enemies.m_CHEnemyCount = 0;
        m_Fish.ClearBitmaps();
        m_Map.ClearBitmaps();
    }

    // A solid block in frame 0 of the fish's mask.
    void SolidFish(int x0, int y0, int x1, int y1) { rectfill(m_Mask, x0, y0, x1, y1, RED); }

    void PlaceFish(int x, int y)
    {
        m_Fish.m_PosX = m_Fish.m_ScreenX = x;
        m_Fish.m_PosY = m_Fish.m_ScreenY = y;
    }

    // An object appended to the end of the list, its whole frame 0 solid.
    CCharacterNode& AddObject(int kind, int x, int y)
    {
        const CharacterKindInfo& k = g_CharacterKinds[kind];
        m_Nodes.push_back(CCharacterNode{kind, k.width, k.height, k.sheetX, k.sheetY, 0, 1, x, y, k.classId, 0,
                                         nullptr, x, y, 1});
        rectfill(m_SheetMask, k.sheetX, k.sheetY, k.sheetX + k.width - 1, k.sheetY + k.height - 1, RED);
        RelinkObjects();
        return m_Nodes.back();
    }

    // Frees what the collection added behind the test's own objects.
    void FreeObjects()
    {
        for (CCharacterNode* node = m_Enemies.m_CHHead; node;) {
            CCharacterNode* next = node->m_Next;
            if (node < m_Nodes.data() || node >= m_Nodes.data() + m_Nodes.size())
                delete node;
            node = next;
        }
        m_Nodes.clear();
        m_Enemies.m_CHHead = nullptr;
        m_Enemies.m_CHEnemyCount = 0;
    }

    void RelinkObjects()
    {
        for (size_t i = 0; i < m_Nodes.size(); i++)
            m_Nodes[i].m_Next = (i + 1 < m_Nodes.size()) ? &m_Nodes[i + 1] : nullptr;
        m_Enemies.m_CHHead = &m_Nodes[0];
        m_Enemies.m_CHEnemyCount = static_cast<int>(m_Nodes.size());
    }

    // One step steered by what the device holds, as the game reads it.
    PlayerEvent Tick(int device = CONTROL_KEYBOARD)
    {
        return m_Fish.Update(ReadHeldDirections(device, 320, 240), m_Map, m_Enemies);
    }

    Picture m_Sprite{PLAYER_FRAME_WIDTH * PLAYER_FRAME_COUNT, PLAYER_FRAME_HEIGHT, 0xFF00FF};
    Picture m_Mask{PLAYER_FRAME_WIDTH * PLAYER_FRAME_COUNT, PLAYER_FRAME_HEIGHT};
    Picture m_SheetMask{960, 688};
    Picture m_TileMask{120, 80};
    CPlayer m_Fish{640, 480};
    CLevelMap m_Map{640, 480};
    CCharacter m_Enemies{640, 480};
    std::vector<CCharacterNode> m_Nodes;
};

TEST_F(FishTest, JoystickChosenButNoneFoundSteersByTheArrows)
{
    key[KEY_RIGHT] = 1;
    Tick(CONTROL_JOYSTICK);
    EXPECT_EQ(m_Fish.m_SpeedX, 1);
    PlugJoystick();  // once a joystick is there, only the stick steers
    Tick(CONTROL_JOYSTICK);
    EXPECT_EQ(m_Fish.m_SpeedX, 0);
    joy[0].stick[0].axis[0].d2 = 1;
    Tick(CONTROL_JOYSTICK);
    EXPECT_EQ(m_Fish.m_SpeedX, 1);
    UnplugJoystick();
}

// The mouse steers as a stick of its offset from the centre, past 100 pixels.
TEST_F(FishTest, MouseIsAVirtualJoystickWithADeadZone)
{
    const struct { int x, y; const char* held; } cases[] = {
        {320, 240, "...."}, {220, 140, "...."}, {219, 139, "L.U."}, {420, 340, "...."}, {421, 341, ".R.D"}};
    for (const auto& c : cases) {
        mouse_x = c.x, mouse_y = c.y;
        std::string held;
        for (int d = DIR_LEFT; d <= DIR_DOWN; d++)
            held += m_Fish.IsDirectionOn(CONTROL_MOUSE, d) ? "LRUD"[d - DIR_LEFT] : '.';
        EXPECT_EQ(held, c.held) << c.x << ", " << c.y;
    }
    mouse_x = mouse_y = 0;
}

// A crash stops the fish and it rises out of the screen: without a spare life
// the game is over once it is out, with one it comes back at the start,
// shielded, its score kept.
TEST_F(FishTest, ACrashedFishRisesOutThenGameOverOrARespawn)
{
    SolidFish(0, 0, 99, 71);
    for (int lives : {0, 2}) {
        m_Fish.NewGame();
        m_Fish.m_ShieldTime = 0;
        PlaceFish(200, 200);
        AddObject(KIND_URCHIN, 220, 210);
        m_Fish.m_Lives = lives;
        m_Fish.m_Score = 777;
        SoundLog sounds;
        EXPECT_EQ(Tick(), PlayerEvent::CRASHED);
        EXPECT_EQ(m_Fish.m_SpeedX, 0);
        EXPECT_EQ(sounds.Samples(), std::vector<int>{SND_CRASH});
        EXPECT_EQ(sounds.Events()[0].b, PanAt(200));
        FreeObjects();
        int ticks = 0;
        PlayerEvent event = PlayerEvent::NONE;
        for (; event == PlayerEvent::NONE && m_Fish.m_State == 1 && ticks < 100; ticks++)
            event = Tick();
        // Rising speeds 1, 2, ..., 20, 20, ... from y 200, the first on the crash
        // tick: 210 pixels in 20 ticks, then 4 more of 20 to pass -72 (y -90).
        EXPECT_EQ(event, lives ? PlayerEvent::NONE : PlayerEvent::OUT_OF_LIVES);
        if (!lives) {
            EXPECT_EQ(ticks, 24);
            EXPECT_LE(m_Fish.m_ScreenY, -72);
        } else {
            EXPECT_EQ(m_Fish.m_State, 0);
            EXPECT_EQ(m_Fish.m_Lives, 1);
            EXPECT_EQ(m_Fish.m_Score, 777);
            EXPECT_EQ(m_Fish.m_ScreenX, PLAYER_START_X);
            EXPECT_EQ(m_Fish.m_ScreenY, PLAYER_START_Y);
            EXPECT_EQ(m_Fish.m_ShieldTime, PLAYER_SHIELD_TICKS);
        }
    }
}

TEST_F(FishTest, TintedBlinkDarkensTheFishAndLeavesTransparentPixels)
{
    rectfill(m_Sprite, 10, 10, 19, 19, makecol(250, 250, 250));
    Picture page(640, 480);
    for (int pass = 0; pass < 3; pass++) {  // the kept bitmap serves every frame
        clear_to_color(page, makecol(0, 0, 200));
        PlaceFish(100, 100);
        m_Fish.m_Visible = 0;
        m_Fish.Draw(page);
        int tinted = getpixel(page, 115, 115);
        EXPECT_NEAR(getr(tinted), 250 - (200 * 125) / 255, 2);
        EXPECT_EQ(getpixel(page, 150, 150), makecol(0, 0, 200));
    }
    m_Fish.m_Visible = 1;
    m_Fish.Draw(page);
    EXPECT_EQ(getpixel(page, 115, 115), makecol(250, 250, 250));
    m_Fish.ClearBitmaps();
    m_Fish.m_Visible = 0;
    m_Fish.Draw(page);  // unbound: draws nothing, must not fault
}

// What touching each kind does, with and without the shield: the answer the
// game crashes on, whether the object goes, where the fish is pushed, the
// sound (panned where the fish is) and the counters.
TEST_F(FishTest, EachKindActsOnTheFishItTouches)
{
    SolidFish(0, 0, 99, 71);
    constexpr int NONE = -1;
    struct Case { int kind; bool shielded; int answer; bool taken; int fishX, sound, lives, score, coins, objects; };
    const Case cases[] = {
        {KIND_URCHIN, false, CLASS_DEADLY, false, 100, NONE, 5, 40, 0, 1},
        {KIND_URCHIN, true, 0, false, 100, NONE, 5, 40, 0, 1},
        {KIND_MINE, false, CLASS_EXPLOSIVE, true, 100, SND_EXPLOSION, 5, 40, 0, 2},
        {KIND_MINE, true, 0, false, 100, NONE, 5, 40, 0, 1},
        {KIND_BOTTLE, false, CLASS_BOTTLE, false, 176, SND_BUMP, 5, 40, 0, 1},
        {KIND_BOTTLE, true, 0, false, 100, NONE, 5, 40, 0, 1},
        {KIND_COIN, false, CLASS_COIN, true, 100, SND_COIN, 5, 50, 1, 1},
        {KIND_COIN, true, 0, true, 100, SND_COIN, 5, 50, 1, 1},
        {KIND_EXTRA_LIFE, false, CLASS_EXTRA_LIFE, true, 100, SND_EXTRA, 6, 290, 0, 1},
        {KIND_ACTINIAN, false, 0, false, 100, SND_SHIELD, 5, 40, 0, 1},
        {KIND_BUBBLE, false, CLASS_BUBBLE, true, 100, NONE, 5, 40, 0, 1},
        {KIND_FRIEND, false, CLASS_HARMLESS, false, 100, NONE, 5, 40, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << (c.shielded ? " shielded" : ""));
        PlaceFish(100, 100);
        m_Fish.m_Lives = 5, m_Fish.m_Score = 40, m_Fish.m_Coins = 0;
        m_Fish.m_ShieldTime = c.shielded ? 10 : 0;
        CCharacterNode& object = AddObject(c.kind, 120, 110);
        SoundLog sounds;
        EXPECT_EQ(m_Fish.CheckCharacters(m_Enemies, 100, 100), c.answer);
        EXPECT_EQ(object.m_Destroyed == 1, c.taken);
        EXPECT_EQ(m_Fish.m_PosX, c.fishX);
        EXPECT_EQ(m_Fish.m_ScreenX, 100) << "the screen follows on the next tick";
        EXPECT_EQ(sounds.Samples(), c.sound == NONE ? std::vector<int>{} : std::vector<int>{c.sound});
        if (c.sound != NONE) {
            EXPECT_EQ(sounds.Events()[0].b, PanAt(100));
        }
        EXPECT_EQ(m_Fish.m_Lives, c.lives);
        EXPECT_EQ(m_Fish.m_Score, c.score);
        EXPECT_EQ(m_Fish.m_Coins, c.coins);
        EXPECT_EQ(m_Fish.m_ShieldTime > 0, c.shielded || c.kind == KIND_ACTINIAN);
        ASSERT_EQ(m_Enemies.m_CHEnemyCount, c.objects);
        if (c.objects == 2) {  // the explosion, centred on the mine
            EXPECT_EQ(object.m_Next->m_Kind, KIND_EXPLOSION);
            EXPECT_EQ(object.m_Next->m_X + 23, object.m_X + 25);
            EXPECT_EQ(object.m_Next->m_Y + 23, object.m_Y + 25);
        }
        FreeObjects();
    }
}

TEST_F(FishTest, TheHundredthCoinCallsUpAnExtraLife)
{
    SolidFish(0, 0, 99, 71);
    PlaceFish(100, 100);
    m_Fish.m_Coins = 98;
    CCharacterNode& coin = AddObject(KIND_COIN, 110, 110);
    m_Fish.CheckCharacters(m_Enemies, 100, 100);
    m_Fish.CheckCharacters(m_Enemies, 100, 100);
    EXPECT_EQ(m_Fish.m_Coins, 99) << "a taken coin counts once";
    coin.m_Destroyed = 0;
    m_Fish.CheckCharacters(m_Enemies, 100, 100);
    EXPECT_EQ(m_Fish.m_Coins, 0);
    ASSERT_EQ(m_Enemies.m_CHEnemyCount, 2);
    EXPECT_EQ(coin.m_Next->m_Kind, KIND_EXTRA_LIFE);
    EXPECT_EQ(coin.m_Next->m_X, 640) << "it comes in at the edge";
    FreeObjects();
}

TEST_F(FishTest, LivesStopAt99AndScoresStopShortOf99999)
{
    SolidFish(0, 0, 99, 71);
    PlaceFish(100, 100);
    CCharacterNode& item = AddObject(KIND_EXTRA_LIFE, 110, 110);
    struct Case { int lives, score, livesAfter, scoreAfter; };
    for (Case c : {Case{98, 0, 99, 250}, Case{99, 100, 99, 350}, Case{5, 99748, 6, 99998}, Case{5, 99749, 6, 99749}}) {
        item.m_Destroyed = 0;
        m_Fish.m_Lives = c.lives;
        m_Fish.m_Score = c.score;
        m_Fish.CheckCharacters(m_Enemies, 100, 100);
        EXPECT_EQ(m_Fish.m_Lives, c.livesAfter);
        EXPECT_EQ(m_Fish.m_Score, c.scoreAfter);
    }
    m_Nodes.clear();
    CCharacterNode& coin = AddObject(KIND_COIN, 110, 110);
    for (auto [score, after] : {std::pair{99948, 99958}, std::pair{99949, 99949}, std::pair{99999, 99999}}) {
        coin.m_Destroyed = 0;
        m_Fish.m_Score = score;
        m_Fish.CheckCharacters(m_Enemies, 100, 100);
        EXPECT_EQ(m_Fish.m_Score, after);
    }
}

// A bubble blows up every enemy in the sea and nothing else.
TEST_F(FishTest, ABubbleBlowsUpEveryEnemyAndNoFriend)
{
    SolidFish(0, 0, 99, 71);
    PlaceFish(100, 100);
    CCharacterNode& bubble = AddObject(KIND_BUBBLE, 110, 110);
    std::vector<int> kinds = {KIND_URCHIN, KIND_MINE, KIND_COIN, KIND_EXTRA_LIFE, KIND_ACTINIAN, KIND_FRIEND,
                              KIND_DECORATION, KIND_BOTTLE};
    for (size_t i = 0; i < kinds.size(); i++)
        AddObject(kinds[i], 300 + 30 * int(i), 300);
    m_Fish.CheckCharacters(m_Enemies, 100, 100);
    EXPECT_EQ(bubble.m_Destroyed, 1);
    for (size_t i = 0; i < kinds.size(); i++)
        EXPECT_EQ(m_Nodes[i + 1].m_Destroyed == 1, g_CharacterKinds[kinds[i]].classId < 0) << "kind " << kinds[i];
    EXPECT_EQ(m_Enemies.m_CHEnemyCount, int(m_Nodes.size()) + 2) << "an explosion for each enemy";
    FreeObjects();
}

// The object's mask is read at the frame it shows.
TEST_F(FishTest, AnObjectTouchesWithTheFrameItShows)
{
    SolidFish(0, 0, 99, 71);
    CCharacterNode& coin = AddObject(KIND_COIN, 110, 110);
    const CharacterKindInfo& k = g_CharacterKinds[KIND_COIN];
    rectfill(m_SheetMask, k.sheetX, k.sheetY, k.sheetX + k.width - 1, k.sheetY + k.height - 1, 0);
    rectfill(m_SheetMask, k.sheetX + k.width, k.sheetY, k.sheetX + 2 * k.width - 1, k.sheetY + k.height - 1, RED);
    EXPECT_EQ(m_Fish.CheckCharacters(m_Enemies, 100, 100), 0) << "its first frame is empty";
    coin.m_Frame = 1;
    EXPECT_EQ(m_Fish.CheckCharacters(m_Enemies, 100, 100), CLASS_COIN);
}

}  // namespace
