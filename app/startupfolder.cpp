// The Startup folder's shortcut, read and written through the shell's link
// object. COM lives only for the length of one call: the menu and its
// command are all that use it.
#include "app/startupfolder.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "res/resource.h"

namespace {

struct ComScope {
    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComScope() {
        if (SUCCEEDED(result)) CoUninitialize();
    }
};

// A shell link and its file side; `file` is null when they cannot be had.
struct ShellLink {
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    ShellLink() {
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void**)&link)))
            link->QueryInterface(IID_IPersistFile, (void**)&file);
    }
    ~ShellLink() {
        if (file) file->Release();
        if (link) link->Release();
    }
};

std::wstring ExePath() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, &path[0], (DWORD)path.size()));
    return path;
}

// Empty when the folder is unknown; `create` makes it if it is not there yet.
std::wstring ShortcutPath(bool create) {
    wchar_t folder[MAX_PATH] = {};
    int which = CSIDL_STARTUP | (create ? CSIDL_FLAG_CREATE : 0);
    if (FAILED(SHGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, folder))) return L"";
    return std::wstring(folder) + L"\\Veskal.lnk";
}

// Compared as the file system compares names: a copy started through a path
// typed in other letter case is still this exe.
bool StartsThisExe(const std::wstring& shortcut, const std::wstring& exe) {
    ShellLink shell;
    wchar_t target[MAX_PATH] = {};
    return shell.file && SUCCEEDED(shell.file->Load(shortcut.c_str(), STGM_READ)) &&
           SUCCEEDED(shell.link->GetPath(target, MAX_PATH, nullptr, 0)) &&
           CompareStringOrdinal(target, -1, exe.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool WriteShortcut(const std::wstring& shortcut, const std::wstring& exe) {
    // A root keeps its backslash: "C:" alone names the drive's current folder.
    size_t cut = exe.find_last_of(L'\\');
    std::wstring folder = exe.substr(0, cut == 2 ? 3 : cut);
    ShellLink shell;
    return shell.file && SUCCEEDED(shell.link->SetPath(exe.c_str())) &&
           SUCCEEDED(shell.link->SetWorkingDirectory(folder.c_str())) &&
           SUCCEEDED(shell.link->SetIconLocation(exe.c_str(), -IDI_VESKAL)) &&  // negative: by resource id
           SUCCEEDED(shell.file->Save(shortcut.c_str(), TRUE));
}

}  // namespace

bool StartsWithWindows() {
    ComScope com;
    std::wstring shortcut = ShortcutPath(false);
    return !shortcut.empty() && StartsThisExe(shortcut, ExePath());
}

bool ToggleStartWithWindows() {
    ComScope com;
    std::wstring shortcut = ShortcutPath(true), exe = ExePath();
    if (shortcut.empty()) return false;
    if (StartsThisExe(shortcut, exe)) return DeleteFileW(shortcut.c_str()) != 0;
    return WriteShortcut(shortcut, exe);
}
