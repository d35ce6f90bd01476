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
// Windows far off the screen pulled back onto it.
void RecallWindows();
// Where the windows that pan are now, as a shift pass would list them.
void ListPanned();
// Cursors restored, the MoverWindow hidden and released, any drag ended.
void LeavePanMode();
