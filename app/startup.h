// Start-up, up to the main loop.
#pragma once

#include <windows.h>

// Texts, paths, the single-instance mutex, the MoverWindow (which adds the
// tray icon), the desktop view and the settings. False when the program is
// to end at once with exit code 0: another instance runs, or the window or
// the desktop view cannot be had (the mutex is then given up).
bool StartUp(HINSTANCE instance);

// Releases and closes the single-instance mutex.
void CloseInstanceMutex();
