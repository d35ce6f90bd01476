// Common ground of the host tests: a fresh process on a fresh stand-in
// desktop, with the exe in a temporary directory of its own.
#pragma once

#include <gtest/gtest.h>
#include <winsim.h>

#include <string>

#include "app/program.h"
#include "res/resource.h"

const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(0x400000);
const RECT kScreen = {0, 0, 1024, 768};

class VeskalTest : public ::testing::Test {
protected:
    void SetUp() override { Fresh(); }
    void TearDown() override;
    // A new process on an empty desktop; what an earlier row left is gone.
    void Fresh();

    std::string dir;  // where the exe lives, with a trailing slash
    std::string IniPath() const { return dir + "veskal.ini"; }
    void WriteIni(const std::string& bytes) const;
    std::string ReadIni() const;  // "<none>" when missing

    // The desktop chain on `screen`, then the program's own start-up.
    bool Start(RECT screen = kScreen);
    void Tick();  // one poll tick, as the main loop makes it
    int RunWinMain();
};

// Position of a window as "x,y".
std::string At(HWND hwnd);
// A visible ordinary window at (x, y).
HWND AddWindowAt(int x, int y, const std::string& className = "TestWindow");
