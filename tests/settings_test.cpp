// The texts that carry the settings (veskal.ini, the settings message, the view record), and config.exe's decisions:
// what the dialog starts from, what OK sends after the user's edits, and the chord captured.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "base/number.h"
#include "base/text.h"
#include "config/keycapture.h"
#include "config/values.h"
#include "pan/engine.h"
#include "pan/resume.h"
#include "settings/settingsfile.h"

using namespace std::string_literals;

namespace {

const std::string kNoKeys = "DCENTER=1\nPOS0=4\nSPEED=1\n";
const Point32 kHalf = {1024, 768}, kAt = {300, -200};  // as before a settings message

std::string Text(Point32 p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

TEST(Text, SplitAndNumbers) {
    const struct { std::string text, delimiter, fields /* joined with "|" */; } kSplits[] = {
        {"a b  c", " ", "a|b||c"}, {" a ", " ", "|a|"}, {"", " ", ""}, {"abc", "", ""}, {"k==v", "==", "k|v"},
        {"\x95= a=b", "=", "\x95= a|b"},              // a lead byte takes the next byte with it
        {"\xA1=\xDF=\x7F=", "=", "\xA1|\xDF|\x7F|"},  // half-width kana and ASCII stand alone
        {"\xA0=\x80=", "=", "\xA0=\x80="},            // no such lead bytes in CP932, but they lead all the same
        {"a\0b c"s, " ", "a\0b|c"s}};
    for (const auto& row : kSplits) {
        std::vector<std::string> fields;
        SplitText(row.text, fields, row.delimiter);
        std::string joined;
        for (size_t i = 0; i < fields.size(); ++i) joined += (i ? "|" : "") + fields[i];
        EXPECT_EQ(joined, row.fields) << row.text;
    }
    const struct { std::string text; int32_t value; } kNumbers[] = {
        {"42", 42}, {"  -7x", -7}, {"+3", 3}, {"\t\r\n 5", 5}, {"", 0}, {"x1", 0}, {"- 1", 0}, {"4294967296", 0},
        {"2147483648", INT32_MIN}, {"-2147483649", INT32_MAX}, {"1\0" "2"s, 1}};
    for (const auto& row : kNumbers) EXPECT_EQ(ParseNumber(row.text), row.value) << row.text;
}

// Each row: the file as the text mode reads it, and the file written of it.
TEST(SettingsFile, ReadThenWritten) {
    const struct { const char* name; std::string ini, saved; } kRows[] = {
        {"empty file drops the chord", "", "WIDTH=3\nHEIGHT=3\n" + kNoKeys},
        {"ACTKEY twice", "ACTKEY=16\nACTKEY=16\n", "WIDTH=3\nHEIGHT=3\nACTKEY=16\nACTKEY=16\n" + kNoKeys},
        {"last WIDTH wins", "WIDTH=2\nHEIGHT=2\nWIDTH=4\n", "WIDTH=4\nHEIGHT=2\n" + kNoKeys},
        {"keys match whole and exactly", "width=4\nWIDTH =4\nWIDTHS=4\n WIDTH=4\n", "WIDTH=3\nHEIGHT=3\n" + kNoKeys},
        {"third field ignored", "WIDTH=4=9\n", "WIDTH=4\nHEIGHT=3\n" + kNoKeys},
        {"empty value", "WIDTH=\n", "WIDTH=0\nHEIGHT=3\n" + kNoKeys},
        {"no equals sign, no key", "WIDTH\n=4\n=\n", "WIDTH=3\nHEIGHT=3\n" + kNoKeys},
        {"byte-order mark", "\xEF\xBB\xBFWIDTH=5\nHEIGHT=5\n", "WIDTH=3\nHEIGHT=5\n" + kNoKeys},
        {"DCENTER keeps a byte", "DCENTER=200\n", "WIDTH=3\nHEIGHT=3\nDCENTER=-56\nPOS0=4\nSPEED=1\n"},
        {"POS0 and SPEED kept as found", "POS0=-1\nSPEED=25\n", "WIDTH=3\nHEIGHT=3\nDCENTER=1\nPOS0=-1\nSPEED=25\n"},
        {"not a number", "SPEED=fast\nACTKEY=x\n", "WIDTH=3\nHEIGHT=3\nACTKEY=0\nDCENTER=1\nPOS0=4\nSPEED=0\n"},
        {"a CR left by a binary read", "WIDTH=4\r\nHEIGHT=5\r\n", "WIDTH=4\nHEIGHT=5\n" + kNoKeys},
        {"no final line end", "WIDTH=4\nACTKEY=17", "WIDTH=4\nHEIGHT=3\nACTKEY=17\n" + kNoKeys},
        {"empty lines", "\n\r\n\r\nWIDTH=4\n\n", "WIDTH=4\nHEIGHT=3\n" + kNoKeys},
        {"wraps at 32 bits", "WIDTH=-2147483648\nHEIGHT=4294967298\n", "WIDTH=-2147483648\nHEIGHT=2\n" + kNoKeys},
        {"NUL bytes stay in the line", "ACTKEY=1\0" "7\nSPEED\0=3\n"s, "WIDTH=3\nHEIGHT=3\nACTKEY=1\n" + kNoKeys},
        {"MAP=0: no map, written last", "MAP=0\nSPEED=2\n", "WIDTH=3\nHEIGHT=3\nDCENTER=1\nPOS0=4\nSPEED=2\nMAP=0\n"},
        {"any other MAP is the default, not written", "MAP=0\nMAP=2\n", "WIDTH=3\nHEIGHT=3\n" + kNoKeys},
        {"FOLLOW=0 and the pins, last; a pin is the rest of its line", "PIN=a.exe|x=y\nFOLLOW=0\nPIN=\nPIN=b|B\n",
         "WIDTH=3\nHEIGHT=3\n" + kNoKeys + "FOLLOW=0\nPIN=a.exe|x=y\nPIN=b|B\n"}};
    EXPECT_EQ(FormatSettingsFile(Settings()), "WIDTH=3\nHEIGHT=3\nACTKEY=16\nACTKEY=17\n" + kNoKeys) << "defaults";
    for (const char* on : {"DCENTER=2\n", "DCENTER=200\n"})  // on, as the settings program is to show it
        EXPECT_EQ(FormatSettingsText(ParseSettingsFile(on)), "2 2 1 4 1") << on;
    for (const auto& row : kRows) {
        EXPECT_EQ(FormatSettingsFile(ParseSettingsFile(row.ini)), row.saved) << row.name;
        EXPECT_EQ(FormatSettingsFile(ParseSettingsFile(row.saved)), row.saved) << row.name << ": read back";
    }
}

// Each row: the message, then the settings, half extent and view offset on a 1024 x 768 screen with the view at
// (300,-200), and whether windows far off screen are recalled.
TEST(SettingsMessage, TakesEffect) {
    const struct { std::string text, settings; Point32 half = kHalf, offset = kAt; bool recall = false; } kRows[] = {
        {"4 2 1 4 3 17 18", "4 2 1 4 3 17 18", {2048, 768}, {0, 0}, true},
        {"4 2 1 0 3 17", "4 2 1 0 3 17", {2048, 768}, {2048, 768}, true},
        {"2 2 1 7 3 17 18", "2 2 1 7 3 17 18"},  // same plane: the start cell waits for a move home
        {"4 4 0 0", ""}, {"4\t4\t0\t0\t3", ""},  // too short, or not blank-separated
        // Speed only 1..10; the rest applies all the same.
        {"2 2 1 4 0 16", "2 2 1 4 5 16"}, {"2 2 1 4 11 16", "2 2 1 4 5 16"}, {"2 2 1 4 10 16", "2 2 1 4 10 16"},
        {"2 2 1 4 4294967297 16", "2 2 1 4 1 16"}, {"2 2 7 4 3", "2 2 1 4 3"}, {"2 2 x 4 3", "2 2 0 4 3"},
        // A trailing blank is one more, empty field; two blanks shift the rest.
        {"2 2 1 4 3 17 ", "2 2 1 4 3 17 0"}, {"3 2  1 4 3 17", "3 2 0 1 4 3 17", {1536, 768}, {0, 768}, true},
        {"    ", "0 0 0 0 5", {0, 0}, {0, 0}, true}, {"-1 2 1 4 3", "-1 2 1 4 3", {-512, 768}, {0, 0}, true},
        {"4 2 1 4 3 17 18\0"s, "4 2 1 4 3 17 18", {2048, 768}, {0, 0}, true}};  // a counted NUL ends the last number
    for (const auto& row : kRows) {
        Settings before, next;
        before.speed = 5;
        PanState pan = {};
        pan.offset = kAt;
        bool read = ParseSettingsMessage(row.text.data(), row.text.size(), before, next);
        EXPECT_EQ(read ? FormatSettingsText(next) : "", row.settings) << "'" << row.text << "'";
        if (!read) continue;
        EXPECT_EQ(TakeSettings(pan, before, next, {0, 0, 1024, 768}, false), row.recall) << row.text;
        EXPECT_EQ(Text(pan.halfExtent) + " " + Text(pan.offset), Text(row.half) + " " + Text(row.offset)) << row.text;
    }
}

// The record written after a drag, read at the next start of this boot.
TEST(ViewRecord, TrustedOnlyForThisBootDesktopAndPlane) {
    const int64_t boot = 13400000000;  // seconds since 1601, as Windows counts: past 2^31
    const std::string desk = " 0 0 1024 768", now = "VIEW 13400000000" + desk + desk;  // this boot, this desktop
    const struct { const char* name; std::string text; bool resumes; } kRows[] = {
        {"this boot, desktop and plane", now + " 2 2 300 -200\n", true}, {"cut short", now + " 2 2 300", false},
        {"the clocks 5 s apart", "VIEW 13400000005" + desk + desk + " 2 2 300 -200\n", true},
        {"6 s: another boot", "VIEW 13399999994" + desk + desk + " 2 2 300 -200\n", false},
        {"the desktop view moved since", "VIEW 13400000000" + desk + " 9 0 1033 768 2 2 300 -200\n", false},
        {"another plane", now + " 4 2 300 -200\n", false}, {"on the edge of the plane", now + " 2 2 1024 -768\n", true},
        {"off the plane", now + " 2 2 1025 0\n", false}, {"not a number", now + " 2 2 3O0 0\n", false}};
    for (const auto& row : kRows) {
        ViewRecord record = {};
        bool read = ParseViewRecord(row.text, record);
        EXPECT_EQ(read && Resumable(record, boot, {0, 0, 1024, 768}, Settings()), row.resumes) << row.name;
        EXPECT_EQ(read ? FormatViewRecord(record) : row.text, row.text) << row.name << ": written back";
    }
    PanState pan = {};
    pan.offset = {5, 0};
    EXPECT_TRUE(ViewRecordDue(pan, {0, 0})) << "the view came to rest elsewhere";
    EXPECT_FALSE(ViewRecordDue(pan, {5, 0})) << "where the record says";
    pan.dragActive = true;
    EXPECT_FALSE(ViewRecordDue(pan, {0, 0})) << "mid-drag";
}

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
