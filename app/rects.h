// The system's rectangles and the core's, one into the other.
#pragma once

#include <windows.h>

#include "base/geometry.h"
#include "base/wrap32.h"
#include "pan/passes.h"

inline Rect32 ToRect32(const RECT& r) {
    return {(int32_t)r.left, (int32_t)r.top, (int32_t)r.right, (int32_t)r.bottom};
}

inline RECT ToRECT(const Rect32& r) {
    return {r.left, r.top, r.right, r.bottom};
}

inline WindowId ToId(HWND hwnd) {
    return reinterpret_cast<WindowId>(hwnd);
}

// The bounding box of every monitor.
inline Rect32 VirtualScreen() {
    int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, Add32(left, GetSystemMetrics(SM_CXVIRTUALSCREEN)), Add32(top, GetSystemMetrics(SM_CYVIRTUALSCREEN))};
}
