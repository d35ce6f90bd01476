// The two passes over all top-level windows: the shift that pans, and the
// recall at exit. Both take the windows as the shell read them, top window
// first, and answer with where each is to go. Both leave alone what is
// hidden, minimized or cloaked, Veskal's own windows, the desktop view and
// the shell's own bars.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <string>
#include <string_view>
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
    WindowId mover;        // the MoverWindow
    WindowId desktopView;  // the desktop's icons
    WindowId map;
    WindowId desktop;      // the top-level window that holds the desktop view: it pans
    WindowId surface = 0;  // the capture surface over the screen in pan mode
};

struct Move {
    WindowId id;
    Point32 to;  // the new top left
};

// Where the plane has put each window. Moves are posted, so that a program
// that stops answering never holds up a pass: its window takes them later,
// in order. Until then its rectangle shows an older place, and the next step
// builds on the newest place given, never on one it has yet to leave; a
// window that stands anywhere else was moved by its program or the user, and
// where it stands is the new base.
struct Placement {
    Point32 newest;              // the last place given
    std::vector<Point32> older;  // on the way to it: where the window stood, then the places given since
};
using Placements = std::unordered_map<WindowId, Placement>;

// The taskbars (main and other monitors), the tray's overflow, the start
// menu's host and the old quick-launch bar: they never pan, and a click on
// them is no choice of a window to work in.
bool IsShellBar(std::string_view className);
bool Pans(const WindowInfo& window, const Unpanned& own);
// Every window that pans moved by `step` from where the plane has put it.
// `placed` gets the new rectangle of each, top window first: with a zero
// step, where the plane has the windows.
void PlanShift(Point32 step, const std::vector<WindowInfo>& windows, const Unpanned& own, std::vector<Move>& moves,
               std::vector<Rect32>& placed, const Placements& placements = {});
// At the end: windows far outside `desktop` pulled back onto it, those near it
// stay; the desktop window alone moves by `homeStep`, the step that brings the
// view home, to the place the shell gave it.
std::vector<Move> PlanRecall(const std::vector<WindowInfo>& windows, const Unpanned& own, const Rect32& desktop,
                             Point32 homeStep, const Placements& placements = {});
// After a pass's moves are posted: each target becomes its window's newest
// place; a window the pass did not read any more is forgotten.
void RecordMoves(Placements& placements, const std::vector<WindowInfo>& windows, const std::vector<Move>& moves);
// One move posted outside a pass, to a window that shows `shown`.
void Place(Placements& placements, WindowId id, Point32 shown, Point32 to);
