// The screen changing size: docking, a projector, a new resolution or scale.
#pragma once

// The plane measured again on the screen as the system now reports it (all
// monitors). The windows keep their places; only a view left beyond the new
// plane's edge brings them back to it, together. Any drag ends first, and the
// view record is written for the new measurement.
void FollowDisplay();
