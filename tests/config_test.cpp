// config.exe's decisions: what the dialog starts from, what OK sends after the user's edits, and the chord captured.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "config/keycapture.h"
#include "config/values.h"

namespace {

// Each row: config.exe's command line, veskal.ini (nullptr: none) and the width box and speed slider (nullptr, 0: left
// alone); then what OK sends, where the dialog's values came from, and how Veskal reads what OK sent.
TEST(DialogValues, StartingValuesAndWhatOkSends) {
    const struct {
        const char *name, *given, *sent; const wchar_t* widthBox = nullptr; int32_t slider = 0;
        const char* ini = nullptr; Source source = Source::veskal;
    } kRows[] = {
        {"by hand, no file: the defaults", "", "2 2 1 4 1 16 17", nullptr, 0, nullptr, Source::defaults},
        {"by hand: the file as Veskal reads it", "", "499 2 1 9 25 0 16 16", nullptr, 0,
         "WIDTH=500\nPOS0=9\nSPEED=25\nDCENTER=200\nACTKEY=0\nACTKEY=16\nACTKEY=16\n", Source::file},
        {"blanks are no arguments", " \t\r\n", "2 3 0 4 1", nullptr, 0, "HEIGHT=4\nDCENTER=256\n", Source::file},
        {"from Veskal the file is not read", "3 1 0 4 1 16 17", "3 1 0 4 1 16 17", nullptr, 0, "WIDTH=9\n"},
        {"too few: the rest default", "5 6 0 2", "5 6 0 2 1 16 17"}, {"five: no chord", "2 2 1 4 1", "2 2 1 4 1"},
        {"", "x 1 0 0 3 18", "2 1 0 0 3 18"}, {"", "+5 07 -0 3 1 16", "2 2 1 3 1 16"},  // not "%d": the default
        {"", "99999999999 4294967297 1 4 1", "2 2 1 4 1"}, {"", "2 2 1 4 1 ctrl +18 019 17", "2 2 1 4 1 17"},
        {"typed by hand", "  1\t1  0 4 2   16 ", "1 1 0 4 2 16"}, {"typed by hand", "1 1 0 4 2\r\n", "1 1 0 4 2"},
        {"", "2 2 1 4 1 0 16 255 -17 16 1 254", "2 2 1 4 1 0 16 255 -17 16 1 254"},  // kept, though not shown
        {"", "-1 -7 7 9 0", "-1 -7 1 9 0"}, {"", "2147483647 -2147483648 1 -1 25", "2147483647 -2147483648 1 -1 25"},
        {"only the speed moved", "499 -1 1 9 25 0 16 16 255", "499 -1 1 9 3 0 16 16 255", nullptr, 3},
        {"slider left where 25 shows", "2 2 1 4 25", "2 2 1 4 25", nullptr, 10},
        {"slider moved off where 0 shows", "2 2 1 4 0", "2 2 1 4 10", nullptr, 10},
        {"box still says 500", "499 2 1 4 1", "499 2 1 4 1", L"500"}, {"box emptied", "7 2 1 4 1", "7 2 1 4 1", L""},
        {"box still says the wrapped size", "2147483647 2 1 4 1", "2147483647 2 1 4 1", L"-2147483648"},
        {"typed full width", "2 2 1 4 1", "89 2 1 4 1", L"\uFF19\uFF10"},
        {"mixed widths", "2 2 1 4 1", "9 2 1 4 1", L"1\uFF10"}, {"a lone minus", "7 2 1 4 1", "7 2 1 4 1", L"-"},
        {"typed 0: held at 1", "2 2 1 4 1", "0 2 1 4 1", L"0"}, {"not a number", "7 2 1 4 1", "7 2 1 4 1", L"1x"},
        {"typed 500: held at 100", "2 2 1 4 1", "99 2 1 4 1", L"500"},
        {"typed past 32 bits", "2 2 1 4 1", "99 2 1 4 1", L"99999999999"}};
    for (const auto& row : kRows) {
        std::string ini = row.ini ? row.ini : "";
        Source from = Source::veskal;
        Settings values = StartingValues(row.given, row.ini ? &ini : nullptr, from), after;
        if (row.widthBox) values.widthSteps = StepsFromBox(row.widthBox, values.widthSteps);
        if (row.slider) values.speed = SpeedFromSlider(row.slider, values.speed);
        std::string sent = FormatSettingsText(values);
        EXPECT_EQ(sent, row.sent) << row.name << " '" << row.given << "'";
        EXPECT_EQ((int)from, (int)row.source) << row.name << " (0 Veskal, 1 file, 2 defaults)";
        // Veskal keeps its own speed where the text's is out of range: here the same.
        ASSERT_TRUE(ParseSettingsMessage(sent.data(), sent.size(), values, after)) << row.given;
        EXPECT_EQ(FormatSettingsText(after), sent) << row.name << " '" << row.given << "': read back by Veskal";
    }
}

TEST(DialogValues, GridMovesAndUnseenKeys) {
    const struct { const char* name; int cell, rows, columns, to; } kMoves[] = {
        {"Down from 左上 to 左", 0, 1, 0, 3},         {"Up from 右下 to 右", 8, -1, 0, 5},
        {"Left stays at the row's start", 3, 0, -1, 3}, {"Right stays at the row's end", 5, 0, 1, 5},
        {"Down stays on the bottom row", 7, 1, 0, 7},  {"Up stays on the top row", 1, -1, 0, 1}};
    for (const auto& row : kMoves) EXPECT_EQ(MoveInGrid(row.cell, row.rows, row.columns), row.to) << row.name;
    const struct { std::vector<int32_t> keys; bool warned; } kChords[] = {
        {{}, false}, {{1, 16, 254}, false}, {{16, 0}, true}, {{255, 16}, true}, {{-17}, true}};
    for (const auto& row : kChords) EXPECT_EQ(HasUnseenKey(row.keys), row.warned) << testing::PrintToString(row.keys);
}

// The keys held at the start, then at each later look; the capture ends at the last look or not at all.
TEST(KeyCapture, Table) {
    const CapturePoll kWaiting = CapturePoll::waiting, kRecorded = CapturePoll::recorded;
    using Keys = std::set<int>;
    const struct {
        const char* name; Keys heldAtStart; std::vector<Keys> looks; CapturePoll end; std::vector<int32_t> chord;
    } kRows[] = {
        {"shift then ctrl", {}, {{}, {16}, {16, 17}, {17}, {}}, kRecorded, {16, 17}},
        {"order of first press", {}, {{65}, {65, 66}, {66}, {66, 67}, {}}, kRecorded, {65, 66, 67}},
        {"nothing pressed yet", {}, {{}, {}, {}}, kWaiting, {}},
        {"Alt+K held: counts once let go", {18, 75}, {{18, 75}, {18}, {}, {17}, {17, 65}, {}}, kRecorded, {17, 65}},
        {"a key held for good holds up nothing", {65}, {{65}, {65, 16}, {65}}, kRecorded, {16}},
        {"held at the start, let go, pressed again", {16}, {{}, {16}, {}}, kRecorded, {16}},
        {"mouse buttons ignored", {}, {{1}, {1, 2, 4}, {1, 5, 6, 16}, {1}}, kRecorded, {16}},
        {"sided modifiers ignored", {}, {{16, 0xA0}, {16, 0xA1, 17, 0xA3, 0xA5}, {0xA4}}, kRecorded, {16, 17}},
        {"locks and IME keys ignored, also when held for good", {},
         {{0x14, 0x15, 0x1A, 0x1C, 0x1F, 0x90, 0x91, 0xF0, 0xF6, 16}, {0x14, 0x15, 0xF3}}, kRecorded, {16}},
        {"neighbours of the ignored codes count", {}, {{3, 7, 0x13, 0x20, 0x8F, 0x92, 0x9F, 0xA6, 0xEF, 0xF7, 254}, {}},
         kRecorded, {3, 7, 0x13, 0x20, 0x8F, 0x92, 0x9F, 0xA6, 0xEF, 0xF7, 254}},
        {"Esc cancels", {}, {{16}, {16, 0x1B}}, CapturePoll::cancelled, {16}},
        {"Esc held at the start does not", {0x1B}, {{0x1B, 16}, {0x1B}}, kRecorded, {16}}};
    auto keys = [](const Keys& held) { KeysDown down; for (int key : held) down.set((size_t)key); return down; };
    KeyCapture capture;  // one for all rows, as the dialog has: each start begins afresh
    for (const auto& row : kRows) {
        StartCapture(capture, keys(row.heldAtStart));
        CapturePoll end = kWaiting;
        size_t looked = 0;
        while (looked < row.looks.size() && end == kWaiting) end = PollCapture(capture, keys(row.looks[looked++]));
        EXPECT_EQ(looked, row.looks.size()) << row.name;
        EXPECT_EQ((int)end, (int)row.end) << row.name << " (0 waiting, 1 recorded, 2 cancelled)";
        EXPECT_EQ(capture.active, end == kWaiting) << row.name;
        EXPECT_EQ(capture.pressed, row.chord) << row.name;
    }
}

}  // namespace
