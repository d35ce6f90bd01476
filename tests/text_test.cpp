// Field splitting and the number conversion shared by the file, the
// settings message and config.exe.
#include <gtest/gtest.h>

#include "base/number.h"
#include "base/text.h"

using namespace std::string_literals;

TEST(TextTest, SplitText) {
    struct Case {
        std::string text, delimiter;
        std::string fields;  // joined with "|"
    } cases[] = {
        {"a b  c", " ", "a|b||c"},
        {" a ", " ", "|a|"},
        {"", " ", ""},
        {"abc", "", ""},
        {"k==v", "==", "k|v"},
        {"\x95= a=b", "=", "\x95= a|b"},         // a lead byte takes the next byte with it
        {"\xA1=\xDF=\x7F=", "=", "\xA1|\xDF|\x7F|"},  // half-width kana and ASCII stand alone
        {"\xE0\x20\x20x", " ", "\xE0\x20|x"},
        {"\xA0=\x80=", "=", "\xA0=\x80="},  // CP932 has no such lead bytes, but they lead all the same
        {"a\0b c"s, " ", "a\0b|c"s},
    };
    for (const Case& c : cases) {
        std::vector<std::string> fields;
        SplitText(c.text, fields, c.delimiter);
        std::string joined;
        for (size_t i = 0; i < fields.size(); ++i) joined += (i ? "|" : "") + fields[i];
        EXPECT_EQ(joined, c.fields) << c.text;
    }
}

TEST(TextTest, ParseNumber) {
    struct Case {
        std::string text;
        int32_t value;
    } cases[] = {
        {"42", 42}, {"  -7x", -7}, {"+3", 3}, {"\t\r\n 5", 5}, {"", 0}, {"x1", 0}, {"- 1", 0},
        {"4294967296", 0}, {"2147483648", INT32_MIN}, {"-2147483649", INT32_MAX}, {"1\0" "2"s, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseNumber(c.text), c.value) << c.text;
}
