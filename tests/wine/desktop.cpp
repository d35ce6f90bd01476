// The Wine suite's toolkit and its main: wine_tests.exe [GTEST FLAGS] BIN_DIR
// WORK_DIR, or wine_tests.exe --churn for the window churn of a drag row.
#include "tests/wine/desktop.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <deque>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

std::string binDir, workDir;

namespace {

std::vector<Child> children;

PROCESS_INFORMATION Launch(std::string line, const std::string& directory) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    Check(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                         directory.empty() ? nullptr : directory.c_str(), &startup, &info) != 0,
          "cannot start %s (error %lu)", line.c_str(), GetLastError());
    // A Unix program comes with no process handle, and where wine32 is
    // installed with a stray thread handle: closing that could close another.
    if (info.hProcess) CloseHandle(info.hThread);
    return info;
}

// Runs xdotool; then waits until Wine's key state, which every Wine process
// reads, shows the keys down or up.
void Xdo(const std::string& arguments, std::initializer_list<int> keys = {}, bool down = false) {
    XdoWait(XdoStart(arguments));
    Check(WaitFor([&] {
              for (int vk : keys)
                  if (((GetAsyncKeyState(vk) & 0x8000) != 0) != down) return false;
              return true;
          }),
          "Wine does not see xdotool %s", arguments.c_str());
}

// Keys go to the X window of the shell's window that never moves: over no
// Wine window they would never reach Wine, whose key state would stick.
const std::string kShiftCtrl = "search --name '^E2E Focus$' windowfocus --sync key";

}  // namespace

void Check(bool ok, const char* format, ...) {
    if (ok) return;
    char buffer[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    throw std::runtime_error(buffer);
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    for (DWORD start = GetTickCount(); !done(); Sleep(20))
        if ((int)(GetTickCount() - start) >= timeoutMs) return done();
    return true;
}

std::string ReadBytes(const std::string& path) {
    return std::string(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    Check(bool(std::ofstream(path, std::ios::binary) << bytes), "cannot write %s", path.c_str());
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Printable(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        char hex[8];
        std::snprintf(hex, sizeof hex, c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\x%02X", c);
        out += c >= 0x20 && c < 0x7F ? std::string(1, (char)c) : hex;
    }
    return out;
}

Child Start(const std::string& exe, const std::string& arguments, const std::string& directory) {
    PROCESS_INFORMATION info = Launch("\"" + exe + "\" " + arguments, directory);
    children.push_back({info.hProcess, info.dwProcessId, info.dwThreadId});
    return children.back();
}

bool Running(const Child& child) {
    return WaitForSingleObject(child.process, 0) == WAIT_TIMEOUT;
}

DWORD AwaitExit(const Child& child, const char* what) {
    DWORD code = 0;
    Check(WaitForSingleObject(child.process, kDeadlineMs) == WAIT_OBJECT_0, "%s is still running", what);
    GetExitCodeProcess(child.process, &code);
    return code;
}

// Wine starts a Unix program detached, with no handle to wait on: xdotool
// runs in a shell that leaves its exit status in a file, in the work
// directory (the driver's current one, which Wine gives the shell too).
std::string XdoStart(const std::string& arguments) {
    static int counter = 0;
    std::string marker = "xdo-" + std::to_string(++counter);
    Launch("Z:\\bin\\sh -c \"xdotool " + arguments + "; echo $? >" + marker + ".tmp && mv " + marker + ".tmp " + marker +
               "\"",
           workDir);
    return workDir + "\\" + marker;
}

void XdoWait(const std::string& marker) {
    Check(WaitFor([&] { return FileExists(marker); }), "xdotool did not finish (%s)", marker.c_str());
    std::string status = ReadBytes(marker);
    DeleteFileA(marker.c_str());
    Check(status == "0\n", "xdotool failed with %s", status.c_str());
}

void PointerTo(int x, int y) {
    Xdo("mousemove " + std::to_string(x) + " " + std::to_string(y));
    POINT p = {};
    Check(WaitFor([&] { return GetCursorPos(&p) && p.x == x && p.y == y; }), "pointer at (%ld,%ld), not (%d,%d)",
          p.x, p.y, x, y);
}

void Keys(bool down) {
    Xdo(kShiftCtrl + (down ? "down" : "up") + " shift+ctrl", {VK_SHIFT, VK_CONTROL}, down);
}

void Button(bool down) {
    Xdo(down ? "mousedown 1" : "mouseup 1", {VK_LBUTTON}, down);
}

HWND AwaitWindow(DWORD pid, const char* className, const char* title) {
    HWND found = nullptr;
    WaitFor([&] {
        for (found = nullptr; (found = FindWindowExA(nullptr, found, className, title));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == pid) return true;
        }
        return false;
    });
    Check(found != nullptr, "no window of class %s titled %s", className, title ? title : "(any)");
    return found;
}

POINT TopLeft(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return {r.left, r.top};
}

void MoveTo(HWND hwnd, POINT to) {
    SetWindowPos(hwnd, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// 100 windows in turn, at most 8 at a time, one a tick, in a process of
// their own: moving another thread's window waits for that thread, so this
// one keeps answering. Inside the screen, also after a drag step (crossing
// its edge slows Wine); never activated (Wine waits 2 s for a window manager
// whenever an active window goes away). Exit code 0 once all came and went.
void CALLBACK ChurnStep(HWND, UINT, UINT_PTR, DWORD) {
    static std::deque<HWND> alive;
    static int created = 0, destroyed = 0;
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "VeskalE2EChurn", "E2E Churn", WS_POPUP,
                                100 + created * 37 % 740, 100 + created * 53 % 500, 80, 50, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (hwnd) {
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        alive.push_back(hwnd);
    }
    bool last = ++created == 100;
    for (; alive.size() > (last ? 0u : 8u); alive.pop_front()) destroyed += DestroyWindow(alive.front()) != 0;
    if (last) PostQuitMessage(destroyed == 100 && alive.empty() ? 0 : 1);
}

int Churn() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = (HBRUSH)(COLOR_HIGHLIGHT + 1);
    wc.lpszClassName = "VeskalE2EChurn";
    RegisterClassA(&wc);
    SetTimer(nullptr, 0, 10, ChurnStep);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return (int)msg.wParam;
}

}  // namespace

void ReleaseInput() {
    Xdo("mouseup 1");
    Xdo(kShiftCtrl + "up shift+ctrl");
}

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--churn") return Churn();
    testing::InitGoogleTest(&argc, argv);
    if (argc != 3) return 2;
    binDir = argv[1], workDir = argv[2];
    int failed = RUN_ALL_TESTS();
    // A quit message first: a terminated notepad can live on under Wine 8,
    // and with it the whole prefix.
    for (Child& child : children) PostThreadMessageA(child.thread, WM_QUIT, 0, 0);
    for (Child& child : children)
        if (WaitForSingleObject(child.process, 5000) != WAIT_OBJECT_0) TerminateProcess(child.process, 1);
    return failed;
}
