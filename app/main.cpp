// Entry point: start-up, the main loop and the orderly end.
#include <windows.h>

#include "app/paths.h"
#include "app/program.h"
#include "app/shutdown.h"
#include "app/tray.h"
#include "app/window.h"
#include "pan/panstate.h"
#include "pan/poll.h"
#include "res/resource.h"
#include "settings/settingsfile.h"

Program program;

namespace {

const DWORD kIdleSleepMs = 10;

void LoadTexts(HINSTANCE instance) {
    LoadStringA(instance, IDS_TITLE, program.titleText, sizeof program.titleText);
    LoadStringA(instance, IDS_STOPPED, program.stoppedText, sizeof program.stoppedText);
    LoadStringA(instance, IDS_CLASSNAME, program.className, sizeof program.className);
    LoadStringA(instance, IDS_MUTEXNAME, program.mutexName, sizeof program.mutexName);
}

void CloseInstanceMutex() {
    ReleaseMutex(program.instanceMutex);
    CloseHandle(program.instanceMutex);
}

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
            PollTick();
        }
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    LoadTexts(instance);
    BuildPaths(instance);
    program.instanceMutex = CreateMutexA(nullptr, TRUE, program.mutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    program.enabled = true;  // before the window: its creation adds the icon
    RegisterMoverClass(instance);
    if (!CreateMoverWindow(instance)) {
        CloseInstanceMutex();
        return 0;
    }
    pan.dragActive = false;
    program.desktopView = nullptr;
    if (!FindDesktopView()) {
        RemoveTrayIcon();  // or a ghost icon stays until the mouse passes over it
        CloseInstanceMutex();
        return 0;
    }
    LoadSettings();
    int exitCode = RunMainLoop();
    ShutDown();
    CloseInstanceMutex();
    return exitCode;
}
