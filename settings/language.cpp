#include "settings/language.h"

namespace {

// The types' numbers, whichever character set the build takes RT_ names in.
const WORD kStrings = (WORD)(ULONG_PTR)RT_STRING, kMenu = (WORD)(ULONG_PTR)RT_MENU,
           kDialog = (WORD)(ULONG_PTR)RT_DIALOG;

const void* Resource(HINSTANCE instance, WORD type, UINT id) {
    HRSRC found = FindResourceExW(instance, MAKEINTRESOURCEW(type), MAKEINTRESOURCEW(id), InterfaceLanguage());
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    return loaded ? LockResource(loaded) : nullptr;
}

}  // namespace

LANGID InterfaceLanguage() {
    bool japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
    return japanese ? MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT) : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

// A string table holds its texts in blocks of 16, each a length and then
// that many UTF-16 units.
std::wstring LoadText(HINSTANCE instance, UINT id) {
    auto text = static_cast<const wchar_t*>(Resource(instance, kStrings, id / 16 + 1));
    if (!text) return L"";
    for (UINT i = 0; i < id % 16; ++i) text += 1 + *text;
    return std::wstring(text + 1, *text);
}

HMENU LoadMenuResource(HINSTANCE instance, UINT id) {
    const void* menu = Resource(instance, kMenu, id);
    return menu ? LoadMenuIndirectW(menu) : nullptr;
}

const DLGTEMPLATE* DialogTemplate(HINSTANCE instance, UINT id) {
    return static_cast<const DLGTEMPLATE*>(Resource(instance, kDialog, id));
}
