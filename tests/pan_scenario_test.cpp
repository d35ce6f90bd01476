// Panning end to end: the whole program in virtual time, input changed
// while the main loop sleeps between ticks.
#include "tests/fixture.h"

#include "res/resource.h"

namespace {

const int kMoveCursor = IDC_MOVECURSOR;

void HoldChord(bool down) {
    sim::SetKey(VK_SHIFT, down);
    sim::SetKey(VK_CONTROL, down);
}

HWND MoverWindow() {
    return FindWindowA("VESKALClass", nullptr);
}

void CloseFromAnotherProgram() {
    PostMessageA(MoverWindow(), WM_CLOSE, 0, 0);
}

// Index of the first logged call that starts with `prefix` at or after
// `from`; the log size when there is none.
size_t FindCall(const std::string& prefix, size_t from = 0) {
    const auto& calls = sim::Calls();
    for (size_t i = from; i < calls.size(); ++i)
        if (calls[i].compare(0, prefix.size(), prefix) == 0) return i;
    return calls.size();
}

}  // namespace

TEST_F(VeskalTest, DragAndDoubleClickThroughTheMainLoop) {
    WriteIni("WIDTH=3\nHEIGHT=3\nACTKEY=16\nACTKEY=17\nDCENTER=1\nPOS0=4\nSPEED=2\n");
    sim::AddDesktop({0, 0, 1024, 768});
    HWND app = sim::AddWindow({"TestWindow", "", {100, 100, 300, 250}});
    const DWORD t0 = sim::Now();
    auto appLeft = [app] { return sim::WindowRect(app).left; };

    sim::At(t0 + 100, [] {
        sim::SetCursor(500, 400);
        HoldChord(true);
    });
    sim::At(t0 + 150, [] {
        EXPECT_EQ(sim::SystemCursor(OCR_NORMAL), kMoveCursor);
        EXPECT_EQ(sim::SystemCursor(OCR_IBEAM), kMoveCursor);
        EXPECT_EQ(sim::Capture(), MoverWindow());
        EXPECT_TRUE(sim::IsTopmost(MoverWindow()));
        EXPECT_EQ(sim::WindowRect(MoverWindow()).left, 500);
    });
    sim::At(t0 + 200, [] { sim::SetKey(VK_LBUTTON, true); });
    sim::At(t0 + 250, [] { sim::SetCursor(550, 400); });
    sim::At(t0 + 300, [&] {
        EXPECT_EQ(appLeft(), 200) << "50 px at SPEED 2";
        EXPECT_EQ(pan.offset.x, 100);
    });
    sim::At(t0 + 400, [] { sim::SetKey(VK_LBUTTON, false); });
    sim::At(t0 + 500, [] { sim::SetKey(VK_LBUTTON, true); });
    sim::At(t0 + 600, [] { sim::SetKey(VK_LBUTTON, false); });  // 200 ms after the first release
    sim::At(t0 + 650, [&] {
        EXPECT_EQ(appLeft(), 100) << "double click: back to the start cell";
        EXPECT_EQ(pan.offset.x, 0);
        EXPECT_EQ(pan.lastReleaseTick, t0 + 600);
    });
    sim::At(t0 + 700, [] { HoldChord(false); });
    sim::At(t0 + 750, [] {
        EXPECT_EQ(sim::SystemCursor(OCR_NORMAL), 0);
        EXPECT_EQ(sim::Capture(), nullptr);
        EXPECT_FALSE(IsWindowVisible(MoverWindow()));
    });
    sim::At(t0 + 800, CloseFromAnotherProgram);

    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_FALSE(sim::TimedOut());
    EXPECT_EQ(appLeft(), 100);
    EXPECT_EQ(sim::CallsStartingWith("SystemParametersInfoA").size(), 1u) << "pan mode was left before the end";
    EXPECT_NE(ReadIni().find("SPEED=2\n"), std::string::npos);
}

TEST_F(VeskalTest, ClosedWhileTheChordIsHeldRestoresCursorsThenRecallsAndSaves) {
    sim::AddDesktop({0, 0, 1024, 768});
    HWND far = sim::AddWindow({"TestWindow", "", {5000, 100, 5200, 200}});
    const DWORD t0 = sim::Now();
    sim::At(t0 + 100, [] {
        sim::SetCursor(300, 300);
        HoldChord(true);
    });
    sim::At(t0 + 200, [] {
        ASSERT_EQ(sim::SystemCursor(OCR_NORMAL), kMoveCursor);
        ASSERT_EQ(sim::Capture(), MoverWindow());
        sim::ClearCalls();
        CloseFromAnotherProgram();  // the chord stays held to the end
    });

    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_FALSE(sim::TimedOut());
    EXPECT_EQ(sim::SystemCursor(OCR_NORMAL), 0);
    EXPECT_EQ(sim::SystemCursor(OCR_IBEAM), 0);
    EXPECT_EQ(sim::Capture(), nullptr);
    EXPECT_FALSE(pan.panMode);

    const size_t destroyed = FindCall("DestroyWindow(");
    const size_t restored = FindCall("SystemParametersInfoA(0x57, 0, null, 0)");
    const size_t released = FindCall("ReleaseCapture()", restored);
    const size_t recalled = FindCall("EnumWindows()", released);
    const size_t saved = FindCall("MoveFileExA(", recalled);
    EXPECT_LT(destroyed, restored);
    EXPECT_LT(restored, released);
    EXPECT_LT(released, recalled);
    EXPECT_LT(recalled, saved);
    EXPECT_LT(saved, sim::Calls().size());
    EXPECT_EQ(sim::CallsStartingWith("SystemParametersInfoA").size(), 1u);
    EXPECT_EQ(sim::WindowRect(far).left, 960);
    EXPECT_TRUE(IniExists());
}
