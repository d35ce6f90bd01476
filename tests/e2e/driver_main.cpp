// End-to-end driver: runs veskal.exe under Wine against the stand-in shell
// and reports one line per scenario and a summary line.
//
//   e2e_driver.exe BIN_DIR WORK_DIR [NAME...]
//
// BIN_DIR holds veskal.exe, e2e_shell.exe, e2e_recorder.exe and, when it has
// been built, config.exe; WORK_DIR receives a fresh directory per start.
// NAMEs limit the run to scenarios whose name contains one of them.
#include <cstdio>
#include <cstring>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/e2e/driver_run.h"
#include "tests/e2e/testbed.h"

namespace {

std::vector<std::string> failures;
bool skipped = false;

struct SkipRequest {};

bool Selected(const char* name, int argc, char** argv) {
    if (argc <= 3) return true;
    for (int i = 3; i < argc; ++i)
        if (std::strstr(name, argv[i])) return true;
    return false;
}

// Leaves X and the windows as the next scenario expects them, whatever the
// last one did.
void CleanUp() {
    ReleaseAllInput();
    EndScenarioChildren();
    if (bed.desktop == Desktop::Full) ResetWindows();
}

}  // namespace

void RecordFailure(const std::string& message) {
    failures.push_back(message);
}

void SkipScenario(const std::string& reason) {
    std::printf("    skipped: %s\n", reason.c_str());
    skipped = true;
    throw SkipRequest();
}

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: e2e_driver BIN_DIR WORK_DIR [NAME...]\n");
        return 2;
    }
    driverConfig.binDir = argv[1];
    driverConfig.workDir = argv[2];
    std::printf("e2e: ANSI code page %u, screen %dx%d\n", GetACP(), GetSystemMetrics(SM_CXSCREEN),
                GetSystemMetrics(SM_CYSCREEN));

    struct Table {
        const Scenario* scenarios;
        int count;
    };
    const Table tables[] = {{kStartupScenarios, kStartupScenarioCount},
                            {kPanScenarios, kPanScenarioCount},
                            {kCommandScenarios, kCommandScenarioCount},
                            {kSettingsScenarios, kSettingsScenarioCount},
                            {kFaultScenarios, kFaultScenarioCount}};
    int passed = 0, failed = 0, skippedCount = 0;
    for (const Table& table : tables) {
        for (int i = 0; i < table.count; ++i) {
            const Scenario& scenario = table.scenarios[i];
            if (!Selected(scenario.name, argc, argv)) continue;
            failures.clear();
            skipped = false;
            DWORD start = GetTickCount();
            std::printf("---- %s\n", scenario.name);
            std::fflush(stdout);
            try {
                SetUpDesktop(scenario.desktop);
                scenario.run();
            } catch (const ScenarioAborted&) {
            } catch (const SkipRequest&) {
            }
            try {
                CleanUp();
            } catch (const ScenarioAborted&) {
            }
            for (const std::string& message : failures) std::printf("    FAIL: %s\n", message.c_str());
            const char* verdict = !failures.empty() ? "FAIL" : skipped ? "SKIP" : "PASS";
            std::printf("%s %s (%.1f s)\n", verdict, scenario.name, (GetTickCount() - start) / 1000.0);
            std::fflush(stdout);
            if (!failures.empty())
                ++failed;
            else if (skipped)
                ++skippedCount;
            else
                ++passed;
        }
    }
    TearDownDesktop();
    if (skippedCount)
        std::printf("e2e: %d passed, %d failed (%d skipped)\n", passed, failed, skippedCount);
    else
        std::printf("e2e: %d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
