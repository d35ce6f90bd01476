// The size baseline: the smallest C++ Win32 program that still links the
// pieces of the standard library every real program pulls in (a growable
// string and array), built with the same options and static runtime as
// veskal.exe. It shows no window and exits at once.
#include <windows.h>

#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    std::string text(commandLine);
    std::vector<std::string> words;
    words.push_back(text);
    return static_cast<int>(words.size() + GetTickCount() % 2);
}
