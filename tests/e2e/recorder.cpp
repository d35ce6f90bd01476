// Stands in for config.exe: writes the parameters it was started with to
// config-args.txt beside itself, so the driver can read what was passed.
// The file appears whole (written under another name, then renamed), so a
// reader that sees it never sees half of it.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR parameters, int) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    while (length > 0 && path[length - 1] != '\\') --length;
    if (length + 20 > MAX_PATH) return 1;
    char partial[MAX_PATH];
    std::memcpy(partial, path, length);
    std::strcpy(partial + length, "config-args.tmp");
    std::strcpy(path + length, "config-args.txt");
    FILE* out = std::fopen(partial, "wb");
    if (!out) return 1;
    std::fputs(parameters, out);
    std::fclose(out);
    return MoveFileExA(partial, path, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
