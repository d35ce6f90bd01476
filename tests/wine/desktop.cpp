// The Wine suite's main: wine_tests.exe [GTEST FLAGS] BIN_DIR WORK_DIR, or
// wine_tests.exe --churn for the window churn of a drag row.
#include "tests/wine/desktop.h"

#include <gtest/gtest.h>

#include <deque>

// 100 windows in turn, at most 8 at a time, one a tick, in a process of
// their own: moving another thread's window waits for that thread, so this
// one keeps answering. Inside the screen, also after a drag step (crossing
// its edge slows Wine); never activated (Wine waits 2 s for a window manager
// whenever an active window goes away). Exit code 0 once all came and went.
static void CALLBACK ChurnStep(HWND, UINT, UINT_PTR, DWORD) {
    static std::deque<HWND> alive;
    static int created = 0, destroyed = 0;
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "Static", "E2E Churn", WS_POPUP,
                                100 + created * 37 % 740, 100 + created * 53 % 500, 80, 50, nullptr, nullptr,
                                nullptr, nullptr);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    alive.push_back(hwnd);  // null too: then fewer are destroyed
    bool last = ++created == 100;
    for (; alive.size() > (last ? 0u : 8u); alive.pop_front()) destroyed += DestroyWindow(alive.front()) != 0;
    if (last) PostQuitMessage(destroyed == 100 && alive.empty() ? 0 : 1);
}

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--churn") {
        SetTimer(nullptr, 0, 10, ChurnStep);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        return (int)msg.wParam;
    }
    testing::InitGoogleTest(&argc, argv);
    if (argc != 3) return 2;
    binDir = argv[1], workDir = argv[2];
    int failed = RUN_ALL_TESTS();
    // A quit message first: a terminated notepad can live on under Wine 8,
    // and with it the whole prefix.
    for (Child& child : children) PostThreadMessageA(child.dwThreadId, WM_QUIT, 0, 0);
    for (Child& child : children)
        if (WaitForSingleObject(child.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(child.hProcess, 1);
    return failed;
}
