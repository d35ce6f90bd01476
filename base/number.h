#pragma once

#include <cstdint>
#include <string_view>

// The one decimal conversion of settings values: leading white space, an
// optional sign, digits up to the first other byte; wraps at 32 bits and
// gives 0 when there are no digits. Never fails.
int32_t ParseNumber(std::string_view text);
