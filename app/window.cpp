// The hidden MoverWindow and the search for the desktop's icon view.
#include "app/window.h"

#include <cstring>

#include "app/program.h"
#include "app/wndproc.h"
#include "res/resource.h"

namespace {

bool HasClass(HWND hwnd, const char* expected) {
    char className[1024];
    GetClassNameA(hwnd, className, sizeof className);
    return std::strcmp(className, expected) == 0;
}

}  // namespace

void RegisterMoverClass(HINSTANCE instance) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MoverWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VESKAL));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = program.className;
    wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TRAY_ENABLED));
    RegisterClassExA(&wc);
}

bool CreateMoverWindow(HINSTANCE instance) {
    program.instance = instance;
    program.moverWindow = CreateWindowExA(0, program.className, program.titleText, WS_POPUP, 0, 0, 1, 1, nullptr,
                                          nullptr, instance, nullptr);
    if (!program.moverWindow) return false;
    // A tool window stays off the taskbar and out of Alt+Tab.
    LONG exStyle = GetWindowLongA(program.moverWindow, GWL_EXSTYLE);
    SetWindowLongA(program.moverWindow, GWL_EXSTYLE, exStyle | WS_EX_TOOLWINDOW);
    return true;
}

// Only the first child is looked at on each level, and class names must
// match exactly, case included.
bool FindDesktopView() {
    HWND progman = FindWindowA("Progman", "Program Manager");
    if (!progman) return false;
    HWND defView = GetWindow(progman, GW_CHILD);
    if (!defView || !HasClass(defView, "SHELLDLL_DefView")) return false;
    program.desktopView = GetWindow(defView, GW_CHILD);
    if (!program.desktopView) return false;
    if (!HasClass(program.desktopView, "SysListView32")) {
        program.desktopView = nullptr;
        return false;
    }
    GetWindowRect(program.desktopView, &program.desktopRect);
    return true;
}
