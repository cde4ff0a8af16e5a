#pragma once

#include <cstdio>
#include <cstdlib>

namespace lullex::fuzz {

// A broken property is a finding like a crash: libFuzzer keeps the input that aborted.
inline void require(bool holds, const char* property)
{
    if (!holds) {
        std::fprintf(stderr, "broken property: %s\n", property);
        std::abort();
    }
}

}  // namespace lullex::fuzz
