#pragma once

#include <windows.h>

void RegisterMoverClass(HINSTANCE instance);
bool CreateMoverWindow(HINSTANCE instance);
bool FindDesktopView();
