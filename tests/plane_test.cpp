// The plane's arithmetic: bounds, start cells and the bounded step.
#include <gtest/gtest.h>

#include <climits>

#include "pan/plane.h"

namespace {

std::string Str(Point32 p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

}  // namespace

TEST(PlaneTest, HalfExtent) {
    struct Case {
        const char* name;
        Rect32 desktop;
        int32_t widthSteps, heightSteps;
        const char* expected;
    } cases[] = {
        {"3x3 plane", {0, 0, 1024, 768}, 2, 2, "1024,768"},
        {"right and bottom, not width", {100, 50, 1024, 768}, 2, 2, "1024,768"},
        {"one screen", {0, 0, 1024, 768}, 0, 0, "0,0"},
        {"axes apart", {0, 0, 1024, 768}, 4, 1, "2048,384"},
        {"odd halves floor", {0, 0, 1023, 767}, 1, 1, "511,383"},
        {"negative floors down", {0, 0, 1023, 767}, -1, -1, "-512,-384"},
        {"wraps at 32 bits", {0, 0, INT_MAX, 768}, 4, 2, "-2,768"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Str(HalfExtent(c.desktop, c.widthSteps, c.heightSteps)), c.expected) << c.name;
}

TEST(PlaneTest, StartCellOffset) {
    const Point32 half = {1024, 768}, current = {7, -7};
    const char* expected[] = {"1024,768", "0,768", "-1024,768", "1024,0", "0,0",
                              "-1024,0",  "1024,-768", "0,-768", "-1024,-768"};
    for (int32_t cell = 0; cell < 9; ++cell)
        EXPECT_EQ(Str(StartCellOffset(cell, half, current)), expected[cell]) << "cell " << cell;
    for (int32_t cell : {-1, 9, INT_MIN})
        EXPECT_EQ(Str(StartCellOffset(cell, half, current)), "7,-7") << "no cell " << cell;
}

TEST(PlaneTest, BoundedStep) {
    struct Case {
        const char* name;
        Point32 offset, step;
        const char* expected;
    } cases[] = {
        {"inside", {0, 0}, {100, -50}, "100,-50"},
        {"onto the right edge", {900, 0}, {124, 0}, "124,0"},
        {"past the right edge drops x", {990, 0}, {40, 10}, "0,10"},
        {"past the left edge", {-1000, 0}, {-25, 0}, "0,0"},
        {"past the bottom drops y", {0, 760}, {5, 9}, "5,0"},
        {"past the top", {0, -760}, {0, -9}, "0,0"},
        {"onto the top edge", {0, -760}, {0, -8}, "0,-8"},
        {"both dropped", {1024, 768}, {1, 1}, "0,0"},
        {"wrapping sum is off the plane", {1000, 0}, {INT_MAX, 0}, "0,0"},
    };
    for (const Case& c : cases) EXPECT_EQ(Str(BoundedStep(c.offset, c.step, {1024, 768})), c.expected) << c.name;
}
