// The keyboard as both programs read it.
#pragma once

#include <cstdint>

// Virtual-key codes proper, 1..254; 0 and the rest never read as held.
inline bool IsKeyCode(int32_t key) {
    return key >= 1 && key <= 254;
}

const int kLeftButton = 0x01;
const int kRightButton = 0x02;
const int kLastButton = 0x06;  // the mouse's codes: 1..6, with Ctrl+Break's 3 among them

// The button that drags: the primary one. Key state reads the physical
// buttons, so a left-handed mouse (buttons swapped) drags with the right.
inline int PrimaryButton(bool swapped) {
    return swapped ? kRightButton : kLeftButton;
}

// The button that pins: the other one.
inline int SecondaryButton(bool swapped) {
    return swapped ? kLeftButton : kRightButton;
}
