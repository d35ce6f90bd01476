// Starting the settings program with the current settings on its command
// line; its answer comes back as a WM_COPYDATA settings message.
#pragma once

#include <windows.h>

#include <string>

#include "base/settings.h"

// False when it cannot start (missing, or blocked); the system shows no box
// of its own, so the caller tells the user.
bool LaunchSettingsProgram(HWND owner, const std::wstring& programPath, const Settings& settings);
