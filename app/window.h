#pragma once

#include <windows.h>

void RegisterMoverClass(HINSTANCE instance, const char* className);
// The hidden 1x1 popup that owns the tray icon; null when it cannot be made.
HWND CreateMoverWindow(HINSTANCE instance, const char* className, const char* title);
// The shell's icon view: Progman's first child's first child, or null.
HWND FindDesktopView();
