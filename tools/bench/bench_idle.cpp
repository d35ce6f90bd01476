// Idle reference programs for the idle-cost benchmark (tools/bench/wine.sh),
// which ends them by their process ids. Each owns one hidden window.
//
//   bench_idle.exe block  waits in GetMessage: the least an idle program costs
//   bench_idle.exe sleep  only sleeps 10 ms at a time
//   bench_idle.exe peek   the main loop without its poll: PeekMessage, Sleep(10)
//   bench_idle.exe poll   that loop plus what an idle poll tick reads: the
//                         two chord keys and the left button
//
// The last three take apart what an idle veskal.exe spends its time on.
#include <windows.h>

#include <cstring>

namespace {

enum class Mode { Block, Sleep, Peek, Poll };

bool IsDown(int key) {
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

LRESULT CALLBACK IdleProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    Mode mode = Mode::Block;
    if (std::strstr(commandLine, "sleep")) mode = Mode::Sleep;
    if (std::strstr(commandLine, "peek")) mode = Mode::Peek;
    if (std::strstr(commandLine, "poll")) mode = Mode::Poll;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = IdleProc;
    wc.hInstance = instance;
    wc.lpszClassName = "VeskalBenchIdle";
    RegisterClassA(&wc);
    if (!CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance,
                         nullptr))
        return 1;
    MSG msg;
    if (mode == Mode::Block) {
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        return 0;
    }
    volatile int down = 0;  // the reads must not be optimised away
    for (;;) {
        if (mode != Mode::Sleep && PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&msg, nullptr, 0, 0)) return 0;
            DispatchMessageA(&msg);
            continue;
        }
        Sleep(10);
        if (mode == Mode::Poll) down = down + IsDown(VK_SHIFT) + IsDown(VK_CONTROL) + IsDown(VK_LBUTTON);
    }
}
