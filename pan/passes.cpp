#include "pan/passes.h"

#include <algorithm>
#include <string_view>

#include "base/wrap32.h"

namespace {

// A window whose program stopped answering keeps this many places on its way
// (seven seconds of a drag at one pass per 7 ms); past them, the oldest given
// go first, and a window seen at one of those counts as moved by itself.
const size_t kMaxOnItsWay = 1024;

Rect32 Offset(const Rect32& r, Point32 by) {
    return {Add32(r.left, by.x), Add32(r.top, by.y), Add32(r.right, by.x), Add32(r.bottom, by.y)};
}

// One more place given to a window that shows `shown`. The places it passes
// through, in order, from the one it shows: those given before, if it shows
// one of them, else only where it stands. In place, so that a window that
// keeps up costs no allocation.
void GiveNext(Placement& p, Point32 shown, Point32 to) {
    auto from = std::find(p.older.begin(), p.older.end(), shown);
    if (from == p.older.end()) {
        p.older.assign(1, shown);  // new, at the newest place, or where its program or the user put it
    } else {
        p.older.erase(p.older.begin(), from);
        p.older.push_back(p.newest);
        if (p.older.size() > kMaxOnItsWay) p.older.erase(p.older.begin() + 1);  // never where it stands
    }
    p.newest = to;
}

}  // namespace

// Views: the lengths are compared first, and few class names share them.
bool IsShellBar(std::string_view className) {
    using namespace std::string_view_literals;
    return className == "Shell_TrayWnd"sv || className == "Shell_SecondaryTrayWnd"sv ||
           className == "NotifyIconOverflowWindow"sv || className == "DV2ControlHost"sv || className == "BaseBar"sv;
}

namespace {

// A window Veskal may move at all, pinned or not.
bool Ours(const WindowInfo& w, const Unpanned& own) {
    return w.visible && (!w.cloaked || w.elsewhere) && w.id != own.mover && w.id != own.desktopView &&
           w.id != own.map && w.id != own.surface && !w.className.empty() && !IsShellBar(w.className);
}

}  // namespace

std::string PinKey(const WindowInfo& w) {
    return w.program + "|" + w.className;
}

bool IsPinned(const std::vector<std::string>& pins, const WindowInfo& w) {
    return !pins.empty() && std::find(pins.begin(), pins.end(), PinKey(w)) != pins.end();
}

void ListPinned(const std::vector<WindowInfo>& windows, std::vector<Rect32>& pinned) {
    pinned.clear();
    for (const WindowInfo& w : windows)
        if (w.pinned && w.visible && !w.minimized) pinned.push_back(w.rect);
}

bool TogglePin(std::vector<std::string>& pins, const WindowInfo& w) {
    auto found = std::find(pins.begin(), pins.end(), PinKey(w));
    if (found != pins.end()) return pins.erase(found), false;
    pins.push_back(PinKey(w));
    return true;
}

const WindowInfo* WindowAt(const std::vector<WindowInfo>& windows, const Unpanned& own, Point32 at) {
    for (const WindowInfo& w : windows)
        if (Ours(w, own) && !w.minimized && !w.desktop && Contains(w.rect, at)) return &w;
    return nullptr;
}

bool Movable(const WindowInfo& w, const Unpanned& own) {
    return !w.pinned && Ours(w, own);
}

bool Pans(const WindowInfo& w, const Unpanned& own) {
    return !w.minimized && Movable(w, own);
}

Rect32 PlaneRect(const Placements& placements, const WindowInfo& w) {
    auto found = placements.find(w.id);
    if (found == placements.end()) return w.rect;
    const Placement& p = found->second;
    Point32 shown = {w.rect.left, w.rect.top};
    bool onItsWay = shown == p.newest || std::find(p.older.begin(), p.older.end(), shown) != p.older.end();
    if (!onItsWay) return w.rect;
    return Offset(w.rect, {Sub32(p.newest.x, shown.x), Sub32(p.newest.y, shown.y)});
}

void PlanShift(Point32 step, const std::vector<WindowInfo>& windows, const Unpanned& own, std::vector<Move>& moves,
               std::vector<Rect32>& placed, const Placements& placements) {
    moves.clear();
    placed.clear();
    for (const WindowInfo& w : windows) {
        if (!Pans(w, own)) continue;
        Rect32 r = Offset(PlaneRect(placements, w), step);
        moves.push_back({w.id, {r.left, r.top}});
        placed.push_back(r);
    }
}

std::vector<Move> PlaceDesktop(const std::vector<WindowInfo>& windows, Point32 at) {
    std::vector<Move> moves;
    for (const WindowInfo& w : windows)
        if (w.desktop && w.visible && !(Point32{w.rect.left, w.rect.top} == at)) moves.push_back({w.id, at});
    return moves;
}

void KeepRefused(const std::vector<Move>& moves, std::vector<Rect32>& placed, Point32 step) {
    for (size_t i = 0; i < moves.size() && i < placed.size(); ++i)
        if (moves[i].refused) placed[i] = Offset(placed[i], {Neg32(step.x), Neg32(step.y)});
}

void RecordMoves(Placements& placements, const std::vector<WindowInfo>& windows, const std::vector<Move>& moves) {
    Placements next(windows.size());  // the entries of the windows read move over whole; the rest are forgotten
    auto move = moves.begin();        // the moves come in the windows' order
    for (const WindowInfo& w : windows) {
        bool moved = move != moves.end() && move->id == w.id;
        if (moved && move->refused) ++move, moved = false;  // it stands where it stood
        auto entry = placements.extract(w.id);
        if (!entry && !moved) continue;
        Placement& p = entry ? next.insert(std::move(entry)).position->second : next[w.id];
        if (moved) GiveNext(p, {w.rect.left, w.rect.top}, (move++)->to);
    }
    placements = std::move(next);
}
