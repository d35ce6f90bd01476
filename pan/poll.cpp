// Reads the keyboard and mouse by polling; no hooks are installed.
#define OEMRESOURCE  // OCR_ system cursor ids
#include "pan/poll.h"

#include <windows.h>

#include "app/program.h"
#include "pan/walker.h"
#include "pan/wrap32.h"
#include "res/resource.h"
#include "settings/settings.h"

namespace {

const DWORD kDoubleClickMs = 300;
const UINT kParkFlags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW;  // 0x51

bool IsDown(int key) {
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

void EnterPanMode() {
    pan.panMode = true;
    HCURSOR cursor = LoadCursorA(program.instance, MAKEINTRESOURCEA(IDC_MOVECURSOR));
    // The system takes ownership of what it is given, so each gets a copy.
    SetSystemCursor(CopyIcon(cursor), OCR_NORMAL);
    SetSystemCursor(CopyIcon(cursor), OCR_IBEAM);
}

// Keeps the 1x1 window under the hot spot with capture, so clicks land on
// it instead of the window below.
void ParkMoverWindow() {
    POINT cursor;
    GetCursorPos(&cursor);
    SetWindowPos(program.moverWindow, HWND_TOPMOST, cursor.x, cursor.y, 0, 0, kParkFlags);
    SetCapture(program.moverWindow);
}

void EndDrag() {
    pan.buttonHeld = false;
    DWORD now = GetTickCount();
    if ((uint32_t)(now - pan.lastReleaseTick) < kDoubleClickMs && settings.doubleClickCenter != 0) MoveToStart();
    pan.lastReleaseTick = now;
    pan.dragActive = false;
}

// Drops the whole movement of an axis that would leave the plane.
int32_t Bounded(int32_t offset, int32_t delta, int32_t halfExtent) {
    int32_t moved = Add32(offset, delta);
    return (moved > halfExtent || moved < Neg32(halfExtent)) ? 0 : delta;
}

}  // namespace

bool ChordHeld() {
    if (settings.activationKeys.empty()) return false;
    size_t down = 0;
    for (int32_t key : settings.activationKeys) down += IsDown(key);  // no early exit
    return down == settings.activationKeys.size();
}

void LeavePanMode() {
    pan.panMode = false;
    SystemParametersInfoA(SPI_SETCURSORS, 0, nullptr, 0);
    ShowWindow(program.moverWindow, SW_HIDE);
    ReleaseCapture();
    pan.buttonHeld = false;
    pan.dragActive = false;
}

void PollTick() {
    if (ChordHeld()) {
        if (program.enabled) {
            if (!pan.panMode) EnterPanMode();
            ParkMoverWindow();
        }
    } else if (pan.panMode) {
        LeavePanMode();
    }

    if (IsDown(VK_LBUTTON)) {
        if (!pan.buttonHeld && pan.panMode) {
            pan.buttonHeld = true;
            pan.dragActive = true;
            POINT cursor;
            GetCursorPos(&cursor);
            pan.anchor = {cursor.x, cursor.y};
        }
    } else if (pan.buttonHeld) {
        EndDrag();
        return;
    }

    if (pan.dragActive) DragStep();
}

void DragStep() {
    POINT cursor;
    GetCursorPos(&cursor);
    pan.step.x = Mul32(Sub32(cursor.x, pan.anchor.x), settings.speed);
    pan.step.y = Mul32(Sub32(cursor.y, pan.anchor.y), settings.speed);
    if (pan.step.x == 0 && pan.step.y == 0) return;
    pan.anchor = {cursor.x, cursor.y};
    pan.step.x = Bounded(pan.offset.x, pan.step.x, pan.halfExtent.x);
    pan.step.y = Bounded(pan.offset.y, pan.step.y, pan.halfExtent.y);
    pan.offset.x = Add32(pan.offset.x, pan.step.x);
    pan.offset.y = Add32(pan.offset.y, pan.step.y);
    ShiftWindows();  // even when both axes were dropped
}
