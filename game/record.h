// Recording a game step by step and running a recorded one again: the input
// of every step as bits, and digests of the world that the replay must meet.
#pragma once
#include "game/game.h"
#include "game/game_start.h"
#include "replay/replay_file.h"
#include <cstdint>
#include <string>

uint16_t InputBits(const StepInput& input);
StepInput InputFromBits(uint16_t bits);

// The world after a step: the fish (score, lives, coins, place, speed, state,
// shield, frame), the map's level and progress, the layers, every object of
// the sea, the game's flags and countdowns, and the dice.
uint32_t WorldDigest();

// Keeps the input of every step of the game in play and the world's digest
// every 100 steps and after the last.
class GameRecorder {
public:
    void Start(const GameStart& start, int control, const char* playerName);
    // After each step, with the input the step ran on.
    void Stepped(const StepInput& input);
    // The game is over: its end and final score go in. False for a game too
    // long to keep.
    bool Finish(Replay& replay);

private:
    Replay m_Replay;
    uint32_t m_LastDigest = 0;
};

// A recorded game set up from its start and stepped as it was played. The run
// of the program's own games is left as it was: the spawn order comes back.
class ReplayRun {
public:
    explicit ReplayRun(const Replay& replay);
    ~ReplayRun();
    ReplayRun(const ReplayRun&) = delete;
    ReplayRun& operator=(const ReplayRun&) = delete;

    bool Finished() const { return m_Steps >= m_Replay.inputs.size(); }
    // Runs the next recorded step and compares the digest kept after it.
    void Step();
    size_t StepsRun() const { return m_Steps; }
    // The first step after which the world differed from the recording; 0 while none has.
    size_t FirstDifference() const { return m_FirstDifference; }

private:
    const Replay& m_Replay;
    size_t m_Steps = 0;
    size_t m_FirstDifference = 0;
    int32_t m_SpawnOrderBefore;
};

// The record of the last game played in this run; none before the first.
const Replay* LastRecordedGame();

struct ReplayCheck {
    bool ok = false;
    int32_t score = 0;
    size_t steps = 0;
    std::string problem;  // one line when not ok
};
// Plays the whole game again as fast as it goes and checks every digest, the
// end and the final score.
ReplayCheck CheckReplay(const Replay& replay);
