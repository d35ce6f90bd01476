#include "app/apply.h"

#include <utility>

#include "app/panning.h"
#include "app/program.h"
#include "base/wrap32.h"

void ApplySettings(Settings next, bool startUp) {
    Point32 before = program.pan.offset;
    bool recall = TakeSettings(program.pan, program.settings, next, program.desktopRect, startUp);
    program.settings = std::move(next);
    program.chord = MakeChord(program.settings.activationKeys);
    if (recall) RecallWindows({Sub32(program.pan.offset.x, before.x), Sub32(program.pan.offset.y, before.y)});
}

void ApplySettingsMessage(const void* data, uint32_t size) {
    Settings next;
    next.showMap = program.settings.showMap;  // the message does not carry it
    if (ParseSettingsMessage(data, size, program.settings, next)) ApplySettings(std::move(next), false);
}
