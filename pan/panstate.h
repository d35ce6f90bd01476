// The panning engine's record, the plane's bounds and the start cells.
#pragma once

#include <cstdint>

struct Point32 {
    int32_t x;
    int32_t y;
};

struct PanState {
    Point32 step;        // what the next shift pass adds to every window
    Point32 offset;      // the view's displacement from the centre cell
    Point32 anchor;      // cursor at the previous drag step
    bool dragActive;
    Point32 halfExtent;  // largest |offset| allowed per axis
    bool panMode;
    bool buttonHeld;
    uint32_t lastReleaseTick;
};

extern PanState pan;

void UpdateHalfExtent();
void PlaceAtStartCell();
void MoveToStart();
