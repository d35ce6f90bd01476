// The Wine suite's toolkit: the real exes started and watched, X input, and
// a wait for outcomes (a pass over all windows can stall for seconds under
// Wine when windows cross the screen edge).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

const int kDeadlineMs = 20000;

// Throws, and so fails the test, with the message unless `ok`.
void Check(bool ok, const char* format, ...);
bool WaitFor(const std::function<bool()>& done, int timeoutMs = kDeadlineMs);

extern std::string binDir;   // veskal.exe, config.exe, desktop_shell.exe, wine_tests.exe
extern std::string workDir;  // this run's directory, on drive Z:

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
std::string Printable(const std::string& bytes);  // control bytes escaped

struct Child {  // ended when the tests end
    HANDLE process = nullptr;
    DWORD pid = 0, thread = 0;
};
Child Start(const std::string& exe, const std::string& arguments = "", const std::string& directory = "");
bool Running(const Child& child);
DWORD AwaitExit(const Child& child, const char* what);  // its exit code

// X input; SendInput would not do: Wine takes its Shift and Ctrl state
// from the X server's as soon as the pointer moves.
std::string XdoStart(const std::string& arguments);  // for XdoWait
void XdoWait(const std::string& started);
void PointerTo(int x, int y);
void Keys(bool down);  // Shift+Ctrl
void Button(bool down);
void ReleaseInput();  // after a failed row: nothing held for the next

HWND AwaitWindow(DWORD pid, const char* className, const char* title);  // title null: any title
POINT TopLeft(HWND hwnd);
void MoveTo(HWND hwnd, POINT to);
