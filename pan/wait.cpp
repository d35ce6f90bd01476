#include "pan/wait.h"

namespace {

const uint32_t kTickMs = 10;         // the rhythm while keys are down or in pan mode
const uint32_t kKeysSettleMs = 100;  // after a key, the rhythm lasts this long
const uint32_t kSafetyTickMs = 240;  // a chord raw input misses is noticed within 250 ms
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
    bool soon = c.keysDown || c.blind || c.buttonChord || c.sinceKeyInput < kKeysSettleMs;
    return {soon ? kTickMs : kSafetyTickMs, true};
}

bool BlindAfterLook(const LoopClock& before, bool keysDown, bool elevatedInFront) {
    if (elevatedInFront || before.keyInput) return false;
    return before.blind || (keysDown && !before.keysDown);
}
