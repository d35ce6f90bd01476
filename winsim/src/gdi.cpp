// Device contexts, bitmaps and layered windows of the stand-in: what the map
// draws with. Only the DC_BRUSH stock brush paints, and BitBlt only copies a
// bitmap whole to a window.
#include "state.h"

using namespace sim;

namespace {

// A handle is its object's index, four apart from the first.
const uintptr_t kDcBrush = 0x8004, kSystemBitmap = 0x8008, kFirstDc = 0x100000, kFirstBitmap = 0x200000;

template <typename T>
T* Lookup(std::vector<T>& all, uintptr_t first, const void* handle) {
    uintptr_t index = (reinterpret_cast<uintptr_t>(handle) - first) / 4;
    return index < all.size() && all[index].alive ? &all[index] : nullptr;
}

DeviceContext* FindDc(HDC dc) {
    return Lookup(S().dcs, kFirstDc, dc);
}

Bitmap* Selected(const DeviceContext* d) {
    return d && d->bitmap >= 0 ? &S().bitmaps[(size_t)d->bitmap] : nullptr;
}

int Paint(HDC dc, const RECT* rect, HBRUSH brush, bool frame) {
    DeviceContext* d = FindDc(dc);
    Bitmap* b = Selected(d);
    if (!b || !rect || reinterpret_cast<uintptr_t>(brush) != kDcBrush) return 0;
    if (!frame && rect->left <= 0 && rect->top <= 0 && rect->right >= b->width && rect->bottom >= b->height)
        b->strokes.clear();  // all that was drawn before is covered
    b->strokes.push_back({*rect, d->brush, frame});
    return 1;
}

bool Covers(const sim::Stroke& s, int x, int y) {
    const RECT& r = s.rect;
    if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) return false;
    return !s.frame || x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1;
}

}  // namespace

namespace sim {

void SetWorkArea(RECT area) {
    S().workArea = area;
}

COLORREF WindowPixel(HWND hwnd, int x, int y) {
    Window* w = Find(hwnd);
    if (!w || w->picture.empty() || x < 0 || y < 0) return CLR_INVALID;
    if (x >= w->rect.right - w->rect.left || y >= w->rect.bottom - w->rect.top) return CLR_INVALID;
    for (auto s = w->picture.rbegin(); s != w->picture.rend(); ++s)
        if (Covers(*s, x, y)) return s->colour;
    return RGB(0, 0, 0);  // a new bitmap is black
}

int LayeredAlpha(HWND hwnd) {
    Window* w = Find(hwnd);
    return w ? w->alpha : -1;
}

HDC WindowDc(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return nullptr;
    if (!w->paintDc) {
        w->paintDc = CreateCompatibleDC(nullptr);
        FindDc(w->paintDc)->window = hwnd;
    }
    return w->paintDc;
}

}  // namespace sim

extern "C" {

// The screen's DC is a memory DC with nothing selected: good for making bitmaps.
HDC WINAPI GetDC(HWND hwnd) {
    return hwnd ? nullptr : CreateCompatibleDC(nullptr);
}

int WINAPI ReleaseDC(HWND, HDC dc) {
    DeviceContext* d = FindDc(dc);
    if (d) d->alive = false;
    return d ? 1 : 0;
}

HDC WINAPI CreateCompatibleDC(HDC) {
    S().dcs.push_back({});
    return reinterpret_cast<HDC>(kFirstDc + 4 * (S().dcs.size() - 1));
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int width, int height) {
    if (!FindDc(dc) || width <= 0 || height <= 0) return nullptr;
    S().bitmaps.push_back({width, height, {}});
    return reinterpret_cast<HBITMAP>(kFirstBitmap + 4 * (S().bitmaps.size() - 1));
}

// A new memory DC holds a stand-in for the system's 1 x 1 bitmap.
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    DeviceContext* d = FindDc(dc);
    if (!d || !Lookup(S().bitmaps, kFirstBitmap, object)) return nullptr;
    HGDIOBJ previous = d->bitmap < 0 ? reinterpret_cast<HGDIOBJ>(kSystemBitmap)
                                     : reinterpret_cast<HGDIOBJ>(kFirstBitmap + 4 * (uintptr_t)d->bitmap);
    d->bitmap = (int)((reinterpret_cast<uintptr_t>(object) - kFirstBitmap) / 4);
    return previous;
}

// A bitmap selected into a DC cannot be deleted.
BOOL WINAPI DeleteObject(HGDIOBJ object) {
    Bitmap* b = Lookup(S().bitmaps, kFirstBitmap, object);
    if (!b) return FALSE;
    for (const DeviceContext& d : S().dcs)
        if (d.alive && d.bitmap >= 0 && &S().bitmaps[(size_t)d.bitmap] == b) return FALSE;
    b->alive = false;
    b->strokes.clear();
    return TRUE;
}

HGDIOBJ WINAPI GetStockObject(int object) {
    return object == DC_BRUSH ? reinterpret_cast<HGDIOBJ>(kDcBrush) : nullptr;
}

COLORREF WINAPI SetDCBrushColor(HDC dc, COLORREF colour) {
    DeviceContext* d = FindDc(dc);
    if (!d) return CLR_INVALID;
    COLORREF previous = d->brush;
    d->brush = colour;
    return previous;
}

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    return Paint(dc, rect, brush, false);
}

int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    return Paint(dc, rect, brush, true);
}

BOOL WINAPI BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
    DeviceContext* d = FindDc(target);
    Bitmap* b = Selected(FindDc(source));
    Window* w = d ? Find(d->window) : nullptr;
    if (w) Log("BitBlt(" + Name(d->window) + ")");
    if (!w || !b || x != 0 || y != 0 || sourceX != 0 || sourceY != 0 || rop != SRCCOPY) return FALSE;
    if (width < b->width || height < b->height) return FALSE;
    w->picture = b->strokes;
    return TRUE;
}

BOOL WINAPI SetLayeredWindowAttributes(HWND hwnd, COLORREF, BYTE alpha, DWORD flags) {
    Window* w = Find(hwnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED)) return FALSE;
    if (flags & LWA_ALPHA) w->alpha = alpha;
    return TRUE;
}

}  // extern "C"
