#include "pan/passes.h"

#include <string_view>

#include "base/wrap32.h"

namespace {

const int32_t kRecallMargin = 64;

// The taskbars (main and other monitors), the tray's overflow, the start
// menu's host and the old quick-launch bar. Views: the lengths are compared
// first, and few class names share them.
bool IsShellBar(std::string_view className) {
    using namespace std::string_view_literals;
    return className == "Shell_TrayWnd"sv || className == "Shell_SecondaryTrayWnd"sv ||
           className == "NotifyIconOverflowWindow"sv || className == "DV2ControlHost"sv || className == "BaseBar"sv;
}

Point32 Recalled(const Rect32& r, const Rect32& desk) {
    Point32 to = {r.left, r.top};
    if (Sub32(r.left, kRecallMargin) > desk.right)
        to.x = Sub32(desk.right, kRecallMargin);
    else if (Add32(r.left, kRecallMargin) < desk.left)
        to.x = kRecallMargin;  // from the screen origin, as the plane is measured, not the desktop's left
    if (Sub32(r.top, kRecallMargin) > desk.bottom)
        to.y = Sub32(desk.bottom, kRecallMargin);
    else if (r.top < desk.top)  // above 0 where a monitor sits above the main one
        to.y = desk.top;
    return to;
}

}  // namespace

bool Pans(const WindowInfo& w, const Unpanned& own) {
    return w.visible && !w.minimized && !w.cloaked && w.id != own.mover && w.id != own.desktopView && w.id != own.map &&
           !w.className.empty() && !IsShellBar(w.className);
}

void PlanShift(Point32 step, const std::vector<WindowInfo>& windows, const Unpanned& own, std::vector<Move>& moves,
               std::vector<Rect32>& placed) {
    moves.clear();
    placed.clear();
    for (const WindowInfo& w : windows) {
        if (!Pans(w, own)) continue;
        Rect32 r = {Add32(w.rect.left, step.x), Add32(w.rect.top, step.y), Add32(w.rect.right, step.x),
                    Add32(w.rect.bottom, step.y)};
        moves.push_back({w.id, {r.left, r.top}});
        placed.push_back(r);
    }
}

std::vector<Move> PlanRecall(const std::vector<WindowInfo>& windows, const Unpanned& own, const Rect32& desktop,
                             Point32 homeStep) {
    std::vector<Move> moves;
    for (const WindowInfo& w : windows) {
        Point32 to = w.id == own.desktop ? Point32{Add32(w.rect.left, homeStep.x), Add32(w.rect.top, homeStep.y)}
                                         : Recalled(w.rect, desktop);
        if (Pans(w, own) && !(to == Point32{w.rect.left, w.rect.top})) moves.push_back({w.id, to});
    }
    return moves;
}
