// Line reading and field splitting over ANSI byte strings. A one-byte
// delimiter is only found where a character begins, by a fixed double-byte
// rule modelled on Shift-JIS.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

const uint32_t kNotFound = 0xFFFFFFFFu;

bool IsSingleByteChar(unsigned char byte);
// First match at or after `start` that begins on a single-byte character.
uint32_t FindAtCharBoundary(std::string_view text, std::string_view delimiter, uint32_t start);

// Appends the fields of `text` to `fields`; nothing for an empty text or delimiter.
void SplitText(std::string text, std::vector<std::string>& fields, std::string delimiter);
// The next line, line feed included; -1 when the stream had nothing left.
int32_t ReadLine(std::string& line, FILE* stream);
// Drops one `ch` from the end of `text`, if it ends with one.
void DropTrailingChar(std::string& text, char ch);
