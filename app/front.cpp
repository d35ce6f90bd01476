#include "app/front.h"

#include "app/integrity.h"
#include "app/panning.h"
#include "app/program.h"
#include "pan/passes.h"

namespace {

bool Veskals(HWND hwnd) {
    DWORD processId = 0;
    return GetWindowThreadProcessId(hwnd, &processId) && processId == GetCurrentProcessId();
}

bool WorkedIn(HWND hwnd) {
    char className[256];
    return hwnd && hwnd != GetDesktopWindow() && !Veskals(hwnd) &&
           GetClassNameA(hwnd, className, sizeof className) && !IsShellBar(className);
}

void TakeFront(Front& front, HWND now) {
    DWORD processId = 0;
    front.elevated = now && GetWindowThreadProcessId(now, &processId) && IntegrityLevel(processId) > front.ownLevel;
    if (WorkedIn(now)) front.usersWindow = now;
    front.now = now;
}

// Not the user's choice: the window in front before was closed or
// minimized, and the system brought the next one forward; or it was
// Veskal's own, which gives the keyboard back after its menu. A window
// merely hidden does not count: the task switcher hides itself as it hands
// over to the window the user picked.
bool Left(HWND before) {
    return before && (!IsWindow(before) || IsIconic(before) || Veskals(before));
}

void OnFrontChanged(HWND now) {
    HWND before = program.front.now;
    TakeFront(program.front, now);
    FollowFront(now, Left(before));
}

// A window restored from the taskbar comes forward while still minimized:
// where it goes shows only once it is restored.
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG, DWORD, DWORD) {
    if (object != OBJID_WINDOW) return;
    if (event == EVENT_SYSTEM_FOREGROUND)
        OnFrontChanged(hwnd);
    else if (hwnd == program.front.now)
        FollowFront(hwnd, false);
}

}  // namespace

void WatchFront() {
    TakeFront(program.front, GetForegroundWindow());
    for (DWORD event : {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_MINIMIZEEND})
        SetWinEventHook(event, event, nullptr, OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

void LookAtFront() {
    HWND now = GetForegroundWindow();
    if (now != program.front.now) OnFrontChanged(now);
}

HWND UsersWindow(const Front& front) {
    HWND now = GetForegroundWindow();
    return WorkedIn(now) ? now : front.usersWindow;
}
