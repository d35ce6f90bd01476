#include "config/dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "config/keycapture.h"
#include "config/keyname.h"
#include "config/resource.h"
#include "config/send.h"

namespace {

const UINT_PTR kCaptureTimer = 1;
const UINT kCapturePollMs = 15;

HINSTANCE dialogInstance;
Settings shown;  // the values on screen; the chord is kept only here

std::wstring LoadText(UINT id) {
    wchar_t buffer[256] = L"";
    LoadStringW(dialogInstance, id, buffer, 256);
    return buffer;
}

void SetupSize(HWND dialog, int editId, int spinId, int32_t steps) {
    SendDlgItemMessageW(dialog, editId, EM_LIMITTEXT, 3, 0);
    SendDlgItemMessageW(dialog, spinId, UDM_SETRANGE32, kMinScreens, kMaxScreens);
    SendDlgItemMessageW(dialog, spinId, UDM_SETPOS32, 0, ScreensFromSteps(steps));
}

// What the box says in screens, held within range, as steps; an empty or odd
// box keeps the old value.
int32_t ReadSize(HWND dialog, int editId, int32_t oldSteps) {
    BOOL ok = FALSE;
    UINT value = GetDlgItemInt(dialog, editId, &ok, FALSE);
    if (!ok) return oldSteps;
    return StepsFromScreens(std::clamp((int32_t)std::min<UINT>(value, kMaxScreens), kMinScreens, kMaxScreens));
}

void ShowSpeed(HWND dialog) {
    SetDlgItemInt(dialog, IDC_SPEED_VALUE, (UINT)shown.speed, FALSE);
}

void ShowKeys(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_KEYLIST);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (int32_t key : shown.activationKeys)
        SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)KeyLabel(dialogInstance, key).c_str());
    bool empty = shown.activationKeys.empty();
    EnableWindow(GetDlgItem(dialog, IDC_REMOVE), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_CLEAR), !empty);
    ShowWindow(GetDlgItem(dialog, IDC_WARNING_ICON), empty ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDC_EMPTY_WARNING), empty ? SW_SHOW : SW_HIDE);
}

void ShowCaptureState(HWND dialog) {
    SetDlgItemTextW(dialog, IDC_CAPTURE, LoadText(capture.active ? IDS_CAPTURE_STOP : IDS_CAPTURE_START).c_str());
    SetDlgItemTextW(dialog, IDC_CAPTURE_HINT,
                    LoadText(capture.active ? IDS_CAPTURE_ACTIVE_HINT : IDS_CAPTURE_IDLE_HINT).c_str());
}

void EndCapture(HWND dialog) {
    if (!capture.active) return;
    StopCapture();
    KillTimer(dialog, kCaptureTimer);
    ShowCaptureState(dialog);
}

void SetWarningIcon(HWND dialog) {
    int size = GetSystemMetrics(SM_CXSMICON);
    HICON icon = (HICON)LoadImageW(nullptr, IDI_WARNING, IMAGE_ICON, size, size, LR_SHARED);
    SendDlgItemMessageW(dialog, IDC_WARNING_ICON, STM_SETICON, (WPARAM)icon, 0);
}

void ShowAll(HWND dialog) {
    SetupSize(dialog, IDC_WIDTH, IDC_WIDTH_SPIN, shown.widthSteps);
    SetupSize(dialog, IDC_HEIGHT, IDC_HEIGHT_SPIN, shown.heightSteps);
    CheckRadioButton(dialog, IDC_CELL0, IDC_CELL8, IDC_CELL0 + shown.startCell);
    CheckDlgButton(dialog, IDC_DCENTER, shown.doubleClickCenter != 0 ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageW(dialog, IDC_SPEED, TBM_SETRANGE, FALSE, MAKELPARAM(kMinSpeed, kMaxSpeed));
    SendDlgItemMessageW(dialog, IDC_SPEED, TBM_SETPAGESIZE, 0, 1);
    SendDlgItemMessageW(dialog, IDC_SPEED, TBM_SETPOS, TRUE, shown.speed);
    ShowSpeed(dialog);
    ShowKeys(dialog);
    ShowCaptureState(dialog);
}

void ReadAll(HWND dialog) {
    shown.widthSteps = ReadSize(dialog, IDC_WIDTH, shown.widthSteps);
    shown.heightSteps = ReadSize(dialog, IDC_HEIGHT, shown.heightSteps);
    for (int cell = 0; cell < kCellCount; ++cell)
        if (IsDlgButtonChecked(dialog, IDC_CELL0 + cell) == BST_CHECKED) shown.startCell = cell;
    shown.doubleClickCenter = IsDlgButtonChecked(dialog, IDC_DCENTER) == BST_CHECKED ? 1 : 0;
    shown.speed = std::clamp((int32_t)SendDlgItemMessageW(dialog, IDC_SPEED, TBM_GETPOS, 0, 0), kMinSpeed, kMaxSpeed);
}

// True when Veskal took the settings; otherwise the user is told why not.
bool SendSettings(HWND dialog) {
    EndCapture(dialog);
    ReadAll(dialog);
    SendResult result = SendToVeskal(dialog, FormatSettingsText(shown));
    if (result == SendResult::sent) return true;
    UINT text = result == SendResult::notRunning ? IDS_NOT_RUNNING : IDS_NO_ANSWER;
    MessageBoxW(dialog, LoadText(text).c_str(), LoadText(IDS_CAPTION).c_str(), MB_OK | MB_ICONWARNING);
    return false;
}

void ToggleCapture(HWND dialog) {
    if (capture.active) {
        EndCapture(dialog);
        return;
    }
    StartCapture();
    SetTimer(dialog, kCaptureTimer, kCapturePollMs, nullptr);
    ShowCaptureState(dialog);
}

// Remove and Clear disable themselves; the focus must not stay on them.
void ShowKeysAfterRemoval(HWND dialog) {
    ShowKeys(dialog);
    SendMessageW(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, IDC_CAPTURE), TRUE);
}

void RemoveSelectedKey(HWND dialog) {
    LRESULT index = SendDlgItemMessageW(dialog, IDC_KEYLIST, LB_GETCURSEL, 0, 0);
    if (index < 0 || (size_t)index >= shown.activationKeys.size()) return;
    shown.activationKeys.erase(shown.activationKeys.begin() + index);
    ShowKeysAfterRemoval(dialog);
}

void OnCommand(HWND dialog, int id, int code) {
    if (id != IDC_CAPTURE && code == BN_CLICKED) EndCapture(dialog);
    switch (id) {
    case IDOK:
        if (SendSettings(dialog)) DestroyWindow(dialog);
        break;
    case IDCANCEL:
        EndCapture(dialog);
        DestroyWindow(dialog);
        break;
    case IDC_APPLY:
        SendSettings(dialog);
        break;
    case IDC_CAPTURE:
        ToggleCapture(dialog);
        break;
    case IDC_REMOVE:
        RemoveSelectedKey(dialog);
        break;
    case IDC_CLEAR:
        shown.activationKeys.clear();
        ShowKeysAfterRemoval(dialog);
        break;
    case IDC_KEYLIST:
        if (code == LBN_SELCHANGE)
            EnableWindow(GetDlgItem(dialog, IDC_REMOVE),
                         SendDlgItemMessageW(dialog, IDC_KEYLIST, LB_GETCURSEL, 0, 0) != LB_ERR);
        break;
    case IDC_WIDTH:
    case IDC_HEIGHT:
        // Put a typed 0 or 500 right once the user leaves the box.
        if (code == EN_KILLFOCUS) {
            ReadAll(dialog);
            SetDlgItemInt(dialog, id, (UINT)ScreensFromSteps(id == IDC_WIDTH ? shown.widthSteps : shown.heightSteps), FALSE);
        }
        break;
    }
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWarningIcon(dialog);
        ShowAll(dialog);
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_HSCROLL:
        if ((HWND)lParam == GetDlgItem(dialog, IDC_SPEED)) {
            ReadAll(dialog);
            ShowSpeed(dialog);
        }
        return TRUE;
    case WM_TIMER:
        if (wParam == kCaptureTimer && PollCapture()) {
            shown.activationKeys = capture.pressed;
            KillTimer(dialog, kCaptureTimer);
            ShowCaptureState(dialog);
            ShowKeys(dialog);
        }
        return TRUE;
    case WM_ACTIVATE:
        // Keys pressed for another window are not meant for the chord.
        if (LOWORD(wParam) == WA_INACTIVE) EndCapture(dialog);
        return FALSE;
    case WM_CTLCOLORSTATIC:
        if ((HWND)lParam == GetDlgItem(dialog, IDC_EMPTY_WARNING)) {
            HDC dc = (HDC)wParam;
            SetTextColor(dc, RGB(192, 0, 0));
            SetBkMode(dc, TRANSPARENT);
            return (INT_PTR)GetSysColorBrush(COLOR_BTNFACE);
        }
        return FALSE;
    case WM_CLOSE:
        EndCapture(dialog);
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

HWND CreateSettingsDialog(HINSTANCE instance, const Settings& values) {
    dialogInstance = instance;
    shown = values;
    return CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_CONFIG), nullptr, SettingsDialogProc, 0);
}
