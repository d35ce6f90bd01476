// Named mutexes, module path, last error, files and the code page of the
// stand-in.
#include "state.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iconv.h>
#include <sys/stat.h>

using namespace sim;

namespace sim {

void SetModulePath(const std::string& path) {
    S().modulePath = path;
}

void HoldMutexElsewhere(const std::string& name) {
    S().mutexes[name].handles++;
}

bool MutexExists(const std::string& name) {
    auto it = S().mutexes.find(name);
    return it != S().mutexes.end() && it->second.handles > 0;
}

int OpenMutexHandles() {
    return (int)S().mutexHandles.size();
}


std::string Ansi(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* dst = &out[0];
    size_t outLeft = out.size();
    iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace sim

extern "C" {

HANDLE WINAPI CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL initialOwner, LPCSTR name) {
    Log(std::string("CreateMutexA(") + (initialOwner ? "TRUE" : "FALSE") + ", " + (name ? name : "null") + ")");
    if (Failing("CreateMutexA")) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    auto& m = S().mutexes[name ? name : ""];
    SetLastError(m.handles > 0 ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    m.handles++;
    uintptr_t handle = 0x5000 + 4 * S().mutexHandles.size() + 4 * S().calls.size();
    S().mutexHandles[handle] = name ? name : "";
    return reinterpret_cast<HANDLE>(handle);
}

BOOL WINAPI ReleaseMutex(HANDLE mutex) {
    Log("ReleaseMutex(" + std::string(mutex ? "mutex" : "null") + ")");
    return S().mutexHandles.count(reinterpret_cast<uintptr_t>(mutex)) ? TRUE : FALSE;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
    Log("CloseHandle(" + std::string(handle ? "mutex" : "null") + ")");
    auto it = S().mutexHandles.find(reinterpret_cast<uintptr_t>(handle));
    if (it == S().mutexHandles.end()) return FALSE;
    S().mutexes[it->second].handles--;
    S().mutexHandles.erase(it);
    return TRUE;
}

DWORD WINAPI GetLastError(void) {
    return S().lastError;
}

void WINAPI SetLastError(DWORD error) {
    S().lastError = error;
}

DWORD WINAPI GetModuleFileNameA(HMODULE, LPSTR buffer, DWORD size) {
    if (size == 0) return 0;
    const std::string& path = S().modulePath;
    DWORD n = (DWORD)std::min<size_t>(path.size(), size - 1);
    std::memcpy(buffer, path.data(), n);
    buffer[n] = 0;
    return n;
}

// Lead bytes of code page 932.
BOOL WINAPI IsDBCSLeadByte(BYTE byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

BOOL WINAPI MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
    Log(std::string("MoveFileExA(") + from + ", " + to + ", " + Hex(flags) + ")");
    if (Failing("MoveFileExA")) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!(flags & MOVEFILE_REPLACE_EXISTING)) {
        if (FILE* f = std::fopen(to, "rb")) {
            std::fclose(f);
            SetLastError(ERROR_ALREADY_EXISTS);
            return FALSE;
        }
    }
    return std::rename(from, to) == 0 ? TRUE : FALSE;
}

// A symbolic link is what a reparse point is on Windows.
DWORD WINAPI GetFileAttributesA(LPCSTR path) {
    struct stat st;
    if (lstat(path, &st) != 0) return INVALID_FILE_ATTRIBUTES;
    return S_ISLNK(st.st_mode) ? FILE_ATTRIBUTE_REPARSE_POINT : FILE_ATTRIBUTE_NORMAL;
}

BOOL WINAPI DeleteFileA(LPCSTR path) {
    Log(std::string("DeleteFileA(") + path + ")");
    return std::remove(path) == 0 ? TRUE : FALSE;
}

}  // extern "C"
