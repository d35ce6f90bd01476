// The view record's rules: when one found at start-up is trusted, and when
// the view has moved enough to be written again.
#pragma once

#include <cstdint>

#include "base/settings.h"
#include "pan/engine.h"
#include "settings/viewrecord.h"

// This boot's (`bootTime` read now, give or take the clocks' slack), for this
// plane size, with the desktop view where the record left it (`viewNow`,
// read at this start: the view is panned with the other windows), and with
// its offset on the plane it was measured on.
bool Resumable(const ViewRecord& record, int64_t bootTime, const Rect32& viewNow, const Settings& settings);
// The view has come to rest (no drag) somewhere other than the record says.
bool ViewRecordDue(const PanState& state, Point32 recorded);
