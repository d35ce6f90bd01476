// Field splitting under the double-byte rule, line reading from real files
// and the decimal conversion of settings values.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "settings/number.h"
#include "settings/text.h"

using namespace std::string_literals;
using Fields = std::vector<std::string>;

TEST(SplitTextTest, Table) {
    struct Case {
        std::string text, delimiter;
        Fields before, after;
    } cases[] = {
        {"KEY=a=b", "=", {}, {"KEY", "a", "b"}},
        {"KEY=", "=", {}, {"KEY", ""}},
        {"=5", "=", {}, {"", "5"}},
        {"=", "=", {}, {"", ""}},
        {"a==b", "=", {}, {"a", "", "b"}},
        {"abc", "=", {}, {"abc"}},
        {"", "=", {}, {}},
        {"a=b", "", {}, {}},
        {"1 2  3 ", " ", {}, {"1", "2", "", "3", ""}},
        // 表 is 0x95 0x5C: its trail byte is no delimiter, the next 0x5C is.
        {"\x95\x5C\x5C\x41", "\x5C", {}, {"\x95\x5C", "\x41"}},
        // 0xA0 leads a character although CP932 has no such lead byte.
        {"\xA0\x3D\x31", "=", {}, {"\xA0\x3D\x31"}},
        {"\x31\x81\x32\x81", "\x81", {}, {"\x31\x81\x32\x81"}},  // a lead byte never starts a single-byte character
        // Longer delimiters are plain substrings, also inside a character.
        {"\x95\x5C\x41", "\x5C\x41", {}, {"\x95", ""}},
        {"aaa", "aa", {}, {"", "a"}},
        {"a=b", "=", {"x", "y"}, {"x", "y", "a", "b"}},
        {"", "=", {"x"}, {"x"}},
        // Edges of the single-byte ranges: 0x7F and 0xA1..0xDF stand alone.
        {"\x7F=\x80=", "=", {}, {"\x7F", "\x80="}},
        {"\xA1=\xDF=\xE0=", "=", {}, {"\xA1", "\xDF", "\xE0="}},
        {"\xFF==", "=", {}, {"\xFF=", ""}},
        {"a=\x95", "=", {}, {"a", "\x95"}},  // a lead byte cut off at the end
        // The walk restarts behind each match, at a character boundary.
        {"A=\x81=B=C", "=", {}, {"A", "\x81=B", "C"}},
        {"A\0=B\0"s, "=", {}, {"A\0"s, "B\0"s}},
        {"\0\0"s, "\0"s, {}, {"", "", ""}},
    };
    for (const auto& c : cases) {
        Fields fields = c.before;
        SplitText(c.text, fields, c.delimiter);
        EXPECT_EQ(fields, c.after) << "text '" << c.text << "' at '" << c.delimiter << "'";
    }
}

TEST(SplitTextTest, LongTextWithManyLeadBytesIsOneField) {
    // Quadratic work here would take minutes; a walk per field takes none.
    std::string text;
    for (int i = 0; i < 1 << 20; ++i) text += "\x95=";
    Fields fields;
    SplitText(text, fields, "=");
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0].size(), text.size());

    std::string blanks(1 << 20, ' ');
    fields.clear();
    SplitText(blanks, fields, " ");
    EXPECT_EQ(fields.size(), blanks.size() + 1);
}

TEST(CharBoundaryTest, IsSingleByteCharAt) {
    struct Case {
        std::string text;
        uint32_t pos;
        bool single;
    } cases[] = {
        {"", 0, false},
        {"a", 0, true},
        {"a", 1, false},
        {"\x95\x5C", 0, false},
        {"\x95\x5C", 1, false},
        {"\x95\x5C\x41", 2, true},
        {"\x95", 0, false},
        {"\xA0\x41", 1, false},
        {"\xA1\x41", 1, true},
        {"\x80\x41\x41", 2, true},
        {"\x41\x41", kNotFound, false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsSingleByteCharAt(c.text, c.pos), c.single) << c.text << " @" << c.pos;
}

TEST(CharBoundaryTest, FindAtCharBoundary) {
    struct Case {
        std::string text, delimiter;
        uint32_t start, found;
    } cases[] = {
        {"a=b", "=", 0, 1},
        {"a=b", "=", 1, 1},
        {"a=b", "=", 2, kNotFound},
        {"a=b", "=", 3, kNotFound},
        {"a=b", "=", kNotFound, kNotFound},
        {"", "=", 0, kNotFound},
        {"\x95==", "=", 0, 2},
        {"\x81\x81", "\x81", 0, kNotFound},
        {"\x95\x5C\x41\x5C\x41", "\x5C\x41", 0, 3},
        {"a=", "=b", 0, kNotFound},
        {"\x95\x5C" "a", "", 0, 2},  // an empty delimiter matches where a character begins
        {"ab", "", 1, 1},
        {"ab", "", 2, kNotFound},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindAtCharBoundary(c.text, c.delimiter, c.start), c.found)
            << "'" << c.text << "' '" << c.delimiter << "' from " << c.start;
}

namespace {

// The bytes in a real file, opened for reading in binary mode.
FILE* OpenWith(const std::string& bytes) {
    FILE* file = std::tmpfile();
    if (!file) return nullptr;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    return file;
}

}  // namespace

TEST(ReadLineTest, Table) {
    struct Case {
        std::string bytes;
        Fields lines;
    } cases[] = {
        {"", {}},
        {"A=1\nB=2", {"A=1\n", "B=2"}},
        {"A=1\n", {"A=1\n"}},  // no empty line after the last line feed
        {"\n", {"\n"}},
        {"A\r\n", {"A\r\n"}},  // binary mode: the carriage return stays
        {"\n\n", {"\n", "\n"}},
        {"A\0B\n\0"s, {"A\0B\n"s, "\0"s}},
        {"\r", {"\r"}},
        {std::string(100000, 'x') + "\ny", {std::string(100000, 'x') + "\n", "y"}},
    };
    for (const auto& c : cases) {
        FILE* file = OpenWith(c.bytes);
        ASSERT_NE(file, nullptr);
        std::string line = "left over";
        for (const auto& expected : c.lines) {
            EXPECT_EQ(ReadLine(line, file), (int32_t)expected.size()) << c.bytes;
            EXPECT_EQ(line, expected);
        }
        EXPECT_EQ(ReadLine(line, file), -1) << c.bytes;
        EXPECT_EQ(line, "");
        EXPECT_EQ(ReadLine(line, file), -1) << "again after the end: " << c.bytes;
        std::fclose(file);
    }
}

TEST(RemoveCharTest, Table) {
    struct Case {
        std::string text;
        char ch;
        std::string after;
    } cases[] = {
        {"A\r", '\n', "A\r"},
        {"A\r", '\r', "A"},
        {"A\n\n", '\n', "A\n"},
        {"", '\n', ""},
        {"\n", '\n', ""},
        {"\n\r", '\n', "\n\r"},  // only the last byte counts
        {"\x95\x0A", '\n', "\x95"},  // no character boundaries considered
        {"a\0"s, '\0', "a"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        RemoveChar(text, c.ch);
        EXPECT_EQ(text, c.after) << (int)c.ch;
    }
}

TEST(ReadLineTest, TheReadersOrderStripsCrLf) {
    FILE* file = OpenWith("A=1\r\n\r\nB\r\r\n");
    ASSERT_NE(file, nullptr);
    Fields lines;
    for (std::string line; ReadLine(line, file) != -1;) {
        RemoveChar(line, '\n');
        RemoveChar(line, '\r');
        lines.push_back(line);
    }
    std::fclose(file);
    EXPECT_EQ(lines, (Fields{"A=1", "", "B\r"}));
}

TEST(ParseNumberTest, Table) {
    struct Case {
        std::string text;
        int32_t value;
    } cases[] = {
        {"0", 0},
        {"42", 42},
        {" \t\n\v\f\r42", 42},
        {"+7", 7},
        {"-7", -7},
        {"007", 7},
        {"-0", 0},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"+", 0},
        {"--7", 0},
        {"+-7", 0},
        {"- 7", 0},
        {"\xA0" "5", 0},  // a no-break space in CP932 is no white space
        {"0x10", 0},
        {"12abc", 12},
        {"1 2", 1},
        {"3.9", 3},
        {"1e3", 1},
        {"17\r", 17},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MIN},
        {"-2147483648", INT_MIN},
        {"4294967295", -1},
        {"4294967296", 0},
        {"4294967297", 1},
        {"-4294967295", 1},
        {"99999999999999999999", 1661992959},
        {"12\0" "34"s, 12},
        {"\0" "5"s, 0},
        {" \0 5"s, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseNumber(c.text), c.value) << "'" << c.text << "'";
}
