// The files that live beside the executables: veskal.exe and config.exe
// find them the same way.
#include "settings/paths.h"

#include <windows.h>

namespace {

// As long as earlier releases kept it, so a longer path still finds the
// veskal.ini they wrote.
const size_t kMaxDirectory = 255;

}  // namespace

std::string ModuleDirectory(const std::string& modulePath) {
    std::string drive;
    size_t start = 0;
    if (modulePath.size() >= 2 && modulePath[1] == ':') {
        drive = modulePath.substr(0, 2);
        start = 2;
    }
    // Step over double-byte characters whole, so that a trail byte equal to
    // a backslash is never taken for a separator.
    size_t end = start;
    for (size_t i = start; i < modulePath.size(); ++i) {
        char c = modulePath[i];
        if (IsDBCSLeadByte((BYTE)c) && i + 1 < modulePath.size()) {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/') end = i + 1;
    }
    std::string directory = modulePath.substr(start, end - start);
    if (directory.size() > kMaxDirectory) directory.resize(kMaxDirectory);
    return drive + directory;
}

std::string ExeDirectory(HINSTANCE instance) {
    char modulePath[1024] = {};
    GetModuleFileNameA(instance, modulePath, sizeof modulePath);
    return ModuleDirectory(modulePath);
}
