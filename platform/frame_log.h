// A probe of the frame pacing: with PESKO_FRAME_LOG=file in the environment,
// every flip writes the monotonic clock's time to that file, one line of
// microseconds each. Off when the variable is unset; it costs nothing then.
#pragma once

void LogFlip();
