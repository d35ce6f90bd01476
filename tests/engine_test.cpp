// The pan core: the engine tick by tick (pan mode, drags, the double click), the plane, the main loop's wait, and
// the passes over the windows with the map drawn of them.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "base/keys.h"
#include "pan/engine.h"
#include "pan/follow.h"
#include "pan/map.h"
#include "pan/maximized.h"
#include "pan/passes.h"
#include "pan/plane.h"
#include "pan/recall.h"
#include "pan/wait.h"

namespace {

const int S = 16, C = 17, L = kLeftButton;
const uint32_t T = 5000000;             // a clock long past boot
const Point32 kNowhere = {INT_MIN, 0};  // the cursor unknown
const Rect32 kDesk = {0, 0, 1024, 768};
const Unpanned kOwn = {1, 2, 3, 5};  // mover, desktop view, map, capture surface
const std::vector<Monitor> kOne = {{kDesk, kDesk}};

std::string Text(Point32 p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
std::string Text(const Rect32& r) { return Text(Point32{r.left, r.top}) + "," + Text(Point32{r.right, r.bottom}); }

std::string Moves(const std::vector<Move>& moves) {
    std::string text;
    for (const Move& m : moves) text += (text.empty() ? "" : " ") + Text(m.to);
    return text;
}

struct Tick {
    std::vector<int> down; Point32 cursor; uint32_t now = T; bool swapped = false; int32_t front = 0; Rect32 map = {};
};
Tick Keys(std::vector<int> down, Point32 at = {}, uint32_t now = T) { return {down, at, now}; }
Tick Swapped(std::vector<int> down, Point32 at = {}) { return {down, at, T, true}; }  // a left-handed mouse
Tick Over(int32_t front, std::vector<int> down) { return {down, {}, T, false, front}; }  // the notification state read
Tick Map(std::vector<int> down, Point32 at) { return {down, at, T, false, 0, {846, 633, 1016, 760}}; }  // the map shows
Tick Chord(Point32 at = {}, uint32_t now = T) { return {{S, C}, at, now}; }     // the chord held
Tick Drag(Point32 at = {}, uint32_t now = T) { return {{S, C, L}, at, now}; }  // the chord and the button
std::vector<Tick> TwoClicks(uint32_t a, uint32_t b) { return {Drag({}, a), Chord({}, a), Drag({}, b), Chord({}, b)}; }

// Each row is what the user does; the outcome is what the user sees of each tick (E: the move cursor, P: the
// MoverWindow parked, L: cursors restored and the window gone, S: the windows moved) and where the view ends up.
TEST(Engine, Ticks) {
    const struct {
        const char* name; std::vector<Tick> ticks; const char* seen; std::vector<int32_t> chord = {S, C};
        Point32 offset = {}; int32_t speed = 1; int8_t doubleClick = 1; bool enabled = true;
    } kRows[] = {
        {"chord, press, drag, release", {Chord({500, 400}), Drag({500, 400}), Drag({520, 410}),
         Chord({520, 410}, T + 400), Keys({}, {520, 410}, T + 500)}, "EPk|Pk|PkS20,10|Pk|L", {S, C}, {20, 10}},
        {"Shift alone", {Keys({S}), Keys({S, L}, {20, 10})}, "k|k"}, {"two of three keys", {Chord()}, "k", {S, C, 18}},
        {"a chord of the right button: it pins nothing", {Keys({2}), Keys({})}, "EPk|L", {2}},
        {"the right button pins where it is let go", {Chord(), Keys({S, C, 2}, {50, 60}), Keys({S, C}, {55, 60})},
         "EPk|Pk|PkN55,60"},
        {"a click on the map picks a cell: no drag, no double click", {Map({S, C, L}, {900, 700}),
         Map({S, C, L}, {910, 705}), Map({S, C}, {910, 705}), Map({S, C, L}, {910, 705}), Map({S, C}, {910, 705})},
         "EPk|Pk|PkM910,705|Pk|PkM910,705"},
        {"let go off the map: no cell", {Map({S, C, L}, {900, 700}), Map({S, C}, {500, 400})}, "EPk|Pk"},
        {"a drag begun off the map goes on over it", {Map({S, C, L}, {800, 600}), Map({S, C, L}, {900, 700})},
         "EPk|PkS100,100", {S, C}, {100, 100}}, {"a key listed twice", {Keys({S})}, "EPk", {S, S}},
        {"256 + Shift is no Shift", {Chord()}, "k", {C, 256 + S}}, {"empty chord", {Chord()}, "", {}},
        {"key code 0 never reads as down", {Keys({S, 0})}, "k", {S, 0}},
        {"panning off", {Chord(), Drag({20, 10})}, "k|k", {S, C}, {}, 1, 1, false},
        {"button down first: drags from entry", {Keys({L}), Drag(), Drag({10, 0})}, "|EPk|PkS10,0", {S, C}, {10, 0}},
        {"secure desktop: no park, no anchor, no step", {Chord(kNowhere), Drag(kNowhere), Drag({510, 400})}, "Ek|k|Pk"},
        {"chord let go mid-drag ends the drag", {Drag(), Keys({L}, {10, 0}), Drag({30, 0})}, "EPk|L|EPk"},
        {"speed 2, bounded: x would leave the plane", {Drag(), Drag({600, 5})}, "EPk|PkS0,10", {S, C}, {0, 10}, 2},
        {"speed 0 freezes", {Drag(), Drag({50, 50})}, "EPk|Pk", {S, C}, {}, 0},
        {"INT_MAX times 2 wraps to -2", {Drag(), Drag({2, -2})}, "EPk|PkS-2,2", {S, C}, {-2, 2}, INT_MAX},
        {"past the left and top edges: both dropped", {Drag(), Drag({-1025, -769})}, "EPk|PkS0,0"},
        {"landing on the edge is allowed", {Drag(), Drag({1024, -768})}, "EPk|PkS1024,-768", {S, C}, {1024, -768}},
        {"double click within 300 ms goes home", {Drag(), Drag({30, 20}), Chord({30, 20}), Drag({30, 20}, T + 100),
         Chord({30, 20}, T + 299)}, "EPk|PkS30,20|Pk|Pk|PkS-30,-20"},
        {"300 ms apart is no double click", TwoClicks(T, T + 300), "EPk|Pk|Pk|Pk"},
        {"the clock wraps past the deadline", TwoClicks(UINT32_MAX - 100, UINT32_MAX - 50), "EPk|Pk|Pk|PkS0,0"},
        {"DCENTER 2 is on as well", TwoClicks(T, T + 1), "EPk|Pk|Pk|PkS0,0", {S, C}, {}, 1, 2},
        {"DCENTER 0: no double click", TwoClicks(T, T + 1), "EPk|Pk|Pk|Pk", {S, C}, {}, 1, 0},
        {"buttons swapped: the right one drags, the left pins", {Swapped({S, C, L}), Swapped({S, C, L}, {9, 9}),
         Swapped({S, C, 2}, {9, 9}), Swapped({S, C, 2}, {19, 9})}, "EPk|Pk|PkN9,9|PkS10,0", {S, C}, {10, 0}},
        {"a chord begun over a full-screen program: none until every key is up", {Over(2, {S}), Chord(),
         Keys({C}), Keys({}), Over(5, {S}), Chord()}, "k|k|k||k|EPk"},
        {"the state of the front is read when a key first goes down", {Keys({S}), Over(3, {S, C})}, "k|EPk"}};
    for (const auto& row : kRows) {
        Settings settings;
        settings.speed = row.speed, settings.doubleClickCenter = row.doubleClick;
        PanState state = {};
        state.halfExtent = {1024, 768};
        std::string seen;
        for (const Tick& t : row.ticks) {
            PollInput in = {{}, t.cursor.x != INT_MIN, t.cursor, t.now, t.swapped, t.front, t.map};
            for (int code : t.down) in.down.set((size_t)code);
            PanActions a = PollTick(state, settings, MakeChord(row.chord), row.enabled, in);
            seen += std::string(&t == &row.ticks[0] ? "" : "|") + (a.enterPanMode ? "E" : "") + (a.park ? "P" : "") +
                    (a.leavePanMode ? "L" : "") + (a.keysDown ? "k" : "") + (a.shift ? "S" + Text(a.step) : "") +
                    (a.mapClick ? "M" + Text(a.at) : "") + (a.pin ? "N" + Text(a.at) : "");
        }
        EXPECT_EQ(seen, row.seen) << row.name;
        EXPECT_EQ(Text(state.offset), Text(row.offset)) << row.name << ": offset";
    }
    std::string barred;  // unknown, not present, busy, Direct3D, presentation, accepts, quiet time, app, unknown
    for (int32_t state = 0; state <= 8; ++state) barred += FullScreenInFront(state) ? '1' : '0';
    EXPECT_EQ(barred, "011110000") << "the notification states 0..8 that bar pan mode";
}

// The plane measured at start-up and the view placed at the start cell, from (7,-7); "half extent | offset".
TEST(Engine, PlaneAndStartCells) {
    const struct { const char* name; int32_t width, height, cell; const char* seen; Rect32 desk = kDesk; } kRows[] = {
        {"3x3 at the centre", 2, 2, 4, "1024,768 | 0,0"}, {"top middle", 2, 2, 1, "1024,768 | 0,768"},
        {"right and bottom, not width", 2, 2, 0, "1024,768 | 1024,768", {100, 50, 1024, 768}},
        {"axes apart, top right", 4, 1, 2, "2048,384 | -2048,384"}, {"one screen", 0, 0, 8, "0,0 | 0,0"},
        {"odd halves floor, bottom left", 1, 1, 6, "511,383 | 511,-383", {0, 0, 1023, 767}},
        {"negative floors down", -1, -1, 8, "-512,-384 | 512,384", {0, 0, 1023, 767}},
        {"wraps at 32 bits, left", 4, 2, 3, "-2,768 | -2,0", {0, 0, INT_MAX, 768}},
        {"cell 9 places nowhere", 2, 2, 9, "1024,768 | 7,-7"}, {"nor does cell -1", 2, 2, -1, "1024,768 | 7,-7"}};
    for (const auto& row : kRows) {
        PanState pan = {};
        pan.offset = {7, -7};
        Settings next;
        next.widthSteps = row.width, next.heightSteps = row.height, next.startCell = row.cell;
        EXPECT_FALSE(TakeSettings(pan, Settings(), next, row.desk, true)) << row.name << ": no recall at start-up";
        EXPECT_EQ(Text(pan.halfExtent) + " | " + Text(pan.offset), row.seen) << row.name;
        pan.offset = {pan.offset.x + 30, pan.offset.y - 20};  // from the start cell; a cell placing nowhere is home
        std::string fromHome = Text(FromHome(pan, row.cell)), wayHome = Text(MoveHome(pan, row.cell));
        EXPECT_EQ(fromHome + " " + wayHome, row.cell >= 0 && row.cell <= 8 ? "30,-20 -30,20" : "0,0 0,0")
            << row.name << ": from home, then the way home";
    }
}

// A 3x3 plane on 1920x1080 (half extent 1920,1080), the view at an offset, then the screen changed: the step
// the windows take, the offset kept, and the way home from the start cell.
TEST(Engine, DisplayChanges) {
    const struct { const char* name; Point32 offset; Rect32 desktop; int32_t cell; const char* seen; } kRows[] = {
        {"smaller, at the right and bottom bound", {1920, 1080}, {0, 0, 1280, 720}, 4, "-640,-360 | 1280,720 | -1280,-720"},
        {"smaller, at the left and top bound", {-1920, -1080}, {0, 0, 1280, 720}, 0, "640,360 | -1280,-720 | 2560,1440"},
        {"smaller, still on the new plane", {-1000, 700}, {0, 0, 1280, 720}, 8, "0,0 | -1000,700 | -280,-1420"},
        {"smaller, one axis beyond", {1500, -10}, {0, 0, 1280, 720}, 4, "-220,0 | 1280,-10 | -1280,10"},
        {"larger keeps the view", {1920, -1080}, {0, 0, 2560, 1440}, 0, "0,0 | 1920,-1080 | 640,2520"},
        {"no room on a plane of negative size", {500, 0}, {0, 0, -10, 720}, 4, "0,0 | 500,0 | -500,0"}};
    for (const auto& row : kRows) {
        PanState pan = {};
        pan.offset = row.offset, pan.halfExtent = {1920, 1080};
        Point32 step = TakeDisplay(pan, Settings(), row.desktop), offset = pan.offset;
        EXPECT_EQ(Text(step) + " | " + Text(offset) + " | " + Text(MoveHome(pan, row.cell)), row.seen) << row.name;
    }
}

TEST(Engine, LoopWait) {
    // keyboardWakes, buttonChord, panMode, keyInput, keysDown, blind, sinceKeyInput, ...
    const struct { const char* name; LoopClock clock; uint32_t ms; bool messagesWake; } kRows[] = {
        {"idle: the safety tick", {1, 0, 0, 0, 0, 0, 5000}, 1000, 1},
        // ... then pointerInput, sinceLook, sinceMovedLook
        {"pan mode: the tick", {1, 0, 1, 1, 1, 0, 0, 0, 0}, 10, 1}, {"pan mode, 3 ms on", {0, 0, 1, 0, 1, 0, 0, 0, 3}, 7, 1},
        {"pan mode, 12 ms on", {1, 0, 1, 0, 1, 0, 0, 0, 12}, 0, 1}, {"moved 7 ms on", {1, 0, 1, 0, 1, 0, 0, 1, 1, 7}, 0, 0},
        {"moved 1 ms after a pass, a tick between", {1, 0, 1, 0, 1, 0, 0, 1, 0, 1}, 6, 0},
        {"a key came in: look now", {1, 0, 0, 1, 0, 0, 0}, 0, 0}, {"no raw input", {0, 0, 0, 0, 0, 0, 5000}, 10, 0},
        {"a chord key held, announced", {1, 0, 0, 0, 1, 0, 5000}, 1000, 1}, {"raw input blind", {1, 0, 0, 0, 1, 1, 5000}, 10, 1},
        {"99 ms after a key", {1, 0, 0, 0, 0, 0, 99}, 10, 1}, {"100 ms after a key", {1, 0, 0, 0, 0, 0, 100}, 1000, 1},
        {"a mouse button in the chord", {1, 1, 0, 0, 0, 0, 5000}, 10, 1},
        // ... then elevatedInFront: its keys are seen neither way
        {"an elevated program in front", {0, 1, 0, 1, 1, 1, 20, 0, 0, 0, 1}, 1000, 1},
        {"an elevated program in front in pan mode", {1, 0, 1, 0, 1, 0, 0, 0, 3, 0, 1}, 7, 1}};
    for (const auto& row : kRows) {
        LoopWait wait = NextWait(row.clock);
        EXPECT_TRUE(wait.ms == row.ms && wait.messagesWake == row.messagesWake)
            << row.name << ": " << wait.ms << " ms, messages wake " << wait.messagesWake;
    }
    const struct { const char* name; bool keyInput, keysBefore, blind, keysNow, elevated, blindAfter; } kBlind[] = {
        {"a chord key went down unannounced", 0, 0, 0, 1, 0, 1}, {"announced by a WM_INPUT", 1, 0, 0, 1, 0, 0},
        {"held since an announced press", 0, 1, 0, 1, 0, 0}, {"blind while a key stays down", 0, 1, 1, 1, 0, 1},
        {"seeing every chord key up ends it", 0, 1, 1, 0, 0, 0}, {"a WM_INPUT ends the blind spell", 1, 0, 1, 1, 0, 0},
        {"an elevated program in front", 0, 0, 1, 1, 1, 0}};
    for (const auto& row : kBlind)
        EXPECT_EQ(BlindAfterLook({1, 0, 0, row.keyInput, row.keysBefore, row.blind, 0}, row.keysNow, row.elevated),
                  row.blindAfter) << row.name;
    const struct { std::vector<int32_t> keys; bool button; } kButtons[] = {
        {{16, 17}, false}, {{2}, true}, {{16, 6}, true}, {{7, 300}, false}};
    for (const auto& row : kButtons) EXPECT_EQ(MakeChord(row.keys).button, row.button) << testing::PrintToString(row.keys);
}

// Each row a window 5000 pixels right of the screen and whether both passes move it; then the desktop's windows;
// then each row a 100 x 100 window at (x, y) and where recall moves it ("": stays); then what a shift places.
TEST(Passes, WhatMovesAndWhere) {
    std::vector<Move> moves;
    std::vector<Rect32> placed;
    const struct {
        const char *name, *className; bool pans; WindowId id = 9; bool shown = true, minimized = false, cloaked = false,
        elsewhere = false, pinned = false;
    } kPans[] = {
        {"pinned to the screen", "Notepad", false, 9, true, false, false, false, true},
        {"ordinary window", "Notepad", true}, {"Progman pans like any other", "Progman", true},
        {"class names match case and all", "basebar", true}, {"gone while it was read", "", false},
        {"hidden", "Notepad", false, 9, false}, {"minimized", "Notepad", false, 9, true, true},
        {"a hidden shell surface", "Windows.UI.Core.CoreWindow", false, 9, true, false, true},
        {"on another virtual desktop", "Notepad", true, 9, true, false, true, true}, {"the map", "VESKALMap", false, 3},
        {"the MoverWindow", "VESKALClass", false, 1}, {"the desktop view", "SysListView32", false, 2},
        {"the capture surface", "VESKALPan", false, 5},
        {"taskbar", "Shell_TrayWnd", false}, {"another monitor's taskbar", "Shell_SecondaryTrayWnd", false},
        {"start menu host", "DV2ControlHost", false}, {"BaseBar", "BaseBar", false},
        {"the tray's overflow", "NotifyIconOverflowWindow", false}};
    for (const auto& row : kPans) {
        WindowInfo window = {row.id, row.shown, row.minimized, row.className, {5000, 100, 5100, 200}, row.cloaked,
                             row.elsewhere};
        window.pinned = row.pinned;
        PlanShift({10, 20}, {window}, kOwn, moves, placed);
        EXPECT_EQ(Moves(moves), row.pans ? "5010,120" : "") << row.name << " (shift)";
        EXPECT_EQ(Moves(PlanRecall({window}, kOwn, kOne)), row.pans ? "960,100" : "") << row.name << " (recall)";
    }
    // The shell's desktop in two windows (icons, wallpaper), one near home, one far: the recall takes both home,
    // and placing them moves the one elsewhere.
    std::vector<WindowInfo> desktop = {{6, true, false, "Progman", {-120, -60, 904, 708}, false, false, true},
                                       {7, true, false, "WorkerW", {5000, 100, 6024, 868}, false, false, true}};
    EXPECT_EQ(Moves(PlanRecall(desktop, kOwn, kOne)) + " | " + Moves(PlaceDesktop(desktop, {-120, -60})),
              "0,0 0,0 | -120,-60");
    const std::vector<Monitor> kAbove = {{kDesk, kDesk}, {{0, -1080, 1024, 0}, {0, -1080, 1024, 0}}};
    const std::vector<Monitor> kBottomBar = {{kDesk, {0, 0, 1024, 720}}}, kRightBar = {{kDesk, {0, 0, 976, 768}}};
    const std::vector<Monitor> kUnequal = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},  // a gap below the right one
                                           {{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}}};
    const std::vector<Monitor> kLeft = {{kDesk, kDesk}, {{-1280, 0, 0, 1024}, {-1280, 0, 0, 984}}};
    const struct { const char* name; int32_t x, y; const char* moved; std::vector<Monitor> monitors = kOne; } kRecalls[] = {
        {"on screen stays", 100, 100, ""}, {"right: 64 past the edge stays", 1088, 100, ""},
        {"right: one more comes back", 1089, 100, "960,100"}, {"left: 64 before the edge stays", -64, 100, ""},
        {"left: one more comes to 64", -65, 100, "64,100"}, {"bottom: 64 past stays", 100, 832, ""},
        {"left: 64 inside the monitor's left edge", 35, 100, "164,100", {{{100, 0, 1124, 768}, {100, 0, 1124, 768}}}},
        {"bottom: one more comes back", 100, 833, "100,704"}, {"top: above 0 comes to 0", 100, -1, "100,0"},
        {"top: a monitor above the main one", 100, -500, "", kAbove},
        {"top: above that monitor", 100, -1081, "100,-1080", kAbove}, {"corner: both axes", 3000, -3000, "960,0"},
        {"a bottom taskbar: above it", 100, 900, "100,656", kBottomBar},
        {"behind that taskbar, within the margin: stays", 100, 740, "", kBottomBar},
        {"a right taskbar: left of it", 2000, 100, "912,100", kRightBar},
        {"in the gap below the smaller monitor", 2000, 1050, "2000,960", kUnequal},
        {"far below: the nearest monitor's bottom", 2500, 2000, "2500,960", kUnequal},
        {"beyond a monitor left of the main one", -2000, 100, "-1216,100", kLeft},
        {"recalled down into the margin: 64 show", 1088, 900, "960,704"},
        {"below a monitor taller than wide", 100, 2000, "100,960", {{{0, 0, 768, 1024}, {0, 0, 768, 1024}}}}};
    for (const auto& row : kRecalls) {
        WindowInfo w = {9, true, false, "Notepad", {row.x, row.y, row.x + 100, row.y + 100}};
        EXPECT_EQ(Moves(PlanRecall({w}, kOwn, row.monitors)), row.moved) << row.name;
    }
    PlanShift({-30, 40}, {{7, true, false, "A", {0, 0, 100, 50}}, {8, false, false, "", {}},
                          {9, true, false, "B", {-2147483647 - 1, 5, 10, 15}}}, kOwn, moves, placed);
    ASSERT_EQ(placed.size(), 2u) << "every window that pans, top first";
    EXPECT_EQ(Text(placed[0]) + " " + Text(placed[1]), "-30,40,70,90 2147483618,45,-20,55");
    EXPECT_EQ(std::to_string(moves[0].id) + " " + std::to_string(moves[1].id), "7 9");
}

// The view follows the focus on a 1024 x 768 screen, a 3x3 plane: the window that came to the front, the view's
// offset, the step every window takes.
TEST(Follow, StepToTheWindowInFront) {
    const struct { const char* name; Rect32 window; Point32 offset, step; } kRows[] = {
        {"off to the left: its left edge at the screen's", {-700, 100, -400, 300}, {0, 0}, {700, 0}},
        {"off to the right", {1100, 100, 1400, 300}, {0, 0}, {-376, 0}},
        {"below", {100, 800, 300, 1000}, {0, 0}, {0, -232}},
        {"above and to the left", {-500, -400, -300, -200}, {0, 0}, {500, 400}},
        {"touching the left edge from outside", {-300, 100, 0, 300}, {0, 0}, {300, 0}},
        {"wider and taller than the screen: its top left", {1100, -1000, 2300, -100}, {1000, -500}, {-1100, 1000}},
        {"at the plane's edge: as far as it goes", {-700, 100, -400, 300}, {1000, 0}, {24, 0}},
        {"already partly on the screen", {-100, 100, 200, 300}, {0, 0}, {0, 0}}};
    for (const auto& row : kRows)
        EXPECT_EQ(Text(FollowStep(row.window, kDesk, row.offset, {1024, 768})), Text(row.step)) << row.name;
    // Whether it follows at all: the user's choice of an ordinary window, with the chord let go.
    const struct { const char* name; FrontChange change; WindowId id; const char* className; bool desktop, follows; }
        kWho[] = {{"an ordinary window, chosen", {true, false, false}, 9, "Notepad", false, true},
                  {"the chord held", {true, true, false}, 9, "Notepad", false, false},
                  {"the one before closed or was minimized", {true, false, true}, 9, "Notepad", false, false},
                  {"the desktop, which pans", {true, false, false}, 9, "Progman", true, false}};
    for (const auto& row : kWho) {
        WindowInfo w = {row.id, true, false, row.className, {-700, 0, -400, 300}};
        w.desktop = row.desktop;
        EXPECT_EQ(FollowsFront(row.change, w, kOwn), row.follows) << row.name;
    }
}

// At the end, minimized and maximized windows whose restore rectangle lies off every monitor get one of its size in
// the nearest monitor's work area ("": kept).
TEST(Passes, RestoreRectangles) {
    const std::vector<Monitor> kBar = {{kDesk, {0, 0, 1024, 720}}, {{-1280, 0, 0, 1024}, {-1280, 0, 0, 984}}};
    const struct { const char* name; bool minimized, maximized; Rect32 restore; const char* to; } kRows[] = {
        {"minimized, off to the right", true, false, {3000, 100, 3400, 400}, "624,100,1024,400"},
        {"minimized, below: above the taskbar", true, false, {400, 900, 800, 1200}, "400,420,800,720"},
        {"maximized, beyond the left monitor", false, true, {-2000, 100, -1600, 400}, "-1280,100,-880,400"},
        {"partly on a monitor", true, false, {900, 100, 1300, 400}, ""},
        {"restored: moved as any window, not here", false, false, {3000, 100, 3400, 400}, ""},
        {"larger than the work area: its top left", true, false, {5000, 0, 7000, 2000}, "0,0,2000,2000"}};
    for (const auto& row : kRows) {
        WindowInfo w = {9, true, row.minimized, "Notepad", {0, 0, 160, 30}, false, false, false, row.maximized, row.restore};
        std::vector<Restore> restores = PlanRestores({w}, kOwn, kBar);
        EXPECT_EQ(restores.empty() ? "" : Text(restores[0].to), row.to) << row.name;
    }
}

// A maximized window panned by (300,0), then (-100,50) (and back home), read again: where it goes, and whether it is
// still followed.
TEST(Passes, MaximizedWindowsRestoredOnThePlane) {
    const Rect32 kAt = {100, 100, 500, 400};  // its restore rectangle
    const struct {
        const char* name; bool refused, maximized, minimized; Rect32 rect; const char* seen; Point32 back = {};
    } kRows[] = {
        {"restored by the system: on to its place on the plane", 0, 0, 0, kAt, "300,150 | 0"},
        {"still maximized", 0, 1, 0, {0, 0, 1024, 768}, " | 1"}, {"minimized meanwhile", 0, 0, 1, kAt, " | 1"},
        {"dragged out of its maximized state elsewhere", 0, 0, 0, {40, 0, 440, 300}, " | 0"},
        {"gone", 0, 0, 0, {}, " | 0"}, {"its moves refused", 1, 0, 0, kAt, " | 0"},
        {"panned back home", 0, 1, 0, {0, 0, 1024, 768}, " | 0", {-200, -50}}};
    for (const auto& row : kRows) {
        MaximizedWindows followed;
        WindowInfo w = {9, true, false, "Notepad", {0, 0, 1024, 768}, false, false, false, true, kAt};
        for (Point32 step : {Point32{300, 0}, Point32{-100, 50}, row.back})
            FollowMaximized(followed, {w}, {{9, {}, row.refused}}, step);
        WindowInfo again = {9, true, row.minimized, row.rect.right ? "Notepad" : "", row.rect, false, false, false,
                            row.maximized};
        std::string moves = Moves(PlanRestored(followed, {again}));
        EXPECT_EQ(moves + " | " + std::to_string(followed.size()), row.seen) << row.name;
    }
}

// Moves are posted: a busy program's window takes them late, and every pass builds on the newest place given. Each
// row: per pass, where the window shows and the step (x, y, dx, dy); then each pass's target.
TEST(Passes, PostedMovesCountEveryStepOnce) {
    const struct { const char* name; std::vector<std::vector<int32_t>> passes; const char* targets; } kRows[] = {
        {"caught up each time", {{100, 0, 10, 0}, {110, 0, 10, 0}, {120, 0, 10, 5}}, "110,0 120,0 130,5"},
        {"one step behind", {{100, 0, 10, 0}, {100, 0, 10, 0}, {110, 0, 10, 0}, {130, 0, 1, 0}}, "110,0 120,0 130,0 131,0"},
        {"several steps behind, then all at once",
         {{100, 0, 10, 0}, {100, 0, 10, 0}, {100, 0, 10, 0}, {110, 0, 10, 0}, {140, 0, 0, 7}}, "110,0 120,0 130,0 140,0 140,7"},
        {"moved by the user meanwhile", {{100, 0, 10, 0}, {500, 300, 10, 0}, {510, 300, 0, 0}}, "110,0 510,300 510,300"},
        {"moved while behind", {{100, 0, 10, 0}, {100, 0, 10, 0}, {400, 0, 10, 0}, {110, 0, 1, 0}}, "110,0 120,0 410,0 111,0"}};
    for (const auto& row : kRows) {
        Placements placements;
        std::vector<Move> moves;
        std::vector<Rect32> placed;
        std::string targets;
        for (const std::vector<int32_t>& pass : row.passes) {
            std::vector<WindowInfo> windows = {{9, true, false, "Notepad", {pass[0], pass[1], 0, 0}}};
            PlanShift({pass[2], pass[3]}, windows, kOwn, moves, placed, placements);
            targets += (targets.empty() ? "" : " ") + Moves(moves);
            RecordMoves(placements, windows, moves);
        }
        EXPECT_EQ(targets, row.targets) << row.name;
    }
    // Far off the screen as the plane has it, still showing an older place: the recall takes the newest.
    EXPECT_EQ(Moves(PlanRecall({{9, true, false, "Notepad", {100, 100, 200, 200}}}, kOwn, kOne,
                               {{9, {{5000, 100}, {{100, 100}}}}})), "960,100") << "recalled from where the plane has it";
    EXPECT_EQ(Moves(PlanRecall({{9, true, false, "Notepad", {100, 100, 200, 200}}}, kOwn, kOne,
                               {{9, {{300, 100}, {{100, 100}}}}})), "") << "on its way to a place on the screen";
    // A move the system refused (an elevated program's window): the window and the map stay, the next step
    // starts from where it stands.
    std::vector<WindowInfo> elevated = {{9, true, false, "Notepad", {100, 0, 200, 100}}};
    Placements placements;
    std::vector<Move> moves;
    std::vector<Rect32> placed;
    PlanShift({10, 0}, elevated, kOwn, moves, placed, placements);
    moves[0].refused = true;
    KeepRefused(moves, placed, {10, 0});
    std::string mapped = Text(placed[0]);
    RecordMoves(placements, elevated, moves);
    PlanShift({10, 0}, elevated, kOwn, moves, placed, placements);
    EXPECT_EQ(mapped + " then " + Moves(moves), "100,0,200,100 then 110,0");
}

// Each row: the plane, the view's offset and one window's screen rectangle; then the view, start cell and window in
// the map, and the map's place on a 1024 x 768 screen.
TEST(MapLayout, PlaneViewStartAndWindows) {
    const struct {
        const char* name; int32_t width, height, cell; Point32 offset; Rect32 window;
        const char *seen, *place = "846,633,1016,760";  // where the map of a 4:3 plane goes
        Rect32 corner = kDesk;  // the work area
    } kRows[] = {
        {"a taskbar's 68 pixels at the bottom: above it", 2, 2, 4, {0, 0}, {100, 100, 300, 250},
         "56,42,113,84 | 56,42,113,84 | 62,47,73,56", "846,565,1016,692", {0, 0, 1024, 700}},
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
        LayOutMap({kDesk, row.corner, row.width, row.height, row.cell, row.offset}, {row.window, kDesk}, {}, p);
        std::string windows = p.windows.empty() ? "none" : Text(p.windows[1]);
        EXPECT_EQ(Text(p.view) + " | " + Text(p.start) + " | " + windows + " in " + Text(p.place),
                  std::string(row.seen) + " in " + row.place) << row.name;
        EXPECT_TRUE(p.windows.empty() || p.windows[0] == p.view) << row.name << ": the bottom window first";
    }
}

// The map as a pager, on a 1024 x 768 screen: the point clicked (from the map's top left), the view's offset
// that shows its cell. A 4x2 plane's half extent is not a whole number of screens: the far cells are held on it.
TEST(MapLayout, CellsAsAPager) {
    const struct { const char* name; int32_t width, height; Point32 at, offset; } kRows[] = {
        {"3x3: top left", 2, 2, {0, 0}, {1024, 768}}, {"3x3: centre", 2, 2, {80, 60}, {0, 0}},
        {"3x3: bottom right, its last pixel", 2, 2, {169, 126}, {-1024, -768}},
        {"4x2: second column, bottom row", 3, 1, {60, 50}, {512, -384}},
        {"4x2: last column", 3, 1, {169, 0}, {-1536, 384}},
        {"off the map: its nearest cell", 2, 2, {-50, 900}, {1024, -768}}};
    for (const auto& row : kRows) {
        MapPicture p;
        LayOutMap({kDesk, kDesk, row.width, row.height, 4, {0, 0}}, {}, {}, p);
        Point32 at = {p.place.left + row.at.x, p.place.top + row.at.y};
        EXPECT_EQ(Text(CellOffset(p, kDesk, HalfExtent(kDesk, row.width, row.height), at)), Text(row.offset))
            << row.name << " in " << Text(p.place);
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
