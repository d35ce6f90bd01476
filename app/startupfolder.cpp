// The Startup folder's shortcut, read and written through the shell's link
// object. COM lives only for the length of one call: the menu and its
// command are all that use it.
#include "app/startupfolder.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cwchar>

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

// This exe's path; false when it is too long for a shortcut to hold.
bool ExePath(wchar_t (&exe)[MAX_PATH]) {
    DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    return length > 0 && length < MAX_PATH;
}

// False when the folder is unknown; `create` makes it if it is not there yet.
bool ShortcutPath(bool create, wchar_t (&shortcut)[MAX_PATH]) {
    const wchar_t kName[] = L"\\Veskal.lnk";
    int which = CSIDL_STARTUP | (create ? CSIDL_FLAG_CREATE : 0);
    if (FAILED(SHGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, shortcut)) ||
        lstrlenW(shortcut) + lstrlenW(kName) >= MAX_PATH)
        return false;
    lstrcatW(shortcut, kName);
    return true;
}

// Compared as the file system compares names: a copy started through a path
// typed in other letter case is still this exe.
bool StartsThisExe(const wchar_t* shortcut, const wchar_t* exe) {
    ShellLink shell;
    wchar_t target[MAX_PATH] = {};
    return shell.file && SUCCEEDED(shell.file->Load(shortcut, STGM_READ)) &&
           SUCCEEDED(shell.link->GetPath(target, MAX_PATH, nullptr, 0)) &&
           CompareStringOrdinal(target, -1, exe, -1, TRUE) == CSTR_EQUAL;
}

bool WriteShortcut(const wchar_t* shortcut, const wchar_t* exe) {
    wchar_t folder[MAX_PATH];
    lstrcpynW(folder, exe, MAX_PATH);
    // A root keeps its backslash: "C:" alone names the drive's current folder.
    if (wchar_t* cut = wcsrchr(folder, L'\\')) cut[cut == folder + 2 ? 1 : 0] = 0;
    ShellLink shell;
    return shell.file && SUCCEEDED(shell.link->SetPath(exe)) && SUCCEEDED(shell.link->SetWorkingDirectory(folder)) &&
           SUCCEEDED(shell.link->SetIconLocation(exe, -IDI_VESKAL)) &&  // negative: by resource id
           SUCCEEDED(shell.file->Save(shortcut, TRUE));
}

}  // namespace

bool StartsWithWindows() {
    ComScope com;
    wchar_t shortcut[MAX_PATH], exe[MAX_PATH];
    return ShortcutPath(false, shortcut) && ExePath(exe) && StartsThisExe(shortcut, exe);
}

bool ToggleStartWithWindows() {
    ComScope com;
    wchar_t shortcut[MAX_PATH], exe[MAX_PATH];
    if (!ShortcutPath(true, shortcut) || !ExePath(exe)) return false;
    if (StartsThisExe(shortcut, exe)) return DeleteFileW(shortcut) != 0;
    return WriteShortcut(shortcut, exe);
}
