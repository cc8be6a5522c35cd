// The known content of the small test movies, shared by the generator and the tests.
#pragma once
#include <cstddef>
#include <cstdint>

// Four flat quadrants; the bottom-right one carries the frame number as a grey level.
constexpr uint32_t TEST_TOP_LEFT = 0xFF0000;
constexpr uint32_t TEST_TOP_RIGHT = 0x00FF00;
constexpr uint32_t TEST_BOTTOM_LEFT = 0x0000FF;

inline int TestFrameGrey(int frame)
{
    return 10 + (frame * 12) % 240;
}

inline uint32_t TestPatternPixel(int frame, int x, int y, int width, int height)
{
    bool right = x >= width / 2;
    bool bottom = y >= height / 2;
    if (!bottom)
        return right ? TEST_TOP_RIGHT : TEST_TOP_LEFT;
    if (!right)
        return TEST_BOTTOM_LEFT;
    uint32_t g = static_cast<uint32_t>(TestFrameGrey(frame));
    return (g << 16) | (g << 8) | g;
}

// Every audio byte of a test movie is a function of its offset in the track.
inline uint8_t TestAudioByte(size_t offset)
{
    return static_cast<uint8_t>(offset * 7 + offset / 251);
}
