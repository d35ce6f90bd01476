#include "pan/engine.h"

#include "base/keys.h"
#include "base/wrap32.h"
#include "pan/plane.h"

namespace {

const uint32_t kDoubleClickMs = 300;
const int32_t kNotPresent = 1, kPresentationMode = 4;  // the notification states of a busy screen: 1..4

// Follows the cursor since the last step, `speed` pixels per pixel. A step
// whose axes were both dropped still makes a pass: the map redraws.
void DragStep(PanState& state, int32_t speed, Point32 cursor, PanActions& out) {
    Point32 step = {Mul32(Sub32(cursor.x, state.anchor.x), speed), Mul32(Sub32(cursor.y, state.anchor.y), speed)};
    if (step.x == 0 && step.y == 0) return;
    state.anchor = cursor;
    step = BoundedStep(state.offset, step, state.halfExtent);
    state.offset = {Add32(state.offset.x, step.x), Add32(state.offset.y, step.y)};
    out.shift = true;
    out.step = step;
}

// Two releases less than 300 ms apart go home.
void EndDrag(PanState& state, const Settings& settings, uint32_t now, PanActions& out) {
    state.buttonHeld = false;
    state.dragActive = false;
    if (now - state.lastReleaseTick < kDoubleClickMs && settings.doubleClickCenter != 0) {
        out.shift = true;
        out.step = MoveHome(state, settings.startCell);
    }
    state.lastReleaseTick = now;
}

// A press and release of the secondary button in pan mode is a click that
// pins. When that button is part of the chord, its release ends pan mode
// first, and with it the click.
void SecondaryClick(PanState& state, const PollInput& in, PanActions& out) {
    size_t secondary = (size_t)SecondaryButton(in.swapped);
    if (in.down[secondary]) {
        state.secondaryHeld = state.secondaryHeld || (state.panMode && in.cursorKnown);
    } else if (state.secondaryHeld) {
        state.secondaryHeld = false;
        out.pin = state.panMode && in.cursorKnown;
        out.at = in.cursor;
    }
}

// An offset beyond a new edge comes back to it; a plane with no room at all
// (a negative size) holds none, and nothing moves for it.
int32_t KeptAxis(int32_t offset, int32_t halfExtent) {
    if (halfExtent < 0) return offset;
    return offset > halfExtent ? halfExtent : offset < Neg32(halfExtent) ? Neg32(halfExtent) : offset;
}

}  // namespace

ChordKeys MakeChord(const std::vector<int32_t>& keys) {
    ChordKeys chord = {{}, keys.empty(), false};
    std::bitset<256> listed;
    for (int32_t key : keys) {
        if (!IsKeyCode(key)) {
            chord.never = true;
        } else if (!listed[(size_t)key]) {
            listed.set((size_t)key);
            chord.codes.push_back((uint8_t)key);
            chord.button = chord.button || key <= kLastButton;
        }
    }
    return chord;
}

bool FullScreenInFront(int32_t notificationState) {
    return notificationState >= kNotPresent && notificationState <= kPresentationMode;
}

bool ReadsFront(const PanState& state, bool anyChordKeyDown) {
    return anyChordKeyDown && !state.keysDown;
}

void EndPanMode(PanState& state) {
    state.panMode = false;
    state.buttonHeld = false;
    state.dragActive = false;
    state.mapPress = false;
    state.secondaryHeld = false;
}

PanActions PollTick(PanState& state, const Settings& settings, const ChordKeys& chord, bool enabled,
                    const PollInput& in) {
    PanActions out = {};
    size_t down = 0;
    for (uint8_t code : chord.codes) down += in.down[code];
    out.keysDown = down != 0;
    if (ReadsFront(state, out.keysDown)) state.barred = FullScreenInFront(in.front);
    state.keysDown = out.keysDown;
    if (!chord.never && down == chord.codes.size()) {
        if (enabled && !state.barred) {
            out.enterPanMode = !state.panMode;
            out.park = in.cursorKnown;
            state.panMode = true;
        }
    } else if (state.panMode) {
        EndPanMode(state);
        out.leavePanMode = true;
    }

    SecondaryClick(state, in, out);
    if (in.down[(size_t)PrimaryButton(in.swapped)]) {
        if (!state.buttonHeld && state.panMode && in.cursorKnown) {
            state.buttonHeld = true;
            state.mapPress = Contains(in.map, in.cursor);
            state.dragActive = !state.mapPress;
            state.anchor = in.cursor;
        }
    } else if (state.mapPress) {  // no part of a double click
        state.buttonHeld = state.mapPress = false;
        out.mapClick = in.cursorKnown && Contains(in.map, in.cursor);
        out.at = in.cursor;
        return out;
    } else if (state.buttonHeld) {
        EndDrag(state, settings, in.now, out);
        return out;
    }
    if (state.dragActive && in.cursorKnown) DragStep(state, settings.speed, in.cursor, out);
    return out;
}

bool TakeSettings(PanState& state, const Settings& before, const Settings& next, const Rect32& desktop, bool startUp) {
    bool resized = next.widthSteps != before.widthSteps || next.heightSteps != before.heightSteps;
    state.halfExtent = HalfExtent(desktop, next.widthSteps, next.heightSteps);
    if (!startUp && !resized) return false;
    MoveHome(state, next.startCell);  // the windows stay where they are: the recall puts them on screen
    return !startUp;
}

Point32 TakeDisplay(PanState& state, const Settings& settings, const Rect32& desktop) {
    state.halfExtent = HalfExtent(desktop, settings.widthSteps, settings.heightSteps);
    Point32 kept = {KeptAxis(state.offset.x, state.halfExtent.x), KeptAxis(state.offset.y, state.halfExtent.y)};
    Point32 step = {Sub32(kept.x, state.offset.x), Sub32(kept.y, state.offset.y)};
    state.offset = kept;
    return step;
}

Point32 MoveHome(PanState& state, int32_t startCell) {
    Point32 away = FromHome(state, startCell);
    state.offset = StartCellOffset(startCell, state.halfExtent, state.offset);
    return {Sub32(0, away.x), Sub32(0, away.y)};
}

Point32 MoveTo(PanState& state, Point32 offset) {
    Point32 step = {Sub32(offset.x, state.offset.x), Sub32(offset.y, state.offset.y)};
    state.offset = offset;
    return step;
}

Point32 FromHome(const PanState& state, int32_t startCell) {
    Point32 home = StartCellOffset(startCell, state.halfExtent, state.offset);
    return {Sub32(state.offset.x, home.x), Sub32(state.offset.y, home.y)};
}
