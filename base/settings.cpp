#include "base/settings.h"

#include <cstdio>
#include <new>

#include "base/number.h"
#include "base/text.h"
#include "base/wrap32.h"

namespace {

const size_t kFixedFields = 5;

// Only the exact "%d" form counts: it is what Veskal sends, and it rules out
// stray text and numbers that would wrap at 32 bits.
bool IsCanonicalNumber(const std::string& field) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", (int)ParseNumber(field));
    return field == buffer;
}

// Blanks separate; runs of them, tabs and line ends are forgiven, since a
// hand-typed command line may have them.
std::vector<std::string> SplitArguments(std::string text) {
    for (char& ch : text)
        if (ch >= '\t' && ch <= '\r') ch = ' ';
    std::vector<std::string> pieces, fields;
    SplitText(text, pieces, " ");
    for (std::string& piece : pieces)
        if (!piece.empty()) fields.push_back(piece);
    return fields;
}

}  // namespace

int32_t ScreensFromSteps(int32_t steps) {
    return Add32(steps, 1);
}

int32_t StepsFromScreens(int32_t screens) {
    return Sub32(screens, 1);
}

bool IsSpeed(int32_t speed) {
    return speed >= kMinSpeed && speed <= kMaxSpeed;
}

std::string FormatSettingsText(const Settings& settings) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%d %d %d %d %d", (int)settings.widthSteps, (int)settings.heightSteps,
                  settings.doubleClickCenter != 0 ? 1 : 0, (int)settings.startCell, (int)settings.speed);
    std::string text = buffer;
    for (int32_t key : settings.activationKeys) {
        std::snprintf(buffer, sizeof buffer, " %d", (int)key);
        text += buffer;
    }
    return text;
}

bool ParseSettingsMessage(const void* data, size_t size, const Settings& current, Settings& next) {
    // Any process may send any count: the text is walked where it lies, and
    // only the chord takes memory, four bytes a key. If even that does not
    // fit, the message is refused like a short one.
    std::string_view text(static_cast<const char*>(data), data ? size : 0);
    size_t count = 0;
    ForEachField(text, ' ', [&](std::string_view) { ++count; });
    if (count < kFixedFields) return false;
    std::vector<int32_t> keys;
    try {
        keys.reserve(count - kFixedFields);
    } catch (const std::bad_alloc&) {
        return false;
    }
    int32_t fixed[kFixedFields];
    size_t index = 0;
    ForEachField(text, ' ', [&](std::string_view field) {
        int32_t value = ParseNumber(field);
        if (index < kFixedFields)
            fixed[index++] = value;
        else
            keys.push_back(value);
    });
    next.widthSteps = fixed[0];
    next.heightSteps = fixed[1];
    next.doubleClickCenter = fixed[2] != 0 ? 1 : 0;
    next.startCell = fixed[3];
    next.speed = IsSpeed(fixed[4]) ? fixed[4] : current.speed;
    next.activationKeys.swap(keys);
    return true;
}

// A value the user leaves alone must go back exactly as it came, so sizes,
// start cell and speed are kept whatever their range, and the chord keeps
// every code in its order, repeats and codes that are no keys included; the
// dialog marks what it cannot show. The flag becomes 0 or 1, the only values
// the text carries. The chord keeps its default only when the text stops
// before the speed; a text of exactly five numbers means an empty chord.
Settings ParseSettingsArguments(const std::string& text) {
    Settings values;
    std::vector<std::string> fields = SplitArguments(text);
    auto given = [&](size_t i) { return i < fields.size() && IsCanonicalNumber(fields[i]); };

    if (given(0)) values.widthSteps = ParseNumber(fields[0]);
    if (given(1)) values.heightSteps = ParseNumber(fields[1]);
    if (given(2)) values.doubleClickCenter = ParseNumber(fields[2]) != 0 ? 1 : 0;
    if (given(3)) values.startCell = ParseNumber(fields[3]);
    if (given(4)) values.speed = ParseNumber(fields[4]);

    if (fields.size() >= kFixedFields) {
        values.activationKeys.clear();
        for (size_t i = kFixedFields; i < fields.size(); ++i)
            if (given(i)) values.activationKeys.push_back(ParseNumber(fields[i]));
    }
    return values;
}
