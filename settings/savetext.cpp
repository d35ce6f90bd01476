#include "settings/savetext.h"

#include <windows.h>

#include <cstdio>

namespace {

enum class Write { done, notCreated, failed };

// Writes `text` in text mode to `path`: every byte, the flush and the close
// must get through.
Write WriteWhole(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wt");
    if (!file) return Write::notCreated;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    bool flushed = std::fflush(file) == 0;
    bool closed = std::fclose(file) == 0;
    return written && flushed && closed ? Write::done : Write::failed;
}

bool IsLink(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The new contents go to a file beside the old one and replace it in one
// step, so a full disk or a crash never leaves a cut or empty settings file.
// False when that could not be done but writing in place may.
bool ReplaceWhole(const std::string& path, const std::string& text) {
    std::string temporary = path + ".new";
    switch (WriteWhole(temporary, text)) {
    case Write::notCreated:  // a folder that takes no new files, or a path too long for ".new"
        return false;
    case Write::failed:  // the disk is full: writing in place would cut the old file
        DeleteFileA(temporary.c_str());
        return true;
    case Write::done:
        break;
    }
    if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(temporary.c_str());
    return false;
}

}  // namespace

// A link stays a link: the replace would put a plain file in its place.
void SaveText(const std::string& path, const std::string& text) {
    if (IsLink(path) || !ReplaceWhole(path, text)) WriteWhole(path, text);
}
