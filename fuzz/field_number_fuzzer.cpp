// A number typed into a field of the configuration screen. The screen reads it, compares the real
// number with the field's limits and saves it in its shortest decimal form; the configuration
// file's reader must then find the same number, and a field the screen let through must give a
// file the program starts with. The first byte picks the field, the rest is what was typed.
#include "config_check.h"
#include "config_checks.h"
#include "config_display.h"
#include "config_reader.h"
#include "config_values.h"
#include "config_writer.h"
#include "fuzz_check.h"
#include "number_reader.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <regex>
#include <sstream>
#include <string>

namespace {

using namespace lullex;
using fuzz::require;

struct NumberField {
    std::string ConfigForm::*text;
    Remark remark;
};

constexpr NumberField NumberFields[] = {
    {&ConfigForm::port1, Remark::Port1M},
    {&ConfigForm::cpuDelay, Remark::CPUDelayM},
    {&ConfigForm::startDelay, Remark::StartDelayM},
    {&ConfigForm::shutTime, Remark::ShutTimeM},
};

// Plain decimal: an optional minus, no leading zeros, no blanks, no exponent, no trailing zeros
// after the point.
bool isPlainDecimal(const std::string& text)
{
    static const std::regex plain("-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?");
    return std::regex_match(text, plain);
}

void checkNumber(const std::string& typed)
{
    const double number = readFieldNumber(typed);
    require(!std::isnan(number), "a field reads as a number");
    if (!std::isfinite(number))
        return;  // above every limit
    const std::string saved = formatFieldNumber(typed);
    require(isPlainDecimal(saved), "a saved number is plain decimal");
    require(readFieldNumber(saved) == number, "a saved number reads back unchanged");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const NumberField& field = NumberFields[data[0] % std::size(NumberFields)];
    const std::string typed(reinterpret_cast<const char*>(data) + 1, size - 1);
    checkNumber(typed);

    ConfigForm form = RestoredForm(ConfigForm{});
    form.*field.text = typed;
    const ConfigChoices choices{LogLevelIndex(form.logLevel), ShutTypeIndex(form.shutName)};
    const CheckOutcome outcome = CheckFields(form, choices, CheckContext{RoleMaster, false});
    if (outcome.highlighted[indexOf(field.remark)])
        return 0;  // the screen refuses to save
    std::istringstream saved(
        configFileText(RoleMaster, ValuesToWrite(form, choices), "07-Dec-26 08:00:00"));
    const ConfigReadResult read = readConfigLines(saved);
    require(read.status == ReadStatus::Read, "a number the screen accepts fits its field");
    require(countViolations(read.settings) == 0,
            "a number the screen accepts stays within its limits when the program reads it");
    return 0;
}
