// Frames at the display's pace between the logic's fixed steps. The logic runs
// 20 or 25 steps a second on the timer's ticks; the frames come 60 times a
// second from the monotonic clock, each drawn a fraction of the way from the
// previous step to the latest one. Times are nanoseconds of the monotonic clock.
#pragma once
#include <cstdint>

constexpr int FRAMES_PER_SECOND = 60;
constexpr int64_t NANOS_PER_SECOND = 1000000000;

int64_t MonotonicNanos();
// False when the monotonic clock cannot time 60 frames a second; the screens
// then draw the latest step after each round of logic steps, as the menu does.
bool HasFrameClock();
// Sleeps until the given time of the monotonic clock.
void SleepUntil(int64_t when);

// When the latest logic step was due. Step n of a screen is due n periods after
// its ticks started; the timer keeps that pace without drifting, and a tick seen
// earlier or later than that moves the schedule along with it.
class StepClock {
public:
    void Start(int64_t startedAt, int64_t periodNanos);
    void StepsRan(int count);
    // The fraction of a period since the latest step, 0..1, at time `now`.
    float Fraction(int64_t now);
    // When the step after the latest one is due.
    int64_t NextDue() const;

private:
    int64_t m_Start = 0;
    int64_t m_Period = 1;
    int64_t m_Steps = 0;
};

// Slots of 1/60 s from the start; a slot already past is dropped, not drawn late.
class FrameSchedule {
public:
    void Start(int64_t now);
    // The first slot after `now`.
    int64_t Next(int64_t now) const;

private:
    int64_t m_Start = 0;
};
