// Looser wake-ups for the threads a library starts.
#pragma once
#include <functional>

// Allegro's background thread, which reads X input and mixes the sound, sleeps a
// millisecond at a time: a thousand wake-ups a second. Threads started inside
// `start` may wake up to `slackNanos` late, so the kernel folds their wake-ups
// into those the game makes anyway; the calling thread keeps the slack it had.
bool StartWithTimerSlack(unsigned long slackNanos, const std::function<bool()>& start);
