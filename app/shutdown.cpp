#include "app/shutdown.h"

#include "app/mapwindow.h"
#include "app/program.h"
#include "app/resume.h"
#include "pan/poll.h"
#include "pan/walker.h"
#include "settings/settingsfile.h"

namespace {

void PutDesktopInOrder() {
    // Ending with the chord held would leave the move cursor in place until
    // the user logs off.
    if (pan.panMode) LeavePanMode(program.windows);
    SyncMap();  // hidden with pan mode
    PlaceAtStartCell(program.settings.startCell);
    RecallWindows(program.windows);
}

}  // namespace

void ShutDown() {
    PutDesktopInOrder();
    SaveSettings(program.settingsFilePath, program.settings);
    DropViewRecord();
}

void EndSession() {
    SaveSettings(program.settingsFilePath, program.settings);
    PutDesktopInOrder();
    DropViewRecord();
}
