#include "rtfengine/FormatSettings.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/Calendar.h"

#include <langinfo.h>
#include <locale.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <utility>

namespace rtfengine {

namespace {

// The name of the locale category the process would take from its environment.
std::string environmentLocale(const char* category) {
    for (const char* var : {"LC_ALL", category, "LANG"}) {
        const char* value = std::getenv(var);
        if (value && *value)
            return value;
    }
    return "C";
}

bool isPosixLocale(const std::string& name) {
    return name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

// The template pattern of one strftime conversion. Time zones and week numbers have
// nothing sensible to show and give nothing.
std::string_view strftimeConversion(char spec) {
    static constexpr std::pair<char, std::string_view> kConversions[] = {
        {'d', "dd"},       {'e', "d"},
        {'m', "mm"},       {'b', "mmm"},
        {'h', "mmm"},      {'B', "mmmm"},
        {'a', "ddd"},      {'A', "dddd"},
        {'y', "yy"},       {'Y', "yyyy"},
        {'G', "yyyy"},     {'H', "hh"},
        {'k', "hh"},       {'I', "hh"},
        {'l', "hh"},       {'M', "nn"},
        {'S', "ss"},       {'p', "ampm"},
        {'P', "ampm"},     {'T', "hh:nn:ss"},
        {'R', "hh:nn"},    {'r', "hh:nn:ss ampm"},
        {'D', "mm/dd/yy"}, {'F', "yyyy-mm-dd"},
        {'n', " "},        {'t', " "},
        {'%', "%"},
    };
    for (const auto& [letter, conversion] : kConversions)
        if (letter == spec)
            return conversion;
    return {};
}

// Turns a strftime pattern of the C library into the template pattern language.
std::string fromStrftime(std::string_view pattern) {
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            if (isAsciiLetter(c))
                out += '"' + std::string(1, c) + '"';
            else
                out += c;
            continue;
        }
        char spec = pattern[++i];
        // Skip the glibc flags that only change padding.
        while ((spec == '-' || spec == '_' || spec == '0' || spec == 'E' || spec == 'O') &&
               i + 1 < pattern.size())
            spec = pattern[++i];
        out += strftimeConversion(spec);
    }
    return out;
}

char firstSeparator(const std::string& pattern, char fallback) {
    bool quoted = false;
    for (char c : pattern) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && !isAsciiAlnum(c) && c != ' ')
            return c;
    }
    return fallback;
}

std::string pad(int value, int width) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value < 0 ? -value : value).ptr;
    const size_t count = static_cast<size_t>(end - digits);
    std::string s(value < 0 ? 1 : 0, '-');
    if (static_cast<int>(count) < width)
        s.append(static_cast<size_t>(width) - count, '0');
    s.append(digits, count);
    return s;
}

bool hasAmPm(std::string_view pattern) {
    char quote = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            continue;
        }
        if (startsWithIgnoringAsciiCase(pattern.substr(i), "am/pm") ||
            startsWithIgnoringAsciiCase(pattern.substr(i), "a/p") ||
            startsWithIgnoringAsciiCase(pattern.substr(i), "ampm"))
            return true;
    }
    return false;
}

void formatInto(std::string& out, std::string_view pattern, const DateTime& v,
                const FormatSettings& fs, int depth);

// One number of a date or time: as it is for a single pattern letter, else padded.
std::string numberText(size_t letters, int value, int width) {
    return letters == 1 ? std::to_string(value) : pad(value, width);
}

bool isRunLetter(char lc) {
    return std::string_view("ymdhnsztc").find(lc) != std::string_view::npos;
}

// Writes what `n` repetitions of the pattern letter `lc` stand for. An "m" right
// after an hour is the minute.
void writeRun(std::string& out, char lc, size_t n, const DateTime& v, const FormatSettings& fs,
              int depth, bool twelveHour, bool afterHour) {
    switch (lc) {
    case 'y':
        out += n <= 2 ? pad(v.year % 100, 2) : pad(v.year, 4);
        return;
    case 'm':
        if (afterHour && n <= 2)
            out += numberText(n, v.minute, 2);
        else if (n >= 4)
            out += fs.longMonthNames[(v.month + 11) % 12];
        else if (n == 3)
            out += fs.shortMonthNames[(v.month + 11) % 12];
        else
            out += numberText(n, v.month, 2);
        return;
    case 'd': {
        const int w = dayOfWeek(v.year, v.month, v.day);
        if (n >= 6)
            formatInto(out, fs.longDateFormat, v, fs, depth + 1);
        else if (n == 5)
            formatInto(out, fs.shortDateFormat, v, fs, depth + 1);
        else if (n == 4)
            out += fs.longDayNames[w];
        else if (n == 3)
            out += fs.shortDayNames[w];
        else
            out += numberText(n, v.day, 2);
        return;
    }
    case 'h': {
        int h = v.hour;
        if (twelveHour) {
            h %= 12;
            if (h == 0)
                h = 12;
        }
        out += numberText(n, h, 2);
        return;
    }
    case 'n':
        out += numberText(n, v.minute, 2);
        return;
    case 's':
        out += numberText(n, v.second, 2);
        return;
    case 'z':
        out += numberText(n, v.millisecond, 3);
        return;
    case 't':
        formatInto(out, n >= 2 ? fs.longTimeFormat : fs.shortTimeFormat, v, fs, depth + 1);
        return;
    case 'c':
        formatInto(out, fs.shortDateFormat, v, fs, depth + 1);
        if (v.hour || v.minute || v.second || v.millisecond) {
            out += ' ';
            formatInto(out, fs.longTimeFormat, v, fs, depth + 1);
        }
        return;
    }
}

// Writes the AM/PM mark, separator or plain character at the start of `rest`;
// returns how many pattern characters it took.
size_t writeMarkOrCharacter(std::string& out, std::string_view rest, const DateTime& v,
                            const FormatSettings& fs) {
    const char c = rest.front();
    const bool upper = c >= 'A' && c <= 'Z';
    const bool pm = v.hour >= 12;
    if (startsWithIgnoringAsciiCase(rest, "am/pm")) {
        out += upper ? (pm ? "PM" : "AM") : (pm ? "pm" : "am");
        return 5;
    }
    if (startsWithIgnoringAsciiCase(rest, "a/p")) {
        const char letter = pm ? 'p' : 'a';
        out += upper ? toUpperAscii(letter) : letter;
        return 3;
    }
    if (startsWithIgnoringAsciiCase(rest, "ampm")) {
        out += pm ? fs.timePMString : fs.timeAMString;
        return 4;
    }
    if (c == '/')
        out += fs.dateSeparator;
    else if (c == ':')
        out += fs.timeSeparator;
    else
        out += c;
    return 1;
}

void formatInto(std::string& out, std::string_view pattern, const DateTime& v,
                const FormatSettings& fs, int depth) {
    if (depth > 2)
        return; // a locale pattern that names itself; nothing more to expand
    const bool twelveHour = hasAmPm(pattern);
    bool lastWasHour = false;
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        const char lc = toLowerAscii(c);
        if (c == '"' || c == '\'') {
            size_t end = pattern.find(c, i + 1);
            if (end == std::string_view::npos)
                end = pattern.size();
            out.append(pattern.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        if (!isRunLetter(lc)) {
            i += writeMarkOrCharacter(out, pattern.substr(i), v, fs);
            continue;
        }
        size_t n = 1;
        while (lc != 'c' && i + n < pattern.size() && toLowerAscii(pattern[i + n]) == lc)
            ++n;
        writeRun(out, lc, n, v, fs, depth, twelveHour, lastWasHour);
        lastWasHour = lc == 'h';
        i += n;
    }
}

int monthFromName(std::string_view word, const FormatSettings& fs) {
    std::string w = toLowerAscii(word);
    for (int m = 0; m < 12; ++m)
        if (w == toLowerAscii(fs.shortMonthNames[m]) || w == toLowerAscii(fs.longMonthNames[m]))
            return m + 1;
    return 0;
}

std::optional<FormatSettings>& currentSlot() {
    static std::optional<FormatSettings> slot;
    return slot;
}

} // namespace

FormatSettings FormatSettings::usEnglish() {
    FormatSettings fs;
    fs.shortDateFormat = "m/d/yyyy";
    fs.longTimeFormat = "h:nn:ss ampm";
    return fs;
}

namespace {

void readNumeric(FormatSettings& fs, locale_t loc) {
    const char* radix = nl_langinfo_l(RADIXCHAR, loc);
    const char* thousands = nl_langinfo_l(THOUSEP, loc);
    if (radix && std::strlen(radix) == 1)
        fs.decimalSeparator = radix[0];
    // Multi-byte group separators (a narrow no-break space) become a blank.
    if (thousands && std::strlen(thousands) == 1)
        fs.thousandSeparator = thousands[0];
    else if (thousands && *thousands)
        fs.thousandSeparator = ' ';
}

void readMonetary(FormatSettings& fs, locale_t loc) {
    const char* symbol = nl_langinfo_l(__CURRENCY_SYMBOL, loc);
    if (symbol && *symbol)
        fs.currencyString = symbol;
    const int digits = *nl_langinfo_l(__FRAC_DIGITS, loc);
    if (digits >= 0 && digits <= 4)
        fs.currencyDecimals = digits;
    const bool before = *nl_langinfo_l(__P_CS_PRECEDES, loc) == 1;
    const bool space = *nl_langinfo_l(__P_SEP_BY_SPACE, loc) == 1;
    fs.currencyFormat = before ? (space ? 2 : 0) : (space ? 3 : 1);
    fs.negCurrencyFormat = before ? (space ? 9 : 1) : (space ? 8 : 5);
}

void readTime(FormatSettings& fs, locale_t loc) {
    const std::string dateFmt = fromStrftime(nl_langinfo_l(D_FMT, loc));
    const std::string timeFmt = fromStrftime(nl_langinfo_l(T_FMT, loc));
    if (!dateFmt.empty())
        fs.shortDateFormat = dateFmt;
    if (!timeFmt.empty())
        fs.longTimeFormat = timeFmt;
    fs.dateSeparator = firstSeparator(fs.shortDateFormat, '/');
    fs.timeSeparator = firstSeparator(fs.longTimeFormat, ':');
    // The patterns spell the separators out; "/" and ":" stand for the locale's.
    for (char& ch : fs.shortDateFormat)
        if (ch == fs.dateSeparator)
            ch = '/';
    for (char& ch : fs.longTimeFormat)
        if (ch == fs.timeSeparator)
            ch = ':';
    const char* am = nl_langinfo_l(AM_STR, loc);
    const char* pm = nl_langinfo_l(PM_STR, loc);
    if (am && *am)
        fs.timeAMString = am;
    if (pm && *pm)
        fs.timePMString = pm;
    static const nl_item mon[] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                                  MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    static const nl_item abmon[] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                    ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    static const nl_item day[] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    static const nl_item abday[] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
    for (int m = 0; m < 12; ++m) {
        fs.longMonthNames[m] = nl_langinfo_l(mon[m], loc);
        fs.shortMonthNames[m] = nl_langinfo_l(abmon[m], loc);
    }
    for (int d = 0; d < 7; ++d) {
        fs.longDayNames[d] = nl_langinfo_l(day[d], loc);
        fs.shortDayNames[d] = nl_langinfo_l(abday[d], loc);
    }
}

// Reads one category of `fs` from the locale that the environment names for it,
// unless that is the POSIX one, which the defaults already match.
void readCategory(FormatSettings& fs, const char* variable, int mask,
                  void (*read)(FormatSettings&, locale_t)) {
    const std::string name = environmentLocale(variable);
    if (isPosixLocale(name))
        return;
    if (locale_t loc = newlocale(mask, name.c_str(), nullptr)) {
        read(fs, loc);
        freelocale(loc);
    }
}

} // namespace

FormatSettings FormatSettings::fromSystemLocale() {
    FormatSettings fs = usEnglish();
    readCategory(fs, "LC_NUMERIC", LC_NUMERIC_MASK, readNumeric);
    readCategory(fs, "LC_MONETARY", LC_MONETARY_MASK, readMonetary);
    readCategory(fs, "LC_TIME", LC_TIME_MASK, readTime);
    return fs;
}

const FormatSettings& FormatSettings::current() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (!currentSlot())
            currentSlot() = fromSystemLocale();
    });
    return *currentSlot();
}

void FormatSettings::setCurrent(const FormatSettings& settings) {
    currentSlot() = settings;
}

std::string formatDateTime(std::string_view pattern, const DateTime& value,
                           const FormatSettings& settings) {
    std::string out;
    formatInto(out, pattern.empty() ? std::string_view("c") : pattern, value, settings, 0);
    return out;
}

namespace {

// A reading position in date-time text.
struct DateTimeText {
    std::string_view text;
    size_t i = 0;

    bool atEnd() const { return i >= text.size(); }
    void skipBlanks() {
        while (i < text.size() && text[i] == ' ')
            ++i;
    }
    // Up to `maxDigits` digits; false when there is none.
    bool number(int& out, int maxDigits) {
        const size_t start = i;
        out = 0;
        while (i < text.size() && isAsciiDigit(text[i]) && static_cast<int>(i - start) < maxDigits)
            out = out * 10 + (text[i++] - '0');
        return i > start;
    }
};

// The order of day, month and year, from the short date pattern.
std::string dateOrder(const FormatSettings& settings) {
    std::string order;
    for (char c : toLowerAscii(settings.shortDateFormat))
        if ((c == 'd' || c == 'm' || c == 'y') && order.find(c) == std::string::npos)
            order += c;
    return order.size() == 3 ? order : "mdy";
}

// The date: three parts in the locale's order, any one separator byte between them,
// the month as a number or a name, two-digit years in 1950 to 2049.
bool readDatePart(DateTimeText& in, const FormatSettings& settings, DateTime& result) {
    const std::string order = dateOrder(settings);
    int parts[3] = {0, 0, 0};
    for (int p = 0; p < 3; ++p) {
        if (p > 0) {
            if (in.atEnd() || isAsciiAlnum(in.text[in.i]))
                return false;
            ++in.i;
        }
        if (order[p] == 'm' && !in.atEnd() && isAsciiLetter(in.text[in.i])) {
            const size_t start = in.i;
            while (!in.atEnd() && isAsciiLetter(in.text[in.i]))
                ++in.i;
            parts[p] = monthFromName(in.text.substr(start, in.i - start), settings);
            if (!parts[p])
                return false;
        } else if (!in.number(parts[p], order[p] == 'y' ? 4 : 2)) {
            return false;
        }
    }
    for (int p = 0; p < 3; ++p) {
        if (order[p] == 'd')
            result.day = parts[p];
        else if (order[p] == 'm')
            result.month = parts[p];
        else
            result.year =
                parts[p] < 100 ? (parts[p] < 50 ? 2000 + parts[p] : 1900 + parts[p]) : parts[p];
    }
    return isValidDate(result.year, result.month, result.day);
}

// The time after the date: hours and minutes, seconds if given, and an AM or PM mark
// that makes the hours those of the twelve-hour clock.
bool readTimePart(DateTimeText& in, const FormatSettings& settings, DateTime& result) {
    int h = 0, m = 0, s = 0;
    if (!in.number(h, 2) || in.atEnd() || in.text[in.i] != settings.timeSeparator)
        return false;
    ++in.i;
    if (!in.number(m, 2))
        return false;
    if (!in.atEnd() && in.text[in.i] == settings.timeSeparator) {
        ++in.i;
        if (!in.number(s, 2))
            return false;
    }
    in.skipBlanks();
    const std::string rest = toLowerAscii(in.text.substr(in.i));
    if (!rest.empty()) {
        const bool pm = rest == toLowerAscii(settings.timePMString) || rest == "pm";
        const bool am = rest == toLowerAscii(settings.timeAMString) || rest == "am";
        if (!pm && !am)
            return false;
        if (h < 1 || h > 12)
            return false;
        h = (h % 12) + (pm ? 12 : 0);
    }
    if (h > 23 || m > 59 || s > 59)
        return false;
    result.hour = h;
    result.minute = m;
    result.second = s;
    return true;
}

} // namespace

bool parseDateTime(std::string_view text, DateTime& value, const FormatSettings& settings) {
    DateTimeText in{text};
    DateTime result;
    in.skipBlanks();
    if (!readDatePart(in, settings, result))
        return false;
    in.skipBlanks();
    if (!in.atEnd() && !readTimePart(in, settings, result))
        return false;
    value = result;
    return true;
}

} // namespace rtfengine
