#include "base/text.h"

bool IsSingleByteChar(unsigned char byte) {
    return byte <= 0x7F || (byte >= 0xA1 && byte <= 0xDF);
}

void SplitText(std::string text, std::vector<std::string>& fields, std::string delimiter) {
    if (text.empty() || delimiter.empty()) return;
    if (delimiter.size() == 1) {
        ForEachField(text, delimiter[0], [&](std::string_view field) { fields.emplace_back(field); });
        return;
    }
    std::string_view rest(text);
    for (size_t match; (match = rest.find(delimiter)) != std::string_view::npos;) {
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
