#include "app/front.h"

#include "app/integrity.h"
#include "pan/passes.h"

namespace {

bool WorkedIn(HWND hwnd) {
    DWORD processId = 0;
    char className[256];
    return hwnd && GetWindowThreadProcessId(hwnd, &processId) && processId != GetCurrentProcessId() &&
           GetClassNameA(hwnd, className, sizeof className) && !IsShellBar(className);
}

}  // namespace

void LookAtFront(Front& front) {
    HWND now = GetForegroundWindow();
    if (now == front.hwnd) return;
    DWORD processId = 0;
    front.hwnd = now;
    front.elevated = now && GetWindowThreadProcessId(now, &processId) && IntegrityLevel(processId) > front.ownLevel;
    if (WorkedIn(now)) front.usersWindow = now;
}

HWND UsersWindow(const Front& front) {
    HWND now = GetForegroundWindow();
    return WorkedIn(now) ? now : front.usersWindow;
}
