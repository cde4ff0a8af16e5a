#pragma once

#include "seam_fakes.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace lullex {

using test::EndCodeOf;
using test::FakeReceivePort;
using test::FixedClock;
using test::LocalTime;
using test::ProgramEnded;
using test::RecordingPrompter;
using test::RecordingTimer;
using test::ThrowingTerminator;

// A file's bytes; empty when it cannot be read.
inline std::string ContentsOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace lullex
