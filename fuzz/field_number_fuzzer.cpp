// A number typed into a field of the configuration screen. The screen compares the real number
// with the field's limits and saves it in its shortest decimal form; the configuration file's
// reader must then find the same number, and a value the screen let through must be one the
// file's check lets through too, or a save would leave a file the program refuses to start with.
#include "config_keys.h"
#include "fuzz_check.h"
#include "number_reader.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <regex>
#include <string>
#include <string_view>

namespace {

using namespace lullex;

constexpr std::string_view NumericFields[] = {"Port1", "CPUDelay", "StartDelay", "ShutTime"};

const ConfigKey& keyNamed(std::string_view name)
{
    for (const ConfigKey& key : configKeys()) {
        if (name == key.name)
            return key;
    }
    std::abort();
}

// What the file's reader makes of a saved value for this field, or nullopt when it refuses it.
std::optional<int32_t> readForField(const ConfigKey& key, std::string_view saved)
{
    if (std::holds_alternative<int32_t Settings::*>(key.field))
        return readInt32Value(saved);
    const std::optional<int16_t> value = readInt16Value(saved);
    return value ? std::optional<int32_t>(*value) : std::nullopt;
}

// Plain decimal: an optional minus, no leading zeros, no blanks, no exponent, no trailing zeros
// after the point.
bool isPlainDecimal(const std::string& text)
{
    static const std::regex plain("-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?");
    return std::regex_match(text, plain);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string typed(reinterpret_cast<const char*>(data), size);
    const double number = readFieldNumber(typed);
    fuzz::require(!std::isnan(number), "a field reads as a number");
    if (!std::isfinite(number))
        return 0;  // above every limit: the screen refuses it before anything is saved
    const std::string saved = formatFieldNumber(typed);
    fuzz::require(isPlainDecimal(saved), "a saved number is plain decimal");
    fuzz::require(readFieldNumber(saved) == number, "a saved number reads back unchanged");
    for (std::string_view name : NumericFields) {
        const ConfigKey& key = keyNamed(name);
        if (number < key.range->minimum || number > key.range->maximum)
            continue;
        const std::optional<int32_t> value = readForField(key, saved);
        fuzz::require(value.has_value(), "a number the screen accepts fits its field");
        fuzz::require(*value >= key.range->minimum && *value <= key.range->maximum,
                      "a number the screen accepts stays within the field's limits when read");
    }
    return 0;
}
