// The two passes over all top-level windows: the shift that pans, and the
// recall at exit. Both take the windows as the shell read them, top window
// first, and answer with where each is to go. Both leave alone what is
// hidden, minimized or cloaked, Veskal's own windows, the desktop view and
// the shell's own bars.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/geometry.h"

using WindowId = uintptr_t;  // the shell's handle, never looked into

struct WindowInfo {
    WindowId id;
    bool visible;      // a hidden window is not read further
    bool minimized;
    std::string className;  // empty when the window went away while it was read
    Rect32 rect;
    bool cloaked = false;  // kept off screen by the system: a hidden shell surface, a suspended app
};

// The windows that never pan.
struct Unpanned {
    WindowId mover;        // the MoverWindow, parked under the cursor
    WindowId desktopView;  // the desktop's icons
    WindowId map;
    WindowId desktop;      // the top-level window that holds the desktop view: it pans
};

struct Move {
    WindowId id;
    Point32 to;  // the new top left
};

bool Pans(const WindowInfo& window, const Unpanned& own);
// Every window that pans moved by `step`. `placed` gets the new rectangle of
// each, top window first: with a zero step, where the windows are.
void PlanShift(Point32 step, const std::vector<WindowInfo>& windows, const Unpanned& own, std::vector<Move>& moves,
               std::vector<Rect32>& placed);
// At the end: windows far outside `desktop` pulled back onto it, those near it
// stay; the desktop window alone moves by `homeStep`, the step that brings the
// view home, to the place the shell gave it.
std::vector<Move> PlanRecall(const std::vector<WindowInfo>& windows, const Unpanned& own, const Rect32& desktop,
                             Point32 homeStep);
