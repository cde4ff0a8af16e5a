#pragma once

#include "seam_fakes.h"
#include "temp_dir.h"

namespace lullex {

using test::EndCodeOf;
using test::FakeReceivePort;
using test::FixedClock;
using test::LocalTime;
using test::ProgramEnded;
using test::ReadWholeFile;
using test::RecordingPrompter;
using test::RecordingTimer;
using test::ThrowingTerminator;

}  // namespace lullex
