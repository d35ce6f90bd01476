// How long the main loop waits before its next look at the keys.
#pragma once

#include <cstdint>

struct LoopWait {
    uint32_t ms;        // 0: look now
    bool messagesWake;  // a message ends the wait early
};

struct LoopClock {
    bool keyboardWakes;      // raw keyboard input reaches the hidden window
    bool buttonChord;        // a chord key is a mouse button, which raw keyboard input never reports
    bool panMode;
    bool keyInput;           // a WM_INPUT came since the last look
    bool keysDown;           // a chord key was down at the last look
    bool blind;              // raw input missed a chord key: see BlindAfterLook
    uint32_t sinceKeyInput;  // milliseconds since the last WM_INPUT
    bool pointerInput = false;   // in pan mode: the pointer moved or a button changed since the last look
    uint32_t sinceLook = 0;      // milliseconds since the last look
    uint32_t sinceMovedLook = 0;  // ... since the last look that took the pointer's input
    bool elevatedInFront = false;  // the program in front runs above Veskal: its keys are withheld from it
};

// Where key changes wake the hidden window, the loop looks at once after
// one, every 10 ms while a key came in the last 100 ms, and otherwise sleeps
// in the wait, with a look every second for what raw input does not show.
// While raw input is blind, for a chord holding a mouse button and without
// raw input, it looks every 10 ms. Over an elevated program it keeps the
// one-second look: the system withholds that program's keys from raw input and
// from the key state alike, so a quicker look would see nothing more. In pan
// mode the capture surface holds the capture, so every movement comes as a
// message: the loop looks as soon as one is in, at most once per 7 ms of
// such looks, and 10 ms after the last look when none comes, for the chord's
// release and the double click.
LoopWait NextWait(const LoopClock& clock);

// Raw input is trusted while it proves itself: a look that finds a chord key
// down that was up before, with no WM_INPUT since, shows it blind (a session
// where the system withholds it), and it stays blind until a WM_INPUT comes
// or a look finds every chord key up. An elevated program in front is not
// blindness: nothing can see its keys.
bool BlindAfterLook(const LoopClock& before, bool keysDown, bool elevatedInFront);
