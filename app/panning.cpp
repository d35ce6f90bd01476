#include "app/panning.h"

#include "app/program.h"
#include "app/rects.h"
#include "app/surface.h"
#include "app/window.h"
#include "app/windows.h"
#include "base/wrap32.h"
#include "base/keys.h"
#include "pan/follow.h"
#include "pan/map.h"
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
    for (int button : {PrimaryButton(in.swapped), SecondaryButton(in.swapped)})
        in.down[(size_t)button] = IsKeyDown(button);
    if (program.map.state.shown) in.map = program.map.picture.place;
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

// The window under the pointer pinned where it stands, or unpinned; the
// map redraws.
void TogglePinAt(Point32 at) {
    ReadWindows();
    if (const WindowInfo* found = WindowAt(program.windows, OwnWindows(), at)) {
        WindowInfo w = *found;
        w.program = ProgramOf(reinterpret_cast<HWND>(w.id));  // read only while pins exist: there may be none yet
        TogglePin(program.settings.pins, w);
    }
    ListPanned();
    ++program.passes;
}

}  // namespace

bool PanTick() {
    PollInput in = ReadInput();
    PanActions act = PollTick(program.pan, program.settings, program.chord, program.enabled, in);
    if (act.enterPanMode) program.programNames.clear();  // a process id may have been taken again
    if (act.leavePanMode) HideSurface(program.surface);
    if (act.shift) ShiftBy(act.step);  // first: the windows follow the pointer as soon as can be
    if (act.mapClick)
        ShiftBy(MoveTo(program.pan, CellOffset(program.map.picture, program.desktopRect, program.pan.halfExtent, act.at)));
    if (act.pin) TogglePinAt(act.at);
    if (act.park) KeepSurface(program.surface, program.mapWindow);
    return act.keysDown;
}

void FollowFront(HWND now, bool previousLeft) {
    FrontChange change = {program.enabled && program.settings.followFront,
                          program.pan.keysDown || program.pan.panMode, previousLeft};
    WindowInfo w = ReadWindow(now);
    if (!FollowsFront(change, w, OwnWindows())) return;
    Point32 step = FollowStep(w.rect, program.desktopRect, program.pan.offset, program.pan.halfExtent);
    if (step.x != 0 || step.y != 0)
        ShiftBy(MoveTo(program.pan, {Add32(program.pan.offset.x, step.x), Add32(program.pan.offset.y, step.y)}));
}

void ShiftBy(Point32 step) {
    ReadWindows();
    PlanShift(step, program.windows, OwnWindows(), program.moves, program.placed, program.placements);
    ListPinned(program.windows, program.pinned);
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
    ListPinned(program.windows, program.pinned);
}

void LeavePanMode() {
    EndPanMode(program.pan);
    HideSurface(program.surface);
}
