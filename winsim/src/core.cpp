// Shared plumbing of the stand-in: state, call log, handles.
#include "state.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace sim {

State& S() {
    static State state;
    return state;
}

std::map<std::string, UINT>& RegisteredMessages() {
    static std::map<std::string, UINT> ids;
    return ids;
}

void Reset() {
    S() = State();
}

void Log(const std::string& call) {
    S().calls.push_back(call);
}

std::string Hex(uint64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%llx", (unsigned long long)value);
    return buffer;
}

bool Failing(const std::string& call, HWND hwnd) {
    return S().failing.count({call, nullptr}) || (hwnd && S().failing.count({call, hwnd}));
}

void FailCall(const std::string& call, HWND hwnd) {
    S().failing.insert({call, hwnd});
}

void HealCalls() {
    S().failing.clear();
}

Window* Find(HWND hwnd) {
    auto it = S().windows.find(hwnd);
    return it == S().windows.end() ? nullptr : &it->second;
}

HWND NewHandle() {
    HWND hwnd = reinterpret_cast<HWND>(S().nextHandle);
    S().nextHandle += 4;
    return hwnd;
}

std::string Name(HWND hwnd) {
    if (!hwnd) return "null";
    if (hwnd == HWND_TOPMOST) return "TOPMOST";
    return "#" + std::to_string((reinterpret_cast<uintptr_t>(hwnd) - 0x100) / 4 + 1);
}

bool SameText(const std::string& a, const std::string& b, bool ignoreCase) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = (unsigned char)a[i], y = (unsigned char)b[i];
        if (ignoreCase) {
            x = (unsigned char)std::tolower(x);
            y = (unsigned char)std::tolower(y);
        }
        if (x != y) return false;
    }
    return true;
}

const std::vector<std::string>& Calls() {
    return S().calls;
}

std::vector<std::string> CallsStartingWith(const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& call : S().calls)
        if (call.compare(0, prefix.size(), prefix) == 0) out.push_back(call);
    return out;
}

void ClearCalls() {
    S().calls.clear();
}

}  // namespace sim
