// The settings file reader on any bytes, then the writer: whatever was read
// must survive a save and a second load unchanged, byte for byte on disk.
#include <winsim.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "app/program.h"
#include "pan/panstate.h"
#include "settings/settings.h"
#include "settings/settingsfile.h"

namespace {

std::string directory;

void Check(bool ok) {
    if (!ok) std::abort();
}

std::string ReadAll(const std::string& path) {
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
        std::fclose(file);
    }
    return text;
}

bool Same(const Settings& a, const Settings& b) {
    return a.widthSteps == b.widthSteps && a.heightSteps == b.heightSteps && a.activationKeys == b.activationKeys &&
           a.doubleClickCenter == b.doubleClickCenter && a.startCell == b.startCell && a.speed == b.speed;
}

void RemoveDirectory() {
    std::remove(program.settingsFilePath.c_str());
    std::remove((program.settingsFilePath + ".new").c_str());
    rmdir(directory.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Memory-backed when there is such a place: a save renames over the old
    // file every run, which a disk file system makes slow.
    std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/veskal-fuzz-XXXXXX" : "/tmp/veskal-fuzz-XXXXXX";
    if (!mkdtemp(&pattern[0])) std::abort();
    directory = pattern;
    sim::Reset();
    program.settingsFilePath = directory + "/veskal.ini";
    program.desktopRect = {0, 0, 1366, 768};
    std::atexit(RemoveDirectory);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = program.settingsFilePath;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    LoadSettings();
    Settings loaded = settings;
    Check(pan.halfExtent.x == (int32_t)((uint32_t)program.desktopRect.right * (uint32_t)settings.widthSteps) >> 1);
    if ((uint32_t)settings.startCell > 8) Check(pan.offset.x == 0 && pan.offset.y == 0);

    SaveSettings();
    std::string written = ReadAll(path);
    settings = Settings();
    LoadSettings();
    Check(Same(settings, loaded));
    SaveSettings();
    Check(ReadAll(path) == written);

    sim::ClearCalls();
    return 0;
}
