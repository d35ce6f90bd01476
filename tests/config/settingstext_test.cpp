#include <string>
#include <vector>

#include "config/settingstext.h"
#include "settings/exchange.h"
#include "tests/fixture.h"

namespace {

using Keys = std::vector<int32_t>;

struct Shown {
    int32_t width, height;
    bool home;
    int32_t cell, speed;
    Keys keys;
};

void ExpectShown(const ConfigSettings& got, const Shown& want) {
    EXPECT_EQ(got.widthScreens, want.width);
    EXPECT_EQ(got.heightScreens, want.height);
    EXPECT_EQ(got.doubleClickHome, want.home);
    EXPECT_EQ(got.startCell, want.cell);
    EXPECT_EQ(got.speed, want.speed);
    EXPECT_EQ(got.keys, want.keys);
}

const Shown kDefaults = {3, 3, true, 4, 1, {16, 17}};

// Command lines that are short, damaged or typed by hand.
struct ParseCase {
    const char* text;
    Shown shown;
};

const ParseCase kParseCases[] = {
    {"", kDefaults},
    {"   ", kDefaults},
    {"2 2 1 4 1 16 17", kDefaults},
    {"4 0 0 8 10 65", {5, 1, false, 8, 10, {65}}},
    // Too few fields: what is there counts, the rest and the chord stay default.
    {"5", {6, 3, true, 4, 1, {16, 17}}},
    {"5 6 0 2", {6, 7, false, 2, 1, {16, 17}}},
    // Exactly five: the chord is empty, not defaulted.
    {"2 2 1 4 1", {3, 3, true, 4, 1, {}}},
    // Malformed fields keep their place and their default.
    {"x 1 0 0 3 18", {3, 2, false, 0, 3, {18}}},
    {"2 2 1 4 fast 16 17", kDefaults},
    {"+2 007 -0 4 1 16", {3, 3, true, 4, 1, {16}}},
    {"99999999999 4294967297 1 4 1", {3, 3, true, 4, 1, {}}},
    {"2 2 1 4 1 ctrl 17", {3, 3, true, 4, 1, {17}}},
    // Blank runs, tabs and an end of line from a hand-typed command.
    {"  1\t1  0 4 2   16 ", {2, 2, false, 4, 2, {16}}},
    {"1 1 0 4 2\r\n", {2, 2, false, 4, 2, {}}},
    // Values the dialog cannot show.
    {"-1 -7 1 4 0", {1, 1, true, 4, 1, {}}},
    {"99 100 1 4 25", {100, 100, true, 4, 10, {}}},
    {"2147483647 -2147483648 1 4 -2147483648", {100, 1, true, 4, 1, {}}},
    {"2 2 7 9 1", {3, 3, true, 4, 1, {}}},
    {"2 2 1 -1 1", {3, 3, true, 4, 1, {}}},
    // Key codes that are no keys, and repeats, are dropped.
    {"2 2 1 4 1 0 16 255 -17 16 17 254", {3, 3, true, 4, 1, {16, 17, 254}}},
};

TEST(ParseConfigTextTest, Table) {
    for (const ParseCase& c : kParseCases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        ExpectShown(ParseConfigText(c.text), c.shown);
    }
}

struct FormatCase {
    ConfigSettings values;
    const char* text;
};

TEST(FormatConfigTextTest, Table) {
    const FormatCase cases[] = {
        {ConfigSettings(), "2 2 1 4 1 16 17"},
        {{1, 1, false, 0, 10, {}}, "0 0 0 0 10"},
        {{100, 7, true, 8, 3, {91, 160, 65}}, "99 6 1 8 3 91 160 65"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatConfigText(c.values), c.text);
        // What we write, we read back unchanged.
        ExpectShown(ParseConfigText(c.text), {c.values.widthScreens, c.values.heightScreens,
                                              c.values.doubleClickHome, c.values.startCell, c.values.speed,
                                              c.values.keys});
    }
}

// The whole trip: the running program's settings go out on the command line,
// the dialog reads them, and its unchanged answer is applied by the program.
class ConfigExchangeTest : public VeskalTest {
protected:
    void SetUp() override {
        VeskalTest::SetUp();
        StartProgram();
    }
    void Answer(const ConfigSettings& values) {
        std::string text = FormatConfigText(values);
        ApplySettingsMessage(text.data(), (uint32_t)text.size());
    }
};

struct TripCase {
    const char* name;
    Settings before;
    Settings after;  // what the program holds once the answer is applied
};

Settings Make(int32_t width, int32_t height, int8_t home, int32_t cell, int32_t speed, Keys keys) {
    Settings s;
    s.widthSteps = width;
    s.heightSteps = height;
    s.doubleClickCenter = home;
    s.startCell = cell;
    s.speed = speed;
    s.activationKeys = keys;
    return s;
}

TEST_F(ConfigExchangeTest, UnchangedAnswerRoundTrip) {
    const TripCase cases[] = {
        {"defaults", Settings(), Settings()},
        {"ordinary", Make(4, 1, 0, 6, 7, {18, 65}), Make(4, 1, 0, 6, 7, {18, 65})},
        {"one screen", Make(0, 0, 1, 0, 10, {91}), Make(0, 0, 1, 0, 10, {91})},
        {"empty chord stays empty", Make(2, 2, 1, 4, 1, {}), Make(2, 2, 1, 4, 1, {})},
        // DCENTER 2 leaves the program as "not exactly 1", so it comes back off.
        {"double click 2", Make(2, 2, 2, 4, 1, {16}), Make(2, 2, 0, 4, 1, {16})},
        {"speed 0 from the file", Make(2, 2, 1, 4, 0, {16}), Make(2, 2, 1, 4, 1, {16})},
        {"speed 25 from the file", Make(2, 2, 1, 4, 25, {16}), Make(2, 2, 1, 4, 10, {16})},
        {"negative sizes", Make(-3, -1, 1, 4, 1, {16}), Make(0, 0, 1, 4, 1, {16})},
        {"huge sizes", Make(500, 99, 1, 4, 1, {16}), Make(99, 99, 1, 4, 1, {16})},
        {"start cell off the grid", Make(2, 2, 1, 12, 1, {16}), Make(2, 2, 1, 4, 1, {16})},
        {"key code 0", Make(2, 2, 1, 4, 1, {0, 17}), Make(2, 2, 1, 4, 1, {17})},
    };
    for (const TripCase& c : cases) {
        SCOPED_TRACE(c.name);
        settings = c.before;
        ConfigSettings shown = ParseConfigText(FormatSettingsText());
        settings = Settings();
        Answer(shown);
        EXPECT_EQ(settings.widthSteps, c.after.widthSteps);
        EXPECT_EQ(settings.heightSteps, c.after.heightSteps);
        EXPECT_EQ(settings.doubleClickCenter, c.after.doubleClickCenter);
        EXPECT_EQ(settings.startCell, c.after.startCell);
        EXPECT_EQ(settings.speed, c.after.speed);
        EXPECT_EQ(settings.activationKeys, c.after.activationKeys);
    }
}

// Edits made in the dialog reach the program as meant, starting from a
// program whose settings differ in every field.
TEST_F(ConfigExchangeTest, EditedValuesApplied) {
    const ConfigSettings edits[] = {
        {1, 1, false, 0, 1, {}},
        {5, 2, true, 8, 10, {16, 17, 65}},
        {100, 100, false, 3, 6, {162}},
    };
    for (const ConfigSettings& e : edits) {
        settings = Make(50, 50, 1, 7, 4, {20, 21});
        Answer(e);
        EXPECT_EQ(settings.widthSteps, e.widthScreens - 1);
        EXPECT_EQ(settings.heightSteps, e.heightScreens - 1);
        EXPECT_EQ(settings.doubleClickCenter, e.doubleClickHome ? 1 : 0);
        EXPECT_EQ(settings.startCell, e.startCell);
        EXPECT_EQ(settings.speed, e.speed);
        EXPECT_EQ(settings.activationKeys, e.keys);
    }
}

// A size change sent from the dialog moves the view to the new start cell.
TEST_F(ConfigExchangeTest, NewPlaneSizeRecallsToStartCell) {
    ConfigSettings values = ParseConfigText(FormatSettingsText());
    values.widthScreens = 5;
    values.startCell = 0;
    Answer(values);
    EXPECT_EQ(pan.offset.x, pan.halfExtent.x);
    EXPECT_EQ(pan.offset.y, pan.halfExtent.y);
    EXPECT_GT(pan.halfExtent.x, 0);
}

}  // namespace
