#include "base/text.h"

bool IsSingleByteChar(unsigned char byte) {
    return byte <= 0x7F || (byte >= 0xA1 && byte <= 0xDF);
}

// One walk over the characters from the front, so that long texts cost
// linear time: a match counts only where a single-byte character begins.
// An empty delimiter matches at the first such place at or after `start`.
uint32_t FindAtCharBoundary(std::string_view text, std::string_view delimiter, uint32_t start) {
    for (size_t i = 0; i < text.size();) {
        if (!IsSingleByteChar((unsigned char)text[i])) {
            i += 2;
            continue;
        }
        if (i >= start && text.compare(i, delimiter.size(), delimiter) == 0) return (uint32_t)i;
        ++i;
    }
    return kNotFound;
}

void SplitText(std::string text, std::vector<std::string>& fields, std::string delimiter) {
    if (text.empty() || delimiter.empty()) return;
    // What remains always begins at a character boundary.
    std::string_view rest(text);
    for (;;) {
        size_t match = delimiter.size() == 1 ? FindAtCharBoundary(rest, delimiter, 0) : rest.find(delimiter);
        if (match == kNotFound || match == std::string_view::npos) break;
        fields.emplace_back(rest.substr(0, match));
        rest.remove_prefix(match + delimiter.size());
    }
    fields.emplace_back(rest);
}

int32_t ReadLine(std::string& line, FILE* stream) {
    line.clear();
    for (int c; (c = std::fgetc(stream)) != EOF;) {
        line.push_back((char)c);
        if (c == '\n') return (int32_t)line.size();
    }
    return line.empty() ? -1 : (int32_t)line.size();
}

void DropTrailingChar(std::string& text, char ch) {
    if (!text.empty() && text.back() == ch) text.pop_back();
}
