// The dice of one game: a small generator of its own, so that the same seed
// deals the same sea on every machine and every build, and nothing outside
// the game (the screens, the sound) can take a number from it.
#pragma once
#include <cstdint>

class CChance {
public:
    explicit CChance(uint32_t seed = 1) { Seed(seed); }
    void Seed(uint32_t seed);
    // The next number, 0 to 2^31 - 1 like rand(), so that `% n` deals as before.
    int Roll();
    uint32_t State() const { return m_State; }

private:
    uint32_t m_State;
};

// The next number of `chance`; without one (the front end's seas and
// decorations) the C library's generator deals.
int RollOf(CChance* chance);
