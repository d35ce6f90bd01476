#include "pan/panstate.h"

#include "app/program.h"
#include "pan/walker.h"
#include "pan/wrap32.h"
#include "settings/settings.h"

PanState pan;

void UpdateHalfExtent() {
    // Right and bottom, not width and height: the plane is measured from the
    // screen origin. The shift floors, as the arithmetic shift does.
    pan.halfExtent.x = Mul32(program.desktopRect.right, settings.widthSteps) >> 1;
    pan.halfExtent.y = Mul32(program.desktopRect.bottom, settings.heightSteps) >> 1;
}

void PlaceAtStartCell() {
    uint32_t cell = (uint32_t)settings.startCell;
    if (cell > 8) return;
    int32_t column = (int32_t)(cell % 3), row = (int32_t)(cell / 3);
    pan.offset.x = Mul32(pan.halfExtent.x, 1 - column);
    pan.offset.y = Mul32(pan.halfExtent.y, 1 - row);
}

void MoveToStart() {
    pan.step.x = Neg32(pan.offset.x);
    pan.step.y = Neg32(pan.offset.y);
    PlaceAtStartCell();
    pan.step.x = Add32(pan.step.x, pan.offset.x);
    pan.step.y = Add32(pan.step.y, pan.offset.y);
    ShiftWindows();
}
