// veskal.ini on any bytes: whatever was read survives a save and a second
// load unchanged, and the file saved is the file's text, byte for byte.
#include <winsim.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "settings/settingsfile.h"

namespace {

std::string directory, path;

std::string ReadAll() {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Memory-backed where there is such a place: every save renames a file.
    directory = access("/dev/shm", W_OK) == 0 ? "/dev/shm/veskal-fuzz-XXXXXX" : "/tmp/veskal-fuzz-XXXXXX";
    if (!mkdtemp(&directory[0])) std::abort();
    path = directory + "/veskal.ini";
    std::atexit([] {
        std::remove(path.c_str());
        rmdir(directory.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    // The text holds every field as it is: equal texts mean equal records.
    Settings loaded = LoadSettings(path);
    std::string text = FormatSettingsFile(loaded);
    SaveSettings(path, loaded);
    Check(ReadAll() == text);
    Check(FormatSettingsFile(LoadSettings(path)) == text);
    sim::ClearCalls();  // or the stand-in's log grows without end
    return 0;
}
