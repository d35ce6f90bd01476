#include "settings/files.h"

#include <cstdio>

#include "settings/savetext.h"
#include "settings/settingsfile.h"

bool ReadText(const std::wstring& path, std::string& text) {
    text.clear();
    FILE* file = _wfopen(path.c_str(), L"rt");
    if (!file) return false;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, got);
    std::fclose(file);
    return true;
}

Settings LoadSettings(const std::wstring& path) {
    std::string text;
    return ReadText(path, text) ? ParseSettingsFile(text) : Settings();
}

bool SaveSettings(const std::wstring& path, const Settings& settings) {
    return SaveText(path, FormatSettingsFile(settings));
}
