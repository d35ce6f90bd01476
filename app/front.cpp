#include "app/front.h"

#include "app/integrity.h"
#include "app/program.h"
#include "pan/passes.h"

namespace {

bool WorkedIn(HWND hwnd) {
    DWORD processId = 0;
    char className[256];
    return hwnd && hwnd != GetDesktopWindow() && GetWindowThreadProcessId(hwnd, &processId) &&
           processId != GetCurrentProcessId() &&
           GetClassNameA(hwnd, className, sizeof className) && !IsShellBar(className);
}

void LookAtFront(Front& front, HWND now) {
    DWORD processId = 0;
    front.elevated = now && GetWindowThreadProcessId(now, &processId) && IntegrityLevel(processId) > front.ownLevel;
    if (WorkedIn(now)) front.usersWindow = now;
}

void CALLBACK OnForeground(HWINEVENTHOOK, DWORD, HWND hwnd, LONG, LONG, DWORD, DWORD) {
    LookAtFront(program.front, hwnd);
}

}  // namespace

void WatchFront() {
    LookAtFront(program.front, GetForegroundWindow());
    SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnForeground, 0, 0,
                    WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

HWND UsersWindow(const Front& front) {
    HWND now = GetForegroundWindow();
    return WorkedIn(now) ? now : front.usersWindow;
}
