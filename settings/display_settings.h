// pesko.cfg: the last choice of window or full screen and of the window's
// size and the player's controls, as "key = value" lines. config.dat keeps its own 12 bytes.
#pragma once
#include "settings/control_settings.h"
#include <string>
#include <vector>

struct DisplayChoice {
    bool fullscreen = false;
    int scale = 0;  // the window's factor; 0 fits it to the desktop
};

bool operator==(const DisplayChoice& a, const DisplayChoice& b);

// Where pesko.cfg lives: in the configuration folder ($XDG_CONFIG_HOME/pesko,
// or the save folder when one is named).
std::string DisplaySettingsPath();
// Reads the lines it knows into choice; a missing file, a damaged or an unknown
// line leaves the values as they were. Anything but a regular file there (a
// FIFO, a folder, a device, an unreadable file) is said in one line on standard
// error and is never written over in this run.
void ReadDisplaySettings(const std::string& path, DisplayChoice& choice);
// Replaces the file whole, or leaves it as it was and returns false; the game
// goes on all the same.
bool WriteDisplaySettings(const std::string& path, const DisplayChoice& choice);
// Writes pesko.cfg at DisplaySettingsPath(), making its folder when it is missing.
void RememberDisplayChoice(const DisplayChoice& choice);
// Reads the controls' lines into controls: each bad one keeps its default and
// says so in one line on standard error (padButtons: see TakeControlSetting).
void ReadControlSettings(const std::string& path, ControlSettings& controls, int padButtons);
// The same, handing back the complaints instead of printing them.
std::vector<std::string> TakeControlSettings(const std::string& path, ControlSettings& controls, int padButtons);
// Writes pesko.cfg anew with g_Controls, keeping the display's lines it holds.
void RememberControls();
