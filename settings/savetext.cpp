#include "settings/savetext.h"

#include <windows.h>

#include <cstdio>

namespace {

enum class Write { done, notCreated, failed };

// Writes `text` in text mode to `path`: every byte, the flush and the close
// must get through.
Write WriteWhole(const std::wstring& path, const std::string& text) {
    FILE* file = _wfopen(path.c_str(), L"wt");
    if (!file) return Write::notCreated;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    bool flushed = std::fflush(file) == 0;
    bool closed = std::fclose(file) == 0;
    return written && flushed && closed ? Write::done : Write::failed;
}

bool IsLink(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The new contents go to a file beside the old one and replace it in one
// step, so a full disk or a crash never leaves a cut or empty settings file.
// notCreated when that could not be done but writing in place may.
Write ReplaceWhole(const std::wstring& path, const std::string& text) {
    std::wstring temporary = path + L".new";
    Write written = WriteWhole(temporary, text);
    // notCreated: a folder that takes no new files, or a path too long for
    // ".new"; failed: the disk is full, and writing in place would cut the old file.
    if (written != Write::done) {
        if (written == Write::failed) DeleteFileW(temporary.c_str());
        return written;
    }
    if (MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Write::done;
    DeleteFileW(temporary.c_str());
    return Write::notCreated;
}

}  // namespace

// A link stays a link: the replace would put a plain file in its place.
bool SaveText(const std::wstring& path, const std::string& text) {
    Write written = IsLink(path) ? Write::notCreated : ReplaceWhole(path, text);
    if (written == Write::notCreated) written = WriteWhole(path, text);
    return written == Write::done;
}
