#include "settings/files.h"

#include <cstdio>

#include "settings/savetext.h"
#include "settings/settingsfile.h"

bool ReadText(const std::string& path, std::string& text) {
    text.clear();
    FILE* file = std::fopen(path.c_str(), "rt");
    if (!file) return false;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, got);
    std::fclose(file);
    return true;
}

Settings LoadSettings(const std::string& path) {
    std::string text;
    return ReadText(path, text) ? ParseSettingsFile(text) : Settings();
}

void SaveSettings(const std::string& path, const Settings& settings) {
    SaveText(path, FormatSettingsFile(settings));
}
