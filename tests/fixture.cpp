#include "tests/fixture.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/paths.h"
#include "app/window.h"
#include "settings/settingsfile.h"

void VeskalTest::SetUp() {
    sim::Reset();
    program = Program();
    pan = PanState();
    settings = Settings();
    trayIcon = NOTIFYICONDATAA();
    char pattern[] = "/tmp/veskal-test-XXXXXX";
    dir = std::string(mkdtemp(pattern)) + "/";
    sim::SetModulePath(dir + "veskal.exe");
}

void VeskalTest::TearDown() {
    std::string command = "rm -rf '" + dir + "'";
    (void)!std::system(command.c_str());
}

void VeskalTest::WriteIni(const std::string& bytes) const {
    std::ofstream(IniPath(), std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string VeskalTest::ReadIni() const {
    return ReadFile(IniPath());
}

bool VeskalTest::IniExists() const {
    return access(IniPath().c_str(), F_OK) == 0;
}

void VeskalTest::StartProgram(RECT screen) {
    sim::AddDesktop(screen);
    LoadStringA(kInstance, 103, program.titleText, sizeof program.titleText);
    LoadStringA(kInstance, 104, program.stoppedText, sizeof program.stoppedText);
    LoadStringA(kInstance, 109, program.className, sizeof program.className);
    LoadStringA(kInstance, 110, program.mutexName, sizeof program.mutexName);
    BuildPaths(kInstance);
    program.enabled = true;
    RegisterMoverClass(kInstance);
    ASSERT_TRUE(CreateMoverWindow(kInstance));
    ASSERT_TRUE(FindDesktopView());
    LoadSettings();
}

int VeskalTest::RunWinMain() {
    char commandLine[] = "";
    return WinMain(kInstance, nullptr, commandLine, SW_SHOWNORMAL);
}
