// The window in front, as the system announces it: whether the system
// withholds its keys from Veskal, and which window the user works in.
#pragma once

#include <windows.h>

struct Front {
    DWORD ownLevel;    // veskal.exe's integrity level
    bool elevated;     // its program runs above ownLevel: raw input and the key state miss its keys
    HWND usersWindow;  // the last one in front that is neither Veskal's nor a shell bar
};

// From now on each change of the window in front updates `program.front`
// as it happens (an out-of-context event: nothing runs while nothing
// changes, and nothing is loaded into other programs). Where the system
// announces none (Wine), it keeps what it found here.
void WatchFront();
// The window to give the keyboard back to once Veskal's tray menu closes:
// the one in front, or the one before when the user's click on the tray
// icon brought the taskbar forward.
HWND UsersWindow(const Front& front);
