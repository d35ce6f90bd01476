// Settings taking effect: those of the file at start-up, and every new set
// config.exe sends.
#pragma once

#include <cstdint>

#include "base/settings.h"

// The plane is measured anew; the view goes to the start cell at start-up,
// and when the plane's size changed, when the windows are also recalled.
void ApplySettings(Settings next, bool startUp);
// A WM_COPYDATA settings message; one that cannot be read changes nothing.
void ApplySettingsMessage(const void* data, uint32_t size);
