// Posted moves: a window whose program is busy takes them late, and every pass
// builds on the newest place given. Each row: per pass, where the window
// shows and the step; then each pass's target.
#include <gtest/gtest.h>

#include <string>

#include "pan/passes.h"

namespace {

std::string Text(Point32 p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

TEST(Placements, EveryStepCountedOnce) {
    const Unpanned kOwn = {1, 2, 3, 4};
    struct Pass { Point32 shown, step; };
    const struct { const char* name; std::vector<Pass> passes; const char* targets; } kRows[] = {
        {"caught up each time", {{{100, 0}, {10, 0}}, {{110, 0}, {10, 0}}, {{120, 0}, {10, 5}}}, "110,0 120,0 130,5"},
        {"one step behind", {{{100, 0}, {10, 0}}, {{100, 0}, {10, 0}}, {{110, 0}, {10, 0}}, {{130, 0}, {1, 0}}},
         "110,0 120,0 130,0 131,0"},
        {"several steps behind, then all at once",
         {{{100, 0}, {10, 0}}, {{100, 0}, {10, 0}}, {{100, 0}, {10, 0}}, {{110, 0}, {10, 0}}, {{140, 0}, {0, 7}}},
         "110,0 120,0 130,0 140,0 140,7"},
        {"moved by the user meanwhile", {{{100, 0}, {10, 0}}, {{500, 300}, {10, 0}}, {{510, 300}, {0, 0}}},
         "110,0 510,300 510,300"},
        {"moved while behind", {{{100, 0}, {10, 0}}, {{100, 0}, {10, 0}}, {{400, 0}, {10, 0}}, {{110, 0}, {1, 0}}},
         "110,0 120,0 410,0 111,0"}};
    for (const auto& row : kRows) {
        Placements placements;
        std::vector<Move> moves;
        std::vector<Rect32> placed;
        std::string targets;
        for (const Pass& pass : row.passes) {
            std::vector<WindowInfo> windows = {{9, true, false, "Notepad", {pass.shown.x, pass.shown.y, 0, 0}}};
            PlanShift(pass.step, windows, kOwn, moves, placed, placements);
            for (const Move& m : moves) targets += (targets.empty() ? "" : " ") + Text(m.to);
            RecordMoves(placements, windows, moves);
        }
        EXPECT_EQ(targets, row.targets) << row.name;
    }
    // Far off the screen as the plane has it, still showing an older place: the recall takes the newest.
    Placements behind = {{9, {{5000, 100}, {{100, 100}}}}};
    std::vector<WindowInfo> hung = {{9, true, false, "Notepad", {100, 100, 200, 200}}};
    std::vector<Move> recall = PlanRecall(hung, kOwn, {0, 0, 1024, 768}, {0, 0}, behind);
    EXPECT_EQ(recall.size() == 1 ? Text(recall[0].to) : "", "960,100") << "recalled from where the plane has it";
}

}  // namespace
