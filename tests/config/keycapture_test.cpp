#include <gtest/gtest.h>
#include <winsim.h>

#include <set>
#include <vector>

#include "config/keycapture.h"

namespace {

// The keys held at the start, then the keys held at each later poll; the
// capture ends at the last poll or not at all.
const CapturePoll kWaiting = CapturePoll::waiting, kRecorded = CapturePoll::recorded;
const struct {
    const char* name;
    std::set<int> heldAtStart;
    std::vector<std::set<int>> polls;
    CapturePoll end;  // after the last poll
    std::vector<int32_t> chord;
} kCaptures[] = {
    {"shift then ctrl", {}, {{}, {16}, {16, 17}, {17}, {}}, kRecorded, {16, 17}},
    {"order of first press", {}, {{65}, {65, 66}, {66}, {66, 67}, {}}, kRecorded, {65, 66, 67}},
    {"nothing pressed yet", {}, {{}, {}, {}}, kWaiting, {}},
    {"started with Alt+K: held keys count once let go", {18, 75}, {{18, 75}, {18}, {}, {17}, {17, 65}, {}}, kRecorded,
     {17, 65}},
    {"held keys released, nothing new", {18, 75}, {{18}, {}, {}}, kWaiting, {}},
    {"a key held for good holds up nothing", {65}, {{65}, {65, 16}, {65}}, kRecorded, {16}},
    {"held at the start, let go, pressed again", {16}, {{}, {16}, {}}, kRecorded, {16}},
    {"mouse buttons ignored", {}, {{1}, {1, 2, 4}, {1, 5, 6, 16}, {1}}, kRecorded, {16}},
    {"sided modifiers ignored", {}, {{16, 0xA0}, {16, 0xA1, 17, 0xA3, 0xA5}, {0xA4}}, kRecorded, {16, 17}},
    {"locks and IME keys ignored, also when held for good", {},
     {{0x14, 0x15, 0x1A, 0x1C, 0x1F, 0x90, 0x91, 0xF0, 0xF6, 16}, {0x14, 0x15, 0xF3}}, kRecorded, {16}},
    {"neighbours of the ignored codes count", {},
     {{3, 7, 0x13, 0x20, 0x8F, 0x92, 0x9F, 0xA6, 0xEF, 0xF7, 254}, {}}, kRecorded,
     {3, 7, 0x13, 0x20, 0x8F, 0x92, 0x9F, 0xA6, 0xEF, 0xF7, 254}},
    {"Esc cancels", {}, {{16}, {16, 0x1B}}, CapturePoll::cancelled, {16}},
    {"Esc held at the start does not", {0x1B}, {{0x1B, 16}, {0x1B}}, kRecorded, {16}},
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
        CapturePoll end = kWaiting;
        size_t polled = 0;
        while (polled < row.polls.size() && end == kWaiting) {
            HoldOnly(row.polls[polled++]);
            end = PollCapture();
        }
        EXPECT_EQ(polled, row.polls.size());
        EXPECT_EQ((int)end, (int)row.end) << "0 waiting, 1 recorded, 2 cancelled";
        EXPECT_EQ(capture.active, end == kWaiting);
        EXPECT_EQ(capture.pressed, row.chord);
        StopCapture();
    }
}

}  // namespace
