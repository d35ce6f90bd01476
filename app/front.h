// The window in front, as the system announces it: whether the system
// withholds its keys from Veskal, and which window the user works in.
#pragma once

#include <windows.h>

struct Front {
    DWORD ownLevel;    // veskal.exe's integrity level
    bool elevated;     // its program runs above ownLevel: raw input and the key state miss its keys
    HWND usersWindow;  // the last one in front that is neither Veskal's nor a shell bar
    HWND now;          // the one in front at the last change seen
};

// From now on each change of the window in front updates `program.front`
// as it happens, and the view follows it to a window off screen, or to a
// window restored from the taskbar (out-of-context events: nothing runs
// while nothing changes, and nothing is loaded into other programs).
void WatchFront();
// Where the system announces no change (Wine), the loop's looks find it:
// one request per look, at no extra wake-up.
void LookAtFront();
// The window to give the keyboard back to once Veskal's tray menu closes:
// the one in front, or the one before when the user's click on the tray
// icon brought the taskbar forward.
HWND UsersWindow(const Front& front);
