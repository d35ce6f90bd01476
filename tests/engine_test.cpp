// The panning engine tick by tick: pan mode, drags, the double click, and the main loop's wait. Each row is what
// the user does; the outcome is what the user sees of each tick (E: the move cursor, P: the MoverWindow parked,
// L: cursors restored and the window gone, S: the windows moved) and where the view ends up.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "base/keys.h"
#include "pan/engine.h"
#include "pan/wait.h"

namespace {

const int S = 16, C = 17, L = kLeftButton;
const uint32_t T = 5000000;             // a clock long past boot
const Point32 kNowhere = {INT_MIN, 0};  // the cursor unknown

std::string Text(Point32 p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

struct Tick { std::vector<int> down; Point32 cursor; uint32_t now = T; };

TEST(Engine, Ticks) {
    const struct {
        const char* name; std::vector<Tick> ticks; const char* seen /* a group per tick */; Point32 offset;
        std::vector<int32_t> chord = {S, C}; int32_t speed = 1; int8_t doubleClick = 1; bool enabled = true;
    } kRows[] = {
        {"chord, press, drag, release", {{{S, C}, {500, 400}}, {{S, C, L}, {500, 400}}, {{S, C, L}, {520, 410}},
         {{S, C}, {520, 410}, T + 400}, {{}, {520, 410}, T + 500}}, "EPk|Pk|PkS20,10|Pk|L", {20, 10}},
        {"Shift alone", {{{S}, {500, 400}}, {{S, L}, {520, 410}}}, "k|k", {0, 0}},
        {"two of three keys", {{{S, C}, {500, 400}}}, "k", {0, 0}, {S, C, 18}},
        {"a key listed twice", {{{S}, {500, 400}}}, "EPk", {0, 0}, {S, S}},
        {"key code 0 never reads as down", {{{S, 0}, {500, 400}}}, "k", {0, 0}, {S, 0}},
        {"256 + Shift is no Shift", {{{C, S}, {500, 400}}}, "k", {0, 0}, {C, 256 + S}},
        {"empty chord", {{{S, C}, {500, 400}}}, "", {0, 0}, {}},
        {"a chord of the right button", {{{2}, {500, 400}}}, "EPk", {0, 0}, {2}},
        {"panning off", {{{S, C}, {500, 400}}, {{S, C, L}, {520, 410}}}, "k|k", {0, 0}, {S, C}, 1, 1, false},
        {"button down before the chord starts the drag on entry",
         {{{L}, {500, 400}}, {{S, C, L}, {500, 400}}, {{S, C, L}, {510, 400}}}, "|EPk|PkS10,0", {10, 0}},
        {"secure desktop: no park, no anchor, no step",
         {{{S, C}, kNowhere}, {{S, C, L}, kNowhere}, {{S, C, L}, {510, 400}}}, "Ek|k|Pk", {0, 0}},
        {"chord let go mid-drag ends the drag", {{{S, C, L}, {500, 400}}, {{L}, {510, 400}}, {{S, C, L}, {530, 400}}},
         "EPk|L|EPk", {0, 0}},
        {"speed 2, bounded: x would leave the plane", {{{S, C, L}, {0, 0}}, {{S, C, L}, {600, 5}}}, "EPk|PkS0,10",
         {0, 10}, {S, C}, 2},
        {"speed 0 freezes", {{{S, C, L}, {0, 0}}, {{S, C, L}, {50, 50}}}, "EPk|Pk", {0, 0}, {S, C}, 0},
        {"INT_MAX times 2 wraps to -2", {{{S, C, L}, {0, 0}}, {{S, C, L}, {2, -2}}}, "EPk|PkS-2,2", {-2, 2}, {S, C},
         INT_MAX},
        {"past the left and top edges: both dropped", {{{S, C, L}, {0, 0}}, {{S, C, L}, {-1025, -769}}}, "EPk|PkS0,0",
         {0, 0}},
        {"landing on the edge is allowed", {{{S, C, L}, {0, 0}}, {{S, C, L}, {1024, -768}}}, "EPk|PkS1024,-768",
         {1024, -768}},
        {"double click within 300 ms goes home", {{{S, C, L}, {0, 0}}, {{S, C, L}, {30, 20}}, {{S, C}, {30, 20}},
         {{S, C, L}, {30, 20}, T + 100}, {{S, C}, {30, 20}, T + 299}}, "EPk|PkS30,20|Pk|Pk|PkS-30,-20", {0, 0}},
        {"300 ms apart is no double click", {{{S, C, L}, {0, 0}}, {{S, C}, {0, 0}}, {{S, C, L}, {0, 0}},
         {{S, C}, {0, 0}, T + 300}}, "EPk|Pk|Pk|Pk", {0, 0}},
        {"the clock wraps past the releases' deadline", {{{S, C, L}, {0, 0}, UINT32_MAX - 100},
         {{S, C}, {0, 0}, UINT32_MAX - 100}, {{S, C, L}, {0, 0}, UINT32_MAX - 90},
         {{S, C}, {0, 0}, UINT32_MAX - 50}}, "EPk|Pk|Pk|PkS0,0", {0, 0}},
        {"DCENTER 2 is on as well", {{{S, C, L}, {0, 0}}, {{S, C}, {0, 0}}, {{S, C, L}, {0, 0}},
         {{S, C}, {0, 0}, T + 1}}, "EPk|Pk|Pk|PkS0,0", {0, 0}, {S, C}, 1, 2},
        {"DCENTER 0: no double click", {{{S, C, L}, {0, 0}}, {{S, C}, {0, 0}}, {{S, C, L}, {0, 0}},
         {{S, C}, {0, 0}, T + 1}}, "EPk|Pk|Pk|Pk", {0, 0}, {S, C}, 1, 0}};
    for (const auto& row : kRows) {
        Settings settings;
        settings.speed = row.speed, settings.doubleClickCenter = row.doubleClick;
        PanState state = {};
        state.halfExtent = {1024, 768};
        std::string seen;
        for (const Tick& t : row.ticks) {
            PollInput in = {{}, t.cursor.x != INT_MIN, t.cursor, t.now};
            for (int code : t.down) in.down.set((size_t)code);
            PanActions a = PollTick(state, settings, MakeChord(row.chord), row.enabled, in);
            seen += std::string(&t == &row.ticks[0] ? "" : "|") + (a.enterPanMode ? "E" : "") + (a.park ? "P" : "") +
                    (a.leavePanMode ? "L" : "") + (a.keysDown ? "k" : "") + (a.shift ? "S" + Text(a.step) : "");
        }
        EXPECT_EQ(seen, row.seen) << row.name;
        EXPECT_EQ(Text(state.offset), Text(row.offset)) << row.name << ": offset";
    }
}

// The plane measured at start-up and the view placed at the start cell, from (7,-7); "half extent | offset".
TEST(Engine, PlaneAndStartCells) {
    const Rect32 kDesk = {0, 0, 1024, 768};
    const struct { const char* name; Rect32 desktop; int32_t width, height, cell; const char* seen; } kRows[] = {
        {"3x3 at the centre", kDesk, 2, 2, 4, "1024,768 | 0,0"}, {"top middle", kDesk, 2, 2, 1, "1024,768 | 0,768"},
        {"right and bottom, not width", {100, 50, 1024, 768}, 2, 2, 0, "1024,768 | 1024,768"},
        {"axes apart, top right", kDesk, 4, 1, 2, "2048,384 | -2048,384"}, {"one screen", kDesk, 0, 0, 8, "0,0 | 0,0"},
        {"odd halves floor, bottom left", {0, 0, 1023, 767}, 1, 1, 6, "511,383 | 511,-383"},
        {"negative floors down", {0, 0, 1023, 767}, -1, -1, 8, "-512,-384 | 512,384"},
        {"wraps at 32 bits, left", {0, 0, INT_MAX, 768}, 4, 2, 3, "-2,768 | -2,0"},
        {"right", kDesk, 2, 2, 5, "1024,768 | -1024,0"}, {"bottom middle", kDesk, 2, 2, 7, "1024,768 | 0,-768"},
        {"cell 9 places nowhere", kDesk, 2, 2, 9, "1024,768 | 7,-7"},
        {"nor does cell -1", kDesk, 2, 2, -1, "1024,768 | 7,-7"}};
    for (const auto& row : kRows) {
        PanState pan = {};
        pan.offset = {7, -7};
        Settings next;
        next.widthSteps = row.width, next.heightSteps = row.height, next.startCell = row.cell;
        EXPECT_FALSE(TakeSettings(pan, Settings(), next, row.desktop, true)) << row.name << ": no recall at start-up";
        EXPECT_EQ(Text(pan.halfExtent) + " | " + Text(pan.offset), row.seen) << row.name;
        PanState away = pan;  // 30 right of the start cell and 20 above it; a cell that places nowhere is home
        away.offset = {pan.offset.x + 30, pan.offset.y - 20};
        bool placed = row.cell >= 0 && row.cell <= 8;
        std::string fromHome = Text(FromHome(away, row.cell));
        EXPECT_EQ(fromHome + " " + Text(MoveHome(away, row.cell)), placed ? "30,-20 -30,20" : "0,0 0,0")
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
        pan.offset = row.offset;
        pan.halfExtent = {1920, 1080};
        Settings settings;
        Point32 step = TakeDisplay(pan, settings, row.desktop);
        Point32 offset = pan.offset;
        EXPECT_EQ(Text(step) + " | " + Text(offset) + " | " + Text(MoveHome(pan, row.cell)), row.seen) << row.name;
    }
}

TEST(Engine, LoopWait) {
    // keyboardWakes, buttonChord, panMode, keyInput, keysDown, blind, sinceKeyInput
    const struct { const char* name; LoopClock clock; uint32_t ms; bool messagesWake; } kRows[] = {
        {"idle: the safety tick", {true, false, false, false, false, false, 5000}, 200, true},
        {"a key came in: look now", {true, false, false, true, false, false, 0}, 0, false},
        {"a chord key down", {true, false, false, false, true, false, 5000}, 10, true},
        {"99 ms after a key", {true, false, false, false, false, false, 99}, 10, true},
        {"100 ms after a key", {true, false, false, false, false, false, 100}, 200, true},
        {"raw input blind", {true, false, false, false, false, true, 5000}, 10, true},
        {"a mouse button in the chord", {true, true, false, false, false, false, 5000}, 10, true},
        {"pan mode", {true, false, true, true, true, false, 0}, 10, false},
        {"no raw input", {false, false, false, false, false, false, 5000}, 10, false}};
    for (const auto& row : kRows) {
        LoopWait wait = NextWait(row.clock);
        EXPECT_TRUE(wait.ms == row.ms && wait.messagesWake == row.messagesWake)
            << row.name << ": " << wait.ms << " ms, messages wake " << wait.messagesWake;
    }
    const struct { const char* name; bool keyInput, keysBefore, blind, keysNow, elevated, blindAfter; } kBlind[] = {
        {"a chord key went down unannounced", false, false, false, true, false, true},
        {"announced by a WM_INPUT", true, false, false, true, false, false},
        {"held since an announced press", false, true, false, true, false, false},
        {"blind stays blind, keys up", false, false, true, false, false, true},
        {"a WM_INPUT ends the blind spell", true, false, true, true, false, false},
        {"an elevated program in front", true, false, false, false, true, true}};
    for (const auto& row : kBlind) {
        LoopClock before = {true, false, false, row.keyInput, row.keysBefore, row.blind, 0};
        EXPECT_EQ(BlindAfterLook(before, row.keysNow, row.elevated), row.blindAfter) << row.name;
    }
    const struct { std::vector<int32_t> keys; bool button; } kButtons[] = {
        {{16, 17}, false}, {{2}, true}, {{16, 6}, true}, {{7, 300}, false}};
    for (const auto& row : kButtons) EXPECT_EQ(MakeChord(row.keys).button, row.button) << testing::PrintToString(row.keys);
}

}  // namespace
