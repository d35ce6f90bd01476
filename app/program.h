// Program-wide values set up at start-up and kept for the whole run.
#pragma once

#include <windows.h>

#include <string>

struct Program {
    char titleText[100];    // string 103: window title, tooltip while enabled
    char stoppedText[100];  // string 104: tooltip while stopped
    char className[100];    // string 109
    char mutexName[100];    // string 110
    std::string settingsProgramPath;  // beside the exe: config.exe
    std::string settingsFilePath;     // beside the exe: veskal.ini
    HANDLE instanceMutex;
    HINSTANCE instance;
    HWND moverWindow;
    HWND desktopView;
    RECT desktopRect;
    bool enabled;
    bool shutDown;  // the recall pass and the save have run
};

extern Program program;
