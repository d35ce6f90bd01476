// Integrity levels: the system withholds the keys typed over a program that
// runs at a higher level than veskal.exe from its raw input.
#pragma once

#include <windows.h>

// The level of the process, or MAXDWORD when its token cannot be read (a
// program of higher level, or of another user, keeps it closed).
DWORD IntegrityLevel(DWORD processId);

// Whether the foreground window's program runs above `ownLevel`. Asked of the
// system only when another window comes to the front: `front` and `above`
// keep the last answer.
bool ElevatedInFront(DWORD ownLevel, HWND& front, bool& above);
