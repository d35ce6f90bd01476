// The capture surface: while pan mode lasts, a window over every monitor
// takes each press, movement and release, so that none reaches the program
// below. The system gives a background window the mouse only over its
// visible part (SetCapture), so the surface covers the whole virtual screen.
// It is topmost and never activated: the window the user works in keeps the
// foreground and the keyboard. It is all but transparent, yet hit-tested
// (alpha 1 of 255: a layered window lets clicks through only where alpha is
// 0), and shows the move cursor as its own, so no system cursor is replaced.
#pragma once

#include <windows.h>

// Null when it cannot be made: pan mode then goes on without one.
HWND CreateSurface(HINSTANCE instance);
// Shown over the virtual screen, topmost but below the map, with the capture
// and the move cursor; each call corrects only what is no longer so.
void KeepSurface(HWND surface, HWND map);
// Hidden and the capture released.
void HideSurface(HWND surface);
