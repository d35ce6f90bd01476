// The idle poll: the chord, pan mode, drags and the double click, one tick
// at a time on a 1024 x 768 desktop (half extent 1024, 768).
#define OEMRESOURCE
#include "tests/fixture.h"

#include <climits>
#include <functional>

#include "pan/poll.h"

namespace {

class PollTest : public VeskalTest {
protected:
    void SetUp() override { Begin(); }
    // A running program with one ordinary window at (100, 100).
    void Begin() {
        Fresh();
        ASSERT_TRUE(Start());
        app = AddWindowAt(100, 100);
        sim::SetCursor(500, 400);
    }
    static void Chord(bool down) {
        sim::SetKey(VK_SHIFT, down);
        sim::SetKey(VK_CONTROL, down);
    }
    static void Button(bool down) { sim::SetKey(VK_LBUTTON, down); }
    // Chord held, one tick: pan mode.
    void Enter() {
        Chord(true);
        Tick();
    }
    // Press and release in pan mode, a tick each.
    void Click() {
        Button(true);
        Tick();
        Button(false);
        Tick();
    }
    // What the user sees of pan mode: the cursor, and the parked window.
    std::string PanLook() const {
        HWND mover = program.windows.mover;
        bool cursors = sim::SystemCursor(OCR_NORMAL) == IDC_MOVECURSOR && sim::SystemCursor(OCR_IBEAM) == IDC_MOVECURSOR;
        bool parked = IsWindowVisible(mover) && sim::IsTopmost(mover) && sim::Capture() == mover &&
                      (GetWindowLongA(mover, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);  // no taskbar button
        if (!sim::SystemCursor(OCR_NORMAL) && !sim::SystemCursor(OCR_IBEAM) && !IsWindowVisible(mover) && !sim::Capture())
            return "idle";
        return std::string(cursors ? "move cursor" : "?") + (parked ? ", parked at " + At(mover) : ", ?");
    }
    HWND app = nullptr;
};

}  // namespace

TEST_F(PollTest, PanModeWhileTheWholeChordIsHeldAndEnabled) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        const char* look;  // after the chord is held and the pointer moved
        bool drags;
    } cases[] = {
        {"Shift+Ctrl", [] {}, "move cursor, parked at 520,410", true},
        {"Shift alone", [] { sim::SetKey(VK_CONTROL, false); }, "idle", false},
        {"two of three keys", [] { program.chord = MakeChord({VK_SHIFT, VK_CONTROL, VK_MENU}); }, "idle", false},
        {"a key listed twice", [] { program.chord = MakeChord({VK_SHIFT, VK_SHIFT}); }, "move cursor, parked at 520,410", true},
        {"key code 0 never reads as down", [] { program.chord = MakeChord({VK_SHIFT, 0}); }, "idle", false},
        {"256 + Shift is no Shift", [] { program.chord = MakeChord({VK_CONTROL, 256 + VK_SHIFT}); }, "idle", false},
        {"negative code", [] { program.chord = MakeChord({VK_SHIFT, VK_CONTROL, -240}); }, "idle", false},
        {"empty chord", [] { program.chord = MakeChord({}); }, "idle", false},
        {"panning off", [] { program.enabled = false; }, "idle", false},
    };
    for (const Case& c : cases) {
        Begin();
        Chord(true);
        c.arrange();
        Tick();
        Button(true);
        Tick();
        sim::SetCursor(520, 410);
        Tick();
        EXPECT_EQ(PanLook(), c.look) << c.name;
        EXPECT_EQ(At(app), c.drags ? "120,110" : "100,100") << c.name;
        Button(false);
        Chord(false);
        Tick();
        EXPECT_EQ(PanLook(), "idle") << c.name << ": after the chord";
    }
}

TEST_F(PollTest, DragStepScalesBoundsAndWraps) {
    struct Case {
        const char* name;
        int32_t speed;
        Point32 offset, mouse;  // mouse: travel since the anchor
        const char* moved;      // the window's position after
        Point32 newOffset;
        bool anchorAdvances;
    } cases[] = {
        {"speed 2", 2, {0, 0}, {50, 0}, "200,100", {100, 0}, true},
        {"x leaves the plane, y still applies", 1, {990, 0}, {40, 10}, "100,110", {990, 10}, true},
        {"both axes dropped", 1, {990, 760}, {40, 10}, "100,100", {990, 760}, true},
        {"left edge", 1, {-1000, 0}, {-30, -5}, "100,95", {-1000, -5}, true},
        {"landing on the edge is allowed", 1, {984, -760}, {40, -8}, "140,92", {1024, -768}, true},
        {"speed 0 freezes", 0, {0, 0}, {50, 50}, "100,100", {0, 0}, false},
        {"speed 25 one pixel too far", 25, {0, 0}, {41, 0}, "100,100", {0, 0}, true},
        {"negative speed", -3, {0, 0}, {10, 0}, "70,100", {-30, 0}, true},
        {"2^31-1 times 2 is -2", INT_MAX, {0, 0}, {2, -2}, "98,102", {-2, 2}, true},
        {"-2^31 times 2 is 0: no movement", INT_MIN, {0, 0}, {2, 2}, "100,100", {0, 0}, false},
    };
    for (const Case& c : cases) {
        Begin();
        program.settings.speed = c.speed;
        Enter();
        Button(true);
        Tick();
        pan.offset = c.offset;
        sim::SetCursor(500 + c.mouse.x, 400 + c.mouse.y);
        Tick();
        EXPECT_EQ(At(app), c.moved) << c.name;
        EXPECT_EQ(pan.offset.x, c.newOffset.x) << c.name;
        EXPECT_EQ(pan.offset.y, c.newOffset.y) << c.name;
        EXPECT_EQ(pan.anchor.x, c.anchorAdvances ? 500 + c.mouse.x : 500) << c.name;
        EXPECT_EQ(pan.anchor.y, c.anchorAdvances ? 400 + c.mouse.y : 400) << c.name;
    }
}

TEST_F(PollTest, ButtonAlreadyDownStartsTheDragOnTheEntryTick) {
    Button(true);
    Tick();  // no pan mode yet: the press is no drag
    Enter();
    sim::SetCursor(530, 420);
    Tick();
    EXPECT_EQ(At(app), "130,120");
}

TEST_F(PollTest, DoubleClickIsTwoReleasesWithin300Milliseconds) {
    struct Case {
        int8_t doubleClickCenter;
        DWORD firstRelease, secondRelease;
        bool home;
    } cases[] = {
        {1, 1000000, 1000299, true},
        {1, 1000000, 1000300, false},
        {2, 1000000, 1000299, true},  // any non-zero value is on
        {0, 1000000, 1000100, false},
        // The tick count wraps after 49.7 days; the gap is taken modulo 2^32.
        {1, 0xFFFFFF9Cu, 199, true},
        {1, 0xFFFFFF9Cu, 200, false},
        {1, 0xFFFFFF9Cu, 0xFFFFFFF0u, true},  // both before the wrap, within 300 ms of it
    };
    for (const Case& c : cases) {
        Begin();
        program.settings.doubleClickCenter = c.doubleClickCenter;
        Enter();
        sim::SetNow(c.firstRelease);
        Click();
        pan.offset = {300, -200};
        sim::SetNow(c.secondRelease);
        Click();
        EXPECT_EQ(At(app), c.home ? "-200,300" : "100,100")
            << (int)c.doubleClickCenter << ": " << c.firstRelease << " -> " << c.secondRelease;
    }
}

TEST_F(PollTest, EveryQuickReleaseCountsFromThePreviousOne) {
    struct Release {
        DWORD at;
        bool home;
    } releases[] = {
        {1000000, false},  // the first ever: the last release is "at 0"
        {1000200, true},
        {1000400, true},  // 400 ms after the first, 200 after the second
        {1000700, false},
    };
    Enter();
    for (const Release& r : releases) {
        pan.offset = {300, -200};
        sim::SetNow(r.at);
        Click();
        EXPECT_EQ(pan.offset.x, r.home ? 0 : 300) << r.at;
    }
}

TEST_F(PollTest, ReleasingTheChordMidDragEndsTheDrag) {
    Enter();
    Click();
    const DWORD firstRelease = sim::Now();
    Button(true);
    Tick();
    sim::SetCursor(530, 400);
    Tick();
    Chord(false);
    Tick();  // the button is still down
    EXPECT_EQ(PanLook(), "idle");
    // Letting go soon after is no release, so no double click; moving drags nothing.
    sim::SetNow(firstRelease + 100);
    sim::SetCursor(600, 400);
    Tick();
    Button(false);
    Tick();
    EXPECT_EQ(At(app), "130,100");
    EXPECT_EQ(pan.offset.x, 30);
}

TEST_F(PollTest, TurningOffWhileTheChordIsHeldKeepsPanModeWithoutReparking) {
    Enter();
    SendMessageA(program.windows.mover, WM_COMMAND, ID_TRAY_ENABLE, 0);
    sim::SetCursor(200, 150);
    Tick();
    EXPECT_EQ(PanLook(), "move cursor, parked at 500,400");
    // Drags still move windows: only pan mode gates them.
    Button(true);
    Tick();
    sim::SetCursor(260, 170);
    Tick();
    EXPECT_EQ(At(app), "160,120");
    Chord(false);
    Tick();
    Chord(true);
    Tick();
    EXPECT_EQ(PanLook(), "idle") << "off: the chord no longer enters";
}

// While the secure desktop is up the pointer cannot be read: each step that
// needs it waits for a tick that can.
TEST_F(PollTest, NoPointerNoStep) {
    Enter();
    sim::FailCall("GetCursorPos");
    sim::SetCursor(520, 410);
    Button(true);
    Tick();
    EXPECT_EQ(PanLook(), "move cursor, parked at 500,400") << "not parked anew";
    sim::HealCalls();
    Tick();  // the press is taken now, at 520,410
    sim::SetCursor(530, 420);
    Tick();
    sim::FailCall("GetCursorPos");
    sim::SetCursor(600, 500);
    Tick();
    EXPECT_EQ(At(app), "110,110");
    sim::HealCalls();
    Tick();
    EXPECT_EQ(At(app), "180,190");
    sim::FailCall("GetCursorPos");
    size_t menus = sim::Popups().size();
    SendMessageA(program.windows.mover, WM_APP + 1, 1, WM_RBUTTONUP);
    EXPECT_EQ(sim::Popups().size(), menus) << "no tray menu at an unknown place";
}

// However long the chord list, a tick reads each key code once.
TEST_F(PollTest, ATickReadsEachKeyOnce) {
    std::vector<int32_t> keys(1000000, VK_SHIFT);
    keys.push_back(VK_CONTROL);
    program.chord = MakeChord(keys);
    Chord(true);
    sim::ClearCalls();
    Tick();
    EXPECT_EQ(sim::CallsStartingWith("GetAsyncKeyState(").size(), 3u) << "Shift, Ctrl and the button";
    EXPECT_EQ(PanLook(), "move cursor, parked at 500,400");
}
