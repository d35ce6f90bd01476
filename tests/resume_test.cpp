// After a crash or a kill the next start knows where the view is.
#include "tests/fixture.h"

#include <fstream>

#include "app/loop.h"
#include "app/resume.h"
#include "app/shutdown.h"
#include "app/startup.h"

using namespace std::string_literals;

namespace {

// The process ends with no word: its window and mutex go, its files stay.
void Kill() {
    DestroyWindow(program.windows.mover);
    CloseInstanceMutex();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    program = Program();
    pan = PanState();
}

size_t RecordWrites(const std::string& dir) {
    return sim::CallsStartingWith("MoveFileExA(" + dir + "veskal.view.new").size();
}

}  // namespace

TEST_F(VeskalTest, KilledAfterADragTheNextStartCarriesOn) {
    ASSERT_TRUE(Start());
    HWND app = AddWindowAt(100, 100);
    sim::SetKey(VK_SHIFT, true);
    sim::SetKey(VK_CONTROL, true);
    sim::SetCursor(500, 400);
    LoopTick();
    sim::SetKey(VK_LBUTTON, true);
    LoopTick();
    for (int step = 1; step <= 50; ++step) {
        sim::SetCursor(500 + 6 * step, 400 + 4 * step);
        LoopTick();
    }
    sim::SetKey(VK_LBUTTON, false);
    LoopTick();
    sim::SetKey(VK_SHIFT, false);
    LoopTick();
    EXPECT_EQ(At(app), "400,300");
    EXPECT_EQ(RecordWrites(dir), 1u) << "once, when the drag ended";

    Kill();
    ASSERT_TRUE(StartUp(kInstance));
    EXPECT_EQ(At(app), "400,300") << "nothing moves by itself";
    SendMessageA(program.windows.mover, WM_COMMAND, ID_TRAY_HOME, 0);
    EXPECT_EQ(At(app), "100,100") << "back to start, as if never stopped";

    SendMessageA(program.windows.mover, WM_CLOSE, 0, 0);
    ShutDown();
    EXPECT_FALSE(std::ifstream(dir + "veskal.view")) << "an orderly end leaves no record";
}

TEST_F(VeskalTest, RecordsOfAnotherRunAreIgnoredAndRemoved) {
    const int64_t boot = BootTime();
    const std::string kDesk = " 0 0 1024 768";
    struct Case {
        const char* name;
        std::string record;
        bool resumed;
    } cases[] = {
        {"this boot, desktop and plane", "VIEW " + std::to_string(boot) + kDesk + kDesk + " 2 2 300 -200\n", true},
        {"another boot", "VIEW " + std::to_string(boot - 3600) + kDesk + kDesk + " 2 2 300 -200\n", false},
        {"the desktop view moved since", "VIEW " + std::to_string(boot) + kDesk + " 9 0 1033 768 2 2 300 -200\n", false},
        {"another plane", "VIEW " + std::to_string(boot) + kDesk + kDesk + " 4 2 300 -200\n", false},
        {"off the plane", "VIEW " + std::to_string(boot) + kDesk + kDesk + " 2 2 1025 0\n", false},
        {"not a number", "VIEW " + std::to_string(boot) + kDesk + kDesk + " 2 2 3O0 0\n", false},
        {"cut short", "VIEW " + std::to_string(boot) + kDesk + kDesk + " 2 2 300", false},
        {"garbage", "\x95\x5C\0\n"s, false},
    };
    for (const Case& c : cases) {
        Fresh();
        std::ofstream(dir + "veskal.view", std::ios::binary) << c.record;
        ASSERT_TRUE(Start());
        EXPECT_EQ(pan.offset.x, c.resumed ? 300 : 0) << c.name;
        EXPECT_EQ(pan.offset.y, c.resumed ? -200 : 0) << c.name;
        EXPECT_EQ((bool)std::ifstream(dir + "veskal.view"), c.resumed) << c.name << ": kept";
    }
}
