#include "mail/MimeText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace mail;

namespace {

using Case = std::pair<std::string, std::string>;

std::string repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// Every expected header value below was read back by a scripting language's
// standard e-mail parser as the input text.
TEST(EncodedWords, QFormOfUtf8Text) {
    const std::string eightAcutes = "=?utf-8?q?" + repeated("=C3=A9", 8) + "?=";
    const Case cases[] = {
        {"Micha\xc5\x82 Nowak", "=?utf-8?q?Micha=C5=82_Nowak?="},
        {"\xc3\xa9=?_", "=?utf-8?q?=C3=A9=3D=3F=5F?="},
        {"Ren\xc3\xa9"
         "e!*+-/",
         "=?utf-8?q?Ren=C3=A9e!*+-/?="},
        // Whole characters to a word, continued on folded lines.
        {repeated("\xc3\xa9", 30), eightAcutes + "\r\n " + eightAcutes + "\r\n " + eightAcutes +
                                       "\r\n =?utf-8?q?" + repeated("=C3=A9", 6) + "?="},
        {repeated("a", 51) + "\xf0\x9f\x98\x80",
         "=?utf-8?q?" + repeated("a", 51) + "?=\r\n =?utf-8?q?=F0=9F=98=80?="},
    };
    for (const auto& [text, words] : cases)
        EXPECT_EQ(encodedWords(text), words) << text;
}

TEST(EncodedWords, NoWordIsLongerThan64Characters) {
    const std::string words = encodedWords(repeated("Gr\xc3\xbc\xc3\x9f"
                                                    "e ",
                                                    40));
    std::size_t start = 0;
    while (start < words.size()) {
        const auto end = std::min(words.find("\r\n ", start), words.size());
        EXPECT_LE(end - start, 64u) << words.substr(start, end - start);
        start = end + 3;
    }
}

TEST(HeaderText, AsciiStaysAsItIs) {
    EXPECT_EQ(headerText("My resume =?x?= _"), "My resume =?x?= _");
    EXPECT_EQ(headerText("R\xc3\xa9sum\xc3\xa9"), "=?utf-8?q?R=C3=A9sum=C3=A9?=");
}

TEST(AddressListText, EncodesDisplayNamesOnly) {
    const Case cases[] = {
        {"bob@example.org", "bob@example.org"},
        {"Bob <bob@example.org>, \"Lee, Ann\" <a@x.org>",
         "Bob <bob@example.org>, \"Lee, Ann\" <a@x.org>"},
        {"J\xc3\xb6rg M\xc3\xbcller <j@x.de>", "=?utf-8?q?J=C3=B6rg_M=C3=BCller?= <j@x.de>"},
        {"Zo\xc3\xab<z@x.org>", "=?utf-8?q?Zo=C3=AB?= <z@x.org>"},
        {"\"M\xc3\xbcller, J\xc3\xb6rg\" <j@x.de>, ann@x.org",
         "=?utf-8?q?M=C3=BCller=2C_J=C3=B6rg?= <j@x.de>, ann@x.org"},
        {"ann@x.org,  \xc3\x85sa <a@y.se>", "ann@x.org,  =?utf-8?q?=C3=85sa?= <a@y.se>"},
        // An address itself that is not ASCII has no encoded form: it stays.
        {"zo\xc3\xab@x.org", "zo\xc3\xab@x.org"},
    };
    for (const auto& [entries, text] : cases)
        EXPECT_EQ(addressListText(entries), text) << entries;
}

// Expected lines checked with a scripting language's quoted-printable decoder.
TEST(QuotedPrintable, LinesOfOneTextLine) {
    const Case cases[] = {
        {"", "\r\n"},
        {"plain", "plain\r\n"},
        {"Gr\xc3\xbc\xc3\x9f"
         "e",
         "Gr=C3=BC=C3=9Fe\r\n"},
        {"a = b ", "a =3D b=20\r\n"},
        {"tab\t", "tab=09\r\n"},
        {"\x7f\x01", "=7F=01\r\n"},
        {repeated("x", 80), repeated("x", 75) + "=\r\n" + repeated("x", 5) + "\r\n"},
        // An escape is never cut by a soft line break.
        {repeated("x", 73) + "\xc3\xa9", repeated("x", 73) + "=\r\n=C3=A9\r\n"},
    };
    for (const auto& [line, encoded] : cases)
        EXPECT_EQ(quotedPrintable(line), encoded) << line;
}

} // namespace
