// The plane: its bounds, the start cells, the bounded step, and the panning
// engine's record.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "base/settings.h"

struct Point32 {
    int32_t x;
    int32_t y;
};

struct PanState {
    Point32 offset;      // the view's displacement from the centre cell
    Point32 anchor;      // cursor at the previous drag step
    bool dragActive;
    Point32 halfExtent;  // largest |offset| allowed per axis
    bool panMode;
    bool buttonHeld;
    uint32_t lastReleaseTick;
    std::vector<RECT> placed;  // where the last shift pass put the windows it moved
    uint32_t passes;           // shift passes so far: the map redraws when this changes
};

extern PanState pan;

// The program's windows as panning sees them.
struct PanWindows {
    HINSTANCE instance;  // holds the move cursor
    HWND mover;          // the MoverWindow: parked under the cursor, never shifted
    HWND desktopView;    // never moved by either pass
    RECT desktopRect;    // the screen the plane is measured in, read once
    HWND map;            // the map while panning, or null: never moved by either pass
};

// Right and bottom times the steps, halved (floored); 32-bit wrapping.
Point32 HalfExtent(const RECT& desktop, int32_t widthSteps, int32_t heightSteps);
// The offset of start cell 0..8 (row by row); any other cell keeps `current`.
Point32 StartCellOffset(int32_t startCell, Point32 halfExtent, Point32 current);
// `step` with each axis that would take `offset` off the plane dropped whole.
Point32 BoundedStep(Point32 offset, Point32 step, Point32 halfExtent);

// The same, applied to the record.
void UpdateHalfExtent(const RECT& desktop, const Settings& settings);
void PlaceAtStartCell(int32_t startCell);
