#include "ip_address.h"

#include <array>
#include <cstddef>

namespace lullex {
namespace {

using PartMinimums = std::array<int, 4>;

constexpr PartMinimums PartnerAddress = {1, 0, 0, 0};
constexpr PartMinimums StrictAddress = {1, 1, 1, 1};
constexpr int PartMaximum = 255;

bool hasOnlyDigitsAndDots(std::string_view text)
{
    for (char c : text) {
        if ((c < '0' || c > '9') && c != '.')
            return false;
    }
    return true;
}

// The value of a part of digits, or -1 when it is empty or above PartMaximum; leading zeros do
// not count, so no length makes a small value fail.
int partValue(std::string_view digits)
{
    if (digits.empty())
        return -1;
    int value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > PartMaximum)
            return -1;
    }
    return value;
}

bool isAddress(std::string_view text, const PartMinimums& minimums)
{
    if (text.empty() || text.front() == '.' || text.back() == '.')
        return false;
    if (!hasOnlyDigitsAndDots(text))
        return false;
    std::size_t start = 0;
    for (std::size_t part = 0; part < minimums.size(); ++part) {
        const bool last = part + 1 == minimums.size();
        const std::size_t dot = text.find('.', start);
        if (last != (dot == std::string_view::npos))
            return false;
        const std::size_t end = last ? text.size() : dot;
        const int value = partValue(text.substr(start, end - start));
        if (value < minimums[part])
            return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

bool IsIPAddress(std::string_view text)
{
    return isAddress(text, PartnerAddress);
}

bool IsStrictIPAddress(std::string_view text)
{
    return isAddress(text, StrictAddress);
}

}  // namespace lullex
