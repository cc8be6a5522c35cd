// The picture every screen draws: 640 x 480 at 32-bit colour, whatever the
// window or screen it is shown on.
#pragma once

constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;
constexpr int COLOR_DEPTH = 32;
