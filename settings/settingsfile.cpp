#include "settings/settingsfile.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "base/number.h"
#include "base/text.h"

namespace {

// The first key that matches a line's first field decides.
void ApplyLine(Settings& settings, const std::string& key, const std::string& value) {
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
}

void AppendLine(std::string& text, const char* key, int32_t value) {
    char line[32];
    std::snprintf(line, sizeof line, "%s=%d\n", key, (int)value);
    text += line;
}

enum class Write { done, notCreated, failed };

// Writes `text` in text mode to `path`: every byte, the flush and the close
// must get through.
Write WriteWhole(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wt");
    if (!file) return Write::notCreated;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    bool flushed = std::fflush(file) == 0;
    bool closed = std::fclose(file) == 0;
    return written && flushed && closed ? Write::done : Write::failed;
}

bool IsLink(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The new contents go to a file beside the old one and replace it in one
// step, so a full disk or a crash never leaves a cut or empty settings file.
// False when that could not be done but writing in place may.
bool ReplaceWhole(const std::string& path, const std::string& text) {
    std::string temporary = path + ".new";
    switch (WriteWhole(temporary, text)) {
    case Write::notCreated:  // a folder that takes no new files, or a path too long for ".new"
        return false;
    case Write::failed:  // the disk is full: writing in place would cut the old file
        DeleteFileA(temporary.c_str());
        return true;
    case Write::done:
        break;
    }
    if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(temporary.c_str());
    return false;
}

}  // namespace

Settings LoadSettings(const std::string& path) {
    Settings settings;
    FILE* file = std::fopen(path.c_str(), "rt");
    if (!file) return settings;
    settings.activationKeys.clear();  // a file without ACTKEY lines means no chord
    std::string line;
    while (ReadLine(line, file) != -1) {
        DropTrailingChar(line, '\n');
        DropTrailingChar(line, '\r');
        if (line.empty()) continue;
        std::vector<std::string> fields;
        SplitText(line, fields, "=");
        if (fields.size() < 2) continue;
        ApplyLine(settings, fields[0], fields[1]);
    }
    std::fclose(file);
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
    return text;
}

// A link stays a link: the replace would put a plain file in its place.
void SaveSettings(const std::string& path, const Settings& settings) {
    std::string text = FormatSettingsFile(settings);
    if (IsLink(path) || !ReplaceWhole(path, text)) WriteWhole(path, text);
}
