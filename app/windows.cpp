#include "app/windows.h"

#include <dwmapi.h>

#include <cstring>

#include "app/panning.h"
#include "app/program.h"
#include "app/rects.h"
#include "app/virtualdesktops.h"

namespace {

// Posted: a program that stops answering takes its moves when it answers
// again, and no pass, exit or log-off waits for it.
const UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_ASYNCWINDOWPOS;
// At the end of the session a move is to land before the program hears of
// it, unless the program takes longer than this to answer, or the moves
// together longer than the second bound: the system asks every program in
// turn, and waits only so long for each.
const UINT kSettleMs = 200;
const DWORD kSettleAllMs = 2000;

// One of the shell's desktop windows: made by the process that shows the icons.
bool IsDesktop(HWND hwnd, const char* className) {
    DWORD shell = 0, owner = 0;
    return (!strcmp(className, "Progman") || !strcmp(className, "WorkerW")) &&
           GetWindowThreadProcessId(program.desktopView, &shell) && GetWindowThreadProcessId(hwnd, &owner) &&
           owner == shell;
}

// Restore rectangles are in workspace pixels, except for tool windows: screen
// pixels shifted by the bars at the top and left of the window's monitor.
POINT WorkspaceOrigin(HWND hwnd) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (((DWORD)GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) ||
        !GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor))
        return {0, 0};
    return {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
}

void ReadRestore(HWND hwnd, WindowInfo& w) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    w.restore = w.rect;  // unless the system says: nothing to put right, nowhere to follow it to
    if (!GetWindowPlacement(hwnd, &placement)) return;
    POINT origin = WorkspaceOrigin(hwnd);
    OffsetRect(&placement.rcNormalPosition, origin.x, origin.y);
    w.restore = ToRect32(placement.rcNormalPosition);
}

BOOL CALLBACK ReadMonitor(HMONITOR handle, HDC, LPRECT, LPARAM monitors) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(handle, &info))
        reinterpret_cast<std::vector<Monitor>*>(monitors)->push_back({ToRect32(info.rcMonitor), ToRect32(info.rcWork)});
    return TRUE;
}

// A program that answers within the bound takes the move before this
// returns; one that does not takes it when it answers again.
bool Settle(HWND hwnd, Point32 to) {
    DWORD_PTR answer = 0;
    UINT flags = kMoveFlags;
    if (SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSettleMs, &answer))
        flags &= ~UINT(SWP_ASYNCWINDOWPOS);
    return SetWindowPos(hwnd, nullptr, to.x, to.y, 0, 0, flags) != FALSE;
}

BOOL CALLBACK ReadOne(HWND hwnd, LPARAM withRestores) {
    program.windows.push_back(ReadWindow(hwnd, withRestores != 0));
    return TRUE;
}

}  // namespace

// A hidden window is not read further; one its owner destroys in the middle
// of a pass has no class any more. A restore rectangle costs a request or
// three: it is read at the end, and during a pass only for a maximized
// window not followed yet, which its first move starts following.
WindowInfo ReadWindow(HWND hwnd, bool withRestore) {
    WindowInfo w = {ToId(hwnd), IsWindowVisible(hwnd) != FALSE, false, {}, {}};
    if (!w.visible) return w;
    DWORD style = (DWORD)GetWindowLongA(hwnd, GWL_STYLE);
    w.minimized = (style & WS_MINIMIZE) != 0;
    w.maximized = (style & WS_MAXIMIZE) != 0;
    char className[1024];
    RECT r = {};
    if (!GetClassNameA(hwnd, className, sizeof className) || !GetWindowRect(hwnd, &r)) return w;
    w.className = className;
    w.rect = ToRect32(r);
    w.desktop = IsDesktop(hwnd, className);
    DWORD cloaked = 0;  // where the system cannot tell, nothing is
    w.cloaked = SUCCEEDED(DwmGetWindowAttribute(hwnd, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked;
    w.elsewhere = w.cloaked && OnAnotherDesktop(hwnd, cloaked);
    if (!program.settings.pins.empty()) {
        w.program = ProgramOf(hwnd);
        w.pinned = IsPinned(program.settings.pins, w);
    }
    bool followed = program.maximized.count(w.id) != 0;
    if (withRestore ? w.minimized || w.maximized : w.maximized && !followed) ReadRestore(hwnd, w);
    return w;
}

void ReadWindows(bool withRestores) {
    if (!IsWindow(program.desktopView)) FollowNewDesktop();  // a shell that restarted without a word
    program.windows.clear();
    EnumWindows(ReadOne, withRestores);
}

std::string ProgramOf(HWND hwnd) {
    DWORD id = 0;
    if (!GetWindowThreadProcessId(hwnd, &id)) return "";
    auto known = program.programNames.find(id);
    if (known != program.programNames.end()) return known->second;
    wchar_t path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    bool read = process && QueryFullProcessImageNameW(process, 0, path, &length);
    if (process) CloseHandle(process);
    wchar_t* name = read ? path + length : path;
    while (name > path && name[-1] != L'\\') --name;
    CharLowerW(name);
    char utf8[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, name, -1, utf8, sizeof utf8, nullptr, nullptr);
    return program.programNames[id] = utf8;
}

std::vector<Monitor> ReadMonitors() {
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, ReadMonitor, reinterpret_cast<LPARAM>(&monitors));
    Rect32 screen = VirtualScreen();
    if (monitors.empty()) monitors.push_back({screen, screen});
    return monitors;
}

// Each move the system refuses (a window of a program at a higher integrity
// level) is marked so.
void Apply(std::vector<Move>& moves, bool settle) {
    DWORD start = GetTickCount();
    for (Move& m : moves) {
        HWND hwnd = reinterpret_cast<HWND>(m.id);
        settle = settle && GetTickCount() - start < kSettleAllMs;
        m.refused = settle ? !Settle(hwnd, m.to) : !SetWindowPos(hwnd, nullptr, m.to.x, m.to.y, 0, 0, kMoveFlags);
    }
}

// Minimized and maximized windows keep their state; the placement is posted,
// so that no program that stops answering holds up the end.
void ApplyRestores(const std::vector<Restore>& restores) {
    for (const Restore& r : restores) {
        HWND hwnd = reinterpret_cast<HWND>(r.id);
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        if (!GetWindowPlacement(hwnd, &placement)) continue;
        POINT origin = WorkspaceOrigin(hwnd);
        placement.rcNormalPosition = ToRECT(r.to);
        OffsetRect(&placement.rcNormalPosition, -origin.x, -origin.y);
        // Kept: a minimized window that restores to maximized (its flag holds
        // only with SW_SHOWMINIMIZED); any other stays inactive.
        placement.flags = (placement.flags & WPF_RESTORETOMAXIMIZED) | WPF_ASYNCWINDOWPLACEMENT;
        if (placement.showCmd == SW_SHOWMINIMIZED && !(placement.flags & WPF_RESTORETOMAXIMIZED))
            placement.showCmd = SW_SHOWMINNOACTIVE;
        SetWindowPlacement(hwnd, &placement);
    }
}
