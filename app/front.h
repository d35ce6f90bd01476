// The window in front, as the main loop's looks find it: whether the system
// withholds its keys from Veskal, and which window the user works in.
#pragma once

#include <windows.h>

struct Front {
    DWORD ownLevel;    // veskal.exe's integrity level
    HWND hwnd;         // in front at the last look
    bool elevated;     // its program runs above ownLevel: raw input and the key state miss its keys
    HWND usersWindow;  // the last one in front that is neither Veskal's nor a shell bar
};

// Asks the system more only when another window came to the front.
void LookAtFront(Front& front);
// The window to give the keyboard back to once Veskal's tray menu closes:
// the one in front, or the one before when the user's click on the tray
// icon brought the taskbar forward.
HWND UsersWindow(const Front& front);
