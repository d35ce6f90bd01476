// The idle poll: pan mode, drags and the double click. Keys and the mouse
// are read by polling; no hooks are installed.
#pragma once

#include <cstdint>
#include <vector>

#include "base/settings.h"
#include "pan/plane.h"

// The chord as a tick reads it: each key code once, however long the list
// and however often a code repeats in it.
struct ChordKeys {
    std::vector<uint8_t> codes;  // each code of the list once, in the order first listed
    bool never;  // empty, or a code outside 0..255, which never reads as down
};

ChordKeys MakeChord(const std::vector<int32_t>& keys);
// One look at the keys and the mouse; pans only while `enabled`. True
// while a key of the chord is down: the next look should come soon.
bool PollTick(const Settings& settings, const ChordKeys& chord, bool enabled, const PanWindows& windows);
// Follows the cursor since the last step, `speed` pixels per pixel.
void DragStep(int32_t speed, const PanWindows& windows);
// Back to the start cell: every window shifted by the difference.
void MoveToStart(int32_t startCell, const PanWindows& windows);
// Cursors restored, the MoverWindow hidden and released, any drag ended.
void LeavePanMode(const PanWindows& windows);
