#include "platform/quit_signals.h"
#include <pthread.h>
#include <unistd.h>

volatile sig_atomic_t g_QuitSignal = 0;

namespace {

const int QUIT_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};
// Allegro's X11 driver catches these to shut itself down and re-raise: a
// crash must instead reach the system as it is.
const int CRASH_SIGNALS[] = {SIGQUIT, SIGILL, SIGABRT, SIGFPE, SIGSEGV, SIGBUS};

volatile sig_atomic_t s_Leaving = 0;
bool s_StartedIgnored[NSIG] = {};
struct sigaction s_BeforeAllegro[NSIG];

// Sets a flag and nothing else: no X call, no memory, no stdio. A second
// signal (or one that comes while the game is already leaving) ends it at once.
void OnQuitSignal(int number)
{
    if (g_QuitSignal || s_Leaving)
        _exit(QuitSignalExitCode(number));
    g_QuitSignal = number;
}

void Handle(int number)
{
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(number, &action, nullptr);
}

void Ignore(int number)
{
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    sigaction(number, &action, nullptr);
}

// Allegro's handler is in place from inside allegro_init until it is taken
// back: a quit signal in between waits, blocked, for the game's own.
void BlockQuitSignals(int how)
{
    sigset_t set;
    sigemptyset(&set);
    for (int number : QUIT_SIGNALS)
        sigaddset(&set, number);
    pthread_sigmask(how, &set, nullptr);
}

}  // namespace

void WatchQuitSignals()
{
    for (int number : CRASH_SIGNALS)
        sigaction(number, nullptr, &s_BeforeAllegro[number]);
    for (int number : QUIT_SIGNALS) {
        struct sigaction inherited {};
        sigaction(number, nullptr, &inherited);
        s_StartedIgnored[number] = inherited.sa_handler == SIG_IGN;
        if (!s_StartedIgnored[number])
            Handle(number);
    }
    BlockQuitSignals(SIG_BLOCK);
}

void TakeSignalsBackFromAllegro()
{
    for (int number : QUIT_SIGNALS) {
        if (s_StartedIgnored[number])
            Ignore(number);
        else
            Handle(number);
    }
    for (int number : CRASH_SIGNALS)
        sigaction(number, &s_BeforeAllegro[number], nullptr);
    BlockQuitSignals(SIG_UNBLOCK);
}

void MarkLeaving()
{
    s_Leaving = 1;
}

int QuitSignalExitCode(int number)
{
    return number == SIGINT ? 128 + SIGINT : 0;
}
