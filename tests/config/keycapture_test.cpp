#include <gtest/gtest.h>
#include <winsim.h>

#include <set>
#include <vector>

#include "config/keycapture.h"

namespace {

using Keys = std::vector<int32_t>;

// The keys held at the start, then the keys held at each later poll.
struct CaptureCase {
    const char* name;
    std::set<int> heldAtStart;
    std::vector<std::set<int>> polls;
    int finishesAtPoll;  // -1: still capturing after the last poll
    Keys chord;
};

const CaptureCase kCases[] = {
    {"shift then ctrl", {}, {{}, {16}, {16, 17}, {17}, {}}, 4, {16, 17}},
    {"one key", {}, {{65}, {}}, 1, {65}},
    {"nothing pressed yet", {}, {{}, {}, {}}, -1, {}},
    {"started with Alt+K: held keys wait", {18, 75}, {{18, 75}, {18}, {}, {17}, {17, 65}, {}}, 5, {17, 65}},
    {"started keys released, nothing new", {18, 75}, {{18}, {}, {}}, -1, {}},
    {"keys released one by one keep counting", {}, {{65}, {65, 66}, {66}, {66, 67}, {}}, 4, {65, 66, 67}},
    {"mouse buttons ignored", {}, {{1}, {1, 2, 4}, {1, 16}, {1}}, 3, {16}},
    {"sided modifiers ignored", {}, {{16, 0xA0}, {16, 0xA0, 17, 0xA3}, {}}, 2, {16, 17}},
    {"mouse held at start does not hold up", {1}, {{1, 16}, {1}}, 1, {16}},
};

void HoldOnly(const std::set<int>& keys) {
    for (int key = 1; key <= 254; ++key) sim::SetKey(key, keys.count(key) != 0);
}

TEST(KeyCaptureTest, Table) {
    for (const CaptureCase& c : kCases) {
        SCOPED_TRACE(c.name);
        sim::Reset();
        HoldOnly(c.heldAtStart);
        StartCapture();
        int finishedAt = -1;
        for (size_t i = 0; i < c.polls.size() && finishedAt < 0; ++i) {
            HoldOnly(c.polls[i]);
            if (PollCapture()) finishedAt = (int)i;
        }
        EXPECT_EQ(finishedAt, c.finishesAtPoll);
        EXPECT_EQ(capture.active, finishedAt < 0);
        if (finishedAt >= 0) {
            EXPECT_EQ(capture.pressed, c.chord);
        }
    }
}

TEST(KeyCaptureTest, StoppedCaptureRecordsNothing) {
    sim::Reset();
    StartCapture();
    HoldOnly({16});
    EXPECT_FALSE(PollCapture());
    StopCapture();
    HoldOnly({});
    EXPECT_FALSE(PollCapture());
    EXPECT_FALSE(capture.active);
}

}  // namespace
