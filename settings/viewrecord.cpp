#include "settings/viewrecord.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/number.h"
#include "base/text.h"

std::string FormatViewRecord(const ViewRecord& r) {
    char text[200];
    std::snprintf(text, sizeof text, "VIEW %" PRId64 " %d %d %d %d %d %d %d %d %d %d %d %d\n", r.bootTime,
                  (int)r.desktop.left, (int)r.desktop.top, (int)r.desktop.right, (int)r.desktop.bottom,
                  (int)r.desktopView.left, (int)r.desktopView.top, (int)r.desktopView.right,
                  (int)r.desktopView.bottom, (int)r.widthSteps, (int)r.heightSteps, (int)r.offsetX, (int)r.offsetY);
    return text;
}

bool ParseViewRecord(std::string_view text, ViewRecord& record) {
    std::string_view line = TakeLine(text);
    std::vector<std::string> fields;
    SplitText(line.substr(0, line.empty() ? 0 : line.size() - 1), fields, " ");
    if (fields.size() != 14 || fields[0] != "VIEW") return false;
    int32_t n[12];
    for (int i = 0; i < 12; ++i) n[i] = ParseNumber(fields[i + 2]);
    ViewRecord r = {std::strtoll(fields[1].c_str(), nullptr, 10), {n[0], n[1], n[2], n[3]}, {n[4], n[5], n[6], n[7]},
                    n[8], n[9], n[10], n[11]};
    if (FormatViewRecord(r) != line) return false;
    record = r;
    return true;
}
