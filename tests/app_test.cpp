// The program as a whole: start-up and its early exits, the tray icon and
// its menu, and the ways out.
#define OEMRESOURCE
#include "tests/fixture.h"

#include <algorithm>
#include <functional>

#include "app/paths.h"
#include "app/shutdown.h"
#include "app/startup.h"

namespace {

const UINT kTrayCallback = WM_APP + 1;

std::string StoppedTip() {
    return sim::Ansi("Veskal（停止中）");
}

// Our icon as the taskbar shows it, or "none".
std::string TrayLook() {
    auto icons = sim::TrayIcons();
    if (icons.empty()) return "none";
    std::string look = icons.size() == 1 ? "" : std::to_string(icons.size()) + " icons, ";
    look += std::to_string(icons[0].iconId) + (icons[0].tip == StoppedTip() ? " stopped" : " " + icons[0].tip);
    return look;
}

LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(program.windows.mover, message, wParam, lParam);
}

// Dispatches whatever is queued, as the main loop would.
void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) DispatchMessageA(&msg);
}

}  // namespace

TEST(PathsTest, DirectoryBesideTheExecutable) {
    struct Case {
        std::string module;
        std::string directory;
    } cases[] = {
        {"D:\\apps\\tool.exe", "D:\\apps\\"},
        {"C:\\\x95\x5C\\tool.exe", "C:\\\x95\x5C\\"},  // the trail byte of 表 is no separator
        {"\\\\server\\share\\tool.exe", "\\\\server\\share\\"},  // no drive on a share
        {"C:/mixed\\dir/tool.exe", "C:/mixed\\dir/"},
        {"C:tool.exe", "C:"},
        {"C:\\" + std::string(300, 'a') + "\\tool.exe", "C:\\" + std::string(254, 'a')},  // cut to 255
    };
    for (const auto& c : cases) EXPECT_EQ(ModuleDirectory(c.module), c.directory) << c.module;
}

TEST_F(VeskalTest, StartUpEndsEarlyWithoutADesktopOrWithAnotherInstance) {
    auto chain = [](const char* progman, const char* defView, const char* view) {
        HWND top = sim::AddWindow({progman, "Program Manager", kScreen});
        HWND mid = sim::AddWindow({defView, "", kScreen, (LONG)(WS_CHILD | WS_VISIBLE), 0, top});
        sim::AddWindow({view, "", kScreen, (LONG)(WS_CHILD | WS_VISIBLE), 0, mid});
    };
    struct Case {
        const char* name;
        std::function<void()> arrange;
        bool runs;
        int mutexHandles;  // ours: kept while running, and when another instance has it
    } cases[] = {
        {"the shell's chain", [&] { chain("Progman", "SHELLDLL_DefView", "SysListView32"); }, true, 1},
        {"another instance runs", [&] { sim::AddDesktop(); sim::HoldMutexElsewhere("VESKALMUTEX"); }, false, 1},
        {"another, elevated: access denied", [&] { sim::AddDesktop(); sim::FailCall("CreateMutexA"); }, false, 0},
        {"no Progman", [] {}, false, 0},
        {"Progman with another title", [] { sim::AddWindow({"Progman", "Desktop", kScreen}); }, false, 0},
        {"class case differs", [&] { chain("Progman", "SHELLDLL_DefView", "syslistview32"); }, false, 0},
        {"another first child", [&] { chain("Progman", "WorkerW", "SysListView32"); }, false, 0},
        {"no list view", [&] { chain("Progman", "SHELLDLL_DefView", "DirectUIHWND"); }, false, 0},
    };
    for (const Case& c : cases) {
        Fresh();
        WriteIni("WIDTH=5\n");
        c.arrange();
        EXPECT_EQ(StartUp(kInstance), c.runs) << c.name;
        EXPECT_EQ(TrayLook(), c.runs ? "108 Veskal" : "none") << c.name;
        EXPECT_EQ(program.settings.widthSteps, c.runs ? 4 : 2) << c.name;
        EXPECT_EQ(sim::OpenMutexHandles(), c.mutexHandles) << c.name;
    }
}

// The file beside the exe, as start-up puts it into effect.
TEST_F(VeskalTest, StartUpMeasuresThePlaneAndPlacesTheView) {
    struct Case {
        const char* ini;
        RECT screen;
        Point32 halfExtent, offset;
    } cases[] = {
        {"", kScreen, {1024, 768}, {0, 0}},
        {"WIDTH=5\r\nPOS0=2\r\n", {0, 0, 1280, 1024}, {2560, 1024}, {-2560, 1024}},
        {"POS0=8\n", kScreen, {1024, 768}, {-1024, -768}},
        {"POS0=9\nHEIGHT=1\n", kScreen, {1024, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        Fresh();
        sim::SetModulePath(dir + "\x95\x5C.exe");
        WriteIni(c.ini);
        ASSERT_TRUE(Start(c.screen));
        EXPECT_EQ(pan.halfExtent.x, c.halfExtent.x) << c.ini;
        EXPECT_EQ(pan.halfExtent.y, c.halfExtent.y) << c.ini;
        EXPECT_EQ(pan.offset.x, c.offset.x) << c.ini;
        EXPECT_EQ(pan.offset.y, c.offset.y) << c.ini;
    }
}

TEST_F(VeskalTest, TrayMenuOpensOnRightClickAndDoubleClick) {
    struct Case {
        LPARAM mouse;
        bool opens;
    } cases[] = {
        {WM_RBUTTONUP, true}, {WM_LBUTTONDBLCLK, true}, {WM_RBUTTONDOWN, false},
        {WM_LBUTTONUP, false}, {WM_MOUSEMOVE, false}, {0x007B, false},  // WM_CONTEXTMENU
    };
    ASSERT_TRUE(Start());
    for (const Case& c : cases) {
        size_t before = sim::Popups().size();
        sim::SetCursor(900, 700);
        Send(kTrayCallback, 1, c.mouse);
        ASSERT_EQ(sim::Popups().size(), before + c.opens) << c.mouse;
        if (!c.opens) continue;
        const sim::Popup popup = sim::Popups().back();
        EXPECT_EQ(popup.x * 10000 + popup.y, 9000700) << "at the pointer";
        EXPECT_EQ(popup.owner, program.windows.mover);
        EXPECT_EQ(popup.items.at(0).id, (UINT)ID_TRAY_ENABLE);
        EXPECT_TRUE(popup.items.at(0).checked);
        EXPECT_EQ(sim::Foreground(), program.windows.mover) << "or the menu would not close";
        EXPECT_EQ(sim::LiveMenus(), 0);
    }
}

// Each row: a command chosen from the menu, and what the user sees after.
TEST_F(VeskalTest, TrayMenuCommands) {
    struct Case {
        UINT command;
        const char* tray;       // the icon after
        const char* window;     // a window first panned to (400, 300)
        size_t launches;
        bool checkedNextTime;   // 有効's check mark
    } cases[] = {
        {ID_TRAY_ENABLE, "109 stopped", "400,300", 0, false},
        {ID_TRAY_HOME, "108 Veskal", "100,100", 0, true},
        {ID_TRAY_SETTINGS, "108 Veskal", "400,300", 1, true},
        {MAKEWPARAM(ID_TRAY_HOME, 1), "108 Veskal", "100,100", 0, true},  // the high word is ignored
        {0, "108 Veskal", "400,300", 0, true},  // dismissed
    };
    for (const Case& c : cases) {
        Fresh();
        ASSERT_TRUE(Start());
        HWND app = AddWindowAt(400, 300);
        pan.offset = {300, 200};
        sim::ChooseMenuItem(c.command);
        Send(kTrayCallback, 1, WM_RBUTTONUP);
        Pump();
        EXPECT_EQ(TrayLook(), c.tray) << c.command;
        EXPECT_EQ(At(app), c.window) << c.command;
        EXPECT_EQ(sim::Launches().size(), c.launches) << c.command;
        Send(kTrayCallback, 1, WM_RBUTTONUP);
        EXPECT_EQ(sim::Popups().back().items.at(0).checked, c.checkedNextTime) << c.command;
    }
}

TEST_F(VeskalTest, IconComesBackWhenTheTaskbarIsRecreated) {
    sim::SetTaskbarAccepts(false);  // no taskbar yet: the icon is lost
    ASSERT_TRUE(Start());
    sim::SetTaskbarAccepts(true);
    Send(WM_COMMAND, ID_TRAY_ENABLE);
    ASSERT_EQ(TrayLook(), "none");
    Send(RegisterWindowMessageA("TaskbarCreated"));
    EXPECT_EQ(TrayLook(), "109 stopped") << "added anew, in the current look";
}

TEST_F(VeskalTest, HiddenWindowHandsActivationBack) {
    ASSERT_TRUE(Start());
    HWND other = AddWindowAt(0, 0);
    Send(WM_ACTIVATE, 2, (LPARAM)other);  // WA_CLICKACTIVE
    EXPECT_EQ(sim::CallsStartingWith("SetActiveWindow(").back(), "SetActiveWindow(" + sim::Name(other) + ")");
    EXPECT_EQ(Send(WM_QUERYENDSESSION), TRUE);
}

// Every way out puts the desktop back in order: icon gone, windows recalled,
// cursors restored, settings saved, exit code 0.
TEST_F(VeskalTest, WaysOut) {
    struct Case {
        const char* name;
        std::function<void()> leave;
        bool chordHeld;
    } cases[] = {
        {"exit from the menu", [] { sim::ChooseMenuItem(ID_TRAY_EXIT); Send(kTrayCallback, 1, WM_RBUTTONUP); }, false},
        {"exit command with a notification code", [] { PostMessageA(program.windows.mover, WM_COMMAND, MAKEWPARAM(ID_TRAY_EXIT, 1), 0); }, false},
        {"WM_CLOSE from another program", [] { Send(WM_CLOSE); }, false},
        {"WM_CLOSE with the chord held", [] { EXPECT_EQ(sim::SystemCursor(OCR_NORMAL), IDC_MOVECURSOR); Send(WM_CLOSE); }, true},
        {"end of session, then the window goes", [] { Send(WM_ENDSESSION, TRUE); Send(WM_CLOSE); }, false},
    };
    for (const Case& c : cases) {
        Fresh();
        sim::AddDesktop();
        WriteIni("WIDTH=4\nACTKEY=16\nACTKEY=17\n");
        HWND far = AddWindowAt(5000, -300);
        DWORD t0 = sim::Now();
        if (c.chordHeld) {
            sim::SetKey(VK_SHIFT, true);
            sim::SetKey(VK_CONTROL, true);
        }
        sim::At(t0 + 15, c.leave);  // after the first poll, 10 ms in
        EXPECT_EQ(RunWinMain(), 0) << c.name;
        EXPECT_FALSE(sim::TimedOut()) << c.name;
        EXPECT_EQ(TrayLook(), "none") << c.name;
        EXPECT_EQ(At(far), "960,0") << c.name;
        EXPECT_EQ(sim::SystemCursor(OCR_NORMAL), 0) << c.name;
        EXPECT_EQ(sim::Capture(), nullptr) << c.name;
        EXPECT_EQ(ReadIni(), "WIDTH=4\nHEIGHT=3\nACTKEY=16\nACTKEY=17\nDCENTER=1\nPOS0=4\nSPEED=1\n") << c.name;
        EXPECT_FALSE(sim::MutexExists("VESKALMUTEX")) << c.name;
    }
}

// The session's end saves before it recalls, so a window that hangs the
// recall cannot cost the settings; the program may yet go on, and what it
// receives afterwards is saved at its real exit.
TEST_F(VeskalTest, EndOfSession) {
    ASSERT_TRUE(Start());
    HWND far = AddWindowAt(5000, 100);
    Send(WM_ENDSESSION, FALSE);
    EXPECT_EQ(At(far), "5000,100") << "not ending";
    EXPECT_EQ(ReadIni(), "<none>") << "not ending";
    pan.offset = {300, 0};
    sim::ClearCalls();
    Send(WM_ENDSESSION, TRUE);
    auto calls = sim::Calls();
    auto first = [&](const std::string& prefix) {
        return std::find_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    };
    EXPECT_LT(first("MoveFileExA("), first("SetWindowPos(")) << "saved before the recall";
    EXPECT_EQ(At(far), "960,100");
    Send(WM_COMMAND, ID_TRAY_HOME);
    EXPECT_EQ(At(far), "960,100") << "the view is home after the recall";
    std::string text = "2 2 1 4 7 17";
    COPYDATASTRUCT data = {0, (DWORD)text.size(), const_cast<char*>(text.data())};
    Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    Send(WM_CLOSE);
    Pump();
    ShutDown();  // as WinMain does after the loop
    EXPECT_EQ(ReadIni(), "WIDTH=3\nHEIGHT=3\nACTKEY=17\nDCENTER=1\nPOS0=4\nSPEED=7\n");
    EXPECT_EQ(TrayLook(), "none");
}

// The main loop in virtual time: how often it reads the keys (each tick
// reads Shift once), and how soon a completed chord is noticed.
TEST_F(VeskalTest, MainLoopWakesOnKeysAndSleepsBetween) {
    struct Case {
        const char* name;
        bool rawInputRefused;
        std::vector<std::pair<DWORD, int>> keys;  // at ms after start: key pressed (+) or released (-)
        size_t ticks;  // from 1.005 s to 3.005 s after start
    } cases[] = {
        {"idle: only the safety tick", false, {}, 2},
        {"raw input refused: every 10 ms as ever", true, {}, 200},
        {"Shift held: every 10 ms", false, {{1000, VK_SHIFT}}, 200},
        // Safety ticks at 1.1 and 2.6 s; the press, 1510, the release, ten more over 100 ms.
        {"a key typed: ticks for 100 ms, then quiet", false, {{1500, 'A'}, {1520, -'A'}}, 2 + 3 + 10},
    };
    for (const Case& c : cases) {
        Fresh();
        sim::AddDesktop();
        if (c.rawInputRefused) sim::FailCall("RegisterRawInputDevices");
        DWORD t0 = sim::Now();
        for (auto [at, key] : c.keys) sim::At(t0 + at, [key = key] { sim::SetKey(std::abs(key), key > 0); });
        size_t before = 0, after = 0;
        auto reads = [] { return sim::CallsStartingWith("GetAsyncKeyState(16)").size(); };
        sim::At(t0 + 1005, [&] { before = reads(); });
        sim::At(t0 + 3005, [&] { after = reads(); });
        sim::At(t0 + 3010, [] { SendMessageA(program.windows.mover, WM_CLOSE, 0, 0); });
        EXPECT_EQ(RunWinMain(), 0) << c.name;
        EXPECT_EQ(after - before, c.ticks) << c.name;
    }
    // From idle, the chord is noticed when its last key goes down.
    Fresh();
    sim::AddDesktop();
    DWORD t0 = sim::Now();
    bool panning = false;
    sim::At(t0 + 2000, [] { sim::SetKey(VK_SHIFT, true); });
    sim::At(t0 + 2500, [] { sim::SetKey(VK_CONTROL, true); });
    sim::At(t0 + 2500, [&] { panning = sim::SystemCursor(OCR_NORMAL) == IDC_MOVECURSOR; });
    sim::At(t0 + 2600, [] { SendMessageA(program.windows.mover, WM_CLOSE, 0, 0); });
    RunWinMain();
    EXPECT_TRUE(panning);
}
