// veskal.ini beside the exe: read once at start-up, written once at exit.
#pragma once

#include <string>

void LoadSettings();
void SaveSettings();
// The file's text for the current settings, "\n" line ends.
std::string FormatSettingsFile();
