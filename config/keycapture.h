// Recording a chord by having the user press it: the keys are read the way
// Veskal reads them, with GetAsyncKeyState, so what is recorded is what it
// will test.
#pragma once

#include <cstdint>
#include <vector>

struct KeyCapture {
    bool active = false;
    bool waitingForRelease = false;  // keys already down at the start don't count
    std::vector<int32_t> pressed;    // in the order first seen
};

extern KeyCapture capture;

void StartCapture();
void StopCapture();
// One look at the keyboard; true once keys were pressed and all released,
// leaving the chord in capture.pressed.
bool PollCapture();
