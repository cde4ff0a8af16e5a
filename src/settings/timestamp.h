#pragma once

#include <ctime>
#include <string>

namespace lullex {

// "dd-mmm-yy hh:mm:ss", for the log and the configuration file's date line alike. The month is
// the first three characters of the LC_TIME locale's abbreviation where its twelve forms are
// distinct and each exactly three columns wide, else English "Jan".."Dec", so the field keeps
// its width and every month its own name.
std::string FormatTimestamp(const std::tm& time);

}  // namespace lullex
