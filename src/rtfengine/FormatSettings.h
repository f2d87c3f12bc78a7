// Locale conventions for turning numbers and dates into text: separators,
// currency form and the short date and time patterns. Read once from the system
// locale; tests set them explicitly so output never depends on the machine.
#pragma once

#include "rtfengine/Dataset.h"

#include <string>
#include <string_view>

namespace rtfengine {

struct FormatSettings {
    char decimalSeparator = '.';
    char thousandSeparator = ',';
    std::string currencyString = "$";
    // 0: "$1", 1: "1$", 2: "$ 1", 3: "1 $"
    int currencyFormat = 0;
    // 0: "($1)", 1: "-$1", 2: "$-1", 3: "$1-", 4: "(1$)", 5: "-1$", 6: "1-$", 7: "1$-",
    // 8: "-1 $", 9: "-$ 1", 10: "1 $-", 11: "$ 1-", 12: "$ -1", 13: "1- $", 14: "($ 1)", 15: "(1
    // $)"
    int negCurrencyFormat = 0;
    int currencyDecimals = 2;
    char dateSeparator = '/';
    char timeSeparator = ':';
    // Date-time patterns in the template pattern language ("m/d/yyyy", "h:nn:ss ampm").
    std::string shortDateFormat = "m/d/yyyy";
    std::string longDateFormat = "dddd, mmmm d, yyyy";
    std::string shortTimeFormat = "h:nn ampm";
    std::string longTimeFormat = "h:nn:ss ampm";
    std::string timeAMString = "AM";
    std::string timePMString = "PM";
    std::string shortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::string longMonthNames[12] = {"January",   "February", "March",    "April",
                                      "May",       "June",     "July",     "August",
                                      "September", "October",  "November", "December"};
    std::string shortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::string longDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                   "Thursday", "Friday", "Saturday"};

    // US English conventions, used when the system locale is C/POSIX.
    static FormatSettings usEnglish();
    // The conventions of the system locale (LC_NUMERIC, LC_MONETARY, LC_TIME).
    static FormatSettings fromSystemLocale();

    // The settings in force for this process; fromSystemLocale() until replaced.
    static const FormatSettings& current();
    static void setCurrent(const FormatSettings& settings);
};

// Formats a date-time with a pattern of the template language: yyyy, yy, mmmm, mmm,
// mm, m, dddd, ddd, dd, d, hh, h, nn, n, ss, s, zzz, am/pm, a/p, ampm, c, ddddd,
// dddddd, t, tt, "/" and ":" as the locale's separators, and text in quotes.
std::string formatDateTime(std::string_view pattern, const DateTime& value,
                           const FormatSettings& settings = FormatSettings::current());

// Reads a date-time written in the short date form, optionally followed by a
// time; returns false when the text is not such a date.
bool parseDateTime(std::string_view text, DateTime& value,
                   const FormatSettings& settings = FormatSettings::current());

} // namespace rtfengine
