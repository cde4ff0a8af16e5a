// The lenient number reader of the configuration file. A value it lets through for a field fits
// the field's type and is the number in the text rounded half to even; anything else is refused.
#include "fuzz_check.h"
#include "number_reader.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace {

using namespace lullex;

// Half-way values round to the even neighbour, so the lowest value still let through is
// half below the minimum (when the minimum is even) and the first refused is half above the
// maximum (when the maximum is odd), as for both field types here.
template <typename Field>
void checkField(double number, std::optional<Field> value, double lowest, double firstAbove,
                std::optional<Field> (*read)(std::string_view))
{
    fuzz::require(value.has_value() == (number >= lowest && number < firstAbove),
                  "a value is let through exactly when it fits the field");
    if (!value)
        return;
    const double distance = std::fabs(number - *value);
    fuzz::require(distance <= 0.5, "the value is the number rounded");
    fuzz::require(distance < 0.5 || *value % 2 == 0, "a half rounds to the even neighbour");
    fuzz::require(read(std::to_string(*value)) == value, "the value reads back as written");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double number = readLeadingNumber(text);
    fuzz::require(!std::isnan(number), "a text reads as a number");
    fuzz::require(readLeadingNumber(text + "x") == number,
                  "reading stops at the first character that does not fit");
    checkField<int16_t>(number, readInt16Value(text), -32768.5, 32767.5, readInt16Value);
    checkField<int32_t>(number, readInt32Value(text), -2147483648.5, 2147483647.5, readInt32Value);
    return 0;
}
