// The settings as the dialog edits them, and the settings text that carries
// them between the running Veskal and this program: blank-separated decimals,
// width steps, height steps, double-click flag, start cell, speed, then one
// virtual-key code per chord key.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

const int32_t kMinScreens = 1;
const int32_t kMaxScreens = 100;
const int32_t kMinSpeed = 1;
const int32_t kMaxSpeed = 10;
const int32_t kCellCount = 9;

// Defaults are those of the settings file: 3 by 3 screens, double click on,
// centre cell, speed 1, Shift then Ctrl.
struct ConfigSettings {
    int32_t widthScreens = 3;
    int32_t heightScreens = 3;
    bool doubleClickHome = true;
    int32_t startCell = 4;  // 0..8 row by row
    int32_t speed = 1;
    std::vector<int32_t> keys = {16, 17};
};

// Virtual-key codes proper, 1..254; 0 and the rest never read as held.
bool IsKeyCode(int32_t key);

// Never fails. Missing or malformed fields keep their defaults; numbers the
// dialog cannot show are brought into its range (see settingstext.cpp).
ConfigSettings ParseConfigText(const std::string& text);
// The text the running Veskal applies, in the form it sends itself.
std::string FormatConfigText(const ConfigSettings& values);
