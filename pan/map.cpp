#include "pan/map.h"

#include <algorithm>

#include "base/wrap32.h"
#include "pan/plane.h"

namespace {

const int64_t kMargin = 8;  // between the map and the corner's edges
const int64_t kMinMark = 2;  // the least a rectangle shows, each way

// Plane coordinates and picture pixels both fit 64 bits, and so do their
// products: the arithmetic is done there.
struct Scale {
    int64_t left, top, width, height;  // the plane
    int64_t pixelsWide, pixelsHigh;    // the map
};

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

Rect32 Fit(const Scale& s, int64_t left, int64_t top, int64_t right, int64_t bottom) {
    int64_t x0 = std::clamp(FloorDiv((left - s.left) * s.pixelsWide, s.width), int64_t(0), s.pixelsWide - kMinMark);
    int64_t y0 = std::clamp(FloorDiv((top - s.top) * s.pixelsHigh, s.height), int64_t(0), s.pixelsHigh - kMinMark);
    int64_t x1 = std::clamp(FloorDiv((right - s.left) * s.pixelsWide, s.width), x0 + kMinMark, s.pixelsWide);
    int64_t y1 = std::clamp(FloorDiv((bottom - s.top) * s.pixelsHigh, s.height), y0 + kMinMark, s.pixelsHigh);
    return {(int32_t)x0, (int32_t)y0, (int32_t)x1, (int32_t)y1};
}

Rect32 Shifted(const Scale& s, const Rect32& r, Point32 by) {
    return Fit(s, (int64_t)r.left - by.x, (int64_t)r.top - by.y, (int64_t)r.right - by.x, (int64_t)r.bottom - by.y);
}

}  // namespace

void LayOutMap(const MapInput& in, const std::vector<Rect32>& windows, const std::vector<Rect32>& pinned,
               MapPicture& picture) {
    picture.place = picture.start = picture.view = Rect32{};
    picture.windows.clear();
    picture.pinned.clear();
    picture.columns = (int64_t)in.widthSteps + 1;
    picture.rows = (int64_t)in.heightSteps + 1;
    const Rect32& d = in.desktop;
    Point32 half = HalfExtent(d, in.widthSteps, in.heightSteps);
    int64_t deskWide = (int64_t)d.right - d.left, deskHigh = (int64_t)d.bottom - d.top;
    Scale s = {(int64_t)d.left - half.x, (int64_t)d.top - half.y, deskWide + 2 * (int64_t)half.x,
               deskHigh + 2 * (int64_t)half.y, deskWide / 6, deskHigh / 6};
    // Sizes that wrapped past 32 bits make no plane to draw.
    if (picture.columns <= 0 || picture.rows <= 0 || s.width <= 0 || s.height <= 0 || s.pixelsWide < kMinMark ||
        s.pixelsHigh < kMinMark)
        return;
    // The narrower of the two scales, the plane's shape kept.
    if (s.pixelsWide * s.height <= s.pixelsHigh * s.width)
        s.pixelsHigh = std::max(kMinMark, s.height * s.pixelsWide / s.width);
    else
        s.pixelsWide = std::max(kMinMark, s.width * s.pixelsHigh / s.height);

    int32_t right = Sub32(in.corner.right, (int32_t)kMargin), bottom = Sub32(in.corner.bottom, (int32_t)kMargin);
    picture.place = {Sub32(right, (int32_t)s.pixelsWide), Sub32(bottom, (int32_t)s.pixelsHigh), right, bottom};
    picture.view = Shifted(s, d, in.offset);
    if ((uint32_t)in.startCell <= 8) picture.start = Shifted(s, d, StartCellOffset(in.startCell, half, {0, 0}));
    for (auto r = windows.rbegin(); r != windows.rend(); ++r) picture.windows.push_back(Shifted(s, *r, in.offset));
    for (auto r = pinned.rbegin(); r != pinned.rend(); ++r) picture.pinned.push_back(Shifted(s, *r, in.offset));
}

Point32 CellOffset(const MapPicture& p, const Rect32& desktop, Point32 halfExtent, Point32 at) {
    // Along one axis: the cell under the pixel, and the offset that puts the
    // screen over it, held on the plane.
    // Past the plane's far edge, a product is not needed.
    auto axis = [](int64_t pixel, int64_t pixels, int64_t cells, int64_t screen, int32_t half) {
        int64_t h = std::max<int64_t>(half, 0), cell = 0;
        if (pixels > 0 && cells > 0) cell = std::clamp<int64_t>(pixel, 0, pixels - 1) * cells / pixels;
        int64_t across = screen <= 0 ? 0 : cell > 2 * h / screen ? 2 * h + 1 : cell * screen;
        return (int32_t)std::clamp<int64_t>(h - across, -h, h);
    };
    return {axis((int64_t)at.x - p.place.left, (int64_t)p.place.right - p.place.left, p.columns,
                 (int64_t)desktop.right - desktop.left, halfExtent.x),
            axis((int64_t)at.y - p.place.top, (int64_t)p.place.bottom - p.place.top, p.rows,
                 (int64_t)desktop.bottom - desktop.top, halfExtent.y)};
}

MapStep StepMap(MapState& map, bool wanted, uint32_t passes) {
    if (!wanted) {
        MapStep step = map.shown ? MapStep::hide : MapStep::none;
        map.shown = false;
        return step;
    }
    if (map.shown && map.drawnPasses == passes) return MapStep::none;
    MapStep step = map.shown ? MapStep::redraw : MapStep::show;
    map.shown = true;
    map.drawnPasses = passes;
    return step;
}
