// Time and memory to take one settings message of blanks, the worst a
// sender can do: every blank is one more key code 0.
//
// Usage: message_bench MIB   (prints "N MiB: S s, M MiB peak over the start")
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "pan/engine.h"

namespace {

long PeakKiB() {
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 16;
    std::string text = "2 2 1 4 1" + std::string((mib << 20) - 9, ' ');
    Settings current, next;
    PanState pan = {};
    long before = PeakKiB();
    auto start = std::chrono::steady_clock::now();
    if (ParseSettingsMessage(text.data(), text.size(), current, next))
        TakeSettings(pan, current, next, {0, 0, 1024, 768}, false);
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%zu MiB message: %.3f s, %.1f MiB peak over the start (%zu keys)\n", mib, took.count(),
                (PeakKiB() - before) / 1024.0, next.activationKeys.size());
    return 0;
}
