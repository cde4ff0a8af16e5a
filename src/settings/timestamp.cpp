#include "timestamp.h"

#include "clock.h"

#include <array>
#include <cstdio>
#include <langinfo.h>

namespace lullex {
namespace {

constexpr std::array<const char*, 12> EnglishMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool isUtf8ContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The first `count` characters of a UTF-8 text, never splitting a character.
std::string firstCharacters(const std::string& text, int count)
{
    std::size_t end = 0;
    for (int taken = 0; end < text.size() && taken < count; ++taken) {
        ++end;
        while (end < text.size() && isUtf8ContinuationByte(text[end]))
            ++end;
    }
    return text.substr(0, end);
}

std::string monthAbbreviation(int month)
{
    const char* local = nl_langinfo(static_cast<nl_item>(ABMON_1 + month));
    std::string name = local ? firstCharacters(local, 3) : std::string();
    return name.empty() ? EnglishMonths.at(static_cast<std::size_t>(month)) : name;
}

std::string twoDigits(int value)
{
    char text[4];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

}  // namespace

std::string FormatTimestamp(const std::tm& time)
{
    return twoDigits(time.tm_mday) + "-" + monthAbbreviation(time.tm_mon) + "-" +
           twoDigits(time.tm_year) + " " + twoDigits(time.tm_hour) + ":" + twoDigits(time.tm_min) +
           ":" + twoDigits(time.tm_sec);
}

std::tm SystemClock::localNow() const
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace lullex
