// The main loop: messages, and the poll of the keys and the mouse.
#pragma once

// One poll tick and what follows it (the map drawn, the view record kept).
// True while a chord key is down.
bool LoopTick();
// Until WM_QUIT; returns its code.
int RunMainLoop();
