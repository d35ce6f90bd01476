// The top-level windows and the monitors read into the core's data, and the
// core's moves carried out on them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "pan/passes.h"
#include "pan/recall.h"

// One window; with its restore rectangle when minimized or maximized and
// `withRestore`, or when maximized and not yet followed.
WindowInfo ReadWindow(HWND hwnd, bool withRestore = false);
// Into the program record's `windows`, top window first; with the restore
// rectangles of minimized windows too when asked.
void ReadWindows(bool withRestores = false);
std::vector<Monitor> ReadMonitors();
// The file name of the window's program, lower case, in UTF-8; empty when
// it cannot be read. Kept by process id until the next chord.
std::string ProgramOf(HWND hwnd);
// Posted, or with `settle`, waited for where the window's program answers
// within a bound (and the moves so far took less than another). A move the
// system refuses is marked so.
void Apply(std::vector<Move>& moves, bool settle = false);
// Posted: minimized and maximized windows keep their state.
void ApplyRestores(const std::vector<Restore>& restores);
