// Where the view was on the plane, kept in veskal.view beside veskal.ini
// while it is away from the start cell, so that a start after a crash or a
// kill knows how far the windows were moved. The record's text both ways.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/geometry.h"

struct ViewRecord {
    int64_t bootTime;  // the system's start, in seconds: a record of this boot only
    Rect32 desktop;      // the desktop rectangle and plane the offset was measured on
    Rect32 desktopView;  // where the desktop view itself was: it moves with the windows
    int32_t widthSteps;
    int32_t heightSteps;
    int32_t offsetX;   // the view's offset from the centre cell
    int32_t offsetY;
};

// One line: "VIEW", the boot time, then the other fields in order.
std::string FormatViewRecord(const ViewRecord& record);
// Only the exact text FormatViewRecord writes is a record; false otherwise.
bool ParseViewRecord(std::string_view text, ViewRecord& record);
