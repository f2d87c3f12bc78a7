#include "rtfengine/FormatSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>

using rtfengine::DateTime;
using rtfengine::formatDateTime;
using rtfengine::FormatSettings;
using rtfengine::parseDateTime;

TEST(FormatDateTime, PatternsOfTheTemplateLanguage) {
    const FormatSettings us = FormatSettings::usEnglish();
    const DateTime t{2024, 3, 5, 14, 7, 9, 45};
    struct Case {
        const char* pattern;
        const char* expected;
    } cases[] = {
        {"yyyy", "2024"},
        {"yy", "24"},
        {"mmmm", "March"},
        {"mmm", "Mar"},
        {"mm", "03"},
        {"m", "3"},
        {"dddd", "Tuesday"},
        {"ddd", "Tue"},
        {"dd", "05"},
        {"d", "5"},
        {"hh:nn:ss", "14:07:09"},
        {"h:n:s", "14:7:9"},
        {"h:mm", "14:07"}, // "m" right after an hour means minutes
        {"hh:nn am/pm", "02:07 pm"},
        {"h:nn AM/PM", "2:07 PM"},
        {"h a/p", "2 p"},
        {"h:nn ampm", "2:07 PM"},
        {"zzz", "045"},
        {"d/m/yyyy", "5/3/2024"},
        {"\"Year\" yyyy", "Year 2024"},
        {"'at' h", "at 14"},
        {"ddddd", "3/5/2024"},
        {"c", "3/5/2024 2:07:09 PM"},
        {"", "3/5/2024 2:07:09 PM"},
        {"YYYY-MM-DD", "2024-03-05"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatDateTime(c.pattern, t, us), c.expected) << c.pattern;
}

TEST(FormatDateTime, MidnightAndNoonOnTheTwelveHourClock) {
    const FormatSettings us = FormatSettings::usEnglish();
    EXPECT_EQ(formatDateTime("h ampm", DateTime{2024, 1, 1, 0, 0, 0, 0}, us), "12 AM");
    EXPECT_EQ(formatDateTime("h ampm", DateTime{2024, 1, 1, 12, 0, 0, 0}, us), "12 PM");
    EXPECT_EQ(formatDateTime("c", DateTime{2024, 1, 1, 0, 0, 0, 0}, us), "1/1/2024");
}

TEST(FormatDateTime, SeparatorsComeFromTheSettings) {
    FormatSettings de = FormatSettings::usEnglish();
    de.dateSeparator = '.';
    de.shortDateFormat = "dd/mm/yyyy";
    EXPECT_EQ(formatDateTime("ddddd", DateTime{2024, 3, 5}, de), "05.03.2024");
}

TEST(ParseDateTime, ShortDateWithOptionalTime) {
    const FormatSettings us = FormatSettings::usEnglish();
    DateTime v;
    ASSERT_TRUE(parseDateTime("3/5/2024", v, us));
    EXPECT_EQ(v, (DateTime{2024, 3, 5}));
    ASSERT_TRUE(parseDateTime("12/31/1999 11:30:15 PM", v, us));
    EXPECT_EQ(v, (DateTime{1999, 12, 31, 23, 30, 15, 0}));
    ASSERT_TRUE(parseDateTime("1/2/24 7:05", v, us));
    EXPECT_EQ(v, (DateTime{2024, 1, 2, 7, 5, 0, 0}));
    for (const char* bad : {"", "abc", "13/1/2024", "2/30/2024", "2/29/2023", "1/1/2024 25:00",
                            "1/1/2024 junk", "1.5"})
        EXPECT_FALSE(parseDateTime(bad, v, us)) << bad;
}

TEST(FormatSettingsLocale, PosixLocaleMeansUsEnglish) {
    setenv("LC_ALL", "C", 1);
    const FormatSettings fs = FormatSettings::fromSystemLocale();
    unsetenv("LC_ALL");
    EXPECT_EQ(fs.decimalSeparator, '.');
    EXPECT_EQ(fs.thousandSeparator, ',');
    EXPECT_EQ(fs.currencyString, "$");
    EXPECT_EQ(fs.currencyDecimals, 2);
    EXPECT_EQ(fs.shortDateFormat, "m/d/yyyy");
    EXPECT_EQ(formatDateTime("tt", DateTime{2024, 1, 1, 9, 5, 3, 0}, fs), "9:05:03 AM");
}
