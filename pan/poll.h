// The idle poll: pan mode, drags and the double click. Keys and the mouse
// are read by polling; no hooks are installed.
#pragma once

#include <cstdint>
#include <vector>

#include "base/settings.h"
#include "pan/plane.h"

// Every key of the chord down; an empty chord is never held.
bool ChordHeld(const std::vector<int32_t>& keys);
// One look at the keys and the mouse; pans only while `enabled`.
void PollTick(const Settings& settings, bool enabled, const PanWindows& windows);
// Follows the cursor since the last step, `speed` pixels per pixel.
void DragStep(int32_t speed, const PanWindows& windows);
// Back to the start cell: every window shifted by the difference.
void MoveToStart(int32_t startCell, const PanWindows& windows);
// Cursors restored, the MoverWindow hidden and released, any drag ended.
void LeavePanMode(const PanWindows& windows);
