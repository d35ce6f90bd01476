// The files beside the exe on a real Win32 file system: where they are, and
// the bytes on disk after a save.
#include <gtest/gtest.h>

#include "settings/paths.h"
#include "settings/savetext.h"
#include "tests/wine/desktop.h"

// The exe's folder from its path, as long as earlier releases kept it.
TEST(Paths, ModuleDirectory) {
    const std::wstring deep(300, L'd');
    const struct { const char* label; std::wstring path, directory; } rows[] = {
        {"drive and folders", L"Z:\\a\\表\\veskal.exe", L"Z:\\a\\表\\"},
        {"255 characters after the drive", L"Z:\\" + deep + L"\\veskal.exe", L"Z:\\" + deep.substr(0, 254)},
        {"no drive", L"\\\\server\\share\\veskal.exe", L"\\\\server\\share\\"},
        {"no folder", L"veskal.exe", L""}};
    for (const auto& row : rows) EXPECT_EQ(ModuleDirectory(row.path), row.directory) << row.label;
}

TEST(SaveText, LeavesTheFileWhole) {
    const std::string old = "old\r\n", saved = "a=1\r\nb=2\r\n";
    enum Setup { plain, newIsFolder, heldForReading, newIsFull };
    const struct { const char* label; std::string path; Setup setup; std::string expected; } rows[] = {
        {"replaced: text mode on disk", "plain.ini", plain, saved},
        {"no room for the temporary (.new is a folder): written in place", "folder.ini", newIsFolder, saved},
        // ".new" makes it 1 past a folder entry's 255; Wine opens paths past MAX_PATH
        {"name too long for .new: written in place", std::string(255 - 3, 'n'), plain, saved},
        {"open elsewhere, shared for reading only: kept", "held.ini", heldForReading, old},
        {"the disk full (.new leads to /dev/full): kept, not cut by a write in place", "full.ini", newIsFull, old}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        WriteBytes(row.path, old);
        ASSERT_TRUE(row.setup != newIsFolder || CreateDirectoryA((row.path + ".new").c_str(), nullptr));
        ASSERT_TRUE(row.setup != newIsFull || UnixWait(UnixStart("ln -s /dev/full full.ini.new")) == "0\n");
        HANDLE reader = row.setup != heldForReading ? INVALID_HANDLE_VALUE
                        : CreateFileA(row.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0);
        ASSERT_EQ(reader != INVALID_HANDLE_VALUE, row.setup == heldForReading);
        EXPECT_EQ(SaveText(std::wstring(row.path.begin(), row.path.end()), "a=1\nb=2\n"), row.expected == saved);
        if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
        EXPECT_EQ(ReadBytes(row.path), row.expected);
        EXPECT_EQ(FileExists(row.path + ".new"), row.setup == newIsFolder);
    }
}
