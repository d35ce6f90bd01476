#include "tests/fixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/startup.h"
#include "app/tray.h"
#include "app/loop.h"

void VeskalTest::Fresh() {
    if (!dir.empty()) TearDown();
    sim::Reset();
    program = Program();
    pan = PanState();
    trayIcon = NOTIFYICONDATAA();
    char pattern[] = "/tmp/veskal-test-XXXXXX";
    dir = std::string(mkdtemp(pattern)) + "/";
    sim::SetModulePath(dir + "veskal.exe");
}

void VeskalTest::TearDown() {
    std::string command = "rm -rf '" + dir + "'";
    (void)!std::system(command.c_str());
    dir.clear();
}

void VeskalTest::WriteIni(const std::string& bytes) const {
    std::ofstream(IniPath(), std::ios::binary) << bytes;
}

std::string VeskalTest::ReadIni() const {
    std::ifstream in(IniPath(), std::ios::binary);
    if (!in) return "<none>";
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool VeskalTest::Start(RECT screen) {
    sim::AddDesktop(screen);
    return StartUp(kInstance);
}

void VeskalTest::Tick() {
    LoopTick();
}

int VeskalTest::RunWinMain() {
    char commandLine[] = "";
    return WinMain(kInstance, nullptr, commandLine, SW_SHOWNORMAL);
}

std::string At(HWND hwnd) {
    RECT r = sim::WindowRect(hwnd);
    return std::to_string(r.left) + "," + std::to_string(r.top);
}

HWND AddWindowAt(int x, int y, const std::string& className) {
    sim::NewWindow shape;
    shape.className = className;
    shape.rect = {x, y, x + 100, y + 100};
    return sim::AddWindow(shape);
}
