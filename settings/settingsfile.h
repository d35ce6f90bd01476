// veskal.ini beside the exe: read once at start-up, written once at exit.
#pragma once

#include <string>

#include "base/settings.h"

// The settings the file holds; the defaults when it cannot be opened.
Settings LoadSettings(const std::string& path);
// Replaces the file whole where it can, else writes it in place (a link, a
// folder that takes no new files); a file that cannot be written is left
// as it was.
void SaveSettings(const std::string& path, const Settings& settings);
// The file's text, "\n" line ends.
std::string FormatSettingsFile(const Settings& settings);
