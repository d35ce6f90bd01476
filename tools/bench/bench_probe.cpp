// Observer for the latency figures of the Wine benchmark (tools/bench/wine.sh):
// a process of its own that sees a window's position and visibility as
// every other program does, through GetWindowRect and IsWindowVisible.
//
//   bench_probe.exe find CLASS
//       exit code 0 once a window of that class exists
//   bench_probe.exe watch SECONDS OUT TITLE...
//       writes "qpc_ns T" (the clock at start), then "T I X Y" for the first
//       position of the I-th window and each change of it over SECONDS; T in
//       ns of QueryPerformanceCounter, which Wine takes from
//       CLOCK_MONOTONIC_RAW
//   bench_probe.exe sendinput COUNT OUT X0 Y0 X1 Y1 TITLE...
//       COUNT absolute SendInput moves, alternately to (X1,Y1) and (X0,Y0);
//       writes per move the ns until each window has moved
//   bench_probe.exe shown SECONDS OUT CLASS TITLE
//       writes "qpc_ns T", then "T V" for whether the window shows (visible
//       and of some size: V 1 or 0) at start and at each change, until OUT.stop exists or
//       SECONDS have passed
//   bench_probe.exe raise TITLE
//       puts the window on top of the others that are not topmost
//
// watch, sendinput and shown leave OUT.done when they end, holding their
// exit code: the script waits for that file, not for a process (with
// wine32 installed, wine's own process is not the program's).
//
// Polls every 0.5 ms: fine enough for figures of milliseconds, and coarse
// enough not to starve the program under test on a small machine.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Visible and of some size: between chords veskal.exe's capture surface is
// visible, of no size.
bool Shows(HWND hwnd) {
    RECT r = {};
    return IsWindowVisible(hwnd) && GetWindowRect(hwnd, &r) && !IsRectEmpty(&r);
}

typedef LONG(NTAPI* DelayFunction)(BOOLEAN, PLARGE_INTEGER);

void ShortPause() {
    static DelayFunction delay = reinterpret_cast<DelayFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDelayExecution")));
    LARGE_INTEGER interval;
    interval.QuadPart = -5000;  // 0.5 ms, relative, in 100 ns units
    if (delay)
        delay(FALSE, &interval);
    else
        Sleep(0);
}

long long NowNs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (long long)(now.QuadPart / frequency.QuadPart * 1000000000LL +
                       now.QuadPart % frequency.QuadPart * 1000000000LL / frequency.QuadPart);
}

HWND AwaitWindow(const char* className, const char* title) {
    for (int i = 0; i < 200; ++i) {
        if (HWND hwnd = FindWindowA(className, title)) return hwnd;
        Sleep(50);
    }
    return nullptr;
}

POINT TopLeft(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return {r.left, r.top};
}

// Each watched window's first position and each change of it, as
// "T INDEX X Y" lines after a "qpc_ns T" header.
// Whether the window is visible, at start and at each change, as "T V"
// lines after a "qpc_ns T" header.
int Shown(double seconds, const char* outPath, const char* className, const char* title) {
    HWND hwnd = AwaitWindow(className, title);
    if (!hwnd) return 1;
    FILE* out = std::fopen(outPath, "w");
    if (!out) return 1;
    std::string stop = std::string(outPath) + ".stop";
    struct Change {
        long long ns;
        bool visible;
    };
    std::vector<Change> changes;
    changes.reserve(1 << 12);
    long long start = NowNs(), end = start + (long long)(seconds * 1e9);
    bool visible = Shows(hwnd);
    changes.push_back({start, visible});
    std::fprintf(out, "qpc_ns %lld\n", start);
    std::fflush(out);
    for (unsigned n = 1;; ++n) {
        if (NowNs() >= end) break;
        // About every 100 ms: whether the script is done.
        if (n % 200 == 0 && GetFileAttributesA(stop.c_str()) != INVALID_FILE_ATTRIBUTES) break;
        bool now = Shows(hwnd);
        if (now != visible) {
            changes.push_back({NowNs(), now});
            visible = now;
        }
        ShortPause();
    }
    for (const Change& c : changes) std::fprintf(out, "%lld %d\n", c.ns, c.visible ? 1 : 0);
    return std::fclose(out) == 0 ? 0 : 1;
}

// Leaves OUT.done with the exit code.
int Done(const char* outPath, int code) {
    FILE* done = std::fopen((std::string(outPath) + ".done").c_str(), "w");
    if (done) {
        std::fprintf(done, "%d\n", code);
        std::fclose(done);
    }
    return code;
}

int Watch(double seconds, const char* outPath, const std::vector<const char*>& titles) {
    std::vector<HWND> windows;
    for (const char* title : titles) windows.push_back(AwaitWindow(nullptr, title));
    FILE* out = std::fopen(outPath, "w");
    if (!out) return 1;
    for (HWND hwnd : windows)
        if (!hwnd) return 1;
    struct Change {
        long long ns;
        size_t index;
        POINT at;
    };
    std::vector<Change> changes;
    changes.reserve(1 << 16);
    long long start = NowNs(), end = start + (long long)(seconds * 1e9);
    std::fprintf(out, "qpc_ns %lld\n", start);
    std::fflush(out);
    std::vector<POINT> last;
    for (size_t i = 0; i < windows.size(); ++i) {
        last.push_back(TopLeft(windows[i]));
        changes.push_back({start, i, last[i]});
    }
    for (long long now = start; now < end; now = NowNs()) {
        for (size_t i = 0; i < windows.size(); ++i) {
            POINT at = TopLeft(windows[i]);
            if (at.x != last[i].x || at.y != last[i].y) {
                changes.push_back({NowNs(), i, at});
                last[i] = at;
            }
        }
        ShortPause();
    }
    for (const Change& c : changes) std::fprintf(out, "%lld %zu %ld %ld\n", c.ns, c.index, c.at.x, c.at.y);
    return std::fclose(out) == 0 ? 0 : 1;
}

void MoveTo(int x, int y) {
    // Absolute input is in 1/65536 of the screen.
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + width / 2) / width;
    input.mi.dy = (y * 65536 + height / 2) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// Per move, for each window: the ns until it has moved; "lost" when one of
// them takes more than 500 ms.
int SendMoves(int count, const char* outPath, POINT p0, POINT p1, const std::vector<const char*>& titles) {
    std::vector<HWND> windows;
    for (const char* title : titles) windows.push_back(AwaitWindow(nullptr, title));
    FILE* out = std::fopen(outPath, "w");
    if (!out) return 1;
    for (HWND hwnd : windows)
        if (!hwnd) return 1;
    srand(12345);
    int offTarget = 0;
    for (int i = 0; i < count; ++i) {
        POINT target = i % 2 ? p0 : p1;
        std::vector<POINT> before;
        for (HWND hwnd : windows) before.push_back(TopLeft(hwnd));
        long long sent = NowNs();
        MoveTo(target.x, target.y);
        POINT cursor;
        GetCursorPos(&cursor);
        offTarget += cursor.x != target.x || cursor.y != target.y;
        std::vector<long long> seen(windows.size(), 0);
        size_t left = windows.size();
        for (long long now = sent; now - sent < 500000000LL && left; now = NowNs()) {
            for (size_t w = 0; w < windows.size(); ++w) {
                POINT at = TopLeft(windows[w]);
                if (!seen[w] && (at.x != before[w].x || at.y != before[w].y)) {
                    seen[w] = NowNs();
                    --left;
                }
            }
            ShortPause();
        }
        if (left) {
            std::fprintf(out, "lost\n");
        } else {
            for (size_t w = 0; w < windows.size(); ++w) std::fprintf(out, "%s%lld", w ? " " : "", seen[w] - sent);
            std::fprintf(out, "\n");
        }
        // A random pause, so that moves fall at every phase of the program's
        // 10 ms cycle.
        Sleep(20 + rand() % 30);
    }
    if (offTarget) std::fprintf(stderr, "bench_probe: %d moves missed their pixel\n", offTarget);
    return std::fclose(out) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "find" && argc == 3) return FindWindowA(argv[2], nullptr) ? 0 : 1;
    if (command == "raise" && argc == 3) {
        HWND hwnd = FindWindowA(nullptr, argv[2]);
        return hwnd && SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) ? 0 : 1;
    }
    if (command == "watch" && argc >= 5)
        return Done(argv[3], Watch(std::atof(argv[2]), argv[3], std::vector<const char*>(argv + 4, argv + argc)));
    if (command == "sendinput" && argc >= 9)
        return Done(argv[3], SendMoves(std::atoi(argv[2]), argv[3], {std::atoi(argv[4]), std::atoi(argv[5])},
                                       {std::atoi(argv[6]), std::atoi(argv[7])},
                                       std::vector<const char*>(argv + 8, argv + argc)));
    if (command == "shown" && argc == 6) return Done(argv[3], Shown(std::atof(argv[2]), argv[3], argv[4], argv[5]));
    std::fprintf(stderr, "usage: bench_probe find CLASS | watch SECONDS OUT TITLE... | "
                         "sendinput COUNT OUT X0 Y0 X1 Y1 TITLE... | shown SECONDS OUT CLASS TITLE | raise TITLE\n");
    return 2;
}
