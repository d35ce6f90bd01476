// The settings program's command line and the WM_COPYDATA text it answers
// with, as they reach the running program.
#include "tests/fixture.h"

#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <fstream>

#include "settings/exchange.h"

using namespace std::string_literals;
using Keys = std::vector<int32_t>;

// The address sanitizer reserves its shadow memory up front and dies rather
// than fail an allocation, so a limit on the address space cannot be tried.
#if defined(__SANITIZE_ADDRESS__)
#define VESKAL_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESKAL_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

class ExchangeTest : public VeskalTest {
protected:
    void SetUp() override {
        VeskalTest::SetUp();
        StartProgram();  // default settings, 1024 by 768
        farWindow = sim::AddWindow({"TestWindow", "", {5000, 100, 5200, 200}});
    }
    // Through the window procedure, as the settings program sends it.
    void Send(const std::string& bytes, ULONG_PTR dwData = 0) {
        COPYDATASTRUCT data = {dwData, (DWORD)bytes.size(), const_cast<char*>(bytes.data())};
        EXPECT_EQ(SendMessageA(program.moverWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
    }
    HWND farWindow = nullptr;
};

struct Expected {
    int32_t width, height;
    int8_t dcenter;
    int32_t cell, speed;
    Keys keys;
    bool recalled;
    Point32 halfExtent, offset;
};

}  // namespace

TEST_F(ExchangeTest, LaunchPassesTheSettingsOnTheCommandLine) {
    LaunchSettingsProgram(program.moverWindow);
    auto launches = sim::Launches();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].owner, program.moverWindow);
    EXPECT_TRUE(launches[0].operationNull);
    EXPECT_EQ(launches[0].file, dir + "config.exe");
    EXPECT_EQ(launches[0].parameters, "2 2 1 4 1 16 17");
    EXPECT_TRUE(launches[0].directoryNull);
    EXPECT_EQ(launches[0].showCommand, SW_SHOWNORMAL);

    // Each command launches again; nothing checks for a running one.
    LaunchSettingsProgram(program.moverWindow);
    EXPECT_EQ(sim::Launches().size(), 2u);
}

TEST_F(ExchangeTest, SettingsTextTable) {
    struct Case {
        int32_t width, height;
        int8_t dcenter;
        int32_t cell, speed;
        Keys keys;
        std::string text;
    } cases[] = {
        {2, 2, 1, 4, 1, {16, 17}, "2 2 1 4 1 16 17"},
        {2, 2, 2, 4, 1, {16, 17}, "2 2 0 4 1 16 17"},  // on for the poll, but not exactly 1
        {2, 2, -1, 4, 1, {16, 17}, "2 2 0 4 1 16 17"},
        {2, 2, 0, 4, 1, {16, 17}, "2 2 0 4 1 16 17"},
        {0, 0, 1, 0, 10, {}, "0 0 1 0 10"},
        {-1, INT_MIN, 1, -1, INT_MAX, {INT_MIN, 0}, "-1 -2147483648 1 -1 2147483647 -2147483648 0"},
    };
    for (const auto& c : cases) {
        settings = {c.width, c.height, c.keys, c.dcenter, c.cell, c.speed};
        EXPECT_EQ(FormatSettingsText(), c.text);
    }
}

TEST_F(ExchangeTest, ApplyTable) {
    const Point32 before = {300, -200};
    struct Case {
        std::string text;
        Expected after;
    } cases[] = {
        {"4 2 1 4 3 17 18", {4, 2, 1, 4, 3, {17, 18}, true, {2048, 768}, {0, 0}}},
        {"2 3 1 4 3 17 18", {2, 3, 1, 4, 3, {17, 18}, true, {1024, 1152}, {0, 0}}},
        {"4 2 1 0 3 17", {4, 2, 1, 0, 3, {17}, true, {2048, 768}, {2048, 768}}},
        // Same plane: the new start cell waits for the next move home.
        {"2 2 1 7 3 17 18", {2, 2, 1, 7, 3, {17, 18}, false, {1024, 768}, before}},
        {"2 2 0 4 2", {2, 2, 0, 4, 2, {}, false, {1024, 768}, before}},
        // Too short: nothing at all changes.
        {"4 4 0 0", {2, 2, 1, 4, 5, {16, 17}, false, {1024, 768}, before}},
        {"", {2, 2, 1, 4, 5, {16, 17}, false, {1024, 768}, before}},
        {"4\t4\t0\t0\t3", {2, 2, 1, 4, 5, {16, 17}, false, {1024, 768}, before}},  // only blanks separate
        // Speed only 1..10; the rest applies all the same.
        {"2 2 1 4 0 16", {2, 2, 1, 4, 5, {16}, false, {1024, 768}, before}},
        {"2 2 1 4 11 16", {2, 2, 1, 4, 5, {16}, false, {1024, 768}, before}},
        {"2 2 1 4 -1 16", {2, 2, 1, 4, 5, {16}, false, {1024, 768}, before}},
        {"2 2 1 4 4294967297 16", {2, 2, 1, 4, 1, {16}, false, {1024, 768}, before}},
        {"2 2 1 4 10 16", {2, 2, 1, 4, 10, {16}, false, {1024, 768}, before}},
        {"2 2 1 4 1 16", {2, 2, 1, 4, 1, {16}, false, {1024, 768}, before}},
        {"2 2 7 4 3", {2, 2, 1, 4, 3, {}, false, {1024, 768}, before}},
        {"2 2 -1 4 3", {2, 2, 1, 4, 3, {}, false, {1024, 768}, before}},
        {"2 2 x 4 3", {2, 2, 0, 4, 3, {}, false, {1024, 768}, before}},
        // A trailing blank is one more, empty field.
        {"2 2 1 4 3 ", {2, 2, 1, 4, 3, {0}, false, {1024, 768}, before}},
        {"2 2 1 4 3 17 ", {2, 2, 1, 4, 3, {17, 0}, false, {1024, 768}, before}},
        {"2 2 1 4 ", {2, 2, 1, 4, 5, {}, false, {1024, 768}, before}},
        // Two blanks: an empty field that shifts the rest.
        {"3 2  1 4 3 17", {3, 2, 0, 1, 4, {3, 17}, true, {1536, 768}, {0, 768}}},
        {" 2 2 1 4 3", {0, 2, 1, 1, 4, {3}, true, {0, 768}, {0, 768}}},
        {"    ", {0, 0, 0, 0, 5, {}, true, {0, 0}, {0, 0}}},
        // A counted NUL ends the last number.
        {"4 2 1 4 3 17 18\0"s, {4, 2, 1, 4, 3, {17, 18}, true, {2048, 768}, {0, 0}}},
        {"2 2 1 4 3\0"s, {2, 2, 1, 4, 3, {}, false, {1024, 768}, before}},
        {"2 2 1 4 3\0 17"s, {2, 2, 1, 4, 3, {17}, false, {1024, 768}, before}},  // no NUL ends the text
        {"-1 2 1 4 3", {-1, 2, 1, 4, 3, {}, true, {-512, 768}, {0, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("'" + c.text + "'");
        settings = Settings();
        settings.speed = 5;
        UpdateHalfExtent();
        pan.offset = before;
        SetWindowPos(farWindow, nullptr, 5000, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Send(c.text);

        const Expected& e = c.after;
        EXPECT_EQ(settings.widthSteps, e.width);
        EXPECT_EQ(settings.heightSteps, e.height);
        EXPECT_EQ(settings.doubleClickCenter, e.dcenter);
        EXPECT_EQ(settings.startCell, e.cell);
        EXPECT_EQ(settings.speed, e.speed);
        EXPECT_EQ(settings.activationKeys, e.keys);
        EXPECT_EQ(pan.halfExtent.x, e.halfExtent.x);
        EXPECT_EQ(pan.halfExtent.y, e.halfExtent.y);
        EXPECT_EQ(pan.offset.x, e.offset.x);
        EXPECT_EQ(pan.offset.y, e.offset.y);
        EXPECT_EQ(sim::WindowRect(farWindow).left, e.recalled ? 960 : 5000);
    }
}

TEST_F(ExchangeTest, ThirdFieldSevenIsSentBackAsOne) {
    Send("2 2 7 4 1 16 17");
    LaunchSettingsProgram(program.moverWindow);
    EXPECT_EQ(sim::Launches().at(0).parameters, "2 2 1 4 1 16 17");
}

TEST_F(ExchangeTest, AnyDwDataGivesTheSameResult) {
    for (ULONG_PTR dwData : {(ULONG_PTR)0, (ULONG_PTR)1, (ULONG_PTR)0xFFFFFFFFu, ~(ULONG_PTR)0}) {
        settings = Settings();
        UpdateHalfExtent();
        Send("4 2 1 4 3 17 18", dwData);
        EXPECT_EQ(FormatSettingsText(), "4 2 1 4 3 17 18") << dwData;
    }
}

TEST_F(ExchangeTest, TextIsTakenByLengthOnly) {
    // The bytes behind the count belong to someone else.
    const std::string buffer = "2 2 1 4 3 17 1899";
    COPYDATASTRUCT data = {0, 15, const_cast<char*>(buffer.data())};
    EXPECT_EQ(SendMessageA(program.moverWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
    EXPECT_EQ(settings.activationKeys, (Keys{17, 18}));

    data = {0, 0, nullptr};
    EXPECT_EQ(SendMessageA(program.moverWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
    EXPECT_EQ(settings.activationKeys, (Keys{17, 18}));
}

TEST_F(ExchangeTest, ManyKeysAndLongFields) {
    std::string text = "2 2 1 4 3";
    for (int i = 0; i < 100000; ++i) text += " " + std::to_string(i % 256);
    text += " " + std::string(1 << 20, '7');
    Send(text);
    ASSERT_EQ(settings.activationKeys.size(), 100001u);
    EXPECT_EQ(settings.activationKeys[99999], 99999 % 256);
}

TEST_F(ExchangeTest, RefusedWhenItsFieldsDoNotFitInMemory) {
#ifdef VESKAL_ADDRESS_SANITIZER
    GTEST_SKIP() << "address space limits do not mix with the address sanitizer";
#else
    // 16 MiB of blanks make 16 Mi fields, half a gigabyte of strings; allow
    // the text and its copy but not the list.
    const std::string text = "4 2 1 4 3" + std::string(16 << 20, ' ');
    size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    ASSERT_GT(pages, 0u);
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_AS, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = pages * (size_t)sysconf(_SC_PAGESIZE) + (128u << 20);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    Send(text);
    setrlimit(RLIMIT_AS, &saved);

    EXPECT_EQ(FormatSettingsText(), "2 2 1 4 1 16 17");
    EXPECT_EQ(pan.halfExtent.x, 1024);
    EXPECT_EQ(sim::WindowRect(farWindow).left, 5000);
#endif
}
