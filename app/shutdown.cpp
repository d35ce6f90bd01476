#include "app/shutdown.h"

#include "app/mapwindow.h"
#include "app/panning.h"
#include "app/program.h"
#include "app/resume.h"
#include "settings/files.h"

namespace {

void PutDesktopInOrder() {
    // Ending with the chord held would leave the move cursor in place until
    // the user logs off.
    PanState& pan = program.pan;
    if (pan.panMode) LeavePanMode();
    SyncMap();  // hidden with pan mode
    // The windows stay, and the recall puts them on screen; the desktop alone
    // goes where the shell put it, since there is no plane once Veskal is gone.
    MoveHome(pan, program.settings.startCell);
    RecallWindows(true);
}

}  // namespace

void ShutDown() {
    PutDesktopInOrder();
    SaveSettings(program.place.IniPath(), program.settings);
    DropViewRecord();
}

void EndSession() {
    SaveSettings(program.place.IniPath(), program.settings);
    PutDesktopInOrder();
    DropViewRecord();
}
