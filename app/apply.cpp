#include "app/apply.h"

#include <utility>

#include "app/panning.h"
#include "app/program.h"

void ApplySettings(Settings next, bool startUp) {
    bool recall = TakeSettings(program.pan, program.settings, next, program.desktopRect, startUp);
    program.settings = std::move(next);
    program.chord = MakeChord(program.settings.activationKeys);
    if (recall) RecallWindows(false);
}

void ApplySettingsMessage(const void* data, uint32_t size) {
    Settings next = program.settings;  // the map, the following and the pins: the message carries none
    if (ParseSettingsMessage(data, size, program.settings, next)) ApplySettings(std::move(next), false);
}
