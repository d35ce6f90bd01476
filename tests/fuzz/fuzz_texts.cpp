// Any bytes into the readers of veskal.ini, the settings message and the view record: what they read reads back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "pan/engine.h"
#include "settings/settingsfile.h"
#include "settings/viewrecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string text = FormatSettingsFile(ParseSettingsFile(bytes));
    if (FormatSettingsFile(ParseSettingsFile(text)) != text) std::abort();

    Settings current, next, again;
    if (ParseSettingsMessage(data, size, current, next)) {
        std::string sent = FormatSettingsText(next);
        if (!ParseSettingsMessage(sent.data(), sent.size(), current, again) || FormatSettingsText(again) != sent)
            std::abort();
        PanState pan = {};
        TakeSettings(pan, current, next, {0, 0, 1024, 768}, false);
    }

    ViewRecord record;
    if (ParseViewRecord(bytes, record) && bytes.rfind(FormatViewRecord(record), 0) != 0) std::abort();
    return 0;
}
