#include "pan/maximized.h"

#include "base/wrap32.h"

void FollowMaximized(MaximizedWindows& followed, const std::vector<WindowInfo>& windows,
                     const std::vector<Move>& moves, Point32 step) {
    auto move = moves.begin();  // the moves come in the windows' order
    for (const WindowInfo& w : windows) {
        if (move == moves.end() || move->id != w.id) continue;
        if ((move++)->refused || !w.maximized) continue;
        MaximizedWindow& m =
            followed.try_emplace(w.id, MaximizedWindow{{w.restore.left, w.restore.top}, {}}).first->second;
        m.moved = {Add32(m.moved.x, step.x), Add32(m.moved.y, step.y)};
        if (m.moved == Point32{0, 0}) followed.erase(w.id);  // back where its restore rectangle belongs
    }
}

std::vector<Move> PlanRestored(MaximizedWindows& followed, const std::vector<WindowInfo>& windows) {
    std::vector<Move> moves;
    for (const WindowInfo& w : windows) {
        auto found = followed.find(w.id);
        if (found == followed.end()) continue;
        bool present = w.visible && !w.className.empty();
        if (present && (w.maximized || w.minimized)) continue;
        const MaximizedWindow& m = found->second;
        if (present && Point32{w.rect.left, w.rect.top} == m.restoresTo)
            moves.push_back({w.id, {Add32(m.restoresTo.x, m.moved.x), Add32(m.restoresTo.y, m.moved.y)}});
        followed.erase(found);
    }
    return moves;
}
