// The settings dialog: modeless, so that the message loop can keep key
// strokes away from it while a chord is being captured.
#pragma once

#include <windows.h>

#include "base/settings.h"

HWND CreateSettingsDialog(HINSTANCE instance, const Settings& values);
