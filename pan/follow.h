// The view following the focus: when a window that lies wholly off screen
// comes to the front (from the taskbar, Alt+Tab, a notification, a program
// bringing itself forward), the view moves so that it shows whole.
#pragma once

#include "base/geometry.h"
#include "pan/passes.h"

// What the shell knows of a change of the window in front.
struct FrontChange {
    bool following;     // the choice is on, and so is panning
    bool chordDown;     // a chord key is down: the user pans by hand
    bool previousLeft;  // the window in front before was closed or minimized, or was Veskal's own
};

// The user's choice of a window, not the system's fall-back when the one
// before went: only then does the view follow. Never to Veskal's own
// windows, the desktop or the shell's bars.
bool FollowsFront(const FrontChange& change, const WindowInfo& now, const Unpanned& own);

// The smallest step, within the plane, that shows `window` whole on
// `screen`; zero when any of it shows already. A window larger than the
// screen shows its top left.
Point32 FollowStep(const Rect32& window, const Rect32& screen, Point32 offset, Point32 halfExtent);
