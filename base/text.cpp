#include "base/text.h"

bool IsSingleByteChar(unsigned char byte) {
    return byte <= 0x7F || (byte >= 0xA1 && byte <= 0xDF);
}

void SplitText(std::string_view text, std::vector<std::string>& fields, std::string_view delimiter) {
    if (text.empty() || delimiter.empty()) return;
    if (delimiter.size() == 1) {
        ForEachField(text, delimiter[0], [&](std::string_view field) { fields.emplace_back(field); });
        return;
    }
    std::string_view rest = text;
    for (size_t match; (match = rest.find(delimiter)) != std::string_view::npos;) {
        fields.emplace_back(rest.substr(0, match));
        rest.remove_prefix(match + delimiter.size());
    }
    fields.emplace_back(rest);
}

std::string_view TakeLine(std::string_view& rest) {
    size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
    rest.remove_prefix(line.size());
    return line;
}

void DropTrailingChar(std::string_view& text, char ch) {
    if (!text.empty() && text.back() == ch) text.remove_suffix(1);
}
