// The MoverWindow's messages and commands, and the ways the program ends.
#include "tests/fixture.h"

#include <cstdio>
#include <cstring>

namespace {

const UINT kTrayCallback = 0x8001;

LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(program.moverWindow, message, wParam, lParam);
}

LPARAM AsParam(HWND hwnd) {
    return reinterpret_cast<LPARAM>(hwnd);
}

// Position in the call log of the first call that starts with `prefix`, -1 if none.
int IndexOf(const std::string& prefix) {
    const auto& calls = sim::Calls();
    for (size_t i = 0; i < calls.size(); ++i)
        if (calls[i].compare(0, prefix.size(), prefix) == 0) return (int)i;
    return -1;
}

std::string Hex(uint64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%llx", (unsigned long long)value);
    return buffer;
}

}  // namespace

TEST_F(VeskalTest, MessagesGetTheirHandlingAndResult) {
    StartProgram();
    HWND other = sim::AddWindow({});
    std::string mover = sim::Name(program.moverWindow);
    auto def = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        return "DefWindowProcA(" + mover + ", " + Hex(message) + ", " + Hex(wParam) + ", " + Hex((uint64_t)lParam) + ")";
    };
    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::vector<std::string> calls;
        LRESULT result;
    } cases[] = {
        {"paint draws nothing", WM_PAINT, 0, 0, {"BeginPaint(" + mover + ")", "EndPaint(" + mover + ")"}, 0},
        {"activated: the previous window is made active again", WM_ACTIVATE, 1, AsParam(other),
         {"SetActiveWindow(" + sim::Name(other) + ")"}, 0},
        {"deactivated", WM_ACTIVATE, 0, AsParam(other), {"SetActiveWindow(" + sim::Name(other) + ")"}, 0},
        {"activated with no other window", WM_ACTIVATE, 2, 0, {"SetActiveWindow(null)"}, 0},
        {"query end session keeps the default answer", WM_QUERYENDSESSION, 0, 0, {def(WM_QUERYENDSESSION, 0, 0)},
         TRUE},
        {"query end session at log-off", WM_QUERYENDSESSION, 0, (LPARAM)0x80000000u,
         {def(WM_QUERYENDSESSION, 0, 0x80000000u)}, TRUE},
        {"session goes on", WM_ENDSESSION, FALSE, 0, {def(WM_ENDSESSION, 0, 0)}, 0},
        {"mouse moving over the icon", kTrayCallback, 1, WM_MOUSEMOVE, {}, 0},
        {"unknown command id", WM_COMMAND, 40000, 0, {def(WM_COMMAND, 40000, 0)}, 0},
        {"separator id", WM_COMMAND, 0, 0, {def(WM_COMMAND, 0, 0)}, 0},
        {"an id the menu does not use", WM_COMMAND, 32772, 0, {def(WM_COMMAND, 32772, 0)}, 0},
        {"unknown id with a notification code", WM_COMMAND, 0x10000 | 32776, 5, {def(WM_COMMAND, 0x10000 | 32776, 5)},
         0},
        {"other messages", WM_USER + 5, 3, 4, {def(WM_USER + 5, 3, 4)}, 0},
    };
    for (const auto& c : cases) {
        sim::ClearCalls();
        EXPECT_EQ(Send(c.message, c.wParam, c.lParam), c.result) << c.what;
        EXPECT_EQ(sim::Calls(), c.calls) << c.what;
    }
    EXPECT_TRUE(program.enabled);
    EXPECT_FALSE(IniExists()) << "no shutdown work while the session goes on";
    EXPECT_TRUE(sim::Exists(program.moverWindow));
}

TEST_F(VeskalTest, CommandsGoByTheLowWordOnly) {
    struct Case {
        WPARAM wParam;
        LPARAM lParam;
        bool home, toggled, launched;
    } cases[] = {
        {32774, 0, true, false, false},
        {MAKEWPARAM(32774, 1), 0, true, false, false},  // an accelerator's notification code
        {MAKEWPARAM(32774, 0xFFFF), 0x1234, true, false, false},
        {MAKEWPARAM(32775, 1), 0, false, true, false},
        {MAKEWPARAM(32773, 1), 0, false, false, true},
        {MAKEWPARAM(32775, 0xABCD), 77, false, true, false},
    };
    for (const auto& c : cases) {
        SetUp();
        StartProgram();
        HWND window = sim::AddWindow({"TestWindow", "", {100, 100, 200, 200}});
        pan.offset = {300, -200};
        sim::ClearCalls();
        EXPECT_EQ(Send(WM_COMMAND, c.wParam, c.lParam), 0) << c.wParam;
        EXPECT_TRUE(sim::CallsStartingWith("DefWindowProcA(").empty()) << c.wParam;
        if (c.home) {
            EXPECT_EQ(pan.offset.x, 0) << c.wParam;
            EXPECT_EQ(pan.offset.y, 0) << c.wParam;
            EXPECT_EQ(sim::WindowRect(window).left, -200) << c.wParam;
            EXPECT_EQ(sim::WindowRect(window).top, 300) << c.wParam;
        } else {
            EXPECT_EQ(sim::WindowRect(window).left, 100) << c.wParam;
        }
        EXPECT_EQ(program.enabled, !c.toggled) << c.wParam;
        ASSERT_EQ(sim::Launches().size(), c.launched ? 1u : 0u) << c.wParam;
        if (c.launched) {
            EXPECT_EQ(sim::Launches()[0].owner, program.moverWindow);
        }
        TearDown();
    }
    SetUp();
}

TEST_F(VeskalTest, CopyDataIsAnsweredZeroWhateverItsTag) {
    struct Case {
        ULONG_PTR dwData;
        const char* text;
        bool applied;
    } cases[] = {
        {0, "4 4 1 4 5 16 17", true},
        {1, "4 4 1 4 5 16 17", true},
        {0xFFFFFFFFu, "4 4 1 4 5 16 17", true},
        {0x12345678u, "4 4 1 4 5", true},
        {7, "4 4 1", false},  // too few fields: dropped, still answered 0
        {7, "", false},
    };
    for (const auto& c : cases) {
        SetUp();
        StartProgram();
        COPYDATASTRUCT data = {};
        data.dwData = c.dwData;
        data.cbData = (DWORD)std::strlen(c.text);
        data.lpData = const_cast<char*>(c.text);
        sim::ClearCalls();
        HWND sender = sim::AddWindow({});
        EXPECT_EQ(Send(WM_COPYDATA, reinterpret_cast<WPARAM>(sender), reinterpret_cast<LPARAM>(&data)), 0) << c.text;
        EXPECT_EQ(settings.speed, c.applied ? 5 : 1) << c.dwData;
        EXPECT_EQ(settings.widthSteps, c.applied ? 4 : 2) << c.dwData;
        EXPECT_TRUE(sim::CallsStartingWith("DefWindowProcA(").empty()) << c.dwData;
        EXPECT_FALSE(IniExists()) << "saved only at exit";
        TearDown();
    }
    SetUp();
}

namespace {

void ChooseFromMenu(UINT id, LPARAM mouse) {
    sim::ChooseMenuItem(id);
    PostMessageA(program.moverWindow, kTrayCallback, 1, mouse);
}

}  // namespace

TEST_F(VeskalTest, EveryWayOutRemovesTheIconThenRecallsThenSaves) {
    struct Case {
        const char* what;
        std::function<void()> leave;
    } cases[] = {
        {"exit from the menu", [] { ChooseFromMenu(32771, WM_RBUTTONUP); }},
        {"exit from the menu opened by double click", [] { ChooseFromMenu(32771, WM_LBUTTONDBLCLK); }},
        {"exit command with a notification code", [] { PostMessageA(program.moverWindow, WM_COMMAND, 0x10000 | 32771, 0); }},
        {"close from another program", [] { SendMessageA(FindWindowA("VESKALClass", "Veskal"), WM_CLOSE, 0, 0); }},
    };
    for (const auto& c : cases) {
        SetUp();
        sim::AddDesktop();
        HWND far = sim::AddWindow({"TestWindow", "", {5000, 100, 5200, 200}});
        sim::At(sim::Now() + 500, c.leave);
        EXPECT_EQ(RunWinMain(), 0) << c.what;
        EXPECT_FALSE(sim::TimedOut()) << c.what;

        int removed = IndexOf("Shell_NotifyIconA(2, size=" + std::to_string(NOTIFYICONDATAA_V1_SIZE) + ", " +
                              sim::Name(program.moverWindow) + ", id=1,");
        int recalled = IndexOf("EnumWindows(");
        int saved = IndexOf("MoveFileExA(");
        ASSERT_GE(removed, 0) << c.what;
        EXPECT_LT(removed, recalled) << c.what;
        EXPECT_LT(recalled, saved) << c.what;
        EXPECT_LT(IndexOf("PostQuitMessage(0)"), recalled) << c.what;
        EXPECT_EQ(sim::CallsStartingWith("EnumWindows(").size(), 1u) << c.what;
        EXPECT_EQ(sim::CallsStartingWith("MoveFileExA(").size(), 1u) << c.what;
        EXPECT_TRUE(sim::TrayIcons().empty()) << c.what;
        EXPECT_TRUE(IniExists()) << c.what;
        EXPECT_LT(sim::WindowRect(far).left, 1024) << c.what;
        TearDown();
    }
    SetUp();
}

TEST_F(VeskalTest, RestartBeginsEnabled) {
    sim::AddDesktop();
    DWORD start = sim::Now();
    sim::At(start + 100, [] { ChooseFromMenu(32775, WM_RBUTTONUP); });
    sim::At(start + 200, [] { ChooseFromMenu(32771, WM_RBUTTONUP); });
    EXPECT_EQ(RunWinMain(), 0);
    ASSERT_FALSE(program.enabled) << "the first run ends stopped";
    ASSERT_TRUE(IniExists());

    // A new process on the same desktop: the program-wide records start over.
    program = Program();
    pan = PanState();
    settings = Settings();
    trayIcon = NOTIFYICONDATAA();
    std::vector<sim::TrayIcon> iconsWhileRunning;
    sim::At(start + 1000, [&] {
        iconsWhileRunning = sim::TrayIcons();
        ChooseFromMenu(0, WM_RBUTTONUP);
    });
    sim::At(start + 1100, [] { ChooseFromMenu(32771, WM_RBUTTONUP); });
    EXPECT_EQ(RunWinMain(), 0);
    ASSERT_EQ(iconsWhileRunning.size(), 1u);
    EXPECT_EQ(iconsWhileRunning[0].iconId, 108);
    EXPECT_EQ(iconsWhileRunning[0].tip, "Veskal");
    auto popups = sim::Popups();
    ASSERT_GE(popups.size(), 2u);
    EXPECT_TRUE(popups[popups.size() - 2].items[0].checked);
    EXPECT_TRUE(program.enabled);
}

TEST_F(VeskalTest, EndOfSessionDoesTheShutdownWorkOnce) {
    struct Case {
        const char* what;
        WPARAM ending;
        bool panMode;
    } cases[] = {
        {"session ends during pan mode", TRUE, true},
        {"session ends", TRUE, false},
        {"end cancelled during pan mode", FALSE, true},
        {"end cancelled", FALSE, false},
    };
    for (const auto& c : cases) {
        SetUp();
        sim::AddDesktop();
        HWND far = sim::AddWindow({"TestWindow", "", {5000, 100, 5200, 200}});
        sim::SetKey(VK_SHIFT, c.panMode);
        sim::SetKey(VK_CONTROL, c.panMode);
        DWORD start = sim::Now();
        LRESULT answer = -1, answerAgain = -1;
        bool iniAtEnd = false, panModeAtEnd = true, cursorsSwapped = false;
        LONG farLeftAtEnd = 0;
        size_t cursorResets = 0;
        sim::At(start + 100, [&] {
            cursorsSwapped = sim::SystemCursor(OCR_NORMAL) != 0;
            sim::ClearCalls();
            answer = SendMessageA(program.moverWindow, WM_ENDSESSION, c.ending, 0);
            iniAtEnd = IniExists();
            panModeAtEnd = pan.panMode;
            farLeftAtEnd = sim::WindowRect(far).left;
            cursorResets = sim::CallsStartingWith("SystemParametersInfoA(0x57,").size();
            answerAgain = SendMessageA(program.moverWindow, WM_ENDSESSION, c.ending, 0);
            sim::SetKey(VK_SHIFT, false);
            sim::SetKey(VK_CONTROL, false);
        });
        sim::At(start + 200, [] { SendMessageA(program.moverWindow, WM_CLOSE, 0, 0); });
        EXPECT_EQ(RunWinMain(), 0) << c.what;

        EXPECT_EQ(cursorsSwapped, c.panMode) << c.what;
        EXPECT_EQ(answer, 0) << c.what;
        EXPECT_EQ(answerAgain, 0) << c.what;
        EXPECT_EQ(iniAtEnd, c.ending == TRUE) << c.what;
        EXPECT_EQ(farLeftAtEnd < 1024, c.ending == TRUE) << c.what;
        EXPECT_EQ(panModeAtEnd, c.panMode && !c.ending) << c.what;
        EXPECT_EQ(cursorResets, c.panMode && c.ending ? 1u : 0u) << c.what;
        // Counted from the end of the session on: the exit that follows does
        // not repeat the work, and a cancelled end leaves it all to the exit.
        EXPECT_EQ(sim::CallsStartingWith("EnumWindows(").size(), 1u) << c.what;
        EXPECT_EQ(sim::CallsStartingWith("MoveFileExA(").size(), 1u) << c.what;
        EXPECT_EQ(sim::CallsStartingWith("DefWindowProcA(" + sim::Name(program.moverWindow) + ", 0x16,").size(), 2u)
            << c.what;
        EXPECT_TRUE(IniExists()) << c.what;
        EXPECT_EQ(sim::SystemCursor(OCR_NORMAL), 0) << c.what;
        TearDown();
    }
    SetUp();
}

TEST_F(VeskalTest, NoDesktopViewTakesTheNewIconAwayAgain) {
    EXPECT_EQ(RunWinMain(), 0);
    std::string icon = sim::Name(program.moverWindow) + ", id=1,";
    auto shellCalls = sim::CallsStartingWith("Shell_NotifyIconA(");
    ASSERT_EQ(shellCalls.size(), 2u);
    EXPECT_EQ(shellCalls[0].compare(0, 20, "Shell_NotifyIconA(0,"), 0);
    EXPECT_EQ(shellCalls[1].compare(0, 20, "Shell_NotifyIconA(2,"), 0);
    EXPECT_NE(shellCalls[1].find(icon), std::string::npos);
    EXPECT_TRUE(sim::TrayIcons().empty());
    EXPECT_TRUE(sim::CallsStartingWith("EnumWindows(").empty());
    EXPECT_FALSE(IniExists());
}
