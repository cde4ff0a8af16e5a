#pragma once

#include <ctime>
#include <string>

namespace lullex {

// "dd-mmm-yy hh:mm:ss". The month is the first three characters of the locale's abbreviated
// month name (LC_TIME), English where the locale has none, so the width never changes
// (glibc's French abbreviation of January is "janv.").
std::string FormatTimestamp(const std::tm& time);

}  // namespace lullex
