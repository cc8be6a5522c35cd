// libFuzzer target: any bytes as pesko.cfg. Whatever the file holds, the
// window's choice and the controls come out usable (keys the game lets a
// player bind, each on one control, pad buttons the pad can have, a speed the
// game offers), and what the game writes back reads to the very same settings
// without a complaint. Run with bash fuzz/run.sh SECONDS pesko_cfg_fuzz.
// Links: files/*.cpp settings/*.cpp
#include "files/options.h"
#include "fuzz/scratch_folder.h"
#include "settings/control_settings.h"
#include "settings/display_settings.h"
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

void CheckUsable(const DisplayChoice& choice, const ControlSettings& controls)
{
    if (choice.scale != 0 && (choice.scale < MIN_SCALE || choice.scale > MAX_SCALE))
        abort();
    for (int which = 0; which < BOUND_KEY_COUNT; ++which) {
        if (!BindableKey(controls.keys[which]))
            abort();
        for (int other = 0; other < which; ++other)
            if (controls.keys[other] == controls.keys[which])
                abort();
    }
    for (int button : controls.padButtons)
        if (button < 0 || button > PAD_BUTTONS_MAX)
            abort();
    if (std::find(std::begin(SPEED_CHOICES), std::end(SPEED_CHOICES), controls.speed) == std::end(SPEED_CHOICES))
        abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string path = ScratchFolder() + "/pesko.cfg";
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(data, 1, size, f);
    fclose(f);

    int padButtons = size ? data[0] % (PAD_BUTTONS_MAX + 1) : 0;
    DisplayChoice choice;
    ReadDisplaySettings(path, choice);
    ControlSettings controls = DEFAULT_CONTROLS;
    TakeControlSettings(path, controls, padButtons);
    CheckUsable(choice, controls);

    // What the game writes itself must read back the same, without a complaint.
    g_Controls = controls;
    if (!WriteDisplaySettings(path, choice))
        abort();
    DisplayChoice choiceBack;
    choiceBack.scale = choice.scale == 0 ? MIN_SCALE : 0;  // a value the file must overwrite
    ReadDisplaySettings(path, choiceBack);
    ControlSettings controlsBack = DEFAULT_CONTROLS;
    if (!TakeControlSettings(path, controlsBack, padButtons).empty())
        abort();
    if (!(choiceBack == choice) || controlsBack != controls)
        abort();
    return 0;
}
