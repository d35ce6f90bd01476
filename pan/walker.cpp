// Moves other programs' windows. Nothing is remembered between passes: each
// window's current rectangle is read and a new position set.
#include "pan/walker.h"

#include <cstring>
#include <vector>

#include "base/wrap32.h"

namespace {

const UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW;
const int32_t kRecallMargin = 64;

struct ShiftPass {
    Point32 step;
    const PanWindows* windows;
    std::vector<RECT>* placed;  // where each window moved to, or is when nothing moves
    bool move;
};

bool IsMovable(HWND hwnd, const PanWindows& windows) {
    if (!IsWindowVisible(hwnd)) return false;
    if (hwnd == windows.desktopView || hwnd == windows.map) return false;
    if ((DWORD)GetWindowLongA(hwnd, GWL_STYLE) & WS_MINIMIZE) return false;
    // A window its owner destroys in the middle of a pass has no class any
    // more. (An empty string, not a cleared buffer: a pass reads many classes.)
    char className[1024];
    className[0] = 0;
    if (!GetClassNameA(hwnd, className, sizeof className)) return false;
    return std::strcmp(className, "Shell_TrayWnd") != 0 && std::strcmp(className, "DV2ControlHost") != 0 &&
           std::strcmp(className, "BaseBar") != 0;
}

BOOL CALLBACK ShiftOne(HWND hwnd, LPARAM lParam) {
    const ShiftPass& pass = *reinterpret_cast<const ShiftPass*>(lParam);
    if (hwnd == pass.windows->mover || !IsMovable(hwnd, *pass.windows)) return TRUE;
    RECT r = {};
    if (!GetWindowRect(hwnd, &r)) return TRUE;  // gone since it was listed
    r = {Add32(r.left, pass.step.x), Add32(r.top, pass.step.y), Add32(r.right, pass.step.x),
         Add32(r.bottom, pass.step.y)};
    if (pass.move) SetWindowPos(hwnd, nullptr, r.left, r.top, 0, 0, kMoveFlags);
    pass.placed->push_back(r);
    return TRUE;
}

BOOL CALLBACK RecallOne(HWND hwnd, LPARAM lParam) {
    const PanWindows& windows = *reinterpret_cast<const PanWindows*>(lParam);
    if (!IsMovable(hwnd, windows)) return TRUE;
    const RECT& desk = windows.desktopRect;
    RECT r = {};
    if (!GetWindowRect(hwnd, &r)) return TRUE;
    int32_t x = r.left, y = r.top;
    if (Sub32(r.left, kRecallMargin) > desk.right)
        x = Sub32(desk.right, kRecallMargin);
    else if (Add32(r.left, kRecallMargin) < desk.left)
        x = kRecallMargin;  // from the screen origin, as the plane is measured, not the desktop's left
    if (Sub32(r.top, kRecallMargin) > desk.bottom)
        y = Sub32(desk.bottom, kRecallMargin);
    else if (r.top < desk.top)  // above 0 where a monitor sits above the main one
        y = desk.top;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, kMoveFlags);
    return TRUE;
}

}  // namespace

void ShiftWindows(Point32 step, const PanWindows& windows, std::vector<RECT>& placed) {
    placed.clear();
    ShiftPass pass = {step, &windows, &placed, true};
    EnumWindows(ShiftOne, reinterpret_cast<LPARAM>(&pass));
}

void ListShiftable(const PanWindows& windows, std::vector<RECT>& rects) {
    rects.clear();
    ShiftPass pass = {{0, 0}, &windows, &rects, false};
    EnumWindows(ShiftOne, reinterpret_cast<LPARAM>(&pass));
}

void RecallWindows(const PanWindows& windows) {
    EnumWindows(RecallOne, reinterpret_cast<LPARAM>(&windows));
}
