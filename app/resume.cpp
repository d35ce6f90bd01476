#include "app/resume.h"

#include <windows.h>

#include "app/program.h"
#include "base/wrap32.h"
#include "settings/viewrecord.h"

namespace {

const int64_t kBootTimeSlackSeconds = 5;  // the two clocks it is taken from are read apart

ViewRecord Current() {
    RECT view = {};
    GetWindowRect(program.windows.desktopView, &view);
    return {BootTime(), program.windows.desktopRect, view, program.settings.widthSteps,
            program.settings.heightSteps, pan.offset.x, pan.offset.y};
}

bool OnThePlane(int32_t offset, int32_t halfExtent) {
    return offset <= halfExtent && offset >= Neg32(halfExtent);
}

// This boot's, for this plane size, and with the desktop view where the
// record left it: the view is panned with the other windows, so the
// rectangle read at this start is not the one the plane was measured on.
bool Resumable(const ViewRecord& record) {
    int64_t apart = record.bootTime - BootTime();
    Point32 half = HalfExtent(record.desktop, record.widthSteps, record.heightSteps);
    return apart <= kBootTimeSlackSeconds && apart >= -kBootTimeSlackSeconds &&
           EqualRect(&record.desktopView, &program.windows.desktopRect) &&
           record.widthSteps == program.settings.widthSteps && record.heightSteps == program.settings.heightSteps &&
           OnThePlane(record.offsetX, half.x) && OnThePlane(record.offsetY, half.y);
}

}  // namespace

int64_t BootTime() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    uint64_t seconds = (((uint64_t)now.dwHighDateTime << 32) | now.dwLowDateTime) / 10000000u;  // since 1601
    return (int64_t)(seconds - GetTickCount64() / 1000u);
}

void ResumeView() {
    ViewRecord record;
    if (LoadViewRecord(program.viewRecordPath, record) && Resumable(record)) {
        program.windows.desktopRect = record.desktop;
        UpdateHalfExtent(record.desktop, program.settings);
        pan.offset = {record.offsetX, record.offsetY};
    } else {
        DeleteFileA(program.viewRecordPath.c_str());
    }
    program.viewRecorded = pan.offset;
}

void KeepViewRecord() {
    if (pan.dragActive) return;
    if (pan.offset.x == program.viewRecorded.x && pan.offset.y == program.viewRecorded.y) return;
    SaveViewRecord(program.viewRecordPath, Current());
    program.viewRecorded = pan.offset;
}

void DropViewRecord() {
    DeleteFileA(program.viewRecordPath.c_str());
    program.viewRecorded = pan.offset;
}
