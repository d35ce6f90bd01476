// The idle poll: pan mode, drags and the double click.
#pragma once

#include "pan/panstate.h"

bool ChordHeld();
void PollTick();
void DragStep();
void LeavePanMode();
