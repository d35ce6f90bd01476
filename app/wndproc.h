#pragma once

#include <windows.h>

// Registered while globals are initialised, before WinMain runs.
extern const UINT taskbarCreatedMessage;

LRESULT CALLBACK MoverWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
