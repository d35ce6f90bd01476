// The end-to-end driver's toolkit: checks, deadline polls, child processes,
// X input through xdotool, and the windows under test.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Outcomes are awaited by polling up to a deadline: a pass over all windows
// can stall for seconds under Wine when windows cross the screen edge.
const int kDeadlineMs = 20000;
// How long an outcome that must NOT happen is given to show up anyway
// (about 50 poll ticks of the program under test).
const int kSettleMs = 600;

// ---- checks (a failed Require ends the scenario)
void Expect(bool ok, const char* format, ...);
void Require(bool ok, const char* format, ...);
// Logs a place where Wine is known to behave unlike Windows; the test keeps
// its check and states the expectation for both.
void WineDiffers(const char* name, const char* what);
bool OnWine();
bool WaitFor(const std::function<bool()>& done, int timeoutMs = kDeadlineMs);
void Settle();

// ---- configuration given on the command line
struct DriverConfig {
    std::string binDir;   // veskal.exe, e2e_shell.exe, e2e_recorder.exe, maybe config.exe
    std::string workDir;  // fresh directories for each start are made here
};
extern DriverConfig driverConfig;
std::string BinPath(const char* file);
bool FileExists(const std::string& path);

// ---- files
std::string FreshDir(const std::string& name);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
std::vector<std::string> ListDir(const std::string& dir);
std::string Printable(const std::string& bytes);  // escapes CR, LF and other control bytes

// ---- processes; every child is ended by its handle when the scenario ends
struct Child {
    HANDLE process = nullptr;
    DWORD pid = 0;
};
// A child started with scenarioOwned false lives until the driver ends it.
Child Start(const std::string& commandLine, const std::string& directory, bool scenarioOwned = true);
bool WaitExit(const Child& child, int timeoutMs, DWORD* exitCode);
bool IsRunning(const Child& child);
void EndScenarioChildren();
void EndChild(Child& child);

// ---- X input; SendInput would not do: Wine resets its Shift and Ctrl state
// from the X server's as soon as the pointer moves.
void Xdo(const std::string& arguments);
void PointerTo(int x, int y);
void KeysDown(const char* keys);  // xdotool key names joined by '+', e.g. "shift+ctrl"
void KeysUp(const char* keys);
void ReleaseAllInput();
void ButtonDown();
void ButtonUp();
POINT CursorPos();

// ---- windows
HWND FindWindowOf(DWORD pid, const char* className, const char* title);  // title may be null
RECT RectOf(HWND hwnd);
POINT TopLeft(HWND hwnd);
bool IsAt(HWND hwnd, int x, int y);
std::string Describe(HWND hwnd);  // "(x,y)" for messages
bool IsAbove(HWND upper, HWND lower);  // z-order among top-level windows
POINT CursorHotSpot();  // of the cursor shown now; (-1, -1) when unknown
