// Keyboard, mouse, capture and the virtual clock of the stand-in.
#include "state.h"

#include <algorithm>

using namespace sim;

namespace sim {

void SetKey(int vk, bool down) {
    S().keys[vk & 0xFF] = down;
}

void SetCursor(int x, int y) {
    S().cursor = POINT{x, y};
}

DWORD Now() {
    return S().now;
}

void SetNow(DWORD ms) {
    S().now = ms;
}

void At(DWORD ms, std::function<void()> action) {
    S().schedule.push_back(Scheduled{ms, S().scheduleOrder++, std::move(action)});
}

void SetClockLimit(DWORD ms) {
    S().clockLimit = ms;
}

bool TimedOut() {
    return S().timedOut;
}

}  // namespace sim

extern "C" {

SHORT WINAPI GetAsyncKeyState(int key) {
    Log("GetAsyncKeyState(" + std::to_string(key) + ")");
    // Codes outside 0..255 name no key: always up, as Wine answers.
    return key >= 0 && key < 256 && S().keys[key] ? (SHORT)0x8000 : (SHORT)0;
}

BOOL WINAPI GetCursorPos(LPPOINT point) {
    if (Failing("GetCursorPos")) return FALSE;
    *point = S().cursor;
    return TRUE;
}

HWND WINAPI SetCapture(HWND hwnd) {
    Log("SetCapture(" + Name(hwnd) + ")");
    HWND previous = S().capture;
    if (Find(hwnd)) S().capture = hwnd;
    return previous;
}

BOOL WINAPI ReleaseCapture(void) {
    Log("ReleaseCapture()");
    S().capture = nullptr;
    return TRUE;
}

HWND WINAPI GetCapture(void) {
    return S().capture;
}

DWORD WINAPI GetTickCount(void) {
    return S().now;
}

// Advances the clock in one step, running every action that falls due on
// the way in time order; the tick count wraps like the real one.
void WINAPI Sleep(DWORD milliseconds) {
    auto& s = S();
    DWORD target = s.now + milliseconds;
    for (;;) {
        auto due = s.schedule.end();
        for (auto it = s.schedule.begin(); it != s.schedule.end(); ++it) {
            if (it->time - s.now > target - s.now) continue;  // not within (now, target]
            if (due == s.schedule.end() || it->time - s.now < due->time - s.now ||
                (it->time == due->time && it->order < due->order))
                due = it;
        }
        if (due == s.schedule.end()) break;
        s.now = due->time;
        auto action = std::move(due->action);
        s.schedule.erase(due);
        action();
    }
    s.now = target;
    if (s.now > s.clockLimit && !s.timedOut) {
        s.timedOut = true;
        PostQuitMessage(0);
    }
}

}  // extern "C"
