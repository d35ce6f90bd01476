#pragma once

#include <windows.h>
#include <shellapi.h>

const UINT kTrayCallbackMessage = WM_APP + 1;

void SetTrayIcon(HWND hwnd, DWORD action);
void RemoveTrayIcon();
void ShowTrayMenu(HWND hwnd, WPARAM wParam, LPARAM lParam);
void ToggleEnabled(HWND hwnd);
