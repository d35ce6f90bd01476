// veskal.exe's resources as the system loads them: the texts in the
// Japanese code page, the menu, the icons and cursor, the manifest and the
// version the project gives.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/wine/desktop.h"

namespace {

std::wstring Text(HMODULE exe, UINT id) {
    wchar_t text[100] = L"";
    LoadStringW(exe, id, text, 100);
    return text;
}

std::wstring MenuText(HMENU popup, int position) {
    wchar_t text[100] = L"";
    GetMenuStringW(popup, position, text, 100, MF_BYPOSITION);
    return std::to_wstring(GetMenuItemID(popup, position)) + L" " + text;
}

TEST(Resources, AsTheSystemLoadsThem) {
    std::string path = binDir + "\\veskal.exe";
    HMODULE exe = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(exe) << path;
    EXPECT_EQ(Text(exe, IDS_TITLE) + L"|" + Text(exe, IDS_STOPPED) + L"|" + Text(exe, IDS_CLASSNAME) + L"|" +
                  Text(exe, IDS_MUTEXNAME),
              L"Veskal|Veskal（停止中）|VESKALClass|VESKALMUTEX");
    HMENU menu = LoadMenuW(exe, MAKEINTRESOURCEW(IDR_TRAYMENU)), popup = GetSubMenu(menu, 0);
    std::wstring items;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) items += MenuText(popup, i) + L"|";
    EXPECT_EQ(items, L"32775 有効(&V)|32776 地図を表示(&M)|0 |32773 設定(&C)...|32774 始点へ移動(&O)|0 |32771 終了(&X)|");
    DestroyMenu(menu);
    for (UINT icon : {IDI_VESKAL, IDI_TRAY_ENABLED, IDI_TRAY_STOPPED})
        for (int size : {16, 32})
            EXPECT_TRUE(LoadImageW(exe, MAKEINTRESOURCEW(icon), IMAGE_ICON, size, size, 0)) << icon << " at " << size;
    ICONINFO cursor = {};
    EXPECT_TRUE(GetIconInfo(LoadCursorW(exe, MAKEINTRESOURCEW(IDC_MOVECURSOR)), &cursor) && !cursor.fIcon &&
                cursor.xHotspot == 15 && cursor.yHotspot == 15)
        << "the move cursor, hot spot in its middle";
    HRSRC manifest = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    std::string xml(manifest ? (const char*)LockResource(LoadResource(exe, manifest)) : "",
                    manifest ? SizeofResource(exe, manifest) : 0);
    EXPECT_NE(xml.find("level=\"asInvoker\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("PerMonitorV2"), std::string::npos) << xml;
    FreeLibrary(exe);

    DWORD size = GetFileVersionInfoSizeA(path.c_str(), nullptr);
    std::string info(size, '\0');
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(size && GetFileVersionInfoA(path.c_str(), 0, size, &info[0]) &&
                VerQueryValueA(&info[0], "\\", (void**)&fixed, &length));
    const WORD version[] = {VESKAL_VERSION, 0};
    EXPECT_TRUE(fixed->dwFileVersionMS == (DWORD)MAKELONG(version[1], version[0]) &&
                fixed->dwFileVersionLS == (DWORD)MAKELONG(version[3], version[2]) &&
                fixed->dwProductVersionMS == fixed->dwFileVersionMS)
        << std::hex << fixed->dwFileVersionMS << " " << fixed->dwFileVersionLS;
}

}  // namespace
