// The schedule of frames between steps, on made-up times: where the latest
// step sits, how a tick early or late moves the schedule, and dropped frames;
// and the looser wake-ups of the threads Allegro starts.
#include "platform/frame_clock.h"
#include "platform/timer_slack.h"
#include <sys/prctl.h>
#include <thread>
#include <gtest/gtest.h>

namespace {

constexpr int64_t MS = 1000000;

TEST(StepClockTest, FractionFollowsTheTicksAndAnEarlyOrLateTickMovesTheSchedule)
{
    StepClock steps;
    steps.Start(1000 * MS, 50 * MS);
    EXPECT_FLOAT_EQ(steps.Fraction(1025 * MS), 0.5f);
    steps.StepsRan(1);  // due at 1050
    EXPECT_FLOAT_EQ(steps.Fraction(1060 * MS), 0.2f);
    steps.StepsRan(1);  // due at 1100 but seen at 1090: taken as 1090 from now on
    EXPECT_FLOAT_EQ(steps.Fraction(1090 * MS), 0.0f);
    EXPECT_FLOAT_EQ(steps.Fraction(1115 * MS), 0.5f);
    // The next tick, due at 1140, is late: the picture waits at the latest step...
    EXPECT_FLOAT_EQ(steps.Fraction(1150 * MS), 1.0f);
    // ...and slides on from there once it comes.
    steps.StepsRan(1);
    EXPECT_FLOAT_EQ(steps.Fraction(1160 * MS), 0.2f);
}

TEST(FrameScheduleTest, SlotsComeSixtyASecondAndThosePastAreDropped)
{
    FrameSchedule frames;
    frames.Start(0);
    EXPECT_EQ(frames.Next(0), 16666667);
    // Woken right at a slot, the next is the one after it.
    EXPECT_EQ(frames.Next(16666667), 33333334);
    // A frame that took 40 ms skips the slots at 33.3 and 50 ms.
    EXPECT_EQ(frames.Next(56 * MS), 66666667);
    EXPECT_EQ(frames.Next(NANOS_PER_SECOND - 1), NANOS_PER_SECOND);
}

}  // namespace

// A thread started inside may sleep that much late; the starter keeps its own slack.
TEST(TimerSlackTest, ThreadsStartedInsideWakeLooselyTheStarterDoesNot)
{
    const long before = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    long started = 0;
    std::thread thread;
    EXPECT_TRUE(StartWithTimerSlack(3000000, [&] {
        thread = std::thread([&] { started = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0); });
        return true;
    }));
    thread.join();
    EXPECT_EQ(started, 3000000);
    EXPECT_EQ(prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0), before);
    EXPECT_FALSE(StartWithTimerSlack(3000000, [] { return false; }));
}
