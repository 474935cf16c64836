#pragma once

// The calls a recording fake received, as short texts ("name(arg, arg)"), in order.

#include <algorithm>
#include <string>
#include <vector>

namespace TestFakes {

class CallLog {
public:
    void record(const std::string& call) { m_calls.push_back(call); }
    const std::vector<std::string>& calls() const { return m_calls; }
    int count(const std::string& call) const { return int(std::count(m_calls.begin(), m_calls.end(), call)); }
    void clear() { m_calls.clear(); }

private:
    std::vector<std::string> m_calls;
};

inline std::string boolText(bool value) {
    return value ? "true" : "false";
}

} // namespace TestFakes
