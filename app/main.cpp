// Entry point: start-up, the main loop and the orderly end.
#include <windows.h>

#include "app/guard.h"
#include "app/loop.h"
#include "app/program.h"
#include "app/shutdown.h"
#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    if (RunAsGuard(instance, arguments)) return 0;
    if (!StartUp(instance)) return 0;
    StartGuard();
    int exitCode = RunMainLoop();
    ShutDown();
    CloseInstanceMutex();
    return exitCode;
}
