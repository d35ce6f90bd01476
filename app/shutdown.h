#pragma once

// Puts the desktop back in order and keeps the settings: cursors restored
// if pan mode is on, windows recalled, settings saved. Runs once.
void ShutDown();
