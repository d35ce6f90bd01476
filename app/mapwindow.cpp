#include "app/mapwindow.h"

#include "app/panning.h"
#include "app/program.h"
#include "app/rects.h"
#include "app/window.h"

namespace {

const char kMapClassName[] = "VESKALMap";
const LONG kMinCellPixels = 4;  // narrower cells would make a solid grid: no lines then

// One brush whose colour is the DC's: no brushes to make and delete.
struct Ink {
    HDC dc;
    HBRUSH brush;
};

void Fill(const Ink& ink, const Rect32& r, COLORREF colour) {
    RECT rect = ToRECT(r);
    SetDCBrushColor(ink.dc, colour);
    FillRect(ink.dc, &rect, ink.brush);
}

void Frame(const Ink& ink, const Rect32& r, COLORREF colour) {
    RECT rect = ToRECT(r);
    SetDCBrushColor(ink.dc, colour);
    FrameRect(ink.dc, &rect, ink.brush);
}

void Paint(HDC dc, const MapPicture& p, SIZE size) {
    const Ink ink = {dc, (HBRUSH)GetStockObject(DC_BRUSH)};
    Rect32 all = {0, 0, size.cx, size.cy};
    Fill(ink, all, kMapBackground);
    if (size.cx / p.columns >= kMinCellPixels)
        for (int64_t k = 1; k < p.columns; ++k) {
            int32_t x = (int32_t)(k * size.cx / p.columns);
            Fill(ink, {x, 0, x + 1, size.cy}, kMapCellLine);
        }
    if (size.cy / p.rows >= kMinCellPixels)
        for (int64_t k = 1; k < p.rows; ++k) {
            int32_t y = (int32_t)(k * size.cy / p.rows);
            Fill(ink, {0, y, size.cx, y + 1}, kMapCellLine);
        }
    for (const Rect32& r : p.windows) {
        Fill(ink, r, kMapWindow);
        Frame(ink, r, kMapWindowEdge);
    }
    for (const Rect32& r : p.pinned) {
        Fill(ink, r, kMapPinned);
        Frame(ink, r, kMapWindowEdge);
    }
    // Over the windows, since the desktop's own window covers the start cell;
    // inside the view's frame, so that both show when the view is home.
    const Rect32& s = p.start;
    if (s.right - s.left > 4 && s.bottom - s.top > 4)
        Frame(ink, {s.left + 2, s.top + 2, s.right - 2, s.bottom - 2}, kMapStart);
    else if (s.right > s.left)
        Fill(ink, s, kMapStart);  // a cell too small to frame
    Frame(ink, p.view, kMapView);
    Frame(ink, {p.view.left + 1, p.view.top + 1, p.view.right - 1, p.view.bottom - 1}, kMapView);
    Frame(ink, all, kMapCellLine);
}

// The bitmap, made anew when the map's size changed.
bool Ready(MapCanvas& c, SIZE size) {
    if (c.bitmap && c.size.cx == size.cx && c.size.cy == size.cy) return true;
    HDC screen = GetDC(nullptr);
    if (!c.dc) c.dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = c.dc ? CreateCompatibleBitmap(screen, size.cx, size.cy) : nullptr;
    ReleaseDC(nullptr, screen);
    if (!bitmap) return false;
    SelectObject(c.dc, bitmap);
    if (c.bitmap) DeleteObject(c.bitmap);  // no longer selected, so it can go
    c.bitmap = bitmap;
    c.size = size;
    return true;
}

// Drawn off screen, then placed, shown and painted at once.
bool Draw(MapCanvas& c, HWND hwnd, bool showing) {
    const Settings& settings = program.settings;
    MapInput in = {program.desktopRect, c.corner, settings.widthSteps, settings.heightSteps, settings.startCell,
                   program.pan.offset};
    LayOutMap(in, program.placed, program.pinned, c.picture);
    const Rect32& place = c.picture.place;
    SIZE size = {place.right - place.left, place.bottom - place.top};
    if (size.cx <= 0 || !Ready(c, size)) return false;
    Paint(c.dc, c.picture, size);
    if (showing || !(place == c.place)) {
        // Above the other topmost windows when it shows; the MoverWindow goes above it again at the next tick.
        SetWindowPos(hwnd, HWND_TOPMOST, place.left, place.top, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        c.place = place;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    return true;
}

// The bitmap, copied whole: it is as large as the window.
LRESULT CALLBACK MapWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    const MapCanvas& c = program.map;
    if (dc && c.bitmap) BitBlt(dc, 0, 0, c.size.cx, c.size.cy, c.dc, 0, 0, SRCCOPY);
    EndPaint(hwnd, &paint);
    return 0;
}

}  // namespace

HWND CreateMapWindow(HINSTANCE instance) {
    // Transparent besides: clicks go through it, to what lies below.
    return CreateLayeredPopup(instance, kMapClassName, MapWndProc, nullptr, WS_EX_TRANSPARENT, kMapAlpha);
}

void SyncMap() {
    MapCanvas& c = program.map;
    HWND hwnd = program.mapWindow;
    if (!hwnd) return;
    switch (StepMap(c.state, program.pan.panMode && program.settings.showMap, program.passes)) {
    case MapStep::none:
        return;
    case MapStep::hide:
        break;
    case MapStep::show: {
        ListPanned();
        RECT workArea;
        c.corner = SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0) ? ToRect32(workArea) : program.desktopRect;
        if (Draw(c, hwnd, true)) return;
        break;
    }
    case MapStep::redraw:
        if (Draw(c, hwnd, false)) return;
        break;
    }
    ShowWindow(hwnd, SW_HIDE);  // also when it cannot be drawn
    c.state.shown = false;
}
