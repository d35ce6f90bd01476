// Where the view was on the plane, kept beside veskal.ini while it is away
// from the start cell, so that a start after a crash or a kill knows how far
// the windows were moved.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct ViewRecord {
    int64_t bootTime;  // the system's start, in seconds: a record of this boot only
    RECT desktop;      // the desktop rectangle and plane the offset was measured on
    RECT desktopView;  // where the desktop view itself was: it moves with the windows
    int32_t widthSteps;
    int32_t heightSteps;
    int32_t offsetX;   // the view's offset from the centre cell
    int32_t offsetY;
};

// "veskal.view" beside the exe.
std::string ViewRecordPath(const std::string& directory);
// False when the file is missing or is not a record.
bool LoadViewRecord(const std::string& path, ViewRecord& record);
// Replaced whole, as veskal.ini is.
void SaveViewRecord(const std::string& path, const ViewRecord& record);
std::string FormatViewRecord(const ViewRecord& record);
