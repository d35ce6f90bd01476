// The settings dialog: modeless, so that the message loop can keep key
// strokes away from it while a chord is being captured.
#pragma once

#include <windows.h>

#include "base/settings.h"
#include "config/values.h"

// `source` says where `values` came from, for the line that tells the user.
HWND CreateSettingsDialog(HINSTANCE instance, const Settings& values, Source source);

// For the message loop, before the dialog manager: true when the dialog
// took the key itself.
bool HandleDialogKey(HWND dialog, const MSG& msg);
// A chord is being captured: its keys are for the capture alone.
bool Capturing();
