// The guard: a second veskal.exe, started by the first, that waits for it to
// end. When the first ends without an orderly exit (a crash, a kill from Task
// Manager), its view record is still there: the guard brings every window
// home from that record and removes it. It has no window, no tray icon and no
// mutex of the first, and takes no CPU while it waits.
#pragma once

#include <windows.h>

// Started once the first is up; it inherits a handle to wait on.
void StartGuard();
// The whole run of a guard, when `arguments` make this process one: true
// then, and WinMain ends.
bool RunAsGuard(HINSTANCE instance, const char* arguments);
