// Number and date-time text under fuzzed locale conventions: reading numbers,
// the shortest decimal form, the numeric format functions (with any precision and
// digits a template may write), date-time patterns and reading dates.
// Checks: a number's shortest form reads back as (nearly) the same value, and a date that
// was read formats without failure.
#include "FuzzInput.h"

#include "rtfengine/Errors.h"
#include "rtfengine/NumberFormat.h"
#include "rtfengine/ValueWriter.h"

#include <cmath>
#include <cstring>

using namespace rtfengine;

namespace {

FormatSettings fuzzedSettings(fuzz::FuzzInput& input) {
    FormatSettings s = FormatSettings::usEnglish();
    const char separators[] = {'.', ',', ' ', '\'', '-', '/', ':', 'x'};
    s.decimalSeparator = separators[input.byte() % 8];
    s.thousandSeparator = separators[input.byte() % 8];
    s.dateSeparator = separators[input.byte() % 8];
    s.timeSeparator = separators[input.byte() % 8];
    s.currencyFormat = input.inRange(0, 3);
    s.negCurrencyFormat = input.inRange(0, 15);
    s.currencyDecimals = input.inRange(0, 20);
    if (input.flag())
        s.currencyString = "\xE2\x82\xAC";
    if (input.flag())
        s.shortDateFormat = std::string(input.text());
    if (input.flag())
        s.shortTimeFormat = std::string(input.text());
    return s;
}

double fuzzedDouble(fuzz::FuzzInput& input) {
    uint8_t bytes[8];
    for (uint8_t& b : bytes)
        b = input.byte();
    double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

DateTime fuzzedDate(fuzz::FuzzInput& input) {
    static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    DateTime d;
    d.year = 1 + (input.byte() << 8 | input.byte()) % 9999;
    d.month = input.inRange(1, 12);
    d.day = input.inRange(1, days[d.month - 1]);
    if (d.month == 2 && d.day == 29 &&
        !(d.year % 4 == 0 && (d.year % 100 != 0 || d.year % 400 == 0)))
        d.day = 28;
    d.hour = input.inRange(0, 23);
    d.minute = input.inRange(0, 59);
    d.second = input.inRange(0, 59);
    d.millisecond = input.byte() * 3;
    return d;
}

void numbers(fuzz::FuzzInput& input, const FormatSettings& s) {
    const double value = fuzzedDouble(input);
    const auto style = static_cast<NumericStyle>(input.inRange(0, 3));
    const int precision = input.inRange(1, 18);
    const int digits = static_cast<int8_t>(input.byte());
    if (std::isfinite(value)) {
        const std::string shortest = shortestDecimal(value, s);
        const auto back = parseFloat(shortest, s);
        const bool readable = (s.decimalSeparator == '.' || s.decimalSeparator == ',') &&
                              s.decimalSeparator != s.thousandSeparator;
        // Fifteen significant digits: equal to about one part in 10^14. Within that
        // rounding of the largest double the text reads back as an overflow.
        const bool representable = std::fabs(value) < 1.797693134862315e308;
        if (readable && representable &&
            (!back ||
             (std::fabs(*back - value) > 1e-14 * std::fabs(value) && std::fabs(value) > 1e-300)))
            fuzz::broken();
    }
    (void)formatFloat(value, style, precision, digits, s);

    FormatRecord format;
    format.id = static_cast<FormatId>(input.inRange(0, 9));
    format.param1 = static_cast<int16_t>(input.byte() << 8 | input.byte());
    format.param2 = static_cast<int16_t>(input.byte() << 8 | input.byte());
    const std::string_view text = input.text();
    (void)formatNumberText(text, format, input.flag(), s);
    (void)parseFloat(text, s);
    try {
        (void)toFloat(text, s);
    } catch (const EEngineError&) {
    }
}

void dates(fuzz::FuzzInput& input, const FormatSettings& s) {
    const DateTime date = fuzzedDate(input);
    const std::string_view pattern = input.text();
    (void)formatDateTime(pattern, date, s);
    const std::string_view text = input.text();
    DateTime read;
    if (parseDateTime(text, read, s)) {
        (void)formatDateTime(pattern, read, s);
        (void)formatDateTime("c", read, s);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const FormatSettings settings = fuzzedSettings(input);
    numbers(input, settings);
    dates(input, settings);
    return 0;
}
