#include "platform/timer_slack.h"
#include <sys/prctl.h>

bool StartWithTimerSlack(unsigned long slackNanos, const std::function<bool()>& start)
{
    const int was = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    prctl(PR_SET_TIMERSLACK, slackNanos, 0, 0, 0);
    const bool started = start();
    if (was > 0)
        prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(was), 0, 0, 0);
    return started;
}
