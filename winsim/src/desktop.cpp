// Windows, classes, z-order and the message queue of the stand-in.
#include "state.h"

#include <algorithm>
#include <cstring>

using namespace sim;

namespace {

void InsertTopLevel(HWND hwnd, bool atBottom) {
    auto& z = S().zorder;
    if (atBottom) {
        z.push_back(hwnd);
        return;
    }
    // A new window goes to the top, but stays below topmost windows.
    auto it = std::find_if(z.begin(), z.end(), [](HWND w) { return !(Find(w)->exStyle & WS_EX_TOPMOST); });
    z.insert(it, hwnd);
}

void RemoveFromParent(HWND hwnd, Window& w) {
    if (w.parent) {
        if (Window* p = Find(w.parent)) {
            auto& c = p->children;
            c.erase(std::remove(c.begin(), c.end(), hwnd), c.end());
        }
    } else {
        auto& z = S().zorder;
        z.erase(std::remove(z.begin(), z.end(), hwnd), z.end());
    }
}

LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w || !w->proc) return 0;
    return w->proc(hwnd, message, wParam, lParam);
}

}  // namespace

namespace sim {

HWND AddWindow(const NewWindow& shape) {
    HWND hwnd = NewHandle();
    Window w;
    w.className = shape.className;
    w.title = shape.title;
    w.rect = shape.rect;
    w.style = shape.style;
    w.exStyle = shape.exStyle;
    w.parent = shape.parent;
    S().windows[hwnd] = w;
    if (shape.parent)
        Find(shape.parent)->children.push_back(hwnd);
    else
        InsertTopLevel(hwnd, shape.atBottom);
    return hwnd;
}

HWND AddDesktop(RECT screen) {
    S().workArea = screen;
    LONG visible = (LONG)(WS_VISIBLE | WS_POPUP);
    HWND progman = AddWindow({"Progman", "Program Manager", screen, visible, 0, nullptr, true});
    HWND defView = AddWindow({"SHELLDLL_DefView", "", screen, (LONG)(WS_VISIBLE | WS_CHILD), 0, progman, false});
    return AddWindow({"SysListView32", "FolderView", screen, (LONG)(WS_VISIBLE | WS_CHILD), 0, defView, false});
}

std::vector<HWND> TopLevelWindows() {
    return S().zorder;
}

bool Exists(HWND hwnd) {
    return Find(hwnd) != nullptr;
}

RECT WindowRect(HWND hwnd) {
    Window* w = Find(hwnd);
    return w ? w->rect : RECT{};
}

bool IsTopmost(HWND hwnd) {
    Window* w = Find(hwnd);
    return w && (w->exStyle & WS_EX_TOPMOST);
}

HWND Capture() {
    return S().capture;
}

HWND Foreground() {
    return S().foreground;
}

}  // namespace sim

extern "C" {

UINT WINAPI RegisterWindowMessageA(LPCSTR name) {
    auto& ids = RegisteredMessages();
    std::string key(name);
    for (char& c : key) c = (char)std::tolower((unsigned char)c);
    auto it = ids.find(key);
    if (it != ids.end()) return it->second;
    UINT id = 0xC000 + (UINT)ids.size();
    ids[key] = id;
    return id;
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
    Log("RegisterClassExA(" + std::string(wc->lpszClassName) + ", style=" + Hex(wc->style) + ")");
    if (wc->cbSize != sizeof(WNDCLASSEXA) || !wc->lpfnWndProc) return 0;
    std::string key(wc->lpszClassName);
    for (char& c : key) c = (char)std::tolower((unsigned char)c);
    if (S().classes.count(key)) {
        SetLastError(1410);  // ERROR_CLASS_ALREADY_EXISTS
        return 0;
    }
    S().classes[key] = WindowClass{*wc, wc->lpszClassName};
    return (ATOM)(0xC100 + S().classes.size());
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                            int height, HWND parent, HMENU, HINSTANCE, LPVOID) {
    Log("CreateWindowExA(" + Hex(exStyle) + ", " + className + ", " + (title ? title : "") + ", " + Hex(style) + ", " +
        std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(width) + ", " + std::to_string(height) +
        ")");
    std::string key(className);
    for (char& c : key) c = (char)std::tolower((unsigned char)c);
    auto it = S().classes.find(key);
    if (it == S().classes.end()) {
        SetLastError(1407);  // ERROR_CANNOT_FIND_WND_CLASS
        return nullptr;
    }
    RECT rect{x, y, x + width, y + height};
    HWND hwnd = AddWindow({it->second.name, title ? title : "", rect, (LONG)style, (LONG)exStyle, parent, false});
    Find(hwnd)->proc = it->second.wc.lpfnWndProc;
    if (Deliver(hwnd, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    return hwnd;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
    Log("DestroyWindow(" + Name(hwnd) + ")");
    Window* w = Find(hwnd);
    if (!w) return FALSE;
    w->style &= ~(LONG)WS_VISIBLE;
    Deliver(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : std::vector<HWND>(Find(hwnd)->children)) DestroyWindow(child);
    if (S().capture == hwnd) S().capture = nullptr;
    if (S().foreground == hwnd) S().foreground = nullptr;
    if (S().active == hwnd) S().active = nullptr;
    RemoveFromParent(hwnd, *Find(hwnd));
    S().windows.erase(hwnd);
    return TRUE;
}

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Log("DefWindowProcA(" + Name(hwnd) + ", " + Hex(message) + ", " + Hex(wParam) + ", " + Hex((uint64_t)lParam) +
        ")");
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    default:
        return 0;
    }
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND, UINT, UINT, UINT remove) {
    auto& s = S();
    if (s.queue.empty()) {
        if (!s.quitPosted) return FALSE;
        *msg = MSG{nullptr, WM_QUIT, (WPARAM)s.quitCode, 0, s.now, s.cursor};
        if (remove & PM_REMOVE) s.quitPosted = false;
        return TRUE;
    }
    *msg = s.queue.front();
    if (remove & PM_REMOVE) s.queue.pop_front();
    return TRUE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND, UINT, UINT) {
    // The program only fetches after a peek found something, so an empty
    // queue here would be a hang on Windows; the stand-in reports quit.
    if (!PeekMessageA(msg, nullptr, 0, 0, PM_REMOVE)) {
        *msg = MSG{nullptr, WM_QUIT, 0, 0, S().now, S().cursor};
        Log("GetMessageA(empty queue)");
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    return Deliver(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Log("PostMessageA(" + Name(hwnd) + ", " + Hex(message) + ", " + Hex(wParam) + ", " + Hex((uint64_t)lParam) + ")");
    Window* w = Find(hwnd);
    if (!w) return FALSE;
    if (w->proc) S().queue.push_back(MSG{hwnd, message, wParam, lParam, S().now, S().cursor});
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Deliver(hwnd, message, wParam, lParam);
}

void WINAPI PostQuitMessage(int exitCode) {
    Log("PostQuitMessage(" + std::to_string(exitCode) + ")");
    S().quitPosted = true;
    S().quitCode = exitCode;
}

LONG WINAPI GetWindowLongA(HWND hwnd, int index) {
    Window* w = Find(hwnd);
    if (!w) return 0;
    if (index == GWL_STYLE) return w->style;
    if (index == GWL_EXSTYLE) return w->exStyle;
    return 0;
}

LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value) {
    Log("SetWindowLongA(" + Name(hwnd) + ", " + std::to_string(index) + ", " + Hex((uint32_t)value) + ")");
    Window* w = Find(hwnd);
    if (!w) return 0;
    LONG* field = index == GWL_STYLE ? &w->style : index == GWL_EXSTYLE ? &w->exStyle : nullptr;
    if (!field) return 0;
    LONG old = *field;
    *field = value;
    return old;
}

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR title) {
    // Class names are atoms, matched without regard to case.
    for (HWND hwnd : S().zorder) {
        Window* w = Find(hwnd);
        if (className && !SameText(w->className, className, true)) continue;
        if (title && w->title != title) continue;
        return hwnd;
    }
    return nullptr;
}

HWND WINAPI GetWindow(HWND hwnd, UINT command) {
    Window* w = Find(hwnd);
    if (!w || command != GW_CHILD || w->children.empty()) return nullptr;
    return w->children.front();
}

int WINAPI GetClassNameA(HWND hwnd, LPSTR buffer, int size) {
    Window* w = Find(hwnd);
    if (!w || size <= 0 || Failing("GetClassNameA", hwnd)) return 0;
    size_t n = std::min(w->className.size(), (size_t)size - 1);
    std::memcpy(buffer, w->className.data(), n);
    buffer[n] = 0;
    return (int)n;
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
    Window* w = Find(hwnd);
    if (!w || Failing("GetWindowRect", hwnd)) return FALSE;
    *rect = w->rect;
    return TRUE;
}

namespace {

void MoveChildren(const Window& parent, uint32_t dx, uint32_t dy) {
    for (HWND child : parent.children) {
        Window& c = *Find(child);
        c.rect = {(LONG)((uint32_t)c.rect.left + dx), (LONG)((uint32_t)c.rect.top + dy),
                  (LONG)((uint32_t)c.rect.right + dx), (LONG)((uint32_t)c.rect.bottom + dy)};
        MoveChildren(c, dx, dy);
    }
}

}  // namespace

BOOL WINAPI SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Log("SetWindowPos(" + Name(hwnd) + ", " + Name(insertAfter) + ", " + std::to_string(x) + ", " + std::to_string(y) +
        ", " + std::to_string(cx) + ", " + std::to_string(cy) + ", " + Hex(flags) + ")");
    Window* w = Find(hwnd);
    if (!w) return FALSE;
    if (!(flags & SWP_NOMOVE)) {
        // Edges are kept as Windows keeps them: 32-bit, wrapping. Children
        // are kept in screen coordinates, and go with their parent.
        LONG width = (LONG)((uint32_t)w->rect.right - (uint32_t)w->rect.left);
        LONG height = (LONG)((uint32_t)w->rect.bottom - (uint32_t)w->rect.top);
        MoveChildren(*w, (uint32_t)x - (uint32_t)w->rect.left, (uint32_t)y - (uint32_t)w->rect.top);
        w->rect.left = x;
        w->rect.top = y;
        w->rect.right = (LONG)((uint32_t)x + (uint32_t)width);
        w->rect.bottom = (LONG)((uint32_t)y + (uint32_t)height);
    }
    if (!(flags & SWP_NOSIZE)) {
        w->rect.right = (LONG)((uint32_t)w->rect.left + (uint32_t)cx);
        w->rect.bottom = (LONG)((uint32_t)w->rect.top + (uint32_t)cy);
    }
    if (!(flags & SWP_NOZORDER) && !w->parent) {
        auto& z = S().zorder;
        z.erase(std::remove(z.begin(), z.end(), hwnd), z.end());
        if (insertAfter == HWND_TOPMOST) {
            w->exStyle |= WS_EX_TOPMOST;
            z.insert(z.begin(), hwnd);
        } else if (insertAfter == HWND_BOTTOM) {
            w->exStyle &= ~(LONG)WS_EX_TOPMOST;
            z.push_back(hwnd);
        } else {
            InsertTopLevel(hwnd, false);
        }
    }
    if (flags & SWP_SHOWWINDOW) w->style |= (LONG)WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW) w->style &= ~(LONG)WS_VISIBLE;
    return TRUE;
}

BOOL WINAPI ShowWindow(HWND hwnd, int command) {
    Log("ShowWindow(" + Name(hwnd) + ", " + std::to_string(command) + ")");
    Window* w = Find(hwnd);
    if (!w) return FALSE;
    BOOL wasVisible = (w->style & WS_VISIBLE) != 0;
    if (command == SW_HIDE)
        w->style &= ~(LONG)WS_VISIBLE;
    else
        w->style |= (LONG)WS_VISIBLE;
    return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND hwnd) {
    for (Window* w = Find(hwnd); w; w = Find(w->parent))
        if (!(w->style & WS_VISIBLE)) return FALSE;
    return Find(hwnd) != nullptr;
}

BOOL WINAPI IsWindow(HWND hwnd) {
    return Find(hwnd) != nullptr;
}

BOOL WINAPI EqualRect(const RECT* a, const RECT* b) {
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL WINAPI EnumWindows(WNDENUMPROC proc, LPARAM param) {
    Log("EnumWindows()");
    for (HWND hwnd : std::vector<HWND>(S().zorder)) {
        if (!Find(hwnd)) continue;
        if (!proc(hwnd, param)) return FALSE;
    }
    return TRUE;
}

HWND WINAPI SetActiveWindow(HWND hwnd) {
    Log("SetActiveWindow(" + Name(hwnd) + ")");
    HWND previous = S().active;
    S().active = hwnd;
    return previous;
}

BOOL WINAPI SetForegroundWindow(HWND hwnd) {
    Log("SetForegroundWindow(" + Name(hwnd) + ")");
    if (!Find(hwnd)) return FALSE;
    S().foreground = hwnd;
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
    Log("BeginPaint(" + Name(hwnd) + ")");
    *paint = PAINTSTRUCT{};
    if (Window* w = Find(hwnd)) w->invalid = false;
    paint->hdc = WindowDc(hwnd);
    return paint->hdc;
}

BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT*) {
    Log("EndPaint(" + Name(hwnd) + ")");
    return TRUE;
}

// The whole window, always.
BOOL WINAPI InvalidateRect(HWND hwnd, const RECT*, BOOL) {
    Window* w = Find(hwnd);
    if (w) w->invalid = true;
    return w != nullptr;
}

// WM_PAINT at once, when one is due.
BOOL WINAPI UpdateWindow(HWND hwnd) {
    Window* w = Find(hwnd);
    if (w && w->invalid) Deliver(hwnd, WM_PAINT, 0, 0);
    return w != nullptr;
}

}  // extern "C"
