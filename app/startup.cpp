#include "app/startup.h"

#include "app/apply.h"
#include "app/integrity.h"
#include "app/mapwindow.h"
#include "app/panning.h"
#include "app/program.h"
#include "app/rects.h"
#include "app/resume.h"
#include "app/saving.h"
#include "app/surface.h"
#include "app/tray.h"
#include "app/virtualdesktops.h"
#include "app/window.h"
#include "app/wndproc.h"
#include "res/resource.h"
#include "settings/files.h"
#include "settings/language.h"
#include "settings/paths.h"

Program program;

namespace {

const DWORD kShutdownLevel = 0x3FF;  // the highest a program may take

void LoadTexts(HINSTANCE instance) {
    program.titleText = LoadText(instance, IDS_TITLE);
    program.stoppedText = LoadText(instance, IDS_STOPPED);
    // Names the system keeps, the same in every language: ASCII.
    LoadStringA(instance, IDS_CLASSNAME, program.className, sizeof program.className);
    LoadStringA(instance, IDS_MUTEXNAME, program.mutexName, sizeof program.mutexName);
}

}  // namespace

void CloseInstanceMutex() {
    ReleaseMutex(program.instanceMutex);
    CloseHandle(program.instanceMutex);
}

bool StartUp(HINSTANCE instance) {
    LoadTexts(instance);
    program.settingsProgramPath = ExeDirectory(instance) + L"config.exe";
    program.place = FindSettingsPlace(instance);
    program.instanceMutex = CreateMutexA(nullptr, TRUE, program.mutexName);
    // Access is denied when the first instance runs elevated or in another session.
    DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED) return false;
    program.enabled = true;  // before the window: its creation adds the icon
    program.instance = instance;
    RegisterMoverClass(instance, program.className);
    program.mover = CreateMoverWindow(instance, program.className, program.titleText.c_str());
    if (!program.mover) {
        CloseInstanceMutex();
        return false;
    }
    program.keyboardWakes = RegisterKeyboardInput(program.mover);
    // Run elevated, Veskal would never hear that the shell restarted: the
    // system drops registered messages from programs of a lower level.
    program.front.ownLevel = IntegrityLevel(GetCurrentProcessId());
    if (program.front.ownLevel > SECURITY_MANDATORY_MEDIUM_RID)
        ChangeWindowMessageFilterEx(program.mover, taskbarCreatedMessage, MSGFLT_ALLOW, nullptr);
    WatchFront();
    // Told of the session's end before the programs in the default range
    // (0x280): its recall lands before they save where their windows stand.
    SetProcessShutdownParameters(kShutdownLevel, 0);
    program.desktopView = FindDesktopView();
    if (!program.desktopView) {
        ShowBalloon(IDS_NO_DESKTOP);
        LingerForBalloon();
        RemoveTrayIcon();  // or a ghost icon stays until the mouse passes over it
        CloseInstanceMutex();
        return false;
    }
    // Measured on the screen: a Veskal that was killed may have left the
    // desktop's windows panned.
    program.desktopRect = VirtualScreen();
    WatchVirtualDesktops();
    program.mapWindow = CreateMapWindow(instance);
    program.surface = CreateSurface(instance);
    ApplySettings(LoadSettings(program.place.iniToRead), true);
    if (!program.place.takesFiles) SaySaveFailed();
    ResumeView();
    PutDesktopInPlace();  // home, unless the record resumed a pan
    return true;
}
