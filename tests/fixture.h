// Common ground of the host tests: a fresh process state on a fresh
// stand-in desktop, with the exe in its own temporary directory.
#pragma once

#include <gtest/gtest.h>
#include <winsim.h>

#include <string>

#include "app/program.h"
#include "app/tray.h"
#include "pan/panstate.h"
#include "settings/settings.h"

const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(0x400000);

class VeskalTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The directory the exe "lives" in, with a trailing slash.
    std::string dir;
    std::string IniPath() const { return dir + "veskal.ini"; }
    void WriteIni(const std::string& bytes) const;
    std::string ReadIni() const;  // "" when missing
    bool IniExists() const;

    // Start-up steps up to the main loop, done the way WinMain does them, on
    // a default desktop; for tests of one piece at a time.
    void StartProgram(RECT screen = {0, 0, 1024, 768});
    int RunWinMain();
};

// Text of a file in full, "" when it cannot be read.
std::string ReadFile(const std::string& path);
