#include "tests/e2e/testbed.h"

#include "tests/e2e/e2e_windows.h"

TestBed bed;

namespace {

const POINT kNotepadHome = {640, 40};
const UINT kMoveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

HWND AwaitWindow(DWORD pid, const char* className, const char* title) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindWindowOf(pid, className, title)) != nullptr; });
    Require(found != nullptr, "no window of class %s titled %s", className, title ? title : "(any)");
    return found;
}

void StartFullDesktop() {
    bed.shell = Start(Quoted(BinPath("e2e_shell.exe")), "", false);
    // Once idle, the shell has created and shown (or minimized) everything.
    WaitForInputIdle(bed.shell.process, kDeadlineMs);
    bed.progman = AwaitWindow(bed.shell.pid, "Progman", "Program Manager");
    for (const E2EWindow& w : kE2EWindows) {
        HWND hwnd = AwaitWindow(bed.shell.pid, w.className ? w.className : kSampleClass, w.title);
        POINT home = w.shifts ? POINT{w.x, w.y} : TopLeft(hwnd);
        bed.watched.push_back({w.title, hwnd, home, w.shifts});
    }
    // A program that is not ours moves like the rest.
    bed.notepad = Start("notepad.exe", "", false);
    HWND notepad = AwaitWindow(bed.notepad.pid, "Notepad", nullptr);
    SetWindowPos(notepad, nullptr, kNotepadHome.x, kNotepadHome.y, 360, 260, SWP_NOZORDER | SWP_NOACTIVATE);
    bed.watched.push_back({"notepad", notepad, kNotepadHome, true});
    // The desktop itself is an ordinary top-level window to the walker.
    bed.watched.push_back({"Program Manager", bed.progman, {0, 0}, true});
    ResetWindows();
}

}  // namespace

void TearDownDesktop() {
    for (Child* child : {&bed.notepad, &bed.shell}) {
        EndChild(*child);
        if (child->process) CloseHandle(child->process);
    }
    bed = TestBed();
}

void SetUpDesktop(Desktop desktop) {
    if (bed.desktop == desktop) return;
    TearDownDesktop();
    if (desktop == Desktop::BadChain) {
        bed.shell = Start(Quoted(BinPath("e2e_shell.exe")) + " --bad-chain --no-samples", "", false);
        bed.progman = AwaitWindow(bed.shell.pid, "Progman", "Program Manager");
    } else if (desktop == Desktop::Full) {
        StartFullDesktop();
    }
    bed.desktop = desktop;
}

HWND Watch(const char* name) {
    for (const Watched& w : bed.watched)
        if (w.name == name) return w.hwnd;
    Require(false, "no watched window %s", name);
    return nullptr;
}

void ResetWindows() {
    for (const Watched& w : bed.watched)
        if (w.shifts) SetWindowPos(w.hwnd, nullptr, w.home.x, w.home.y, 0, 0, kMoveOnly);
    ExpectShifted(0, 0, "reset");
}

namespace {

void CheckPositions(int dx, int dy, const char* when) {
    for (const Watched& w : bed.watched) {
        int x = w.home.x + (w.shifts ? dx : 0), y = w.home.y + (w.shifts ? dy : 0);
        Expect(IsAt(w.hwnd, x, y), "%s: %s at %s, expected (%d,%d)", when, w.name.c_str(), Describe(w.hwnd).c_str(),
               x, y);
    }
}

}  // namespace

void ExpectShifted(int dx, int dy, const char* when) {
    WaitFor([&] {
        for (const Watched& w : bed.watched)
            if (w.shifts && !IsAt(w.hwnd, w.home.x + dx, w.home.y + dy)) return false;
        return true;
    });
    CheckPositions(dx, dy, when);
}

void ExpectStill(int dx, int dy, const char* when) {
    Settle();
    CheckPositions(dx, dy, when);
}

std::string PrepareDir(const std::string& name, const std::string* ini) {
    std::string dir = FreshDir(name);
    Require(CopyFileA(BinPath("veskal.exe").c_str(), (dir + "\\veskal.exe").c_str(), FALSE) != 0,
            "cannot copy veskal.exe");
    Require(CopyFileA(BinPath("e2e_recorder.exe").c_str(), (dir + "\\config.exe").c_str(), FALSE) != 0,
            "cannot copy the recording config.exe");
    if (ini) WriteBytes(dir + "\\veskal.ini", *ini);
    return dir;
}

Veskal Launch(const std::string& dir) {
    Veskal veskal;
    veskal.dir = dir;
    veskal.child = Start(Quoted(dir + "\\veskal.exe"), dir);
    return veskal;
}

void AwaitRunning(Veskal& veskal) {
    WaitFor([&] {
        veskal.mover = FindWindowOf(veskal.child.pid, "VESKALClass", "Veskal");
        return veskal.mover != nullptr || !IsRunning(veskal.child);
    });
    Require(veskal.mover != nullptr, "veskal.exe shows no MoverWindow (running: %d)", IsRunning(veskal.child));
    // A message sent too early is answered while the tray icon is being
    // added, long before the main loop. The tool-window style is set after
    // that and nothing in between answers messages, so a message sent once
    // the style shows is answered by the main loop. (WaitForInputIdle does
    // not help: under Wine it never fires for a loop of PeekMessage and
    // Sleep.)
    Expect(WaitFor([&] { return (GetWindowLongA(veskal.mover, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0; }),
           "MoverWindow never gets WS_EX_TOOLWINDOW");
    DWORD_PTR result;
    Require(SendMessageTimeoutA(veskal.mover, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &result) != 0,
            "veskal.exe does not answer messages");
}

Veskal StartVeskal(const std::string& name, const std::string* ini) {
    Veskal veskal = Launch(PrepareDir(name, ini));
    AwaitRunning(veskal);
    return veskal;
}

void ExpectExitZero(Veskal& veskal, const char* how) {
    DWORD code = 1;
    Require(WaitExit(veskal.child, kDeadlineMs, &code), "%s: veskal.exe still running", how);
    Expect(code == 0, "%s: exit code %lu", how, code);
}

void SendCommand(const Veskal& veskal, WORD id, WORD notification) {
    DWORD_PTR result;
    Require(SendMessageTimeoutA(veskal.mover, WM_COMMAND, MAKEWPARAM(id, notification), 0, SMTO_NORMAL, kDeadlineMs,
                                &result) != 0,
            "command %u not answered", id);
}

void SendSettingsText(const Veskal& veskal, const std::string& text) {
    COPYDATASTRUCT data = {};
    data.cbData = (DWORD)text.size();
    data.lpData = const_cast<char*>(text.data());
    DWORD_PTR result;
    Require(SendMessageTimeoutA(veskal.mover, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                                kDeadlineMs, &result) != 0,
            "WM_COPYDATA not answered");
}

std::string SavedIni(const Veskal& veskal) {
    return ReadBytes(veskal.dir + "\\veskal.ini");
}

std::string RecordedSettingsLaunch(const Veskal& veskal) {
    std::string record = veskal.dir + "\\config-args.txt";
    DeleteFileA(record.c_str());
    SendCommand(veskal, 32773);
    std::string parameters;
    Require(WaitFor([&] { return !(parameters = ReadBytes(record)).empty(); }),
            "the settings command started no config.exe");
    return parameters;
}

bool MoverVisible(const Veskal& veskal) {
    return IsWindowVisible(veskal.mover) != 0;
}

bool MoverParkedAt(const Veskal& veskal, POINT at) {
    RECT r = RectOf(veskal.mover);
    return MoverVisible(veskal) && r.left == at.x && r.top == at.y && r.right - r.left == 1 && r.bottom - r.top == 1;
}

void EnterPanMode(const Veskal& veskal, const char* keys) {
    POINT at = CursorPos();
    KeysDown(keys);
    Require(WaitFor([&] { return MoverParkedAt(veskal, at); }), "%s: no pan mode (MoverWindow %s, visible %d)", keys,
            Describe(veskal.mover).c_str(), MoverVisible(veskal));
}

void LeavePanMode(const Veskal& veskal, const char* keys) {
    KeysUp(keys);
    Require(WaitFor([&] { return !MoverVisible(veskal); }), "%s released: MoverWindow still shown", keys);
}

void AwaitPollTick(const Veskal& veskal) {
    // A poll tick leaves no trace of a button seen down or up; it shows only
    // by parking the MoverWindow under the pointer again. So displace it and
    // wait for it to come back, twice: the second return proves that the
    // tick of the first one has run to its end.
    POINT at = CursorPos();
    for (int round = 0; round < 2; ++round) {
        SetWindowPos(veskal.mover, nullptr, at.x + 5, at.y + 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Require(WaitFor([&] { return MoverParkedAt(veskal, at); }), "no poll tick parks the MoverWindow");
    }
}

void PressButton(const Veskal& veskal) {
    ButtonDown();
    AwaitPollTick(veskal);  // the anchor of the drag is taken now
}

void ReleaseButton(const Veskal& veskal) {
    ButtonUp();
    AwaitPollTick(veskal);
}
