#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

const UINT kTrayCallbackMessage = WM_APP + 1;

void SetTrayIcon(HWND hwnd, DWORD action);
// Waits for the shell a quarter of a second at most.
void RemoveTrayIcon();
// A balloon from the tray icon for what the user must know: veskal.exe never
// blocks its loop with a message box. Texts longer than the fields are cut.
void ShowBalloon(const char* title, const std::string& text);
// The same with the title bar's text: the resource string `textId`, then `detail`.
void ShowBalloon(UINT textId, const std::string& detail);
// Before an exit that follows a balloon: messages answered for a few seconds,
// so that it is seen before the icon goes; a WM_QUIT ends it early.
void LingerForBalloon();
void ShowTrayMenu(HWND hwnd, WPARAM wParam, LPARAM lParam);
void ToggleEnabled(HWND hwnd);
