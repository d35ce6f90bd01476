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
#include "settings/place.h"
#include "settings/viewrecord.h"

namespace {

const char kGuardSwitch[] = "/guard ";  // then the inherited handle's value

// The record's view taken home, then anything still far off recalled, as
// at an orderly exit.
void BringHome(const SettingsPlace& place, const std::string& text) {
    program.desktopView = FindDesktopView();
    program.desktopRect = VirtualScreen();
    ViewRecord record;
    if (ParseViewRecord(text, record)) {
        program.settings = LoadSettings(place.iniToRead);
        program.pan.halfExtent = HalfExtent(record.desktop, record.widthSteps, record.heightSteps);
        program.pan.offset = {record.offsetX, record.offsetY};
        ShiftBy(MoveHome(program.pan, program.settings.startCell));
    }
    RecallWindows(true);
}

}  // namespace

void StartGuard() {
    HANDLE self = nullptr, process = GetCurrentProcess();
    std::wstring exe = ModulePath(nullptr);
    if (exe.empty() ||
        !DuplicateHandle(process, process, process, &self, SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0))
        return;
    std::string handle = std::to_string((uintptr_t)self);  // digits: the wide printf machinery stays out
    std::wstring line = L"\"" + exe + L"\" /guard " + std::wstring(handle.begin(), handle.end());
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEOFFFEEDBACK;  // no busy cursor for a program that shows nothing
    PROCESS_INFORMATION guard = {};
    // The one inheritable handle is `self`: the mutex and the rest stay with the first.
    if (CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &guard)) {
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
    SettingsPlace place = FindSettingsPlace(instance);
    std::string text;
    if (!ReadText(place.ViewRecordPath(), text)) return true;  // the first's orderly exit removed it, or it never moved
    // Gone first: a Veskal started meanwhile starts at home, where the windows go.
    DeleteFileW(place.ViewRecordPath().c_str());
    BringHome(place, text);
    return true;
}
