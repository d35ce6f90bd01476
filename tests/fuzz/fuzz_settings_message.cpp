// ApplySettingsMessage through the window procedure on any bytes, now and
// then stretched to a count of up to 16 MiB: refused below five fields,
// otherwise every rule of the exchange holds and the answer is 0.
//
// Input: when byte 0 is 0xFF, bytes 1..3 give a count of up to 16 MiB that
// the rest of the input fills (see MessageText), any other input is the text
// as it stands.
#include <winsim.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/program.h"
#include "app/window.h"
#include "pan/panstate.h"
#include "settings/number.h"
#include "settings/settings.h"

namespace {

const size_t kShortLimit = 1 << 12;
const size_t kRepeatLimit = 1 << 16;
const unsigned kFullEvery = 4096;
const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(0x400000);
HWND windows[3];

void Check(bool ok) {
    if (!ok) std::abort();
}

bool Single(unsigned char byte) {
    return byte < 0x80 || (byte > 0xA0 && byte < 0xE0);
}

// Blanks that start a character, plus one: the fields SplitText will make.
size_t FieldCount(const std::string& text) {
    if (text.empty()) return 0;
    size_t count = 1;
    for (size_t i = 0; i < text.size();) {
        if (!Single((unsigned char)text[i])) {
            i += 2;
            continue;
        }
        if (text[i] == ' ') ++count;
        ++i;
    }
    return count;
}

// Field 5 of the text, found the slow way.
std::string FifthField(const std::string& text) {
    size_t field = 0, begin = 0;
    for (size_t i = 0; i < text.size();) {
        if (!Single((unsigned char)text[i])) {
            i += 2;
            continue;
        }
        if (text[i] == ' ') {
            if (field == 4) return text.substr(begin, i - begin);
            ++field;
            begin = i + 1;
        }
        ++i;
    }
    return text.substr(begin);
}

// Without coverage of its own, so that a long text is worth no more to the
// fuzzer than a short one. Mutations make the mark all the time, so only the
// first of every kFullEvery such inputs keeps a count above 4 KiB; the
// first, so that running a saved input alone repeats what happened. The
// input repeats up to 64 KiB at most and digits fill the rest, one long last
// field, so that 16 MiB cost a copy and a walk rather than millions of fields.
__attribute__((no_sanitize("coverage"))) std::string MessageText(const uint8_t* data, size_t size) {
    static unsigned marked = 0;
    std::string text(reinterpret_cast<const char*>(data), size);
    if (size < 4 || data[0] != 0xFF) return text;
    size_t count = (size_t)data[1] << 16 | (size_t)data[2] << 8 | data[3];
    if (marked++ % kFullEvery != 0 && count > kShortLimit) count = kShortLimit;
    text = size > 4 ? text.substr(4) : std::string(" ");
    while (text.size() < count && text.size() < kRepeatLimit) text += text;
    if (text.size() > count) text.resize(count);
    text.resize(count, '9');
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    sim::Reset();
    sim::AddDesktop({0, 0, 1024, 768});
    std::strcpy(program.className, "VESKALClass");
    std::strcpy(program.titleText, "Veskal");
    RegisterMoverClass(kInstance);
    if (!CreateMoverWindow(kInstance) || !FindDesktopView()) std::abort();
    windows[0] = sim::AddWindow({"TestWindow", "", {5000, 100, 5200, 200}});
    windows[1] = sim::AddWindow({"TestWindow", "", {-3000, -900, -2900, -800}});
    windows[2] = sim::AddWindow({"TestWindow", "", {10, 10, 110, 110}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text = MessageText(data, size);

    settings = Settings();
    settings.speed = 7;
    UpdateHalfExtent();
    pan.offset = {300, -200};
    SetWindowPos(windows[0], nullptr, 5000, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetWindowPos(windows[1], nullptr, -3000, -900, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    COPYDATASTRUCT copy = {(ULONG_PTR)size * 2654435761u, (DWORD)text.size(), text.data()};
    Check(SendMessageA(program.moverWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy)) == 0);

    size_t fields = FieldCount(text);
    if (fields < 5) {
        Check(settings.widthSteps == 2 && settings.heightSteps == 2 && settings.speed == 7 &&
              settings.activationKeys.size() == 2 && pan.offset.x == 300 && pan.offset.y == -200);
    } else {
        Check(settings.activationKeys.size() == fields - 5);
        Check(settings.doubleClickCenter == 0 || settings.doubleClickCenter == 1);
        int32_t speed = ParseNumber(FifthField(text));
        Check(settings.speed == (speed >= 1 && speed <= 10 ? speed : 7));
        bool recalled = settings.widthSteps != 2 || settings.heightSteps != 2;
        if (!recalled) Check(pan.offset.x == 300 && pan.offset.y == -200);
        if (recalled && (uint32_t)settings.startCell > 8) Check(pan.offset.x == 300 && pan.offset.y == -200);
    }
    sim::ClearCalls();
    return 0;
}
