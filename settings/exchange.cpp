#include "settings/exchange.h"

#include <shellapi.h>

bool LaunchSettingsProgram(HWND owner, const std::string& programPath, const Settings& settings) {
    std::string parameters = FormatSettingsText(settings);
    SHELLEXECUTEINFOA launch = {};
    launch.cbSize = sizeof launch;
    launch.fMask = SEE_MASK_FLAG_NO_UI;
    launch.hwnd = owner;
    launch.lpFile = programPath.c_str();
    launch.lpParameters = parameters.c_str();
    launch.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&launch) != FALSE;
}
