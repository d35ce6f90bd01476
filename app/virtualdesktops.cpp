#include "app/virtualdesktops.h"

#include <dwmapi.h>
#include <shobjidl.h>

#include "app/program.h"

void WatchVirtualDesktops() {
    // Kept for the whole run: the count stays above the start-up folder's own.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return;
    if (FAILED(CoCreateInstance(CLSID_VirtualDesktopManager, nullptr, CLSCTX_ALL, IID_IVirtualDesktopManager,
                                (void**)&program.virtualDesktops)))
        program.virtualDesktops = nullptr;
}

bool OnAnotherDesktop(HWND hwnd, DWORD cloaked) {
    IVirtualDesktopManager* desktops = program.virtualDesktops;
    GUID id = GUID_NULL;
    BOOL current = TRUE;
    return desktops && (cloaked & DWM_CLOAKED_SHELL) && SUCCEEDED(desktops->GetWindowDesktopId(hwnd, &id)) &&
           !IsEqualGUID(id, GUID_NULL) && SUCCEEDED(desktops->IsWindowOnCurrentVirtualDesktop(hwnd, &current)) &&
           !current;
}
