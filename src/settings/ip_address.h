#pragma once

#include <string_view>

namespace lullex {

// Whether a text is a dotted IPv4 address for the partner: digits and dots only, exactly three
// dots, no empty number, the first number 1..255 and the others 0..255; leading zeros are allowed.
// Never throws; the empty text gives false.
bool IsIPAddress(std::string_view text);

// The older, stricter rule in which every part must be 1..255. It only guards a domain-name
// setting against holding an address: files saved under that rule could only put an address
// with a 0 part (10.0.0.1) in the domain-name setting, and they must keep loading.
bool IsStrictIPAddress(std::string_view text);

}  // namespace lullex
