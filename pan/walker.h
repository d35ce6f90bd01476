// The two passes over all top-level windows.
#pragma once

void ShiftWindows();
void RecallWindows();
