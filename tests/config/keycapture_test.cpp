#include <gtest/gtest.h>
#include <winsim.h>

#include <set>
#include <vector>

#include "config/keycapture.h"

namespace {

// The keys held at the start, then the keys held at each later poll.
const struct {
    const char* name;
    std::set<int> heldAtStart;
    std::vector<std::set<int>> polls;
    int finishesAtPoll;  // -1: still capturing after the last poll
    std::vector<int32_t> chord;
} kCaptures[] = {
    {"shift then ctrl", {}, {{}, {16}, {16, 17}, {17}, {}}, 4, {16, 17}},
    {"order of first press", {}, {{65}, {65, 66}, {66}, {66, 67}, {}}, 4, {65, 66, 67}},
    {"nothing pressed yet", {}, {{}, {}, {}}, -1, {}},
    {"started with Alt+K: held keys wait", {18, 75}, {{18, 75}, {18}, {}, {17}, {17, 65}, {}}, 5, {17, 65}},
    {"held keys released, nothing new", {18, 75}, {{18}, {}, {}}, -1, {}},
    {"mouse buttons ignored", {}, {{1}, {1, 2, 4}, {1, 5, 6, 16}, {1}}, 3, {16}},
    {"mouse held at start does not wait", {1}, {{1, 16}, {1}}, 1, {16}},
    {"sided modifiers ignored", {}, {{16, 0xA0}, {16, 0xA1, 17, 0xA3, 0xA5}, {0xA4}, {}}, 2, {16, 17}},
    {"neighbours of the ignored codes count", {}, {{3, 7, 0x9F, 0xA6, 254}, {}}, 1, {3, 7, 0x9F, 0xA6, 254}},
};

void HoldOnly(const std::set<int>& keys) {
    for (int key = 1; key <= 254; ++key) sim::SetKey(key, keys.count(key) != 0);
}

TEST(KeyCapture, Table) {
    for (const auto& row : kCaptures) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        HoldOnly(row.heldAtStart);
        StartCapture();
        int finishedAt = -1;
        for (size_t i = 0; i < row.polls.size() && finishedAt < 0; ++i) {
            HoldOnly(row.polls[i]);
            if (PollCapture()) finishedAt = (int)i;
        }
        EXPECT_EQ(finishedAt, row.finishesAtPoll);
        EXPECT_EQ(capture.active, finishedAt < 0);
        EXPECT_EQ(capture.pressed, row.chord);
        StopCapture();
    }
}

}  // namespace
