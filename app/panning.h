// The panning engine's answers carried out on the system: the keys and the
// windows read into the engine's data, its moves and cursor changes made.
#pragma once

#include <windows.h>

#include "base/geometry.h"

// One look at the keys and the mouse, and what the engine makes of it.
// True while a chord key is down.
bool PanTick();
// Every window that pans moved by `step`; the map redraws after it.
void ShiftBy(Point32 step);
// Maximized windows the plane moved and the user has since restored: moved
// on to their place on the plane. A few calls per such window, none without.
void FollowRestored();
// The view back to the start cell, the windows with it.
void GoHome();
// Windows far off the monitors pulled back into their work areas, the
// desktop's windows home. `atTheEnd` (Veskal or the session ends): restore
// rectangles off every monitor put right too, and each move waits a moment
// for its window, which its program may save right after.
void RecallWindows(bool atTheEnd);
// The desktop's windows where the view's offset puts them: the shell makes
// them anew at the origin when it restarts, and puts them back there after a
// display change.
void PutDesktopInPlace();
// After the shell made its desktop anew (it restarted): its windows put in
// place. Nothing while the desktop view is the same, or none is found yet.
void FollowNewDesktop();
// Where the windows that pan are now, as a shift pass would list them.
void ListPanned();
// `now` came to the front: if it lies wholly off screen, and it is the
// user's choice (`previousLeft` false), the view goes to it.
void FollowFront(HWND now, bool previousLeft);
// The capture surface hidden and released, any drag ended.
void LeavePanMode();
