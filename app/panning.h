// The panning engine's answers carried out on the system: the keys and the
// windows read into the engine's data, its moves and cursor changes made.
#pragma once

#include "base/geometry.h"

// One look at the keys and the mouse, and what the engine makes of it.
// True while a chord key is down.
bool PanTick();
// Every window that pans moved by `step`; the map redraws after it.
void ShiftBy(Point32 step);
// The view back to the start cell, the windows with it.
void GoHome();
// Windows far off the screen pulled back onto it; the desktop window moved by
// `homeStep`, the step that took the view home.
void RecallWindows(Point32 homeStep);
// After the shell made its desktop anew (it restarted), at its home place:
// the new desktop window put where the plane's offset says, as the old one
// was. Nothing while the desktop view is the same, or none is found yet.
void FollowNewDesktop();
// Where the windows that pan are now, as a shift pass would list them.
void ListPanned();
// The capture surface hidden and released, any drag ended.
void LeavePanMode();
