// The recall: at the end, and when the plane changes size, windows far off
// every monitor come back where the user can reach them, and the desktop's
// windows go where the shell keeps them. Minimized and maximized windows
// keep their state, with a restore rectangle the user can reach.
#pragma once

#include <vector>

#include "base/geometry.h"
#include "pan/passes.h"

struct Monitor {
    Rect32 area;
    Rect32 work;  // the area less the taskbar and other bars
};

// A window far beyond the monitors (more than 64 pixels past the right or
// bottom edge of them all, more than 64 before the left, above the top), or
// in a gap between monitors of unequal size, comes back into the work area of
// the monitor nearest it, showing at least 64 pixels there; one within that
// margin stays. The desktop's windows go to the top left of the monitors.
std::vector<Move> PlanRecall(const std::vector<WindowInfo>& windows, const Unpanned& own,
                             const std::vector<Monitor>& monitors, const Placements& placements = {});

struct Restore {
    WindowId id;
    Rect32 to;  // the new restore rectangle, in screen pixels
};

// Minimized and maximized windows whose restore rectangle lies off every
// monitor: each gets one of its size inside the nearest monitor's work area.
std::vector<Restore> PlanRestores(const std::vector<WindowInfo>& windows, const Unpanned& own,
                                  const std::vector<Monitor>& monitors);
