#include "app/saving.h"

#include "app/program.h"
#include "app/tray.h"
#include "res/resource.h"
#include "settings/savetext.h"

bool SaveOrSay(const std::wstring& path, const std::string& text) {
    if (SaveText(path, text)) return true;
    SaySaveFailed();
    return false;
}

void SaySaveFailed() {
    if (program.toldSaveFailed) return;
    program.toldSaveFailed = true;
    ShowBalloon(IDS_SAVE_FAILED, program.place.IniPath());
}
