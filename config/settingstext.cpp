#include "config/settingstext.h"

#include <algorithm>
#include <cstdio>

#include "pan/wrap32.h"
#include "settings/number.h"
#include "settings/text.h"

namespace {

const size_t kFixedFields = 5;

// Only the exact "%d" form counts: it is what Veskal sends, and it rules out
// stray text and numbers that would wrap at 32 bits.
bool IsCanonicalNumber(const std::string& field) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", (int)ParseNumber(field));
    return field == buffer;
}

int32_t Clamp(int64_t value, int32_t low, int32_t high) {
    return (int32_t)std::min<int64_t>(std::max<int64_t>(value, low), high);
}

// Blanks separate; runs of them, tabs and line ends are forgiven, since a
// hand-typed command line may have them.
std::vector<std::string> SplitFields(std::string text) {
    for (char& ch : text)
        if (ch >= '\t' && ch <= '\r') ch = ' ';
    std::vector<std::string> pieces, fields;
    SplitText(text, pieces, " ");
    for (std::string& piece : pieces)
        if (!piece.empty()) fields.push_back(piece);
    return fields;
}

}  // namespace

bool IsKeyCode(int32_t key) {
    return key >= 1 && key <= 254;
}

// Sizes and speed are clamped to the nearest value the dialog shows (speed 0
// shows as 1, 25 as 10); a start cell outside 0..8 has no nearest cell and
// shows as the default centre. Key codes that are no keys, and repeats, are
// dropped. The chord keeps its default only when the text stops before the
// speed; a text of exactly five numbers means an empty chord.
ConfigSettings ParseConfigText(const std::string& text) {
    ConfigSettings values;
    std::vector<std::string> fields = SplitFields(text);
    auto given = [&](size_t i) { return i < fields.size() && IsCanonicalNumber(fields[i]); };

    if (given(0)) values.widthScreens = Clamp((int64_t)ParseNumber(fields[0]) + 1, kMinScreens, kMaxScreens);
    if (given(1)) values.heightScreens = Clamp((int64_t)ParseNumber(fields[1]) + 1, kMinScreens, kMaxScreens);
    if (given(2)) values.doubleClickHome = ParseNumber(fields[2]) != 0;
    if (given(3)) {
        int32_t cell = ParseNumber(fields[3]);
        if (cell >= 0 && cell < kCellCount) values.startCell = cell;
    }
    if (given(4)) values.speed = Clamp(ParseNumber(fields[4]), kMinSpeed, kMaxSpeed);

    if (fields.size() >= kFixedFields) {
        values.keys.clear();
        for (size_t i = kFixedFields; i < fields.size(); ++i) {
            if (!given(i)) continue;
            int32_t key = ParseNumber(fields[i]);
            if (IsKeyCode(key) && std::find(values.keys.begin(), values.keys.end(), key) == values.keys.end())
                values.keys.push_back(key);
        }
    }
    return values;
}

std::string FormatConfigText(const ConfigSettings& values) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%d %d %d %d %d", (int)Sub32(values.widthScreens, 1),
                  (int)Sub32(values.heightScreens, 1), values.doubleClickHome ? 1 : 0, (int)values.startCell,
                  (int)values.speed);
    std::string text = buffer;
    for (int32_t key : values.keys) {
        std::snprintf(buffer, sizeof buffer, " %d", (int)key);
        text += buffer;
    }
    return text;
}
