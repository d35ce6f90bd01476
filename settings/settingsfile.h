// veskal.ini's text: read once at start-up, written once at exit.
#pragma once

#include <string>
#include <string_view>

#include "base/settings.h"

// The settings a file's text holds, as the C runtime's text mode reads it
// ("\n" line ends). A file without ACTKEY lines means no chord.
Settings ParseSettingsFile(std::string_view text);
// The file's text, "\n" line ends.
std::string FormatSettingsFile(const Settings& settings);
