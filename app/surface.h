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

#include "base/geometry.h"

struct CaptureSurface {
    HWND hwnd;      // null when it could not be made: pan mode then goes on without one
    Rect32 place;   // the virtual screen when it was last shown
    bool captured;  // it holds the capture; WM_CAPTURECHANGED says when it no longer does
};

CaptureSurface CreateSurface(HINSTANCE instance);
// Shown over the virtual screen, topmost but below the map, with the capture
// and the move cursor. Each look in pan mode calls it: it asks the system
// only whether the surface still shows where it was put, and mends what changed.
void KeepSurface(CaptureSurface& surface, HWND map);
// Hidden (shrunk to no size at all) and the capture released.
void HideSurface(CaptureSurface& surface);
