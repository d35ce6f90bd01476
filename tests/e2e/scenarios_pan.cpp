// Pan mode, drags, the plane's edge and the double click, driven through X.
#include <cstdio>

#include "tests/e2e/testbed.h"

namespace {

const std::string kSpeed2Ini = "WIDTH=3\r\nHEIGHT=3\r\nACTKEY=16\r\nACTKEY=17\r\nDCENTER=1\r\nPOS0=4\r\nSPEED=2\r\n";

// With SPEED 2 on a 1024x768 desktop the plane reaches 1024 to each side and
// 768 up and down; a step that would pass the edge is dropped per axis.
struct DragStep {
    int pointerX, pointerY;
    int offsetX, offsetY;  // expected total shift after the step
};
const DragStep kDragSteps[] = {
    {250, 600, 200, 0},   {350, 600, 400, 0},    {450, 600, 600, 0},
    {550, 600, 800, 0},   {650, 600, 1000, 0},
    {750, 650, 1000, 100},  // x: 1200 > 1024, dropped; y still moves
    {700, 450, 900, -300}, {650, 250, 800, -700},
    {600, 150, 700, -700},  // y: -900 < -768, dropped; x still moves
};

void DragMovesBySpeedUntilEdge() {
    Veskal veskal = StartVeskal("drag", &kSpeed2Ini);
    PointerTo(150, 600);
    POINT arrow = CursorHotSpot();
    EnterPanMode(veskal);
    POINT panCursor = CursorHotSpot();
    if (OnWine()) {
        // Wine's SetSystemCursor is a stub: the arrow stays.
        WineDiffers("set-system-cursor-stub", "no move cursor in pan mode; Windows shows it, hot spot (15,15)");
        Expect(panCursor.x == arrow.x && panCursor.y == arrow.y, "pan cursor hot spot (%ld,%ld)", panCursor.x,
               panCursor.y);
    } else {
        Expect(panCursor.x == 15 && panCursor.y == 15, "pan cursor hot spot (%ld,%ld), expected (15,15)",
               panCursor.x, panCursor.y);
    }
    Expect(GetWindowLongA(veskal.mover, GWL_EXSTYLE) & WS_EX_TOPMOST, "MoverWindow not topmost");
    Expect(IsAbove(veskal.mover, Watch("E2E Window B")), "MoverWindow below a topmost window");
    Expect(IsAbove(veskal.mover, Watch("notepad")), "MoverWindow below notepad");
    Expect(GetCapture() == nullptr, "capture leaked to the driver");

    // In pan mode without the button the MoverWindow follows the pointer
    // and nothing moves.
    PointerTo(160, 610);
    Expect(WaitFor([&] { return MoverParkedAt(veskal, {160, 610}); }), "MoverWindow did not follow the pointer");
    PointerTo(150, 600);
    Expect(WaitFor([&] { return MoverParkedAt(veskal, {150, 600}); }), "MoverWindow did not follow the pointer");
    ExpectShifted(0, 0, "pointer moved without button");

    PressButton(veskal);
    for (const DragStep& step : kDragSteps) {
        PointerTo(step.pointerX, step.pointerY);
        char when[64];
        std::snprintf(when, sizeof when, "drag to (%d,%d)", step.pointerX, step.pointerY);
        ExpectShifted(step.offsetX, step.offsetY, when);
        // The tick may have parked it just before the pointer moved.
        Expect(WaitFor([&] { return MoverParkedAt(veskal, {step.pointerX, step.pointerY}); }),
               "%s: MoverWindow at %s", when, Describe(veskal.mover).c_str());
    }
    ReleaseButton(veskal);
    ExpectStill(700, -700, "button released");
    Expect(MoverVisible(veskal), "pan mode left with the button");
    LeavePanMode(veskal);
    POINT restored = CursorHotSpot();
    Expect(restored.x == arrow.x && restored.y == arrow.y, "cursor hot spot (%ld,%ld) after pan mode", restored.x,
           restored.y);

    SendCommand(veskal, 32774);
    ExpectShifted(0, 0, "command 32774");
    PostMessageA(veskal.mover, WM_CLOSE, 0, 0);
    ExpectExitZero(veskal, "WM_CLOSE");
    Expect(SavedIni(veskal) == kSpeed2Ini, "saved \"%s\"", Printable(SavedIni(veskal)).c_str());
}

void Click(int times) {
    // Each state must last several poll ticks (10 ms each) to be seen.
    std::string clicks;
    for (int i = 0; i < times; ++i) clicks += " mousedown 1 sleep 0.08 mouseup 1 sleep 0.08";
    Xdo(clicks.substr(1));
}

struct DoubleClickCase {
    const char* name;
    std::string ini;
    bool returnsHome;
};
const DoubleClickCase kDoubleClickCases[] = {
    {"DCENTER=1", kDefaultIni, true},
    {"DCENTER=0", "ACTKEY=16\r\nACTKEY=17\r\nDCENTER=0\r\n", false},
};

void DoubleClickReturnsHome() {
    for (const DoubleClickCase& c : kDoubleClickCases) {
        Veskal veskal = StartVeskal(std::string("double-click-") + c.name, &c.ini);
        PointerTo(300, 300);
        EnterPanMode(veskal);
        PressButton(veskal);
        PointerTo(360, 340);
        ExpectShifted(60, 40, c.name);
        ReleaseButton(veskal);
        Sleep(400);  // so that the drag's release does not pair with the clicks
        Click(1);
        ExpectStill(60, 40, "single click");
        Click(2);
        if (c.returnsHome)
            ExpectShifted(0, 0, "double click");
        else
            ExpectStill(60, 40, "double click");
        LeavePanMode(veskal);
        SendCommand(veskal, 32771);
        ExpectExitZero(veskal, c.name);
        ResetWindows();
    }
}

struct ChordCase {
    const char* name;
    std::string ini;
    const char* keys;
    bool entersPanMode;
};
const ChordCase kChordCases[] = {
    {"default chord", kDefaultIni, "shift+ctrl", true},
    {"half the chord", kDefaultIni, "shift", false},
    {"chord from the file", "ACTKEY=17\r\nACTKEY=18\r\n", "ctrl+alt", true},
    {"file without ACTKEY", "WIDTH=3\r\n", "shift+ctrl", false},
};

void ChordFromSettings() {
    for (const ChordCase& c : kChordCases) {
        Veskal veskal = StartVeskal("chord", &c.ini);
        PointerTo(400, 300);
        if (c.entersPanMode) {
            EnterPanMode(veskal, c.keys);
            LeavePanMode(veskal, c.keys);
        } else {
            KeysDown(c.keys);
            Settle();
            Expect(!MoverVisible(veskal), "%s: pan mode entered", c.name);
            KeysUp(c.keys);
        }
        SendCommand(veskal, 32771);
        ExpectExitZero(veskal, c.name);
    }
}

}  // namespace

extern const Scenario kPanScenarios[] = {
    {"pan: drag moves windows by SPEED and stops at the plane's edge", Desktop::Full, DragMovesBySpeedUntilEdge},
    {"pan: double click returns to the start cell", Desktop::Full, DoubleClickReturnsHome},
    {"pan: chord keys come from the settings file", Desktop::Full, ChordFromSettings},
};
extern const int kPanScenarioCount = sizeof kPanScenarios / sizeof kPanScenarios[0];
