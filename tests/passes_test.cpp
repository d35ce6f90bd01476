// Which windows the passes move and where, and the map drawn of them.
#include <gtest/gtest.h>

#include <string>

#include "pan/map.h"
#include "pan/passes.h"

namespace {

const Rect32 kScreen = {0, 0, 1024, 768};
const Unpanned kOwn = {1, 2, 3};  // mover, desktop view, map

std::string Text(const Rect32& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

std::string Moves(const std::vector<Move>& moves) {
    std::string text;
    for (const Move& m : moves) text += (text.empty() ? "" : " ") + std::to_string(m.to.x) + "," + std::to_string(m.to.y);
    return text;
}

// Each row a window 5000 pixels right of the screen; whether both passes move it.
TEST(Passes, WhatPans) {
    const struct {
        const char* name;
        WindowInfo window;
        bool pans;
    } kRows[] = {
        {"ordinary window", {9, true, false, "Notepad", {}}, true},
        {"Progman pans like any other", {9, true, false, "Progman", {}}, true},
        {"hidden", {9, false, false, "Notepad", {}}, false},
        {"minimized", {9, true, true, "Notepad", {}}, false},
        {"gone while it was read", {9, true, false, "", {}}, false},
        {"taskbar", {9, true, false, "Shell_TrayWnd", {}}, false},
        {"start menu host", {9, true, false, "DV2ControlHost", {}}, false},
        {"BaseBar", {9, true, false, "BaseBar", {}}, false},
        {"class names match case and all", {9, true, false, "basebar", {}}, true},
        {"the MoverWindow", {1, true, false, "VESKALClass", {}}, false},
        {"the desktop view", {2, true, false, "SysListView32", {}}, false},
        {"the map", {3, true, false, "VESKALMap", {}}, false},
    };
    for (auto row : kRows) {
        row.window.rect = {5000, 100, 5100, 200};
        std::vector<Move> moves;
        std::vector<Rect32> placed;
        PlanShift({10, 20}, {row.window}, kOwn, moves, placed);
        EXPECT_EQ(Moves(moves), row.pans ? "5010,120" : "") << row.name << " (shift)";
        EXPECT_EQ(Moves(PlanRecall({row.window}, kOwn, kScreen)), row.pans ? "960,100" : "") << row.name << " (recall)";
    }
}

TEST(Passes, ShiftPlacesEveryWindowTopFirst) {
    std::vector<WindowInfo> windows = {{7, true, false, "A", {0, 0, 100, 50}}, {8, false, false, "", {}},
                                       {9, true, false, "B", {-2147483647 - 1, 5, 10, 15}}};
    std::vector<Move> moves;
    std::vector<Rect32> placed;
    PlanShift({-30, 40}, windows, kOwn, moves, placed);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(Text(placed[0]) + " " + Text(placed[1]), "-30,40,70,90 2147483618,45,-20,55");
    EXPECT_TRUE(moves[0].id == 7 && moves[1].id == 9);
}

TEST(Passes, RecallEdges) {
    const struct {
        const char* name;
        Rect32 desktop;
        int32_t x, y;
        const char* moved;  // "": stays
    } kRows[] = {
        {"on screen stays", kScreen, 100, 100, ""},
        {"right: 64 past the edge stays", kScreen, 1088, 100, ""},
        {"right: one more comes back", kScreen, 1089, 100, "960,100"},
        {"left: 64 before the edge stays", kScreen, -64, 100, ""},
        {"left: one more comes to 64", kScreen, -65, 100, "64,100"},
        {"left: 64 from the origin, not the desktop", {100, 0, 1124, 768}, 35, 100, "64,100"},
        {"bottom: 64 past stays", kScreen, 100, 832, ""},
        {"bottom: one more comes back", kScreen, 100, 833, "100,704"},
        {"top: above 0 comes to 0", kScreen, 100, -1, "100,0"},
        {"top: a monitor above the main one", {0, -1080, 1024, 768}, 100, -500, ""},
        {"top: above that monitor", {0, -1080, 1024, 768}, 100, -1081, "100,-1080"},
        {"corner: both axes", kScreen, 3000, -3000, "960,0"},
    };
    for (const auto& row : kRows) {
        WindowInfo w = {9, true, false, "Notepad", {row.x, row.y, row.x + 100, row.y + 100}};
        EXPECT_EQ(Moves(PlanRecall({w}, kOwn, row.desktop)), row.moved) << row.name;
    }
}

// Each row: the plane, the view's offset and one window's screen rectangle;
// then the map's place on a 1024 x 768 screen, and view, start cell and
// window in it.
TEST(MapLayout, PlaneViewStartAndWindows) {
    const struct {
        const char* name;
        int32_t widthSteps, heightSteps, startCell;
        Point32 offset;
        Rect32 window;
        const char* expected;  // place | view | start | window
    } kRows[] = {
        {"3x3 at the centre", 2, 2, 4, {0, 0}, {100, 100, 300, 250},
         "846,633,1016,760 | 56,42,113,84 | 56,42,113,84 | 62,47,73,56"},
        {"3x3 at start cell 0", 2, 2, 0, {1024, 768}, {100, 100, 300, 250},
         "846,633,1016,760 | 0,0,56,42 | 0,0,56,42 | 5,5,16,13"},
        {"3x3, start cell 8", 2, 2, 8, {0, 0}, {0, 0, 1024, 768},
         "846,633,1016,760 | 56,42,113,84 | 113,84,170,127 | 56,42,113,84"},
        {"1x1: the view is the plane", 0, 0, 4, {0, 0}, {512, 384, 1536, 1152},
         "846,633,1016,760 | 0,0,170,127 | 0,0,170,127 | 85,63,170,127"},
        {"10x2", 9, 1, 4, {0, 0}, {0, 0, 1024, 768}, "846,735,1016,760 | 76,6,93,18 | 76,6,93,18 | 76,6,93,18"},
        {"off the plane to the right", 2, 2, 4, {0, 0}, {5000, 100, 5200, 250},
         "846,633,1016,760 | 56,42,113,84 | 56,42,113,84 | 168,47,170,56"},
        {"off the plane above and left", 2, 2, 4, {-100, 0}, {-9000, -9000, -8000, -8000},
         "846,633,1016,760 | 62,42,118,84 | 56,42,113,84 | 0,0,2,2"},
        {"start cell 9 places nowhere", 2, 2, 9, {0, 0}, {0, 0, 1, 1},
         "846,633,1016,760 | 56,42,113,84 | 0,0,0,0 | 56,42,58,44"},
        {"a width that wrapped: no map", -2, 2, 4, {0, 0}, {0, 0, 1, 1}, "0,0,0,0 | 0,0,0,0 | 0,0,0,0 | none"},
    };
    for (const auto& row : kRows) {
        MapPicture p;
        LayOutMap({kScreen, kScreen, row.widthSteps, row.heightSteps, row.startCell, row.offset}, {row.window}, p);
        std::string windows = p.windows.empty() ? "none" : Text(p.windows[0]);
        EXPECT_EQ(Text(p.place) + " | " + Text(p.view) + " | " + Text(p.start) + " | " + windows, row.expected)
            << row.name;
    }
}

}  // namespace
