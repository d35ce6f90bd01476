// config.exe's decisions: what the dialog starts from, what OK sends after
// the user's edits, and the chord captured from the keys pressed.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "config/keycapture.h"
#include "config/values.h"

namespace {

// What the dialog shows first and from where; then what the user does to the width box and the speed slider
// (nullptr and 0: left alone), and what OK sends.
TEST(DialogValues, StartingValuesAndWhatOkSends) {
    const struct { const char *name, *args, *ini /* nullptr: no file */, *shown; Source source; } kStarts[] = {
        {"by hand, no file: the defaults", "", nullptr, "2 2 1 4 1 16 17", Source::defaults},
        {"by hand: the file as Veskal reads it", "", "WIDTH=500\nPOS0=9\nSPEED=25\nDCENTER=200\n"
         "ACTKEY=0\nACTKEY=16\nACTKEY=16\n", "499 2 1 9 25 0 16 16", Source::file},
        {"blanks are no arguments", " \t\r\n", "HEIGHT=4\nDCENTER=256\n", "2 3 0 4 1", Source::file},
        {"from Veskal the file is not read", "3 1 0 4 1 16 17", "WIDTH=9\n", "3 1 0 4 1 16 17", Source::veskal}};
    for (const auto& row : kStarts) {
        std::string ini = row.ini ? row.ini : "";
        Source from = Source::veskal;
        EXPECT_EQ(FormatSettingsText(StartingValues(row.args, row.ini ? &ini : nullptr, from)), row.shown) << row.name;
        EXPECT_EQ((int)from, (int)row.source) << row.name << " (0 Veskal, 1 file, 2 defaults)";
    }
    const struct { const char *name, *given; const wchar_t* widthBox; int32_t slider; const char* sent; } kRows[] = {
        {"nothing touched", "499 -1 1 9 25 0 16 16 255", nullptr, 0, "499 -1 1 9 25 0 16 16 255"},
        {"only the speed moved", "499 -1 1 9 25 0 16 16 255", nullptr, 3, "499 -1 1 9 3 0 16 16 255"},
        {"slider left where 25 shows", "2 2 1 4 25", nullptr, 10, "2 2 1 4 25"},
        {"slider moved off where 0 shows", "2 2 1 4 0", nullptr, 10, "2 2 1 4 10"},
        {"box still says 500", "499 2 1 4 1", L"500", 0, "499 2 1 4 1"},
        {"box still says the wrapped size", "2147483647 2 1 4 1", L"-2147483648", 0, "2147483647 2 1 4 1"},
        {"typed full width", "2 2 1 4 1", L"\uFF19\uFF10", 0, "89 2 1 4 1"},
        {"typed mixed widths", "2 2 1 4 1", L"1\uFF10", 0, "9 2 1 4 1"},
        {"typed 500: held at 100", "2 2 1 4 1", L"500", 0, "99 2 1 4 1"},
        {"typed 0: held at 1", "2 2 1 4 1", L"0", 0, "0 2 1 4 1"},
        {"typed past 32 bits", "2 2 1 4 1", L"99999999999", 0, "99 2 1 4 1"},
        {"box emptied", "7 2 1 4 1", L"", 0, "7 2 1 4 1"}, {"not a number", "7 2 1 4 1", L"1x", 0, "7 2 1 4 1"},
        {"a lone minus", "7 2 1 4 1", L"-", 0, "7 2 1 4 1"}};
    for (const auto& row : kRows) {
        Settings values = ParseSettingsArguments(row.given);
        if (row.widthBox) values.widthSteps = StepsFromBox(row.widthBox, values.widthSteps);
        if (row.slider) values.speed = SpeedFromSlider(row.slider, values.speed);
        EXPECT_EQ(FormatSettingsText(values), row.sent) << row.name;
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
        {"started with Alt+K: held keys count once let go", {18, 75}, {{18, 75}, {18}, {}, {17}, {17, 65}, {}},
         kRecorded, {17, 65}},
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
