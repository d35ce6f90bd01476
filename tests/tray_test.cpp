// The tray icon's record and look, its popup menu and the on/off command.
#include "tests/fixture.h"

#include "app/wndproc.h"

namespace {

const UINT kTrayCallback = 0x8001;

LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(program.moverWindow, message, wParam, lParam);
}

// What the shell posts when the mouse acts on the icon.
LRESULT MouseOnIcon(LPARAM mouse) {
    return Send(kTrayCallback, 1, mouse);
}

// Dispatches whatever is queued, as the main loop would.
void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) DispatchMessageA(&msg);
}

std::string StoppedTip() {
    return sim::Ansi("Veskal（停止中）");
}

// The one icon of ours, in the look of `enabled`, with the full first-layout record.
void ExpectIcon(bool enabled, const std::string& what) {
    auto icons = sim::TrayIcons();
    ASSERT_EQ(icons.size(), 1u) << what;
    const auto& icon = icons[0];
    EXPECT_EQ(icon.hwnd, program.moverWindow) << what;
    EXPECT_EQ(icon.id, 1u) << what;
    EXPECT_EQ(icon.flags, 7u) << what;
    EXPECT_EQ(icon.callbackMessage, kTrayCallback) << what;
    EXPECT_EQ(icon.cbSize, (DWORD)NOTIFYICONDATAA_V1_SIZE) << what;
    EXPECT_EQ(icon.iconId, enabled ? 108 : 109) << what;
    EXPECT_EQ(icon.tip, enabled ? std::string("Veskal") : StoppedTip()) << what;
}

}  // namespace

TEST_F(VeskalTest, IconIsAddedAtCreationWithTheFirstRecordLayout) {
    StartProgram();
    ExpectIcon(true, "after start-up");
    // 88 in a 32-bit build; the same layout takes 104 bytes with 64-bit handles.
    EXPECT_EQ(NOTIFYICONDATAA_V1_SIZE, sizeof(void*) == 8 ? 104u : 88u);
    EXPECT_EQ(sim::CallsStartingWith("Shell_NotifyIconA(").size(), 1u);
}

TEST_F(VeskalTest, OnlyRightButtonUpAndLeftDoubleClickOpenTheMenu) {
    struct Case {
        LPARAM mouse;
        WPARAM iconId;
        bool opens;
    } cases[] = {
        {WM_RBUTTONUP, 1, true},
        {WM_LBUTTONDBLCLK, 1, true},
        {WM_RBUTTONUP, 7, true},  // the icon id is not looked at
        {WM_LBUTTONDOWN, 1, false},
        {WM_LBUTTONUP, 1, false},  // a single left click
        {WM_RBUTTONDOWN, 1, false},
        {0x0207, 1, false},  // middle button down
        {WM_MBUTTONUP, 1, false},
        {0x0209, 1, false},  // middle double click
        {0x0206, 1, false},  // right double click
        {WM_MOUSEMOVE, 1, false},
        {0, 1, false},
    };
    StartProgram();
    for (const auto& c : cases) {
        sim::ClearCalls();
        size_t popupsBefore = sim::Popups().size();
        EXPECT_EQ(Send(kTrayCallback, c.iconId, c.mouse), 0) << c.mouse;
        EXPECT_EQ(sim::Popups().size() - popupsBefore, c.opens ? 1u : 0u) << c.mouse;
        if (!c.opens) {
            EXPECT_TRUE(sim::Calls().empty()) << c.mouse;
        }
        Pump();
    }
}

TEST_F(VeskalTest, MenuCallsComeInOrderAndLeaveNoMenuAlive) {
    StartProgram();
    sim::SetCursor(300, 200);
    sim::ClearCalls();
    MouseOnIcon(WM_RBUTTONUP);

    std::string mover = sim::Name(program.moverWindow);
    std::vector<std::string> expected = {
        "SetForegroundWindow(" + mover + ")",
        "LoadMenuA(129)",
        "CheckMenuItem(0, 0x408)",
        "TrackPopupMenu(0x2, 300, 200, " + mover + ")",
        "DestroyMenu(live)",  // the submenu
        "DestroyMenu(live)",  // the menu bar, which finds its popup already gone
        "DestroyMenu(dead)",
        "PostMessageA(" + mover + ", 0x0, 0x0, 0x0)",
    };
    EXPECT_EQ(sim::Calls(), expected);
    EXPECT_EQ(sim::LiveMenus(), 0);
    EXPECT_EQ(sim::Foreground(), program.moverWindow);

    auto popups = sim::Popups();
    ASSERT_EQ(popups.size(), 1u);
    const auto& popup = popups[0];
    EXPECT_EQ(popup.owner, program.moverWindow);
    EXPECT_EQ(popup.x, 300);
    EXPECT_EQ(popup.y, 200);
    ASSERT_EQ(popup.items.size(), 6u) << "the popup inside the menu, not the menu itself";
    EXPECT_EQ(popup.items[0].id, 32775u);
}

TEST_F(VeskalTest, MenuThatFailsToLoadStillTakesTheForegroundAndPostsNull) {
    StartProgram();
    sim::FailMenuLoad(true);
    sim::ClearCalls();
    MouseOnIcon(WM_LBUTTONDBLCLK);

    std::string mover = sim::Name(program.moverWindow);
    std::vector<std::string> expected = {
        "SetForegroundWindow(" + mover + ")",
        "LoadMenuA(129)",
        "PostMessageA(" + mover + ", 0x0, 0x0, 0x0)",
    };
    EXPECT_EQ(sim::Calls(), expected);
    EXPECT_TRUE(sim::Popups().empty());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, program.moverWindow);
    EXPECT_EQ(msg.message, (UINT)WM_NULL);
}

TEST_F(VeskalTest, CheckMarkAndIconFollowTheOnOffCommand) {
    // Each step chooses the first entry from the menu once more.
    const bool enabledAfter[] = {false, true, false, true};
    StartProgram();
    MouseOnIcon(WM_RBUTTONUP);
    ASSERT_TRUE(sim::Popups().back().items[0].checked);
    for (size_t i = 0; i < 4; ++i) {
        std::string what = "step " + std::to_string(i);
        sim::ChooseMenuItem(32775);
        MouseOnIcon(WM_RBUTTONUP);
        sim::ClearCalls();
        Pump();
        EXPECT_EQ(program.enabled, enabledAfter[i]) << what;
        // One modify, at once, and nothing else sent to the shell.
        auto shellCalls = sim::CallsStartingWith("Shell_NotifyIconA(");
        ASSERT_EQ(shellCalls.size(), 1u) << what;
        EXPECT_EQ(shellCalls[0].compare(0, 20, "Shell_NotifyIconA(1,"), 0) << what;
        ExpectIcon(enabledAfter[i], what);

        sim::ClearCalls();
        MouseOnIcon(WM_RBUTTONUP);
        Pump();
        auto items = sim::Popups().back().items;
        EXPECT_EQ(items[0].checked, enabledAfter[i]) << what;
        for (size_t k = 1; k < items.size(); ++k) EXPECT_FALSE(items[k].checked) << what;
        EXPECT_EQ(sim::CallsStartingWith("CheckMenuItem(").at(0),
                  enabledAfter[i] ? "CheckMenuItem(0, 0x408)" : "CheckMenuItem(0, 0x400)")
            << what;
    }
}

TEST_F(VeskalTest, TurningOffDoesNotLeavePanMode) {
    StartProgram();
    pan.panMode = true;
    sim::ClearCalls();
    EXPECT_EQ(Send(WM_COMMAND, 32775, 0), 0);
    EXPECT_FALSE(program.enabled);
    EXPECT_TRUE(pan.panMode);
    EXPECT_TRUE(sim::CallsStartingWith("SystemParametersInfoA(").empty());
}

TEST_F(VeskalTest, TaskbarRestartAddsTheIconAgainInTheCurrentLook) {
    struct Case {
        const char* what;
        bool turnedOff;
        bool shellDroppedIcon;
        bool taskbarLateAtStart;
    } cases[] = {
        {"enabled, icon dropped", false, true, false},
        {"stopped, icon dropped", true, true, false},
        {"enabled, icon still known", false, false, false},
        {"stopped, icon still known", true, false, false},
        {"no taskbar yet at start-up", false, false, true},
    };
    UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    EXPECT_EQ(taskbarCreatedMessage, taskbarCreated);
    for (const auto& c : cases) {
        SetUp();
        sim::SetTaskbarAccepts(!c.taskbarLateAtStart);
        StartProgram();
        sim::SetTaskbarAccepts(true);
        if (c.turnedOff) Send(WM_COMMAND, 32775, 0);
        if (c.shellDroppedIcon) {
            NOTIFYICONDATAA gone = {};
            gone.cbSize = NOTIFYICONDATAA_V1_SIZE;
            gone.hWnd = program.moverWindow;
            gone.uID = 1;
            ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone)) << c.what;
        }
        sim::ClearCalls();
        EXPECT_EQ(Send(taskbarCreated, 0, 0), 0) << c.what;
        auto shellCalls = sim::CallsStartingWith("Shell_NotifyIconA(");
        ASSERT_EQ(shellCalls.size(), 1u) << c.what;
        EXPECT_EQ(shellCalls[0].compare(0, 20, "Shell_NotifyIconA(0,"), 0) << c.what;
        EXPECT_NE(shellCalls[0].find(c.turnedOff ? ", icon=109," : ", icon=108,"), std::string::npos) << c.what;
        EXPECT_TRUE(sim::CallsStartingWith("DefWindowProcA(").empty()) << c.what;
        ExpectIcon(!c.turnedOff, c.what);
        TearDown();
    }
    SetUp();
}
