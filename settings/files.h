// The files beside the exe, read and written whole: veskal.ini and the
// view record. SaveText (settings/savetext.h) does the writing.
#pragma once

#include <string>

#include "base/settings.h"

// The file in the C runtime's text mode ("\r\n" read as "\n", a Ctrl-Z ends
// it); false when it cannot be opened.
bool ReadText(const std::wstring& path, std::string& text);
// The settings veskal.ini holds; the defaults when it cannot be opened.
Settings LoadSettings(const std::wstring& path);
// Replaced whole where it can, else written in place; a file that cannot be
// written is left as it was, and the answer is false.
bool SaveSettings(const std::wstring& path, const Settings& settings);
