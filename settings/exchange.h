// Starting the settings program with the current settings on its command
// line; its answer comes back as a WM_COPYDATA settings message.
#pragma once

#include <windows.h>

#include <string>

#include "base/settings.h"

// The result of the launch is not looked at: a missing config.exe just
// shows nothing.
void LaunchSettingsProgram(HWND owner, const std::string& programPath, const Settings& settings);
