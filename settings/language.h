// The interface's language: Japanese where the user's display language is
// Japanese, English everywhere else. Each exe holds both; its texts, menus
// and dialogs are looked up in that language by name, since the loader's
// own pick follows lists of preferred languages that differ between
// Windows versions and that Wine does not keep.
#pragma once

#include <windows.h>

#include <string>

LANGID InterfaceLanguage();
// Empty when there is no such text.
std::wstring LoadText(HINSTANCE instance, UINT id);
// Null when there is no such resource.
HMENU LoadMenuResource(HINSTANCE instance, UINT id);
const DLGTEMPLATE* DialogTemplate(HINSTANCE instance, UINT id);
