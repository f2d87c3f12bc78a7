#include "rtfengine/Calendar.h"

#include <gtest/gtest.h>

namespace {

using namespace rtfengine;

TEST(Calendar, ConvertsBetweenDatesAndDayCounts) {
    struct Case {
        long long year;
        int month, day;
        long long days;
        int weekday; // 0 = Sunday
    } cases[] = {
        {1970, 1, 1, 0, 4},       {1969, 12, 31, -1, 3},   {2000, 2, 29, 11016, 2},
        {2000, 3, 1, 11017, 3},   {1900, 3, 1, -25508, 4}, {1899, 12, 30, -25569, 6},
        {2026, 12, 10, 20797, 4}, {1, 1, 1, -719162, 1},   {9999, 12, 31, 2932896, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                     std::to_string(c.day));
        EXPECT_EQ(daysFromCivil(c.year, c.month, c.day), c.days);
        const CivilDate back = civilFromDays(c.days);
        EXPECT_EQ(back.year, c.year);
        EXPECT_EQ(back.month, c.month);
        EXPECT_EQ(back.day, c.day);
        EXPECT_EQ(dayOfWeek(static_cast<int>(c.year), c.month, c.day), c.weekday);
    }
    EXPECT_EQ(dayOfWeek(2026, 13, 1), 0);
}

TEST(Calendar, ValidatesDates) {
    struct Case {
        int year, month, day;
        bool valid;
    } cases[] = {
        {2024, 2, 29, true},  {2023, 2, 29, false}, {1900, 2, 29, false}, {2000, 2, 29, true},
        {2026, 4, 31, false}, {2026, 12, 31, true}, {2026, 0, 1, false},  {2026, 13, 1, false},
        {2026, 1, 0, false},  {0, 1, 1, false},     {-1, 1, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                     std::to_string(c.day));
        EXPECT_EQ(isValidDate(c.year, c.month, c.day), c.valid);
    }
}

TEST(Calendar, GivesSerialDates) {
    struct Case {
        DateTime value;
        double serial;
    } cases[] = {
        {DateTime{}, 0.0},
        {DateTime{1899, 12, 31, 12, 0, 0, 0}, 1.5},
        {DateTime{1900, 1, 1, 6, 0, 0, 0}, 2.25},
        {DateTime{1899, 12, 29, 0, 0, 0, 0}, -1.0},
        {DateTime{2026, 12, 10, 0, 0, 0, 0}, 46366.0},
        {DateTime{2026, 12, 10, 18, 0, 0, 0}, 46366.75},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(serialFromDateTime(c.value), c.serial);
}

} // namespace
