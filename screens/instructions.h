// The six pages of instructions: story, controls, enemies, friends, bonus.
#pragma once
#include "input/input.h"
#include "screens/front_end.h"
#include <allegro.h>

constexpr int INSTRUCTION_PAGES = 6;
constexpr int INSTRUCTIONS_REPEAT_MS = 200;  // held keys repeat every 5 ticks

enum NavButton { NAV_PREV = 0, NAV_BACK = 1, NAV_NEXT = 2 };

// Tag "L" is left-aligned, any other tag justified.
extern const TaggedLine StoryLines[];

struct InstructionsState {
    int page = 0;
    int cursor = NAV_NEXT;
    PressReader keys;
    bool done = false;
};

// Resets the state and readies the (bound) fish and collection.
void InstructionsReset(InstructionsState& help);
void InstructionsStep(InstructionsState& help);
void InstructionsDraw(const InstructionsState& help, BITMAP* dest);
