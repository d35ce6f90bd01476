// Where veskal.ini and veskal.view are kept. Beside the exe when its folder
// takes new files: the portable habit. Otherwise (Program Files for a normal
// user, a folder Controlled Folder Access guards) in %LOCALAPPDATA%\Veskal,
// where a veskal.ini beside the exe still gives the starting values until
// the first save. Both exes ask here, so config.exe started by hand reads
// what Veskal wrote.
#pragma once

#include <windows.h>

#include <string>

struct SettingsPlace {
    std::wstring directory;  // where both files are written, separator included
    std::wstring iniToRead;  // the veskal.ini the settings come from
    bool takesFiles;         // false: no save there will get through

    std::wstring IniPath() const { return directory + L"veskal.ini"; }
    std::wstring ViewRecordPath() const { return directory + L"veskal.view"; }
};

// Makes %LOCALAPPDATA%\Veskal when the exe's folder takes no files.
SettingsPlace FindSettingsPlace(HINSTANCE instance);
