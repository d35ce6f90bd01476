#include "config/keycapture.h"

#include <windows.h>

#include <algorithm>

#include "base/keys.h"

KeyCapture capture;

namespace {

// Mouse buttons (1, 2, 4..6) would record the click that started the
// capture, and the sided Shift, Ctrl and Alt codes (0xA0..0xA5) only repeat
// the plain ones (16..18) that a chord needs.
bool IsRecordedKey(int key) {
    bool mouseButton = (key >= 0x01 && key <= 0x02) || (key >= 0x04 && key <= 0x06);
    bool sidedModifier = key >= 0xA0 && key <= 0xA5;
    return IsKeyCode(key) && !mouseButton && !sidedModifier;
}

bool AnyRecordedKeyDown() {
    for (int key = 1; key <= 254; ++key)
        if (IsRecordedKey(key) && IsKeyDown(key)) return true;
    return false;
}

}  // namespace

void StartCapture() {
    capture.active = true;
    capture.pressed.clear();
    // Started with Alt+K, say: those keys must go up before recording begins.
    capture.waitingForRelease = AnyRecordedKeyDown();
}

void StopCapture() {
    capture.active = false;
}

bool PollCapture() {
    if (!capture.active) return false;
    bool anyDown = false;
    for (int key = 1; key <= 254; ++key) {
        if (!IsRecordedKey(key) || !IsKeyDown(key)) continue;
        anyDown = true;
        if (capture.waitingForRelease) continue;
        if (std::find(capture.pressed.begin(), capture.pressed.end(), key) == capture.pressed.end())
            capture.pressed.push_back(key);
    }
    if (capture.waitingForRelease) {
        capture.waitingForRelease = anyDown;
        return false;
    }
    if (anyDown || capture.pressed.empty()) return false;
    capture.active = false;
    return true;
}
