#include "pan/wait.h"

namespace {

const uint32_t kTickMs = 10;         // the rhythm while keys are down or in pan mode
const uint32_t kKeysSettleMs = 100;  // after a key, the rhythm lasts this long
const uint32_t kSafetyTickMs = 200;  // a chord raw input misses is noticed within this

}  // namespace

LoopWait NextWait(const LoopClock& c) {
    if (!c.keyboardWakes || c.panMode) return {kTickMs, false};
    if (c.keyInput) return {0, false};
    bool soon = c.keysDown || c.blind || c.buttonChord || c.sinceKeyInput < kKeysSettleMs;
    return {soon ? kTickMs : kSafetyTickMs, true};
}

bool BlindAfterLook(const LoopClock& before, bool keysDown, bool elevatedInFront) {
    if (elevatedInFront) return true;
    if (before.keyInput) return false;
    return before.blind || (keysDown && !before.keysDown);
}
