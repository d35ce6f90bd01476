#include "pan/plane.h"

#include "base/wrap32.h"

namespace {

bool WithinAxis(int32_t offset, int32_t halfExtent) {
    return offset <= halfExtent && offset >= Neg32(halfExtent);
}

int32_t BoundedAxis(int32_t offset, int32_t delta, int32_t halfExtent) {
    return WithinAxis(Add32(offset, delta), halfExtent) ? delta : 0;
}

}  // namespace

Point32 HalfExtent(const Rect32& desktop, int32_t widthSteps, int32_t heightSteps) {
    // Right and bottom, not width and height: the plane is measured from the
    // screen origin. The shift floors, as the arithmetic shift does.
    return {Mul32(desktop.right, widthSteps) >> 1, Mul32(desktop.bottom, heightSteps) >> 1};
}

Point32 StartCellOffset(int32_t startCell, Point32 halfExtent, Point32 current) {
    uint32_t cell = (uint32_t)startCell;
    if (cell > 8) return current;
    int32_t column = (int32_t)(cell % 3), row = (int32_t)(cell / 3);
    return {Mul32(halfExtent.x, 1 - column), Mul32(halfExtent.y, 1 - row)};
}

Point32 BoundedStep(Point32 offset, Point32 step, Point32 halfExtent) {
    return {BoundedAxis(offset.x, step.x, halfExtent.x), BoundedAxis(offset.y, step.y, halfExtent.y)};
}

bool OnThePlane(Point32 offset, Point32 halfExtent) {
    return WithinAxis(offset.x, halfExtent.x) && WithinAxis(offset.y, halfExtent.y);
}
