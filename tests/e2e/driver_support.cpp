#include "tests/e2e/driver.h"

#include <cstdarg>
#include <cstdio>

#include "tests/e2e/driver_run.h"
#include "tests/e2e/e2e_windows.h"

DriverConfig driverConfig;

namespace {

std::vector<Child> scenarioChildren;

std::string Format(const char* format, va_list args) {
    char buffer[1024];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    return buffer;
}

}  // namespace

void Expect(bool ok, const char* format, ...) {
    if (ok) return;
    va_list args;
    va_start(args, format);
    RecordFailure(Format(format, args));
    va_end(args);
}

void Require(bool ok, const char* format, ...) {
    if (ok) return;
    va_list args;
    va_start(args, format);
    RecordFailure(Format(format, args));
    va_end(args);
    throw ScenarioAborted();
}

void WineDiffers(const char* name, const char* what) {
    static std::vector<std::string> told;  // each once per run
    for (const std::string& t : told)
        if (t == name) return;
    told.push_back(name);
    std::printf("    wine-differs %s: %s\n", name, what);
    std::fflush(stdout);
}

bool OnWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if ((int)(GetTickCount() - start) >= timeoutMs) return done();
        Sleep(20);
    }
}

void Settle() {
    Sleep(kSettleMs);
}

std::string BinPath(const char* file) {
    return driverConfig.binDir + "\\" + file;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FreshDir(const std::string& name) {
    static int counter = 0;
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02d-", ++counter);
    std::string dir = driverConfig.workDir + "\\" + prefix + name;
    Require(CreateDirectoryA(dir.c_str(), nullptr) != 0, "cannot create %s", dir.c_str());
    return dir;
}

std::string ReadBytes(const std::string& path) {
    std::string bytes;
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return bytes;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) bytes.append(buffer, n);
    std::fclose(in);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* out = std::fopen(path.c_str(), "wb");
    Require(out != nullptr, "cannot write %s", path.c_str());
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
}

std::vector<std::string> ListDir(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string Printable(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else
            out += (char)c;
    }
    return out;
}

Child Start(const std::string& commandLine, const std::string& directory, bool scenarioOwned) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    BOOL ok = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             directory.empty() ? nullptr : directory.c_str(), &startup, &info);
    Require(ok != 0, "cannot start %s (error %lu)", commandLine.c_str(), GetLastError());
    CloseHandle(info.hThread);
    Child child;
    child.process = info.hProcess;
    child.pid = info.dwProcessId;
    if (scenarioOwned) scenarioChildren.push_back(child);
    return child;
}

bool WaitExit(const Child& child, int timeoutMs, DWORD* exitCode) {
    if (WaitForSingleObject(child.process, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(child.process, exitCode);
    return true;
}

bool IsRunning(const Child& child) {
    return WaitForSingleObject(child.process, 0) == WAIT_TIMEOUT;
}

void EndChild(Child& child) {
    if (!child.process) return;
    if (IsRunning(child)) {
        TerminateProcess(child.process, 1);
        WaitForSingleObject(child.process, 5000);
    }
}

void EndScenarioChildren() {
    for (Child& child : scenarioChildren) {
        EndChild(child);
        CloseHandle(child.process);
    }
    scenarioChildren.clear();
}

namespace {

// The work directory as Unix sees it (the runner passes a path on Z:, which
// Wine maps to the root).
std::string UnixWorkDir() {
    const std::string& dir = driverConfig.workDir;
    Require(dir.size() > 2 && (dir[0] == 'Z' || dir[0] == 'z') && dir[1] == ':', "work dir %s is not on Z:",
            dir.c_str());
    std::string unixPath = dir.substr(2);
    for (char& c : unixPath)
        if (c == '\\') c = '/';
    return unixPath;
}

}  // namespace

void Xdo(const std::string& arguments) {
    // Wine starts a Unix program detached: the handle it returns cannot be
    // waited on. The shell leaves a marker file when xdotool has finished.
    static int counter = 0;
    std::string marker = "xdo-" + std::to_string(++counter);
    std::string unixMarker = UnixWorkDir() + "/" + marker;
    std::string line = "Z:\\bin\\sh -c \"xdotool " + arguments + "; echo $? >" + unixMarker + ".tmp && mv " +
                       unixMarker + ".tmp " + unixMarker + "\"";
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    Require(CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info) != 0,
            "cannot run xdotool (error %lu)", GetLastError());
    std::string windowsMarker = driverConfig.workDir + "\\" + marker;
    Require(WaitFor([&] { return FileExists(windowsMarker); }, 10000), "xdotool %s did not finish",
            arguments.c_str());
    std::string status = ReadBytes(windowsMarker);
    DeleteFileA(windowsMarker.c_str());
    Require(status == "0\n", "xdotool %s failed: %s", arguments.c_str(), status.c_str());
}

void PointerTo(int x, int y) {
    Xdo("mousemove " + std::to_string(x) + " " + std::to_string(y));
    // Wait until Windows-side code sees it: xdotool returns before the
    // motion reaches every client.
    Require(WaitFor([&] {
                POINT p = CursorPos();
                return p.x == x && p.y == y;
            }),
            "pointer did not reach (%d,%d)", x, y);
}

namespace {

// Waits until Wine's key state, which every Wine process reads, shows the
// keys (xdotool names joined by '+') in the given state.
void AwaitKeys(const std::string& keys, bool down) {
    struct Name {
        const char* xName;
        int vk;
    };
    static const Name kNames[] = {{"shift", VK_SHIFT}, {"ctrl", VK_CONTROL}, {"alt", VK_MENU}, {"button", VK_LBUTTON}};
    std::vector<int> vks;
    size_t start = 0;
    while (start <= keys.size()) {
        size_t end = keys.find('+', start);
        if (end == std::string::npos) end = keys.size();
        std::string name = keys.substr(start, end - start);
        for (const Name& n : kNames)
            if (name == n.xName) vks.push_back(n.vk);
        start = end + 1;
    }
    Require(WaitFor([&] {
                for (int vk : vks)
                    if (((GetAsyncKeyState(vk) & 0x8000) != 0) != down) return false;
                return true;
            }),
            "Wine does not see %s %s", keys.c_str(), down ? "down" : "up");
}

// Keys go to the X window of the shell's window that never moves: without a
// window manager the X focus follows the pointer, and over no Wine window
// (the desktop moved away, the MoverWindow's X window lagging behind a
// stalled pass) a key would never reach Wine, whose key state would stick.
std::string Keys(const char* action, const char* keys) {
    return std::string("search --name '^") + kFocusTitle + "$' windowfocus --sync " + action + " " + keys;
}

}  // namespace


void KeysDown(const char* keys) {
    Xdo(Keys("keydown", keys));
    AwaitKeys(keys, true);
}

void KeysUp(const char* keys) {
    Xdo(Keys("keyup", keys));
    AwaitKeys(keys, false);
}

void ReleaseAllInput() {
    Xdo("mouseup 1");
    if (FindWindowA("DV2ControlHost", kFocusTitle))
        Xdo(Keys("keyup", "shift+ctrl+alt"));
    else
        Xdo("keyup shift+ctrl+alt");
}

void ButtonDown() {
    Xdo("mousedown 1");
    AwaitKeys("button", true);
}

void ButtonUp() {
    Xdo("mouseup 1");
    AwaitKeys("button", false);
}

POINT CursorPos() {
    POINT p = {};
    GetCursorPos(&p);
    return p;
}

namespace {

struct FindRequest {
    DWORD pid;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    FindRequest* request = reinterpret_cast<FindRequest*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (request->pid && pid != request->pid) return TRUE;
    char text[256];
    GetClassNameA(hwnd, text, sizeof text);
    if (request->className && lstrcmpA(text, request->className) != 0) return TRUE;
    GetWindowTextA(hwnd, text, sizeof text);
    if (request->title && lstrcmpA(text, request->title) != 0) return TRUE;
    request->found = hwnd;
    return FALSE;
}

}  // namespace

HWND FindWindowOf(DWORD pid, const char* className, const char* title) {
    FindRequest request = {pid, className, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&request));
    return request.found;
}

RECT RectOf(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return r;
}

POINT TopLeft(HWND hwnd) {
    RECT r = RectOf(hwnd);
    return {r.left, r.top};
}

bool IsAt(HWND hwnd, int x, int y) {
    POINT p = TopLeft(hwnd);
    return p.x == x && p.y == y;
}

std::string Describe(HWND hwnd) {
    POINT p = TopLeft(hwnd);
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper) return true;
        if (w == lower) return false;
    }
    return false;
}

POINT CursorHotSpot() {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    ICONINFO icon = {};
    if (!GetCursorInfo(&info) || !info.hCursor || !GetIconInfo(info.hCursor, &icon)) return {-1, -1};
    DeleteObject(icon.hbmMask);
    if (icon.hbmColor) DeleteObject(icon.hbmColor);
    return {(LONG)icon.xHotspot, (LONG)icon.yHotspot};
}
