// Entry point: start-up, the main loop and the orderly end.
#include <windows.h>

#include "app/program.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "pan/poll.h"

Program program;

namespace {

const DWORD kIdleSleepMs = 10;

// Dispatches waiting messages; whenever the queue is empty, waits 10 ms and
// polls the input once. Returns the quit code.
int RunMainLoop() {
    MSG msg;
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&msg, nullptr, 0, 0)) return (int)msg.wParam;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            Sleep(kIdleSleepMs);
            PollTick(program.settings, program.chord, program.enabled, program.windows);
        }
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!StartUp(instance)) return 0;
    int exitCode = RunMainLoop();
    ShutDown();
    CloseInstanceMutex();
    return exitCode;
}
