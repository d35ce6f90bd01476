// Text from outside, on any bytes: the field split against its rule, and the
// readers of veskal.ini, the settings message and the view record, whose
// reading, written and read again, is what they read.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/text.h"
#include "pan/engine.h"
#include "settings/settingsfile.h"
#include "settings/viewrecord.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// Split at `delimiter`, the fields hold the text, and every delimiter that
// starts a character, and no other, ends a field.
void CheckSplit(const std::string& text, char delimiter) {
    std::vector<std::string> fields;
    SplitText(text, fields, std::string(1, delimiter));
    std::string joined;
    size_t ends = 0, cut = 0;
    for (size_t i = 0; i < fields.size(); ++i) joined += (i ? std::string(1, delimiter) : "") + fields[i];
    Check(joined == text);
    for (size_t at = 0, next = 0; at < text.size(); at = next) {
        next = at + (IsSingleByteChar((unsigned char)text[at]) ? 1 : 2);
        if (text[at] != delimiter || next != at + 1) continue;
        Check(ends + 1 < fields.size());
        cut += fields[ends].size();
        Check(cut == at);
        cut += 1, ++ends;
    }
    Check(text.empty() ? fields.empty() : ends + 1 == fields.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckSplit(bytes, ' ');
    CheckSplit(bytes, '=');

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
