// The fixture of the headless screen tests: the stand-in data, and no key, pad
// or typed key left over from the test before or for the test after.
#pragma once
#include "support/fake_data.h"
#include "support/keyboard.h"
#include <gtest/gtest.h>

class ScreenTest : public ::testing::Test {
protected:
    ScreenTest()
    {
        UseFakeData();
        LetGoOfEverything();
        clear_keybuf();
    }
    ~ScreenTest() override
    {
        LetGoOfEverything();
        clear_keybuf();
    }
};
