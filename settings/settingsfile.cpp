#include "settings/settingsfile.h"

#include <cstdio>

#include "base/number.h"
#include "base/text.h"

namespace {

// The first key that matches a line's first field decides.
void ApplyLine(Settings& settings, std::string_view key, std::string_view value) {
    int32_t number = ParseNumber(value);
    if (key == "WIDTH")
        settings.widthSteps = StepsFromScreens(number);
    else if (key == "HEIGHT")
        settings.heightSteps = StepsFromScreens(number);
    else if (key == "ACTKEY")
        settings.activationKeys.push_back(number);
    else if (key == "DCENTER")
        settings.doubleClickCenter = (int8_t)(uint8_t)((uint32_t)number & 0xFFu);
    else if (key == "POS0")
        settings.startCell = number;
    else if (key == "SPEED")
        settings.speed = number;
    else if (key == "MAP")
        settings.showMap = number != 0;
    else if (key == "FOLLOW")
        settings.followFront = number != 0;
}

// A pin's value is the rest of its line, whatever it holds, but for the
// carriage returns that end it: no program or class name ends in one, and
// the file's text mode would not give them back.
bool TakePin(Settings& settings, std::string_view line) {
    const std::string_view key = "PIN=";
    if (line.substr(0, key.size()) != key) return false;
    std::string_view value = line.substr(key.size());
    while (!value.empty() && value.back() == '\r') value.remove_suffix(1);
    if (!value.empty()) settings.pins.emplace_back(value);
    return true;
}

void AppendLine(std::string& text, const char* key, int32_t value) {
    char line[32];
    std::snprintf(line, sizeof line, "%s=%d\n", key, (int)value);
    text += line;
}

}  // namespace

Settings ParseSettingsFile(std::string_view text) {
    Settings settings;
    settings.activationKeys.clear();
    std::vector<std::string> fields;
    while (!text.empty()) {
        std::string_view line = TakeLine(text);
        DropTrailingChar(line, '\n');
        DropTrailingChar(line, '\r');
        if (line.empty() || TakePin(settings, line)) continue;
        fields.clear();
        SplitText(line, fields, "=");
        if (fields.size() < 2) continue;
        ApplyLine(settings, fields[0], fields[1]);
    }
    return settings;
}

std::string FormatSettingsFile(const Settings& settings) {
    std::string text;
    AppendLine(text, "WIDTH", ScreensFromSteps(settings.widthSteps));
    AppendLine(text, "HEIGHT", ScreensFromSteps(settings.heightSteps));
    for (int32_t key : settings.activationKeys) AppendLine(text, "ACTKEY", key);
    AppendLine(text, "DCENTER", settings.doubleClickCenter);
    AppendLine(text, "POS0", settings.startCell);
    AppendLine(text, "SPEED", settings.speed);
    // Only when off, so that a file of the defaults stays as earlier releases wrote it.
    if (!settings.showMap) AppendLine(text, "MAP", 0);
    if (!settings.followFront) AppendLine(text, "FOLLOW", 0);
    for (const std::string& pin : settings.pins) text += "PIN=" + pin + "\n";
    return text;
}
