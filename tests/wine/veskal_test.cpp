// The real exes on a stand-in desktop, driven with X input: what only the
// real system shows. The rows run in order and share seven starts of
// veskal.exe (each costs seconds); suite Core also runs on the 32-bit build.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <tlhelp32.h>
#include <gtest/gtest.h>

#include "app/tray.h"
#include "config/resource.h"
#include "res/resource.h"
#include "tests/wine/desktop.h"

namespace {

struct Watched { const char* name; HWND hwnd; POINT home; };  // moved by drags; E2E Window A first
std::vector<Watched> watched;
Child veskal;  // the program under test, started in dir
std::string dir;
HWND mover, surface;  // the MoverWindow and the capture surface of pan mode
DWORD followMs;  // the last drag's last step: from the pointer's move to the windows all there
bool orderKept = true;  // false in a virtual desktop: focusing its X window for the keys raises a window

// No waiting once the program has ended: Wine itself moves a window beyond
// the top-left corner to (0,0) when it activates it after the active one went.
// Only for the moves posted before: a message its thread answers comes after.
void ExpectAt(HWND hwnd, POINT at, const std::string& what, int timeoutMs = kDeadlineMs) {
    POINT p = {};
    if (timeoutMs == 0) SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, nullptr);
    bool there = WaitFor([&] { return p = TopLeft(hwnd), p.x == at.x && p.y == at.y; }, timeoutMs);  // before p is printed
    Check(there, "%s at (%ld,%ld), expected (%ld,%ld)", what.c_str(), p.x, p.y, at.x, at.y);
}

// All the watched windows at once, each moved by (dx,dy) from its home.
void ExpectShifted(int dx, int dy, const std::string& when) {
    auto at = [&](auto& w) { return TopLeft(w.hwnd).x == w.home.x + dx && TopLeft(w.hwnd).y == w.home.y + dy; };
    WaitFor([&] { return std::all_of(watched.begin(), watched.end(), at); });
    for (const Watched& w : watched) ExpectAt(w.hwnd, {w.home.x + dx, w.home.y + dy}, when + ": " + w.name, 0);
}

// Visible and of some size: between chords the capture surface is visible, of no size.
bool Shows(HWND hwnd) {
    RECT r = {};
    return IsWindowVisible(hwnd) && GetWindowRect(hwnd, &r) && !IsRectEmpty(&r);
}

// Waits for the capture surface over the screen, with the capture; then, `rounds` times, for a look,
// which puts it back where it was displaced from: after two, a whole look saw what came before.
void AwaitSurface(const char* when, int rounds = 0) {
    for (int round = 0; round <= rounds; ++round) {
        if (round) MoveTo(surface, {5, 5});
        RECT r = {}, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        Check(WaitFor([&] { return IsWindowVisible(surface) && GetWindowRect(surface, &r) && EqualRect(&r, &screen) &&
                                   (GetWindowLongA(surface, GWL_EXSTYLE) & WS_EX_TOPMOST) &&
                                   GetGUIThreadInfo(GetWindowThreadProcessId(surface, nullptr), &gui) &&
                                   gui.hwndCapture == surface; }),
              "%s: no capture surface over the screen", when);
    }
}

// Chord and `button` (xdotool's number) held at `from`, then the pointer to
// `to`: the windows follow (unless `pans` is false) and stay when the drag ends.
void Drag(POINT from, POINT to, const std::function<void()>& held = [] {}, int button = 1, bool pans = true) {
    Check(Running(veskal), "veskal.exe is not running");
    // E2E Window B against the shell's bar, which never pans: both topmost,
    // never overlapping. Wine without a window manager raises a window where
    // an exposure finds another above it, and posted moves of several
    // programs' windows land in any order: only windows apart keep theirs.
    auto bAboveBar = [] {
        HWND h = watched[1].hwnd, bar = FindWindowA("BaseBar", "E2E BaseBar");
        while (h && h != bar) h = GetWindow(h, GW_HWNDNEXT);
        return h != nullptr;
    };
    bool above = bAboveBar() || !orderKept;
    const int vk = button == 1 ? VK_LBUTTON : VK_RBUTTON, dx = pans ? to.x - from.x : 0, dy = pans ? to.y - from.y : 0;
    PointerTo(from.x, from.y);
    Xdo(ShiftCtrl("down"), {VK_SHIFT, VK_CONTROL}, true);
    AwaitSurface("Shift+Ctrl held");
    Xdo("mousedown " + std::to_string(button), {vk}, true);
    AwaitSurface("button held", 2);
    held();
    PointerTo(to.x, to.y);
    DWORD moved = GetTickCount();
    ExpectShifted(dx, dy, "dragged");
    followMs = GetTickCount() - moved;
    Xdo("mouseup " + std::to_string(button), {vk}, false);
    Xdo(ShiftCtrl("up"), {VK_SHIFT, VK_CONTROL}, false);
    Check(WaitFor([] { return !Shows(surface); }), "the capture surface stays after the chord");
    ExpectShifted(dx, dy, "released");
    Check(bAboveBar() == above || !orderKept, "the drag changed the order of the windows");
}

// The tool-window style comes once the icon is in the tray; a message sent
// from then on is answered by the main loop.
void RunVeskal(const Child& started = Start(dir + "\\veskal.exe", "", dir)) {
    veskal = started;
    mover = AwaitWindow(veskal, "VESKALClass", "Veskal");
    surface = AwaitWindow(veskal, "VESKALPan", nullptr);
    Check(WaitFor([] { return (GetWindowLongA(mover, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0; }) &&
              SendMessageTimeoutA(mover, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, nullptr),
          "veskal.exe does not answer");
}

// The veskal.exe under test and its guard (the veskal.exe it started), while they run.
std::vector<DWORD> Veskals() {
    std::vector<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 p = {};
    p.dwSize = sizeof p;
    for (BOOL more = Process32First(snapshot, &p); more; more = Process32Next(snapshot, &p))
        if (!_stricmp(p.szExeFile, "veskal.exe") &&
            (p.th32ProcessID == veskal.dwProcessId || p.th32ParentProcessID == veskal.dwProcessId))
            found.push_back(p.th32ProcessID);
    CloseHandle(snapshot);
    return found;
}

// veskal.exe ended as a crash would, and its guard with it if `guardToo`
// (first, so that it sees nothing); then neither is left within `ms`.
bool Kill(bool guardToo = false, int ms = kDeadlineMs) {
    for (DWORD id : Veskals()) {
        HANDLE guard = id != veskal.dwProcessId && guardToo ? OpenProcess(PROCESS_TERMINATE, FALSE, id) : nullptr;
        if (guard) TerminateProcess(guard, 1), CloseHandle(guard);
    }
    TerminateProcess(veskal.hProcess, 1);
    return WaitFor([] { return Veskals().empty(); }, ms);
}

// A copy in a directory of its own, with a settings file unless `ini` is empty.
void StartVeskal(const char* name, const std::string& ini) {
    if (Running(veskal)) Kill();
    for (const Watched& w : watched) MoveTo(w.hwnd, w.home);  // the desktop's place is read at start
    dir = workDir + "\\" + name;
    Check(CreateDirectoryA(dir.c_str(), nullptr) &&
              CopyFileA((binDir + "\\veskal.exe").c_str(), (dir + "\\veskal.exe").c_str(), FALSE),
          "cannot make %s", dir.c_str());
    if (!ini.empty()) WriteBytes(dir + "\\veskal.ini", ini);
    WriteBytes(dir + "\\veskal.view", "VIEW of another run\n");
    RunVeskal();
    Check(!FileExists(dir + "\\veskal.view"), "a view record of another run stays");
}

// A dialog or menu once it shows: its controls or items are made by then.
HWND AwaitShown(const Child& owner, const char* className, const char* what) {
    HWND shown = AwaitWindow(owner, className, nullptr);
    Check(WaitFor([&] { return IsWindowVisible(shown); }), "%s is not shown", what);
    return shown;
}

std::string SavedIni() { return ReadBytes(dir + "\\veskal.ini"); }

bool SendSettings(std::string text) {  // false: not answered in time
    COPYDATASTRUCT data = {0, (DWORD)text.size(), &text[0]};
    return SendMessageTimeoutA(mover, WM_COPYDATA, 0, (LPARAM)&data, SMTO_NORMAL, kDeadlineMs, nullptr) != 0;
}

// The open menu as the screen shows it once it holds still: under Wine no
// other process can read a menu's check marks, only see them.
std::string MenuPixels(HWND menu, RECT r) {
    SendMessageTimeoutA(menu, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, nullptr);  // past its first paint
    int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO info = {{sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    char* bits = nullptr;
    HDC screen = GetDC(nullptr), copy = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(copy, CreateDIBSection(copy, &info, DIB_RGB_COLORS, (void**)&bits, nullptr, 0));
    std::string seen, last;
    WaitFor([&] { return last = seen, BitBlt(copy, 0, 0, w, h, screen, r.left, r.top, SRCCOPY) && GdiFlush(),
                         seen.assign(bits, 4 * w * h) == last; });
    DeleteObject(SelectObject(copy, old)), DeleteDC(copy), ReleaseDC(nullptr, screen);
    return seen;
}

// A shortcut read back through the shell's link object: "target in working
// folder", or empty without one.
std::wstring ReadShortcut(const std::wstring& path) {
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {};
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void**)&link)) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&file)) && SUCCEEDED(file->Load(path.c_str(), 0)))
        link->GetPath(target, MAX_PATH, nullptr, 0), link->GetWorkingDirectory(folder, MAX_PATH);
    if (file) file->Release();
    if (link) link->Release();
    return *target ? std::wstring(target) + L" in " + folder : L"";
}

// The menu as the shell opens it, an item chosen by its mnemonic, posted: under
// Wine the hidden MoverWindow never comes to the foreground, so typed keys
// would reach no menu. `pixels` takes what the menu showed.
void ChooseFromTrayMenu(char key, UINT click = WM_RBUTTONUP, std::string* pixels = nullptr) {
    PostMessageA(mover, kTrayCallbackMessage, 1, click);
    HWND menu = AwaitShown(veskal, "#32768", "the tray menu");
    POINT p = {};
    RECT r = {};
    bool atPointer = GetCursorPos(&p) && GetWindowRect(menu, &r) && r.left == p.x && r.top == p.y;
    Check(atPointer, "the menu at (%ld,%ld), the pointer at (%ld,%ld)", r.left, r.top, p.x, p.y);
    if (pixels) *pixels = MenuPixels(menu, r);
    PostMessageA(menu, WM_CHAR, key, 1);
    Check(WaitFor([&] { return !IsWindowVisible(menu); }), "the menu stays open after key %c", key);
}

// The text of the balloon shown from the tray, or "": the system's tooltip
// answers WM_GETTEXT with the text it shows.
std::wstring Balloon() {
    wchar_t text[512] = {};
    for (HWND tip = nullptr; (tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr));)
        if (IsWindowVisible(tip) && SendMessageTimeoutW(tip, WM_GETTEXT, 512, (LPARAM)text, SMTO_NORMAL, 1000, nullptr))
            return text;
    return L"";
}

std::wstring Text(HWND hwnd) {
    wchar_t text[512] = {};
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, (LPARAM)text, SMTO_NORMAL, kDeadlineMs, nullptr);
    return text;
}

std::wstring Wide(const std::string& ansi) {
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), (int)ansi.size(), &wide[0], (int)wide.size()));
    return wide;
}

Child StartW(const std::wstring& exe, const std::wstring& directory) {
    std::wstring line = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    Check(CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup, &info),
          "cannot start veskal.exe (error %lu)", GetLastError());
    CloseHandle(info.hThread);
    children.push_back(info);
    return info;
}

}  // namespace

// The desktop is made once, by the first row; a row leaves no key held, nor the buttons swapped.
struct Core : testing::Test {
    void SetUp() override {
        if (!watched.empty()) return;
        Child shell = Start(binDir + "\\desktop_shell.exe");
        AwaitWindow(shell, "DV2ControlHost", "E2E Focus");
        watched = {{"E2E Window A", AwaitWindow(shell, "VeskalE2ESample", "E2E Window A"), {}},
                   {"E2E Window B", AwaitWindow(shell, "VeskalE2ESample", "E2E Window B"), {}},
                   {"notepad", AwaitWindow(Start("notepad.exe"), "Notepad", nullptr), {}},  // another program's
                   {"Program Manager", AwaitWindow(shell, "Progman", "Program Manager"), {}}};
        SetWindowPos(watched[2].hwnd, nullptr, 640, 40, 360, 260, SWP_NOZORDER | SWP_NOACTIVATE);
        for (Watched& w : watched) w.home = TopLeft(w.hwnd);
    }
    void TearDown() override {
        SystemParametersInfoA(SPI_SETMOUSEBUTTONSWAP, FALSE, nullptr, SPIF_UPDATEINIFILE);
        if (HasFailure()) Xdo("mouseup 1 mouseup 3 " + ShiftCtrl("up"));
    }
};
class Full : public Core {};
class Display : public Core {};
class English : public Core {};

// The desktop's icon view is the first child of a SHELLDLL_DefView child of
// Progman or, failing that, of a WorkerW window. Without it there is nothing
// to pan: a balloon says so, then it ends with code 0.
TEST(Start, FindsTheDesktopsViewOrSaysSo) {
    ASSERT_FALSE(FindWindowA("Progman", nullptr)) << "a desktop is there already";
    const std::wstring noDesktop = L"デスクトップが見つからないため、Veskal を終了します。";
    const struct { const char* label; std::vector<const char*> chain; bool runs, covered = false; } rows[] = {
        {"no desktop", {}, false}, {"Progman with no shell view", {"Progman", "Static", "SysListView32"}, false},
        {"the shell view's first child no list", {"Progman", "SHELLDLL_DefView", "Static"}, false},
        {"the view under WorkerW", {"WorkerW", "SHELLDLL_DefView", "SysListView32"}, true},
        {"a wallpaper tool's window above the view", {"Progman", "SHELLDLL_DefView", "SysListView32"}, true, true}};
    for (const auto& row : rows) {
        HWND top = nullptr, parent = nullptr;
        for (const char* name : row.chain) {
            WNDCLASSA wc = {0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), 0, 0, 0, nullptr, name};
            RegisterClassA(&wc);
            parent = CreateWindowA(name, "Program Manager", parent ? WS_CHILD : WS_POPUP, 0, 0, 9, 9, parent, 0, 0, 0);
            if (!top) top = parent;
        }
        if (row.covered)  // a child above the shell view: the first child
            SetWindowPos(CreateWindowA("Static", "", WS_CHILD, 0, 0, 9, 9, top, 0, 0, 0), HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Child veskal = Start(binDir + "\\veskal.exe");
        if (row.runs) {
            AwaitWindow(veskal, "VESKALMap", nullptr);  // made once the view is found
            TerminateProcess(veskal.hProcess, 1);
        } else {
            EXPECT_TRUE(WaitFor([&] { return Balloon() == noDesktop; })) << row.label << ": " << Balloon();
        }
        EXPECT_EQ(AwaitExit(veskal, row.label), row.runs ? 1u : 0u) << row.label;
        if (top) DestroyWindow(top);
    }
}

// one copy at a time: a second ends at once
TEST_F(Core, StartsOnce) {
    // The first start: in 表 (0x95 0x5C in code page 932, its trail byte a
    // backslash), the settings file cut by a Ctrl-Z.
    StartVeskal("dbcs-\x95\x5C", "WIDTH=4\r\nACTKEY=16\r\nACTKEY=17\r\nDCENTER=0\x1A\r\nHEIGHT=5\r\n");
    EXPECT_EQ(AwaitExit(Start(dir + "\\veskal.exe", "", dir), "a second veskal.exe"), 0u);
    ASSERT_TRUE(Running(veskal)) << "the first copy ended with the second";
}

// A chord noticed within 250 ms of the press, from an idle loop (300 ms
// after the last key, the press just after a settings message), well before
// the one-second safety look: keys announced by WM_INPUT, and a chord of
// mouse buttons, which raw keyboard input never reports.
TEST_F(Core, ChordAtOnce) {
    PointerTo(300, 300);
    const struct { const char* label; const char* chord; std::string press, release; std::vector<int> keys; } rows[] = {
        {"Shift+Ctrl", "16 17", ShiftCtrl("down"), ShiftCtrl("up"), {VK_SHIFT, VK_CONTROL}},
        {"the right button", "2", "mousedown 3", "mouseup 3", {VK_RBUTTON}}};
    for (const auto& row : rows) {
        Sleep(300);  // no key for 300 ms; the message then starts the loop's wait afresh
        ASSERT_TRUE(SendSettings(std::string("3 2 0 4 1 ") + row.chord)) << row.label;
        std::string xdo = XdoStart(row.press);
        for (DWORD start = GetTickCount(); !Shows(surface) && GetTickCount() - start < 2000;) Sleep(1);
        double shown = UnixMs();
        XdoWait(xdo);
        EXPECT_LE(shown - std::stod(ReadBytes(xdo + ".t")) / 1e6, 250) << row.label << ": ms to pan mode";
        Xdo(row.release, row.keys, false);
        Check(WaitFor([] { return !Shows(surface); }), "%s: pan mode after the release", row.label);
    }
    ASSERT_TRUE(SendSettings("3 2 0 4 1 16 17"));
}

// Shift+Ctrl and the left button through X move every program's windows; 始点へ移動 (O) in the tray menu,
// and a double click, bring them home. Notepad, clicked into, keeps the foreground and its keyboard focus
// after each, and what is typed then arrives there. Wine keeps the focus whatever Veskal does, so the row
// also checks what Windows needs: the surface refuses the activation a click would bring. (The keys go
// through the shell's window, as elsewhere: an X focus taken from notepad makes Wine deactivate it.)
TEST_F(Core, DragAndHomeLeaveTheKeyboard) {
    HWND notepad = watched[2].hwnd, edit = FindWindowExA(notepad, nullptr, "Edit", nullptr);
    SendMessageA(edit, WM_SETTEXT, 0, (LPARAM)"");
    PointerTo(820, 160);
    Xdo("click 1");
    const struct { const char* label; std::function<void()> act; } rows[] = {
        {"a drag", [] { Drag({300, 300}, {380, 350}); }},
        {"始点へ移動 (O)", [] { ChooseFromTrayMenu('o', WM_LBUTTONDBLCLK), ExpectShifted(0, 0, "始点へ移動"); }},
        {"a drag, then a double click home", [] {
             Drag({300, 300}, {340, 320});
             ASSERT_TRUE(SendSettings("3 2 1 4 1 16 17"));  // the double click on, and off again after
             Xdo(ShiftCtrl("down"), {VK_SHIFT, VK_CONTROL}, true);
             AwaitSurface("Shift+Ctrl held");
             Xdo("mousedown 1 sleep 0.08 mouseup 1 sleep 0.08 mousedown 1 sleep 0.08 mouseup 1");
             ExpectShifted(0, 0, "a double click");
             Xdo(ShiftCtrl("up"), {VK_SHIFT, VK_CONTROL}, false);
             ASSERT_TRUE(SendSettings("3 2 0 4 1 16 17"));
         }}};
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    for (const auto& row : rows) {
        row.act();
        EXPECT_TRUE(GetForegroundWindow() == notepad && GetGUIThreadInfo(GetWindowThreadProcessId(notepad, nullptr), &gui) &&
                    gui.hwndFocus == edit) << "after " << row.label << ", the keyboard is not notepad's";
    }
    char text[64] = {};
    Xdo("search --onlyvisible --classname notepad windowfocus --sync type x");
    EXPECT_TRUE(WaitFor([&] { return SendMessageA(edit, WM_GETTEXT, sizeof text, (LPARAM)text), !strcmp(text, "x"); }))
        << "typed, notepad holds " << text;
    EXPECT_TRUE(SendMessageA(surface, WM_MOUSEACTIVATE, (WPARAM)notepad, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)) ==
                    MA_NOACTIVATE && (GetWindowLongA(surface, GWL_EXSTYLE) & WS_EX_NOACTIVATE));
}

// With the chord held, every press lands on Veskal: WindowFromPoint finds the capture surface all over the
// screen, on the map too once it shows (a background window holds the mouse only where it shows), and ten
// presses on notepad's text, each right after a movement, select nothing there. After the chord nothing of
// Veskal's shows.
TEST_F(Core, PressesStayWithVeskal) {
    HWND edit = FindWindowExA(watched[2].hwnd, nullptr, "Edit", nullptr);
    SendMessageA(edit, WM_SETTEXT, 0, (LPARAM)"text\r\nto\r\nselect");
    SendMessageA(edit, EM_SETSEL, 0, 0);
    PointerTo(150, 150);
    Xdo(ShiftCtrl("down"), {VK_SHIFT, VK_CONTROL}, true);
    AwaitSurface("Shift+Ctrl held");
    DWORD owner = 0, from = 1, to = 1;
    RECT m = {};
    GetWindowRect(AwaitShown(veskal, "VESKALMap", "the map with Shift+Ctrl held"), &m);
    for (POINT p : {POINT{0, 0}, {1023, 0}, {500, 400}, {(m.left + m.right) / 2, (m.top + m.bottom) / 2}, {0, 767}})
        EXPECT_TRUE(WindowFromPoint(p) == surface) << "WindowFromPoint(" << p.x << "," << p.y << ") is not the surface";
    std::string clicks;
    for (int i = 0; i < 10; ++i)
        clicks += " mousemove " + std::to_string(680 + 30 * i) + " " + std::to_string(110 + 15 * i) + " click 1 sleep 0.1";
    Xdo(clicks);
    Xdo(ShiftCtrl("up"), {VK_SHIFT, VK_CONTROL}, false);
    SendMessageA(edit, EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
    EXPECT_TRUE(from == 0 && to == 0) << "presses reached notepad: it selects " << from << " to " << to;
    auto ours = [&](HWND h) { return Shows(h) && GetWindowThreadProcessId(h, &owner) && owner == veskal.dwProcessId; };
    EXPECT_TRUE(WaitFor([&] { HWND h = GetTopWindow(nullptr); while (h && !ours(h)) h = GetWindow(h, GW_HWNDNEXT); return !h; }))
        << "a window of Veskal's shows after the chord";
}

// A maximized window pans (Wine restores it as it moves it), a minimized one
// stays where it is, minimized. Then tray menu: 終了 by its key X ends the
// program away from home. The desktop
// goes back where the shell put it; windows more than 64 pixels beyond the
// left edge, or above the top, come back; the rest stay. Partly on the
// screen: a window that leaves it whole stalls Wine for seconds. veskal.ini
// is written where it was read, in the double-byte directory (WIDTH, DCENTER
// read there), in text mode (CR LF); a Ctrl-Z ended the reading.
TEST_F(Core, MenuExitRecalls) {
    HWND max = CreateWindowA("Static", "max", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, 0, 0, 0, 0),
         min = CreateWindowA("Static", "min", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, 0, 0, 0, 0);
    ShowWindow(max, SW_MAXIMIZE), ShowWindow(min, SW_MINIMIZE);
    const POINT maxAt = TopLeft(max), minAt = TopLeft(min);
    Drag({300, 300}, {420, 360});
    EXPECT_TRUE(WaitFor([&] {  // this thread takes the moves posted to its windows
        for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&m);
        return TopLeft(max).x == maxAt.x + 120 && TopLeft(max).y == maxAt.y + 60;
    })) << "the maximized window did not pan";
    EXPECT_TRUE(IsIconic(min) && TopLeft(min).x == minAt.x && TopLeft(min).y == minAt.y) << "the minimized one moved";
    DestroyWindow(max), DestroyWindow(min);
    const struct { size_t window; POINT placed, recalled; } recalls[] = {  // window: in watched
        {0, {-100, -50}, {64, 0}}, {2, {-200, 300}, {64, 300}}, {1, {680, 440}, {680, 440}}};
    for (const auto& r : recalls) MoveTo(watched[r.window].hwnd, r.placed);
    ChooseFromTrayMenu('x');
    EXPECT_EQ(AwaitExit(veskal, "veskal.exe after 終了 (X)"), 0u);
    for (const auto& r : recalls) ExpectAt(watched[r.window].hwnd, r.recalled, watched[r.window].name, 0);
    ExpectAt(watched[3].hwnd, watched[3].home, "the desktop", 0);
    EXPECT_EQ(SavedIni(), "WIDTH=4\r\nHEIGHT=3\r\nACTKEY=16\r\nACTKEY=17\r\nDCENTER=0\r\nPOS0=4\r\nSPEED=1\r\n");
}

// config.exe after a pan: OK sends a plane of 4x2 screens instead of 3x3, which pulls far-off windows back and the
// desktop home, with the view: home then moves nothing
TEST_F(Core, ConfigAppliesSettings) {
    StartVeskal("config", "");
    Drag({300, 300}, {380, 350});
    MoveTo(watched[0].hwnd, {-100, -50});
    HWND dialog = AwaitShown(Start(binDir + "\\config.exe", "3 1 0 4 1 16 17"), "#32770", "config.exe's dialog");
    EXPECT_EQ(Text(dialog) + L"|" + Text(GetDlgItem(dialog, IDCANCEL)), L"Veskal 設定|キャンセル");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
    ExpectAt(watched[0].hwnd, {64, 0}, "E2E Window A after OK");
    ExpectAt(watched[3].hwnd, watched[3].home, "the desktop after OK");
    SendMessageTimeoutA(mover, WM_COMMAND, ID_TRAY_HOME, 0, SMTO_NORMAL, kDeadlineMs, nullptr);
    ExpectAt(watched[3].hwnd, watched[3].home, "the desktop after 始点へ移動", 0);
}

// 100 settings messages during a drag: it goes on, exits in order
TEST_F(Full, MessagesDuringDrag) {
    for (const Watched& w : watched) MoveTo(w.hwnd, w.home);
    ASSERT_TRUE(SendSettings("3 1 0 4 1 16 17"));  // the burst's plane, view in the middle
    ChooseFromTrayMenu('m');  // the map off: no message turns it on again
    Drag({300, 300}, {340, 320}, [] {
        std::string moves;  // back and forth, ending where the drag does
        for (int i = 0; i < 40; ++i) moves += i % 2 ? " mousemove 340 320 sleep 0.04" : " mousemove 300 300 sleep 0.04";
        std::string xdo = XdoStart(moves);
        // The plane's size and SPEED stay (no recall pass mid-drag, steps of
        // one pixel) and the chord stays held in either order; the rest changes.
        int unanswered = 0;
        for (int i = 0; i < 100; ++i)
            unanswered += !SendSettings("3 1 " + std::to_string(i % 2) + " " + std::to_string(i % 9) +
                                        (i % 2 ? " 1 17 16" : " 1 16 17"));
        XdoWait(xdo);
        EXPECT_EQ(unanswered, 0);
    });
    PostMessageA(mover, WM_CLOSE, 0, 0);  // saves what the last message sent
    EXPECT_EQ(AwaitExit(veskal, "veskal.exe after WM_CLOSE"), 0u);
    EXPECT_EQ(SavedIni(), "WIDTH=4\r\nHEIGHT=2\r\nACTKEY=17\r\nACTKEY=16\r\nDCENTER=1\r\nPOS0=0\r\nSPEED=1\r\nMAP=0\r\n");
}

// config.exe: only the speed changed, values it cannot show go back as they came
TEST_F(Full, ConfigKeepsUntouchedValues) {
    StartVeskal("untouched", "WIDTH=500\r\nHEIGHT=3\r\nACTKEY=16\r\nACTKEY=17\r\nPOS0=9\r\nSPEED=25\r\n");
    MoveTo(watched[0].hwnd, {-100, -50});
    Child config = Start(binDir + "\\config.exe", "499 2 1 9 25 16 17");
    HWND dialog = AwaitShown(config, "#32770", "config.exe's dialog"), speed = GetDlgItem(dialog, IDC_SPEED);
    SendMessageA(speed, TBM_SETPOS, TRUE, 3);  // the speed alone, as a drag of the slider leaves it
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), (LPARAM)speed);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
    EXPECT_EQ(AwaitExit(config, "config.exe"), 0u);
    ExpectAt(watched[0].hwnd, {-100, -50}, "E2E Window A, the plane's size untouched", 0);
}

// tray menu: 設定 with no config.exe beside veskal.exe: a balloon says where it was looked for
TEST_F(Full, MissingSettingsProgram) {
    StartVeskal("no-config", "");
    ChooseFromTrayMenu('c');
    std::wstring expected = L"設定プログラムを起動できません。探した場所: " + Wide(dir) + L"\\config.exe";
    EXPECT_TRUE(WaitFor([&] { return Balloon() == expected; })) << Balloon();
}

// the map shows while the chord is held, with the windows from the first chord on, redrawn as the drag goes; it
// hides after, and lets a drag begun beside it go on over it
TEST_F(Full, MapWhilePanning) {
    HWND map = AwaitWindow(veskal, "VESKALMap", nullptr);
    RECT r = {};
    Drag({780, 600}, {860, 650}, [&] {
        Check(IsWindowVisible(map) && GetWindowRect(map, &r), "no map while Shift+Ctrl are held");
        std::string first = MenuPixels(map, r), stepped;
        PointerTo(820, 625);  // a step of the drag, and back
        EXPECT_NE(stepped = MenuPixels(map, r), first) << "the map did not redraw as the drag went";
        PointerTo(780, 600);
        EXPECT_EQ(MenuPixels(map, r), first) << "the first picture differs: it lacked the windows";
    });
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(map); })) << "the map stays after the chord";
    SendMessageTimeoutA(mover, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, kDeadlineMs, nullptr);  // the view home again,
    PostMessageA(mover, WM_COMMAND, ID_TRAY_HOME, 0);  // so this moves nothing; handled before the close
    PostMessageA(mover, WM_CLOSE, 0, 0);
    EXPECT_EQ(AwaitExit(veskal, "veskal.exe after WM_CLOSE"), 0u);
    for (const Watched& w : watched)  // the desktop went home with the end of the session
        ExpectAt(w.hwnd, &w == &watched[3] ? w.home : POINT{w.home.x + 80, w.home.y + 50},
                 "始点へ移動 after the end of the session, then the exit: " + std::string(w.name), 0);
    EXPECT_FALSE(FileExists(dir + "\\veskal.view")) << "a view record after an orderly end";
}

// the shell restarts away from home: its new desktop, made at the origin, is
// placed with the plane; home brings it home with every window, and so does
// the exit after another drag
TEST_F(Full, ShellRestart) {
    StartVeskal("shell", "");
    Drag({300, 300}, {450, 390});
    HWND old = watched[3].hwnd;
    PostMessageA(old, WM_APP + 7, 0, 0);  // the stand-in shell's restart
    Check(WaitFor([&] { return !IsWindow(old) && (watched[3].hwnd = FindWindowA("Progman", nullptr)); }),
          "no new desktop");
    ExpectShifted(150, 90, "the shell restarted");
    PostMessageA(mover, WM_COMMAND, MAKEWPARAM(ID_TRAY_HOME, 1), 0);  // as an accelerator sends it
    ExpectShifted(0, 0, "始点へ移動 after the restart");
    Drag({300, 300}, {330, 320});
    PostMessageA(mover, WM_CLOSE, 0, 0);
    EXPECT_EQ(AwaitExit(veskal, "veskal.exe after WM_CLOSE"), 0u);
    ExpectAt(watched[3].hwnd, watched[3].home, "the new desktop after the exit", 0);
}

// In a virtual desktop of 1024x768, on a plane two screens wide (half extent
// 512), after a pan of (+450,+60): the screen made 800x600 (400) brings the
// view back to the new edge, the windows with it; made 1024x768 again, it
// moves nothing, and the view record follows: killed with its guard, the next
// start resumes the pan on the plane of this screen, home brings it all back,
// and after another pan the exit recalls (E2E Window B, 450 right of home,
// stays within 64 of the right edge).
TEST_F(Display, PlaneFollowsTheScreen) {
    watched[2].home = {400, 300};  // notepad never leaves the screen whole
    orderKept = false;
    StartVeskal("screen", "WIDTH=2\r\nACTKEY=16\r\nACTKEY=17\r\n");
    Drag({300, 300}, {750, 360});
    for (POINT size : {POINT{800, 600}, POINT{1024, 768}}) {
        DEVMODEA mode = {};
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = size.x, mode.dmPelsHeight = size.y, mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        ASSERT_EQ(ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr), DISP_CHANGE_SUCCESSFUL);
        ExpectShifted(400, 60, "the screen made " + std::to_string(size.x) + "x" + std::to_string(size.y));
    }
    Check(Kill(true), "a veskal.exe is left after a kill");  // its guard too: the next start resumes the pan
    RunVeskal();
    PostMessageA(mover, WM_COMMAND, ID_TRAY_HOME, 0);
    ExpectShifted(0, 0, "始点へ移動 after both were killed");
    Drag({300, 300}, {750, 300});  // past the half extent of the 800x600 plane
    PostMessageA(mover, WM_CLOSE, 0, 0);
    EXPECT_EQ(AwaitExit(veskal, "veskal.exe after WM_CLOSE"), 0u);
    const POINT exited[] = {{550, 120}, {1010, 380}, {850, 300}, {0, 0}};  // A, B, notepad, the desktop
    for (size_t i = 0; i < watched.size(); ++i) ExpectAt(watched[i].hwnd, exited[i], watched[i].name, 0);
}

// tray menu: スタートアップに登録 by its key S makes Veskal.lnk in the Startup
// folder start this copy in its folder; a copy moved elsewhere
// shows it unchecked and replaces it; checked after a restart (its path in
// capitals in the shortcut: letter case is no matter), chosen again it goes.
TEST_F(Full, StartupShortcut) {
    wchar_t folder[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)) &&
                SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, 0, folder)));
    const std::wstring link = folder + std::wstring(L"\\Veskal.lnk");
    DeleteFileW(link.c_str());  // an earlier run's
    std::string unchecked, moved, checked;
    PointerTo(300, 300);  // the menu whole on the screen, at the pointer
    for (std::string* seen : {&unchecked, &moved}) {  // the second copy as if its folder had moved
        StartVeskal(seen == &moved ? "startup" : "startup-old", "");
        ChooseFromTrayMenu('s', WM_RBUTTONUP, seen);
        std::wstring in(dir.begin(), dir.end()), want = in + L"\\veskal.exe in " + in, got;  // ASCII names
        EXPECT_TRUE(WaitFor([&] { return (got = ReadShortcut(link)) == want; })) << got;
    }
    EXPECT_TRUE(moved == unchecked) << "a shortcut to another copy shows checked";
    Kill();
    std::wstring upper(dir.begin(), dir.end());  // the shortcut to this copy, its path in capitals
    CharUpperW(&upper[0]);
    IShellLinkW* shell = nullptr;
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void**)&shell)) &&
                SUCCEEDED(shell->SetPath((upper + L"\\VESKAL.EXE").c_str())) &&
                SUCCEEDED(shell->QueryInterface(IID_IPersistFile, (void**)&file)) && SUCCEEDED(file->Save(link.c_str(), TRUE)));
    file->Release(), shell->Release();
    RunVeskal();
    ChooseFromTrayMenu('s', WM_RBUTTONUP, &checked);
    EXPECT_FALSE(checked == unchecked) << "no check mark after a restart";
    EXPECT_TRUE(WaitFor([&] { return GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; })) << "not removed";
}

// a program that stops answering for 5 s holds nothing up: the others follow
// each step of a drag at once, the end of the session saves and returns, and
// WM_CLOSE ends veskal.exe with a far window recalled and later settings
// saved, all within the hang.
// The busy window starts above the screen: once it answers, it stands the
// whole drag to the right (every step counted once), recalled downwards.
TEST_F(Full, BusyProgram) {
    StartVeskal("busy", "");
    HWND busy = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (busy = FindWindowA("VeskalE2EBusy", "E2E Busy")) != nullptr; }));
    MoveTo(busy, {440, -80});  // partly on the screen: one wholly off stalls Wine for seconds
    DWORD start = GetTickCount(), sent = 0, ms[4] = {};  // to the others after two steps, to the answer, to the exit
    PostMessageA(busy, WM_APP + 8, 5000, 0);  // the stand-in shell's busy window
    Drag({300, 300}, {380, 350}, [&] {
        for (int i : {0, 1})
            PointerTo(320 + 30 * i, 310 + 20 * i), sent = GetTickCount(),
                ExpectShifted(20 + 30 * i, 10 + 20 * i, "a step"), ms[i] = GetTickCount() - sent;
    });
    const std::string saved = "WIDTH=3\r\nHEIGHT=3\r\nACTKEY=16\r\nACTKEY=17\r\nDCENTER=1\r\nPOS0=4\r\nSPEED=1\r\n";
    for (BOOL ending : {FALSE, TRUE}) {  // cancelled: nothing happens; ending: saved first
        sent = GetTickCount();
        SendMessageTimeoutA(mover, WM_ENDSESSION, ending, 0, SMTO_NORMAL, kDeadlineMs, nullptr);
        ms[2] = GetTickCount() - sent;
        EXPECT_EQ(SavedIni(), ending ? saved : "") << "after WM_ENDSESSION " << ending;
    }
    // An end of session that did not end it: later settings are saved at the exit.
    ASSERT_TRUE(SendSettings("2 2 1 4 4 17")) << "veskal.exe does not answer after the end of the session";
    MoveTo(watched[0].hwnd, {-100, -50});
    sent = GetTickCount();
    PostMessageA(mover, WM_CLOSE, 0, 0);
    EXPECT_EQ(AwaitExit(veskal, "veskal.exe after WM_CLOSE"), 0u);
    ms[3] = GetTickCount() - sent;
    ExpectAt(watched[0].hwnd, {64, 0}, "E2E Window A recalled during the hang", 0);
    EXPECT_EQ(SavedIni(), "WIDTH=3\r\nHEIGHT=3\r\nACTKEY=17\r\nDCENTER=1\r\nPOS0=4\r\nSPEED=4\r\n");
    EXPECT_TRUE(ms[0] <= 1000 && ms[1] <= 1000 && followMs <= 1000 && ms[2] <= 2000 && ms[3] <= 2000)
        << "a second at most for a step (" << ms[0] << ", " << ms[1] << ", " << followMs << " ms), 2 s for the end "
        << "of the session (" << ms[2] << " ms) and for the exit (" << ms[3] << " ms)";
    ASSERT_LT(GetTickCount() - start, 5000u) << "the hang ended before the checks";
    ExpectAt(busy, {440 + 80, 0}, "E2E Busy once it answers");
}

// Killed after a drag, veskal.exe leaves its guard: within 3 s every window is home, the view record is gone and
// no veskal.exe is left; nor after an orderly exit. Both killed at once: the next start resumes the pan, and
// 始点へ移動 brings every window home.
TEST_F(Full, KilledVeskal) {
    StartVeskal("killed", "");
    const std::string record = dir + "\\veskal.view";
    for (bool both : {false, true}) {
        Drag({300, 300}, {380, 350});
        Check(WaitFor([&] { return FileExists(record); }), "no view record after a drag");
        DWORD killed = GetTickCount();
        EXPECT_TRUE(Kill(both, 3000)) << Veskals().size() << " veskal.exe left 3 s after the kill";
        EXPECT_TRUE(both || !FileExists(record)) << "the view record after the guard";
        ExpectShifted(both ? 80 : 0, both ? 50 : 0, both ? "both killed" : "the guard's recall");
        EXPECT_LE(GetTickCount() - killed, 3000u) << "from the kill to every window home";
        RunVeskal();
    }
    ExpectShifted(80, 50, "the pan resumed");
    PostMessageA(mover, WM_COMMAND, ID_TRAY_HOME, 0);
    ExpectShifted(0, 0, "始点へ移動 after both were killed");
    PostMessageA(mover, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([] { return Veskals().empty(); }, 3000)) << "a veskal.exe 3 s after an orderly exit";
}

// Left-handed: with the buttons swapped (stored: Wine keeps the choice per process until a program
// starts), the physical right button drags and the left one pans nothing. TearDown swaps them back.
TEST_F(Full, SwappedButtons) {
    SystemParametersInfoA(SPI_SETMOUSEBUTTONSWAP, TRUE, nullptr, SPIF_UPDATEINIFILE);
    StartVeskal("swapped", "");
    Drag({300, 300}, {340, 320}, [] {}, 1, false);
    Drag({300, 300}, {340, 320}, [] {}, 3);
}

// With the chord held, a press and release of `button` (xdotool's number) at `at`, each seen by the looks.
void ChordClick(POINT at, int button) {
    const int vk = button == 1 ? VK_LBUTTON : VK_RBUTTON;
    PointerTo(at.x, at.y);
    Xdo(ShiftCtrl("down"), {VK_SHIFT, VK_CONTROL}, true);
    AwaitSurface("Shift+Ctrl held");
    Xdo("mousedown " + std::to_string(button), {vk}, true);
    Sleep(100);
    Xdo("mouseup " + std::to_string(button), {vk}, false);
    Sleep(100);
    Xdo(ShiftCtrl("up"), {VK_SHIFT, VK_CONTROL}, false);
}

// The view follows the focus: E2E Window A, off to the right, brought to the front stands whole on the screen
// within 1.5 s, the others moved by the same step; with アクティブなウィンドウへ移動 (A) off, nothing moves. A
// window in front that closes, after which Wine activates one off screen, moves nothing either.
TEST_F(Full, FollowsTheFocus) {
    StartVeskal("follow", "");
    const POINT homeA = watched[0].home;
    const int right = 1100;
    RECT a = {};
    GetWindowRect(watched[0].hwnd, &a);
    watched[0].home = {right, homeA.y};
    MoveTo(watched[0].hwnd, watched[0].home);
    DWORD start = GetTickCount();
    SetForegroundWindow(watched[0].hwnd);
    ExpectShifted(1024 - (right + a.right - a.left), 0, "E2E Window A in front");
    EXPECT_LE(GetTickCount() - start, 1500u) << "ms until E2E Window A showed whole";
    PostMessageA(mover, WM_COMMAND, ID_TRAY_HOME, 0);
    ExpectShifted(0, 0, "home");
    ChooseFromTrayMenu('a');
    SetForegroundWindow(watched[2].hwnd);
    Sleep(1200);  // a look sees notepad in front
    SetForegroundWindow(watched[0].hwnd);
    Sleep(1500);
    ExpectShifted(0, 0, "the item off");
    ChooseFromTrayMenu('a');
    HWND off = CreateWindowA("Static", "off", WS_POPUP | WS_VISIBLE, right, 100, 200, 100, 0, 0, 0, 0),
         front = CreateWindowA("Static", "front", WS_POPUP | WS_VISIBLE, 200, 100, 200, 100, 0, 0, 0, 0);
    SetForegroundWindow(front);
    Sleep(1200);
    DestroyWindow(front);
    Check(GetForegroundWindow() == off, "Wine activated another window than the one off screen");
    Sleep(1500);
    DestroyWindow(off);
    ExpectShifted(0, 0, "the window in front closed");
    watched[0].home = homeA;
    MoveTo(watched[0].hwnd, homeA);
}

// Notepad pinned by a right click with the chord held: a drag moves the others and not notepad; so it does after a
// restart (veskal.ini keeps the pin); unpinned the same way, it moves with them.
TEST_F(Full, PinnedWindow) {
    StartVeskal("pins", "");
    const POINT notepad = {watched[2].home.x + 180, watched[2].home.y + 130};
    for (int run = 0; run < 3; ++run) {  // pinned, pinned after a restart, unpinned
        if (run != 1) ChordClick(notepad, 3);
        const POINT at = watched[2].home;
        if (run < 2) watched[2].home = {at.x - 80, at.y - 50};  // "moved by the drag" is where it stands
        Drag({300, 300}, {380, 350});
        watched[2].home = at;
        PostMessageA(mover, WM_COMMAND, ID_TRAY_HOME, 0);
        ExpectShifted(0, 0, "home");
        if (run == 0) {
            PostMessageA(mover, WM_CLOSE, 0, 0);
            EXPECT_EQ(AwaitExit(veskal, "veskal.exe"), 0u);
            EXPECT_NE(SavedIni().find("\r\nPIN=notepad.exe|Notepad\r\n"), std::string::npos) << SavedIni();
            RunVeskal();
        }
    }
}

// With the chord held, a click on the map's top-left cell moves every window one screen right and down; home
// brings them back.
TEST_F(Full, MapAsAPager) {
    StartVeskal("pager", "");
    ChordClick({850, 637}, 1);
    ExpectShifted(1024, 768, "the top-left cell");
    PostMessageA(mover, WM_COMMAND, ID_TRAY_HOME, 0);
    ExpectShifted(0, 0, "home");
}

// config.exe capturing a chord takes Enter and Alt, typed into it, as keys: the dialog stays open and lists each.
TEST_F(Full, CaptureTakesEnterAndAlt) {
    HWND dialog = AwaitShown(Start(binDir + "\\config.exe", "2 2 1 4 1 16"), "#32770", "config.exe's dialog");
    for (const char* key : {"Return", "alt"}) {
        PostMessageA(dialog, WM_COMMAND, IDC_CAPTURE, 0);
        Xdo("search --onlyvisible --name '^Veskal ' windowfocus --sync key --delay 200 " + std::string(key));
        wchar_t item[100] = {};
        WaitFor([&] { return SendDlgItemMessageW(dialog, IDC_KEYLIST, LB_GETTEXT, 0, (LPARAM)item) > 0 &&
                             !wcsstr(item, L"(16)"); }, 3000);
        EXPECT_TRUE(IsWindowVisible(dialog) && wcsstr(item, *key == 'R' ? L"(13)" : L"(18)")) << key << ": " << item;
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

// A folder that takes no new file, as Program Files for a user: made immutable, or else mounted
// read-only, since root writes anywhere else. `lock` false undoes both. False when neither worked.
bool Lock(const std::string& folder, bool lock) {
    auto toUnix = (char*(CDECL*)(LPCWSTR))(void*)GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name");
    char* unixPath = toUnix(Wide(folder).c_str());
    std::string path = std::string("'") + unixPath + "'";
    HeapFree(GetProcessHeap(), 0, unixPath);
    return UnixWait(UnixStart(lock ? "chattr +i " + path + " 2>/dev/null || { mount --bind " + path + " " + path +
                                         " && mount -o remount,bind,ro " + path + "; } 2>/dev/null"
                                   : "chattr -i " + path + " 2>/dev/null; umount " + path + " 2>/dev/null")) == "0\n";
}

// The exe's folder locked: the settings are saved in %LOCALAPPDATA%\Veskal, from the values of the
// veskal.ini beside the exe (MAP=0) and a settings message (WIDTH=5). The next start reads them
// there (and so writes them back unchanged), and so does config.exe started by hand. With that
// folder locked too, a balloon gives the path.
TEST_F(Full, UnwritableFolder) {
    char appData[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, appData)));
    const std::string local = std::string(appData) + "\\Veskal", saved = local + "\\veskal.ini";
    struct Unlock { std::string folders[2]; ~Unlock() { for (auto& f : folders) Lock(f, false); } };
    Unlock unlock = {{workDir + "\\locked", local}};
    Lock(local, false);
    DeleteFileA(saved.c_str());
    if (Running(veskal)) Kill();
    dir = workDir + "\\locked";
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    for (const char* exe : {"\\veskal.exe", "\\config.exe"}) CopyFileA((binDir + exe).c_str(), (dir + exe).c_str(), 0);
    WriteBytes(dir + "\\veskal.ini", "WIDTH=7\r\nMAP=0\r\n");
    if (!Lock(dir, true)) {
        GTEST_SKIP() << "neither chattr nor a read-only bind mount locks a folder here";
    }
    const std::string expected = "WIDTH=5\r\nHEIGHT=3\r\nACTKEY=16\r\nACTKEY=17\r\nDCENTER=1\r\nPOS0=4\r\nSPEED=1\r\nMAP=0\r\n";
    for (bool again : {false, true}) {
        RunVeskal();
        ASSERT_TRUE(again || SendSettings("4 2 1 4 1 16 17"));
        PostMessageA(mover, WM_CLOSE, 0, 0);
        EXPECT_EQ(AwaitExit(veskal, "veskal.exe"), 0u);
        EXPECT_EQ(ReadBytes(saved), expected) << (again ? "read back and saved" : "saved");
    }
    EXPECT_EQ(SavedIni(), "WIDTH=7\r\nMAP=0\r\n");
    HWND dialog = AwaitShown(Start(dir + "\\config.exe", "", dir), "#32770", "config.exe's dialog");
    EXPECT_EQ(Text(GetDlgItem(dialog, IDC_WIDTH)) + L" " + Text(GetDlgItem(dialog, IDC_SOURCE)),
              L"5 veskal.ini から読み込んだ設定です。");
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(Lock(local, true));
    RunVeskal();
    std::wstring told = L"設定を保存できません。変更は終了時に失われます。保存先: " + Wide(saved);
    EXPECT_TRUE(WaitFor([&] { return Balloon() == told; })) << Balloon();
    Kill();
}

// An English display language (code page 1252), in a folder whose name that code page cannot hold:
// Settings (S) finds no config.exe and says where it looked, in English; once config.exe is there,
// the path the balloon named starts it, and it speaks English; the exit saves veskal.ini there.
TEST_F(English, AnyFolder) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_ENGLISH) {
        GTEST_SKIP() << "not an English session";
    }
    ASSERT_EQ(GetACP(), 1252u);
    const std::wstring folder = Wide(workDir) + L"\\表示", config = folder + L"\\config.exe";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) &&
                CopyFileW(Wide(binDir + "\\veskal.exe").c_str(), (folder + L"\\veskal.exe").c_str(), FALSE));
    RunVeskal(StartW(folder + L"\\veskal.exe", folder));
    ChooseFromTrayMenu('s');
    std::wstring told = L"Cannot start the settings program. Looked for: " + config;
    EXPECT_TRUE(WaitFor([&] { return Balloon() == told; })) << Balloon();
    ASSERT_TRUE(CopyFileW(Wide(binDir + "\\config.exe").c_str(), config.c_str(), FALSE) &&
                SendSettings("4 2 1 4 1 16 17"));  // the running settings, not the file's
    ChooseFromTrayMenu('s');
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindWindowW(L"#32770", L"Veskal Settings")) && IsWindowVisible(dialog); }));
    EXPECT_EQ(Text(GetDlgItem(dialog, IDCANCEL)) + L"|" + Text(GetDlgItem(dialog, IDC_SOURCE)) + L"|" +
                  Text(GetDlgItem(dialog, IDC_WIDTH)),
              L"Cancel|Settings received from the running Veskal.|5");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    PostMessageA(mover, WM_CLOSE, 0, 0);
    EXPECT_EQ(AwaitExit(veskal, "veskal.exe"), 0u);
    EXPECT_NE(GetFileAttributesW((folder + L"\\veskal.ini").c_str()), INVALID_FILE_ATTRIBUTES) << "no veskal.ini";
}
