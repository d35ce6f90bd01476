// Notification icons, program launches and system cursors of the stand-in.
#include "state.h"

#include <algorithm>
#include <cstring>

using namespace sim;

namespace sim {

std::vector<TrayIcon> TrayIcons() {
    return S().tray;
}

void SetTaskbarAccepts(bool accepts) {
    S().taskbarAccepts = accepts;
}

std::vector<Launch> Launches() {
    return S().launches;
}

int SystemCursor(DWORD ocr) {
    auto it = S().systemCursors.find(ocr);
    return it == S().systemCursors.end() ? 0 : it->second;
}

}  // namespace sim

extern "C" {

BOOL WINAPI Shell_NotifyIconA(DWORD message, PNOTIFYICONDATAA data) {
    Log("Shell_NotifyIconA(" + std::to_string(message) + ", size=" + std::to_string(data->cbSize) + ", " +
        Name(data->hWnd) + ", id=" + std::to_string(data->uID) + ", flags=" + Hex(data->uFlags) +
        ", callback=" + Hex(data->uCallbackMessage) + ", icon=" + std::to_string(ResourceIdOf(data->hIcon)) +
        ", tip=" + std::string(data->szTip, strnlen(data->szTip, 64)) + ")");
    auto& tray = S().tray;
    auto it = std::find_if(tray.begin(), tray.end(),
                           [&](const TrayIcon& t) { return t.hwnd == data->hWnd && t.id == data->uID; });
    if (!S().taskbarAccepts) return FALSE;
    // Only the first layout is understood here; the tooltip stops at 64 bytes.
    TrayIcon icon{data->hWnd,      data->uID, data->uFlags, data->uCallbackMessage, ResourceIdOf(data->hIcon),
                  std::string(data->szTip, strnlen(data->szTip, 64)), data->cbSize};
    switch (message) {
    case NIM_ADD:
        if (it != tray.end()) return FALSE;
        tray.push_back(icon);
        return TRUE;
    case NIM_MODIFY:
        if (it == tray.end()) return FALSE;
        *it = icon;
        return TRUE;
    case NIM_DELETE:
        if (it == tray.end()) return FALSE;
        tray.erase(it);
        return TRUE;
    default:
        return FALSE;
    }
}

HINSTANCE WINAPI ShellExecuteA(HWND hwnd, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                               INT showCommand) {
    Log(std::string("ShellExecuteA(") + Name(hwnd) + ", " + (operation ? operation : "null") + ", " + file + ", " +
        (parameters ? parameters : "null") + ", " + (directory ? directory : "null") + ", " +
        std::to_string(showCommand) + ")");
    S().launches.push_back(Launch{hwnd, operation ? operation : "", file ? file : "", parameters ? parameters : "",
                                  directory ? directory : "", operation == nullptr, directory == nullptr,
                                  showCommand});
    return reinterpret_cast<HINSTANCE>(42);
}

BOOL WINAPI SetSystemCursor(HCURSOR cursor, DWORD id) {
    int resource = ResourceIdOf(cursor);
    Log("SetSystemCursor(" + std::to_string(resource) + ", " + std::to_string(id) + ")");
    if (!cursor) return FALSE;
    S().systemCursors[id] = resource;
    S().iconResources.erase(reinterpret_cast<uintptr_t>(cursor));  // the system owns it now
    return TRUE;
}

BOOL WINAPI SystemParametersInfoA(UINT action, UINT param, PVOID data, UINT winIni) {
    Log("SystemParametersInfoA(" + Hex(action) + ", " + std::to_string(param) + ", " + (data ? "data" : "null") +
        ", " + std::to_string(winIni) + ")");
    if (action == SPI_SETCURSORS) {
        S().systemCursors.clear();
        return TRUE;
    }
    const RECT& work = S().workArea;
    if (action == SPI_GETWORKAREA && work.right > work.left) {
        *static_cast<RECT*>(data) = work;
        return TRUE;
    }
    return FALSE;
}

}  // extern "C"
