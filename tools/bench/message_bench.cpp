// Time and memory to apply one settings message of blanks, the worst a
// sender can do: every blank is one more key code 0.
//
// Usage: message_bench MIB   (prints "N MiB: S s, M MiB peak over the start")
#include <sys/resource.h>
#include <winsim.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/program.h"
#include "app/startup.h"

namespace {

long PeakKiB() {
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 16;
    sim::SetModulePath("/nonexistent/veskal.exe");
    sim::AddDesktop({0, 0, 1024, 768});
    if (!StartUp(reinterpret_cast<HINSTANCE>(0x400000))) return 1;
    std::string text = "2 2 1 4 1" + std::string((mib << 20) - 9, ' ');
    COPYDATASTRUCT data = {0, (DWORD)text.size(), text.data()};
    long before = PeakKiB();
    auto start = std::chrono::steady_clock::now();
    SendMessageA(program.windows.mover, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%zu MiB message: %.3f s, %.1f MiB peak over the start (%zu keys)\n", mib, took.count(),
                (PeakKiB() - before) / 1024.0, program.settings.activationKeys.size());
    return 0;
}
