// The program record: everything set up at start-up and kept for the run,
// the live settings and the panning engine's state among it.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/front.h"
#include "app/mapwindow.h"
#include "app/surface.h"
#include "base/settings.h"
#include "pan/engine.h"
#include "pan/maximized.h"
#include "pan/passes.h"
#include "settings/place.h"

struct Program {
    std::wstring titleText;    // window title, tooltip while enabled
    std::wstring stoppedText;  // tooltip while stopped
    char className[100];
    char mutexName[100];
    std::wstring settingsProgramPath;  // beside the exe: config.exe
    SettingsPlace place;               // veskal.ini and veskal.view
    bool toldSaveFailed;               // a balloon said no save gets through
    HANDLE instanceMutex;
    HINSTANCE instance;  // holds the move cursor, the icons and the menu
    HWND mover;          // the hidden MoverWindow: the tray icon and every message
    HWND desktopView;    // the desktop's icons: never panned
    HWND mapWindow;      // the map while panning, or null
    Rect32 desktopRect;  // the screen the plane is measured in
    NOTIFYICONDATAW trayIcon;
    Settings settings;   // the live settings
    ChordKeys chord;     // their activation keys, as a tick reads them
    bool enabled;
    bool keyboardWakes;  // raw keyboard input reaches the hidden window
    uint32_t keyInputs;  // WM_INPUT messages so far
    uint32_t pointerInputs;  // mouse messages to the MoverWindow so far: it holds the capture in pan mode
    PanState pan;
    std::vector<WindowInfo> windows;  // the last pass's reading
    std::vector<Move> moves;
    std::vector<Rect32> placed;  // where the last shift pass put the windows it moved
    std::vector<Rect32> pinned;  // where the pinned windows stood at that pass
    std::unordered_map<DWORD, std::string> programNames;  // by process id, while pins exist; emptied at each chord
    Placements placements;       // where the plane has put each window, taken or not yet
    MaximizedWindows maximized;  // maximized windows the plane has moved
    uint32_t passes;             // shift passes so far: the map redraws when this changes
    Point32 viewRecorded;  // the offset veskal.view holds, or the start's when it holds none
    MapCanvas map;         // the map window's picture
    CaptureSurface surface;  // over the screen in pan mode
    Front front;           // the window in front, as the system last announced it
    IVirtualDesktopManager* virtualDesktops;  // null where the system has none
};

extern Program program;

