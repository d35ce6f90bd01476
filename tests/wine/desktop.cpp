// The Wine suite's main: wine_tests.exe [GTEST FLAGS] BIN_DIR WORK_DIR.
#include "tests/wine/desktop.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 3) return 2;
    binDir = argv[1], workDir = argv[2];
    // run.sh runs two suites alone, when named: Display, which changes the
    // screen's size, in a Wine virtual desktop whose X window takes the keys;
    // English in a Wine session of that language.
    std::string filter = testing::GTEST_FLAG(filter);
    if (filter.find("Display") != std::string::npos)
        keyWindow = "search --name '^" + std::string(kVirtualDesktop) + " - Wine desktop$'";
    else if (filter.find("English") == std::string::npos)
        testing::GTEST_FLAG(filter) = filter + (filter.find('-') == std::string::npos ? "-" : ":") + "Display.*:English.*";
    int failed = RUN_ALL_TESTS();
    // A quit message first: a terminated notepad can live on under Wine 8,
    // and with it the whole prefix.
    for (Child& child : children) PostThreadMessageA(child.dwThreadId, WM_QUIT, 0, 0);
    for (Child& child : children)
        if (WaitForSingleObject(child.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(child.hProcess, 1);
    return failed;
}
