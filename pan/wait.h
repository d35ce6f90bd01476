// How long the main loop waits before its next look at the keys.
#pragma once

#include <cstdint>

struct LoopWait {
    uint32_t ms;        // 0: look now
    bool messagesWake;  // a message ends the wait early
};

struct LoopClock {
    bool keyboardWakes;     // raw keyboard input reaches the hidden window
    bool panMode;
    bool keyInput;          // a WM_INPUT came since the last look
    bool keysDown;          // a chord key was down at the last look
    uint32_t sinceKeyInput;  // milliseconds since the last WM_INPUT
};

// Where key changes wake the hidden window, the loop looks at once after
// one, every 10 ms while a chord key is down or a key came in the last
// 100 ms, and otherwise sleeps in the wait, with one look a second for what
// raw input does not show (keys over an elevated window, a chord of mouse
// buttons). In pan mode, and without raw input, it waits 10 ms and looks,
// always.
LoopWait NextWait(const LoopClock& clock);
