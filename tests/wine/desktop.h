// The Wine suite's toolkit: the real exes started and watched, X input, and
// a wait for outcomes (a pass over all windows can stall for seconds under
// Wine when windows cross the screen edge). main is in desktop.cpp.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

const int kDeadlineMs = 20000;
inline std::string binDir;   // veskal.exe, config.exe, desktop_shell.exe, wine_tests.exe
inline std::string workDir;  // this run's directory, on drive Z:, the current one

// Throws, and so ends the row at once, with the message unless `ok`.
template <typename... Values>
void Check(bool ok, const char* format, Values... values) {
    if (ok) return;
    char buffer[2048];
    std::snprintf(buffer, sizeof buffer, format, values...);
    throw std::runtime_error(buffer);
}

inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = kDeadlineMs) {
    for (DWORD start = GetTickCount(); !done(); Sleep(20))
        if ((int)(GetTickCount() - start) >= timeoutMs) return done();
    return true;
}

inline std::string ReadBytes(const std::string& path) {
    return std::string(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    Check(bool(std::ofstream(path, std::ios::binary) << bytes), "cannot write %s", path.c_str());
}

inline bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

using Child = PROCESS_INFORMATION;  // its hThread closed
inline std::vector<Child> children;  // ended by main when the tests end

// A Unix program comes with no process handle, and where wine32 is installed
// with a stray thread handle: closing that could close another.
inline Child Start(const std::string& exe, const std::string& arguments = "", const std::string& directory = workDir) {
    std::string line = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    Check(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup, &info),
          "cannot start %s (error %lu)", line.c_str(), GetLastError());
    if (info.hProcess && CloseHandle(info.hThread)) children.push_back(info);
    return info;
}

inline bool Running(const Child& child) { return WaitForSingleObject(child.hProcess, 0) == WAIT_TIMEOUT; }

inline DWORD AwaitExit(const Child& child, const char* what) {  // its exit code
    DWORD code = 0;
    Check(WaitForSingleObject(child.hProcess, kDeadlineMs) == WAIT_OBJECT_0, "%s is still running", what);
    GetExitCodeProcess(child.hProcess, &code);
    return code;
}

// A Unix command through sh: a Unix program comes with no handle to wait on,
// so the shell leaves the exit status in a file, for UnixWait, and its start
// time in FILE.t.
inline std::string UnixStart(const std::string& command) {
    static int counter = 0;
    std::string marker = "unix-" + std::to_string(++counter);
    Start("Z:\\bin\\sh", "-c \"date +%s%N >$0.t; " + command + "; echo $? >$0.tmp && mv $0.tmp $0\" " + marker);
    return workDir + "\\" + marker;
}

// The exit status, as the shell printed it ("0\n").
inline std::string UnixWait(const std::string& marker) {
    Check(WaitFor([&] { return FileExists(marker); }), "a Unix command did not finish (%s)", marker.c_str());
    std::string status = ReadBytes(marker);
    DeleteFileA(marker.c_str());
    return status;
}

// X input through xdotool: Wine resets SendInput's Shift and Ctrl from the X
// server as soon as the pointer moves. A search fails when a window it walks
// goes meanwhile (a Wine process that ends takes its X windows with it): it
// is tried up to three times.
inline std::string XdoStart(const std::string& arguments) {
    return UnixStart("for i in 1 2 3; do xdotool " + arguments + " && break; done");
}

// Unix time in ms: Wine's system time is the same clock as xdotool's start
// time, which XdoStart leaves in MARKER.t.
inline double UnixMs() {
    FILETIME t = {};
    GetSystemTimePreciseAsFileTime(&t);
    return double((uint64_t)t.dwHighDateTime << 32 | t.dwLowDateTime) / 1e4 - 11644473600e3;
}

inline void XdoWait(const std::string& marker) {
    std::string status = UnixWait(marker);
    Check(status == "0\n", "xdotool failed with %s", status.c_str());
}

// Keys go to the X window of the shell's window that never moves: over no
// Wine window they would never reach Wine, whose key state would stick. In a
// Wine virtual desktop, its one X window takes them.
inline std::string keyWindow = "search --name '^E2E Focus$'";
const char* const kVirtualDesktop = "VeskalDisplay";  // run.sh runs suite Display in it

// Both keys at once (--delay 0). Were Veskal to hide its surface between the
// two releases, X would tell the window then under the pointer that the other
// key is down, and Wine, handling that late, would put it down again.
inline std::string ShiftCtrl(const char* downOrUp) {
    return keyWindow + " windowfocus --sync key" + downOrUp + " --delay 0 shift+ctrl";
}

// Runs xdotool, then waits until Wine's key state, which every Wine process
// reads, shows the keys down or up. Else, after 5 s, the X focus leaves the
// key window and comes back, so that Wine reads again the keys X holds, and
// the input is given once more (Veskal sends no keys: this hides no fault).
inline void Xdo(const std::string& arguments, const std::vector<int>& keys = {}, bool down = false) {
    auto seen = [&](int vk) { return (GetAsyncKeyState(vk) < 0) == down; };
    auto allSeen = [&] { return std::all_of(keys.begin(), keys.end(), seen); };
    bool ok = false;
    for (const std::string& refocus : {std::string(), "windowfocus --sync 0 " + keyWindow + " windowfocus --sync "}) {
        XdoWait(XdoStart(refocus + arguments));
        if ((ok = WaitFor(allSeen, refocus.empty() ? 5000 : kDeadlineMs))) break;
    }
    Check(ok, "Wine does not see xdotool %s", arguments.c_str());
}

inline void PointerTo(int x, int y) {
    Xdo("mousemove " + std::to_string(x) + " " + std::to_string(y));
    POINT p = {};
    bool there = WaitFor([&] { return GetCursorPos(&p) && p.x == x && p.y == y; });  // before p is printed
    Check(there, "pointer at (%ld,%ld), not (%d,%d)", p.x, p.y, x, y);
}

inline HWND AwaitWindow(const Child& child, const char* className, const char* title) {  // title null: any
    HWND found = nullptr;
    DWORD owner = 0;
    WaitFor([&] {
        for (found = nullptr; (found = FindWindowExA(nullptr, found, className, title));)
            if (GetWindowThreadProcessId(found, &owner) && owner == child.dwProcessId) return true;
        return false;
    });
    Check(found != nullptr, "no window of class %s titled %s", className, title ? title : "(any)");
    return found;
}

inline POINT TopLeft(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return {r.left, r.top};
}

inline void MoveTo(HWND hwnd, POINT to) {
    SetWindowPos(hwnd, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
