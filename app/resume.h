// The view's place on the plane kept in veskal.view, so that a start after a
// crash or a kill carries on where the last run stopped: back to start and
// the recall pass at exit then bring the windows home as ever.
#pragma once

// At start-up, once the settings are in effect: a record of this boot, for
// this desktop and plane size, puts the view back where it was (nothing
// moves); any other record is removed.
void ResumeView();
// After every tick and message: the record is written when the view has
// come to rest (no drag) somewhere other than it says.
void KeepViewRecord();
// The record written now, as after a new measurement of the plane.
void WriteViewRecord();
// At an orderly end, after the recall pass: no record is left.
void DropViewRecord();
