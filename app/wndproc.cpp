// The MoverWindow's window procedure: tray clicks, menu commands and
// settings messages.
#include "app/wndproc.h"

#include "app/apply.h"
#include "app/display.h"
#include "app/mapwindow.h"
#include "app/program.h"
#include "app/shutdown.h"
#include "app/startupfolder.h"
#include "app/tray.h"
#include "app/panning.h"
#include "res/resource.h"
#include "settings/exchange.h"

const UINT taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");

namespace {

void OnPaint(HWND hwnd) {
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
}

void OnCopyData(LPARAM lParam) {
    const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data) ApplySettingsMessage(data->lpData, data->cbData);
}

LRESULT HandleCommand(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case ID_TRAY_EXIT:
        DestroyWindow(hwnd);
        return 0;
    case ID_TRAY_SETTINGS:
        if (!LaunchSettingsProgram(hwnd, program.settingsProgramPath, program.settings))
            ShowBalloon(IDS_NO_SETTINGS_PROGRAM, program.settingsProgramPath);
        return 0;
    case ID_TRAY_HOME:
        GoHome();
        return 0;
    case ID_TRAY_ENABLE:
        ToggleEnabled(hwnd);
        return 0;
    case ID_TRAY_MAP:
        program.settings.showMap = !program.settings.showMap;
        SyncMap();
        return 0;
    case ID_TRAY_FOLLOW:
        program.settings.followFront = !program.settings.followFront;
        return 0;
    case ID_TRAY_UNPIN:
        program.settings.pins.clear();
        return 0;
    case ID_TRAY_STARTUP:
        if (!ToggleStartWithWindows()) ShowBalloon(IDS_STARTUP_FAILED);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK MoverWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // A registered id may take any value, so it is compared before the fixed ones.
    if (message == taskbarCreatedMessage) {
        AddTrayIcon(hwnd);
        FollowNewDesktop();
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        AddTrayIcon(hwnd);
        return 0;
    case WM_TIMER:  // the one timer: the icon's next try
        AddTrayIcon(hwnd);
        return 0;
    case WM_DESTROY:
        RemoveTrayIcon();
        PostQuitMessage(0);
        return 0;
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_COPYDATA:
        OnCopyData(lParam);
        return 0;
    case WM_COMMAND:
        return HandleCommand(hwnd, message, wParam, lParam);
    case WM_QUERYENDSESSION:
        // Heard before other programs: the windows are home before any of
        // them saves its place. Should the end be called off, Veskal runs
        // on with the view at home.
        EndSession();
        return TRUE;
    case WM_ENDSESSION:
        // Windows may end the process once this returns, before the main
        // loop gets to its shutdown. The answer stays the default.
        if (wParam) EndSession();
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_DISPLAYCHANGE:
        FollowDisplay();
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA) FollowDisplay();
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_INPUT:
        // Only a wake-up for the main loop, which reads the keys itself; the
        // system frees the input in the default handling.
        ++program.keyInputs;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case kTrayCallbackMessage:
        ShowTrayMenu(hwnd, wParam, lParam);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
