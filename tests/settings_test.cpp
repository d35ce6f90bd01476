// The texts that carry the settings: veskal.ini, the settings message and the view record.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "base/number.h"
#include "base/text.h"
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
        {"any other MAP is the default, not written", "MAP=0\nMAP=2\n", "WIDTH=3\nHEIGHT=3\n" + kNoKeys}};
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
    const int64_t boot = 1700000000;
    const std::string desk = " 0 0 1024 768", now = "VIEW 1700000000" + desk + desk;  // this boot, this desktop
    const struct { const char* name; std::string text; bool resumes; } kRows[] = {
        {"this boot, desktop and plane", now + " 2 2 300 -200\n", true}, {"cut short", now + " 2 2 300", false},
        {"the clocks 5 s apart", "VIEW 1700000005" + desk + desk + " 2 2 300 -200\n", true},
        {"6 s: another boot", "VIEW 1699999994" + desk + desk + " 2 2 300 -200\n", false},
        {"the desktop view moved since", "VIEW 1700000000" + desk + " 9 0 1033 768 2 2 300 -200\n", false},
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

}  // namespace
