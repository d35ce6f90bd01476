// The shift that pans every top-level window, and the bookkeeping of where
// the plane has put each. A pass takes the windows as the shell read them,
// top window first, and answers with where each is to go. It leaves alone
// what is hidden, minimized or cloaked (unless on another virtual desktop),
// Veskal's own windows, the desktop view and the shell's own bars.
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
    bool elsewhere = false;  // cloaked because it is on another virtual desktop: it pans with the plane
    bool desktop = false;    // one of the shell's desktop windows (Progman, WorkerW): it stands where the view puts it
    bool maximized = false;
    Rect32 restore = {};     // minimized or maximized: where restoring puts it, in screen pixels; read at the end only
    std::string program = {};  // its program's file name, lower case (UTF-8); read only while pins exist
    bool pinned = false;       // the user pinned it to the screen: it never moves
};

// The windows that never pan.
struct Unpanned {
    WindowId mover;        // the MoverWindow
    WindowId desktopView;  // the desktop's icons
    WindowId map;
    WindowId surface;      // the capture surface over the screen in pan mode
};

struct Move {
    WindowId id;
    Point32 to;            // the new top left
    bool refused = false;  // by the system: a program at a higher integrity level owns the window
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
// The pin that holds a window: its program's file name and its class, so
// that the same program's window is pinned at the next start as well.
std::string PinKey(const WindowInfo& window);
// Whether one of the pins veskal.ini keeps holds the window.
bool IsPinned(const std::vector<std::string>& pins, const WindowInfo& window);
// Where the pinned windows that show stand, top window first, for the map.
void ListPinned(const std::vector<WindowInfo>& windows, std::vector<Rect32>& pinned);
// The window's pin taken away if it has one, else given: true when it is pinned now.
bool TogglePin(std::vector<std::string>& pins, const WindowInfo& window);
// The window the user points at: the top window at `at` that pans or is
// pinned; null when there is none.
const WindowInfo* WindowAt(const std::vector<WindowInfo>& windows, const Unpanned& own, Point32 at);
// Whether the window is one Veskal ever moves, in any state.
bool Movable(const WindowInfo& window, const Unpanned& own);
bool Pans(const WindowInfo& window, const Unpanned& own);
// Every window that pans moved by `step` from where the plane has put it.
// `placed` gets the new rectangle of each, top window first: with a zero
// step, where the plane has the windows.
void PlanShift(Point32 step, const std::vector<WindowInfo>& windows, const Unpanned& own, std::vector<Move>& moves,
               std::vector<Rect32>& placed, const Placements& placements = {});
// The desktop's windows that stand anywhere but `at`, moved there: the shell
// makes them anew at the origin, or puts them back there.
std::vector<Move> PlaceDesktop(const std::vector<WindowInfo>& windows, Point32 at);
// A move the system refused leaves its window where it stood, on the map too.
void KeepRefused(const std::vector<Move>& moves, std::vector<Rect32>& placed, Point32 step);
// After a pass's moves are posted: each target the system took becomes its
// window's newest place; a window the pass did not read any more is forgotten.
void RecordMoves(Placements& placements, const std::vector<WindowInfo>& windows, const std::vector<Move>& moves);
// The window's rectangle as the plane counts it: at its newest place while
// it shows that or an older one on its way.
Rect32 PlaneRect(const Placements& placements, const WindowInfo& window);
