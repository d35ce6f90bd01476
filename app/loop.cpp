#include "app/loop.h"

#include <windows.h>

#include "app/mapwindow.h"
#include "app/program.h"
#include "app/resume.h"
#include "pan/poll.h"

namespace {

const DWORD kTickMs = 10;        // the poll's rhythm while keys are down or in pan mode
const DWORD kKeysSettleMs = 100;  // after a key, the rhythm lasts this long
const DWORD kSafetyTickMs = 1000;

}  // namespace

bool LoopTick() {
    bool keysDown = PollTick(program.settings, program.chord, program.enabled, program.windows);
    SyncMap();
    KeepViewRecord();
    return keysDown;
}

// Dispatches waiting messages; whenever the queue is empty, polls the input.
// Where key changes wake the hidden window, the loop polls at once after
// one, every 10 ms while a chord key is down or a key came in the last
// 100 ms, and otherwise sleeps in the wait, with one tick a second for what
// raw input does not show (keys over an elevated window, a chord of mouse
// buttons). In pan mode, and without raw input, it waits 10 ms and polls,
// always. Returns the quit code.
int RunMainLoop() {
    MSG msg;
    uint32_t keyInputsSeen = program.keyInputs;
    DWORD lastKeyInput = GetTickCount();
    bool keysDown = false;
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&msg, nullptr, 0, 0)) return (int)msg.wParam;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            KeepViewRecord();
        } else if (!program.keyboardWakes || pan.panMode) {
            Sleep(kTickMs);
            keysDown = LoopTick();
        } else if (program.keyInputs != keyInputsSeen) {
            keyInputsSeen = program.keyInputs;
            lastKeyInput = GetTickCount();
            keysDown = LoopTick();
        } else {
            bool soon = keysDown || GetTickCount() - lastKeyInput < kKeysSettleMs;
            DWORD wait = soon ? kTickMs : kSafetyTickMs;
            if (MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_TIMEOUT)
                keysDown = LoopTick();
        }
    }
}

