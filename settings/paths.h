// The files that live beside the executables: veskal.exe and config.exe
// find them the same way. Paths are UTF-16, so any folder name works.
#pragma once

#include <windows.h>

#include <string>

// Drive and directory of `modulePath`, separator included (L"D:" + L"\apps\").
std::wstring ModuleDirectory(const std::wstring& modulePath);
// The module's whole path (null: the running exe); empty when it cannot be read.
std::wstring ModulePath(HINSTANCE instance);
// The directory of the running exe, where config.exe lives.
std::wstring ExeDirectory(HINSTANCE instance);
