#include "pan/resume.h"

#include "pan/plane.h"

namespace {

const int64_t kBootTimeSlackSeconds = 5;  // the two clocks it is taken from are read apart

}  // namespace

bool Resumable(const ViewRecord& record, int64_t bootTime, const Rect32& viewNow, const Settings& settings) {
    int64_t apart = record.bootTime - bootTime;
    Point32 half = HalfExtent(record.desktop, record.widthSteps, record.heightSteps);
    return apart <= kBootTimeSlackSeconds && apart >= -kBootTimeSlackSeconds && record.desktopView == viewNow &&
           record.widthSteps == settings.widthSteps && record.heightSteps == settings.heightSteps &&
           OnThePlane({record.offsetX, record.offsetY}, half);
}

bool ViewRecordDue(const PanState& state, Point32 recorded) {
    return !state.dragActive && !(state.offset == recorded);
}
