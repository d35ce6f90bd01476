// The map of the plane while panning (pan/map.h lays it out): a topmost,
// click-through tool window that is never activated, in the bottom right
// corner of the work area, a little see-through. It is drawn into an
// off-screen bitmap and copied to the window whole, so nothing flickers.
#pragma once

#include <windows.h>

#include <cstdint>

#include "pan/map.h"

const COLORREF kMapBackground = RGB(28, 32, 40);
const COLORREF kMapCellLine = RGB(84, 92, 108);
const COLORREF kMapStart = RGB(64, 200, 96);  // the tray icon's green
const COLORREF kMapWindow = RGB(128, 168, 224);
const COLORREF kMapWindowEdge = RGB(44, 64, 104);
const COLORREF kMapPinned = RGB(236, 140, 64);  // a window pinned to the screen
const COLORREF kMapView = RGB(255, 214, 80);
const BYTE kMapAlpha = 208;  // of 255: what lies below shows through a little

struct MapCanvas {
    HDC dc;  // holds the bitmap for the whole run
    HBITMAP bitmap;
    SIZE size;
    Rect32 corner;  // the work area, read when the map shows
    Rect32 place;   // where the window is
    MapState state;
    MapPicture picture;
};

// Null when it cannot be made: there is no map then.
HWND CreateMapWindow(HINSTANCE instance);
// Shown while pan mode lasts and the menu's choice is on, hidden otherwise;
// drawn when it shows and after each shift pass since, once per call.
void SyncMap();
