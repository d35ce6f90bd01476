// config.exe: Veskal's settings dialog. Started by Veskal with the current
// settings on its command line, or by hand with none; sends the edited ones
// back to the running Veskal.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "config/dialog.h"
#include "config/values.h"
#include "settings/files.h"
#include "settings/place.h"

namespace {

bool IsKeyMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);

    Source source = Source::defaults;
    std::string iniText;
    bool iniRead = ReadText(FindSettingsPlace(instance).iniToRead, iniText);
    Settings values = StartingValues(commandLine ? commandLine : "", iniRead ? &iniText : nullptr, source);
    HWND dialog = CreateSettingsDialog(instance, values, source);
    if (!dialog) return 0;
    ShowWindow(dialog, show);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (HandleDialogKey(dialog, msg)) continue;
        // While a chord is captured its keys must not press buttons, close
        // the dialog (Enter) or open the system menu (Alt).
        if (Capturing() && IsKeyMessage(msg.message)) continue;
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}
