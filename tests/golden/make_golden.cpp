// Makes the golden replays kept in tests/golden/: whole games steered by a
// player program that looks ahead in the game itself, recorded as every game
// is. Run again whenever a rule of play changes on purpose:
//   build/tests/pesko-golden DATA_DIR tests/golden 7
// (DATA_DIR holds data.dat: the collision masks decide every game; 7 is the
// seed of the game that crosses the sea, 1979 when left out. It takes a few
// minutes: the player tries 45 plans every fourth step.)
#include "app/globals.h"
#include "app/startup.h"
#include "files/paths.h"
#include "game/game_start.h"
#include "game/game_state.h"
#include "game/level.h"
#include "game/record.h"
#include "world/world.h"
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

// Everything a step can change, kept to try a plan and then forget it.
class WorldSnapshot {
public:
    void Save()
    {
        for (size_t i = 0; i < PLAYER_FIELDS.size(); i++)
            m_Player[i] = g_Player.*PLAYER_FIELDS[i];
        m_Map = g_LevelMap;
        m_Layer1 = g_ScrollLayer1;
        m_Layer2 = g_ScrollLayer2;
        SaveCollection(g_Enemies, m_Enemies);
        SaveCollection(g_Icons, m_Icons);
        m_Game = g_Game;
        m_Chance = g_GameChance;
        m_SpawnOrder = g_SpawnOrderPosition;
    }
    void Restore()
    {
        for (size_t i = 0; i < PLAYER_FIELDS.size(); i++)
            g_Player.*PLAYER_FIELDS[i] = m_Player[i];
        g_LevelMap = m_Map;
        g_ScrollLayer1 = m_Layer1;
        g_ScrollLayer2 = m_Layer2;
        RestoreCollection(g_Enemies, m_Enemies);
        RestoreCollection(g_Icons, m_Icons);
        g_Game = m_Game;
        g_GameChance = m_Chance;
        g_SpawnOrderPosition = m_SpawnOrder;
    }

private:
    // A collection's fields, and its objects copied apart: the kept copy owns no list.
    struct Collection {
        CCharacter fields{0, 0};
        std::vector<CCharacterNode> nodes;
    };
    static void SaveCollection(const CCharacter& c, Collection& s)
    {
        s.fields = c;
        s.fields.m_CHHead = nullptr;
        s.nodes.clear();
        for (const CCharacterNode* n = c.m_CHHead; n; n = n->m_Next)
            s.nodes.push_back(*n);
    }
    static void RestoreCollection(CCharacter& c, const Collection& s)
    {
        c.RemoveAllEnemies();
        c = s.fields;
        CCharacterNode** link = &c.m_CHHead;
        for (const CCharacterNode& n : s.nodes) {
            *link = new CCharacterNode(n);
            link = &(*link)->m_Next;
        }
        *link = nullptr;
    }
    inline static const std::vector<int CPlayer::*> PLAYER_FIELDS = {
        &CPlayer::m_ScreenX,   &CPlayer::m_ScreenY,    &CPlayer::m_PosX,         &CPlayer::m_PosY,
        &CPlayer::m_SpeedX,    &CPlayer::m_SpeedY,     &CPlayer::m_Lives,        &CPlayer::m_Coins,
        &CPlayer::m_Score,     &CPlayer::m_ShieldTime, &CPlayer::m_BlinkDelay,   &CPlayer::m_Visible,
        &CPlayer::m_State,     &CPlayer::m_LeaveLevel, &CPlayer::m_Frame,        &CPlayer::m_FrameDelay,
        &CPlayer::m_PrevScreenX, &CPlayer::m_PrevScreenY,
    };
    int m_Player[18] = {};
    CLevelMap m_Map{SCREEN_WIDTH, SCREEN_HEIGHT};
    CScrollLayer m_Layer1{SCREEN_WIDTH, SCREEN_HEIGHT}, m_Layer2{SCREEN_WIDTH, SCREEN_HEIGHT};
    Collection m_Enemies, m_Icons;
    GameState m_Game{};
    CChance m_Chance;
    int m_SpawnOrder = 0;
};

StepInput Steering(int dx, int dy)
{
    StepInput input;
    input.held.left = dx < 0;
    input.held.right = dx > 0;
    input.held.up = dy < 0;
    input.held.down = dy > 0;
    return input;
}

// The toggles a player uses, at fixed steps: pause and go on, sound and music
// off and on, the quit box opened and answered No.
StepInput WithToggles(StepInput input, size_t step)
{
    switch (step) {
    case 150: case 170: input.pause = true; break;
    case 200: case 260: input.sound = true; break;
    case 300: case 330: input.music = true; break;
    case 400: input.escape = true; break;
    case 405: input.boxYes = true; break;
    case 410: input.boxNo = true; break;
    case 415: input.boxAnswer = true; break;
    }
    return input;
}

constexpr int FIRST_STEPS = 5;    // a direction is held this long
constexpr int SECOND_STEPS = 10;  // then a second one, then the fish stops
constexpr int LOOK_AHEAD = 36;    // steps a plan is followed to judge it
constexpr int DECIDE_EVERY = 4;

// Where the fish's top would put it in the middle of the open water ahead of it.
int OpenWaterMiddle()
{
    const int column = (g_Player.m_PosX + PLAYER_FRAME_WIDTH + g_LevelMap.m_ScrollX) / TILE_SIZE;
    if (column < 0 || column >= MAP_COLUMNS)
        return PLAYER_START_Y;
    for (int row = 0; row < MAP_ROWS; row++)
        if (g_LevelMap.m_Cells[column][row].m_TileY == 1)  // the ceiling's edge: 15 rows of water below
            return (row + 8) * TILE_SIZE + TILE_SIZE / 2 - PLAYER_FRAME_HEIGHT / 2;
    return PLAYER_START_Y;
}

// Pressing against the motion stops the fish dead on that axis.
StepInput Braking()
{
    return Steering(g_Player.m_SpeedX > 0 ? -1 : g_Player.m_SpeedX < 0 ? 1 : 0,
                    g_Player.m_SpeedY > 0 ? -1 : g_Player.m_SpeedY < 0 ? 1 : 0);
}

// A plan: one direction, then a second, then braking to a stop and drifting.
struct Plan {
    int dx = 0, dy = 0, dx2 = 0, dy2 = 0;
    // Nine first directions (holding still among them), each followed by
    // holding still or one of the four straight ones.
    static Plan Numbered(int n)
    {
        static const int SECOND[5][2] = {{0, 0}, {0, -1}, {0, 1}, {1, 0}, {-1, 0}};
        return Plan{n % 3 - 1, n / 3 % 3 - 1, SECOND[n / 9][0], SECOND[n / 9][1]};
    }
    StepInput At(int step) const
    {
        if (step < FIRST_STEPS)
            return Steering(dx, dy);
        if (step < FIRST_STEPS + SECOND_STEPS)
            return Steering(dx2, dy2);
        return Braking();
    }
};
constexpr int PLAN_COUNT = 45;

// How good it is to follow a plan from here: surviving longest first, then
// keeping well away from the left edge (where the rock pushes in), near the
// middle of the open water, then points.
long JudgePlan(const Plan& plan)
{
    const int livesBefore = g_Player.m_Lives, scoreBefore = g_Player.m_Score;
    for (int k = 0; k < LOOK_AHEAD && !IsGameEnded(); k++) {
        UpdateLevel_01(plan.At(k));
        if (g_Player.m_State != 0 || g_Player.m_Lives < livesBefore)
            return -10000000L + 10000L * k;
    }
    const int x = g_Player.m_PosX;
    return 20L * (g_Player.m_Score - scoreBefore) + 2000L * (g_Player.m_Lives - livesBefore) -
           60L * std::max(0, 180 - x) - 6L * std::abs(x - 280) - 4L * std::abs(g_Player.m_PosY - OpenWaterMiddle());
}

constexpr size_t CHECKPOINT_EVERY = 25;
constexpr int TRIES_PER_CRASH = 30;

// The look-ahead player: every fourth step, the best of 45 plans of two
// directions and a stop. When the fish crashes all the same, the game goes
// back a checkpoint or more and the player tries again there with plans
// picked at random among the safe ones; only when no try gets it through does
// it keep the crash and lose a life.
std::vector<StepInput> PlayWell(size_t limit)
{
    struct Checkpoint {
        WorldSnapshot world;
        size_t steps;
    };
    std::vector<StepInput> inputs;
    std::vector<Checkpoint> checkpoints;
    WorldSnapshot snapshot;
    CChance dice(77);  // the player's own, apart from the game's
    Plan plan;
    int step = LOOK_AHEAD, tries = 0;
    size_t wanderUntil = 0, crashedAt = 0;
    while (!IsGameEnded() && inputs.size() < limit) {
        const bool steering = g_Player.m_State == 0 && !g_Game.paused && !g_Game.quitBoxOpen;
        if (inputs.size() % CHECKPOINT_EVERY == 0 && steering &&
            (checkpoints.empty() || checkpoints.back().steps < inputs.size())) {
            checkpoints.push_back(Checkpoint{});
            checkpoints.back().world.Save();
            checkpoints.back().steps = inputs.size();
        }
        if (inputs.size() % DECIDE_EVERY == 0 && steering) {
            snapshot.Save();
            long best = 0;
            std::vector<int> safe;
            for (int n = 0; n < PLAN_COUNT; n++) {
                const long value = JudgePlan(Plan::Numbered(n));
                snapshot.Restore();
                if (value > -5000000L)
                    safe.push_back(n);
                if (n == 0 || value > best) {
                    best = value;
                    plan = Plan::Numbered(n);
                }
            }
            if (inputs.size() < wanderUntil && !safe.empty())
                plan = Plan::Numbered(safe[static_cast<size_t>(dice.Roll()) % safe.size()]);
            step = 0;
        }
        const StepInput input = WithToggles(steering ? plan.At(step++) : StepInput{}, inputs.size());
        const bool wasSwimming = g_Player.m_State == 0 && g_Player.m_ShieldTime == 0;
        UpdateLevel_01(input);
        inputs.push_back(input);
        if (inputs.size() % 500 == 0)
            fprintf(stderr, "step %zu level %d lives %d score %d\n", inputs.size(), g_LevelMap.m_Level,
                    g_Player.m_Lives, g_Player.m_Score);
        if (!wasSwimming || g_Player.m_State == 0 || checkpoints.size() < 2)
            continue;
        if (inputs.size() > crashedAt + CHECKPOINT_EVERY)
            tries = 0;  // a new place where the fish crashes
        if (tries >= TRIES_PER_CRASH)
            continue;  // no way found through here: the life is spent
        tries++;
        crashedAt = std::max(crashedAt, inputs.size());
        const size_t back = std::min(checkpoints.size() - 1, static_cast<size_t>(2 + tries / 6));
        checkpoints.resize(checkpoints.size() - back + 1);
        checkpoints.back().world.Restore();
        inputs.resize(checkpoints.back().steps);
        wanderUntil = crashedAt + 2;
        step = LOOK_AHEAD;
    }
    return inputs;
}

// Straight up into the rock, life after life: a short game that ends in GAME OVER.
std::vector<StepInput> PlayIntoTheRock(size_t limit)
{
    std::vector<StepInput> inputs;
    while (!IsGameEnded() && inputs.size() < limit) {
        StepInput input = WithToggles(Steering(inputs.size() / 40 % 2 ? 1 : 0, -1), inputs.size());
        UpdateLevel_01(input);
        inputs.push_back(input);
    }
    return inputs;
}

// Plays a game, then records it again from its start as the game records every game.
bool MakeGolden(const std::string& path, const GameStart& start,
                const std::function<std::vector<StepInput>(size_t)>& play)
{
    InitLevel_01(start);
    const std::vector<StepInput> inputs = play(20 * 60 * 20);
    const bool ended = IsGameEnded();
    ExitLevel_01();
    if (!ended) {
        fprintf(stderr, "%s: the game did not end\n", path.c_str());
        return false;
    }
    GameRecorder recorder;
    recorder.Start(start, 0, "GOLDEN");
    InitLevel_01(start);
    for (const StepInput& input : inputs) {
        UpdateLevel_01(input);
        recorder.Stepped(input);
    }
    Replay replay;
    recorder.Finish(replay);
    ExitLevel_01();
    std::string why;
    if (!WriteReplayFile(path, replay, why)) {
        fprintf(stderr, "%s: %s\n", path.c_str(), why.c_str());
        return false;
    }
    printf("%s: score %d steps %zu, %s\n", path.c_str(), replay.finalScore, replay.inputs.size(),
           replay.end == ReplayEnd::SeaCrossed ? "sea crossed" : replay.end == ReplayEnd::GameOver ? "game over" : "quit");
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        fputs("usage: pesko-golden DATA_DIR OUT_DIR [CROSSING_SEED]\n", stderr);
        return 2;
    }
    const std::string out = argv[2];
    SetGameFolders(argv[1], out, out);
    InitHeadlessGame();
    bool made = MakeGolden(out + "/game_over.replay", GameStart{20261208, 0}, PlayIntoTheRock);
    made = MakeGolden(out + "/crossing.replay", GameStart{argc == 4 ? static_cast<uint32_t>(std::atoi(argv[3])) : 1979u, 3}, PlayWell) && made;
    return made ? 0 : 1;
}
