#include "app/guard.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/panning.h"
#include "app/program.h"
#include "app/rects.h"
#include "app/window.h"
#include "pan/plane.h"
#include "settings/files.h"
#include "settings/paths.h"
#include "settings/viewrecord.h"

namespace {

const char kGuardSwitch[] = "/guard ";  // then the inherited handle's value

// The record's view taken home, then anything still far off recalled, as
// at an orderly exit.
void BringHome(const std::string& directory, const std::string& text) {
    program.desktopView = FindDesktopView();
    program.desktopRect = VirtualScreen();
    ViewRecord record;
    if (ParseViewRecord(text, record)) {
        program.settings = LoadSettings(directory + "veskal.ini");
        program.pan.halfExtent = HalfExtent(record.desktop, record.widthSteps, record.heightSteps);
        program.pan.offset = {record.offsetX, record.offsetY};
        ShiftBy(MoveHome(program.pan, program.settings.startCell));
    }
    RecallWindows(true);
}

}  // namespace

void StartGuard() {
    HANDLE self = nullptr, process = GetCurrentProcess();
    char exe[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    if (!length || length >= MAX_PATH ||
        !DuplicateHandle(process, process, process, &self, SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0))
        return;
    std::string line = "\"" + std::string(exe) + "\" " + kGuardSwitch + std::to_string((uintptr_t)self);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEOFFFEEDBACK;  // no busy cursor for a program that shows nothing
    PROCESS_INFORMATION guard = {};
    // The one inheritable handle is `self`: the mutex and the rest stay with the first.
    if (CreateProcessA(exe, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &guard)) {
        CloseHandle(guard.hThread);
        CloseHandle(guard.hProcess);
    }
    CloseHandle(self);
}

bool RunAsGuard(HINSTANCE instance, const char* arguments) {
    if (strncmp(arguments, kGuardSwitch, sizeof kGuardSwitch - 1) != 0) return false;
    HANDLE first = (HANDLE)(uintptr_t)strtoull(arguments + sizeof kGuardSwitch - 1, nullptr, 10);
    // The windowing system made ready now, not when every moment counts:
    // under Wine its first use in a process takes seconds.
    GetSystemMetrics(SM_CXVIRTUALSCREEN);
    SetProcessWorkingSetSize(GetCurrentProcess(), (SIZE_T)-1, (SIZE_T)-1);  // nothing kept in memory while it waits
    // A handle that is not a process it inherited: nothing to guard.
    if (!GetProcessId(first) || WaitForSingleObject(first, INFINITE) != WAIT_OBJECT_0) return true;
    std::string directory = ExeDirectory(instance), record = ViewRecordPath(directory), text;
    if (!ReadText(record, text)) return true;  // the first's orderly exit removed it, or it never moved
    // Gone first: a Veskal started meanwhile starts at home, where the windows go.
    DeleteFileA(record.c_str());
    BringHome(directory, text);
    return true;
}
