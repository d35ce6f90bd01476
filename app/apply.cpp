#include "app/apply.h"

#include <utility>

#include "app/program.h"
#include "pan/poll.h"
#include "pan/walker.h"

void ApplySettings(Settings next, bool startUp) {
    bool resized = next.widthSteps != program.settings.widthSteps || next.heightSteps != program.settings.heightSteps;
    program.settings = std::move(next);
    program.chord = MakeChord(program.settings.activationKeys);
    UpdateHalfExtent(program.windows.desktopRect, program.settings);
    if (!startUp && !resized) return;
    PlaceAtStartCell(program.settings.startCell);
    if (!startUp) RecallWindows(program.windows);
}

void ApplySettingsMessage(const void* data, uint32_t size) {
    Settings next;
    next.showMap = program.settings.showMap;  // the message does not carry it
    if (ParseSettingsMessage(data, size, program.settings, next)) ApplySettings(std::move(next), false);
}
