// The files Veskal keeps, and the one word it says when they cannot be kept.
#pragma once

#include <string>

// True when `text` is now the file at `path`; otherwise the user is told
// once (SaySaveFailed).
bool SaveOrSay(const std::wstring& path, const std::string& text);
// A balloon giving veskal.ini's path, the first time in a run only: the
// user learns that changes will be lost, without a balloon at every pan.
void SaySaveFailed();
