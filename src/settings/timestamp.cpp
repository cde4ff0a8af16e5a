#include "timestamp.h"

#include "clock.h"

#include <algorithm>
#include <array>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <langinfo.h>
#include <locale.h>
#include <optional>

namespace lullex {
namespace {

using MonthNames = std::array<std::string, 12>;

constexpr int MonthColumns = 3;

const MonthNames EnglishMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Makes the LC_TIME locale this thread's whole locale for a while, so that its month names are
// decoded in their own encoding and measured with its character widths.
class TimeLocaleInUse {
public:
    TimeLocaleInUse()
        : m_locale(::newlocale(LC_ALL_MASK, std::setlocale(LC_TIME, nullptr), locale_t{}))
    {
        if (m_locale != locale_t{})
            m_previous = ::uselocale(m_locale);
    }
    ~TimeLocaleInUse()
    {
        if (m_locale == locale_t{})
            return;
        ::uselocale(m_previous);
        ::freelocale(m_locale);
    }
    TimeLocaleInUse(const TimeLocaleInUse&) = delete;
    TimeLocaleInUse& operator=(const TimeLocaleInUse&) = delete;

    bool active() const { return m_locale != locale_t{}; }

private:
    locale_t m_locale;
    locale_t m_previous{};
};

// The first three characters of an abbreviation when together they fill exactly three
// columns; nothing for a shorter name, a wide script or bytes the locale cannot decode.
std::optional<std::string> threeColumnForm(const char* abbreviation)
{
    std::mbstate_t state{};
    const char* end = abbreviation;
    std::size_t left = std::strlen(abbreviation);
    int columns = 0;
    for (int taken = 0; taken < MonthColumns; ++taken) {
        wchar_t character = 0;
        const std::size_t length = std::mbrtowc(&character, end, left, &state);
        if (length == 0 || length > left)
            return std::nullopt;
        const int width = ::wcwidth(character);
        if (width < 0)
            return std::nullopt;
        columns += width;
        end += length;
        left -= length;
    }
    if (columns != MonthColumns)
        return std::nullopt;
    return std::string(abbreviation, end);
}

bool allDistinct(MonthNames names)
{
    std::sort(names.begin(), names.end());
    return std::adjacent_find(names.begin(), names.end()) == names.end();
}

// The locale's own month forms only where all twelve fit the field and tell the months apart:
// cutting "juin" and "juil." gives "jui" twice, and a two-letter form would shift the line.
MonthNames monthNames()
{
    const TimeLocaleInUse locale;
    if (!locale.active())
        return EnglishMonths;
    MonthNames local;
    for (std::size_t month = 0; month < local.size(); ++month) {
        const std::optional<std::string> form =
            threeColumnForm(nl_langinfo(static_cast<nl_item>(ABMON_1 + month)));
        if (!form)
            return EnglishMonths;
        local[month] = *form;
    }
    return allDistinct(local) ? local : EnglishMonths;
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
    const std::string month = monthNames().at(static_cast<std::size_t>(time.tm_mon));
    return twoDigits(time.tm_mday) + "-" + month + "-" + twoDigits(time.tm_year) + " " +
           twoDigits(time.tm_hour) + ":" + twoDigits(time.tm_min) + ":" + twoDigits(time.tm_sec);
}

std::tm SystemClock::localNow() const
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace lullex
