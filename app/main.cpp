// Entry point: start-up, the main loop and the orderly end.
#include <windows.h>

#include "app/loop.h"
#include "app/program.h"
#include "app/shutdown.h"
#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!StartUp(instance)) return 0;
    int exitCode = RunMainLoop();
    ShutDown();
    CloseInstanceMutex();
    return exitCode;
}
