#include "world/chance.h"
#include <cstdlib>

// Xorshift32 (Marsaglia 2003, shifts 13, 17, 5): fixed arithmetic on 32 bits,
// never stuck at zero as long as it does not start there.
void CChance::Seed(uint32_t seed)
{
    m_State = seed != 0 ? seed : 0x9E3779B9u;
}

int CChance::Roll()
{
    uint32_t x = m_State;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    m_State = x;
    return static_cast<int>(x >> 1);
}

int RollOf(CChance* chance)
{
    return chance ? chance->Roll() : rand();
}
