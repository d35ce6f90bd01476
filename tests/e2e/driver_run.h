// Scenario bookkeeping of the end-to-end driver.
#pragma once

#include <string>

struct ScenarioAborted {};

// Which desktop a scenario needs; the driver starts and stops the stand-in
// shell between scenarios as needed.
enum class Desktop { None, BadChain, Full };

struct Scenario {
    const char* name;
    Desktop desktop;
    void (*run)();
};

void RecordFailure(const std::string& message);
void SkipScenario(const std::string& reason);  // ends the scenario, counted as skipped

// Scenario tables, one per file.
extern const Scenario kStartupScenarios[];
extern const int kStartupScenarioCount;
extern const Scenario kPanScenarios[];
extern const int kPanScenarioCount;
extern const Scenario kCommandScenarios[];
extern const int kCommandScenarioCount;
extern const Scenario kSettingsScenarios[];
extern const int kSettingsScenarioCount;
extern const Scenario kFaultScenarios[];
extern const int kFaultScenarioCount;
