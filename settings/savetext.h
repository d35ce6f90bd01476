// Writing a small file whole, for the files beside the exe.
#pragma once

#include <string>

// Writes `text` in text mode to a file beside `path` and replaces `path`
// with it in one step; where that cannot be done (a link, a folder that
// takes no new files, a path too long for ".new"), writes in place. A full
// disk leaves the old file whole; a file that cannot be written stays as it
// was. False when the text did not get there.
bool SaveText(const std::wstring& path, const std::string& text);
