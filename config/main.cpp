// config.exe: Veskal's settings dialog. Started by Veskal with the current
// settings on its command line; sends the edited ones back to it.
#include <windows.h>
#include <commctrl.h>

#include "config/dialog.h"
#include "config/keycapture.h"
#include "base/settings.h"

namespace {

bool IsKeyMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);

    HWND dialog = CreateSettingsDialog(instance, ParseSettingsArguments(commandLine ? commandLine : ""));
    if (!dialog) return 0;
    ShowWindow(dialog, show);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // While a chord is captured its keys must not press buttons, close
        // the dialog (Esc, Enter) or open the system menu (Alt).
        if (capture.active && IsKeyMessage(msg.message)) continue;
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}
