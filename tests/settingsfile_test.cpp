// veskal.ini: what the reader makes of a file, what the writer leaves, and
// that a failed save never costs the old file.
#include "tests/fixture.h"

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <climits>
#include <fstream>

#include "settings/settingsfile.h"

using namespace std::string_literals;

namespace {

const char kDefaults[] = "WIDTH=3\nHEIGHT=3\nACTKEY=16\nACTKEY=17\nDCENTER=1\nPOS0=4\nSPEED=1\n";

class SettingsFileTest : public VeskalTest {
protected:
    void SetUp() override {
        VeskalTest::SetUp();
        program.settingsFilePath = IniPath();
        program.desktopRect = {0, 0, 1024, 768};
    }
    // Loading starts from whatever the previous case left.
    void Load() {
        settings.widthSteps = 77;
        settings.activationKeys = {99};
        pan.offset = {123, -456};
        pan.halfExtent = {1, 1};
        LoadSettings();
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        if (DIR* d = opendir(dir.c_str())) {
            while (dirent* e = readdir(d))
                if (e->d_name[0] != '.') names.push_back(e->d_name);
            closedir(d);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

}  // namespace

TEST_F(SettingsFileTest, ReaderTable) {
    const std::string noKeys = "DCENTER=1\nPOS0=4\nSPEED=1\n";
    struct Case {
        const char* name;
        bool exists;
        std::string ini;
        std::string saved;  // the whole record, as the writer puts it
        Point32 halfExtent, offset;
    } cases[] = {
        {"no file", false, "", kDefaults, {1024, 768}, {0, 0}},
        {"empty file drops the chord", true, "", "WIDTH=3\nHEIGHT=3\n" + noKeys, {1024, 768}, {0, 0}},
        {"only WIDTH", true, "WIDTH=5\n", "WIDTH=5\nHEIGHT=3\n" + noKeys, {2048, 768}, {0, 0}},
        {"ACTKEY twice", true, "ACTKEY=16\nACTKEY=16\n", "WIDTH=3\nHEIGHT=3\nACTKEY=16\nACTKEY=16\n" + noKeys,
         {1024, 768}, {0, 0}},
        {"last WIDTH wins", true, "WIDTH=2\nHEIGHT=2\nWIDTH=4\n", "WIDTH=4\nHEIGHT=2\n" + noKeys, {1536, 384}, {0, 0}},
        {"keys match whole and exactly", true, "width=4\nWIDTH =4\nWIDTHS=4\n WIDTH=4\n",
         "WIDTH=3\nHEIGHT=3\n" + noKeys, {1024, 768}, {0, 0}},
        {"blank after the equals sign", true, "WIDTH= 4\n", "WIDTH=4\nHEIGHT=3\n" + noKeys, {1536, 768}, {0, 0}},
        {"third field ignored", true, "WIDTH=4=9\n", "WIDTH=4\nHEIGHT=3\n" + noKeys, {1536, 768}, {0, 0}},
        {"empty value", true, "WIDTH=\n", "WIDTH=0\nHEIGHT=3\n" + noKeys, {-512, 768}, {0, 0}},
        {"no equals sign, no key", true, "WIDTH\n=4\n=\n", "WIDTH=3\nHEIGHT=3\n" + noKeys, {1024, 768}, {0, 0}},
        {"byte-order mark", true, "\xEF\xBB\xBFWIDTH=5\nHEIGHT=5\n", "WIDTH=3\nHEIGHT=5\n" + noKeys, {1024, 1536},
         {0, 0}},
        {"DCENTER 2", true, "DCENTER=2\n", "WIDTH=3\nHEIGHT=3\nDCENTER=2\nPOS0=4\nSPEED=1\n", {1024, 768}, {0, 0}},
        {"DCENTER 256", true, "DCENTER=256\n", "WIDTH=3\nHEIGHT=3\nDCENTER=0\nPOS0=4\nSPEED=1\n", {1024, 768}, {0, 0}},
        {"DCENTER 200", true, "DCENTER=200\n", "WIDTH=3\nHEIGHT=3\nDCENTER=-56\nPOS0=4\nSPEED=1\n", {1024, 768},
         {0, 0}},
        {"POS0 9 is no cell", true, "POS0=9\n", "WIDTH=3\nHEIGHT=3\nDCENTER=1\nPOS0=9\nSPEED=1\n", {1024, 768},
         {0, 0}},
        {"POS0 -1 is no cell", true, "POS0=-1\n", "WIDTH=3\nHEIGHT=3\nDCENTER=1\nPOS0=-1\nSPEED=1\n", {1024, 768},
         {0, 0}},
        {"cell placed on the loaded plane", true, "POS0=0\nWIDTH=5\n",
         "WIDTH=5\nHEIGHT=3\nDCENTER=1\nPOS0=0\nSPEED=1\n", {2048, 768}, {2048, 768}},
        {"POS0 8", true, "POS0=8\n", "WIDTH=3\nHEIGHT=3\nDCENTER=1\nPOS0=8\nSPEED=1\n", {1024, 768}, {-1024, -768}},
        {"SPEED 0 kept", true, "SPEED=0\n", "WIDTH=3\nHEIGHT=3\nDCENTER=1\nPOS0=4\nSPEED=0\n", {1024, 768}, {0, 0}},
        {"SPEED 25 kept", true, "SPEED=25\n", "WIDTH=3\nHEIGHT=3\nDCENTER=1\nPOS0=4\nSPEED=25\n", {1024, 768},
         {0, 0}},
        {"not a number", true, "SPEED=fast\nACTKEY=x\n", "WIDTH=3\nHEIGHT=3\nACTKEY=0\nDCENTER=1\nPOS0=4\nSPEED=0\n",
         {1024, 768}, {0, 0}},
        {"LF", true, "WIDTH=4\nHEIGHT=5\nACTKEY=17\n", "WIDTH=4\nHEIGHT=5\nACTKEY=17\n" + noKeys, {1536, 1536}, {0, 0}},
        {"CR LF", true, "WIDTH=4\r\nHEIGHT=5\r\nACTKEY=17\r\n", "WIDTH=4\nHEIGHT=5\nACTKEY=17\n" + noKeys,
         {1536, 1536}, {0, 0}},
        {"no final line end", true, "WIDTH=4\nHEIGHT=5\nACTKEY=17", "WIDTH=4\nHEIGHT=5\nACTKEY=17\n" + noKeys,
         {1536, 1536}, {0, 0}},
        {"empty lines", true, "\n\r\n\r\nWIDTH=4\n\n", "WIDTH=4\nHEIGHT=3\n" + noKeys, {1536, 768}, {0, 0}},
        {"wraps at 32 bits", true, "WIDTH=-2147483648\nHEIGHT=4294967298\n",
         "WIDTH=-2147483648\nHEIGHT=2\n" + noKeys, {-512, 384}, {0, 0}},
        {"NUL bytes stay in the line", true, "ACTKEY=1\0" "7\nSPEED\0=3\n"s,
         "WIDTH=3\nHEIGHT=3\nACTKEY=1\n" + noKeys, {1024, 768}, {0, 0}},
        {"a lead byte takes the equals sign", true, "ACTKEY=\x95=5\nWIDTH\x81=4\n",
         "WIDTH=3\nHEIGHT=3\nACTKEY=0\n" + noKeys, {1024, 768}, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(IniPath().c_str());
        if (c.exists) WriteIni(c.ini);
        Load();
        EXPECT_EQ(pan.halfExtent.x, c.halfExtent.x);
        EXPECT_EQ(pan.halfExtent.y, c.halfExtent.y);
        EXPECT_EQ(pan.offset.x, c.offset.x);
        EXPECT_EQ(pan.offset.y, c.offset.y);
        SaveSettings();
        EXPECT_EQ(ReadIni(), c.saved);
        // What was written reads back to the same record.
        Load();
        SaveSettings();
        EXPECT_EQ(ReadIni(), c.saved);
    }
}

TEST_F(SettingsFileTest, FieldsAsLoaded) {
    WriteIni("DCENTER=200\nPOS0=-1\nACTKEY=16\nACTKEY=16\nACTKEY=-3\n");
    Load();
    EXPECT_EQ(settings.doubleClickCenter, -56);
    EXPECT_EQ(settings.startCell, -1);
    EXPECT_EQ(settings.activationKeys, (std::vector<int32_t>{16, 16, -3}));
    EXPECT_EQ(settings.widthSteps, 2);
    EXPECT_EQ(settings.heightSteps, 2);
    EXPECT_EQ(settings.speed, 1);
}

TEST_F(SettingsFileTest, StartUpLoadsTheFileBesideTheExe) {
    WriteIni("WIDTH=5\r\nPOS0=2\r\n");
    StartProgram({0, 0, 1280, 1024});
    EXPECT_EQ(program.settingsFilePath, dir + "veskal.ini");
    EXPECT_EQ(settings.widthSteps, 4);
    EXPECT_TRUE(settings.activationKeys.empty());
    EXPECT_EQ(pan.halfExtent.x, 2560);
    EXPECT_EQ(pan.offset.x, -2560);
    EXPECT_EQ(pan.offset.y, 1024);
}

TEST_F(SettingsFileTest, DefaultsSaveAsSevenLines) {
    SaveSettings();
    EXPECT_EQ(ReadIni(), kDefaults);
    EXPECT_EQ(Files(), std::vector<std::string>{"veskal.ini"});
}

TEST_F(SettingsFileTest, RoundTripKeepsEveryValueInRange) {
    struct Case {
        int32_t width, height;
        std::vector<int32_t> keys;
        int8_t dcenter;
        int32_t cell, speed;
    } cases[] = {
        {2, 2, {16, 17}, 1, 4, 1},
        {0, 0, {}, 0, 0, 10},
        {INT_MAX, INT_MIN, {INT_MIN, INT_MAX, 0, -1}, -128, INT_MIN, INT_MAX},
        {-1, -2, {91, 91, 91}, 127, 8, -5},
        {INT_MIN, INT_MAX, {1}, -1, INT_MAX, INT_MIN},
    };
    for (const auto& c : cases) {
        settings.widthSteps = c.width;
        settings.heightSteps = c.height;
        settings.activationKeys = c.keys;
        settings.doubleClickCenter = c.dcenter;
        settings.startCell = c.cell;
        settings.speed = c.speed;
        SaveSettings();
        std::string written = ReadIni();
        settings = Settings();
        Load();
        EXPECT_EQ(settings.widthSteps, c.width);
        EXPECT_EQ(settings.heightSteps, c.height);
        EXPECT_EQ(settings.activationKeys, c.keys);
        EXPECT_EQ(settings.doubleClickCenter, c.dcenter);
        EXPECT_EQ(settings.startCell, c.cell);
        EXPECT_EQ(settings.speed, c.speed);
        SaveSettings();
        EXPECT_EQ(ReadIni(), written);
    }
}

TEST_F(SettingsFileTest, SaveReplacesALongerFileWhole) {
    std::string old;
    for (int i = 0; i < 500; ++i) old += "ACTKEY=" + std::to_string(i) + "\n";
    WriteIni(old);
    std::ofstream(IniPath() + ".new") << "left by a run that died while saving";
    settings = Settings();
    SaveSettings();
    EXPECT_EQ(ReadIni(), kDefaults);
    EXPECT_EQ(Files(), std::vector<std::string>{"veskal.ini"});
}

TEST_F(SettingsFileTest, FailedWriteKeepsTheOldFile) {
    const std::string old = "WIDTH=7\nHEIGHT=7\nPOS0=0\n";
    WriteIni(old);
    settings.activationKeys.assign(50, 16);  // more than the limit lets through

    // Root ignores directory permissions, but not the file size limit: the
    // temporary file cannot grow past 16 bytes, and the write fails EFBIG.
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 16;
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    SaveSettings();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(ReadIni(), old);
    EXPECT_EQ(Files(), std::vector<std::string>{"veskal.ini"});
    EXPECT_TRUE(sim::CallsStartingWith("MoveFileExA(").empty());

    // Without the limit the same save goes through.
    SaveSettings();
    EXPECT_EQ(ReadIni().substr(0, 16), "WIDTH=3\nHEIGHT=3");
}

TEST_F(SettingsFileTest, FailedReplaceKeepsTheOldFile) {
    const std::string old = "WIDTH=7\n";
    WriteIni(old);
    sim::FailMoveFile(true);
    SaveSettings();
    sim::FailMoveFile(false);
    EXPECT_EQ(ReadIni(), old);
    EXPECT_EQ(Files(), std::vector<std::string>{"veskal.ini"});
    auto moves = sim::CallsStartingWith("MoveFileExA(");
    ASSERT_EQ(moves.size(), 1u);
    // Replace the old file, and do not return before the move is on disk.
    EXPECT_EQ(moves[0], "MoveFileExA(" + IniPath() + ".new, " + IniPath() + ", 0x9)");
}

TEST_F(SettingsFileTest, UnwritablePlaceIsSkippedSilently) {
    program.settingsFilePath = dir + "missing/veskal.ini";
    SaveSettings();
    EXPECT_TRUE(Files().empty());
    EXPECT_TRUE(sim::CallsStartingWith("MoveFileExA(").empty());
}
