#include "app/loop.h"

#include <windows.h>

#include "app/front.h"
#include "app/mapwindow.h"
#include "app/panning.h"
#include "app/program.h"
#include "app/resume.h"
#include "pan/wait.h"

namespace {

// One look at the keys and what follows it (the window in front, restored
// windows followed, the map drawn, the view record kept). True while a
// chord key is down.
bool LoopTick() {
    bool keysDown = PanTick();
    LookAtFront();
    FollowRestored();
    SyncMap();
    KeepViewRecord();
    return keysDown;
}

// Milliseconds from the performance counter: the system's tick count moves
// in steps of up to 16 ms, too coarse for a gap of 7.
uint32_t NowMs() {
    LARGE_INTEGER count = {}, frequency = {};
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return (uint32_t)(uint64_t)(count.QuadPart / (frequency.QuadPart / 1000 ? frequency.QuadPart / 1000 : 1));
}

}  // namespace

// Dispatches waiting messages; whenever the queue is empty, waits as
// NextWait says and looks at the keys.
int RunMainLoop() {
    MSG msg;
    uint32_t keyInputsSeen = program.keyInputs, pointerInputsSeen = program.pointerInputs, lastLook = NowMs(),
             lastMovedLook = lastLook;
    DWORD lastKeyInput = GetTickCount();
    LoopClock clock = {};
    // After a look the wait itself ends at once if messages came meanwhile:
    // a look costs one request to the system less.
    bool peek = true;
    for (;;) {
        if (peek && PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&msg, nullptr, 0, 0)) return (int)msg.wParam;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            KeepViewRecord();
            continue;
        }
        peek = true;
        clock.keyInput = program.keyInputs != keyInputsSeen;
        if (clock.keyInput) {
            keyInputsSeen = program.keyInputs;
            lastKeyInput = GetTickCount();
        }
        clock.keyboardWakes = program.keyboardWakes;
        clock.buttonChord = program.chord.button;
        clock.panMode = program.pan.panMode;
        clock.sinceKeyInput = GetTickCount() - lastKeyInput;
        clock.pointerInput = program.pointerInputs != pointerInputsSeen;
        uint32_t now = NowMs();
        clock.sinceLook = now - lastLook;
        clock.sinceMovedLook = now - lastMovedLook;
        LoopWait wait = NextWait(clock);
        if (!wait.messagesWake) {
            if (wait.ms) Sleep(wait.ms);
        } else if (MsgWaitForMultipleObjectsEx(0, nullptr, wait.ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE) != WAIT_TIMEOUT)
            continue;
        pointerInputsSeen = program.pointerInputs;
        lastLook = NowMs();
        if (clock.pointerInput) lastMovedLook = lastLook;
        bool keysDown = LoopTick();
        clock.blind = BlindAfterLook(clock, keysDown, program.front.elevated);
        clock.keysDown = keysDown;
        clock.elevatedInFront = program.front.elevated;
        peek = !wait.messagesWake;
    }
}
