// The map of the plane shown while panning, as rectangles: where the map
// sits on the screen, and where the view, the start cell and the windows
// fall in it.
//
// Plane coordinates are screen coordinates as they were with the view at
// the centre (offset 0). Panning adds the offset to every window, so a
// window at screen rectangle r is at r - offset on the plane, the view is
// the desktop rectangle minus the offset, and the plane is the desktop
// widened by the half extent on each side: WIDTH x HEIGHT screens. The map
// is the plane scaled down, one scale for both axes, to at most a sixth of
// the desktop's width and a sixth of its height; map coordinates count
// pixels from the map's top left.
#pragma once

#include <cstdint>
#include <vector>

#include "base/geometry.h"

struct MapInput {
    Rect32 desktop;  // the screen the plane is measured in
    Rect32 corner;   // the map goes in its bottom right corner: the work area
    int32_t widthSteps, heightSteps, startCell;
    Point32 offset;
};

struct MapPicture {
    Rect32 place;  // on the screen; empty when the plane cannot be drawn
    int64_t columns, rows;  // the plane's cells, which divide the map evenly
    Rect32 start;  // empty when the start cell places nowhere
    Rect32 view;
    std::vector<Rect32> windows;  // in drawing order: the bottom window first, those above over it
    std::vector<Rect32> pinned;   // the pinned windows, marked over the others, in the same order
};

// Every rectangle is clipped to the map but keeps at least 2 x 2 pixels, so
// a window off the plane shows as a sliver on the edge nearest to it.
// `windows` and `pinned` (where they stand on the screen) come top window
// first; `picture` is filled anew, its lists keep their memory.
void LayOutMap(const MapInput& in, const std::vector<Rect32>& windows, const std::vector<Rect32>& pinned,
               MapPicture& picture);

// The map as a pager: the view's offset that shows the cell of the plane
// under `at`, as a start cell there would (on the plane, so a cell that the
// plane's rounding leaves short shows as much of it as the plane holds).
Point32 CellOffset(const MapPicture& picture, const Rect32& desktop, Point32 halfExtent, Point32 at);

// Whether the map shows, and which drawing it holds.
struct MapState {
    bool shown;
    uint32_t drawnPasses;  // the shift passes there had been when it was drawn
};

enum class MapStep { none, hide, show, redraw };

// After a tick: the map shows while it is `wanted` (pan mode, and the menu's
// choice on); it is drawn when it shows, the windows listed first since no
// pass has run in pan mode yet, and again after each shift pass.
MapStep StepMap(MapState& map, bool wanted, uint32_t passes);
