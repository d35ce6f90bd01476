// The shift and recall passes over all top-level windows.
#include "tests/fixture.h"

#include "pan/walker.h"

namespace {

HWND AddAt(int left, int top, const std::string& className = "TestWindow", LONG extraStyle = 0) {
    sim::NewWindow shape;
    shape.className = className;
    shape.rect = {left, top, (LONG)((uint32_t)left + 200u), (LONG)((uint32_t)top + 150u)};
    shape.style |= extraStyle;
    return sim::AddWindow(shape);
}

class WalkerTest : public VeskalTest {
protected:
    void SetUp() override {
        VeskalTest::SetUp();
        StartProgram({0, 0, 1024, 768});
    }
};

}  // namespace

TEST_F(WalkerTest, RecallPullsFarWindowsBackByTheEdgeRules) {
    struct Case {
        int left, top;
        int expectedLeft, expectedTop;
    } cases[] = {
        {1100, 100, 960, 100},  // left - 64 > right
        {1088, 100, 1088, 100}, // 1088 - 64 = 1024: not beyond
        {-65, 100, 64, 100},    // left + 64 < 0: lands at the fixed 64
        {-5000, 100, 64, 100},
        {-64, 100, -64, 100},
        {100, -1, 100, 0},      // top above 0 goes to 0, no margin
        {100, 833, 100, 704},   // top - 64 > bottom
        {100, 832, 100, 832},
        {3000, -3000, 960, 0},  // both axes at once
    };
    std::vector<HWND> windows;
    for (const Case& c : cases) windows.push_back(AddAt(c.left, c.top));
    RecallWindows();
    for (size_t i = 0; i < windows.size(); ++i) {
        RECT r = sim::WindowRect(windows[i]);
        EXPECT_EQ(r.left, cases[i].expectedLeft) << "case " << i;
        EXPECT_EQ(r.top, cases[i].expectedTop) << "case " << i;
        EXPECT_EQ(r.right - r.left, 200) << "size is kept, case " << i;
    }
}

TEST_F(WalkerTest, RecallMeasuresAgainstTheDesktopRectNotZero) {
    // An odd desktop origin: the left test uses DesktopRect.left, the top test 0.
    sim::Reset();
    program = Program();
    sim::SetModulePath(dir + "veskal.exe");
    StartProgram({100, 50, 1124, 818});
    HWND beyondLeft = AddAt(30, 10);   // 30 + 64 < 100
    HWND keptLeft = AddAt(40, 10);     // 40 + 64 = 104
    HWND aboveZero = AddAt(500, -1);
    RecallWindows();
    EXPECT_EQ(sim::WindowRect(beyondLeft).left, 64);
    EXPECT_EQ(sim::WindowRect(keptLeft).left, 40);
    EXPECT_EQ(sim::WindowRect(aboveZero).top, 0);
}

TEST_F(WalkerTest, SkipRulesOfBothPasses) {
    struct Case {
        const char* what;
        std::string className;
        LONG style;
        bool shifted;
        bool recalled;
    } cases[] = {
        {"ordinary window", "Notepad", 0, true, true},
        {"taskbar", "Shell_TrayWnd", 0, false, false},
        {"start menu host", "DV2ControlHost", 0, false, false},
        {"menu band", "BaseBar", 0, false, false},
        {"class differing in case", "basebar", 0, true, true},
        {"class with a prefix", "XBaseBar", 0, true, true},
        {"minimized", "Notepad", (LONG)WS_MINIMIZE, false, false},
        {"tool window style has no say", "Tool", 0, true, true},
    };
    std::vector<HWND> windows;
    for (const auto& c : cases) windows.push_back(AddAt(3000, 3000, c.className, c.style));
    HWND hidden = AddAt(3000, 3000);
    ShowWindow(hidden, SW_HIDE);

    pan.step = {10, 20};
    ShiftWindows();
    for (size_t i = 0; i < windows.size(); ++i)
        EXPECT_EQ(sim::WindowRect(windows[i]).left, cases[i].shifted ? 3010 : 3000) << cases[i].what;
    EXPECT_EQ(sim::WindowRect(hidden).left, 3000);
    EXPECT_FALSE(IsWindowVisible(hidden)) << "SWP_SHOWWINDOW must not reach skipped windows";

    RecallWindows();
    for (size_t i = 0; i < windows.size(); ++i)
        EXPECT_EQ(sim::WindowRect(windows[i]).left == 960, cases[i].recalled) << cases[i].what;
    EXPECT_EQ(sim::WindowRect(hidden).left, 3000);
}

TEST_F(WalkerTest, MoverWindowIsSkippedByTheShiftOnlyAndProgmanMovesLikeAnyWindow) {
    HWND progman = FindWindowA("Progman", "Program Manager");
    ShowWindow(program.moverWindow, SW_SHOW);
    SetWindowPos(program.moverWindow, nullptr, 5000, 5000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    sim::ClearCalls();

    pan.step = {7, -3};
    ShiftWindows();
    EXPECT_EQ(sim::WindowRect(program.moverWindow).left, 5000);
    EXPECT_EQ(sim::CallsStartingWith("SetWindowPos("),
              std::vector<std::string>{"SetWindowPos(" + sim::Name(progman) + ", null, 7, -3, 0, 0, 0x55)"});

    RecallWindows();  // no test for the mover: visible, so it is pulled back
    EXPECT_EQ(sim::WindowRect(program.moverWindow).left, 960);
}

TEST_F(WalkerTest, ZeroStepStillVisitsEveryEligibleWindow) {
    AddAt(10, 10);
    AddAt(20, 20);
    sim::ClearCalls();
    pan.step = {0, 0};
    ShiftWindows();
    auto moves = sim::CallsStartingWith("SetWindowPos(");
    ASSERT_EQ(moves.size(), 3u);  // two windows and Progman
    for (const auto& call : moves) EXPECT_NE(call.find(", 0, 0, 0x55)"), std::string::npos) << call;
}

TEST_F(WalkerTest, ShiftWrapsAt32BitsInsteadOfOverflowing) {
    HWND w = AddAt(2147483600, -2147483600);
    pan.step = {100, -100};
    ShiftWindows();
    EXPECT_EQ(sim::WindowRect(w).left, (LONG)(2147483600u + 100u));
    EXPECT_EQ(sim::WindowRect(w).top, (LONG)(0u - 2147483600u - 100u));
}
