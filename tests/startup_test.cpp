// Start-up, the single-instance guard, the desktop search and the orderly end.
#include "tests/fixture.h"

#include "app/paths.h"

TEST(PathsTest, DirectoryBesideTheExecutable) {
    struct Case {
        std::string module;
        std::string directory;
    } cases[] = {
        {"D:\\apps\\tool.exe", "D:\\apps\\"},
        {"C:\\\x95\x5C\\tool.exe", "C:\\\x95\x5C\\"},  // the trail byte of 表 is no separator
        {"C:\\\x95\x5C", "C:\\"},
        {"\\\\server\\share\\tool.exe", "\\\\server\\share\\"},  // no drive on a share
        {"C:/mixed\\dir/tool.exe", "C:/mixed\\dir/"},
        {"tool.exe", ""},
        {"C:tool.exe", "C:"},
        {"C:\\" + std::string(300, 'a') + "\\tool.exe", "C:\\" + std::string(254, 'a')},  // cut to 255
    };
    for (const auto& c : cases) EXPECT_EQ(ModuleDirectory(c.module), c.directory) << c.module;
}

TEST_F(VeskalTest, PathsAreBuiltFromTheModuleFileName) {
    sim::SetModulePath("C:\\\x95\x5C\\tool.exe");
    BuildPaths(kInstance);
    EXPECT_EQ(program.settingsFilePath, "C:\\\x95\x5C\\veskal.ini");
    EXPECT_EQ(program.settingsProgramPath, "C:\\\x95\x5C\\config.exe");
}

namespace {

void CloseFromOutside() {
    SendMessageA(FindWindowA("VESKALClass", "Veskal"), WM_CLOSE, 0, 0);
}

}  // namespace

TEST_F(VeskalTest, StartsFindsTheDesktopAndEndsInOrderOnClose) {
    sim::AddDesktop({0, 0, 1024, 768});
    HWND far = sim::AddWindow({"TestWindow", "", {5000, 100, 5200, 200}});
    sim::At(sim::Now() + 1000, CloseFromOutside);

    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_FALSE(sim::TimedOut());

    // The window as created: hidden 1x1 popup tool window with our title.
    auto creates = sim::CallsStartingWith("CreateWindowExA(");
    ASSERT_EQ(creates.size(), 1u);
    EXPECT_EQ(creates[0], "CreateWindowExA(0x0, VESKALClass, Veskal, 0x80000000, 0, 0, 1, 1)");
    EXPECT_EQ(sim::CallsStartingWith("SetWindowLongA(").at(0),
              "SetWindowLongA(" + sim::Name(program.moverWindow) + ", -20, 0x80)");
    EXPECT_EQ(sim::CallsStartingWith("RegisterClassExA(").at(0), "RegisterClassExA(VESKALClass, style=0x3)");

    // Icon gone, then the recall pass, then the save, then the mutex.
    const auto& calls = sim::Calls();
    auto index = [&](const std::string& prefix) {
        for (size_t i = 0; i < calls.size(); ++i)
            if (calls[i].compare(0, prefix.size(), prefix) == 0) return (int)i;
        return -1;
    };
    int iconRemoved = index("Shell_NotifyIconA(2,");
    int recall = index("EnumWindows(");
    int saved = index("MoveFileExA(");
    int released = index("ReleaseMutex(");
    ASSERT_GE(iconRemoved, 0);
    EXPECT_LT(iconRemoved, recall);
    EXPECT_LT(recall, saved);
    EXPECT_LT(saved, released);
    EXPECT_EQ(calls.back(), "CloseHandle(mutex)");

    EXPECT_EQ(sim::WindowRect(far).left, 960);
    EXPECT_TRUE(sim::TrayIcons().empty());
    EXPECT_FALSE(sim::Exists(program.moverWindow));
    EXPECT_FALSE(sim::MutexExists("VESKALMUTEX"));
    EXPECT_EQ(ReadIni(), "WIDTH=3\nHEIGHT=3\nACTKEY=16\nACTKEY=17\nDCENTER=1\nPOS0=4\nSPEED=1\n");
}

TEST_F(VeskalTest, MainLoopPollsOnlyAfterTenQuietMilliseconds) {
    sim::AddDesktop();
    DWORD start = sim::Now();
    sim::At(start + 95, CloseFromOutside);
    EXPECT_EQ(RunWinMain(), 0);
    // Nine full sleeps and polls before the close arrives in the tenth sleep.
    EXPECT_EQ(sim::Now(), start + 100);
    EXPECT_EQ(sim::CallsStartingWith("GetAsyncKeyState(16)").size(), 10u);
}

TEST_F(VeskalTest, SecondInstanceLeavesAtOnceAndTouchesNothing) {
    sim::AddDesktop();
    WriteIni("WIDTH=5\n");
    int secondResult = -1;
    size_t traysDuringSecond = 0;
    sim::At(sim::Now() + 50, [&] {
        sim::ClearCalls();
        secondResult = RunWinMain();
        traysDuringSecond = sim::TrayIcons().size();
        EXPECT_TRUE(sim::CallsStartingWith("CreateWindowExA(").empty());
        EXPECT_TRUE(sim::CallsStartingWith("Shell_NotifyIconA(").empty());
        EXPECT_TRUE(sim::CallsStartingWith("ReleaseMutex(").empty()) << "the second copy must not free the first's mutex";
        EXPECT_EQ(settings.widthSteps, 4) << "settings untouched";
    });
    sim::At(sim::Now() + 100, CloseFromOutside);
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_EQ(secondResult, 0);
    EXPECT_EQ(traysDuringSecond, 1u);
}

TEST_F(VeskalTest, AnotherProcessHoldingTheMutexStopsStartUp) {
    sim::AddDesktop();
    sim::HoldMutexElsewhere("VESKALMUTEX");
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_TRUE(sim::CallsStartingWith("RegisterClassExA(").empty());
    EXPECT_TRUE(sim::TrayIcons().empty());
    EXPECT_FALSE(IniExists());
}

TEST_F(VeskalTest, BrokenDesktopChainEndsQuietlyWithoutAGhostIcon) {
    struct Case {
        const char* what;
        std::function<void()> build;
    } cases[] = {
        {"no shell at all", [] {}},
        {"Progman with another title",
         [] { sim::AddWindow({"Progman", "Desktop", {0, 0, 1024, 768}}); }},
        {"Progman without children", [] { sim::AddWindow({"Progman", "Program Manager", {0, 0, 1024, 768}}); }},
        {"first child of another class",
         [] {
             HWND p = sim::AddWindow({"Progman", "Program Manager", {0, 0, 1024, 768}});
             HWND other = sim::AddWindow({"Other", "", {0, 0, 10, 10}, (LONG)WS_CHILD, 0, p});
             sim::AddWindow({"SysListView32", "", {0, 0, 10, 10}, (LONG)WS_CHILD, 0, other});
             HWND view = sim::AddWindow({"SHELLDLL_DefView", "", {0, 0, 10, 10}, (LONG)WS_CHILD, 0, p});
             sim::AddWindow({"SysListView32", "", {0, 0, 10, 10}, (LONG)WS_CHILD, 0, view});
         }},
        {"class differing in case",
         [] {
             HWND p = sim::AddWindow({"Progman", "Program Manager", {0, 0, 1024, 768}});
             HWND view = sim::AddWindow({"SHELLDLL_DefView", "", {0, 0, 10, 10}, (LONG)WS_CHILD, 0, p});
             sim::AddWindow({"syslistview32", "", {0, 0, 10, 10}, (LONG)WS_CHILD, 0, view});
         }},
        {"view without a list",
         [] {
             HWND p = sim::AddWindow({"Progman", "Program Manager", {0, 0, 1024, 768}});
             sim::AddWindow({"SHELLDLL_DefView", "", {0, 0, 10, 10}, (LONG)WS_CHILD, 0, p});
         }},
    };
    for (const auto& c : cases) {
        SetUp();
        c.build();
        HWND bystander = sim::AddWindow({"TestWindow", "", {5000, 0, 5100, 100}});
        EXPECT_EQ(RunWinMain(), 0) << c.what;
        EXPECT_TRUE(sim::TrayIcons().empty()) << c.what;
        EXPECT_EQ(program.desktopView, nullptr) << c.what;
        EXPECT_FALSE(sim::MutexExists("VESKALMUTEX")) << c.what;
        EXPECT_FALSE(IniExists()) << c.what;
        EXPECT_EQ(sim::WindowRect(bystander).left, 5000) << c.what;
        TearDown();
    }
    SetUp();
}

TEST_F(VeskalTest, FailedWindowCreationReleasesTheMutex) {
    sim::AddDesktop();
    // The class name already taken by a window procedure that refuses to
    // create: our registration fails and so does the creation.
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        return message == WM_CREATE ? -1 : DefWindowProcA(hwnd, message, wParam, lParam);
    };
    wc.lpszClassName = "VESKALClass";
    RegisterClassExA(&wc);
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_TRUE(sim::CallsStartingWith("EnumWindows").empty());
    EXPECT_TRUE(sim::TrayIcons().empty());
    EXPECT_EQ(sim::CallsStartingWith("ReleaseMutex(").size(), 1u);
    EXPECT_FALSE(sim::MutexExists("VESKALMUTEX"));
    EXPECT_FALSE(IniExists());
}
