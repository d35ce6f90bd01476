// Start-up: the desktop search, the single instance, the MoverWindow.
#include <algorithm>
#include <cstdio>

#include "tests/e2e/testbed.h"

namespace {

// Without the desktop's icon view the program ends at once with code 0 and
// leaves the settings file alone.
void EndsAtOnce() {
    const std::string ini = "WIDTH=7\r\n";
    Veskal veskal = Launch(PrepareDir("no-desktop", &ini));
    DWORD started = GetTickCount();
    ExpectExitZero(veskal, "no desktop");
    std::printf("    ended after %.1f s\n", (GetTickCount() - started) / 1000.0);
    Expect(SavedIni(veskal) == ini, "settings file changed to \"%s\"", Printable(SavedIni(veskal)).c_str());
    Expect(FindWindowOf(0, "VESKALClass", nullptr) == nullptr, "a VESKALClass window is left");
}

void StartsAndSavesDefaults() {
    Veskal veskal = StartVeskal("defaults");
    HWND mover = veskal.mover;
    RECT r = RectOf(mover);
    LONG style = GetWindowLongA(mover, GWL_STYLE), exStyle = GetWindowLongA(mover, GWL_EXSTYLE);
    Expect(!IsWindowVisible(mover), "MoverWindow visible at start");
    Expect(r.left == 0 && r.top == 0 && r.right == 1 && r.bottom == 1, "MoverWindow at (%ld,%ld,%ld,%ld)", r.left,
           r.top, r.right, r.bottom);
    Expect((style & (WS_POPUP | WS_CAPTION | WS_THICKFRAME)) == WS_POPUP, "MoverWindow style %08lx", style);
    Expect(exStyle & WS_EX_TOOLWINDOW, "MoverWindow extended style %08lx lacks WS_EX_TOOLWINDOW", exStyle);
    Expect(!FileExists(veskal.dir + "\\veskal.ini"), "settings file written before exit");
    ExpectShifted(0, 0, "after start");

    PostMessageA(mover, WM_CLOSE, 0, 0);
    ExpectExitZero(veskal, "WM_CLOSE");
    Expect(SavedIni(veskal) == kDefaultIni, "saved \"%s\"", Printable(SavedIni(veskal)).c_str());
    std::vector<std::string> files = ListDir(veskal.dir);
    std::sort(files.begin(), files.end());
    Expect(files == std::vector<std::string>{"config.exe", "veskal.exe", "veskal.ini"}, "%zu files left behind",
           files.size());
    ExpectShifted(0, 0, "after exit");
}

void SecondInstanceEnds() {
    Veskal first = StartVeskal("first");
    Veskal second = Launch(PrepareDir("second", nullptr));
    ExpectExitZero(second, "second instance");
    Expect(IsRunning(first.child), "the first instance ended");
    DWORD_PTR result;
    Expect(SendMessageTimeoutA(first.mover, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &result) != 0,
           "the first instance does not answer");
    Expect(FindWindowOf(0, "VESKALClass", nullptr) == first.mover, "another VESKALClass window exists");
    Expect(!FileExists(second.dir + "\\veskal.ini"), "the second instance wrote settings");
    SendCommand(first, 32771);
    ExpectExitZero(first, "exit command");
}

}  // namespace

extern const Scenario kStartupScenarios[] = {
    {"startup: no shell, ends at once", Desktop::None, EndsAtOnce},
    {"startup: first child of Progman has another class", Desktop::BadChain, EndsAtOnce},
    {"startup: with shell, hidden MoverWindow, defaults saved", Desktop::Full, StartsAndSavesDefaults},
    {"startup: second instance ends, first keeps running", Desktop::Full, SecondInstanceEnds},
};
extern const int kStartupScenarioCount = sizeof kStartupScenarios / sizeof kStartupScenarios[0];
