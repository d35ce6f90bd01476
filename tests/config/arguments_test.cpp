#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/settings.h"

namespace {

// config.exe's command line as the dialog takes it, written back as OK sends
// it when nothing was changed; the defaults read "2 2 1 4 1 16 17".
const struct {
    const char* text;
    const char* shown;
} kArguments[] = {
    {"", "2 2 1 4 1 16 17"},
    {"4 0 0 8 10 65", "4 0 0 8 10 65"},
    // Too few numbers: the rest and the chord stay default; exactly five
    // mean an empty chord.
    {"5", "5 2 1 4 1 16 17"},
    {"5 6 0 2", "5 6 0 2 1 16 17"},
    {"2 2 1 4 1", "2 2 1 4 1"},
    // Only the "%d" form counts; the others keep their place and default.
    {"x 1 0 0 3 18", "2 1 0 0 3 18"},
    {"+5 07 -0 3 1 16", "2 2 1 3 1 16"},
    {"3 3 0 4 fast 16 17", "3 3 0 4 1 16 17"},
    {"99999999999 4294967297 1 4 1", "2 2 1 4 1"},
    {"2 2 1 4 1 ctrl +18 019 17", "2 2 1 4 1 17"},
    // Blank runs, tabs and line ends from a hand-typed command.
    {"  1\t1  0 4 2   16 ", "1 1 0 4 2 16"},
    {"1 1 0 4 2\r\n", "1 1 0 4 2"},
    // Kept as they came, where the dialog cannot show them too: sizes,
    // cell and speed out of range, codes that are no keys, repeats.
    {"-1 -7 7 9 0", "-1 -7 1 9 0"},
    {"2147483647 -2147483648 1 -1 25", "2147483647 -2147483648 1 -1 25"},
    {"2 2 1 4 1 0 16 255 -17 16 1 254", "2 2 1 4 1 0 16 255 -17 16 1 254"},
};

TEST(ParseSettingsArguments, Table) {
    for (const auto& row : kArguments) {
        SCOPED_TRACE(std::string("arguments \"") + row.text + "\"");
        EXPECT_EQ(FormatSettingsText(ParseSettingsArguments(row.text)), row.shown);
    }
}

Settings Make(int32_t width, int32_t height, int8_t flag, int32_t cell, int32_t speed, std::vector<int32_t> keys) {
    Settings s;
    s.widthSteps = width;
    s.heightSteps = height;
    s.doubleClickCenter = flag;
    s.startCell = cell;
    s.speed = speed;
    s.activationKeys = keys;
    return s;
}

// Veskal's settings go out on the command line; the dialog's unchanged
// answer, read the way Veskal reads it, gives them back. It is read over a
// record unlike the rows, so that a field left unread shows.
TEST(SettingsExchange, UnchangedAnswerRoundTrip) {
    const Settings kRecords[] = {
        Make(0, 0, 0, 0, 10, {}),
        Make(99, 99, 1, 8, 2, {254, 1, 91}),
        Make(5, 17, 0, 6, 7, {18, 65}),
    };
    const Settings current = Make(50, 50, 1, 7, 4, {20, 21});
    for (const Settings& before : kRecords) {
        std::string sent = FormatSettingsText(before);
        SCOPED_TRACE("sent \"" + sent + "\"");
        std::string answer = FormatSettingsText(ParseSettingsArguments(sent));
        Settings after = current;
        ASSERT_TRUE(ParseSettingsMessage(answer.data(), answer.size(), current, after));
        EXPECT_EQ(FormatSettingsText(after), sent);
        EXPECT_EQ(after.doubleClickCenter, before.doubleClickCenter);
    }
}

}  // namespace
