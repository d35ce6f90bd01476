#include "app/panning.h"

#include <dwmapi.h>

#include "app/program.h"
#include "app/rects.h"
#include "app/surface.h"
#include "app/window.h"
#include "base/wrap32.h"
#include "base/keys.h"

namespace {

// Posted: a program that stops answering takes its moves when it answers
// again, and no pass, exit or log-off waits for it.
const UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_ASYNCWINDOWPOS;

// The windows that never pan.
Unpanned OwnWindows() {
    return {ToId(program.mover), ToId(program.desktopView), ToId(program.mapWindow),
            ToId(GetAncestor(program.desktopView, GA_ROOT)), ToId(program.surface.hwnd)};
}

bool IsKeyDown(int key) {
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

// SHQueryUserNotificationState's answer, or 0 where the system has none.
int32_t NotificationState() {
    QUERY_USER_NOTIFICATION_STATE state = {};
    return SUCCEEDED(SHQueryUserNotificationState(&state)) ? (int32_t)state : 0;
}

// Each chord key and the primary button read once.
PollInput ReadInput() {
    PollInput in = {};
    bool anyDown = false;
    for (uint8_t code : program.chord.codes) anyDown |= (in.down[code] = IsKeyDown(code));
    in.now = GetTickCount();
    // The button and the pointer count only with a chord key down: an idle
    // look asks the system for no more.
    if (!anyDown && !program.pan.panMode) return in;
    if (ReadsFront(program.pan, anyDown)) in.front = NotificationState();
    in.swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    int button = PrimaryButton(in.swapped);
    in.down[(size_t)button] = IsKeyDown(button);
    POINT cursor = {};
    in.cursorKnown = GetCursorPos(&cursor) != FALSE;
    in.cursor = {cursor.x, cursor.y};
    return in;
}

// A hidden window is not read further; one its owner destroys in the middle
// of a pass has no class any more.
BOOL CALLBACK ReadOne(HWND hwnd, LPARAM) {
    WindowInfo w = {ToId(hwnd), IsWindowVisible(hwnd) != FALSE, false, {}, {}};
    if (w.visible) {
        w.minimized = ((DWORD)GetWindowLongA(hwnd, GWL_STYLE) & WS_MINIMIZE) != 0;
        char className[1024];
        RECT r = {};
        if (GetClassNameA(hwnd, className, sizeof className) && GetWindowRect(hwnd, &r)) {
            w.className = className;
            w.rect = ToRect32(r);
            DWORD cloaked = 0;  // where the system cannot tell, nothing is
            w.cloaked = SUCCEEDED(DwmGetWindowAttribute(hwnd, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked;
        }
    }
    program.windows.push_back(std::move(w));
    return TRUE;
}

void ReadWindows() {
    if (!IsWindow(program.desktopView)) FollowNewDesktop();  // a shell that restarted without a word
    program.windows.clear();
    EnumWindows(ReadOne, 0);
}

void Apply(const std::vector<Move>& moves) {
    for (const Move& m : moves) SetWindowPos(reinterpret_cast<HWND>(m.id), nullptr, m.to.x, m.to.y, 0, 0, kMoveFlags);
}

}  // namespace

bool PanTick() {
    PollInput in = ReadInput();
    PanActions act = PollTick(program.pan, program.settings, program.chord, program.enabled, in);
    if (act.leavePanMode) HideSurface(program.surface);
    if (act.shift) ShiftBy(act.step);  // first: the windows follow the pointer as soon as can be
    if (act.park) KeepSurface(program.surface, program.mapWindow);
    return act.keysDown;
}

void ShiftBy(Point32 step) {
    ReadWindows();
    PlanShift(step, program.windows, OwnWindows(), program.moves, program.placed, program.placements);
    Apply(program.moves);
    RecordMoves(program.placements, program.windows, program.moves);
    ++program.passes;
}

void GoHome() {
    ShiftBy(MoveHome(program.pan, program.settings.startCell));
}

void RecallWindows(Point32 homeStep) {
    ReadWindows();
    program.moves = PlanRecall(program.windows, OwnWindows(), program.desktopRect, homeStep, program.placements);
    Apply(program.moves);
    RecordMoves(program.placements, program.windows, program.moves);
}

void FollowNewDesktop() {
    HWND view = FindDesktopView();
    if (!view || view == program.desktopView) return;
    program.desktopView = view;
    HWND desktop = GetAncestor(view, GA_ROOT);
    RECT r = {};
    Point32 away = FromHome(program.pan, program.settings.startCell);
    if (!GetWindowRect(desktop, &r)) return;
    Point32 to = {Add32(r.left, away.x), Add32(r.top, away.y)};
    SetWindowPos(desktop, nullptr, to.x, to.y, 0, 0, kMoveFlags);
    Place(program.placements, ToId(desktop), {r.left, r.top}, to);  // the pass that follows builds on it
}

void ListPanned() {
    ReadWindows();
    PlanShift({0, 0}, program.windows, OwnWindows(), program.moves, program.placed, program.placements);
}

void LeavePanMode() {
    EndPanMode(program.pan);
    HideSurface(program.surface);
}
