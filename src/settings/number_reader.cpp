#include "number_reader.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <locale.h>
#include <stdlib.h>

namespace lullex {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string withoutBlanks(std::string_view text)
{
    std::string kept;
    for (char c : text) {
        if (!isBlank(c))
            kept += c;
    }
    return kept;
}

std::size_t takeDigits(std::string_view text, std::size_t at, std::string& number)
{
    while (at < text.size() && isDigit(text[at]))
        number += text[at++];
    return at;
}

// The exponent is taken only when digits follow the "E" and its sign: "1e" reads 1.
void takeExponent(std::string_view text, std::size_t at, std::string& number)
{
    if (at >= text.size() || (text[at] != 'e' && text[at] != 'E'))
        return;
    std::size_t digitsAt = at + 1;
    if (digitsAt < text.size() && (text[digitsAt] == '+' || text[digitsAt] == '-'))
        ++digitsAt;
    if (digitsAt >= text.size() || !isDigit(text[digitsAt]))
        return;
    number += 'e';
    number.append(text.substr(at + 1, digitsAt - at - 1));
    takeDigits(text, digitsAt, number);
}

// The user's locale may write the decimal point as a comma; the file and the fields never do.
double parseInCLocale(const std::string& number)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(number.c_str(), nullptr, cLocale);
}

double readDecimal(std::string_view text)
{
    std::string number;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        number += text[at++];
    at = takeDigits(text, at, number);
    if (at < text.size() && text[at] == '.') {
        number += '.';
        at = takeDigits(text, at + 1, number);
    }
    if (number.find_first_of("0123456789") == std::string::npos)
        return 0.0;
    takeExponent(text, at, number);
    return parseInCLocale(number);
}

int digitValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

double readInteger(std::string_view digits, int base)
{
    double value = 0.0;
    for (char c : digits) {
        const int digit = digitValue(c);
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return value;
}

template <typename Field> std::optional<Field> fitField(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<Field>::min() &&
          rounded <= std::numeric_limits<Field>::max()))
        return std::nullopt;
    return static_cast<Field>(rounded);
}

}  // namespace

double readLeadingNumber(std::string_view text)
{
    return readDecimal(withoutBlanks(text));
}

double readFieldNumber(std::string_view text)
{
    const std::string kept = withoutBlanks(text);
    const std::string_view view = kept;
    if (view.size() >= 2 && view[0] == '&') {
        if (view[1] == 'H' || view[1] == 'h')
            return readInteger(view.substr(2), 16);
        if (view[1] == 'O' || view[1] == 'o')
            return readInteger(view.substr(2), 8);
    }
    return readDecimal(view);
}

double roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::optional<int16_t> readInt16Value(std::string_view text)
{
    return fitField<int16_t>(readLeadingNumber(text));
}

std::optional<int32_t> readInt32Value(std::string_view text)
{
    return fitField<int32_t>(readLeadingNumber(text));
}

std::string formatFieldNumber(std::string_view text)
{
    const double value = readFieldNumber(text);
    if (value == 0.0)
        return "0";  // never "-0"
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace lullex
