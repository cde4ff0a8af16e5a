#pragma once

#include "app_state.h"

#include <cstdint>

namespace lullex {

// The About and configuration screens pause the monitoring steps while they are open (the
// master keeps sending), and the main tick closes them once their time has been counted down.
inline constexpr int16_t TestModeDialogTimeout = 4;

// A screen opens with this many seconds, or 4 in the test mode "-InhibitShutdown".
inline void OpenDialog(AppState& state, int16_t seconds)
{
    state.DialogOpen = true;
    state.DialogTimeout = state.InhibitShutdown == 1 ? TestModeDialogTimeout : seconds;
}

// One second of an open screen: the seconds that were left, then one fewer (never below 0, so
// a late tick cannot make the count wrap).
inline int16_t CountDialogSecond(AppState& state)
{
    const int16_t left = state.DialogTimeout;
    if (left > 0)
        --state.DialogTimeout;
    return left;
}

}  // namespace lullex
