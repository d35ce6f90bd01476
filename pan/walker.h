// The two passes over all top-level windows. Both leave alone what is
// hidden, minimized, the desktop view, the map and the shell's own bars.
#pragma once

#include <vector>

#include "pan/plane.h"

// Adds `step` to every other window's position; the MoverWindow stays.
// `placed` gets each moved window's new rectangle, top window first.
void ShiftWindows(Point32 step, const PanWindows& windows, std::vector<RECT>& placed);
// The rectangles of the windows a shift pass would move, as `placed` has them; none moves.
void ListShiftable(const PanWindows& windows, std::vector<RECT>& rects);
// Pulls windows far outside the desktop rectangle back onto it.
void RecallWindows(const PanWindows& windows);
