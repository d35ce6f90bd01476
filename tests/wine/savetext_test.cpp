// SaveText on a real Win32 file system: the bytes on disk afterwards.
#include "settings/savetext.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string Bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The shortest name that ".new" pushes past the 255 characters a folder entry
// takes. Wine's C runtime opens paths past MAX_PATH: only this limit stops
// the temporary there.
const std::string kLongName(255 - 3, 'n');

}  // namespace

TEST(SaveText, LeavesTheFileWhole) {
    const std::string old = "old\r\n", text = "a=1\nb=2\n", saved = "a=1\r\nb=2\r\n";
    enum Setup { plain, newIsFolder, heldForReading };
    struct Row {
        const char* label;
        std::string path;
        Setup setup;
        std::string expected;
    } rows[] = {
        {"replaced: text mode on disk", "plain.ini", plain, saved},
        {"no room for the temporary (.new is a folder): written in place", "folder.ini", newIsFolder, saved},
        {"name too long for .new: written in place", kLongName, plain, saved},
        {"open elsewhere, shared for reading only: kept", "held.ini", heldForReading, old},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        std::ofstream(row.path, std::ios::binary) << old;
        ASSERT_EQ(Bytes(row.path), old);
        HANDLE reader = INVALID_HANDLE_VALUE;
        if (row.setup == newIsFolder) {
            ASSERT_TRUE(CreateDirectoryA((row.path + ".new").c_str(), nullptr));
        } else if (row.setup == heldForReading) {
            reader = CreateFileA(row.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(reader, INVALID_HANDLE_VALUE);
        }

        SaveText(row.path, text);
        if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);

        EXPECT_EQ(Bytes(row.path), row.expected);
        EXPECT_EQ(Exists(row.path + ".new"), row.setup == newIsFolder);
    }
}
