// The two passes over the top-level windows: what each moves, and where the
// recall pass puts windows far off the desktop.
#include "tests/fixture.h"

#include "pan/walker.h"

namespace {

enum Role { kOther, kView, kMap };

struct SkipCase {
    const char* name;
    const char* className;
    LONG style;
    Role role;
    bool moves;  // by both passes
};

}  // namespace

TEST_F(VeskalTest, PassesSkipTheShellHiddenMinimizedAndOurOwn) {
    const LONG shown = (LONG)(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const SkipCase cases[] = {
        {"ordinary window", "TestWindow", shown, kOther, true},
        {"Progman moves like any other", "Progman", shown, kOther, true},
        {"popup", "TestWindow", (LONG)(WS_POPUP | WS_VISIBLE), kOther, true},
        {"hidden", "TestWindow", (LONG)WS_OVERLAPPEDWINDOW, kOther, false},
        {"minimized", "TestWindow", shown | (LONG)WS_MINIMIZE, kOther, false},
        {"taskbar", "Shell_TrayWnd", shown, kOther, false},
        {"start menu host", "DV2ControlHost", shown, kOther, false},
        {"BaseBar", "BaseBar", shown, kOther, false},
        {"class names match case and all", "basebar", shown, kOther, true},
        {"the desktop view", "SysListView32", shown, kView, false},
        {"the map", "VESKALMap", shown, kMap, false},
    };
    for (const SkipCase& c : cases) {
        for (bool recall : {false, true}) {
            Fresh();
            sim::NewWindow shape;
            shape.className = c.className;
            shape.style = c.style;
            shape.rect = {5000, 100, 5100, 200};
            HWND hwnd = sim::AddWindow(shape);
            PanWindows windows = {kInstance, nullptr, c.role == kView ? hwnd : nullptr, kScreen,
                                  c.role == kMap ? hwnd : nullptr};
            if (recall)
                RecallWindows(windows);
            else
                ShiftWindows({10, 20}, windows, pan.placed);
            const char* moved = recall ? "960,100" : "5010,120";
            EXPECT_EQ(At(hwnd), c.moves ? moved : "5000,100") << c.name << (recall ? " (recall)" : " (shift)");
        }
    }
}

TEST_F(VeskalTest, ShiftLeavesTheMoverWindowRecallDoesNot) {
    HWND mover = AddWindowAt(5000, 100);
    PanWindows windows = {kInstance, mover, nullptr, kScreen, nullptr};
    ShiftWindows({10, 20}, windows, pan.placed);
    EXPECT_EQ(At(mover), "5000,100");
    RecallWindows(windows);
    EXPECT_EQ(At(mover), "960,100");
}

TEST_F(VeskalTest, PassesKeepSizeAndZOrder) {
    HWND bottom = AddWindowAt(0, 0), top = AddWindowAt(5000, 50);
    auto before = sim::TopLevelWindows();
    ShiftWindows({-30, 40}, {kInstance, nullptr, nullptr, kScreen, nullptr}, pan.placed);
    EXPECT_EQ(sim::TopLevelWindows(), before);
    RecallWindows({kInstance, nullptr, nullptr, kScreen, nullptr});
    EXPECT_EQ(At(bottom), "-30,40");
    EXPECT_EQ(At(top), "960,90");
    RECT r = sim::WindowRect(top);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(r.bottom - r.top, 100);
    EXPECT_EQ(sim::TopLevelWindows(), before);
}

TEST_F(VeskalTest, RecallEdges) {
    struct Case {
        const char* name;
        RECT desktop;
        int x, y;
        const char* expected;
    } cases[] = {
        {"on screen stays", kScreen, 100, 100, "100,100"},
        {"right: 64 past the edge stays", kScreen, 1088, 100, "1088,100"},
        {"right: one more comes back", kScreen, 1089, 100, "960,100"},
        {"left: 64 before the edge stays", kScreen, -64, 100, "-64,100"},
        {"left: one more comes to 64", kScreen, -65, 100, "64,100"},
        {"left: 64 from the origin, not the desktop", {100, 0, 1124, 768}, 35, 100, "64,100"},
        {"bottom: 64 past stays", kScreen, 100, 832, "100,832"},
        {"bottom: one more comes back", kScreen, 100, 833, "100,704"},
        {"top: above 0 comes to 0", kScreen, 100, -1, "100,0"},
        {"top: a monitor above the main one", {0, -1080, 1024, 768}, 100, -500, "100,-500"},
        {"top: above that monitor", {0, -1080, 1024, 768}, 100, -1081, "100,-1080"},
        {"corner: both axes", kScreen, 3000, -3000, "960,0"},
    };
    for (const Case& c : cases) {
        Fresh();
        HWND hwnd = AddWindowAt(c.x, c.y);
        RecallWindows({kInstance, nullptr, nullptr, c.desktop, nullptr});
        EXPECT_EQ(At(hwnd), c.expected) << c.name;
    }
}

// A window destroyed in the middle of a pass can no longer tell its class or
// place: it is left alone, and the pass goes on.
TEST_F(VeskalTest, PassesSkipAWindowTheSystemCannotDescribe) {
    for (const char* call : {"GetClassNameA", "GetWindowRect"}) {
        for (bool recall : {false, true}) {
            Fresh();
            HWND lost = AddWindowAt(5000, 100), kept = AddWindowAt(5000, 300);
            sim::FailCall(call, lost);
            PanWindows windows = {kInstance, nullptr, nullptr, kScreen, nullptr};
            recall ? RecallWindows(windows) : ShiftWindows({10, 20}, windows, pan.placed);
            EXPECT_EQ(At(lost), "5000,100") << call;
            EXPECT_EQ(At(kept), recall ? "960,300" : "5010,320") << call;
        }
    }
}
