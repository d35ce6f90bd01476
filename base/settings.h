// The settings record both programs share, its ranges, and the settings text
// that carries it between them: blank-separated decimals, width steps,
// height steps, double-click flag, start cell, speed, then one virtual-key
// code per chord key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The defaults are those of a missing veskal.ini.
struct Settings {
    int32_t widthSteps = 2;   // plane width in screens, minus one
    int32_t heightSteps = 2;  // plane height in screens, minus one
    std::vector<int32_t> activationKeys = {16, 17};  // Shift, Ctrl
    int8_t doubleClickCenter = 1;  // 0 off, anything else on
    int32_t startCell = 4;  // 0..8 row by row; other values place nowhere
    int32_t speed = 1;
    bool showMap = true;  // the map while panning; only veskal.ini and the tray menu know it
    bool followFront = true;  // the view follows the focus to a window off screen; the same
    std::vector<std::string> pins;  // pinned windows as "program.exe|Class" (UTF-8); the same
};

// The running Veskal's hidden window, which config.exe sends the text to.
const char kMoverClassName[] = "VESKALClass";

const int32_t kMinSpeed = 1;
const int32_t kMaxSpeed = 10;
const int32_t kCellCount = 9;
// What the dialog offers per axis.
const int32_t kMinScreens = 1;
const int32_t kMaxScreens = 100;

// The file and the dialog count screens, the record counts steps; 32-bit wrapping.
int32_t ScreensFromSteps(int32_t steps);
int32_t StepsFromScreens(int32_t screens);
bool IsSpeed(int32_t speed);

// "%d %d %d %d %d" then " %d" per key; the flag is 1 only for exactly 1.
std::string FormatSettingsText(const Settings& settings);

// Veskal's reading of a settings message: split at single blanks, at least
// five fields or it is refused (false). A speed outside 1..10 keeps the
// current one; the chord is the rest, taken as it comes.
bool ParseSettingsMessage(const void* data, size_t size, const Settings& current, Settings& next);

// config.exe's reading of its command line. Never fails: missing or
// malformed fields keep their defaults; every other value is kept as it
// came, where the dialog cannot show it too (see settings.cpp).
Settings ParseSettingsArguments(const std::string& text);
