// Menu commands, the tray menu, the orderly exit and the settings message.
#include "tests/e2e/testbed.h"

namespace {

const UINT kTrayCallback = 0x8001;

void Place(const char* name, int x, int y) {
    HWND hwnd = Watch(name);
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Require(WaitFor([&] { return IsAt(hwnd, x, y); }), "cannot place %s at (%d,%d)", name, x, y);
}

// Used once the move is known to be over: the program has ended, or the
// message that moved the window has been answered.
void ExpectAt(const char* name, int x, int y, const char* when) {
    HWND hwnd = Watch(name);
    Expect(IsAt(hwnd, x, y), "%s: %s at %s, expected (%d,%d)", when, name, Describe(hwnd).c_str(), x, y);
}

void Drag(const Veskal& veskal, int dx, int dy) {
    PointerTo(300, 300);
    EnterPanMode(veskal);
    PressButton(veskal);
    PointerTo(300 + dx, 300 + dy);
    ExpectShifted(dx, dy, "drag");
    ReleaseButton(veskal);
    LeavePanMode(veskal);
}

HWND VisibleMenuOf(DWORD pid) {
    struct Search {
        DWORD pid;
        HWND found;
    } search = {pid, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            Search* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            char name[32];
            GetClassNameA(hwnd, name, sizeof name);
            if (owner != s->pid || lstrcmpA(name, "#32768") != 0 || !IsWindowVisible(hwnd)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Opens the tray menu as the shell would on a right click over the icon.
HWND OpenTrayMenu(const Veskal& veskal, LPARAM mouse = WM_RBUTTONUP) {
    PointerTo(300, 300);
    PostMessageA(veskal.mover, kTrayCallback, 1, mouse);
    HWND menu = nullptr;
    Require(WaitFor([&] { return (menu = VisibleMenuOf(veskal.child.pid)) != nullptr; }), "no popup menu appeared");
    return menu;
}

// Keys for the menu go to it as messages: the menu reads its own thread's
// queue, and real keys would go to the foreground thread, which under Wine
// the hidden MoverWindow does not become (there is then no foreground window).
void PostKey(HWND menu, WPARAM vk, WPARAM ch) {
    if (vk) PostMessageA(menu, WM_KEYDOWN, vk, 1);
    if (ch) PostMessageA(menu, WM_CHAR, ch, 1);
}

void ExpectMenuClosed(const Veskal& veskal, const char* how) {
    Expect(WaitFor([&] { return VisibleMenuOf(veskal.child.pid) == nullptr; }), "%s: the menu stays open", how);
}

// ---- menu commands sent as WM_COMMAND

void MenuCommands() {
    Veskal veskal = StartVeskal("commands");
    Drag(veskal, 80, 30);
    SendCommand(veskal, 32774);
    ExpectShifted(0, 0, "32774");
    Drag(veskal, -40, 20);
    SendCommand(veskal, 32774, 1);  // the notification code is not looked at
    ExpectShifted(0, 0, "32774 with high word 1");
    SendCommand(veskal, 40000);  // not a menu command
    Expect(IsRunning(veskal.child), "unknown command ended the program");

    // 32775 turns the chord off: no pan mode, no drag...
    SendCommand(veskal, 32775);
    PointerTo(400, 400);
    KeysDown("shift+ctrl");
    ButtonDown();
    PointerTo(450, 420);
    ExpectStill(0, 0, "drag while disabled");
    Expect(!MoverVisible(veskal), "pan mode while disabled");
    ButtonUp();
    // ...and on again while the chord is still held.
    SendCommand(veskal, 32775);
    Expect(WaitFor([&] { return MoverParkedAt(veskal, {450, 420}); }), "no pan mode after enabling again");
    LeavePanMode(veskal);
    SendCommand(veskal, 32771);
    ExpectExitZero(veskal, "32771");
}

// ---- the tray menu

struct TrayClick {
    const char* name;
    LPARAM mouse;
    bool opens;
};
const TrayClick kTrayClicks[] = {
    {"WM_RBUTTONUP", WM_RBUTTONUP, true},       {"WM_LBUTTONDBLCLK", WM_LBUTTONDBLCLK, true},
    {"WM_RBUTTONUP again", WM_RBUTTONUP, true},
    {"WM_LBUTTONUP", WM_LBUTTONUP, false},      {"WM_LBUTTONDOWN", WM_LBUTTONDOWN, false},
    {"WM_RBUTTONDOWN", WM_RBUTTONDOWN, false},  {"WM_MOUSEMOVE", WM_MOUSEMOVE, false},
};

void TrayMenuOpensAndCloses() {
    // The ways a menu is dismissed, taken in turn.
    void (*const dismissals[])(const Veskal&, HWND) = {
        [](const Veskal&, HWND menu) { PostKey(menu, VK_ESCAPE, 0); },
        [](const Veskal& v, HWND) { PostMessageA(v.mover, WM_CANCELMODE, 0, 0); },
        [](const Veskal&, HWND) { Xdo("mousemove 900 700 click 1"); },  // a click elsewhere
    };
    size_t dismissal = 0;
    Veskal veskal = StartVeskal("tray");
    for (const TrayClick& click : kTrayClicks) {
        if (click.opens) {
            HWND menu = OpenTrayMenu(veskal, click.mouse);
            RECT r = RectOf(menu);
            Expect(r.left == 300 && r.top == 300, "%s: menu at (%ld,%ld), expected at the pointer (300,300)",
                   click.name, r.left, r.top);
            dismissals[dismissal](veskal, menu);
            ExpectMenuClosed(veskal, click.name);
            dismissal = (dismissal + 1) % (sizeof dismissals / sizeof dismissals[0]);
        } else {
            // Sent, not posted: it returns only once handled, and would
            // hang in the menu's own loop had a menu opened.
            DWORD_PTR result;
            Expect(SendMessageTimeoutA(veskal.mover, kTrayCallback, 1, click.mouse, SMTO_NORMAL, 5000, &result) != 0,
                   "%s: not answered", click.name);
            Expect(VisibleMenuOf(veskal.child.pid) == nullptr, "%s opened a menu", click.name);
        }
    }
    DWORD_PTR result;
    Expect(SendMessageTimeoutA(veskal.mover, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &result) != 0,
           "no answer after the menus");
    SendCommand(veskal, 32771);
    ExpectExitZero(veskal, "32771");
}

// Items chosen with their mnemonic keys, which proves the menu's contents.
void ChooseFromMenu(const Veskal& veskal, char key) {
    HWND menu = OpenTrayMenu(veskal);
    if (OnWine() && !GetForegroundWindow())
        WineDiffers("hidden-window-foreground",
                    "SetForegroundWindow on the hidden MoverWindow leaves no foreground window, so typed keys "
                    "would reach no menu; the keys are posted to the menu instead");
    PostKey(menu, 0, key);
    ExpectMenuClosed(veskal, std::string(1, key).c_str());
}

// The first and the last item are found without knowing the item height.
enum class Item { First, Last };
void ClickMenuItem(const Veskal& veskal, Item item) {
    RECT r = RectOf(OpenTrayMenu(veskal));
    int y = item == Item::First ? r.top + 10 : r.bottom - 10;
    Xdo("mousemove " + std::to_string(r.left + 30) + " " + std::to_string(y) + " click 1");
    ExpectMenuClosed(veskal, item == Item::First ? "click on the first item" : "click on the last item");
}

void TrayMenuItems() {
    Veskal veskal = StartVeskal("tray-items");
    Drag(veskal, 70, 50);
    ChooseFromMenu(veskal, 'o');
    ExpectShifted(0, 0, "menu item O");

    std::string record = veskal.dir + "\\config-args.txt";
    ChooseFromMenu(veskal, 'c');
    Expect(WaitFor([&] { return FileExists(record); }), "menu item C started no config.exe");
    Expect(ReadBytes(record) == "2 2 1 4 1 16 17", "menu item C: config.exe got \"%s\"", ReadBytes(record).c_str());

    // V turns panning off, a click on the first item turns it on again.
    ChooseFromMenu(veskal, 'v');
    PointerTo(350, 350);
    KeysDown("shift+ctrl");
    Settle();
    Expect(!MoverVisible(veskal), "menu item V did not turn panning off");
    KeysUp("shift+ctrl");
    ClickMenuItem(veskal, Item::First);
    PointerTo(350, 350);
    EnterPanMode(veskal);
    LeavePanMode(veskal);

    ChooseFromMenu(veskal, 'x');
    ExpectExitZero(veskal, "menu item X");
    Expect(SavedIni(veskal) == kDefaultIni, "saved \"%s\"", Printable(SavedIni(veskal)).c_str());
}

// ---- the orderly exit pulls far-off windows back

struct ExitWay {
    const char* name;
    void (*trigger)(const Veskal&);
};
const ExitWay kExitWays[] = {
    {"WM_CLOSE", [](const Veskal& v) { PostMessageA(v.mover, WM_CLOSE, 0, 0); }},
    {"command 32771", [](const Veskal& v) { SendCommand(v, 32771); }},
    {"menu item X", [](const Veskal& v) { ChooseFromMenu(v, 'x'); }},
    {"click on the last item", [](const Veskal& v) { ClickMenuItem(v, Item::Last); }},
};

void ExitRecallsWindows() {
    for (const ExitWay& way : kExitWays) {
        Veskal veskal = StartVeskal("exit");
        // On a 1024x768 desktop: beyond the 64-pixel margin comes back,
        // exactly at it stays.
        Place("E2E Window A", -65, -1);
        Place("E2E Window B", 1089, 833);
        Place("notepad", 1088, 832);
        Place("Program Manager", -64, 0);
        way.trigger(veskal);
        ExpectExitZero(veskal, way.name);
        ExpectAt("E2E Window A", 64, 0, way.name);
        ExpectAt("E2E Window B", 960, 704, way.name);
        ExpectAt("notepad", 1088, 832, way.name);
        ExpectAt("Program Manager", -64, 0, way.name);
        Expect(SavedIni(veskal) == kDefaultIni, "%s: saved \"%s\"", way.name, Printable(SavedIni(veskal)).c_str());
        ResetWindows();
    }
}

// ---- settings arriving as WM_COPYDATA, one running instance throughout

struct SettingsMessage {
    std::string text;
    bool recalls;             // the plane's size changed
    const char* nextLaunch;   // what the settings command passes afterwards
};
const SettingsMessage kSettingsMessages[] = {
    {"2 2 1 4", false, "2 2 1 4 1 16 17"},  // too few fields: dropped
    {"", false, "2 2 1 4 1 16 17"},
    {"4 2 1 4 3 17 18", true, "4 2 1 4 3 17 18"},
    {"4 2 7 8 11 16 17", false, "4 2 1 8 3 16 17"},  // speed out of range, start cell alone: no recall
    {std::string("4 3 0 8 10\0", 11), true, "4 3 0 8 10"},  // five fields: empty chord; counted NUL
};

void SettingsMessages() {
    Veskal veskal = StartVeskal("copydata");
    for (const SettingsMessage& m : kSettingsMessages) {
        Place("E2E Window A", 3000, 2000);
        SendSettingsText(veskal, m.text);
        const char* what = m.text.c_str();
        if (m.recalls)
            ExpectAt("E2E Window A", 960, 704, what);
        else
            Expect(IsAt(Watch("E2E Window A"), 3000, 2000), "\"%s\" moved a window", what);
        std::string launched = RecordedSettingsLaunch(veskal);
        Expect(launched == m.nextLaunch, "after \"%s\": config.exe got \"%s\", expected \"%s\"", what,
               launched.c_str(), m.nextLaunch);
        ResetWindows();
    }
    PostMessageA(veskal.mover, WM_CLOSE, 0, 0);
    ExpectExitZero(veskal, "WM_CLOSE");
    const char* saved = "WIDTH=5\r\nHEIGHT=4\r\nDCENTER=0\r\nPOS0=8\r\nSPEED=10\r\n";
    Expect(SavedIni(veskal) == saved, "saved \"%s\"", Printable(SavedIni(veskal)).c_str());
}

}  // namespace

extern const Scenario kCommandScenarios[] = {
    {"commands: 32774 goes home, 32775 turns the chord off and on", Desktop::Full, MenuCommands},
    {"commands: tray menu opens on the icon's clicks and closes", Desktop::Full, TrayMenuOpensAndCloses},
    {"commands: tray menu items by their keys", Desktop::Full, TrayMenuItems},
    {"commands: exit recalls far-off windows and saves", Desktop::Full, ExitRecallsWindows},
    {"commands: settings message applies and recalls", Desktop::Full, SettingsMessages},
};
extern const int kCommandScenarioCount = sizeof kCommandScenarios / sizeof kCommandScenarios[0];
