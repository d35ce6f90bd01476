// The main loop: messages, and the poll of the keys and the mouse.
#pragma once

// Until WM_QUIT; returns its code.
int RunMainLoop();
