#include "config/keycapture.h"

#include <algorithm>

#include "base/keys.h"

namespace {

const int kEscape = 0x1B;

// Not chord keys:
// - the mouse buttons (1, 2, 4..6) would record the click that started the
//   capture, and the sided Shift, Ctrl and Alt (0xA0..0xA5) only repeat the
//   plain ones (16..18) that a chord needs;
// - Esc cancels the capture;
// - the locks Caps Lock (0x14), Num Lock (0x90) and Scroll Lock (0x91), and
//   the IME's keys: Kana, IME on, Junja, Final, Kanji, IME off (0x15..0x1A),
//   Convert, Nonconvert, Accept, Mode change (0x1C..0x1F), and the 106/109
//   keyboard's 英数, カタカナ, ひらがな, 半角/全角 and ローマ字 (0xF0..0xF6;
//   半角/全角 reports 0xF3 and 0xF4 by turns). With a Japanese layout these
//   switch modes rather than being held, and several read as held for good:
//   Kana while its lock is on, the others once their release goes unreported.
//   A capture waiting for them would never end, and a chord with one could
//   never be let go.
bool IsChordKey(int key) {
    bool mouseButton = (key >= 0x01 && key <= 0x02) || (key >= 0x04 && key <= 0x06);
    bool sidedModifier = key >= 0xA0 && key <= 0xA5;
    bool lock = key == 0x14 || key == 0x90 || key == 0x91;
    bool imeKey = (key >= 0x15 && key <= 0x1A) || (key >= 0x1C && key <= 0x1F) || (key >= 0xF0 && key <= 0xF6);
    return IsKeyCode(key) && key != kEscape && !mouseButton && !sidedModifier && !lock && !imeKey;
}

}  // namespace

void StartCapture(KeyCapture& capture, const KeysDown& down) {
    capture.active = true;
    capture.pressed.clear();
    // Started with Alt+K, say, or with a key stuck down: each key held now
    // counts only once it has been let go, and does not hold up the end.
    capture.heldSinceStart.reset();
    for (int key = 1; key <= 254; ++key) capture.heldSinceStart[key] = down[key];
}

CapturePoll PollCapture(KeyCapture& capture, const KeysDown& keys) {
    if (!capture.active) return CapturePoll::waiting;
    bool chordKeyDown = false;
    for (int key = 1; key <= 254; ++key) {
        bool down = keys[key];
        if (capture.heldSinceStart[key]) {
            if (!down) capture.heldSinceStart.reset(key);
            continue;
        }
        if (!down) continue;
        if (key == kEscape) {
            capture.active = false;
            return CapturePoll::cancelled;
        }
        if (!IsChordKey(key)) continue;
        chordKeyDown = true;
        if (std::find(capture.pressed.begin(), capture.pressed.end(), key) == capture.pressed.end())
            capture.pressed.push_back(key);
    }
    if (chordKeyDown || capture.pressed.empty()) return CapturePoll::waiting;
    capture.active = false;
    return CapturePoll::recorded;
}
