// SplitText, FindAtCharBoundary and IsSingleByteCharAt against a plain,
// slow model of the same rules: restart the character walk from the front
// for every candidate, shorten the working copy after every match.
//
// Input: byte 0 picks the delimiter length (low two bits) and a search start
// (the rest); then the delimiter bytes; the remainder is the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/text.h"

namespace {

bool ModelSingle(unsigned char byte) {
    return byte < 0x80 || (byte > 0xA0 && byte < 0xE0);
}

bool ModelSingleAt(const std::string& text, size_t pos) {
    for (size_t i = 0; i < text.size();) {
        if (!ModelSingle((unsigned char)text[i])) {
            i += 2;
        } else if (i == pos) {
            return true;
        } else {
            ++i;
        }
    }
    return false;
}

size_t ModelFind(const std::string& text, const std::string& delimiter, size_t start) {
    while (start < text.size()) {
        size_t p = text.find(delimiter, start);
        if (p == std::string::npos) return p;
        if (ModelSingleAt(text, p)) return p;
        start = p + 1;
    }
    return std::string::npos;
}

std::vector<std::string> ModelSplit(const std::string& text, const std::string& delimiter) {
    std::vector<std::string> fields;
    if (text.empty() || delimiter.empty()) return fields;
    std::string w = text;
    for (;;) {
        size_t p = delimiter.size() == 1 ? ModelFind(w, delimiter, 0) : w.find(delimiter);
        if (p == std::string::npos) break;
        fields.push_back(w.substr(0, p));
        w.erase(0, p + delimiter.size());
    }
    fields.push_back(w);
    return fields;
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    size_t delimiterLength = data[0] & 3u;
    uint32_t start = data[0] >> 2;
    if (size < 1 + delimiterLength) return 0;
    std::string delimiter(reinterpret_cast<const char*>(data + 1), delimiterLength);
    std::string text(reinterpret_cast<const char*>(data + 1 + delimiterLength), size - 1 - delimiterLength);

    std::vector<std::string> fields = {"earlier"};
    SplitText(text, fields, delimiter);
    std::vector<std::string> expected = ModelSplit(text, delimiter);
    expected.insert(expected.begin(), "earlier");
    Check(fields == expected);

    // Joined again at the delimiter, the fields give back the text.
    if (fields.size() > 1) {
        std::string joined = fields[1];
        for (size_t i = 2; i < fields.size(); ++i) joined += delimiter + fields[i];
        Check(joined == text);
    }

    size_t model = ModelFind(text, delimiter, start);
    Check(FindAtCharBoundary(text, delimiter, start) == (model == std::string::npos ? kNotFound : (uint32_t)model));
    Check(IsSingleByteCharAt(text, start) == ModelSingleAt(text, start));
    return 0;
}
