#pragma once

#include <cstdint>

namespace lullex {

// Two-valued settings (StartMin, RunOnTop) are stored as 1 = no and 2 = yes.
inline constexpr int16_t SettingNo = 1;
inline constexpr int16_t SettingYes = 2;

}  // namespace lullex
