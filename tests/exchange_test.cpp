// The settings program's command line, and the WM_COPYDATA text it answers
// with as the running program takes it.
#include "tests/fixture.h"

#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <fstream>

#include "settings/exchange.h"

using namespace std::string_literals;

TEST_F(VeskalTest, SettingsTextFormat) {
    struct Case {
        Settings settings;
        const char* text;
    } cases[] = {
        {Settings(), "2 2 1 4 1 16 17"},
        {{2, 2, {16, 17}, 2, 4, 1}, "2 2 0 4 1 16 17"},  // on for the poll, but not exactly 1
        {{0, 0, {}, 0, 0, 10}, "0 0 0 0 10"},
        {{-1, INT_MIN, {INT_MIN, 0}, 1, -1, INT_MAX}, "-1 -2147483648 1 -1 2147483647 -2147483648 0"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatSettingsText(c.settings), c.text);
}

TEST_F(VeskalTest, SettingsProgramGetsTheSettingsOnItsCommandLine) {
    ASSERT_TRUE(Start());
    SendMessageA(program.windows.mover, WM_COMMAND, ID_TRAY_SETTINGS, 0);
    auto launches = sim::Launches();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].owner, program.windows.mover);
    EXPECT_EQ(launches[0].file, dir + "config.exe");
    EXPECT_EQ(launches[0].parameters, "2 2 1 4 1 16 17");
    EXPECT_EQ(launches[0].showCommand, SW_SHOWNORMAL);
}

// Each row: the text sent, then the settings, half extent, view offset and
// whether a window far off screen was pulled back.
TEST_F(VeskalTest, SettingsMessage) {
    struct Case {
        std::string text;
        const char* settings;
        Point32 halfExtent, offset;
        bool recalled;
    } cases[] = {
        {"4 2 1 4 3 17 18", "4 2 1 4 3 17 18", {2048, 768}, {0, 0}, true},
        {"2 3 1 4 3 17 18", "2 3 1 4 3 17 18", {1024, 1152}, {0, 0}, true},
        {"4 2 1 0 3 17", "4 2 1 0 3 17", {2048, 768}, {2048, 768}, true},
        // Same plane: the new start cell waits for the next move home.
        {"2 2 1 7 3 17 18", "2 2 1 7 3 17 18", {1024, 768}, {300, -200}, false},
        {"2 2 0 4 2", "2 2 0 4 2", {1024, 768}, {300, -200}, false},
        // Too short, or not blank-separated: nothing changes.
        {"4 4 0 0", "2 2 1 4 5 16 17", {1024, 768}, {300, -200}, false},
        {"", "2 2 1 4 5 16 17", {1024, 768}, {300, -200}, false},
        {"4\t4\t0\t0\t3", "2 2 1 4 5 16 17", {1024, 768}, {300, -200}, false},
        // Speed only 1..10; the rest applies all the same.
        {"2 2 1 4 0 16", "2 2 1 4 5 16", {1024, 768}, {300, -200}, false},
        {"2 2 1 4 11 16", "2 2 1 4 5 16", {1024, 768}, {300, -200}, false},
        {"2 2 1 4 10 16", "2 2 1 4 10 16", {1024, 768}, {300, -200}, false},
        {"2 2 1 4 4294967297 16", "2 2 1 4 1 16", {1024, 768}, {300, -200}, false},
        {"2 2 7 4 3", "2 2 1 4 3", {1024, 768}, {300, -200}, false},
        {"2 2 x 4 3", "2 2 0 4 3", {1024, 768}, {300, -200}, false},
        // A trailing blank is one more, empty field; two blanks shift the rest.
        {"2 2 1 4 3 17 ", "2 2 1 4 3 17 0", {1024, 768}, {300, -200}, false},
        {"3 2  1 4 3 17", "3 2 0 1 4 3 17", {1536, 768}, {0, 768}, true},
        {"    ", "0 0 0 0 5", {0, 0}, {0, 0}, true},
        // A counted NUL ends the last number, no more.
        {"4 2 1 4 3 17 18\0"s, "4 2 1 4 3 17 18", {2048, 768}, {0, 0}, true},
        {"2 2 1 4 3\0 17"s, "2 2 1 4 3 17", {1024, 768}, {300, -200}, false},
        {"-1 2 1 4 3", "-1 2 1 4 3", {-512, 768}, {0, 0}, true},
    };
    for (const Case& c : cases) {
        Fresh();
        ASSERT_TRUE(Start());
        HWND far = AddWindowAt(5000, 100);
        program.settings.speed = 5;
        pan.offset = {300, -200};
        COPYDATASTRUCT data = {7, (DWORD)c.text.size(), const_cast<char*>(c.text.data())};
        EXPECT_EQ(SendMessageA(program.windows.mover, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
        std::string row = "'" + c.text + "'";
        EXPECT_EQ(FormatSettingsText(program.settings), c.settings) << row;
        EXPECT_EQ(pan.halfExtent.x, c.halfExtent.x) << row;
        EXPECT_EQ(pan.halfExtent.y, c.halfExtent.y) << row;
        EXPECT_EQ(pan.offset.x, c.offset.x) << row;
        EXPECT_EQ(pan.offset.y, c.offset.y) << row;
        EXPECT_EQ(At(far), c.recalled ? "960,100" : "5000,100") << row;
    }
}

// 16 MiB of blanks are 16 Mi key codes 0: applied, in well under ten times
// the message's size in memory.
TEST_F(VeskalTest, SixteenMebibyteSettingsMessage) {
#ifdef __SANITIZE_ADDRESS__  // set by GCC, which builds the sanitized suite
    GTEST_SKIP() << "the address sanitizer dies rather than fail an allocation";
#else
    ASSERT_TRUE(Start());
    const std::string text = "4 2 1 4 3" + std::string(16 << 20, ' ');
    size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    rlimit saved, tight;
    ASSERT_EQ(getrlimit(RLIMIT_AS, &saved), 0);
    tight = saved;
    tight.rlim_cur = pages * (size_t)sysconf(_SC_PAGESIZE) + 10 * text.size();
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    COPYDATASTRUCT data = {0, (DWORD)text.size(), const_cast<char*>(text.data())};
    SendMessageA(program.windows.mover, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    setrlimit(RLIMIT_AS, &saved);
    EXPECT_EQ(program.settings.activationKeys.size(), 16u << 20);
    EXPECT_EQ(program.settings.speed, 3);
#endif
}
