// Handing the settings text to the running Veskal.
#pragma once

#include <windows.h>

#include <string>

enum class SendResult { sent, notRunning, noAnswer, accessDenied };

// WM_COPYDATA to the running Veskal's window; the text goes by length,
// without a NUL.
SendResult SendToVeskal(HWND from, const std::string& text);
