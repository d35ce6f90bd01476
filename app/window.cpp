// The hidden MoverWindow and the search for the desktop's icon view.
#include "app/window.h"

#include <cstring>

#include "app/wndproc.h"
#include "res/resource.h"

namespace {

bool HasClass(HWND hwnd, const char* expected) {
    char className[1024] = "";
    return GetClassNameA(hwnd, className, sizeof className) && std::strcmp(className, expected) == 0;
}

// The shell's view wherever it stands among the top window's children (a
// wallpaper tool may put its own window above it); the icons' list is its
// first child. Class names must match exactly, case included.
HWND ViewUnder(HWND top) {
    HWND defView = top ? FindWindowExA(top, nullptr, "SHELLDLL_DefView", nullptr) : nullptr;
    HWND view = defView ? GetWindow(defView, GW_CHILD) : nullptr;
    return view && HasClass(view, "SysListView32") ? view : nullptr;
}

}  // namespace

void RegisterMoverClass(HINSTANCE instance, const char* className) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MoverWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VESKAL));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TRAY_ENABLED));
    RegisterClassExA(&wc);
}

HWND CreateMoverWindow(HINSTANCE instance, const char* className, const wchar_t* title) {
    HWND mover = CreateWindowExA(0, className, nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    if (!mover) return nullptr;
    SetWindowTextW(mover, title);
    // A tool window stays off the taskbar and out of Alt+Tab.
    LONG exStyle = GetWindowLongA(mover, GWL_EXSTYLE);
    SetWindowLongA(mover, GWL_EXSTYLE, exStyle | WS_EX_TOOLWINDOW);
    return mover;
}

HWND CreateLayeredPopup(HINSTANCE instance, const char* className, WNDPROC proc, HCURSOR cursor, DWORD exStyle,
                        BYTE alpha) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
    exStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE;
    HWND hwnd = CreateWindowExA(exStyle, className, className, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    // A layered window shows nothing until it is given its transparency.
    if (hwnd && !SetLayeredWindowAttributes(hwnd, 0, alpha, LWA_ALPHA)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    return hwnd;
}

bool RegisterKeyboardInput(HWND mover) {
    RAWINPUTDEVICE keyboard = {1, 6, RIDEV_INPUTSINK, mover};  // generic desktop page, keyboard
    return RegisterRawInputDevices(&keyboard, 1, sizeof keyboard) != FALSE;
}

// After "Show desktop", or with a slideshow wallpaper, the shell moves the
// view from Progman to one of its WorkerW windows.
HWND FindDesktopView() {
    if (HWND view = ViewUnder(FindWindowA("Progman", "Program Manager"))) return view;
    for (HWND worker = nullptr; (worker = FindWindowExA(nullptr, worker, "WorkerW", nullptr));)
        if (HWND view = ViewUnder(worker)) return view;
    return nullptr;
}
