#include "config/send.h"

#include "base/settings.h"

namespace {

// Veskal handles the message at once; a longer wait means it is hung, and
// the dialog should not hang with it.
const UINT kAnswerTimeoutMs = 5000;

}  // namespace

SendResult SendToVeskal(HWND from, const std::string& text) {
    HWND target = FindWindowA(kMoverClassName, nullptr);
    if (!target) return SendResult::notRunning;
    COPYDATASTRUCT data = {};
    data.dwData = 0;
    data.cbData = (DWORD)text.size();
    data.lpData = (void*)text.data();
    DWORD_PTR result = 0;
    SetLastError(0);
    if (SendMessageTimeoutW(target, WM_COPYDATA, (WPARAM)from, (LPARAM)&data, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                            &result))
        return SendResult::sent;
    // A Veskal run as administrator takes no messages from a program that is
    // not: the system refuses them at once.
    if (GetLastError() == ERROR_ACCESS_DENIED) return SendResult::accessDenied;
    return IsWindow(target) ? SendResult::noAnswer : SendResult::notRunning;
}
