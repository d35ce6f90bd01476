// veskal.ini: what the reader makes of a file, what the writer leaves, and
// that a failed save never costs the old file.
#include "tests/fixture.h"

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <functional>

#include "settings/settingsfile.h"

using namespace std::string_literals;

namespace {

const char kDefaults[] = "WIDTH=3\nHEIGHT=3\nACTKEY=16\nACTKEY=17\nDCENTER=1\nPOS0=4\nSPEED=1\n";
const std::string kNoKeys = "DCENTER=1\nPOS0=4\nSPEED=1\n";

std::string Files(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') names.push_back(e->d_name);
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    std::string all;
    for (const std::string& name : names) all += name + " ";
    return all;
}

}  // namespace

// Each row: the file as found, and the file the writer makes of what was read.
TEST_F(VeskalTest, SettingsFileReader) {
    struct Case {
        const char* name;
        std::string ini;  // "<none>": no file
        std::string saved;
    } cases[] = {
        {"no file", "<none>", kDefaults},
        {"empty file drops the chord", "", "WIDTH=3\nHEIGHT=3\n" + kNoKeys},
        {"ACTKEY twice", "ACTKEY=16\nACTKEY=16\n", "WIDTH=3\nHEIGHT=3\nACTKEY=16\nACTKEY=16\n" + kNoKeys},
        {"last WIDTH wins", "WIDTH=2\nHEIGHT=2\nWIDTH=4\n", "WIDTH=4\nHEIGHT=2\n" + kNoKeys},
        {"keys match whole and exactly", "width=4\nWIDTH =4\nWIDTHS=4\n WIDTH=4\n", "WIDTH=3\nHEIGHT=3\n" + kNoKeys},
        {"blank after the equals sign", "WIDTH= 4\n", "WIDTH=4\nHEIGHT=3\n" + kNoKeys},
        {"third field ignored", "WIDTH=4=9\n", "WIDTH=4\nHEIGHT=3\n" + kNoKeys},
        {"empty value", "WIDTH=\n", "WIDTH=0\nHEIGHT=3\n" + kNoKeys},
        {"no equals sign, no key", "WIDTH\n=4\n=\n", "WIDTH=3\nHEIGHT=3\n" + kNoKeys},
        {"byte-order mark", "\xEF\xBB\xBFWIDTH=5\nHEIGHT=5\n", "WIDTH=3\nHEIGHT=5\n" + kNoKeys},
        {"DCENTER keeps a byte", "DCENTER=200\n", "WIDTH=3\nHEIGHT=3\nDCENTER=-56\nPOS0=4\nSPEED=1\n"},
        {"DCENTER 256", "DCENTER=256\n", "WIDTH=3\nHEIGHT=3\nDCENTER=0\nPOS0=4\nSPEED=1\n"},
        {"POS0 and SPEED kept as found", "POS0=-1\nSPEED=25\n", "WIDTH=3\nHEIGHT=3\nDCENTER=1\nPOS0=-1\nSPEED=25\n"},
        {"not a number", "SPEED=fast\nACTKEY=x\n", "WIDTH=3\nHEIGHT=3\nACTKEY=0\nDCENTER=1\nPOS0=4\nSPEED=0\n"},
        {"CR LF", "WIDTH=4\r\nHEIGHT=5\r\nACTKEY=17\r\n", "WIDTH=4\nHEIGHT=5\nACTKEY=17\n" + kNoKeys},
        {"no final line end", "WIDTH=4\nHEIGHT=5\nACTKEY=17", "WIDTH=4\nHEIGHT=5\nACTKEY=17\n" + kNoKeys},
        {"empty lines", "\n\r\n\r\nWIDTH=4\n\n", "WIDTH=4\nHEIGHT=3\n" + kNoKeys},
        {"wraps at 32 bits", "WIDTH=-2147483648\nHEIGHT=4294967298\n", "WIDTH=-2147483648\nHEIGHT=2\n" + kNoKeys},
        {"NUL bytes stay in the line", "ACTKEY=1\0" "7\nSPEED\0=3\n"s, "WIDTH=3\nHEIGHT=3\nACTKEY=1\n" + kNoKeys},
        {"a lead byte takes the equals sign", "ACTKEY=\x95=5\nWIDTH\x81=4\n", "WIDTH=3\nHEIGHT=3\nACTKEY=0\n" + kNoKeys},
    };
    for (const Case& c : cases) {
        std::remove(IniPath().c_str());
        if (c.ini != "<none>") WriteIni(c.ini);
        SaveSettings(IniPath(), LoadSettings(IniPath()));
        EXPECT_EQ(ReadIni(), c.saved) << c.name;
        SaveSettings(IniPath(), LoadSettings(IniPath()));
        EXPECT_EQ(ReadIni(), c.saved) << c.name << ": read back";
    }
}

TEST_F(VeskalTest, SettingsFileRoundTripKeepsEveryValue) {
    Settings cases[] = {
        {0, 0, {}, 0, 0, 10},
        {INT_MAX, INT_MIN, {INT_MIN, INT_MAX, 0, -1}, -128, INT_MIN, INT_MAX},
        {-1, -2, {91, 91, 91}, 127, 8, -5},
    };
    for (const Settings& c : cases) {
        SaveSettings(IniPath(), c);
        Settings read = LoadSettings(IniPath());
        EXPECT_EQ(FormatSettingsText(read), FormatSettingsText(c));
        EXPECT_EQ(read.doubleClickCenter, c.doubleClickCenter) << FormatSettingsText(c);
        EXPECT_EQ(FormatSettingsFile(read), ReadIni());
    }
}

// Every way a save can fail leaves the old file as it was and nothing beside it.
TEST_F(VeskalTest, FailedSaveKeepsTheOldFile) {
    const std::string old = "WIDTH=7\nHEIGHT=7\nPOS0=0\n";
    Settings many;
    many.activationKeys.assign(50, 16);
    struct Case {
        const char* name;
        std::function<void(bool)> fault;  // on before the save, off after
    } cases[] = {
        {"the write fails", [](bool on) {
             // Root ignores permissions but not the file size limit: the
             // temporary file cannot grow past 16 bytes.
             static rlimit saved;
             if (on) {
                 getrlimit(RLIMIT_FSIZE, &saved);
                 rlimit small = saved;
                 small.rlim_cur = 16;
                 signal(SIGXFSZ, SIG_IGN);
                 setrlimit(RLIMIT_FSIZE, &small);
             } else {
                 setrlimit(RLIMIT_FSIZE, &saved);
                 signal(SIGXFSZ, SIG_DFL);
             }
         }},
        {"the replace fails", [](bool on) { sim::FailMoveFile(on); }},
    };
    for (const Case& c : cases) {
        WriteIni(old);
        c.fault(true);
        SaveSettings(IniPath(), many);
        c.fault(false);
        EXPECT_EQ(ReadIni(), old) << c.name;
        EXPECT_EQ(Files(dir), "veskal.ini ") << c.name;
    }
    SaveSettings(dir + "missing/veskal.ini", many);
    EXPECT_EQ(Files(dir), "veskal.ini ") << "no directory";
    // A leftover of a save that died, and a longer old file, are replaced whole.
    WriteIni(old + std::string(500, '\n'));
    std::ofstream(IniPath() + ".new") << "left by a run that died while saving";
    SaveSettings(IniPath(), Settings());
    EXPECT_EQ(ReadIni(), kDefaults);
    EXPECT_EQ(Files(dir), "veskal.ini ");
}
