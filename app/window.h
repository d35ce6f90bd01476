#pragma once

#include <windows.h>

void RegisterMoverClass(HINSTANCE instance, const char* className);
// The hidden 1x1 popup that owns the tray icon; null when it cannot be made.
HWND CreateMoverWindow(HINSTANCE instance, const char* className, const wchar_t* title);
// A topmost tool popup of a class of its own, titled like the class (for
// tools that list windows), never activated, layered with `alpha` of 255;
// `exStyle` adds to those styles. Null when it cannot be made.
HWND CreateLayeredPopup(HINSTANCE instance, const char* className, WNDPROC proc, HCURSOR cursor, DWORD exStyle,
                        BYTE alpha);
// Key changes arrive at `mover` as WM_INPUT whichever program has the
// focus; false when the system refuses.
bool RegisterKeyboardInput(HWND mover);
// The shell's icon view: the first child's first child of Progman, or else of
// a WorkerW window; null when neither holds it.
HWND FindDesktopView();
