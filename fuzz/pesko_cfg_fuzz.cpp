// libFuzzer target: any bytes as pesko.cfg. Whatever the file holds, the
// window's choice and the controls come out usable (keys the game lets a
// player bind, each on one control, pad buttons the pad can have, a speed the
// game offers), and what the game writes back reads to the very same settings
// without a complaint. Run with bash fuzz/run.sh SECONDS pesko_cfg_fuzz.
// Links: files/*.cpp settings/*.cpp
#include "files/file_bytes.h"
#include "files/options.h"
#include "settings/control_settings.h"
#include "settings/display_settings.h"
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string g_Folder;

std::string Trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The controls' lines as the game reads them, with the complaints kept rather than printed.
ControlSettings TakeControls(const std::string& text, int padButtons, std::vector<std::string>& problems)
{
    ControlSettings controls = DEFAULT_CONTROLS;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos)
            continue;
        TakeControlSetting(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)), controls, padButtons,
                           problems);
    }
    DropDuplicateKeys(controls, problems);
    return controls;
}

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
    if (g_Folder.empty()) {
        char folder[] = "/dev/shm/pesko-cfg-fuzz-XXXXXX";
        char fallback[] = "/tmp/pesko-cfg-fuzz-XXXXXX";
        const char* made = mkdtemp(folder);
        g_Folder = made ? made : mkdtemp(fallback);
    }
    std::string path = g_Folder + "/pesko.cfg";
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(data, 1, size, f);
    fclose(f);

    int padButtons = size ? data[0] % (PAD_BUTTONS_MAX + 1) : 0;
    DisplayChoice choice;
    ReadDisplaySettings(path, choice);
    std::vector<std::string> problems;
    ControlSettings controls = TakeControls(std::string(reinterpret_cast<const char*>(data), size), padButtons,
                                            problems);
    CheckUsable(choice, controls);

    g_Controls = controls;
    if (!WriteDisplaySettings(path, choice))
        abort();
    DisplayChoice choiceBack;
    choiceBack.scale = choice.scale == 0 ? MIN_SCALE : 0;  // a value the file must overwrite
    ReadDisplaySettings(path, choiceBack);
    ControlSettings controlsBack = DEFAULT_CONTROLS;
    ReadControlSettings(path, controlsBack, padButtons);
    if (!(choiceBack == choice) || controlsBack != controls)
        abort();
    // What the game wrote itself must read back without a complaint.
    std::vector<uint8_t> written;
    if (ReadPlayerFile(path, written) != PlayerFile::Read)
        abort();
    problems.clear();
    TakeControls(std::string(written.begin(), written.end()), padButtons, problems);
    if (!problems.empty())
        abort();
    return 0;
}
