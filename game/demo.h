// The attract-mode demo: the sea runs by itself while "DEMO" blinks.
#pragma once
#include <allegro.h>

constexpr int DEMO_TICKS = 500;        // 25 s at 20 ticks a second
constexpr int DEMO_BLINK_PERIOD = 10;  // the caption toggles every 11th tick

struct DemoState {
    int timeLeft;
    bool done;
    FONT* font;
    bool captionShown;
    int blinkPeriod;
    int blinkCounter;
};

// Resets the state and sets up the world for a sea at a random level.
void DemoReset(DemoState& demo);
// One 50 ms tick of the sea without a fish; a key waiting in the buffer ends the demo.
void DemoStep(DemoState& demo);
// One frame: the layers, the objects, the map and the blinking caption, the
// sea a fraction t of the way from the previous step to the latest one.
void DemoDraw(const DemoState& demo, BITMAP* dest, float t = 1.0f);
// Any key ends the demo.
void DemoReadKeys(DemoState& demo);
// Lets go of the world's bitmaps and objects.
void DemoRelease();
