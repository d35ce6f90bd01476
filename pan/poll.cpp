#define OEMRESOURCE  // OCR_ system cursor ids
#include "pan/poll.h"

#include <bitset>

#include "base/keys.h"
#include "base/wrap32.h"
#include "pan/walker.h"
#include "res/resource.h"

namespace {

const DWORD kDoubleClickMs = 300;
const UINT kParkFlags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW;

void EnterPanMode(HINSTANCE instance) {
    pan.panMode = true;
    HCURSOR cursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_MOVECURSOR));
    // The system takes ownership of what it is given, so each gets a copy.
    SetSystemCursor(CopyIcon(cursor), OCR_NORMAL);
    SetSystemCursor(CopyIcon(cursor), OCR_IBEAM);
}

// Keeps the 1x1 window under the hot spot with capture, so clicks land on
// it instead of the window below.
void ParkMoverWindow(HWND mover) {
    POINT cursor = {};
    if (!GetCursorPos(&cursor)) return;  // the secure desktop is up: try again next tick
    SetWindowPos(mover, HWND_TOPMOST, cursor.x, cursor.y, 0, 0, kParkFlags);
    SetCapture(mover);
}

void Shift(Point32 step, const PanWindows& windows) {
    ShiftWindows(step, windows, pan.placed);
    ++pan.passes;
}

void EndDrag(const Settings& settings, const PanWindows& windows) {
    pan.buttonHeld = false;
    DWORD now = GetTickCount();
    if ((uint32_t)(now - pan.lastReleaseTick) < kDoubleClickMs && settings.doubleClickCenter != 0)
        MoveToStart(settings.startCell, windows);
    pan.lastReleaseTick = now;
    pan.dragActive = false;
}

}  // namespace

ChordKeys MakeChord(const std::vector<int32_t>& keys) {
    ChordKeys chord = {{}, keys.empty()};
    std::bitset<256> listed;
    for (int32_t key : keys) {
        if (key < 0 || key > 255) {
            chord.never = true;
        } else if (!listed[(size_t)key]) {
            listed.set((size_t)key);
            chord.codes.push_back((uint8_t)key);
        }
    }
    return chord;
}

// How many of the chord's keys are down; every one is read, each tick.
size_t ChordKeysDown(const ChordKeys& chord) {
    size_t down = 0;
    for (uint8_t code : chord.codes) down += IsKeyDown(code);
    return down;
}

void LeavePanMode(const PanWindows& windows) {
    pan.panMode = false;
    SystemParametersInfoA(SPI_SETCURSORS, 0, nullptr, 0);
    ShowWindow(windows.mover, SW_HIDE);
    ReleaseCapture();
    pan.buttonHeld = false;
    pan.dragActive = false;
}

bool PollTick(const Settings& settings, const ChordKeys& chord, bool enabled, const PanWindows& windows) {
    size_t down = ChordKeysDown(chord);
    if (!chord.never && down == chord.codes.size()) {
        if (enabled) {
            if (!pan.panMode) EnterPanMode(windows.instance);
            ParkMoverWindow(windows.mover);
        }
    } else if (pan.panMode) {
        LeavePanMode(windows);
    }

    if (IsKeyDown(VK_LBUTTON)) {
        POINT cursor = {};
        if (!pan.buttonHeld && pan.panMode && GetCursorPos(&cursor)) {
            pan.buttonHeld = true;
            pan.dragActive = true;
            pan.anchor = {cursor.x, cursor.y};
        }
    } else if (pan.buttonHeld) {
        EndDrag(settings, windows);
        return down != 0;
    }

    if (pan.dragActive) DragStep(settings.speed, windows);
    return down != 0;
}

void DragStep(int32_t speed, const PanWindows& windows) {
    POINT cursor = {};
    if (!GetCursorPos(&cursor)) return;
    Point32 step = {Mul32(Sub32(cursor.x, pan.anchor.x), speed), Mul32(Sub32(cursor.y, pan.anchor.y), speed)};
    if (step.x == 0 && step.y == 0) return;
    pan.anchor = {cursor.x, cursor.y};
    step = BoundedStep(pan.offset, step, pan.halfExtent);
    pan.offset = {Add32(pan.offset.x, step.x), Add32(pan.offset.y, step.y)};
    Shift(step, windows);  // even when both axes were dropped
}

void MoveToStart(int32_t startCell, const PanWindows& windows) {
    Point32 from = pan.offset;
    PlaceAtStartCell(startCell);
    Shift({Sub32(pan.offset.x, from.x), Sub32(pan.offset.y, from.y)}, windows);
}
