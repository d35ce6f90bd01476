// What the dialog starts from, how it takes what the user does, and what it
// marks. It changes a value only when the user changes that value's
// control, so a value left alone goes back exactly as it came, even one the
// controls cannot show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/settings.h"

enum class Source { veskal, file, defaults };

// Veskal starts the dialog with its settings on the command line. Started by
// hand (a blank command line) it shows veskal.ini, whose text is `iniText`,
// read by Veskal's own reader; without the file (null), the defaults.
Settings StartingValues(const std::string& commandLine, const std::string* iniText, Source& source);

// A size box as the user left it: the steps for the screens it says, held
// within 1..100; the old steps while it still says the number it was given,
// whatever that is, or says no number. Digits typed full width count.
int32_t StepsFromBox(const std::wstring& text, int32_t steps);

// The slider shows a speed outside 1..10 at its nearer end; the speed changes
// only once the slider is moved off the position it showed.
int32_t SliderPosition(int32_t speed);
int32_t SpeedFromSlider(int32_t position, int32_t speed);

bool IsCell(int32_t cell);
// The cell a step of rows and columns leads to in the 3x3 grid; steps off
// the grid stay at its edge.
int MoveInGrid(int cell, int rowStep, int columnStep);

// A code Veskal never sees down (0, negative, above 254) makes a chord that
// can never be held.
bool HasUnseenKey(const std::vector<int32_t>& keys);
