// The idle poll: the chord, pan mode, drags and the double click, one tick
// at a time on a 1024 x 768 desktop (HalfExtent 1024, 768).
#include "tests/fixture.h"

#include <cstdint>
#include <cstdio>
#include <functional>

#include "pan/poll.h"
#include "res/resource.h"
#include "settings/settingsfile.h"

namespace {

const int kMoveCursor = IDC_MOVECURSOR;

void HoldChord(bool down) {
    sim::SetKey(VK_SHIFT, down);
    sim::SetKey(VK_CONTROL, down);
}

void HoldButton(bool down) {
    sim::SetKey(VK_LBUTTON, down);
}

std::vector<std::string> KeyQueries() {
    return sim::CallsStartingWith("GetAsyncKeyState");
}

class PollTest : public VeskalTest {
protected:
    HWND app = nullptr;  // an ordinary window at (100, 100)
    std::string mover;   // the MoverWindow's name in the call log

    void SetUp() override {
        VeskalTest::SetUp();
        Begin();
    }

    // A fresh run for the next row of a table.
    void Restart() {
        sim::Reset();
        program = Program();
        pan = PanState();
        settings = Settings();
        trayIcon = NOTIFYICONDATAA();
        std::remove(IniPath().c_str());
        sim::SetModulePath(dir + "veskal.exe");
        Begin();
    }

    void Begin() {
        StartProgram();
        app = sim::AddWindow({"TestWindow", "", {100, 100, 300, 250}});
        mover = sim::Name(program.moverWindow);
    }

    POINT AppAt() const {
        RECT r = sim::WindowRect(app);
        return {r.left, r.top};
    }

    static void EnterPanMode(int x, int y) {
        sim::SetCursor(x, y);
        HoldChord(true);
        PollTick();
    }

    // In pan mode: press (anchor at the cursor), tick, release, tick.
    static void Click() {
        HoldButton(true);
        PollTick();
        HoldButton(false);
        PollTick();
    }

    void ExpectIdle() const {
        EXPECT_FALSE(pan.panMode);
        EXPECT_FALSE(pan.buttonHeld);
        EXPECT_FALSE(pan.dragActive);
        EXPECT_EQ(sim::SystemCursor(OCR_NORMAL), 0);
        EXPECT_EQ(sim::SystemCursor(OCR_IBEAM), 0);
        EXPECT_FALSE(IsWindowVisible(program.moverWindow));
        EXPECT_EQ(sim::Capture(), nullptr);
    }
};

}  // namespace

TEST_F(PollTest, ChordThatIsNotFullyHeldAndEnabledChangesNothing) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
    } cases[] = {
        {"file without ACTKEY lines: empty chord",
         [this] {
             WriteIni("SPEED=1\n");
             LoadSettings();
             ASSERT_TRUE(settings.activationKeys.empty());
             HoldChord(true);
         }},
        {"enabled off",
         [] {
             program.enabled = false;
             HoldChord(true);
         }},
        {"Shift without Ctrl", [] { sim::SetKey(VK_SHIFT, true); }},
        {"two of three keys",
         [] {
             settings.activationKeys = {VK_SHIFT, VK_CONTROL, VK_MENU};
             HoldChord(true);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        c.arrange();
        sim::SetCursor(500, 400);
        sim::ClearCalls();
        HoldButton(true);
        PollTick();
        sim::SetCursor(600, 450);
        PollTick();
        HoldButton(false);
        PollTick();
        ExpectIdle();
        EXPECT_EQ(AppAt().x, 100);
        EXPECT_EQ(pan.lastReleaseTick, 0u);
        for (const char* call : {"LoadCursorA", "SetSystemCursor", "SetWindowPos", "SetCapture", "EnumWindows"})
            EXPECT_TRUE(sim::CallsStartingWith(call).empty()) << call;
    }
}

TEST_F(PollTest, EveryChordKeyIsQueriedInListOrderOnEveryTick) {
    struct Case {
        std::vector<int32_t> chord;
        std::vector<int> held;
        bool entersPanMode;
        std::vector<std::string> queries;
    } cases[] = {
        {{16, 17}, {}, false, {"GetAsyncKeyState(16)", "GetAsyncKeyState(17)", "GetAsyncKeyState(1)"}},
        {{16, 17}, {17}, false, {"GetAsyncKeyState(16)", "GetAsyncKeyState(17)", "GetAsyncKeyState(1)"}},
        {{16, 17}, {16, 17}, true, {"GetAsyncKeyState(16)", "GetAsyncKeyState(17)", "GetAsyncKeyState(1)"}},
        // A repeated code is queried and counted twice.
        {{16, 16}, {16}, true, {"GetAsyncKeyState(16)", "GetAsyncKeyState(16)", "GetAsyncKeyState(1)"}},
        {{17, 16, 18}, {16, 18}, false,
         {"GetAsyncKeyState(17)", "GetAsyncKeyState(16)", "GetAsyncKeyState(18)", "GetAsyncKeyState(1)"}},
        {{}, {16, 17}, false, {"GetAsyncKeyState(1)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.chord));
        Restart();
        settings.activationKeys = c.chord;
        for (int key : c.held) sim::SetKey(key, true);
        for (int tick = 0; tick < 2; ++tick) {  // entering and staying
            sim::ClearCalls();
            PollTick();
            EXPECT_EQ(KeyQueries(), c.queries) << "tick " << tick;
            EXPECT_EQ(pan.panMode, c.entersPanMode);
        }
        sim::ClearCalls();
        EXPECT_EQ(ChordHeld(), c.entersPanMode);
        EXPECT_EQ(KeyQueries().size(), c.chord.size());
    }
}

TEST_F(PollTest, PanModeSwapsCursorsParksTheWindowAndRestoresOnRelease) {
    const std::string park = "SetWindowPos(" + mover + ", TOPMOST, 300, 200, 0, 0, 0x51)";
    sim::SetCursor(300, 200);
    HoldChord(true);
    sim::ClearCalls();
    PollTick();
    EXPECT_EQ(sim::Calls(), (std::vector<std::string>{
                                "GetAsyncKeyState(16)", "GetAsyncKeyState(17)", "LoadCursorA(130)", "CopyIcon(130)",
                                "SetSystemCursor(130, 32512)", "CopyIcon(130)", "SetSystemCursor(130, 32513)", park,
                                "SetCapture(" + mover + ")", "GetAsyncKeyState(1)"}));
    EXPECT_TRUE(pan.panMode);
    EXPECT_EQ(sim::SystemCursor(OCR_NORMAL), kMoveCursor);
    EXPECT_EQ(sim::SystemCursor(OCR_IBEAM), kMoveCursor);
    EXPECT_TRUE(IsWindowVisible(program.moverWindow));
    EXPECT_TRUE(sim::IsTopmost(program.moverWindow));
    EXPECT_EQ(sim::Capture(), program.moverWindow);

    // Already in pan mode: no cursor work, the window follows the pointer.
    sim::SetCursor(310, 215);
    sim::ClearCalls();
    PollTick();
    EXPECT_EQ(sim::Calls(), (std::vector<std::string>{
                                "GetAsyncKeyState(16)", "GetAsyncKeyState(17)",
                                "SetWindowPos(" + mover + ", TOPMOST, 310, 215, 0, 0, 0x51)",
                                "SetCapture(" + mover + ")", "GetAsyncKeyState(1)"}));
    RECT r = sim::WindowRect(program.moverWindow);
    EXPECT_EQ(r.left, 310);
    EXPECT_EQ(r.top, 215);
    EXPECT_EQ(r.right - r.left, 1);

    HoldChord(false);
    sim::ClearCalls();
    PollTick();
    EXPECT_EQ(sim::Calls(), (std::vector<std::string>{"GetAsyncKeyState(16)", "GetAsyncKeyState(17)",
                                                       "SystemParametersInfoA(0x57, 0, null, 0)",
                                                       "ShowWindow(" + mover + ", 0)", "ReleaseCapture()",
                                                       "GetAsyncKeyState(1)"}));
    ExpectIdle();

    // Each entry loads the cursor afresh.
    HoldChord(true);
    sim::ClearCalls();
    PollTick();
    EXPECT_EQ(sim::CallsStartingWith("LoadCursorA").size(), 1u);
    EXPECT_EQ(sim::CallsStartingWith("SetSystemCursor").size(), 2u);
}

TEST_F(PollTest, ButtonAlreadyDownStartsTheDragOnTheEntryTick) {
    sim::SetCursor(400, 300);
    HoldButton(true);
    PollTick();  // no pan mode yet: the press is not a drag
    EXPECT_FALSE(pan.buttonHeld);

    sim::SetCursor(420, 310);
    HoldChord(true);
    sim::ClearCalls();
    PollTick();
    EXPECT_TRUE(pan.panMode);
    EXPECT_TRUE(pan.buttonHeld);
    EXPECT_TRUE(pan.dragActive);
    EXPECT_EQ(pan.anchor.x, 420);
    EXPECT_EQ(pan.anchor.y, 310);
    EXPECT_TRUE(sim::CallsStartingWith("EnumWindows").empty()) << "no movement yet";

    sim::SetCursor(450, 300);
    PollTick();
    EXPECT_EQ(AppAt().x, 130);
    EXPECT_EQ(AppAt().y, 90);
}

TEST_F(PollTest, DoubleClickIsTwoReleasesWithin300Milliseconds) {
    struct Case {
        int8_t doubleClickCenter;
        DWORD firstRelease, secondRelease;
        bool movesToStart;
    } cases[] = {
        {1, 1000000, 1000299, true},
        {1, 1000000, 1000300, false},
        {1, 1000000, 1000000, true},
        {2, 1000000, 1000299, true},  // any non-zero value is on
        {0, 1000000, 1000100, false},
        {0, 1000000, 1000299, false},
        // The tick count wraps after 49.7 days; the gap is taken modulo 2^32.
        {1, 0xFFFFFF9Cu, 199, true},
        {1, 0xFFFFFF9Cu, 200, false},
        {1, 0xFFFFFFFFu, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << (int)c.doubleClickCenter << ": " << c.firstRelease << " -> "
                                          << c.secondRelease);
        Restart();
        settings.doubleClickCenter = c.doubleClickCenter;
        EnterPanMode(500, 400);
        sim::SetNow(c.firstRelease);
        Click();
        HoldButton(true);
        PollTick();
        pan.offset = {300, -200};
        sim::SetNow(c.secondRelease);
        HoldButton(false);
        sim::ClearCalls();
        PollTick();
        EXPECT_EQ(pan.lastReleaseTick, c.secondRelease);
        EXPECT_FALSE(pan.buttonHeld);
        EXPECT_FALSE(pan.dragActive);
        if (c.movesToStart) {
            EXPECT_EQ(pan.offset.x, 0);
            EXPECT_EQ(pan.offset.y, 0);
            EXPECT_EQ(AppAt().x, -200);
            EXPECT_EQ(AppAt().y, 300);
        } else {
            EXPECT_EQ(pan.offset.x, 300);
            EXPECT_EQ(AppAt().x, 100);
            EXPECT_TRUE(sim::CallsStartingWith("EnumWindows").empty());
        }
    }
}

TEST_F(PollTest, EveryQuickReleaseCountsFromThePreviousOne) {
    struct Release {
        DWORD at;
        bool movesToStart;
    } releases[] = {
        {1000000, false},  // the first ever: the last release is "at 0"
        {1000200, true},
        {1000400, true},   // 400 ms after the first, 200 after the second
        {1000700, false},
        {1000950, true},
    };
    EnterPanMode(500, 400);
    for (const Release& r : releases) {
        pan.offset = {300, -200};
        sim::SetNow(r.at);
        sim::ClearCalls();
        Click();
        EXPECT_EQ(pan.offset.x, r.movesToStart ? 0 : 300) << r.at;
        EXPECT_EQ(sim::CallsStartingWith("EnumWindows").size(), r.movesToStart ? 1u : 0u) << r.at;
    }
}

TEST_F(PollTest, DragStepScalesBoundsAndWrapsLike32Bits) {
    struct Case {
        const char* name;
        int32_t speed;
        Point32 offset;
        Point32 mouse;       // travel since the anchor
        Point32 moved;       // window movement and the step left in PanState
        Point32 newOffset;
        bool anchorAdvances;  // and a shift pass runs
        Point32 halfExtent = {1024, 768};
    } cases[] = {
        {"speed 2", 2, {0, 0}, {50, 0}, {100, 0}, {100, 0}, true},
        {"x leaves the plane, y still applies", 1, {990, 0}, {40, 10}, {0, 10}, {990, 10}, true},
        {"both axes dropped, pass still runs", 1, {990, 760}, {40, 10}, {0, 0}, {990, 760}, true},
        {"left edge", 1, {-1000, 0}, {-30, -5}, {0, -5}, {-1000, -5}, true},
        {"landing on the edge is allowed", 1, {984, -760}, {40, -8}, {40, -8}, {1024, -768}, true},
        {"speed 0 freezes", 0, {0, 0}, {50, 50}, {0, 0}, {0, 0}, false},
        {"speed 25", 25, {0, 0}, {40, -30}, {1000, -750}, {1000, -750}, true},
        {"speed 25 one pixel too far", 25, {0, 0}, {41, 0}, {0, 0}, {0, 0}, true},
        {"negative speed", -3, {0, 0}, {10, 0}, {-30, 0}, {-30, 0}, true},
        {"2^31-1 times 2 is -2", INT32_MAX, {0, 0}, {2, -2}, {-2, 2}, {-2, 2}, true},
        {"2^31-1 leaves the plane", INT32_MAX, {0, 0}, {1, 1}, {0, 0}, {0, 0}, true},
        {"-2^31 times 2 is 0: no movement", INT32_MIN, {0, 0}, {2, 2}, {0, 0}, {0, 0}, false},
        {"offset sum wraps past 2^31-1", 1, {INT32_MAX - 5, 0}, {10, 0}, {10, 0}, {INT32_MIN + 4, 0}, true,
         {INT32_MAX, 768}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        settings.speed = c.speed;
        pan.halfExtent = c.halfExtent;
        EnterPanMode(500, 400);
        HoldButton(true);
        PollTick();
        pan.offset = c.offset;
        sim::SetCursor(500 + c.mouse.x, 400 + c.mouse.y);
        sim::ClearCalls();
        PollTick();
        EXPECT_EQ(AppAt().x, 100 + c.moved.x);
        EXPECT_EQ(AppAt().y, 100 + c.moved.y);
        EXPECT_EQ(pan.step.x, c.moved.x);
        EXPECT_EQ(pan.step.y, c.moved.y);
        EXPECT_EQ(pan.offset.x, c.newOffset.x);
        EXPECT_EQ(pan.offset.y, c.newOffset.y);
        EXPECT_EQ(pan.anchor.x, c.anchorAdvances ? 500 + c.mouse.x : 500);
        EXPECT_EQ(pan.anchor.y, c.anchorAdvances ? 400 + c.mouse.y : 400);
        EXPECT_EQ(sim::CallsStartingWith("EnumWindows").size(), c.anchorAdvances ? 1u : 0u);
    }
}

TEST_F(PollTest, ReleasingTheChordMidDragEndsItWithoutARelease) {
    EnterPanMode(500, 400);
    Click();  // a release at the start time
    const DWORD firstRelease = sim::Now();
    HoldButton(true);
    PollTick();
    sim::SetCursor(530, 400);
    PollTick();
    ASSERT_EQ(AppAt().x, 130);

    HoldChord(false);
    sim::ClearCalls();
    PollTick();  // the button is still down
    EXPECT_EQ(sim::Calls(), (std::vector<std::string>{"GetAsyncKeyState(16)", "GetAsyncKeyState(17)",
                                                       "SystemParametersInfoA(0x57, 0, null, 0)",
                                                       "ShowWindow(" + mover + ", 0)", "ReleaseCapture()",
                                                       "GetAsyncKeyState(1)"}));
    ExpectIdle();

    // Letting go of the button soon after is neither a release nor a
    // double click, and further movement drags nothing.
    sim::SetNow(firstRelease + 100);
    sim::SetCursor(600, 400);
    PollTick();
    HoldButton(false);
    sim::ClearCalls();
    PollTick();
    EXPECT_EQ(pan.lastReleaseTick, firstRelease);
    EXPECT_EQ(AppAt().x, 130);
    EXPECT_EQ(pan.offset.x, 30);
    EXPECT_TRUE(sim::CallsStartingWith("EnumWindows").empty());
}

TEST_F(PollTest, TurningOffWhileTheChordIsHeldKeepsPanModeWithoutReparking) {
    EnterPanMode(100, 100);
    SendMessageA(program.moverWindow, WM_COMMAND, ID_TRAY_ENABLE, 0);
    ASSERT_FALSE(program.enabled);

    sim::SetCursor(200, 150);
    sim::ClearCalls();
    PollTick();
    EXPECT_EQ(KeyQueries().size(), 3u);
    EXPECT_EQ(sim::Calls().size(), 3u) << "no re-parking, no capture renewal";
    EXPECT_TRUE(pan.panMode);
    EXPECT_EQ(sim::WindowRect(program.moverWindow).left, 100);
    EXPECT_TRUE(IsWindowVisible(program.moverWindow));
    EXPECT_EQ(sim::SystemCursor(OCR_NORMAL), kMoveCursor);

    // Drags still start and move windows: only pan mode gates them.
    HoldButton(true);
    PollTick();
    sim::SetCursor(260, 170);
    PollTick();
    EXPECT_EQ(AppAt().x, 160);
    EXPECT_EQ(AppAt().y, 120);

    HoldChord(false);
    PollTick();
    ExpectIdle();
    HoldChord(true);
    PollTick();
    EXPECT_FALSE(pan.panMode) << "off: the chord no longer enters";
}
