// The game's own handlers for the signals that ask it to end, and the crash
// signals given back, as start-up sets them around allegro_init.
#include "platform/quit_signals.h"
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

void OtherHandler(int) {}

void (*HandlerOf(int number))(int)
{
    struct sigaction now {};
    sigaction(number, nullptr, &now);
    return now.sa_handler;
}

const int CRASH_SIGNALS[] = {SIGQUIT, SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL};

// In a child: SIGHUP ignored from the start, Allegro's handlers in between
// (stood in for), then the game's. A first SIGTERM only sets the flag, an
// ignored SIGHUP stays ignored, the crash signals are back at their default,
// (or at what they were before: the sanitizers keep their own handlers there),
// and a second quit signal ends the process at once with its code.
void StartAndSignal(int second)
{
    signal(SIGHUP, SIG_IGN);
    void (*before[NSIG])(int) = {};
    for (int number : CRASH_SIGNALS)
        before[number] = HandlerOf(number);
    WatchQuitSignals();
    for (int number : {SIGTERM, SIGINT, SIGQUIT, SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL})
        signal(number, OtherHandler);  // what allegro_init does
    TakeSignalsBackFromAllegro();
    raise(SIGHUP);
    if (g_QuitSignal != 0)
        _exit(10);
    raise(SIGTERM);
    if (g_QuitSignal != SIGTERM)
        _exit(11);
    for (int number : CRASH_SIGNALS)
        if (HandlerOf(number) != before[number])
            _exit(12);
    raise(second);
    _exit(13);  // the second signal did not end it
}

TEST(QuitSignalsDeathTest, AFirstSignalSetsTheFlagASecondEndsAtOnce)
{
    EXPECT_EXIT(StartAndSignal(SIGINT), ::testing::ExitedWithCode(130), "");
    EXPECT_EXIT(StartAndSignal(SIGTERM), ::testing::ExitedWithCode(0), "");
}

}  // namespace
