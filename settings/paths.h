#pragma once

#include <windows.h>

#include <string>

// Drive and directory of `modulePath`, separator included ("D:" + "\apps\").
std::string ModuleDirectory(const std::string& modulePath);
// The directory of the running exe, where config.exe and veskal.ini live.
std::string ExeDirectory(HINSTANCE instance);
