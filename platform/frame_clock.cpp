#include "platform/frame_clock.h"
#include <cerrno>
#include <ctime>

int64_t MonotonicNanos()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * NANOS_PER_SECOND + now.tv_nsec;
}

bool HasFrameClock()
{
    timespec resolution;
    if (clock_getres(CLOCK_MONOTONIC, &resolution) != 0)
        return false;
    // A clock that cannot tell a millisecond apart cannot space frames evenly.
    return resolution.tv_sec == 0 && resolution.tv_nsec <= 1000000;
}

void SleepUntil(int64_t when)
{
    timespec at;
    at.tv_sec = static_cast<time_t>(when / NANOS_PER_SECOND);
    at.tv_nsec = static_cast<long>(when % NANOS_PER_SECOND);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

void StepClock::Start(int64_t startedAt, int64_t periodNanos)
{
    m_Start = startedAt;
    m_Period = periodNanos;
    m_Steps = 0;
}

void StepClock::StepsRan(int count)
{
    m_Steps += count;
}

float StepClock::Fraction(int64_t now)
{
    const int64_t latestDue = m_Start + m_Steps * m_Period;
    if (now < latestDue) {
        // The tick came before its time: it is taken as having come now.
        m_Start -= latestDue - now;
        return 0.0f;
    }
    if (now > latestDue + m_Period) {
        // The next tick is late: the picture waits at the latest step for it.
        m_Start += now - (latestDue + m_Period);
        return 1.0f;
    }
    return static_cast<float>(static_cast<double>(now - latestDue) / static_cast<double>(m_Period));
}

int64_t StepClock::NextDue() const
{
    return m_Start + (m_Steps + 1) * m_Period;
}

void FrameSchedule::Start(int64_t now)
{
    m_Start = now;
}

int64_t FrameSchedule::Next(int64_t now) const
{
    const int64_t slot = (now - m_Start) * FRAMES_PER_SECOND / NANOS_PER_SECOND + 1;
    // Rounded up, so that waking at a slot's time never finds the same slot next.
    return m_Start + (slot * NANOS_PER_SECOND + FRAMES_PER_SECOND - 1) / FRAMES_PER_SECOND;
}
