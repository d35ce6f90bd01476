#pragma once

#include <windows.h>

#include <string>

// Drive and directory of `modulePath`, separator included ("D:" + "\apps\").
std::string ModuleDirectory(const std::string& modulePath);
void BuildPaths(HINSTANCE instance);
