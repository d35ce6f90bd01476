// Integrity levels: the system withholds the keys typed over a program that
// runs at a higher level than veskal.exe from its raw input.
#pragma once

#include <windows.h>

// The level of the process, or MAXDWORD when its token cannot be read (a
// program of higher level, or of another user, keeps it closed).
DWORD IntegrityLevel(DWORD processId);
