#include "app/display.h"

#include <windows.h>

#include "app/panning.h"
#include "app/program.h"
#include "app/rects.h"
#include "app/resume.h"

void FollowDisplay() {
    Rect32 screen = VirtualScreen();
    // The shell puts its desktop back at the origin after a display change,
    // perhaps only after Veskal heard of it: its work area follows then.
    if (screen == program.desktopRect) return PutDesktopInPlace();
    if (program.pan.panMode) LeavePanMode();  // a chord still held starts afresh on the next look
    program.desktopRect = screen;
    Point32 step = TakeDisplay(program.pan, program.settings, screen);
    if (!(step == Point32{0, 0})) ShiftBy(step);
    PutDesktopInPlace();
    WriteViewRecord();
}
