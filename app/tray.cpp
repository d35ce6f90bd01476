// The notification-area icon and its popup menu.
#include "app/tray.h"

#include "app/program.h"
#include "app/startupfolder.h"
#include "res/resource.h"
#include "settings/language.h"

// The first layout of the record, understood by every shell version: 152
// bytes in a 32-bit build, 168 in a 64-bit one.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAW_V1_SIZE == 152, "first NOTIFYICONDATAW layout is 152 bytes");

namespace {

const UINT kTrayIconId = 1;
const UINT_PTR kRetryTimer = 1;
const UINT kRetryMs = 2000;
const DWORD kLingerMs = 7000;
const DWORD kRemoveWaitMs = 250;

DWORD WINAPI RemoveIcon(void* icon) {
    Shell_NotifyIconW(NIM_DELETE, static_cast<NOTIFYICONDATAW*>(icon));
    return 0;
}

bool SetTrayIcon(HWND hwnd, DWORD action) {
    UINT iconId = program.enabled ? IDI_TRAY_ENABLED : IDI_TRAY_STOPPED;
    NOTIFYICONDATAW& trayIcon = program.trayIcon;
    trayIcon = NOTIFYICONDATAW();
    trayIcon.cbSize = NOTIFYICONDATAW_V1_SIZE;
    trayIcon.hWnd = hwnd;
    trayIcon.uID = kTrayIconId;
    trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIcon.uCallbackMessage = kTrayCallbackMessage;
    trayIcon.hIcon = LoadIconW(program.instance, MAKEINTRESOURCEW(iconId));
    const std::wstring& tip = program.enabled ? program.titleText : program.stoppedText;
    lstrcpynW(trayIcon.szTip, tip.c_str(), ARRAYSIZE(trayIcon.szTip));
    return Shell_NotifyIconW(action, &trayIcon) != FALSE;
}

}  // namespace

// At a busy logon the shell may time out on the addition, and no
// TaskbarCreated follows: without another try there would be no icon, and
// no way to end Veskal, for the whole session. An addition that timed out
// may still have been taken, so a try changes the icon first.
void AddTrayIcon(HWND hwnd) {
    if (SetTrayIcon(hwnd, NIM_MODIFY) || SetTrayIcon(hwnd, NIM_ADD))
        KillTimer(hwnd, kRetryTimer);
    else
        SetTimer(hwnd, kRetryTimer, kRetryMs, nullptr);
}

void ShowBalloon(UINT textId, const std::wstring& detail) {
    // The balloon fields come with the second layout; the rest of the record
    // stays as the icon was added.
    NOTIFYICONDATAW balloon = program.trayIcon;
    balloon.cbSize = NOTIFYICONDATAW_V2_SIZE;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_WARNING;
    lstrcpynW(balloon.szInfoTitle, program.titleText.c_str(), ARRAYSIZE(balloon.szInfoTitle));
    lstrcpynW(balloon.szInfo, (LoadText(program.instance, textId) + detail).c_str(), ARRAYSIZE(balloon.szInfo));
    Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

void LingerForBalloon() {
    for (DWORD start = GetTickCount(), waited = 0; waited < kLingerMs; waited = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kLingerMs - waited, QS_ALLINPUT);
        for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
            if (msg.message == WM_QUIT) return;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

// The shell answers the removal; a busy one, or Wine's own tray hiding
// itself when its last icon goes (two seconds without a window manager),
// would hold up the exit. The removal goes on a thread of its own, and the
// exit waits for it a moment only: the shell still takes it when it answers.
void RemoveTrayIcon() {
    HANDLE thread = CreateThread(nullptr, 0, RemoveIcon, &program.trayIcon, 0, nullptr);
    if (!thread) return (void)RemoveIcon(&program.trayIcon);
    WaitForSingleObject(thread, kRemoveWaitMs);
    CloseHandle(thread);
}

void ShowTrayMenu(HWND hwnd, WPARAM, LPARAM lParam) {
    if (lParam != WM_LBUTTONDBLCLK && lParam != WM_RBUTTONUP) return;
    HWND user = UsersWindow(program.front);
    // The menu must belong to the foreground window to close when the user
    // clicks elsewhere; the WM_NULL afterwards lets it close on the first try.
    SetForegroundWindow(hwnd);
    UINT command = 0;
    if (HMENU menu = LoadMenuResource(program.instance, IDR_TRAYMENU)) {
        POINT cursor = {};  // unknown while the secure desktop is up: no menu then
        HMENU popup = GetCursorPos(&cursor) ? GetSubMenu(menu, 0) : nullptr;
        if (popup) {
            CheckMenuItem(popup, 0, MF_BYPOSITION | (program.enabled ? MF_CHECKED : MF_UNCHECKED));
            CheckMenuItem(popup, ID_TRAY_MAP, MF_BYCOMMAND | (program.settings.showMap ? MF_CHECKED : MF_UNCHECKED));
            CheckMenuItem(popup, ID_TRAY_FOLLOW,
                          MF_BYCOMMAND | (program.settings.followFront ? MF_CHECKED : MF_UNCHECKED));
            EnableMenuItem(popup, ID_TRAY_UNPIN, MF_BYCOMMAND | (program.settings.pins.empty() ? MF_GRAYED : MF_ENABLED));
            CheckMenuItem(popup, ID_TRAY_STARTUP, MF_BYCOMMAND | (StartsWithWindows() ? MF_CHECKED : MF_UNCHECKED));
            command = (UINT)TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, cursor.x, cursor.y,
                                           0, hwnd, nullptr);
        }
        DestroyMenu(menu);  // the popup with it
    }
    PostMessageA(hwnd, WM_NULL, 0, 0);
    // The keyboard goes back to the user's window, unless a click elsewhere
    // gave it to another, or the settings program is to have it.
    if (GetForegroundWindow() == hwnd && command != ID_TRAY_SETTINGS && user) SetForegroundWindow(user);
    if (command) SendMessageA(hwnd, WM_COMMAND, command, 0);
}

void ToggleEnabled(HWND hwnd) {
    program.enabled = !program.enabled;
    AddTrayIcon(hwnd);
}
