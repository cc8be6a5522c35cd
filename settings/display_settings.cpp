#include "settings/display_settings.h"
#include "files/options.h"
#include "files/file_bytes.h"
#include "files/paths.h"
#include "settings/control_settings.h"
#include <cstdio>
#include <functional>
#include <sstream>
#include <vector>

bool operator==(const DisplayChoice& a, const DisplayChoice& b)
{
    return a.fullscreen == b.fullscreen && a.scale == b.scale;
}

std::string DisplaySettingsPath()
{
    return std::string(ConfigDir()) + "/pesko.cfg";
}

void RememberDisplayChoice(const DisplayChoice& choice)
{
    std::string error;
    if (MakeFolder(ConfigDir(), error))
        WriteDisplaySettings(DisplaySettingsPath(), choice);
}

static std::string Trimmed(const std::string& text)
{
    const char* blanks = " \t\r";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

static void TakeSetting(const std::string& name, const std::string& value, DisplayChoice& choice)
{
    if (name == "fullscreen") {
        if (value == "yes" || value == "no")
            choice.fullscreen = value == "yes";
    } else if (name == "scale") {
        if (value == "auto")
            choice.scale = 0;
        else if (value.size() == 1 && value[0] >= '0' + MIN_SCALE && value[0] <= '0' + MAX_SCALE)
            choice.scale = value[0] - '0';
    }
}

// Calls `take` with every "name = value" line of the file, trimmed.
static void ForEachSetting(const std::string& path,
                           const std::function<void(const std::string&, const std::string&)>& take)
{
    std::vector<uint8_t> bytes;
    if (ReadPlayerFile(path, bytes) != PlayerFile::Read)
        return;
    std::istringstream text(std::string(bytes.begin(), bytes.end()));
    std::string line;
    while (std::getline(text, line)) {
        size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos)
            continue;
        take(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
    }
}

void ReadDisplaySettings(const std::string& path, DisplayChoice& choice)
{
    ForEachSetting(path, [&](const std::string& name, const std::string& value) { TakeSetting(name, value, choice); });
}

std::vector<std::string> TakeControlSettings(const std::string& path, ControlSettings& controls, int padButtons)
{
    std::vector<std::string> problems;
    ForEachSetting(path, [&](const std::string& name, const std::string& value) {
        TakeControlSetting(name, value, controls, padButtons, problems);
    });
    DropDuplicateKeys(controls, problems);
    return problems;
}

void ReadControlSettings(const std::string& path, ControlSettings& controls, int padButtons)
{
    for (const std::string& problem : TakeControlSettings(path, controls, padButtons))
        fprintf(stderr, "pesko: %s\n", problem.c_str());
}

void RememberControls()
{
    DisplayChoice choice;
    ReadDisplaySettings(DisplaySettingsPath(), choice);
    RememberDisplayChoice(choice);
}

bool WriteDisplaySettings(const std::string& path, const DisplayChoice& choice)
{
    std::string text = "# Pesko's display: set by --fullscreen, --windowed, --scale and F11\n";
    text += std::string("fullscreen = ") + (choice.fullscreen ? "yes" : "no") + "\n";
    text += "scale = " + (choice.scale ? std::to_string(choice.scale) : std::string("auto")) + "\n";
    text += ControlSettingsText(g_Controls);
    return WritePlayerFile(path, text.data(), text.size());
}
