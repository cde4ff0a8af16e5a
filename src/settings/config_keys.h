#pragma once

#include "settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace lullex {

using SettingsField =
    std::variant<int16_t Settings::*, int32_t Settings::*, std::string Settings::*>;

struct ValidRange {
    int32_t minimum;
    int32_t maximum;
};

// A key of the configuration file and the Settings field it fills.
struct ConfigKey {
    const char* name;  // as written before the "="
    SettingsField field;
    // The values the program accepts; for a text, its length in characters. The address has
    // rules of its own that depend on DName.
    std::optional<ValidRange> range;
};

inline constexpr std::size_t ConfigKeyCount = 13;
inline constexpr std::size_t ConfigSectionCount = 3;

// The keys in the order the reader tries them.
const std::array<ConfigKey, ConfigKeyCount>& configKeys();
const std::array<const char*, ConfigSectionCount>& configSections();

}  // namespace lullex
