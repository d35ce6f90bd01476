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
    if (!SendMessageTimeoutW(target, WM_COPYDATA, (WPARAM)from, (LPARAM)&data, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             &result))
        return IsWindow(target) ? SendResult::noAnswer : SendResult::notRunning;
    return SendResult::sent;
}
