// The desktop the scenarios run on (stand-in shell, its sample windows and
// Wine's notepad) and the program under test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/e2e/driver_run.h"

// A window whose position the scenarios check.
struct Watched {
    std::string name;
    HWND hwnd;
    POINT home;
    bool shifts;  // moved by a shift pass
};

struct TestBed {
    Desktop desktop = Desktop::None;
    Child shell;
    Child notepad;
    HWND progman = nullptr;
    std::vector<Watched> watched;
};
extern TestBed bed;

void SetUpDesktop(Desktop desktop);
void TearDownDesktop();
HWND Watch(const char* name);
// Puts every watched window back where it started.
void ResetWindows();
// Waits until every window that a shift pass moves stands at home + (dx, dy)
// and checks that the others have not moved.
void ExpectShifted(int dx, int dy, const char* when);
// Checks that nothing moved away from home + (dx, dy) after a settle time.
void ExpectStill(int dx, int dy, const char* when);

// ---- veskal.exe
struct Veskal {
    Child child;
    std::string dir;
    HWND mover = nullptr;
};

const char* const kDefaultIni = "WIDTH=3\r\nHEIGHT=3\r\nACTKEY=16\r\nACTKEY=17\r\nDCENTER=1\r\nPOS0=4\r\nSPEED=1\r\n";

// A fresh directory holding veskal.exe, the recording stand-in as
// config.exe, and veskal.ini when ini is given.
std::string PrepareDir(const std::string& name, const std::string* ini);
Veskal Launch(const std::string& dir);
// Waits for the MoverWindow and for the main loop to answer messages.
void AwaitRunning(Veskal& veskal);
Veskal StartVeskal(const std::string& name, const std::string* ini = nullptr);
// Waits for the process to end and checks exit code 0.
void ExpectExitZero(Veskal& veskal, const char* how);
void SendCommand(const Veskal& veskal, WORD id, WORD notification = 0);
void SendSettingsText(const Veskal& veskal, const std::string& text);
std::string SavedIni(const Veskal& veskal);
// Runs the settings command with the recording stand-in and returns the
// parameters it was started with.
std::string RecordedSettingsLaunch(const Veskal& veskal);
bool MoverVisible(const Veskal& veskal);
bool MoverParkedAt(const Veskal& veskal, POINT at);
// Holds the chord and waits for pan mode: MoverWindow shown under the pointer.
void EnterPanMode(const Veskal& veskal, const char* keys = "shift+ctrl");
void LeavePanMode(const Veskal& veskal, const char* keys = "shift+ctrl");
// Waits until the program's poll has run a whole tick after this call.
void AwaitPollTick(const Veskal& veskal);
// Press and release of the left button in pan mode, each awaited until a
// poll tick has seen it.
void PressButton(const Veskal& veskal);
void ReleaseButton(const Veskal& veskal);
