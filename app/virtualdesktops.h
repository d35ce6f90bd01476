// Windows on another virtual desktop. The shell cloaks them, and they pan
// with the plane as the desktop does, which all virtual desktops share.
// Where the system has no manager of virtual desktops (older Windows, Wine),
// no window is ever on another.
#pragma once

#include <windows.h>

// At start-up, on the thread that reads the windows.
void WatchVirtualDesktops();
// A window the shell cloaked (`cloaked`: DWMWA_CLOAKED's flags) because it
// stands on another virtual desktop; not a hidden surface of the system,
// which belongs to none.
bool OnAnotherDesktop(HWND hwnd, DWORD cloaked);
