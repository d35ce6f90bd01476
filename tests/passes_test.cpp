// Which windows the passes move and where, and the map drawn of them.
#include <gtest/gtest.h>

#include <string>

#include "pan/map.h"
#include "pan/passes.h"

namespace {

const Rect32 kScreen = {0, 0, 1024, 768};
const Unpanned kOwn = {1, 2, 3, 4};  // mover, desktop view, map, desktop window

std::string Text(Point32 p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
std::string Text(const Rect32& r) { return Text(Point32{r.left, r.top}) + "," + Text(Point32{r.right, r.bottom}); }

std::string Moves(const std::vector<Move>& moves) {
    std::string text;
    for (const Move& m : moves) text += (text.empty() ? "" : " ") + Text(m.to);
    return text;
}

// Each row a window 5000 pixels right of the screen and whether both passes move it; then each row a 100 x 100
// window at (x, y) and where recall moves it ("": stays); then what a shift places.
TEST(Passes, WhatMovesAndWhere) {
    std::vector<Move> moves;
    std::vector<Rect32> placed;
    const struct {
        const char *name, *className; bool pans; WindowId id = 9; bool shown = true, minimized = false, cloaked = false;
    } kPans[] = {
        {"ordinary window", "Notepad", true}, {"Progman pans like any other", "Progman", true},
        {"class names match case and all", "basebar", true}, {"gone while it was read", "", false},
        {"hidden", "Notepad", false, 9, false}, {"minimized", "Notepad", false, 9, true, true},
        {"cloaked", "Windows.UI.Core.CoreWindow", false, 9, true, false, true}, {"the map", "VESKALMap", false, 3},
        {"the MoverWindow", "VESKALClass", false, 1}, {"the desktop view", "SysListView32", false, 2},
        {"taskbar", "Shell_TrayWnd", false}, {"another monitor's taskbar", "Shell_SecondaryTrayWnd", false},
        {"start menu host", "DV2ControlHost", false}, {"BaseBar", "BaseBar", false},
        {"the tray's overflow", "NotifyIconOverflowWindow", false}};
    for (const auto& row : kPans) {
        WindowInfo window = {row.id, row.shown, row.minimized, row.className, {5000, 100, 5100, 200}, row.cloaked};
        PlanShift({10, 20}, {window}, kOwn, moves, placed);
        EXPECT_EQ(Moves(moves), row.pans ? "5010,120" : "") << row.name << " (shift)";
        EXPECT_EQ(Moves(PlanRecall({window}, kOwn, kScreen, {})), row.pans ? "960,100" : "") << row.name << " (recall)";
    }
    for (Point32 at : {Point32{-120, -60}, Point32{5000, 100}})  // the desktop window goes home, from near or far
        EXPECT_EQ(Moves(PlanRecall({{4, true, false, "Progman", {at.x, at.y, at.x + 1024, at.y + 768}}}, kOwn, kScreen,
                                   {-at.x, -at.y})), "0,0") << Text(at);
    const Rect32 kAbove = {0, -1080, 1024, 768};  // a monitor above the main one
    const struct { const char* name; int32_t x, y; const char* moved; Rect32 desktop = kScreen; } kRecalls[] = {
        {"on screen stays", 100, 100, ""}, {"right: 64 past the edge stays", 1088, 100, ""},
        {"right: one more comes back", 1089, 100, "960,100"}, {"left: 64 before the edge stays", -64, 100, ""},
        {"left: one more comes to 64", -65, 100, "64,100"}, {"bottom: 64 past stays", 100, 832, ""},
        {"left: 64 from the origin, not the desktop", 35, 100, "64,100", {100, 0, 1124, 768}},
        {"bottom: one more comes back", 100, 833, "100,704"}, {"top: above 0 comes to 0", 100, -1, "100,0"},
        {"top: a monitor above the main one", 100, -500, "", kAbove},
        {"top: above that monitor", 100, -1081, "100,-1080", kAbove}, {"corner: both axes", 3000, -3000, "960,0"}};
    for (const auto& row : kRecalls) {
        WindowInfo w = {9, true, false, "Notepad", {row.x, row.y, row.x + 100, row.y + 100}};
        EXPECT_EQ(Moves(PlanRecall({w}, kOwn, row.desktop, {0, 0})), row.moved) << row.name;
    }
    PlanShift({-30, 40}, {{7, true, false, "A", {0, 0, 100, 50}}, {8, false, false, "", {}},
                          {9, true, false, "B", {-2147483647 - 1, 5, 10, 15}}}, kOwn, moves, placed);
    ASSERT_EQ(placed.size(), 2u) << "every window that pans, top first";
    EXPECT_EQ(Text(placed[0]) + " " + Text(placed[1]), "-30,40,70,90 2147483618,45,-20,55");
    EXPECT_EQ(std::to_string(moves[0].id) + " " + std::to_string(moves[1].id), "7 9");
}

// Each row: the plane, the view's offset and one window's screen rectangle; then the view, start cell and window in
// the map, and the map's place on a 1024 x 768 screen.
TEST(MapLayout, PlaneViewStartAndWindows) {
    const struct {
        const char* name; int32_t width, height, cell; Point32 offset; Rect32 window;
        const char *seen, *place = "846,633,1016,760";  // where the map of a 4:3 plane goes
    } kRows[] = {
        {"3x3 at the centre", 2, 2, 4, {0, 0}, {100, 100, 300, 250}, "56,42,113,84 | 56,42,113,84 | 62,47,73,56"},
        {"3x3 at start cell 0", 2, 2, 0, {1024, 768}, {100, 100, 300, 250}, "0,0,56,42 | 0,0,56,42 | 5,5,16,13"},
        {"3x3, start cell 8", 2, 2, 8, {0, 0}, {0, 0, 1024, 768}, "56,42,113,84 | 113,84,170,127 | 56,42,113,84"},
        {"1x1: all view", 0, 0, 4, {0, 0}, {512, 384, 1536, 1152}, "0,0,170,127 | 0,0,170,127 | 85,63,170,127"},
        {"10x2", 9, 1, 4, {0, 0}, {0, 0, 1024, 768}, "76,6,93,18 | 76,6,93,18 | 76,6,93,18", "846,735,1016,760"},
        {"off to the right", 2, 2, 4, {0, 0}, {5000, 100, 5200, 250}, "56,42,113,84 | 56,42,113,84 | 168,47,170,56"},
        {"off, above left", 2, 2, 4, {-100, 0}, {-9000, -9000, -8000, -8000}, "62,42,118,84 | 56,42,113,84 | 0,0,2,2"},
        {"start cell 9 places nowhere", 2, 2, 9, {0, 0}, {0, 0, 1, 1}, "56,42,113,84 | 0,0,0,0 | 56,42,58,44"},
        {"a width that wrapped: no map", -2, 2, 4, {0, 0}, {0, 0, 1, 1}, "0,0,0,0 | 0,0,0,0 | none", "0,0,0,0"}};
    for (const auto& row : kRows) {
        MapPicture p;
        LayOutMap({kScreen, kScreen, row.width, row.height, row.cell, row.offset}, {row.window, kScreen}, p);
        std::string windows = p.windows.empty() ? "none" : Text(p.windows[1]);
        EXPECT_EQ(Text(p.view) + " | " + Text(p.start) + " | " + windows + " in " + Text(p.place),
                  std::string(row.seen) + " in " + row.place) << row.name;
        EXPECT_TRUE(p.windows.empty() || p.windows[0] == p.view) << row.name << ": the bottom window first";
    }
}

// One run, a tick per row: whether the map is wanted, the passes so far, what the map window does.
TEST(MapLayout, ShownAndDrawn) {
    const struct { const char* name; bool wanted; uint32_t passes; MapStep step; } kTicks[] = {
        {"idle", 0, 0, MapStep::none}, {"pan mode: listed and drawn", 1, 0, MapStep::show},
        {"no pass since", 1, 0, MapStep::none}, {"a pass", 1, 1, MapStep::redraw}, {"two more", 1, 3, MapStep::redraw},
        {"none since", 1, 3, MapStep::none}, {"chord let go", 0, 3, MapStep::hide}, {"still idle", 0, 4, MapStep::none},
        {"pan mode again", 1, 4, MapStep::show}};
    MapState map = {};
    for (const auto& tick : kTicks) EXPECT_EQ((int)StepMap(map, tick.wanted, tick.passes), (int)tick.step) << tick.name;
}

}  // namespace
