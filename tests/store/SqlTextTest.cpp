#include "store/SqlText.h"

#include <QString>
#include <QVariant>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <string_view>

// The conversions must read and print exactly as the Qt calls they replace, so every case is
// checked against Qt itself; the sweeps reach the corners a table would miss.

namespace {

using namespace std::string_view_literals;

constexpr double kInf = std::numeric_limits<double>::infinity();

std::string qtNumberText(double value) {
    return QVariant(value).toString().toStdString();
}

bool qtParse(std::string_view text, double& value) {
    bool ok = false;
    value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toDouble(&ok);
    return ok;
}

std::string qtTrimmed(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .trimmed()
        .toStdString();
}

std::string qtUtf8(const std::u16string& text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()))
        .toStdString();
}

std::string hexOf(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

// The parse of `text` agrees with Qt: both accept with the same value (same sign of zero, NaN
// for NaN), or both reject.
void expectParsesAsQt(std::string_view text) {
    double expected = 0;
    const bool expectedOk = qtParse(text, expected);
    double actual = 0;
    const bool ok = store::parseNumber(text, actual);
    ASSERT_EQ(ok, expectedOk) << '"' << text << '"';
    if (!ok)
        return;
    if (std::isnan(expected))
        ASSERT_TRUE(std::isnan(actual)) << '"' << text << '"';
    else
        ASSERT_EQ(std::bit_cast<std::uint64_t>(actual), std::bit_cast<std::uint64_t>(expected))
            << '"' << text << "\" read as " << hexOf(actual) << ", Qt " << hexOf(expected);
}

TEST(SqlTextTest, ShortestNumberTextMatchesQt) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-1, "-1"},
        {0.1, "0.1"},
        {1.0 / 3, "0.3333333333333333"},
        {10000, "10000"},  // plain and exponent forms equally long: plain
        {100000, "1e+05"}, // exponent form shorter
        {123456, "123456"},
        {12500000, "12500000"}, // tie again
        {1.23e12, "1.23e+12"},
        {123456789012345678.0, "123456789012345680"},
        {1e20, "1e+20"},
        {-1.5e20, "-1.5e+20"},
        {0.0001234, "0.0001234"}, // tie
        {0.0001, "1e-04"},
        {1.234e-5, "1.234e-05"},
        {1e100, "1e+100"},
        {5e-324, "5e-324"},
        {2.2250738585072014e-308, "2.2250738585072014e-308"},
        {1.7976931348623157e308, "1.7976931348623157e+308"},
        {9007199254740993.0, "9007199254740992"},
        {kInf, "inf"},
        {-kInf, "-inf"},
        {std::nan(""), "nan"},
        {-std::nan(""), "nan"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qtNumberText(c.value), c.text) << hexOf(c.value);
        EXPECT_EQ(store::shortestNumberText(c.value), c.text) << hexOf(c.value);
    }

    std::mt19937_64 random(20240611);
    // Arbitrary bit patterns: every exponent, subnormals, long digit strings.
    for (int i = 0; i < 200000; ++i) {
        const double value = std::bit_cast<double>(random());
        ASSERT_EQ(store::shortestNumberText(value), qtNumberText(value)) << hexOf(value);
    }
    // Values with few significant digits, where the choice of notation is close.
    std::uniform_int_distribution<int> digitCount(1, 17);
    std::uniform_int_distribution<int> exponent(-330, 310);
    std::uniform_int_distribution<int> digit(0, 9);
    for (int i = 0; i < 200000; ++i) {
        std::string text = std::to_string(1 + digit(random) % 9);
        for (int n = digitCount(random); n > 1; --n)
            text += static_cast<char>('0' + digit(random));
        text += 'e' + std::to_string(exponent(random));
        const double value = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(store::shortestNumberText(value), qtNumberText(value)) << text;
        ASSERT_EQ(store::shortestNumberText(-value), qtNumberText(-value)) << text;
    }
}

TEST(SqlTextTest, ParseNumberMatchesQt) {
    const std::string_view cases[] = {
        "1e5",
        "+1",
        " 2.5 ",
        ".5",
        "5.",
        "-.5",
        "1.e5",
        "0.",
        "001",
        "-0",
        "1E+05",
        "1e-5",
        "\t1\n",
        "\xC2\xA0 3\xE3\x80\x80",
        "\xEF\xBB\xBF+5",
        " \xEF\xBB\xBF+5",
        "1\0"sv,
        "\0 1"sv,
        "1,000",
        "1,5",
        "0x10",
        "1e400",
        "-1e400",
        "1e-400",
        "-1e-400",
        "1e-320",
        "2e-324",
        "2.4703282292062327e-324",
        "2.4703282292062328e-324",
        "1.7976931348623157e308",
        "1.7976931348623158e308",
        "1.7976931348623159e308",
        "0e99999999999999999999",
        "1e-99999999999",
        "1e2147483648",
        "12345678901234567890123456789",
        "0.000000000000000000000000000000000000001e39",
        "inf",
        "-inf",
        "+INF",
        "iNf",
        "infinity",
        "-infinity",
        "Infinity",
        "infinit",
        "nan",
        "NaN",
        "NAN",
        "-nan",
        "+nan",
        "nan(1)",
        "",
        " ",
        ".",
        "-",
        "+",
        "e5",
        "1e",
        "1e+",
        ".e1",
        "+.e1",
        "1e+-5",
        "+-1",
        "--1",
        "- 1",
        "1 2",
        "1e 5",
        "1d",
        "1f",
        "1.2.3",
        "1e5.",
        "1_000",
        "1'000",
        "\xD9\xA3",
        "\xEF\xBC\x91",
    };
    for (const std::string_view text : cases)
        expectParsesAsQt(text);

    std::mt19937_64 random(7);
    // Short strings from the characters a number is made of, and a few it is not: which are
    // accepted.
    const std::string_view alphabet = "0123456789.eE+- \tinfINFaAN,x";
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> shortLength(0, 8);
    for (int i = 0; i < 300000; ++i) {
        std::string text;
        for (int n = shortLength(random); n > 0; --n)
            text += alphabet[pick(random)];
        expectParsesAsQt(text);
    }
    // Well-formed numerals from short to very long, at every magnitude: the value each
    // rounds to, and where overflow and underflow begin.
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> exponent(-360, 330);
    for (int i = 0; i < 100000; ++i) {
        const int length = i % 100 == 0 ? 800 : 1 + static_cast<int>(random() % 25);
        std::string text = i % 2 ? "-" : "";
        const int point = static_cast<int>(random() % (length + 1));
        for (int n = 0; n < length; ++n) {
            if (n == point)
                text += '.';
            text += static_cast<char>('0' + digit(random));
        }
        text += 'e' + std::to_string(exponent(random));
        expectParsesAsQt(text);
    }
}

TEST(SqlTextTest, TrimmedSpaceMatchesQt) {
    const char* const cases[] = {
        "",
        "a",
        " \t\r\n\v\fa b\t ",
        "\xC2\x85\xC2\xA0z\xE1\x9A\x80",
        "\xE2\x80\x80\xE2\x80\x8Az\xE2\x80\x8B", // U+200B is not white space
        "\xE2\x80\xA8\xE2\x80\xA9\xE2\x80\xAF\xE2\x81\x9Fz\xE3\x80\x80",
        "\xEF\xBB\xBF  z ",          // a byte-order mark at the start goes
        "\xEF\xBB\xBF\xEF\xBB\xBFz", // only the first one
        " \xEF\xBB\xBFz",            // not after white space
        "a\xEF\xBB\xBF",
        "\xEF\xBB\xBF",
        " \xC2\xA0 ",
        "\xC3\xA9t\xC3\xA9",
    };
    for (std::string_view text : cases)
        EXPECT_EQ(std::string(store::trimmedSpace(text)), qtTrimmed(text)) << '"' << text << '"';

    // Every character of the basic plane, around a letter and alone.
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const std::string one = QString(QChar(static_cast<char16_t>(c))).toStdString();
        for (const std::string& text : {one + "x" + one + one, one + one})
            ASSERT_EQ(std::string(store::trimmedSpace(text)), qtTrimmed(text))
                << "U+" << std::hex << static_cast<unsigned>(c);
    }

    // Broken sequences are not white space and are kept whole, whatever is left of them.
    const struct {
        std::string_view text;
        std::string_view trimmed;
    } broken[] = {
        {"\xE2\x80", "\xE2\x80"},
        {" \xE3\x80 ", "\xE3\x80"},
        {"\xC2", "\xC2"},
        {"\x80\x80 a", "\x80\x80 a"},
        {"\xC0\xA0z\xE0\x80\xA0", "\xC0\xA0z\xE0\x80\xA0"}, // overlong forms of spaces
    };
    for (const auto& c : broken)
        EXPECT_EQ(store::trimmedSpace(c.text), c.trimmed);
}

TEST(SqlTextTest, Utf16ToUtf8MatchesQt) {
    const std::u16string cases[] = {
        u"",
        u"plain",
        std::u16string(u"a\0b", 3),
        u"\u00E9\u07FF\u0800\uFFFF",
        u"\U00010000\U0010FFFF\U0001F600",
        {0xD800},
        {0xDC00, u'A'},
        {0xD800, u'A'},
        {0xD800, 0xD800, 0xDC00},
        {0xDC00, 0xD800},
        {u'x', 0xDBFF},
    };
    for (const std::u16string& text : cases)
        EXPECT_EQ(store::utf16ToUtf8(text.data(), text.size()), qtUtf8(text));

    // Short runs over units chosen to mix pairs, stray halves and the encoding boundaries.
    const char16_t units[] = {0x41,   0x00,   0x7F,   0x80,   0x7FF,  0x800,
                              0xFFFF, 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0xFEFF};
    std::mt19937 random(3);
    for (int i = 0; i < 100000; ++i) {
        std::u16string text;
        for (int n = static_cast<int>(random() % 7); n > 0; --n)
            text += random() % 4 ? units[random() % std::size(units)]
                                 : static_cast<char16_t>(random() % 0x10000);
        ASSERT_EQ(store::utf16ToUtf8(text.data(), text.size()), qtUtf8(text));
    }
}

} // namespace
