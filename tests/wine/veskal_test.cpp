// The real exes on a stand-in desktop, driven with X input: what only the
// real system shows. The rows run in order and share four starts of
// veskal.exe (each costs seconds); suite Core also runs on the 32-bit build.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/tray.h"
#include "config/resource.h"
#include "tests/wine/desktop.h"

namespace {

struct Watched {  // moved by drags; E2E Window A first
    const char* name;
    HWND hwnd;
    POINT home;
};
std::vector<Watched> watched;

Child veskal;  // the program under test, started in dir
std::string dir;
HWND mover;

void ExpectShifted(int dx, int dy, const char* when) {
    auto at = [&](const Watched& w) {
        return TopLeft(w.hwnd).x == w.home.x + dx && TopLeft(w.hwnd).y == w.home.y + dy;
    };
    if (WaitFor([&] { return std::all_of(watched.begin(), watched.end(), at); })) return;
    char seen[512] = "", *end = seen;
    for (const Watched& w : watched)
        end += std::sprintf(end, "; %s at (%ld,%ld), home (%ld,%ld)", w.name, TopLeft(w.hwnd).x, TopLeft(w.hwnd).y,
                            w.home.x, w.home.y);
    Check(false, "%s: expected every window moved by (%d,%d)%s", when, dx, dy, seen);
}

// Once the program has ended its moves are over: no waiting then. (Wine
// itself moves a window left beyond the top-left corner to (0,0) when it
// activates it after the active window has gone.)
void ExpectAt(HWND hwnd, POINT at, const char* what, int timeoutMs = kDeadlineMs) {
    POINT p = {};
    Check(WaitFor([&] { return p = TopLeft(hwnd), p.x == at.x && p.y == at.y; }, timeoutMs),
          "%s at (%ld,%ld), expected (%ld,%ld)", what, p.x, p.y, at.x, at.y);
}

// Pan mode shows the MoverWindow as a 1x1 window under the pointer.
void AwaitParked(POINT at, const char* when) {
    Check(WaitFor([&] {
              RECT r = {};
              GetWindowRect(mover, &r);
              return IsWindowVisible(mover) && r.left == at.x && r.top == at.y && r.right == at.x + 1 &&
                     r.bottom == at.y + 1;
          }),
          "%s: no MoverWindow parked at (%ld,%ld)", when, at.x, at.y);
}

// Chord and button held at `at`. A poll tick leaves no trace but parking the
// MoverWindow again: it is displaced and awaited back twice, so that a whole
// tick has seen the button and taken the drag's anchor.
void BeginDrag(POINT at) {
    Check(Running(veskal), "veskal.exe is not running");
    PointerTo(at.x, at.y);
    Keys(true);
    AwaitParked(at, "Shift+Ctrl held");
    Button(true);
    for (int round = 0; round < 2; ++round) {
        SetWindowPos(mover, nullptr, at.x + 5, at.y + 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        AwaitParked(at, "button held");
    }
}

void EndDrag() {
    Button(false);
    Keys(false);
    Check(WaitFor([] { return !IsWindowVisible(mover); }), "MoverWindow still shown after the chord");
}

void StartVeskal(const char* name, const std::string& ini) {
    if (veskal.process && Running(veskal)) TerminateProcess(veskal.process, 1);
    for (const Watched& w : watched) MoveTo(w.hwnd, w.home);  // the desktop's place is read at start
    dir = workDir + "\\" + name;
    Check(CreateDirectoryA(dir.c_str(), nullptr) &&
              CopyFileA((binDir + "\\veskal.exe").c_str(), (dir + "\\veskal.exe").c_str(), FALSE),
          "cannot make %s", dir.c_str());
    if (!ini.empty()) WriteBytes(dir + "\\veskal.ini", ini);
    veskal = Start(dir + "\\veskal.exe", "", dir);
    mover = AwaitWindow(veskal.pid, "VESKALClass", "Veskal");
    // The tool-window style comes once the icon is in the tray; a message
    // sent from then on is answered by the main loop.
    DWORD_PTR result;
    Check(WaitFor([] { return (GetWindowLongA(mover, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0; }) &&
              SendMessageTimeoutA(mover, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &result),
          "veskal.exe does not answer");
}

void ExitBy(const char* how) {
    DWORD code = AwaitExit(veskal, "veskal.exe");
    Check(code == 0, "exit code %lu after %s", code, how);
}

// The settings file once the program has ended; CRs dropped unless crs.
void ExpectSaved(std::string expected, bool crs = true) {
    Check(!Running(veskal), "veskal.exe is still running: nothing saved yet");
    std::string saved = ReadBytes(dir + "\\veskal.ini");
    if (!crs) saved.erase(std::remove(saved.begin(), saved.end(), '\r'), saved.end());
    Check(saved == expected, "veskal.ini \"%s\", expected \"%s\"", Printable(saved).c_str(),
          Printable(expected).c_str());
}

bool SendSettings(std::string text) {
    COPYDATASTRUCT data = {0, (DWORD)text.size(), &text[0]};
    DWORD_PTR result;
    return SendMessageTimeoutA(mover, WM_COPYDATA, 0, (LPARAM)&data, SMTO_NORMAL, kDeadlineMs, &result) != 0;
}

// The menu as the shell opens it on a right click over the icon, an item
// chosen by its mnemonic. The key is posted to the menu: under Wine the
// hidden MoverWindow never becomes the foreground window, so typed keys
// would reach no menu.
void ChooseFromTrayMenu(char key) {
    Check(Running(veskal), "veskal.exe is not running");
    PostMessageA(mover, kTrayCallbackMessage, 1, WM_RBUTTONUP);
    HWND menu = AwaitWindow(veskal.pid, "#32768", nullptr);
    Check(WaitFor([&] { return IsWindowVisible(menu); }), "the tray menu is not shown");
    PostMessageA(menu, WM_CHAR, key, 1);
    Check(WaitFor([&] { return !IsWindowVisible(menu); }), "the menu stays open after key %c", key);
}

void SetUpDesktop() {
    DWORD shell = Start(binDir + "\\desktop_shell.exe").pid;
    AwaitWindow(shell, "DV2ControlHost", "E2E Focus");
    watched = {{"E2E Window A", AwaitWindow(shell, "VeskalE2ESample", "E2E Window A"), {}},
               {"E2E Window B", AwaitWindow(shell, "VeskalE2ESample", "E2E Window B"), {}},
               {"notepad", AwaitWindow(Start("notepad.exe").pid, "Notepad", nullptr), {}},  // another program's
               {"Program Manager", AwaitWindow(shell, "Progman", "Program Manager"), {}}};
    SetWindowPos(watched[2].hwnd, nullptr, 640, 40, 360, 260, SWP_NOZORDER | SWP_NOACTIVATE);
    for (Watched& w : watched) w.home = TopLeft(w.hwnd);
}

}  // namespace

// The desktop is made once, by the first row; a failed row leaves no key held.
class Core : public testing::Test {
protected:
    void SetUp() override {
        if (watched.empty()) SetUpDesktop();
    }
    void TearDown() override {
        if (HasFailure()) ReleaseInput();
    }
};
class Full : public Core {};

// Without the shell's desktop there is nothing to pan: it ends at once.
TEST(Start, EndsWithoutADesktop) {
    Check(!FindWindowA("Progman", nullptr), "a desktop is there already");
    Child early = Start(binDir + "\\veskal.exe", "", workDir);
    Check(AwaitExit(early, "veskal.exe without a desktop") == 0, "exit code not 0 without a desktop");
}

// ---- the first start: in a directory named with 表 (0x95 0x5C in code
// page 932, its trail byte a backslash), the settings file cut by a Ctrl-Z

// drag: Shift+Ctrl and the left button through X move every program's windows
TEST_F(Core, DragMovesWindows) {
    StartVeskal("dbcs-\x95\x5C", "WIDTH=4\r\nACTKEY=16\r\nACTKEY=17\r\nDCENTER=0\x1A\r\nHEIGHT=5\r\n");
    Child second = Start(dir + "\\veskal.exe", "", dir);
    Check(AwaitExit(second, "a second veskal.exe") == 0 && Running(veskal), "a second copy did not end at once");
    BeginDrag({300, 300});
    PointerTo(380, 350);
    ExpectShifted(80, 50, "dragged by (80,50)");
    EndDrag();
    ExpectShifted(80, 50, "released");
}

// tray menu: 始点へ移動 by its key O brings the windows home
TEST_F(Core, MenuHome) {
    ChooseFromTrayMenu('o');
    ExpectShifted(0, 0, "始点へ移動 (O)");
}

// More than 64 pixels beyond the left edge, or above the top, comes back.
// Partly on the screen: a window that leaves it whole stalls Wine for seconds.
struct Recall {
    size_t window;  // in watched
    POINT placed, recalled;
};
const Recall kRecalls[] = {{0, {-100, -50}, {64, 0}}, {2, {-200, 300}, {64, 300}}};

// tray menu: 終了 by its key X ends the program, far-off windows come back
TEST_F(Core, MenuExitRecalls) {
    for (const Recall& r : kRecalls) MoveTo(watched[r.window].hwnd, r.placed);
    ChooseFromTrayMenu('x');
    ExitBy("終了 (X)");
    for (const Recall& r : kRecalls) ExpectAt(watched[r.window].hwnd, r.recalled, watched[r.window].name, 0);
}

// text mode: veskal.ini written with CR LF, a Ctrl-Z ended the reading
TEST_F(Core, TextModeFile) {
    ExpectSaved("WIDTH=4\r\nHEIGHT=3\r\nACTKEY=16\r\nACTKEY=17\r\nDCENTER=0\r\nPOS0=4\r\nSPEED=1\r\n");
}

// double-byte directory: veskal.ini read and written beside the exe in 表
TEST_F(Core, DoubleByteDirectory) {
    Check(GetACP() == 932, "ANSI code page %u: no double-byte directory name without 932", GetACP());
    Check(!Running(veskal), "veskal.exe is still running: nothing saved yet");
    std::string saved = ReadBytes(dir + "\\veskal.ini");  // read there (WIDTH, DCENTER), written there (POS0)
    Check(saved.find("WIDTH=4") == 0 && saved.find("DCENTER=0") != saved.npos && saved.find("POS0=4") != saved.npos,
          "veskal.ini beside the exe is \"%s\"", Printable(saved).c_str());
}

// ---- the second start: the real config.exe, then a storm during a drag

// config.exe: OK sends a new plane size, the running program recalls
TEST_F(Core, ConfigAppliesSettings) {
    StartVeskal("config", "");
    MoveTo(watched[0].hwnd, {-100, -50});
    // A plane of 4x2 screens instead of 3x3: a new size pulls far-off windows back.
    Child config = Start(binDir + "\\config.exe", "3 1 0 4 1 16 17");
    HWND dialog = AwaitWindow(config.pid, "#32770", nullptr);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
    ExpectAt(watched[0].hwnd, {64, 0}, "E2E Window A after OK");
}

// 100 windows and 100 settings messages during a drag: it goes on, exits in order
TEST_F(Full, ChurnAndMessagesDuringDrag) {
    for (const Watched& w : watched) MoveTo(w.hwnd, w.home);
    Check(SendSettings("3 1 0 4 1 16 17"), "veskal.exe does not answer");  // the burst's plane, view in the middle
    BeginDrag({300, 300});
    Child churn = Start(binDir + "\\wine_tests.exe", "--churn");
    std::string moves;  // back and forth, ending at (340,320)
    for (int i = 0; i < 40; ++i) moves += i % 2 ? " mousemove 340 320 sleep 0.04" : " mousemove 300 300 sleep 0.04";
    std::string xdo = XdoStart(moves);
    // The plane's size and SPEED stay (no recall pass mid-drag, steps of one
    // pixel) and the chord stays held in either order; the rest changes.
    int unanswered = 0;
    for (int i = 0; i < 100; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, "3 1 %d %d 1 %s", i % 2, i % 9, i % 2 ? "17 16" : "16 17");
        unanswered += !SendSettings(text);
    }
    XdoWait(xdo);
    DWORD churned = AwaitExit(churn, "the window churn");
    Check(unanswered == 0 && churned == 0, "%d of 100 messages unanswered; churn exit code %lu", unanswered, churned);
    PointerTo(340, 320);
    ExpectShifted(40, 20, "after the storm, the pointer (40,20) from the anchor");
    AwaitParked({340, 320}, "after the storm");
    EndDrag();
    PostMessageA(mover, WM_CLOSE, 0, 0);
    ExitBy("WM_CLOSE");
    ExpectSaved("WIDTH=4\nHEIGHT=2\nACTKEY=17\nACTKEY=16\nDCENTER=1\nPOS0=0\nSPEED=1\n", false);  // the last message's
}

// ---- the third start: values config.exe cannot show, the end of a session
// that does not end the program

// config.exe: only the speed changed, values it cannot show go back as they came
TEST_F(Full, ConfigKeepsUntouchedValues) {
    StartVeskal("untouched", "WIDTH=500\r\nHEIGHT=3\r\nACTKEY=16\r\nACTKEY=17\r\nPOS0=9\r\nSPEED=25\r\n");
    MoveTo(watched[0].hwnd, {-100, -50});
    Child config = Start(binDir + "\\config.exe", "499 2 1 9 25 16 17");
    HWND dialog = AwaitWindow(config.pid, "#32770", nullptr), speed = GetDlgItem(dialog, IDC_SPEED);
    SendMessageA(speed, TBM_SETPOS, TRUE, 3);  // the speed alone, as a drag of the slider leaves it
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), (LPARAM)speed);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
    DWORD code = AwaitExit(config, "config.exe");
    Check(code == 0, "config.exe exit code %lu", code);
    ExpectAt(watched[0].hwnd, {-100, -50}, "E2E Window A, the plane's size untouched", 0);
}

// after an end of session that does not end it, later settings are saved at exit
TEST_F(Full, EndOfSessionThenLaterSettings) {
    DWORD_PTR result;
    SendMessageTimeoutA(mover, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, kDeadlineMs, &result);
    Check(SendSettings("499 2 1 9 4 17"), "veskal.exe does not answer after the end of the session");
    PostMessageA(mover, WM_CLOSE, 0, 0);
    ExitBy("WM_CLOSE");
    ExpectSaved("WIDTH=500\nHEIGHT=3\nACTKEY=17\nDCENTER=1\nPOS0=9\nSPEED=4\n", false);
}

// ---- the fourth start: ended by force after a drag, started again

// killed after a drag, started again: 始点へ移動 brings the windows home
TEST_F(Full, ResumesAfterAKill) {
    StartVeskal("killed", "");
    BeginDrag({300, 300});
    PointerTo(380, 350);
    ExpectShifted(80, 50, "dragged by (80,50)");
    EndDrag();
    Check(WaitFor([] { return FileExists(dir + "\\veskal.view"); }), "no veskal.view after the drag");
    TerminateProcess(veskal.process, 1);
    AwaitExit(veskal, "veskal.exe, terminated");
    veskal = Start(dir + "\\veskal.exe", "", dir);
    mover = AwaitWindow(veskal.pid, "VESKALClass", "Veskal");
    ExpectShifted(80, 50, "started again");
    ChooseFromTrayMenu('o');
    ExpectShifted(0, 0, "始点へ移動 after the restart");
}

// The map shows while the chord is held and hides after; it lets clicks
// through, so a drag that starts over it pans.
// the map shows while the chord is held, hides after, and a drag over it pans
TEST_F(Full, MapWhilePanning) {
    HWND map = AwaitWindow(veskal.pid, "VESKALMap", nullptr);
    BeginDrag({900, 690});
    Check(IsWindowVisible(map), "no map while Shift+Ctrl are held");
    PointerTo(820, 640);
    ExpectShifted(-80, -50, "dragged by (-80,-50) from over the map");
    EndDrag();
    Check(WaitFor([&] { return !IsWindowVisible(map); }), "the map stays after the chord");
    PostMessageA(mover, WM_CLOSE, 0, 0);
    ExitBy("WM_CLOSE");
}

