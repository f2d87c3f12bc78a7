#include "rtfengine/NumberFormat.h"

#include "rtfengine/Errors.h"

#include <gtest/gtest.h>

using namespace rtfengine;

namespace {

FormatSettings german() {
    FormatSettings fs = FormatSettings::usEnglish();
    fs.decimalSeparator = ',';
    fs.thousandSeparator = '.';
    fs.currencyString = "EUR";
    fs.currencyFormat = 3;
    fs.negCurrencyFormat = 8;
    return fs;
}

} // namespace

TEST(NumberFormat, ShortestDecimalForm) {
    const FormatSettings us = FormatSettings::usEnglish();
    struct Case {
        double value;
        const char* expected;
    } cases[] = {
        {1.50, "1.5"},
        {0, "0"},
        {-2, "-2"},
        {0.1 + 0.2, "0.3"},
        {1234567, "1234567"},
        {1e20, "1E20"},
        {1.5e-7, "1.5E-7"},
        {0.001, "0.001"},
        {123456789012345.0, "123456789012345"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shortestDecimal(c.value, us), c.expected) << c.value;
    EXPECT_EQ(shortestDecimal(1.25, german()), "1,25");
}

TEST(NumberFormat, ParsesWholeTextsOnly) {
    const FormatSettings us = FormatSettings::usEnglish();
    EXPECT_EQ(parseFloat(" 12.5 ", us), 12.5);
    EXPECT_EQ(parseFloat("+3", us), 3);
    EXPECT_EQ(parseFloat("-.5", us), -0.5);
    EXPECT_EQ(parseFloat("1e3", us), 1000);
    for (const char* bad : {"", " ", "abc", "1.2.3", "12a", "1e", ".", "-", "1,5", "1 000"})
        EXPECT_FALSE(parseFloat(bad, us).has_value()) << bad;
    EXPECT_EQ(parseFloat("1,5", german()), 1.5);
    EXPECT_FALSE(parseFloat("1.5", german()).has_value());
    EXPECT_THROW(toFloat("x1", us), EEngineError);
}

TEST(NumberFormat, StylesPrecisionAndDigits) {
    const FormatSettings us = FormatSettings::usEnglish();
    struct Case {
        double value;
        NumericStyle style;
        int precision;
        int digits;
        const char* expected;
    } cases[] = {
        {1234.5, NumericStyle::Number, 18, 2, "1,234.50"},
        {1234.5, NumericStyle::Fixed, 18, 2, "1234.50"},
        {0, NumericStyle::Fixed, 18, 2, "0.00"},
        {1234567.891, NumericStyle::Number, 18, 0, "1,234,568"},
        {-1234.5, NumericStyle::Number, 18, 1, "-1,234.5"},
        // Rounding of the last kept digit is half away from zero.
        {2.5, NumericStyle::Fixed, 18, 0, "3"},
        {-2.5, NumericStyle::Fixed, 18, 0, "-3"},
        {1.005, NumericStyle::Fixed, 18, 2, "1.01"},
        {0.125, NumericStyle::Fixed, 18, 2, "0.13"},
        {9.999, NumericStyle::Fixed, 18, 2, "10.00"},
        {-0.001, NumericStyle::Fixed, 18, 2, "0.00"},
        // Precision rounds to significant digits first.
        {1234.5678, NumericStyle::Fixed, 5, 2, "1234.60"},
        {123456, NumericStyle::Fixed, 3, 2, "1.23E5"},
        {1234.5, NumericStyle::Scientific, 4, 2, "1.235E+03"},
        {0.00012, NumericStyle::Scientific, 3, 0, "1.20E-4"},
        {0, NumericStyle::Scientific, 3, 2, "0.00E+00"},
        {1234.5, NumericStyle::Currency, 18, 2, "$1,234.50"},
        {-5, NumericStyle::Currency, 18, 2, "($5.00)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatFloat(c.value, c.style, c.precision, c.digits, us), c.expected)
            << c.value << " " << c.precision << ":" << c.digits;
    const FormatSettings de = german();
    EXPECT_EQ(formatFloat(1234.5, NumericStyle::Number, 18, 2, de), "1.234,50");
    EXPECT_EQ(formatFloat(1234.5, NumericStyle::Currency, 18, 2, de), "1.234,50 EUR");
    EXPECT_EQ(formatFloat(-1234.5, NumericStyle::Currency, 18, 2, de), "-1.234,50 EUR");
}
