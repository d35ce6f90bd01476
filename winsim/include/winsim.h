// Test-side controls of the Win32 stand-in: build a desktop, set input,
// run the virtual clock and read back what the program asked of the system.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

namespace sim {

// A fresh desktop: no windows, clock at 0, keys up, cursor at (0, 0), empty
// logs, default module path. Registered message ids survive, as they do for
// the life of a real session.
void Reset();

// ---- desktop ----
struct NewWindow {
    std::string className = "TestWindow";
    std::string title;
    RECT rect = {0, 0, 100, 100};
    LONG style = (LONG)(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    LONG exStyle = 0;
    HWND parent = nullptr;  // children go below their earlier siblings
    bool atBottom = false;  // top-level only: insert at the bottom of the z-order
};
HWND AddWindow(const NewWindow& shape);
// The shell's desktop chain Progman -> SHELLDLL_DefView -> SysListView32,
// each covering `screen`, Progman at the bottom. Returns the list view.
HWND AddDesktop(RECT screen = {0, 0, 1024, 768});
std::vector<HWND> TopLevelWindows();  // z-order, top first
bool Exists(HWND hwnd);
RECT WindowRect(HWND hwnd);
bool IsTopmost(HWND hwnd);
std::string Name(HWND hwnd);  // "#n" or "null", as written in the call log

// ---- input ----
void SetKey(int vk, bool down);
void SetCursor(int x, int y);

// ---- virtual clock ----
DWORD Now();
void SetNow(DWORD ms);
// Runs `action` when Sleep carries the clock to or past `ms`.
void At(DWORD ms, std::function<void()> action);
// Sleep posts WM_QUIT once the clock passes this (default 10 minutes), so a
// forgotten exit cannot hang a test; TimedOut() then reports it.
void SetClockLimit(DWORD ms);
bool TimedOut();

// ---- kernel ----
void SetModulePath(const std::string& path);  // bytes in the ANSI code page
void HoldMutexElsewhere(const std::string& name);
bool MutexExists(const std::string& name);
int OpenMutexHandles();

// ---- shell and system state ----
struct TrayIcon {
    HWND hwnd;
    UINT id;
    UINT flags;
    UINT callbackMessage;
    int iconId;  // resource id of the icon, 0 for none
    std::string tip;
    DWORD cbSize;
};
std::vector<TrayIcon> TrayIcons();
void SetTaskbarAccepts(bool accepts);  // false: Shell_NotifyIconA fails

struct Launch {
    HWND owner;
    std::string operation, file, parameters, directory;
    bool operationNull, directoryNull;
    int showCommand;
};
std::vector<Launch> Launches();

// Resource id of the cursor installed for OCR_NORMAL / OCR_IBEAM, 0 for the
// user's own cursor.
int SystemCursor(DWORD ocr);
int ResourceIdOf(HICON icon);  // icon or cursor loaded from our module, else 0
bool IsSystemArrow(HCURSOR cursor);
HWND Capture();
HWND Foreground();

// ---- drawing ----
// The work area SPI_GETWORKAREA reports; AddDesktop makes it the screen.
void SetWorkArea(RECT area);
// The colour a window shows at (x, y) from its top left, as a BitBlt last
// painted it; CLR_INVALID outside it or before one.
COLORREF WindowPixel(HWND hwnd, int x, int y);
int LayeredAlpha(HWND hwnd);  // a layered window's constant alpha, -1 before one is set

// ---- menus ----
struct MenuItemState {
    UINT id;
    std::string caption;  // ANSI bytes
    bool separator;
    bool checked;
};
struct Popup {
    std::vector<MenuItemState> items;
    UINT flags;
    int x, y;
    HWND owner;
};
std::vector<Popup> Popups();  // one per TrackPopupMenu call
// The next TrackPopupMenu picks this command (posted to the owner as
// WM_COMMAND, as the real menu does); 0 dismisses the menu.
void ChooseMenuItem(UINT id);
int LiveMenus();  // menus loaded and not yet destroyed

// ---- resources (read from the resource script) ----
std::string ResourceString(UINT id);  // ANSI (code page 932) bytes
std::string ResourceFile(const std::string& type, UINT id);  // path of ICON / CURSOR file

// ---- failures ----
// From now on `call` fails, as the system's would, without writing its
// outputs: for `hwnd` only, or for every window (and calls without one).
// Known: GetClassNameA, GetWindowRect, GetCursorPos, CreateMutexA (access
// denied), MoveFileExA, LoadMenuA, RegisterRawInputDevices.
void FailCall(const std::string& call, HWND hwnd = nullptr);
void HealCalls();

// ---- the call log ----
const std::vector<std::string>& Calls();
std::vector<std::string> CallsStartingWith(const std::string& prefix);
void ClearCalls();

// Shift-JIS bytes of a UTF-8 text.
std::string Ansi(const std::string& utf8);

}  // namespace sim
