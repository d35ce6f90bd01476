#include "app/display.h"

#include <windows.h>

#include "app/panning.h"
#include "app/program.h"
#include "app/resume.h"
#include "base/wrap32.h"

void FollowDisplay() {
    int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    Rect32 screen = {left, top, Add32(left, GetSystemMetrics(SM_CXVIRTUALSCREEN)),
                     Add32(top, GetSystemMetrics(SM_CYVIRTUALSCREEN))};
    if (screen == program.desktopRect) return;  // the work area alone, or a depth that changed
    if (program.pan.panMode) LeavePanMode();  // a chord still held starts afresh on the next look
    program.desktopRect = screen;
    Point32 step = TakeDisplay(program.pan, program.settings, screen);
    if (!(step == Point32{0, 0})) ShiftBy(step);
    WriteViewRecord();
}
