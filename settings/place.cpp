#include "settings/place.h"

#include <shlobj.h>

#include "settings/paths.h"

namespace {

const wchar_t kIniName[] = L"veskal.ini";

// A new file is what a save makes first, and what Program Files or
// Controlled Folder Access refuse; an ACL that allows only changes to
// existing files is too rare to count. The name is this process's, since
// Veskal, its guard and config.exe may ask at once.
bool TakesFiles(const std::wstring& directory) {
    std::string id = std::to_string(GetCurrentProcessId());
    std::wstring probe = directory + L"veskal-" + std::wstring(id.begin(), id.end()) + L".tmp";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// %LOCALAPPDATA%\Veskal\, made if missing; empty when the system has none.
std::wstring LocalDirectory() {
    wchar_t local[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, local)))
        return L"";
    std::wstring directory = std::wstring(local) + L"\\Veskal";
    CreateDirectoryW(directory.c_str(), nullptr);
    return directory + L"\\";
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

SettingsPlace FindSettingsPlace(HINSTANCE instance) {
    std::wstring exe = ExeDirectory(instance);
    if (TakesFiles(exe)) return {exe, exe + kIniName, true};
    std::wstring local = LocalDirectory();
    if (local.empty()) return {exe, exe + kIniName, false};
    return {local, (Exists(local + kIniName) ? local : exe) + kIniName, TakesFiles(local)};
}
