#pragma once

#include "activity_source.h"
#include "input_probe.h"

#include <bitset>
#include <cstdint>
#include <string>

namespace lullex {

// Compares two readings of the keyboard and mouse: activity when the key list or the cursor
// sum changed, or the wheel turned. The X11 session's source.
class ProbeActivitySource : public ActivitySource {
public:
    explicit ProbeActivitySource(InputProbe& probe);

    ActivitySample sample() override;
    void reset() override;
    std::string name() const override { return "X11"; }

private:
    InputProbe& m_probe;
    int64_t m_lastCursorSum = 0;
    std::string m_lastKeys = "0";
};

// "0" followed by the decimal code of every key reported, in ascending order, without
// separators. Different key sets can give the same text (1,2,3 and 1,23); only the text counts.
std::string KeyListText(const std::bitset<256>& keys);

}  // namespace lullex
