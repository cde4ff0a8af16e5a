#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lullex {

// The leading decimal number of a text, read leniently: blanks (spaces, tabs, line feeds) are
// ignored wherever they stand, then an optional sign, digits with an optional fraction and an
// optional exponent are taken up to the first character that does not fit. A text without a
// leading number reads 0; a number too large for a double reads as an infinity.
double readLeadingNumber(std::string_view text);

// A number typed into a field of the configuration screen: as readLeadingNumber, and a text
// beginning "&H" or "&O" reads as a hexadecimal or octal integer.
double readFieldNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour (4.5 gives 4, 5.5 gives 6).
double roundHalfEven(double value);

// A value of the configuration file converted for its field: read, rounded, and refused
// (nullopt) when it does not fit the field's type.
std::optional<int16_t> readInt16Value(std::string_view text);
std::optional<int32_t> readInt32Value(std::string_view text);

// A field's number in its shortest decimal form, without rounding: " 0600" gives "600", "12.5"
// gives "12.5", "1e3" gives "1000".
std::string formatFieldNumber(std::string_view text);

}  // namespace lullex
