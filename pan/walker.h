// The two passes over all top-level windows. Both leave alone what is
// hidden, minimized, the desktop view and the shell's own bars.
#pragma once

#include "pan/plane.h"

// Adds `step` to every other window's position; the MoverWindow stays.
void ShiftWindows(Point32 step, const PanWindows& windows);
// Pulls windows far outside the desktop rectangle back onto it.
void RecallWindows(const PanWindows& windows);
