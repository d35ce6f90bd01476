// The plane's bounds and the start cells.
#include "tests/fixture.h"

#include "pan/walker.h"

TEST_F(VeskalTest, HalfExtentFollowsRightAndBottomTimesSteps) {
    struct Case {
        RECT desktop;
        int32_t widthSteps, heightSteps;
        Point32 expected;
    } cases[] = {
        {{0, 0, 1280, 1024}, 2, 2, {1280, 1024}},
        {{0, 0, 1024, 768}, 1, 1, {512, 384}},
        {{0, 0, 801, 601}, 1, 1, {400, 300}},       // odd products round down
        {{0, 0, 1024, 768}, 0, 0, {0, 0}},          // a 1 by 1 plane
        {{0, 0, 1024, 768}, -1, 2, {-512, 768}},    // WIDTH=0 in the file
        {{0, 0, 801, 768}, -1, 2, {-401, 768}},     // the shift floors
        {{100, 0, 1124, 768}, 2, 2, {1124, 768}},   // right, not width
        {{0, 0, 1024, 768}, 0x7FFFFFFF, 2, {(int32_t)((1024u * 0x7FFFFFFFu)) >> 1, 768}},
    };
    for (const auto& c : cases) {
        program.desktopRect = c.desktop;
        settings.widthSteps = c.widthSteps;
        settings.heightSteps = c.heightSteps;
        UpdateHalfExtent();
        EXPECT_EQ(pan.halfExtent.x, c.expected.x) << c.widthSteps;
        EXPECT_EQ(pan.halfExtent.y, c.expected.y) << c.heightSteps;
    }
}

TEST_F(VeskalTest, StartCellsPlaceTheOffsetWithoutMovingWindows) {
    struct Case {
        int32_t cell;
        Point32 expected;
    } cases[] = {
        {0, {1024, 768}},  {1, {0, 768}},  {2, {-1024, 768}},  {3, {1024, 0}},    {4, {0, 0}},
        {5, {-1024, 0}},   {6, {1024, -768}}, {7, {0, -768}}, {8, {-1024, -768}},
        {9, {55, 66}},     {-1, {55, 66}}, {0x7FFFFFFF, {55, 66}},  // no cell: offset kept
    };
    StartProgram();
    HWND w = sim::AddWindow({});
    for (const auto& c : cases) {
        pan.halfExtent = {1024, 768};
        pan.offset = {55, 66};
        settings.startCell = c.cell;
        PlaceAtStartCell();
        EXPECT_EQ(pan.offset.x, c.expected.x) << "cell " << c.cell;
        EXPECT_EQ(pan.offset.y, c.expected.y) << "cell " << c.cell;
    }
    EXPECT_EQ(sim::WindowRect(w).left, 0);
}

TEST_F(VeskalTest, MoveToStartShiftsWindowsByTheWayBack) {
    StartProgram();
    HWND w = sim::AddWindow({"TestWindow", "", {500, 500, 600, 600}});
    struct Case {
        int32_t cell;
        Point32 offset;
        Point32 moved;
    } cases[] = {
        {4, {300, -200}, {-300, 200}},
        {8, {0, 0}, {-1024, -768}},
        {9, {300, -200}, {0, 0}},  // no cell: a zero step, the pass still runs
    };
    for (const auto& c : cases) {
        SetWindowPos(w, nullptr, 500, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        settings.startCell = c.cell;
        pan.offset = c.offset;
        sim::ClearCalls();
        MoveToStart();
        EXPECT_EQ(sim::WindowRect(w).left, 500 + c.moved.x) << "cell " << c.cell;
        EXPECT_EQ(sim::WindowRect(w).top, 500 + c.moved.y) << "cell " << c.cell;
        EXPECT_EQ(sim::CallsStartingWith("EnumWindows").size(), 1u);
    }
}

TEST_F(VeskalTest, RecallPlacesTheOffsetAtTheStartCellFirst) {
    StartProgram();
    settings.startCell = 2;
    pan.offset = {10, 10};
    RecallWindows();
    EXPECT_EQ(pan.offset.x, -1024);
    EXPECT_EQ(pan.offset.y, 768);
}
