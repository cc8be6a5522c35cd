// The rolling credits shown when the player quits.
#pragma once
#include "screens/front_end.h"
#include <allegro.h>

constexpr int CREDITS_TEXT_WIDTH = 640;
constexpr int CREDITS_TEXT_HEIGHT = 440;
constexpr int CREDITS_TEXT_TOP = 20;     // screen row of the text strip's top
constexpr int CREDITS_ROLL_STEP = 2;     // pixels per tick: 50 pixels a second
constexpr int CREDITS_RISE_STEP = -5;    // the decorations rise 5 pixels per tick
constexpr int CREDITS_DECORATIONS = 20;
// The text strip holds one step's roll more than the window shows, above it:
// a frame drawn between two steps shows the text up to one step lower.
constexpr int CREDITS_STRIP_HEIGHT = CREDITS_TEXT_HEIGHT + CREDITS_ROLL_STEP;

// Tag "0" is a heading in Allegro's font, tag "1" a name line in the table font.
extern const TaggedLine CreditLines[];

struct CreditsState {
    int offset = 0;       // pixels rolled so far
    int prevOffset = 0;   // after the previous step: the frames roll on from there
    int totalHeight = 0;  // the text's height plus one screen: rolled out at this offset
    bool done = false;
    BITMAP* text = nullptr;  // 640 x CREDITS_STRIP_HEIGHT, pink is transparent
};

// Resets the state around a text bitmap and readies the (bound) collection.
void CreditsReset(CreditsState& credits, BITMAP* text);
// One step of the roll: the decorations, the offset and the text strip; it ends with CreditsCheckDone.
void CreditsStep(CreditsState& credits);
// The text and the decorations are drawn a fraction t of the way from the previous step to the latest one.
void CreditsDraw(const CreditsState& credits, BITMAP* dest, float t = 1.0f);
// Done when the text is out and the last decoration gone, or on a key.
void CreditsCheckDone(CreditsState& credits);

// The sum of the lines' heights plus the height of the screen.
int CreditsTotalHeight();
// Top of a line inside the text bitmap, for the line that starts lineY pixels into the text.
int CreditLineY(int lineY, int offset);
