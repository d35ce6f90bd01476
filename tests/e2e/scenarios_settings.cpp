// The settings file as read and written by the real C runtime, the settings
// command's parameters, the real config.exe, and a double-byte directory.
#include "tests/e2e/testbed.h"

namespace {

struct FileCase {
    const char* name;
    std::string ini;
    std::string saved;
};
const FileCase kFileCases[] = {
    {"odd lines",
     "\xEF\xBB\xBFSPEED=9\r\n"  // a byte-order mark spoils the first key
     "width=4\r\nWIDTH =4\r\nWIDTHS=4\r\n"
     "WIDTH=2\n"  // LF alone
     "WIDTH= 4\r\n"
     "\r\n"
     "HEIGHT=2=9\r\n"
     "ACTKEY=16\r\nACTKEY=16\r\n"
     "garbage\r\n=4\r\nHEIGHT\r\n"
     "DCENTER=200\r\n"
     "POS0=9\r\n"
     "SPEED=25",  // no line end
     "WIDTH=4\r\nHEIGHT=2\r\nACTKEY=16\r\nACTKEY=16\r\nDCENTER=-56\r\nPOS0=9\r\nSPEED=25\r\n"},
    {"Ctrl-Z ends the file", std::string("WIDTH=2\r\nACTKEY=17\r\nPOS0=3\x1A") + "7\r\nSPEED=7\r\nHEIGHT=5\r\n",
     "WIDTH=2\r\nHEIGHT=3\r\nACTKEY=17\r\nDCENTER=1\r\nPOS0=3\r\nSPEED=1\r\n"},
    {"only WIDTH", "WIDTH=5\n", "WIDTH=5\r\nHEIGHT=3\r\nDCENTER=1\r\nPOS0=4\r\nSPEED=1\r\n"},
    {"empty value, wrap, low byte",
     "WIDTH=\r\nHEIGHT=4294967298\r\nDCENTER=256\r\nPOS0=-1\r\nSPEED=0\r\nACTKEY=+18x\r\n",
     "WIDTH=0\r\nHEIGHT=2\r\nACTKEY=18\r\nDCENTER=0\r\nPOS0=-1\r\nSPEED=0\r\n"},
    {"empty file", "", "WIDTH=3\r\nHEIGHT=3\r\nDCENTER=1\r\nPOS0=4\r\nSPEED=1\r\n"},
};

void SettingsFileRoundTrip() {
    for (const FileCase& c : kFileCases) {
        Veskal veskal = StartVeskal("ini", &c.ini);
        PostMessageA(veskal.mover, WM_CLOSE, 0, 0);
        ExpectExitZero(veskal, c.name);
        Expect(SavedIni(veskal) == c.saved, "%s: saved \"%s\", expected \"%s\"", c.name,
               Printable(SavedIni(veskal)).c_str(), Printable(c.saved).c_str());
    }
}

struct LaunchCase {
    const char* name;
    const char* ini;  // null: no file
    const char* parameters;
};
const LaunchCase kLaunchCases[] = {
    {"defaults", nullptr, "2 2 1 4 1 16 17"},
    {"DCENTER=2 is sent as 0", "DCENTER=2\r\n", "2 2 0 4 1"},
    {"from the file", "WIDTH=5\r\nHEIGHT=1\r\nACTKEY=17\r\nACTKEY=18\r\nPOS0=8\r\nSPEED=10\r\n", "4 0 1 8 10 17 18"},
};

void SettingsCommandParameters() {
    for (const LaunchCase& c : kLaunchCases) {
        std::string ini = c.ini ? c.ini : "";
        Veskal veskal = StartVeskal("launch", c.ini ? &ini : nullptr);
        std::string launched = RecordedSettingsLaunch(veskal);
        Expect(launched == c.parameters, "%s: config.exe got \"%s\"", c.name, launched.c_str());
        Expect(IsRunning(veskal.child), "%s: the settings command ended the program", c.name);
        SendCommand(veskal, 32771);
        ExpectExitZero(veskal, c.name);
    }
}

// ---- the real config.exe

HWND AwaitDialog(DWORD pid) {
    HWND dialog = nullptr;
    WaitFor([&] {
        dialog = FindWindowW(L"#32770", L"Veskal 設定");
        DWORD owner = 0;
        if (dialog) GetWindowThreadProcessId(dialog, &owner);
        return dialog && (!pid || owner == pid);
    });
    Require(dialog != nullptr, "no dialog \"Veskal 設定\" appeared");
    return dialog;
}

DWORD PressOk(HWND dialog) {
    DWORD pid = 0;
    GetWindowThreadProcessId(dialog, &pid);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
    return pid;
}

void RealConfigChangesRunningInstance() {
    std::string config = BinPath("config.exe");
    if (!FileExists(config)) SkipScenario("config.exe has not been built");
    Veskal veskal = StartVeskal("real-config");

    // Started by hand with settings on its command line; OK sends them.
    SetWindowPos(Watch("E2E Window A"), nullptr, 3000, 2000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Child byHand = Start("\"" + config + "\" 3 1 0 8 4 17 16", veskal.dir);
    PressOk(AwaitDialog(byHand.pid));
    DWORD code = 1;
    Expect(WaitExit(byHand, kDeadlineMs, &code), "config.exe stays open after OK");
    Expect(WaitFor([&] { return IsAt(Watch("E2E Window A"), 960, 704); }),
           "new plane size did not recall a far-off window: %s", Describe(Watch("E2E Window A")).c_str());
    std::string launched = RecordedSettingsLaunch(veskal);
    Expect(launched == "3 1 0 8 4 17 16", "after OK: the settings command passes \"%s\"", launched.c_str());
    ResetWindows();

    // Started by the settings command; OK with the values unchanged.
    Require(CopyFileA(config.c_str(), (veskal.dir + "\\config.exe").c_str(), FALSE) != 0, "cannot copy config.exe");
    SendCommand(veskal, 32773);
    DWORD launchedPid = PressOk(AwaitDialog(0));
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, launchedPid);
    Expect(process && WaitForSingleObject(process, kDeadlineMs) == WAIT_OBJECT_0,
           "config.exe started by the settings command stays open after OK");
    if (process) {
        TerminateProcess(process, 1);  // only if it is still there
        CloseHandle(process);
    }

    PostMessageA(veskal.mover, WM_CLOSE, 0, 0);
    ExpectExitZero(veskal, "WM_CLOSE");
    const char* saved = "WIDTH=4\r\nHEIGHT=2\r\nACTKEY=17\r\nACTKEY=16\r\nDCENTER=0\r\nPOS0=8\r\nSPEED=4\r\n";
    Expect(SavedIni(veskal) == saved, "saved \"%s\"", Printable(SavedIni(veskal)).c_str());
}

// A directory named with a double-byte character whose trail byte is a
// backslash (0x95 0x5C in code page 932).
void DoubleByteDirectory() {
    if (GetACP() != 932) SkipScenario("needs the Japanese code page (run with LC_ALL=ja_JP.UTF-8)");
    Veskal veskal = StartVeskal("dbcs-\x95\x5C");
    std::string launched = RecordedSettingsLaunch(veskal);
    Expect(launched == "2 2 1 4 1 16 17", "config.exe beside the program got \"%s\"", launched.c_str());
    PostMessageA(veskal.mover, WM_CLOSE, 0, 0);
    ExpectExitZero(veskal, "WM_CLOSE");
    Expect(SavedIni(veskal) == kDefaultIni, "no settings file in the double-byte directory (\"%s\")",
           Printable(SavedIni(veskal)).c_str());
}

}  // namespace

extern const Scenario kSettingsScenarios[] = {
    {"settings: odd file lines load, the file is rewritten", Desktop::Full, SettingsFileRoundTrip},
    {"settings: settings command passes the current values", Desktop::Full, SettingsCommandParameters},
    {"settings: real config.exe changes the running program", Desktop::Full, RealConfigChangesRunningInstance},
    {"settings: double-byte directory", Desktop::Full, DoubleByteDirectory},
};
extern const int kSettingsScenarioCount = sizeof kSettingsScenarios / sizeof kSettingsScenarios[0];
