// Text from outside, on any bytes: the readers of veskal.ini, the settings
// message and the view record, whose reading, written and read again, is
// what they read.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "pan/engine.h"
#include "settings/settingsfile.h"
#include "settings/viewrecord.h"

namespace {

void Check(bool ok) { if (!ok) std::abort(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string text = FormatSettingsFile(ParseSettingsFile(bytes));
    Check(FormatSettingsFile(ParseSettingsFile(text)) == text);

    Settings current, next;
    if (ParseSettingsMessage(data, size, current, next)) {
        std::string sent = FormatSettingsText(next);
        Settings again;
        Check(ParseSettingsMessage(sent.data(), sent.size(), current, again) && FormatSettingsText(again) == sent);
        PanState pan = {};
        TakeSettings(pan, current, next, {0, 0, 1024, 768}, false);
    }

    ViewRecord record;
    Check(!ParseViewRecord(bytes, record) || bytes.compare(0, FormatViewRecord(record).size(),
                                                           FormatViewRecord(record)) == 0);
    return 0;
}
