// A stand-in desktop shell for Wine, which has none, so that Veskal finds
// its desktop there: "Progman" ("Program Manager", the whole screen, at the
// bottom) > "SHELLDLL_DefView" > list view, and sample windows to move. The
// run command, the Wine benchmark and the end-to-end suite start it.
//   desktop_shell.exe [--demo]        the desktop; --demo also places Wine's notepad
//   desktop_shell.exe --close-veskal  asks a running Veskal to exit, waits for it
//   desktop_shell.exe --tray-menu     opens Veskal's tray menu, as a right click on its icon
//   desktop_shell.exe --close-menu    closes an open menu
// Sent kRestartDesktop, its desktop is made anew, as when the shell restarts.
// "E2E Busy", topmost, has a thread of its own: sent kBeBusy, it stops
// answering for wParam ms, as a busy or hung program does.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

namespace {

struct TestWindow {
    const char* title;
    const char* className;
    DWORD style, exStyle;
    int x, y, width, height;
    COLORREF color;
};
const UINT kRestartDesktop = WM_APP + 7;
const UINT kBeBusy = WM_APP + 8;
const TestWindow kTestWindows[] = {
    {"E2E Window A", "VeskalE2ESample", WS_OVERLAPPEDWINDOW, 0, 100, 120, 300, 200, RGB(150, 200, 255)},
    {"E2E Window B", "VeskalE2ESample", WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 560, 380, 240, 160,
     RGB(255, 220, 150)},
    // The shell's menu bands never move.
    {"E2E BaseBar", "BaseBar", WS_POPUP | WS_BORDER, WS_EX_TOPMOST, 40, 560, 200, 100, RGB(200, 200, 200)},
    {"E2E Second Taskbar", "Shell_SecondaryTrayWnd", WS_POPUP, 0, 0, 740, 300, 28, RGB(60, 60, 90)},
    {"E2E Tray Overflow", "NotifyIconOverflowWindow", WS_POPUP | WS_BORDER, 0, 860, 600, 120, 80, RGB(90, 90, 90)},
    // Nor does the start menu host, which takes the keys: without a window
    // manager the X focus would follow the pointer, and keys over no Wine
    // window never reach Wine.
    {"E2E Focus", "DV2ControlHost", WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW, 784, 0, 240, 28, RGB(180, 180, 220)},
};

bool CommandLineHas(const char* flag) {
    return std::strstr(GetCommandLineA(), flag) != nullptr;
}

HWND CreateDesktopChain();

LRESULT CALLBACK DesktopProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRestartDesktop) {  // as a restarting shell does: a new desktop, then the broadcast
        DestroyWindow(hwnd);
        CreateDesktopChain();
        PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        return 0;
    }
    if (message == WM_WINDOWPOSCHANGING) {  // a desktop never rises above other windows
        WINDOWPOS* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOZORDER)) pos->hwndInsertAfter = HWND_BOTTOM;
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Paints its title in large letters, so screenshots show which window went where.
LRESULT CALLBACK SampleProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH brush = CreateSolidBrush((COLORREF)GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    char title[128];
    GetWindowTextA(hwnd, title, sizeof title);
    HFONT font =
        CreateFontA(client.bottom > 60 ? 26 : 16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, title, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    DeleteObject(SelectObject(dc, old));
    EndPaint(hwnd, &paint);
    return 0;
}

LRESULT CALLBACK BusyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kBeBusy) return SampleProc(hwnd, message, wParam, lParam);
    Sleep((DWORD)wParam);
    return 0;
}

void Register(const char* name, WNDPROC proc, int brush) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(INT_PTR)(brush + 1);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

HWND Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x, int y, int width,
            int height, HWND parent = nullptr) {
    return CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HWND CreateDesktopChain() {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND progman = Create("Progman", "Program Manager", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW,
                          0, 0, width, height);
    HWND defView = Create("SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, width, height,
                          progman);
    HWND icons = Create(WC_LISTVIEWA, "FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0, 0, width, height, defView);
    // A desktop colour and a few labels, so that screenshots show the desktop move.
    SendMessageA(icons, LVM_SETBKCOLOR, 0, RGB(0, 112, 112));
    SendMessageA(icons, LVM_SETTEXTBKCOLOR, 0, RGB(0, 112, 112));
    SendMessageA(icons, LVM_SETTEXTCOLOR, 0, RGB(255, 255, 255));
    const char* const labels[] = {"Documents", "Pictures", "Recycle Bin"};
    for (int i = 0; i < 3; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>(labels[i]);
        SendMessageA(icons, LVM_INSERTITEMA, 0, (LPARAM)&item);
    }
    SetWindowPos(progman, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return progman;
}

void CreateDesktop() {
    CreateDesktopChain();
    for (const TestWindow& w : kTestWindows) {
        HWND hwnd = Create(w.className, w.title, w.style, w.exStyle, w.x, w.y, w.width, w.height);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, (LONG_PTR)w.color);
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    }
}

DWORD WINAPI BusyThread(void*) {
    HWND busy = Create("VeskalE2EBusy", "E2E Busy", WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 440, 560,
                       160, 90);
    SetWindowLongPtrA(busy, GWLP_USERDATA, (LONG_PTR)RGB(230, 160, 160));
    ShowWindow(busy, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}

// A demonstration gives Wine's notepad, started next to the shell, a place
// where it hides nothing.
void CALLBACK PlaceNotepad(HWND, UINT, UINT_PTR timer, DWORD) {
    static int ticks = 0;
    HWND notepad = FindWindowA("Notepad", nullptr);
    if (notepad) SetWindowPos(notepad, nullptr, 600, 80, 380, 240, SWP_NOZORDER | SWP_NOACTIVATE);
    if (notepad || ++ticks > 300) KillTimer(nullptr, timer);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (CommandLineHas("--tray-menu")) {
        HWND mover = FindWindowA("VESKALClass", "Veskal");
        return mover && PostMessageA(mover, WM_APP + 1, 1, WM_RBUTTONUP) ? 0 : 1;
    }
    if (CommandLineHas("--close-menu")) {
        HWND menu = FindWindowA("#32768", nullptr);
        return menu && PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0) ? 0 : 1;
    }
    if (CommandLineHas("--close-veskal")) {
        // The orderly way: windows recalled, settings saved.
        HWND mover = FindWindowA("VESKALClass", "Veskal");
        DWORD pid = 0;
        if (!mover || !GetWindowThreadProcessId(mover, &pid)) return 1;
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
        PostMessageA(mover, WM_CLOSE, 0, 0);
        bool ended = process && WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
        if (process) CloseHandle(process);
        return ended ? 0 : 1;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    Register("Progman", DesktopProc, COLOR_DESKTOP);
    Register("SHELLDLL_DefView", DesktopProc, COLOR_DESKTOP);
    const char* const sampleClasses[] = {"VeskalE2ESample", "BaseBar", "DV2ControlHost", "Shell_SecondaryTrayWnd",
                                         "NotifyIconOverflowWindow"};
    for (const char* name : sampleClasses) Register(name, SampleProc, COLOR_WINDOW);
    Register("VeskalE2EBusy", BusyProc, COLOR_WINDOW);
    CreateDesktop();
    CloseHandle(CreateThread(nullptr, 0, BusyThread, nullptr, 0, nullptr));
    if (CommandLineHas("--demo")) SetTimer(nullptr, 0, 200, PlaceNotepad);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return (int)msg.wParam;
}
