// The live settings of the run.
#pragma once

#include <cstdint>
#include <vector>

struct Settings {
    int32_t widthSteps = 2;   // plane width in screens, minus one
    int32_t heightSteps = 2;  // plane height in screens, minus one
    std::vector<int32_t> activationKeys = {16, 17};  // Shift, Ctrl
    int8_t doubleClickCenter = 1;  // 0 off, anything else on
    int32_t startCell = 4;  // 0..8 row by row; other values place nowhere
    int32_t speed = 1;
};

extern Settings settings;
