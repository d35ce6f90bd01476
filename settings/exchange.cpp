#include "settings/exchange.h"

#include <shellapi.h>

bool LaunchSettingsProgram(HWND owner, const std::wstring& programPath, const Settings& settings) {
    // The settings text is digits and spaces: ASCII in any code page.
    std::string text = FormatSettingsText(settings);
    std::wstring parameters(text.begin(), text.end());
    SHELLEXECUTEINFOW launch = {};
    launch.cbSize = sizeof launch;
    launch.fMask = SEE_MASK_FLAG_NO_UI;
    launch.hwnd = owner;
    launch.lpFile = programPath.c_str();
    launch.lpParameters = parameters.c_str();
    launch.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&launch) != FALSE;
}
