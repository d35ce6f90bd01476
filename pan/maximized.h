// Maximized windows that pan. The system keeps a maximized window's restore
// rectangle where it was, however far the window moves: restored after a
// pan, the window would jump back to its place from before. So each
// maximized window a pass moves is followed, with how far the plane has
// moved it; once the system restores it to that stale place, it is moved on
// by as much, to its place on the plane.
#pragma once

#include <unordered_map>
#include <vector>

#include "base/geometry.h"
#include "pan/passes.h"

struct MaximizedWindow {
    Point32 restoresTo;  // the top left of its restore rectangle, in screen pixels
    Point32 moved;       // by the plane, since it was first followed
};
using MaximizedWindows = std::unordered_map<WindowId, MaximizedWindow>;

// After a pass's moves: each maximized window that took one has moved by
// `step` more (its restore rectangle read with it).
void FollowMaximized(MaximizedWindows& followed, const std::vector<WindowInfo>& windows,
                     const std::vector<Move>& moves, Point32 step);
// The followed windows read again: each the system restored to its restore
// rectangle moves on by as far as the plane moved it. A window restored,
// gone, or put elsewhere by the user (dragged out of its maximized state) is
// followed no more; a maximized or minimized one still is.
std::vector<Move> PlanRestored(MaximizedWindows& followed, const std::vector<WindowInfo>& windows);
