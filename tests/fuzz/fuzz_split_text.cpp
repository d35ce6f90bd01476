// SplitText against a slow, literal model of the same rules: the character
// walk restarts from the front for every candidate, and the working copy is
// cut after every match.
//
// Input: byte 0 holds the delimiter length (low two bits) and whether the
// list starts with a field (bit 2); then the delimiter bytes; the remainder
// is the text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/text.h"

namespace {

bool IsLeadByte(unsigned char byte) {
    return byte >= 0x80 && (byte <= 0xA0 || byte >= 0xE0);
}

bool StartsSingleByteChar(const std::string& text, size_t pos) {
    size_t i = 0;
    while (i < pos) i += IsLeadByte(text[i]) ? 2 : 1;
    return i == pos && pos < text.size() && !IsLeadByte(text[pos]);
}

size_t ModelFind(const std::string& text, const std::string& delimiter) {
    for (size_t p = text.find(delimiter); p != std::string::npos; p = text.find(delimiter, p + 1))
        if (StartsSingleByteChar(text, p)) return p;
    return std::string::npos;
}

void ModelSplit(std::string rest, const std::string& delimiter, std::vector<std::string>& fields) {
    if (rest.empty() || delimiter.empty()) return;
    for (;;) {
        size_t p = delimiter.size() == 1 ? ModelFind(rest, delimiter) : rest.find(delimiter);
        if (p == std::string::npos) break;
        fields.push_back(rest.substr(0, p));
        rest.erase(0, p + delimiter.size());
    }
    fields.push_back(rest);
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size < 1u + (data[0] & 3u)) return 0;
    std::string delimiter(reinterpret_cast<const char*>(data + 1), data[0] & 3u);
    std::string text(reinterpret_cast<const char*>(data + 1 + delimiter.size()), size - 1 - delimiter.size());
    // Fields are appended to what the list already holds.
    const size_t earlier = (data[0] >> 2) & 1;
    std::vector<std::string> fields(earlier, "earlier"), expected = fields;
    SplitText(text, fields, delimiter);
    ModelSplit(text, delimiter, expected);
    Check(fields == expected);
    // Joined again at the delimiter, the fields give back the text.
    std::string joined;
    for (size_t i = earlier; i < fields.size(); ++i) joined += (i > earlier ? delimiter : "") + fields[i];
    Check(delimiter.empty() || joined == text);
    return 0;
}
