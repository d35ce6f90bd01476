#include "app/shutdown.h"

#include "app/program.h"
#include "pan/poll.h"
#include "pan/walker.h"
#include "settings/settingsfile.h"

void ShutDown() {
    if (program.shutDown) return;
    program.shutDown = true;
    // Ending with the chord held would leave the move cursor in place until
    // the user logs off.
    if (pan.panMode) LeavePanMode(program.windows);
    PlaceAtStartCell(program.settings.startCell);
    RecallWindows(program.windows);
    SaveSettings(program.settingsFilePath, program.settings);
}
