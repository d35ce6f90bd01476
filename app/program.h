// Program-wide values set up at start-up and kept for the whole run.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/mapwindow.h"
#include "base/settings.h"
#include "pan/plane.h"
#include "pan/poll.h"

struct Program {
    char titleText[100];    // window title, tooltip while enabled
    char stoppedText[100];  // tooltip while stopped
    char className[100];
    char mutexName[100];
    std::string settingsProgramPath;  // beside the exe: config.exe
    std::string settingsFilePath;     // beside the exe: veskal.ini
    std::string viewRecordPath;       // beside the exe: veskal.view
    HANDLE instanceMutex;
    PanWindows windows;  // instance, MoverWindow, desktop view and rectangle, map
    Settings settings;   // the live settings
    ChordKeys chord;     // their activation keys, as the poll reads them
    bool enabled;
    bool keyboardWakes;  // raw keyboard input reaches the hidden window
    uint32_t keyInputs;  // WM_INPUT messages so far
    Point32 viewRecorded;  // the offset veskal.view holds, or the start's when it holds none
    MapCanvas map;         // the map window's picture
};

extern Program program;
