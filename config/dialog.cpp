#include "config/dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "config/keycapture.h"
#include "config/keyname.h"
#include "config/resource.h"
#include "config/send.h"
#include "settings/language.h"

namespace {

const UINT_PTR kCaptureTimer = 1;
const UINT kCapturePollMs = 15;

HINSTANCE dialogInstance;
// What OK sends: the values given, changed where the user changed a
// control. The controls cannot hold every value (speed 25, cell 9), so they
// are never read back all at once.
Settings shown;
Source shownSource;
KeyCapture capture;

// Every key as Veskal reads it.
KeysDown ReadKeys() {
    KeysDown down;
    for (int key = 1; key <= 254; ++key) down[key] = (GetAsyncKeyState(key) & 0x8000) != 0;
    return down;
}

std::wstring LoadText(UINT id) {
    return ::LoadText(dialogInstance, id);
}

bool IsCellId(int id) {
    return id >= IDC_CELL0 && id <= IDC_CELL8;
}

// The number as it is: the box takes any number, its up-down offers 1..100.
void ShowSize(HWND dialog, int editId, int32_t steps) {
    SetDlgItemInt(dialog, editId, (UINT)ScreensFromSteps(steps), TRUE);
}

void SetupSize(HWND dialog, int editId, int spinId, int32_t steps) {
    SendDlgItemMessageW(dialog, editId, EM_LIMITTEXT, 3, 0);
    SendDlgItemMessageW(dialog, spinId, UDM_SETRANGE32, kMinScreens, kMaxScreens);
    SendDlgItemMessageW(dialog, spinId, UDM_SETPOS32, 0, std::clamp(ScreensFromSteps(steps), kMinScreens, kMaxScreens));
    ShowSize(dialog, editId, steps);
}

std::wstring ControlText(HWND dialog, int id) {
    wchar_t buffer[64] = L"";
    GetDlgItemTextW(dialog, id, buffer, 64);
    return buffer;
}

void ReadSizes(HWND dialog) {
    shown.widthSteps = StepsFromBox(ControlText(dialog, IDC_WIDTH), shown.widthSteps);
    shown.heightSteps = StepsFromBox(ControlText(dialog, IDC_HEIGHT), shown.heightSteps);
}

// Names the values no control can show (no cell checked, the slider at its
// end), which go back as they are unless changed.
void ShowRangeNote(HWND dialog) {
    std::wstring items;
    auto add = [&](UINT name, int32_t value) {
        items += (items.empty() ? L"" : LoadText(IDS_LIST_SEPARATOR)) + LoadText(name) + L" " + std::to_wstring(value);
    };
    if (!IsCell(shown.startCell)) add(IDS_CELL_NAME, shown.startCell);
    if (!IsSpeed(shown.speed)) add(IDS_SPEED_NAME, shown.speed);
    SetDlgItemTextW(dialog, IDC_RANGE_NOTE, (LoadText(IDS_RANGE_NOTE) + items).c_str());
    ShowWindow(GetDlgItem(dialog, IDC_RANGE_NOTE), items.empty() ? SW_HIDE : SW_SHOW);
}

// The checked cell carries the group's tab stop, so that Tab lands on it
// rather than checking another; for a cell outside the grid none is checked.
void ShowCell(HWND dialog) {
    for (int cell = 0; cell < kCellCount; ++cell) {
        HWND radio = GetDlgItem(dialog, IDC_CELL0 + cell);
        bool checked = cell == shown.startCell;
        bool tabStop = checked || (!IsCell(shown.startCell) && cell == 0);
        SendMessageW(radio, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        LONG_PTR style = GetWindowLongPtrW(radio, GWL_STYLE);
        SetWindowLongPtrW(radio, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~(LONG_PTR)WS_TABSTOP);
    }
    ShowRangeNote(dialog);
}

void ShowSpeed(HWND dialog) {
    SetDlgItemInt(dialog, IDC_SPEED_VALUE, (UINT)shown.speed, TRUE);
    ShowRangeNote(dialog);
}

void ShowKeys(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_KEYLIST);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (int32_t key : shown.activationKeys)
        SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)KeyLabel(dialogInstance, key).c_str());
    bool empty = shown.activationKeys.empty();
    EnableWindow(GetDlgItem(dialog, IDC_REMOVE), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_CLEAR), !empty);
    // Either chord is never held: Veskal could not start a move.
    UINT warning = empty ? IDS_EMPTY_WARNING : HasUnseenKey(shown.activationKeys) ? IDS_UNSEEN_WARNING : 0;
    SetDlgItemTextW(dialog, IDC_EMPTY_WARNING, warning ? LoadText(warning).c_str() : L"");
    ShowWindow(GetDlgItem(dialog, IDC_WARNING_ICON), warning ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDC_EMPTY_WARNING), warning ? SW_SHOW : SW_HIDE);
}

void ShowCaptureState(HWND dialog) {
    SetDlgItemTextW(dialog, IDC_CAPTURE, LoadText(capture.active ? IDS_CAPTURE_STOP : IDS_CAPTURE_START).c_str());
    SetDlgItemTextW(dialog, IDC_CAPTURE_HINT,
                    LoadText(capture.active ? IDS_CAPTURE_ACTIVE_HINT : IDS_CAPTURE_IDLE_HINT).c_str());
}

void EndCapture(HWND dialog) {
    if (!capture.active) return;
    capture.active = false;
    KillTimer(dialog, kCaptureTimer);
    ShowCaptureState(dialog);
}

void SetIcons(HWND dialog) {
    int size = GetSystemMetrics(SM_CXSMICON);
    HICON warning = (HICON)LoadImageW(nullptr, IDI_WARNING, IMAGE_ICON, size, size, LR_SHARED);
    SendDlgItemMessageW(dialog, IDC_WARNING_ICON, STM_SETICON, (WPARAM)warning, 0);
    // The title bar and the task bar show the program's own.
    const int kinds[][2] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
    for (const auto& kind : kinds) {
        size = GetSystemMetrics(kind[1]);
        HANDLE icon = LoadImageW(dialogInstance, MAKEINTRESOURCEW(IDI_CONFIG), IMAGE_ICON, size, size, LR_SHARED);
        SendMessageW(dialog, WM_SETICON, (WPARAM)kind[0], (LPARAM)icon);
    }
}

UINT SourceText(Source source) {
    switch (source) {
    case Source::veskal:
        return IDS_FROM_VESKAL;
    case Source::file:
        return IDS_FROM_FILE;
    default:
        return IDS_DEFAULTS;
    }
}

void ShowAll(HWND dialog) {
    SetupSize(dialog, IDC_WIDTH, IDC_WIDTH_SPIN, shown.widthSteps);
    SetupSize(dialog, IDC_HEIGHT, IDC_HEIGHT_SPIN, shown.heightSteps);
    ShowCell(dialog);
    CheckDlgButton(dialog, IDC_DCENTER, shown.doubleClickCenter != 0 ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageW(dialog, IDC_SPEED, TBM_SETRANGE, FALSE, MAKELPARAM(kMinSpeed, kMaxSpeed));
    SendDlgItemMessageW(dialog, IDC_SPEED, TBM_SETPAGESIZE, 0, 1);
    SendDlgItemMessageW(dialog, IDC_SPEED, TBM_SETPOS, TRUE, SliderPosition(shown.speed));
    ShowSpeed(dialog);
    ShowKeys(dialog);
    ShowCaptureState(dialog);
    SetDlgItemTextW(dialog, IDC_SOURCE, LoadText(SourceText(shownSource)).c_str());
}

// True when Veskal took the settings; otherwise the user is told why not.
bool SendSettings(HWND dialog) {
    EndCapture(dialog);
    ReadSizes(dialog);
    ShowSize(dialog, IDC_WIDTH, shown.widthSteps);
    ShowSize(dialog, IDC_HEIGHT, shown.heightSteps);
    SendResult result = SendToVeskal(dialog, FormatSettingsText(shown));
    if (result == SendResult::sent) return true;
    UINT text = result == SendResult::notRunning     ? IDS_NOT_RUNNING
                : result == SendResult::accessDenied ? IDS_ACCESS_DENIED
                                                     : IDS_NO_ANSWER;
    MessageBoxW(dialog, LoadText(text).c_str(), LoadText(IDS_CAPTION).c_str(), MB_OK | MB_ICONWARNING);
    return false;
}

void ToggleCapture(HWND dialog) {
    if (capture.active) {
        EndCapture(dialog);
        return;
    }
    StartCapture(capture, ReadKeys());
    SetTimer(dialog, kCaptureTimer, kCapturePollMs, nullptr);
    ShowCaptureState(dialog);
}

// Remove and Clear disable themselves; the focus must not stay on them.
void ShowKeysAfterRemoval(HWND dialog) {
    ShowKeys(dialog);
    SendMessageW(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, IDC_CAPTURE), TRUE);
}

// From the list (Delete) the focus stays there, on the next key.
void RemoveSelectedKey(HWND dialog, bool fromList) {
    LRESULT index = SendDlgItemMessageW(dialog, IDC_KEYLIST, LB_GETCURSEL, 0, 0);
    std::vector<int32_t>& keys = shown.activationKeys;
    if (index < 0 || (size_t)index >= keys.size()) return;
    keys.erase(keys.begin() + index);
    if (!fromList) {
        ShowKeysAfterRemoval(dialog);
        return;
    }
    ShowKeys(dialog);
    if (keys.empty()) return;
    SendDlgItemMessageW(dialog, IDC_KEYLIST, LB_SETCURSEL, std::min<size_t>((size_t)index, keys.size() - 1), 0);
    EnableWindow(GetDlgItem(dialog, IDC_REMOVE), TRUE);
}

// The arrows move in the start-cell grid as in a grid; the dialog manager
// would walk it in tab order.
bool MoveCell(HWND dialog, int from, WPARAM key) {
    int rows = key == VK_UP ? -1 : key == VK_DOWN ? 1 : 0;
    int columns = key == VK_LEFT ? -1 : key == VK_RIGHT ? 1 : 0;
    if (rows == 0 && columns == 0) return false;
    int to = MoveInGrid(from, rows, columns);
    if (to == from) return true;
    // Checked before it takes the focus, which would otherwise report a click.
    shown.startCell = to;
    ShowCell(dialog);
    SendMessageW(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, IDC_CELL0 + to), TRUE);
    return true;
}

void OnCommand(HWND dialog, int id, int code) {
    if (id != IDC_CAPTURE && code == BN_CLICKED) EndCapture(dialog);
    if (IsCellId(id)) {
        // Also sent when the focus comes to an unchecked cell: only a check counts.
        if (code == BN_CLICKED && IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
            shown.startCell = id - IDC_CELL0;
            ShowCell(dialog);
        }
        return;
    }
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
        RemoveSelectedKey(dialog, false);
        break;
    case IDC_CLEAR:
        shown.activationKeys.clear();
        ShowKeysAfterRemoval(dialog);
        break;
    case IDC_DCENTER:
        if (code == BN_CLICKED) shown.doubleClickCenter = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
        break;
    case IDC_KEYLIST:
        if (code == LBN_SELCHANGE)
            EnableWindow(GetDlgItem(dialog, IDC_REMOVE),
                         SendDlgItemMessageW(dialog, IDC_KEYLIST, LB_GETCURSEL, 0, 0) != LB_ERR);
        break;
    case IDC_WIDTH:
    case IDC_HEIGHT:
        // A typed 0 or 500 is put right once the user leaves the box.
        if (code == EN_KILLFOCUS) {
            ReadSizes(dialog);
            ShowSize(dialog, id, id == IDC_WIDTH ? shown.widthSteps : shown.heightSteps);
        }
        break;
    }
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetIcons(dialog);
        ShowAll(dialog);
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_HSCROLL:
        if ((HWND)lParam == GetDlgItem(dialog, IDC_SPEED)) {
            int32_t position = (int32_t)SendDlgItemMessageW(dialog, IDC_SPEED, TBM_GETPOS, 0, 0);
            shown.speed = SpeedFromSlider(position, shown.speed);
            ShowSpeed(dialog);
        }
        return TRUE;
    case WM_TIMER:
        if (wParam == kCaptureTimer) {
            CapturePoll poll = PollCapture(capture, ReadKeys());
            if (poll == CapturePoll::waiting) return TRUE;
            if (poll == CapturePoll::recorded) shown.activationKeys = capture.pressed;
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
        if (GetDlgCtrlID((HWND)lParam) == IDC_EMPTY_WARNING || GetDlgCtrlID((HWND)lParam) == IDC_RANGE_NOTE) {
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

HWND CreateSettingsDialog(HINSTANCE instance, const Settings& values, Source source) {
    dialogInstance = instance;
    shown = values;
    shownSource = source;
    const DLGTEMPLATE* dialog = DialogTemplate(instance, IDD_CONFIG);
    return dialog ? CreateDialogIndirectParamW(instance, dialog, nullptr, SettingsDialogProc, 0) : nullptr;
}

bool HandleDialogKey(HWND dialog, const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (capture.active) {
        // Esc ends the capture, not the dialog; the loop drops the other keys.
        if (msg.wParam != VK_ESCAPE) return false;
        EndCapture(dialog);
        return true;
    }
    if (GetParent(msg.hwnd) != dialog) return false;
    int id = GetDlgCtrlID(msg.hwnd);
    if (IsCellId(id)) return MoveCell(dialog, id - IDC_CELL0, msg.wParam);
    if (id == IDC_KEYLIST && msg.wParam == VK_DELETE) {
        RemoveSelectedKey(dialog, true);
        return true;
    }
    return false;
}

bool Capturing() {
    return capture.active;
}
