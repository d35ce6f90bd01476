// Internal state of the Win32 stand-in: one deterministic desktop.
#pragma once

#include <winsim.h>

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace sim {

// A bitmap is kept as the list of what was drawn on it, last on top: a
// picture read a pixel at a time costs nothing until it is read.
struct Stroke {
    RECT rect;
    COLORREF colour;
    bool frame;  // only the rectangle's one-pixel border
};

struct Bitmap {
    LONG width, height;
    std::vector<Stroke> strokes;  // a fill of the whole bitmap starts the list anew
    bool alive = true;
};

struct DeviceContext {
    int bitmap = -1;  // the index of the one selected
    HWND window = nullptr;  // or the window it paints
    COLORREF brush = 0;  // DC_BRUSH's colour
    bool alive = true;
};

struct Window {
    std::string className;
    std::string title;
    RECT rect{};
    LONG style = 0;
    LONG exStyle = 0;
    HWND parent = nullptr;
    std::vector<HWND> children;  // z-order, top first
    WNDPROC proc = nullptr;      // null: a window of another process
    std::vector<Stroke> picture;  // as last painted, from its top left
    int alpha = -1;               // a layered window's constant alpha, -1 before any
    bool invalid = false;         // a WM_PAINT is due
    HDC paintDc = nullptr;        // what BeginPaint hands out, made once
};

struct WindowClass {
    WNDCLASSEXA wc{};
    std::string name;
};

struct Scheduled {
    DWORD time;
    uint64_t order;
    std::function<void()> action;
};

struct MenuItem {
    UINT id = 0;
    std::string caption;
    bool separator = false;
    bool checked = false;
    int submenu = 0;  // menu number of a popup entry
};

struct Menu {
    std::vector<MenuItem> items;
    bool alive = true;
};

struct Mutex {
    int handles = 0;
};

struct State {
    // desktop
    std::map<HWND, Window> windows;
    std::vector<HWND> zorder;  // top-level windows, top first
    uintptr_t nextHandle = 0x100;
    std::map<std::string, WindowClass> classes;
    std::deque<MSG> queue;
    bool quitPosted = false;
    int quitCode = 0;
    HWND capture = nullptr;
    HWND foreground = nullptr;
    HWND active = nullptr;

    // input and clock
    bool keys[256] = {};
    POINT cursor{0, 0};
    DWORD now = 1000000;  // a machine that has been up a while
    DWORD clockLimit = 1600000;
    bool timedOut = false;
    uint64_t scheduleOrder = 0;
    std::vector<Scheduled> schedule;
    HWND keyboardSink = nullptr;  // raw keyboard input goes here as WM_INPUT

    // kernel
    std::string modulePath = "C:\\Veskal\\veskal.exe";
    DWORD lastError = 0;
    std::map<std::string, Mutex> mutexes;
    std::map<uintptr_t, std::string> mutexHandles;  // handle -> name

    // shell and cursors
    std::vector<TrayIcon> tray;
    bool taskbarAccepts = true;
    std::vector<Launch> launches;
    std::map<DWORD, int> systemCursors;
    std::map<uintptr_t, int> iconResources;  // handle -> resource id
    uintptr_t nextIcon = 0x7000;

    // drawing
    RECT workArea{};
    std::vector<DeviceContext> dcs;  // handles count from kFirstDc, four apart
    std::vector<Bitmap> bitmaps;     // likewise from kFirstBitmap

    // menus
    std::vector<Menu> menus;  // index + 1 is the HMENU value
    std::vector<Popup> popups;
    UINT menuChoice = 0;

    std::vector<std::string> calls;
    std::set<std::pair<std::string, HWND>> failing;  // call name, window (null: any)
};

State& S();
// The device context that paints `hwnd`.
HDC WindowDc(HWND hwnd);
// Registered message names outlive Reset(), like atoms of a real session.
std::map<std::string, UINT>& RegisteredMessages();

void Log(const std::string& call);
std::string Hex(uint64_t value);
Window* Find(HWND hwnd);
// Whether the test made `call` fail, for `hwnd` or for every window.
bool Failing(const std::string& call, HWND hwnd = nullptr);
HWND NewHandle();
bool SameText(const std::string& a, const std::string& b, bool ignoreCase);

// Resources parsed from the resource script.
struct Resources {
    std::map<UINT, std::string> strings;  // UTF-8
    std::map<std::string, std::map<UINT, std::string>> files;  // type -> id -> path
    std::map<UINT, std::vector<MenuItem>> menus;  // top level of each menu, popups nested below
    std::vector<std::vector<MenuItem>> popups;    // bodies of POPUP entries
};
const Resources& Res();

}  // namespace sim
