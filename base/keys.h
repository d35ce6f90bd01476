// The keyboard as both programs read it.
#pragma once

#include <windows.h>

#include <cstdint>

// Virtual-key codes proper, 1..254; 0 and the rest never read as held.
inline bool IsKeyCode(int32_t key) {
    return key >= 1 && key <= 254;
}

inline bool IsKeyDown(int key) {
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}
