#include "config/values.h"

#include <algorithm>

#include "base/keys.h"
#include "settings/settingsfile.h"

namespace {

const wchar_t kFullWidthZero = 0xFF10;

// ASCII or full width, as typed through the IME; -1 for anything else.
int DigitValue(wchar_t ch) {
    if (ch >= L'0' && ch <= L'9') return ch - L'0';
    if (ch >= kFullWidthZero && ch <= kFullWidthZero + 9) return ch - kFullWidthZero;
    return -1;
}

// An optional minus, then digits; past any size the dialog takes, the
// number stops growing.
bool ReadBoxNumber(const std::wstring& text, int64_t& number) {
    size_t i = text.size() > 1 && text[0] == L'-' ? 1 : 0;
    if (i == text.size()) return false;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        int digit = DigitValue(text[i]);
        if (digit < 0) return false;
        value = std::min<int64_t>(value * 10 + digit, INT64_C(1) << 40);
    }
    number = text[0] == L'-' ? -value : value;
    return true;
}

}  // namespace

Settings StartingValues(const std::string& commandLine, const std::string* iniText, Source& source) {
    if (commandLine.find_first_not_of(" \t\n\v\f\r") != std::string::npos) {
        source = Source::veskal;
        return ParseSettingsArguments(commandLine);
    }
    source = iniText ? Source::file : Source::defaults;
    // DCENTER=200 shows and goes back as on: the settings text writes any byte but 0 as 1.
    return iniText ? ParseSettingsFile(*iniText) : Settings();
}

int32_t StepsFromBox(const std::wstring& text, int32_t steps) {
    int64_t screens = 0;
    if (!ReadBoxNumber(text, screens) || screens == ScreensFromSteps(steps)) return steps;
    return StepsFromScreens((int32_t)std::clamp<int64_t>(screens, kMinScreens, kMaxScreens));
}

int32_t SliderPosition(int32_t speed) {
    return std::clamp(speed, kMinSpeed, kMaxSpeed);
}

int32_t SpeedFromSlider(int32_t position, int32_t speed) {
    return position == SliderPosition(speed) ? speed : position;
}

bool IsCell(int32_t cell) {
    return cell >= 0 && cell < kCellCount;
}

int MoveInGrid(int cell, int rowStep, int columnStep) {
    int row = std::clamp(cell / 3 + rowStep, 0, 2);
    int column = std::clamp(cell % 3 + columnStep, 0, 2);
    return row * 3 + column;
}

bool HasUnseenKey(const std::vector<int32_t>& keys) {
    return std::any_of(keys.begin(), keys.end(), [](int32_t key) { return !IsKeyCode(key); });
}
