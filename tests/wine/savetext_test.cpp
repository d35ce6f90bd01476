// The files beside the exe on a real Win32 file system: where they are, and
// the bytes on disk after a save.
#include <gtest/gtest.h>

#include "settings/paths.h"
#include "settings/savetext.h"
#include "tests/wine/desktop.h"

// The exe's folder from its path in code page 932, as long as earlier releases kept it.
TEST(Paths, ModuleDirectory) {
    const std::string deep(300, 'd');
    const struct { const char* label; std::string path, directory; } rows[] = {
        {"drive and folders", "Z:\\a\\b\\veskal.exe", "Z:\\a\\b\\"},
        {"a trail byte 0x5C is no separator", "Z:\\a\\v\x95\x5C.exe", "Z:\\a\\"},
        {"255 bytes after the drive", "Z:\\" + deep + "\\veskal.exe", "Z:\\" + deep.substr(0, 254)},
        {"no drive", "\\\\server\\share\\veskal.exe", "\\\\server\\share\\"}};
    for (const auto& row : rows) EXPECT_EQ(ModuleDirectory(row.path), row.directory) << row.label;
}

TEST(SaveText, LeavesTheFileWhole) {
    const std::string old = "old\r\n", saved = "a=1\r\nb=2\r\n";
    enum Setup { plain, newIsFolder, heldForReading };
    const struct { const char* label; std::string path; Setup setup; std::string expected; } rows[] = {
        {"replaced: text mode on disk", "plain.ini", plain, saved},
        {"no room for the temporary (.new is a folder): written in place", "folder.ini", newIsFolder, saved},
        // ".new" makes it 1 past a folder entry's 255; Wine opens paths past MAX_PATH
        {"name too long for .new: written in place", std::string(255 - 3, 'n'), plain, saved},
        {"open elsewhere, shared for reading only: kept", "held.ini", heldForReading, old}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        WriteBytes(row.path, old);
        ASSERT_TRUE(row.setup != newIsFolder || CreateDirectoryA((row.path + ".new").c_str(), nullptr));
        HANDLE reader = row.setup != heldForReading ? INVALID_HANDLE_VALUE
                        : CreateFileA(row.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0);
        ASSERT_EQ(reader != INVALID_HANDLE_VALUE, row.setup == heldForReading);
        SaveText(row.path, "a=1\nb=2\n");
        if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
        EXPECT_EQ(ReadBytes(row.path), row.expected);
        EXPECT_EQ(FileExists(row.path + ".new"), row.setup == newIsFolder);
    }
}
