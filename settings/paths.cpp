#include "settings/paths.h"

#include <windows.h>

namespace {

// As long as earlier releases kept it, so a longer path still finds the
// veskal.ini they wrote.
const size_t kMaxDirectory = 255;
const DWORD kLongestPath = 32768;  // what the system allows, past MAX_PATH

}  // namespace

std::wstring ModuleDirectory(const std::wstring& modulePath) {
    std::wstring drive;
    size_t start = 0;
    if (modulePath.size() >= 2 && modulePath[1] == L':') {
        drive = modulePath.substr(0, 2);
        start = 2;
    }
    size_t end = modulePath.find_last_of(L"\\/");
    end = end == std::wstring::npos || end < start ? start : end + 1;
    std::wstring directory = modulePath.substr(start, end - start);
    if (directory.size() > kMaxDirectory) directory.resize(kMaxDirectory);
    return drive + directory;
}

std::wstring ModulePath(HINSTANCE instance) {
    std::wstring path(kLongestPath, L'\0');
    DWORD length = GetModuleFileNameW(instance, &path[0], kLongestPath);
    path.resize(length < kLongestPath ? length : 0);  // all of it, cut short: no path
    return path;
}

std::wstring ExeDirectory(HINSTANCE instance) {
    return ModuleDirectory(ModulePath(instance));
}
