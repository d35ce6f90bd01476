// veskal.ini: what the reader makes of a file, what the writer leaves, and
// that a failed save never costs the old file.
#include "tests/fixture.h"

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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
        {"MAP=0: no map, written last", "MAP=0\nSPEED=2\n", "WIDTH=3\nHEIGHT=3\nDCENTER=1\nPOS0=4\nSPEED=2\nMAP=0\n"},
        {"any other MAP is the default, not written", "MAP=0\nMAP=2\n", "WIDTH=3\nHEIGHT=3\n" + kNoKeys},
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

// Each row: what stands in the save's way, and the file after it.
TEST_F(VeskalTest, SaveWhenTheUsualWayIsBlocked) {
    const std::string old = "WIDTH=7\nHEIGHT=7\nPOS0=0\n";
    Settings many;
    many.activationKeys.assign(50, 16);
    static rlimit unlimited;
    struct Case {
        const char* name;
        std::function<std::string(const std::string& dir)> place;  // the settings file's path
        std::function<void(bool)> fault;  // on before the save, off after
        const char* after;  // "old", "new" or "none"
    } cases[] = {
        // Root ignores permissions but not the file size limit: nothing past 16 bytes.
        {"the disk is full", [](const std::string& d) { return d + "veskal.ini"; },
         [](bool on) {
             if (on) getrlimit(RLIMIT_FSIZE, &unlimited);
             rlimit small = unlimited;
             small.rlim_cur = 16;
             signal(SIGXFSZ, SIG_IGN);
             setrlimit(RLIMIT_FSIZE, on ? &small : &unlimited);
         }, "old"},
        {"no directory", [](const std::string& d) { return d + "missing/veskal.ini"; }, [](bool) {}, "none"},
        {"the replace fails: written in place", [](const std::string& d) { return d + "veskal.ini"; },
         [](bool on) { on ? sim::FailCall("MoveFileExA") : sim::HealCalls(); }, "new"},
        {"a path too long for the .new file", [](const std::string& d) {
             std::string deep = d;  // 4,093 bytes with the file name: the limit is 4,095
             while (deep.size() < 4083) {
                 deep += std::string(std::min<size_t>(200, 4082 - deep.size()), 'd') + "/";
                 mkdir(deep.c_str(), 0700);
             }
             return deep + "veskal.ini"; }, [](bool) {}, "new"},
        {"a link stays a link", [](const std::string& d) {
             (void)!symlink("target.ini", (d + "veskal.ini").c_str());
             return d + "veskal.ini"; }, [](bool) {}, "new"},
    };
    for (const Case& c : cases) {
        Fresh();
        std::string path = c.place(dir);
        std::ofstream(path, std::ios::binary) << old;
        c.fault(true);
        SaveSettings(path, many);
        c.fault(false);
        std::ifstream in(path, std::ios::binary);
        std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string expected = c.after == std::string("old") ? old : c.after == std::string("new") ? FormatSettingsFile(many) : "";
        EXPECT_EQ(after, expected) << c.name;
        struct stat st;
        EXPECT_NE(lstat((path + ".new").c_str(), &st), 0) << c.name << ": nothing left beside it";
    }
    struct stat st;
    EXPECT_TRUE(lstat(IniPath().c_str(), &st) == 0 && S_ISLNK(st.st_mode)) << "the link, after the last row";
    // A leftover of a save that died, and a longer old file, are replaced whole.
    Fresh();
    WriteIni(old + std::string(500, '\n'));
    std::ofstream(IniPath() + ".new") << "left by a run that died while saving";
    SaveSettings(IniPath(), Settings());
    EXPECT_EQ(ReadIni(), kDefaults);
    EXPECT_EQ(Files(dir), "veskal.ini ");
}
