#include "app/resume.h"

#include <windows.h>

#include "app/program.h"
#include "app/rects.h"
#include "app/saving.h"
#include "pan/plane.h"
#include "pan/resume.h"
#include "settings/files.h"
#include "settings/viewrecord.h"

namespace {

Rect32 DesktopViewRect() {
    RECT view = {};
    GetWindowRect(program.desktopView, &view);
    return ToRect32(view);
}

// The system's start, in seconds: what makes a record this boot's.
int64_t BootTime() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    uint64_t seconds = (((uint64_t)now.dwHighDateTime << 32) | now.dwLowDateTime) / 10000000u;  // since 1601
    return (int64_t)(seconds - GetTickCount64() / 1000u);
}

}  // namespace

void ResumeView() {
    std::string text;
    ViewRecord record;
    if (ReadText(program.place.ViewRecordPath(), text) && ParseViewRecord(text, record) &&
        Resumable(record, BootTime(), DesktopViewRect(), program.settings)) {
        program.desktopRect = record.desktop;
        program.pan.halfExtent = HalfExtent(record.desktop, program.settings.widthSteps, program.settings.heightSteps);
        program.pan.offset = {record.offsetX, record.offsetY};
    } else {
        DeleteFileW(program.place.ViewRecordPath().c_str());
    }
    program.viewRecorded = program.pan.offset;
}

void KeepViewRecord() {
    if (ViewRecordDue(program.pan, program.viewRecorded)) WriteViewRecord();
}

void WriteViewRecord() {
    const Settings& s = program.settings;
    ViewRecord record = {BootTime(), program.desktopRect, DesktopViewRect(), s.widthSteps, s.heightSteps,
                         program.pan.offset.x, program.pan.offset.y};
    SaveOrSay(program.place.ViewRecordPath(), FormatViewRecord(record));
    program.viewRecorded = program.pan.offset;
}

void DropViewRecord() {
    DeleteFileW(program.place.ViewRecordPath().c_str());
    program.viewRecorded = program.pan.offset;
}
