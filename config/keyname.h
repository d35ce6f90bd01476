// Names of keys for the chord list.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// "Shift (16)"; keys the layout cannot name get a generic name.
std::wstring KeyLabel(HINSTANCE instance, int32_t key);
