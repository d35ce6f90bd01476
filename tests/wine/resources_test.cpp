// veskal.exe's resources as the system loads them: the Japanese texts, the menu,
// the icons and cursor, the manifest and the version the project gives.
#include <windows.h>
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/wine/desktop.h"

TEST(Resources, AsTheSystemLoadsThem) {
    std::string path = binDir + "\\veskal.exe";
    HMODULE exe = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(exe) << path;
    std::wstring texts;  // then the menu's items with their ids
    wchar_t text[100];
    for (UINT id : {IDS_TITLE, IDS_STOPPED, IDS_CLASSNAME, IDS_MUTEXNAME, IDS_STARTUP_FAILED})
        texts.append(text, LoadStringW(exe, id, text, 100)) += L"|";
    HMENU popup = GetSubMenu(LoadMenuW(exe, MAKEINTRESOURCEW(IDR_TRAYMENU)), 0);
    for (int i = 0; i < GetMenuItemCount(popup); ++i)
        texts.append(std::to_wstring(GetMenuItemID(popup, i)) + L" ")
            .append(text, GetMenuStringW(popup, i, text, 100, MF_BYPOSITION)) += L"|";
    EXPECT_EQ(texts, L"Veskal|Veskal（停止中）|VESKALClass|VESKALMUTEX|スタートアップ フォルダーに書き込めませんでした。|"
                     L"32775 有効(&V)|32776 地図を表示(&M)|0 |32773 設定(&C)...|32777 スタートアップに登録(&S)|"
                     L"32774 始点へ移動(&O)|0 |32771 終了(&X)|");
    for (UINT icon : {IDI_VESKAL, IDI_TRAY_ENABLED, IDI_TRAY_STOPPED})
        for (int size : {16, 32})
            EXPECT_TRUE(LoadImageW(exe, MAKEINTRESOURCEW(icon), IMAGE_ICON, size, size, 0)) << icon << " at " << size;
    ICONINFO cursor = {};
    EXPECT_TRUE(GetIconInfo(LoadCursorW(exe, MAKEINTRESOURCEW(IDC_MOVECURSOR)), &cursor) && !cursor.fIcon &&
                cursor.xHotspot == 15 && cursor.yHotspot == 15) << "the move cursor, hot spot in its middle";
    HRSRC manifest = FindResourceA(exe, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_TRUE(manifest);
    std::string xml((const char*)LockResource(LoadResource(exe, manifest)), SizeofResource(exe, manifest));
    for (const char* part : {"level=\"asInvoker\"", "PerMonitorV2"}) EXPECT_NE(xml.find(part), xml.npos) << xml;
    std::string info(GetFileVersionInfoSizeA(path.c_str(), nullptr), '\0');
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, info.size(), &info[0]) &&
                VerQueryValueA(&info[0], "\\", (void**)&fixed, &length));
    const DWORD version[] = {VESKAL_VERSION};
    EXPECT_EQ(fixed->dwFileVersionMS, version[0] << 16 | version[1]);
    EXPECT_EQ(fixed->dwFileVersionLS, version[2] << 16);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
}
