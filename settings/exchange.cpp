#include "settings/exchange.h"

#include <shellapi.h>

#include <cstdio>
#include <new>
#include <utility>
#include <vector>

#include "app/program.h"
#include "pan/panstate.h"
#include "pan/walker.h"
#include "settings/number.h"
#include "settings/settings.h"
#include "settings/text.h"

namespace {

const size_t kMinFields = 5;

}  // namespace

std::string FormatSettingsText() {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%d %d %d %d %d", (int)settings.widthSteps, (int)settings.heightSteps,
                  settings.doubleClickCenter == 1 ? 1 : 0, (int)settings.startCell, (int)settings.speed);
    std::string text = buffer;
    for (int32_t key : settings.activationKeys) {
        std::snprintf(buffer, sizeof buffer, " %d", (int)key);
        text += buffer;
    }
    return text;
}

void LaunchSettingsProgram(HWND owner) {
    std::string parameters = FormatSettingsText();
    ShellExecuteA(owner, nullptr, program.settingsProgramPath.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

void ApplySettingsMessage(const void* data, uint32_t size) {
    // Any process may send any count: when the text or its fields do not fit
    // in memory the message is dropped like a short one, with nothing half
    // applied and no exception leaving the window procedure.
    std::vector<std::string> fields;
    std::vector<int32_t> keys;
    try {
        std::string text;
        if (data && size) text.assign(static_cast<const char*>(data), size);
        SplitText(std::move(text), fields, " ");
        if (fields.size() < kMinFields) return;
        keys.reserve(fields.size() - kMinFields);
        for (size_t i = kMinFields; i < fields.size(); ++i) keys.push_back(ParseNumber(fields[i]));
    } catch (const std::bad_alloc&) {
        return;
    }

    int32_t oldWidth = settings.widthSteps, oldHeight = settings.heightSteps;
    settings.widthSteps = ParseNumber(fields[0]);
    settings.heightSteps = ParseNumber(fields[1]);
    settings.doubleClickCenter = ParseNumber(fields[2]) != 0 ? 1 : 0;
    settings.startCell = ParseNumber(fields[3]);
    int32_t speed = ParseNumber(fields[4]);
    if (speed >= 1 && speed <= 10) settings.speed = speed;
    settings.activationKeys.swap(keys);

    UpdateHalfExtent();
    if (settings.widthSteps != oldWidth || settings.heightSteps != oldHeight) RecallWindows();
}
