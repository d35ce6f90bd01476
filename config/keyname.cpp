#include "config/keyname.h"

#include "config/resource.h"
#include "settings/language.h"

namespace {

// Keys whose scan code needs the extended bit to be named right.
bool IsExtendedKey(int key) {
    switch (key) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_NUMLOCK: case VK_DIVIDE:
    case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_SNAPSHOT:
        return true;
    default:
        return false;
    }
}

}  // namespace

std::wstring KeyLabel(HINSTANCE instance, int32_t key) {
    wchar_t name[64] = L"";
    UINT scan = MapVirtualKeyW((UINT)key, MAPVK_VK_TO_VSC);
    LONG lParam = (LONG)(scan << 16) | (IsExtendedKey(key) ? 1L << 24 : 0);
    std::wstring label = scan != 0 && GetKeyNameTextW(lParam, name, 64) > 0 ? name : LoadText(instance, IDS_UNNAMED_KEY);
    return label + L" (" + std::to_wstring(key) + L")";
}
