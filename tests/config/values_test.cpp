#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "config/values.h"

namespace {

// What comes in, what the user does to the width box and the speed slider
// (nullptr and 0: left alone), what OK sends.
const struct {
    const char* name;
    const char* given;
    const wchar_t* widthBox;
    int32_t slider;
    const char* sent;
} kEdits[] = {
    {"nothing touched", "499 -1 1 9 25 0 16 16 255", nullptr, 0, "499 -1 1 9 25 0 16 16 255"},
    {"only the speed moved", "499 -1 1 9 25 0 16 16 255", nullptr, 3, "499 -1 1 9 3 0 16 16 255"},
    {"slider left where 25 shows", "2 2 1 4 25", nullptr, 10, "2 2 1 4 25"},
    {"slider moved off where 0 shows", "2 2 1 4 0", nullptr, 10, "2 2 1 4 10"},
    {"box still says 500", "499 2 1 4 1", L"500", 0, "499 2 1 4 1"},
    {"box still says -5", "-6 2 1 4 1", L"-5", 0, "-6 2 1 4 1"},
    {"box still says the wrapped size", "2147483647 2 1 4 1", L"-2147483648", 0, "2147483647 2 1 4 1"},
    {"typed full width", "2 2 1 4 1", L"\uFF19\uFF10", 0, "89 2 1 4 1"},
    {"typed mixed widths", "2 2 1 4 1", L"1\uFF10", 0, "9 2 1 4 1"},
    {"typed 500: held at 100", "2 2 1 4 1", L"500", 0, "99 2 1 4 1"},
    {"typed 0: held at 1", "2 2 1 4 1", L"0", 0, "0 2 1 4 1"},
    {"typed past 32 bits", "2 2 1 4 1", L"99999999999", 0, "99 2 1 4 1"},
    {"box emptied", "7 2 1 4 1", L"", 0, "7 2 1 4 1"},
    {"not a number", "7 2 1 4 1", L"1x", 0, "7 2 1 4 1"},
    {"a lone minus", "7 2 1 4 1", L"-", 0, "7 2 1 4 1"},
};

TEST(DialogValues, WhatOkSends) {
    for (const auto& row : kEdits) {
        SCOPED_TRACE(row.name);
        Settings values = ParseSettingsArguments(row.given);
        if (row.widthBox) values.widthSteps = StepsFromBox(row.widthBox, values.widthSteps);
        if (row.slider) values.speed = SpeedFromSlider(row.slider, values.speed);
        EXPECT_EQ(FormatSettingsText(values), row.sent);
    }
}

// Started by Veskal or by hand, with or without veskal.ini beside it.
TEST(DialogValues, StartingValues) {
    const struct {
        const char* name;
        const char* commandLine;
        const char* ini;  // nullptr: no file
        const char* shown;
        Source source;
    } kStarts[] = {
        {"by hand, no file: the defaults", "", nullptr, "2 2 1 4 1 16 17", Source::defaults},
        {"by hand: the file as Veskal reads it", "",
         "WIDTH=500\nPOS0=9\nSPEED=25\nDCENTER=200\nACTKEY=0\nACTKEY=16\nACTKEY=16\n", "499 2 1 9 25 0 16 16",
         Source::file},
        {"blanks are no arguments", " \t\r\n", "HEIGHT=4\nDCENTER=256\n", "2 3 0 4 1", Source::file},
        {"from Veskal the file is not read", "3 1 0 4 1 16 17", "WIDTH=9\n", "3 1 0 4 1 16 17", Source::veskal},
    };
    const std::string path = testing::TempDir() + "config_values_test.ini";
    for (const auto& row : kStarts) {
        SCOPED_TRACE(row.name);
        std::remove(path.c_str());
        if (FILE* file = row.ini ? std::fopen(path.c_str(), "w") : nullptr) {
            std::fputs(row.ini, file);
            std::fclose(file);
        }
        Source source = Source::veskal;
        EXPECT_EQ(FormatSettingsText(StartingValues(row.commandLine, path, source)), row.shown);
        EXPECT_EQ((int)source, (int)row.source) << "0 Veskal, 1 file, 2 defaults";
    }
    std::remove(path.c_str());
}

TEST(DialogValues, GridMovesAndUnseenKeys) {
    const struct {
        const char* name;
        int cell, rows, columns, to;
    } kMoves[] = {
        {"Down from 左上 to 左", 0, 1, 0, 3},       {"Up from 右下 to 右", 8, -1, 0, 5},
        {"Right along the row", 3, 0, 1, 4},       {"Left along the row", 5, 0, -1, 4},
        {"Left stays at the row's start", 3, 0, -1, 3}, {"Right stays at the row's end", 5, 0, 1, 5},
        {"Down stays on the bottom row", 7, 1, 0, 7},  {"Up stays on the top row", 1, -1, 0, 1},
    };
    for (const auto& row : kMoves) EXPECT_EQ(MoveInGrid(row.cell, row.rows, row.columns), row.to) << row.name;
    const struct {
        std::vector<int32_t> keys;
        bool warned;
    } kChords[] = {{{}, false}, {{1, 16, 254}, false}, {{16, 0}, true}, {{255, 16}, true}, {{-17}, true}};
    for (const auto& row : kChords) EXPECT_EQ(HasUnseenKey(row.keys), row.warned) << testing::PrintToString(row.keys);
}

}  // namespace
