#pragma once

#include "config_form.h"

#include <cstdint>
#include <string>

namespace lullex {

// What the checks need beyond the screen's inputs.
struct CheckContext {
    int16_t cMain = 0;
    bool portError = false;
};

// The result of checking every field: one failure for each rule that fails (a label hit by
// two rules counts twice), the labels to highlight, and the remarks a rule replaces (empty
// where none does).
struct CheckOutcome {
    int failures = 0;
    RemarkFlags highlighted{};
    std::string ipAddRemark;
    std::string shutTypeRemark;
};

// The 20 rules of the configuration screen in their order. Numbers are read as typed (blanks
// anywhere, "&H" and "&O" too) and compared as real numbers with inclusive bounds, the bounds
// being those the program checks the file against at start. A text field holding a control
// character fails: a line break would cut its line in the file. The log folder is looked for
// relative to the working directory.
CheckOutcome CheckFields(const ConfigForm& form, const ConfigChoices& choices,
                         const CheckContext& context);

}  // namespace lullex
