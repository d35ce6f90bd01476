// Reference programs for the Wine benchmark (tools/bench/wine.sh), which
// ends them by their process ids. Each owns one 1x1 window, hidden unless
// the chord shows it.
//
//   bench_idle.exe block  waits in GetMessage: the least an idle program costs
//   bench_idle.exe sleep  only sleeps 10 ms at a time
//   bench_idle.exe peek   the poll loop without its poll: PeekMessage, Sleep(10)
//   bench_idle.exe poll   that loop plus what an idle poll tick reads: the
//                         two chord keys and the left button
//   bench_idle.exe chord  the poll loop that Veskal had before key changes
//                         woke it, made visible: the poll tick shows the
//                         window, topmost under the pointer, while Shift and
//                         Ctrl are both down, and hides it when they are not
//
// The middle three take apart what that loop spent its time on while idle;
// the last one is how soon it noticed the chord, timed from outside as
// veskal.exe's own 1x1 window is.
#include <windows.h>

#include <cstring>

namespace {

enum class Mode { Block, Sleep, Peek, Poll, Chord };

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

// The chord tick: both keys down shows the window where the pointer is.
void ShowWhileChord(HWND hwnd, bool chord, bool& shown) {
    if (chord && !shown) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        SetWindowPos(hwnd, HWND_TOPMOST, cursor.x, cursor.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        shown = true;
    } else if (!chord && shown) {
        ShowWindow(hwnd, SW_HIDE);
        shown = false;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    Mode mode = Mode::Block;
    if (std::strstr(commandLine, "sleep")) mode = Mode::Sleep;
    if (std::strstr(commandLine, "peek")) mode = Mode::Peek;
    if (std::strstr(commandLine, "poll")) mode = Mode::Poll;
    if (std::strstr(commandLine, "chord")) mode = Mode::Chord;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = IdleProc;
    wc.hInstance = instance;
    wc.lpszClassName = "VeskalBenchIdle";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, mode == Mode::Chord ? "VeskalBenchChord" : "",
                                WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    MSG msg;
    if (mode == Mode::Block) {
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        return 0;
    }
    volatile int down = 0;  // the reads must not be optimised away
    bool shown = false;
    for (;;) {
        if (mode != Mode::Sleep && PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&msg, nullptr, 0, 0)) return 0;
            DispatchMessageA(&msg);
            continue;
        }
        Sleep(10);
        if (mode == Mode::Poll) down = down + IsDown(VK_SHIFT) + IsDown(VK_CONTROL) + IsDown(VK_LBUTTON);
        if (mode == Mode::Chord) {
            bool shift = IsDown(VK_SHIFT), control = IsDown(VK_CONTROL);
            down = down + IsDown(VK_LBUTTON);
            ShowWhileChord(hwnd, shift && control, shown);
        }
    }
}
