#include "app/surface.h"

#include "app/program.h"
#include "app/rects.h"
#include "res/resource.h"

namespace {

const char kSurfaceClassName[] = "VESKALPan";
const BYTE kSurfaceAlpha = 1;

// Movements and buttons only wake the main loop, whose look reads the
// pointer itself. A click never activates the surface.
LRESULT CALLBACK SurfaceWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    if (message == WM_ERASEBKGND) return 1;  // nothing to see
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ++program.pointerInputs;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateSurface(HINSTANCE instance) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = SurfaceWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_MOVECURSOR));
    wc.lpszClassName = kSurfaceClassName;
    RegisterClassExA(&wc);
    // A tool window: off the taskbar and out of Alt+Tab.
    DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE;
    HWND surface = CreateWindowExA(exStyle, kSurfaceClassName, kSurfaceClassName, WS_POPUP, 0, 0, 0, 0, nullptr,
                                   nullptr, instance, nullptr);
    if (surface && !SetLayeredWindowAttributes(surface, 0, kSurfaceAlpha, LWA_ALPHA)) {
        DestroyWindow(surface);
        return nullptr;
    }
    return surface;
}

void KeepSurface(HWND surface, HWND map) {
    if (!surface) return;
    Rect32 screen = VirtualScreen();
    RECT now = {};
    if (!IsWindowVisible(surface) || !GetWindowRect(surface, &now) || !(ToRect32(now) == screen)) {
        SetWindowPos(surface, HWND_TOPMOST, screen.left, screen.top, Sub32(screen.right, screen.left),
                     Sub32(screen.bottom, screen.top), SWP_NOACTIVATE | SWP_SHOWWINDOW);
        // The map shows above it; it lets every click through to the surface.
        if (map && IsWindowVisible(map))
            SetWindowPos(map, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (GetCapture() != surface) {
        SetCapture(surface);
        // A window with the capture gets no WM_SETCURSOR: its cursor is set here.
        SetCursor(reinterpret_cast<HCURSOR>(GetClassLongPtrA(surface, GCLP_HCURSOR)));
    }
}

void HideSurface(HWND surface) {
    if (!surface) return;
    ShowWindow(surface, SW_HIDE);
    if (GetCapture() == surface) ReleaseCapture();
}
