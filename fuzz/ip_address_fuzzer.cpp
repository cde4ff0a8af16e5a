// The partner address check, against the C library's own reading of dotted IPv4 addresses:
// digits and dots only, four numbers of 0..255, the first not 0; leading zeros are allowed here
// and refused by inet_pton, so they are dropped before asking it.
#include "fuzz_check.h"
#include "ip_address.h"

#include <arpa/inet.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace {

using Quad = std::array<uint8_t, 4>;

std::string withoutLeadingZeros(const std::string& text)
{
    std::string result;
    bool partStart = true;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        const bool moreDigitsFollow = at + 1 < text.size() && text[at + 1] != '.';
        if (!(partStart && c == '0' && moreDigitsFollow)) {
            result += c;
            partStart = c == '.';
        }
    }
    return result;
}

std::optional<Quad> dottedQuad(const std::string& text)
{
    if (text.find_first_not_of("0123456789.") != std::string::npos)
        return std::nullopt;
    Quad quad{};
    if (inet_pton(AF_INET, withoutLeadingZeros(text).c_str(), quad.data()) != 1)
        return std::nullopt;
    return quad;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<Quad> quad = dottedQuad(text);
    const bool partner = quad && (*quad)[0] != 0;
    const bool strict = partner && (*quad)[1] != 0 && (*quad)[2] != 0 && (*quad)[3] != 0;
    lullex::fuzz::require(lullex::IsIPAddress(text) == partner,
                          "a partner address is four numbers 0..255, the first not 0");
    lullex::fuzz::require(lullex::IsStrictIPAddress(text) == strict,
                          "a strict address is four numbers 1..255");
    return 0;
}
