// Recording a chord by having the user press it. The dialog reads the keys
// the way Veskal reads them, with GetAsyncKeyState, so what is recorded is
// what it will test; this decides what the keys down mean.
#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

struct KeyCapture {
    bool active = false;
    std::bitset<256> heldSinceStart;  // down when the capture began and not let go since
    std::vector<int32_t> pressed;     // in the order first seen
};

using KeysDown = std::bitset<256>;  // by virtual-key code

enum class CapturePoll { waiting, recorded, cancelled };

void StartCapture(KeyCapture& capture, const KeysDown& down);
// One look at the keyboard. Recorded once keys were pressed and all of them
// let go, leaving the chord in capture.pressed; cancelled by Esc.
CapturePoll PollCapture(KeyCapture& capture, const KeysDown& down);
