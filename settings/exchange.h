// The conversation with the settings program: its command line out, its
// WM_COPYDATA text back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// "%d %d %d %d %d" then " %d" per key: the current settings as text.
std::string FormatSettingsText();
void LaunchSettingsProgram(HWND owner);
void ApplySettingsMessage(const void* data, uint32_t size);
