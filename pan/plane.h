// The plane: its bounds, the start cells and the bounded step.
//
// The view's offset is its displacement from the centre cell; panning adds
// it to every window. The plane is the desktop widened by the half extent on
// each side, so |offset| stays within the half extent on each axis.
#pragma once

#include <cstdint>

#include "base/geometry.h"

// Right and bottom times the steps, halved (floored); 32-bit wrapping.
Point32 HalfExtent(const Rect32& desktop, int32_t widthSteps, int32_t heightSteps);
// The offset of start cell 0..8 (row by row); any other cell keeps `current`.
Point32 StartCellOffset(int32_t startCell, Point32 halfExtent, Point32 current);
// `step` with each axis that would take `offset` off the plane dropped whole.
Point32 BoundedStep(Point32 offset, Point32 step, Point32 halfExtent);
// Whether `offset` lies on the plane.
bool OnThePlane(Point32 offset, Point32 halfExtent);
