// Moves other programs' windows. Nothing is remembered between passes: each
// window's current rectangle is read and a new position set.
#include "pan/walker.h"

#include <windows.h>

#include <cstring>

#include "app/program.h"
#include "pan/panstate.h"
#include "pan/wrap32.h"

namespace {

const UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW;  // 0x55
const int32_t kRecallMargin = 64;

// The skips both passes share: hidden, the desktop view, minimized, and the
// shell's own bars.
bool IsMovable(HWND hwnd) {
    if (!IsWindowVisible(hwnd)) return false;
    if (hwnd == program.desktopView) return false;
    if ((DWORD)GetWindowLongA(hwnd, GWL_STYLE) & WS_MINIMIZE) return false;
    char className[1024];
    GetClassNameA(hwnd, className, sizeof className);
    return std::strcmp(className, "Shell_TrayWnd") != 0 && std::strcmp(className, "DV2ControlHost") != 0 &&
           std::strcmp(className, "BaseBar") != 0;
}

BOOL CALLBACK ShiftOne(HWND hwnd, LPARAM) {
    if (hwnd == program.moverWindow || !IsMovable(hwnd)) return TRUE;
    RECT r;
    GetWindowRect(hwnd, &r);
    SetWindowPos(hwnd, nullptr, Add32(r.left, pan.step.x), Add32(r.top, pan.step.y), 0, 0, kMoveFlags);
    return TRUE;
}

BOOL CALLBACK RecallOne(HWND hwnd, LPARAM) {
    if (!IsMovable(hwnd)) return TRUE;
    const RECT& desk = program.desktopRect;
    RECT r;
    GetWindowRect(hwnd, &r);
    int32_t x = r.left, y = r.top;
    if (Sub32(r.left, kRecallMargin) > desk.right)
        x = Sub32(desk.right, kRecallMargin);
    else if (Add32(r.left, kRecallMargin) < desk.left)
        x = kRecallMargin;
    if (Sub32(r.top, kRecallMargin) > desk.bottom)
        y = Sub32(desk.bottom, kRecallMargin);
    else if (r.top < 0)
        y = 0;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, kMoveFlags);
    return TRUE;
}

}  // namespace

void ShiftWindows() {
    EnumWindows(ShiftOne, 0);
}

void RecallWindows() {
    PlaceAtStartCell();
    EnumWindows(RecallOne, 0);
}
