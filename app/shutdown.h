#pragma once

// At the real exit: cursors restored if pan mode is on, windows recalled,
// settings saved.
void ShutDown();

// The session is ending: the settings are saved first, so that a window that
// hangs the recall pass cannot cost them, then the desktop is put in order.
// The program may yet go on (the end was only for it, or did not happen);
// its real exit then does all of it again.
void EndSession();
