#include "pan/wait.h"

namespace {

const uint32_t kTickMs = 10;         // the rhythm while keys are down or in pan mode
const uint32_t kKeysSettleMs = 100;  // after a key, the rhythm lasts this long
const uint32_t kSafetyTickMs = 1000;  // a chord raw input misses is noticed within a second
const uint32_t kPassGapMs = 7;       // a 1000 Hz mouse over many windows cannot eat a core

uint32_t Remaining(uint32_t period, uint32_t since) {
    return since >= period ? 0 : period - since;
}

}  // namespace

LoopWait NextWait(const LoopClock& c) {
    // Within the gap the loop sleeps: the movements meanwhile merge into one.
    if (c.panMode && c.pointerInput) return {Remaining(kPassGapMs, c.sinceMovedLook), false};
    if (c.panMode) return {Remaining(kTickMs, c.sinceLook), true};
    if (c.elevatedInFront) return {kSafetyTickMs, true};
    if (!c.keyboardWakes) return {kTickMs, false};
    if (c.keyInput) return {0, false};
    // A key held needs no quicker look: raw input announces its release and
    // the rest of the chord, and a key stuck down would otherwise cost the
    // quick rhythm for as long as it sticks.
    bool soon = c.blind || c.buttonChord || c.sinceKeyInput < kKeysSettleMs;
    return {soon ? kTickMs : kSafetyTickMs, true};
}

bool BlindAfterLook(const LoopClock& before, bool keysDown, bool elevatedInFront) {
    if (elevatedInFront || before.keyInput || !keysDown) return false;
    return before.blind || !before.keysDown;
}
