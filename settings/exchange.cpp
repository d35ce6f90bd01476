#include "settings/exchange.h"

#include <shellapi.h>

void LaunchSettingsProgram(HWND owner, const std::string& programPath, const Settings& settings) {
    std::string parameters = FormatSettingsText(settings);
    ShellExecuteA(owner, nullptr, programPath.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}
