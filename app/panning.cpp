#include "app/panning.h"

#include "app/program.h"
#include "app/rects.h"
#include "app/surface.h"
#include "app/window.h"
#include "app/windows.h"
#include "base/wrap32.h"
#include "base/keys.h"
#include "pan/maximized.h"
#include "pan/recall.h"

namespace {

// The windows that never pan.
Unpanned OwnWindows() {
    return {ToId(program.mover), ToId(program.desktopView), ToId(program.mapWindow), ToId(program.surface.hwnd)};
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

// Where the desktop's windows stand with the view where it is now.
Point32 DesktopPlace() {
    Point32 away = FromHome(program.pan, program.settings.startCell);
    return {Add32(program.desktopRect.left, away.x), Add32(program.desktopRect.top, away.y)};
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
    KeepRefused(program.moves, program.placed, step);
    RecordMoves(program.placements, program.windows, program.moves);
    FollowMaximized(program.maximized, program.windows, program.moves, step);
    ++program.passes;
}

void FollowRestored() {
    if (program.maximized.empty() || program.pan.panMode) return;  // no user restores a window mid-drag
    std::vector<WindowInfo> followed;
    for (const auto& entry : program.maximized) followed.push_back(ReadWindow(reinterpret_cast<HWND>(entry.first)));
    std::vector<Move> moves = PlanRestored(program.maximized, followed);
    Apply(moves);
}

void GoHome() {
    ShiftBy(MoveHome(program.pan, program.settings.startCell));
}

void RecallWindows(bool atTheEnd) {
    ReadWindows(atTheEnd);
    std::vector<Monitor> monitors = ReadMonitors();
    program.moves = PlanRecall(program.windows, OwnWindows(), monitors, program.placements);
    Apply(program.moves, atTheEnd);
    RecordMoves(program.placements, program.windows, program.moves);
    if (atTheEnd) ApplyRestores(PlanRestores(program.windows, OwnWindows(), monitors));
}

void PutDesktopInPlace() {
    ReadWindows();
    std::vector<Move> moves = PlaceDesktop(program.windows, DesktopPlace());
    Apply(moves);
    RecordMoves(program.placements, program.windows, moves);  // the pass that follows builds on them
}

void FollowNewDesktop() {
    HWND view = FindDesktopView();
    if (!view || view == program.desktopView) return;
    program.desktopView = view;
    PutDesktopInPlace();
}

void ListPanned() {
    ReadWindows();
    PlanShift({0, 0}, program.windows, OwnWindows(), program.moves, program.placed, program.placements);
}

void LeavePanMode() {
    EndPanMode(program.pan);
    HideSurface(program.surface);
}
