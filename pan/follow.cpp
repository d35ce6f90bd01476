#include "pan/follow.h"

#include <algorithm>

namespace {

// Along one axis: a window before the screen's start comes to it, one past
// its end back to it, one longer than the screen to its start; the offset
// that makes stays on the plane.
int32_t AxisStep(int64_t low, int64_t high, int64_t screenLow, int64_t screenHigh, int32_t offset, int32_t half) {
    int64_t step = 0;
    if (low < screenLow || high - low > screenHigh - screenLow)
        step = screenLow - low;
    else if (high > screenHigh)
        step = screenHigh - high;
    int64_t to = std::clamp<int64_t>((int64_t)offset + step, -(int64_t)half, half);
    return (int32_t)(to - offset);
}

}  // namespace

bool FollowsFront(const FrontChange& change, const WindowInfo& now, const Unpanned& own) {
    return change.following && !change.chordDown && !change.previousLeft && Pans(now, own) && !now.desktop;
}

Point32 FollowStep(const Rect32& w, const Rect32& screen, Point32 offset, Point32 halfExtent) {
    if (Meets(w, screen) || halfExtent.x < 0 || halfExtent.y < 0) return {0, 0};
    return {AxisStep(w.left, w.right, screen.left, screen.right, offset.x, halfExtent.x),
            AxisStep(w.top, w.bottom, screen.top, screen.bottom, offset.y, halfExtent.y)};
}
