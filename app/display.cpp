#include "app/display.h"

#include <windows.h>

#include "app/panning.h"
#include "app/program.h"
#include "app/rects.h"
#include "app/resume.h"

void FollowDisplay() {
    Rect32 screen = VirtualScreen();
    if (screen == program.desktopRect) return;  // the work area alone, or a depth that changed
    if (program.pan.panMode) LeavePanMode();  // a chord still held starts afresh on the next look
    program.desktopRect = screen;
    Point32 step = TakeDisplay(program.pan, program.settings, screen);
    if (!(step == Point32{0, 0})) ShiftBy(step);
    WriteViewRecord();
}
