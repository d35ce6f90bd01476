// Line reading and field splitting over ANSI byte strings. A one-byte
// delimiter is only found where a character begins, by a fixed double-byte
// rule modelled on Shift-JIS.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

bool IsSingleByteChar(unsigned char byte);

// Calls `field(std::string_view)` for each field of `text` between the
// one-byte `delimiter`s, in one walk and without copies; nothing for an
// empty text. A lead byte takes the next byte with it, whatever it is.
template <class Field>
void ForEachField(std::string_view text, char delimiter, Field field) {
    if (text.empty()) return;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsSingleByteChar((unsigned char)text[i])) {
            ++i;
        } else if (text[i] == delimiter) {
            field(text.substr(start, i - start));
            start = i + 1;
        }
    }
    field(text.substr(start));
}

// Appends the fields of `text` to `fields`; nothing for an empty text or delimiter.
void SplitText(std::string_view text, std::vector<std::string>& fields, std::string_view delimiter);
// Takes the first line off `rest`: up to and including its line feed, or
// all that is left.
std::string_view TakeLine(std::string_view& rest);
// Drops one `ch` from the end of `text`, if it ends with one.
void DropTrailingChar(std::string_view& text, char ch);
