// A stand-in desktop shell for Wine, which has none: a "Progman" window
// titled "Program Manager" covering the screen at the bottom of the z-order,
// with a "SHELLDLL_DefView" child and comctl32's list view as grandchild.
// It also shows the test windows that the end-to-end driver moves around.
//
//   e2e_shell.exe               desktop chain and test windows
//   e2e_shell.exe --bad-chain   the first child of "Progman" has another class
//   e2e_shell.exe --no-samples  desktop chain only
//   e2e_shell.exe --demo        no hidden or minimized test windows; places notepad
//   e2e_shell.exe --close-veskal  asks a running Veskal to exit, waits for it
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "tests/e2e/e2e_windows.h"

namespace {

bool CommandLineHas(const char* flag) {
    return std::strstr(GetCommandLineA(), flag) != nullptr;
}

LRESULT CALLBACK DesktopProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGING) {
        // A desktop never rises above other windows.
        WINDOWPOS* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOZORDER)) pos->hwndInsertAfter = HWND_BOTTOM;
        return 0;
    }
    if (message == WM_CLOSE) return 0;  // only the driver's TerminateProcess ends the shell
    if (message == WM_DESTROY && !GetParent(hwnd)) PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Paints its title in large letters, so screenshots show which window went where.
LRESULT CALLBACK SampleProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        RECT client;
        GetClientRect(hwnd, &client);
        HBRUSH brush = CreateSolidBrush((COLORREF)GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        char title[128];
        GetWindowTextA(hwnd, title, sizeof title);
        HFONT font = CreateFontA(client.bottom > 60 ? 26 : 16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                 "Tahoma");
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, title, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old);
        DeleteObject(font);
        EndPaint(hwnd, &paint);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Register(HINSTANCE instance, const char* name, WNDPROC proc, int brush) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(INT_PTR)(brush + 1);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

void CreateDesktop(HINSTANCE instance, bool badChain) {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND progman = CreateWindowExA(WS_EX_TOOLWINDOW, "Progman", "Program Manager",
                                   WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height, nullptr, nullptr,
                                   instance, nullptr);
    // With --bad-chain a window of another class comes first, and the real
    // chain second: only the first child may count.
    if (badChain)
        CreateWindowExA(0, "E2EOtherChild", "", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, progman, nullptr, instance,
                        nullptr);
    HWND defView = CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width,
                                   height, progman, nullptr, instance, nullptr);
    HWND icons = CreateWindowExA(0, WC_LISTVIEWA, "FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0, width,
                                 height, defView, nullptr, instance, nullptr);
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
}

// For a demonstration only what can be seen: minimized windows would show
// as blank boxes without a window manager.
void CreateSamples(HINSTANCE instance, bool visibleOnly) {
    for (const E2EWindow& w : kE2EWindows) {
        if (visibleOnly && (w.show == SW_HIDE || w.show == SW_SHOWMINNOACTIVE)) continue;
        const char* className = w.className ? w.className : kSampleClass;
        HWND hwnd = CreateWindowExA(w.exStyle, className, w.title, w.style, w.x, w.y, w.width, w.height, nullptr,
                                    nullptr, instance, nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, (LONG_PTR)w.color);
        ShowWindow(hwnd, w.show);
    }
}

// For a demonstration Wine's notepad, started next to the shell, gets a
// place where it hides nothing.
void CALLBACK PlaceNotepad(HWND, UINT, UINT_PTR timer, DWORD) {
    static int ticks = 0;
    HWND notepad = FindWindowA("Notepad", nullptr);
    if (notepad) SetWindowPos(notepad, nullptr, 600, 80, 380, 240, SWP_NOZORDER | SWP_NOACTIVATE);
    if (notepad || ++ticks > 300) KillTimer(nullptr, timer);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (CommandLineHas("--close-veskal")) {
        // Ends a running Veskal the orderly way (windows recalled, settings
        // saved) and waits up to 20 s for it to end.
        HWND mover = FindWindowA("VESKALClass", "Veskal");
        if (!mover) return 1;
        DWORD pid = 0;
        GetWindowThreadProcessId(mover, &pid);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
        PostMessageA(mover, WM_CLOSE, 0, 0);
        bool ended = process && WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
        if (process) CloseHandle(process);
        return ended ? 0 : 1;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    Register(instance, "Progman", DesktopProc, COLOR_DESKTOP);
    Register(instance, "SHELLDLL_DefView", DesktopProc, COLOR_DESKTOP);
    Register(instance, "E2EOtherChild", DesktopProc, COLOR_DESKTOP);
    Register(instance, kSampleClass, SampleProc, COLOR_WINDOW);
    Register(instance, "BaseBar", SampleProc, COLOR_WINDOW);
    Register(instance, "DV2ControlHost", SampleProc, COLOR_WINDOW);
    CreateDesktop(instance, CommandLineHas("--bad-chain"));
    if (!CommandLineHas("--no-samples")) CreateSamples(instance, CommandLineHas("--demo"));
    if (CommandLineHas("--demo")) SetTimer(nullptr, 0, 200, PlaceNotepad);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
