// veskal.exe's resources as the system loads them: the icons and cursor, the
// manifest and the version the project gives. (The texts and the menu show in
// the suite's rows, in both languages.)
#include <windows.h>
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/wine/desktop.h"

TEST(Resources, AsTheSystemLoadsThem) {
    std::string path = binDir + "\\veskal.exe";
    HMODULE exe = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(exe) << path;
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
