// The test windows that the stand-in shell shows and the driver watches.
#pragma once

#include <windows.h>

const char* const kSampleClass = "VeskalE2ESample";
const char* const kFocusTitle = "E2E Focus";

struct E2EWindow {
    const char* title;
    const char* className;  // null: kSampleClass
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
    int show;
    COLORREF color;
    bool shifts;  // whether a shift pass moves it
};

const E2EWindow kE2EWindows[] = {
    {"E2E Window A", nullptr, WS_OVERLAPPEDWINDOW, 0, 100, 120, 300, 200, SW_SHOWNOACTIVATE, RGB(150, 200, 255), true},
    // Tool and topmost windows move like any other.
    {"E2E Window B", nullptr, WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 560, 380, 240, 160,
     SW_SHOWNOACTIVATE, RGB(255, 220, 150), true},
    // The shell's menu bands never move.
    {"E2E BaseBar", "BaseBar", WS_POPUP | WS_BORDER, 0, 40, 560, 200, 100, SW_SHOWNOACTIVATE, RGB(200, 200, 200),
     false},
    // The start menu host never moves either. Keys are sent to its X window:
    // with no window manager the X focus would follow the pointer, and keys
    // over no Wine window (when the desktop has moved away) never reach Wine.
    {kFocusTitle, "DV2ControlHost", WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW, 784, 0, 240, 28, SW_SHOWNOACTIVATE,
     RGB(180, 180, 220), false},
    {"E2E Minimized", nullptr, WS_OVERLAPPEDWINDOW, 0, 300, 300, 200, 120, SW_SHOWMINNOACTIVE, RGB(255, 255, 255),
     false},
    {"E2E Hidden", nullptr, WS_OVERLAPPEDWINDOW, 0, 420, 200, 200, 120, SW_HIDE, RGB(255, 255, 255), false},
};
