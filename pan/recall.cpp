#include "pan/recall.h"

#include <algorithm>
#include <cstdint>

#include "base/wrap32.h"

namespace {

const int32_t kMargin = 64;

bool MeetsAny(const Rect32& r, const std::vector<Monitor>& monitors) {
    return std::any_of(monitors.begin(), monitors.end(), [&](const Monitor& m) { return Meets(r, m.area); });
}

Rect32 Bounds(const std::vector<Monitor>& monitors) {
    Rect32 b = monitors.front().area;
    for (const Monitor& m : monitors)
        b = {std::min(b.left, m.area.left), std::min(b.top, m.area.top), std::max(b.right, m.area.right),
             std::max(b.bottom, m.area.bottom)};
    return b;
}

// How far apart on one axis (0 when they overlap), and by how much they overlap.
int64_t Gap(int32_t lo, int32_t hi, int32_t otherLo, int32_t otherHi) {
    return std::max<int64_t>({0, (int64_t)otherLo - hi, (int64_t)lo - otherHi});
}

int64_t Overlap(int32_t lo, int32_t hi, int32_t otherLo, int32_t otherHi) {
    return std::max<int64_t>(0, (int64_t)std::min(hi, otherHi) - std::max(lo, otherLo));
}

// The one the rectangle overlaps most, else the closest: as the system picks a monitor for a window.
const Monitor& Nearest(const std::vector<Monitor>& monitors, const Rect32& r) {
    const Monitor* best = &monitors.front();
    int64_t bestGap = INT64_MAX;
    uint64_t bestOverlap = 0;
    for (const Monitor& m : monitors) {
        const Rect32& a = m.area;
        int64_t gap = Gap(r.left, r.right, a.left, a.right) + Gap(r.top, r.bottom, a.top, a.bottom);
        // Widths and heights below 2^32: the product fits unsigned.
        uint64_t overlap = (uint64_t)Overlap(r.left, r.right, a.left, a.right) *
                           (uint64_t)Overlap(r.top, r.bottom, a.top, a.bottom);
        if (gap < bestGap || (gap == 0 && overlap > bestOverlap)) best = &m, bestGap = gap, bestOverlap = overlap;
    }
    return *best;
}

int32_t Clamp(int64_t value, int64_t lo, int64_t hi) {
    return (int32_t)std::min(std::max(value, lo), hi);
}

Point32 Recalled(const Rect32& r, const std::vector<Monitor>& monitors, const Rect32& bounds) {
    bool pastRight = Sub32(r.left, kMargin) > bounds.right, beforeLeft = Add32(r.left, kMargin) < bounds.left;
    bool below = Sub32(r.top, kMargin) > bounds.bottom, above = r.top < bounds.top;
    bool inAGap = Meets(r, bounds) && !MeetsAny(r, monitors);
    if (!pastRight && !beforeLeft && !below && !above && !inAGap) return {r.left, r.top};
    const Rect32& work = Nearest(monitors, r).work;
    int64_t x = pastRight ? (int64_t)work.right - kMargin : beforeLeft ? (int64_t)work.left + kMargin : r.left;
    int64_t y = below ? (int64_t)work.bottom - kMargin : above ? (int64_t)work.top : r.top;
    // At least the margin of it shows in that work area, its title bar never above it.
    int64_t width = (int64_t)r.right - r.left;
    return {Clamp(x, (int64_t)work.left - std::max<int64_t>(0, width - kMargin), (int64_t)work.right - kMargin),
            Clamp(y, work.top, (int64_t)work.bottom - kMargin)};
}

// The rectangle moved whole into `work`, or to its top left when larger.
Rect32 Inside(const Rect32& r, const Rect32& work) {
    int64_t width = (int64_t)r.right - r.left, height = (int64_t)r.bottom - r.top;
    int32_t left = Clamp(std::min<int64_t>(r.left, (int64_t)work.right - width), work.left, INT32_MAX);
    int32_t top = Clamp(std::min<int64_t>(r.top, (int64_t)work.bottom - height), work.top, INT32_MAX);
    return {left, top, Clamp(left + width, INT32_MIN, INT32_MAX), Clamp(top + height, INT32_MIN, INT32_MAX)};
}

}  // namespace

std::vector<Move> PlanRecall(const std::vector<WindowInfo>& windows, const Unpanned& own,
                             const std::vector<Monitor>& monitors, const Placements& placements) {
    std::vector<Move> moves;
    if (monitors.empty()) return moves;
    Rect32 bounds = Bounds(monitors);
    for (const WindowInfo& w : windows) {
        if (!Pans(w, own)) continue;
        Rect32 at = PlaneRect(placements, w);
        Point32 to = w.desktop ? Point32{bounds.left, bounds.top} : Recalled(at, monitors, bounds);
        if (!(to == Point32{at.left, at.top})) moves.push_back({w.id, to});  // not there or on its way
    }
    return moves;
}

std::vector<Restore> PlanRestores(const std::vector<WindowInfo>& windows, const Unpanned& own,
                                  const std::vector<Monitor>& monitors) {
    std::vector<Restore> restores;
    if (monitors.empty()) return restores;
    for (const WindowInfo& w : windows)
        if ((w.minimized || w.maximized) && Movable(w, own) && !MeetsAny(w.restore, monitors))
            restores.push_back({w.id, Inside(w.restore, Nearest(monitors, w.restore).work)});
    return restores;
}
