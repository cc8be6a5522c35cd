#include "game/record.h"
#include "files/options.h"
#include "game/game_state.h"
#include "game/level.h"
#include "world/world.h"

namespace {

struct InputBit {
    bool StepInput::*field;
    uint16_t bit;
};
const InputBit PRESS_BITS[] = {
    {&StepInput::escape, REPLAY_ESCAPE},     {&StepInput::pause, REPLAY_PAUSE},
    {&StepInput::sound, REPLAY_SOUND},       {&StepInput::music, REPLAY_MUSIC},
    {&StepInput::boxYes, REPLAY_BOX_YES},    {&StepInput::boxNo, REPLAY_BOX_NO},
    {&StepInput::boxAnswer, REPLAY_BOX_ANSWER}, {&StepInput::focusLost, REPLAY_FOCUS_LOST},
};
const struct {
    bool HeldDirections::*field;
    uint16_t bit;
} STEERING_BITS[] = {
    {&HeldDirections::left, REPLAY_LEFT},
    {&HeldDirections::right, REPLAY_RIGHT},
    {&HeldDirections::up, REPLAY_UP},
    {&HeldDirections::down, REPLAY_DOWN},
};

// FNV-1a over 32-bit values: the same on every machine.
class Digest {
public:
    Digest& operator<<(int64_t value)
    {
        const uint32_t v = static_cast<uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            m_Hash ^= (v >> shift) & 0xFF;
            m_Hash *= 16777619u;
        }
        return *this;
    }
    uint32_t Value() const { return m_Hash; }

private:
    uint32_t m_Hash = 2166136261u;
};

ReplayEnd EndOfGame()
{
    if (g_Game.seaCrossed)
        return ReplayEnd::SeaCrossed;
    return g_Game.gameOver ? ReplayEnd::GameOver : ReplayEnd::Quit;
}

}  // namespace

uint16_t InputBits(const StepInput& input)
{
    uint16_t bits = 0;
    for (const auto& s : STEERING_BITS)
        if (input.held.*s.field)
            bits |= s.bit;
    for (const InputBit& p : PRESS_BITS)
        if (input.*p.field)
            bits |= p.bit;
    return bits;
}

StepInput InputFromBits(uint16_t bits)
{
    StepInput input;
    for (const auto& s : STEERING_BITS)
        input.held.*s.field = (bits & s.bit) != 0;
    for (const InputBit& p : PRESS_BITS)
        input.*p.field = (bits & p.bit) != 0;
    return input;
}

uint32_t WorldDigest()
{
    Digest d;
    const CPlayer& p = g_Player;
    d << p.m_Score << p.m_Lives << p.m_Coins << p.m_State << p.m_PosX << p.m_PosY << p.m_ScreenX << p.m_ScreenY
      << p.m_SpeedX << p.m_SpeedY << p.m_ShieldTime << p.m_Visible << p.m_Frame << p.m_FrameDelay << p.m_LeaveLevel;
    const CLevelMap& m = g_LevelMap;
    d << m.m_Level << m.m_Distance << m.m_ScrollX << m.m_StepPixels << m.m_Completed << m.m_CeilingRow;
    d << static_cast<int>(g_ScrollLayer1.m_PosX) << static_cast<int>(g_ScrollLayer2.m_PosX);
    for (const CCharacter* c : {&g_Enemies, &g_Icons}) {
        d << c->m_CHEnemyCount << c->m_CHEnemyDelayForAddNew << c->m_CHAnimDelay;
        for (const CCharacterNode* n = c->m_CHHead; n; n = n->m_Next)
            d << n->m_Kind << n->m_X << n->m_Y << n->m_Frame << n->m_Destroyed;
    }
    const GameState& g = g_Game;
    d << g.quitRequested << g.quitBoxOpen << g.quitChoice << g.paused << g.soundOn << g.musicOn << g.gameOverTime
      << g.gameOver << g.seaCrossed;
    d << g_GameChance.State() << g_SpawnOrderPosition;
    return d.Value();
}

void GameRecorder::Start(const GameStart& start, int control, const char* playerName)
{
    m_Replay = Replay{};
    m_Replay.gameVersion = GAME_VERSION;
    m_Replay.seed = start.seed;
    m_Replay.spawnOrderPosition = start.spawnOrderPosition;
    m_Replay.control = control;
    m_Replay.speed = g_Game.speed;
    m_Replay.playerName = playerName;
}

void GameRecorder::Stepped(const StepInput& input)
{
    if (m_Replay.inputs.size() >= REPLAY_MAX_STEPS)
        return;
    m_Replay.inputs.push_back(InputBits(input));
    m_LastDigest = WorldDigest();
    if (m_Replay.inputs.size() % REPLAY_DIGEST_STEPS == 0)
        m_Replay.digests.push_back(m_LastDigest);
}

bool GameRecorder::Finish(Replay& replay)
{
    const size_t steps = m_Replay.inputs.size();
    if (steps == 0 || steps >= REPLAY_MAX_STEPS)
        return false;
    if (steps % REPLAY_DIGEST_STEPS != 0)
        m_Replay.digests.push_back(m_LastDigest);
    m_Replay.end = EndOfGame();
    m_Replay.finalScore = g_Player.m_Score;
    replay = m_Replay;
    return true;
}

ReplayRun::ReplayRun(const Replay& replay) : m_Replay(replay), m_SpawnOrderBefore(g_SpawnOrderPosition)
{
    InitLevel_01(GameStart{replay.seed, replay.spawnOrderPosition});
    g_Game.speed = replay.speed;
}

ReplayRun::~ReplayRun()
{
    ExitLevel_01();
    g_SpawnOrderPosition = m_SpawnOrderBefore;
}

void ReplayRun::Step()
{
    if (Finished())
        return;
    UpdateLevel_01(InputFromBits(m_Replay.inputs[m_Steps]));
    m_Steps++;
    if (m_FirstDifference == 0 && IsDigestStep(m_Steps, m_Replay.inputs.size())) {
        const size_t block = (m_Steps - 1) / REPLAY_DIGEST_STEPS;
        if (block < m_Replay.digests.size() && WorldDigest() != m_Replay.digests[block])
            m_FirstDifference = m_Steps;
    }
}

ReplayCheck CheckReplay(const Replay& replay)
{
    ReplayRun run(replay);
    while (!run.Finished() && run.FirstDifference() == 0)
        run.Step();
    ReplayCheck check;
    check.steps = run.StepsRun();
    check.score = g_Player.m_Score;
    if (run.FirstDifference() != 0)
        check.problem = "the world differs from the recording after step " + std::to_string(run.FirstDifference());
    else if (!IsGameEnded() || EndOfGame() != replay.end)
        check.problem = "the game does not end as recorded after step " + std::to_string(check.steps);
    else if (check.score != replay.finalScore)
        check.problem = "score " + std::to_string(check.score) + ", recorded " + std::to_string(replay.finalScore);
    check.ok = check.problem.empty();
    return check;
}
