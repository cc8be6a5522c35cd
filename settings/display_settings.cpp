#include "settings/display_settings.h"
#include "files/options.h"
#include "files/paths.h"
#include <cstdio>
#include <fstream>

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

void ReadDisplaySettings(const std::string& path, DisplayChoice& choice)
{
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos)
            continue;
        TakeSetting(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)), choice);
    }
}

bool WriteDisplaySettings(const std::string& path, const DisplayChoice& choice)
{
    FILE* file = fopen(path.c_str(), "w");
    if (!file)
        return false;
    fprintf(file, "# Pesko's display: set by --fullscreen, --windowed, --scale and F11\n");
    fprintf(file, "fullscreen = %s\n", choice.fullscreen ? "yes" : "no");
    if (choice.scale)
        fprintf(file, "scale = %d\n", choice.scale);
    else
        fprintf(file, "scale = auto\n");
    bool written = !ferror(file);
    return fclose(file) == 0 && written;
}
