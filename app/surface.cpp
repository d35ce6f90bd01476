#include "app/surface.h"

#include "app/program.h"
#include "app/rects.h"
#include "app/window.h"
#include "res/resource.h"

namespace {

const char kSurfaceClassName[] = "VESKALPan";
const BYTE kSurfaceAlpha = 1;

// Movements and buttons only wake the main loop, whose look reads the
// pointer itself. A click never activates the surface.
LRESULT CALLBACK SurfaceWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    if (message == WM_ERASEBKGND) return 1;  // nothing to see
    if (message == WM_CAPTURECHANGED) program.surface.captured = false;
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ++program.pointerInputs;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

CaptureSurface CreateSurface(HINSTANCE instance) {
    HCURSOR cursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_MOVECURSOR));
    return {CreateLayeredPopup(instance, kSurfaceClassName, SurfaceWndProc, cursor, 0, kSurfaceAlpha), {}, false};
}

// The virtual screen is read only when the surface is shown: it costs a
// request to the display driver, and a change of it ends pan mode.
void KeepSurface(CaptureSurface& s, HWND map) {
    if (!s.hwnd) return;
    RECT now = {};
    if (!IsWindowVisible(s.hwnd) || !GetWindowRect(s.hwnd, &now) || !(ToRect32(now) == s.place)) {
        s.place = VirtualScreen();
        SetWindowPos(s.hwnd, HWND_TOPMOST, s.place.left, s.place.top, Sub32(s.place.right, s.place.left),
                     Sub32(s.place.bottom, s.place.top), SWP_NOACTIVATE | SWP_SHOWWINDOW);
        // The map shows above it; it lets every click through to the surface.
        if (map && IsWindowVisible(map))
            SetWindowPos(map, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (!s.captured) {
        SetCapture(s.hwnd);
        s.captured = true;
        // A window with the capture gets no WM_SETCURSOR: its cursor is set here.
        SetCursor(reinterpret_cast<HCURSOR>(GetClassLongPtrA(s.hwnd, GCLP_HCURSOR)));
    }
}

// Shrunk to nothing, not hidden: a window the size of the screen counts as
// a full-screen one for Wine, which, without a window manager, then waits
// two seconds for each hide.
void HideSurface(CaptureSurface& s) {
    if (!s.hwnd) return;
    SetWindowPos(s.hwnd, nullptr, s.place.left, s.place.top, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER);
    if (s.captured) ReleaseCapture();
    s.captured = false;
}
