// Keyboard, mouse, capture and the virtual clock of the stand-in.
#include "state.h"

#include <algorithm>

using namespace sim;

namespace sim {

void SetKey(int vk, bool down) {
    bool changed = S().keys[vk & 0xFF] != down;
    S().keys[vk & 0xFF] = down;
    bool mouseButton = vk == 0x01 || vk == 0x02 || (vk >= 0x04 && vk <= 0x06);  // mice are no keyboards
    if (changed && !mouseButton && S().keyboardSink) PostMessageA(S().keyboardSink, WM_INPUT, 1, 0);
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

// The machine booted at 2026-12-01 00:00:00 UTC and has been up `now`.
ULONGLONG WINAPI GetTickCount64(void) {
    return S().now;
}

void WINAPI GetSystemTimeAsFileTime(LPFILETIME time) {
    const ULONGLONG boot = 13440556800ull * 10000000ull;  // in 100 ns since 1601
    ULONGLONG now = boot + (ULONGLONG)S().now * 10000ull;
    time->dwLowDateTime = (DWORD)now;
    time->dwHighDateTime = (DWORD)(now >> 32);
}

namespace {

// Advances the clock, running every action that falls due on the way in
// time order; the tick count wraps like the real one. With `untilMessage`
// it stops once an action leaves a message in the queue; true then.
bool Advance(DWORD milliseconds, bool untilMessage) {
    auto& s = S();
    DWORD target = s.now + milliseconds;
    for (;;) {
        if (untilMessage && (!s.queue.empty() || s.quitPosted)) return true;
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
    return untilMessage && (!s.queue.empty() || s.quitPosted);
}

}  // namespace

void WINAPI Sleep(DWORD milliseconds) {
    Advance(milliseconds, false);
}

DWORD WINAPI MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE*, DWORD milliseconds, DWORD, DWORD) {
    Log("MsgWaitForMultipleObjectsEx(" + std::to_string(milliseconds) + ")");
    return Advance(milliseconds, true) ? WAIT_OBJECT_0 + count : WAIT_TIMEOUT;
}

// Keyboards only (usage page 1, usage 6), to one window in the background.
BOOL WINAPI RegisterRawInputDevices(PCRAWINPUTDEVICE devices, UINT count, UINT size) {
    if (Failing("RegisterRawInputDevices") || size != sizeof(RAWINPUTDEVICE)) return FALSE;
    for (UINT i = 0; i < count; ++i) {
        if (devices[i].usUsagePage != 1 || devices[i].usUsage != 6) return FALSE;
        S().keyboardSink = (devices[i].dwFlags & RIDEV_INPUTSINK) ? devices[i].hwndTarget : nullptr;
    }
    return TRUE;
}

}  // extern "C"
