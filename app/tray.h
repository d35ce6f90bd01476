#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

const UINT kTrayCallbackMessage = WM_APP + 1;

// The icon as the program stands, added if the shell lacks it; until the
// shell takes it, tried again every two seconds (the retry timer's
// WM_TIMER comes here).
void AddTrayIcon(HWND hwnd);
// Waits for the shell a quarter of a second at most.
void RemoveTrayIcon();
// A balloon from the tray icon for what the user must know: veskal.exe never
// blocks its loop with a message box: the resource text `textId`, then
// `detail`, under the title bar's text. Texts longer than the fields are cut.
void ShowBalloon(UINT textId, const std::wstring& detail = L"");
// Before an exit that follows a balloon: messages answered for a few seconds,
// so that it is seen before the icon goes; a WM_QUIT ends it early.
void LingerForBalloon();
void ShowTrayMenu(HWND hwnd, WPARAM wParam, LPARAM lParam);
void ToggleEnabled(HWND hwnd);
