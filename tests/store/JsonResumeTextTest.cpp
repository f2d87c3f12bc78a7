// The pure transformations of JSON Resume import and export: names, partial dates,
// country codes, two-part fields, comments and web addresses.
#include "store/JsonResumeText.h"
#include "store/CountryCodes.h"

#include <gtest/gtest.h>

namespace {

using namespace store::jsonresume;

TEST(JsonResumeText, SplitsNamesIntoFirstMiddleInitialAndLast) {
    const struct {
        const char* name;
        PersonName parts;
    } cases[] = {
        {"Richard Hendriks", {"Richard", "", "Hendriks"}},
        {"Renée J Michałowska", {"Renée", "J", "Michałowska"}},
        {"Richard J. Hendriks", {"Richard", "J.", "Hendriks"}},
        {"Zoë Ł. Παπαδοπούλου", {"Zoë", "Ł.", "Παπαδοπούλου"}},
        {"Dr. Lena Vasquez", {"Dr. Lena", "", "Vasquez"}},
        {"Mary Ann Smith", {"Mary Ann", "", "Smith"}},
        {"Anna Maria J. Berg", {"Anna Maria J.", "", "Berg"}},
        {"Ana de Souza", {"Ana de", "", "Souza"}},
        {"J. Smith", {"J.", "", "Smith"}},
        {"Cher", {"", "", "Cher"}},
        {"山田太郎", {"", "", "山田太郎"}},
        {"  Ada   Lovelace \t", {"Ada", "", "Lovelace"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const PersonName parts = splitName(c.name);
        EXPECT_EQ(parts.first, c.parts.first) << c.name;
        EXPECT_EQ(parts.middle, c.parts.middle) << c.name;
        EXPECT_EQ(parts.last, c.parts.last) << c.name;
        // Every split joins back to the name, spaced once.
        if (splitName(joinName(parts)) != parts)
            ADD_FAILURE() << "not stable: " << c.name;
    }
}

TEST(JsonResumeText, StoresPartialDatesAsTheFirstDay) {
    const struct {
        const char* text;
        const char* stored; // null: refused
    } cases[] = {
        {"2014", "2014-01-01"},
        {"2014-06", "2014-06-01"},
        {"2014-06-29", "2014-06-29"},
        {"2024-02-29", "2024-02-29"},
        {"2023-02-29", nullptr},
        {"2014-13", nullptr},
        {"2014-00-10", nullptr},
        {"2014-06-31", nullptr},
        {"14-06-29", nullptr},
        {"2014/06/29", nullptr},
        {"2014-6-9", nullptr},
        {"June 2014", nullptr},
        {"2014-06-29T10:00", nullptr},
        {"0999", nullptr},
        {"3000", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> stored = storedDate(c.text);
        if (c.stored)
            EXPECT_EQ(stored, std::optional<std::string>(c.stored)) << c.text;
        else
            EXPECT_FALSE(stored) << c.text;
    }
}

TEST(JsonResumeText, TurnsCountryCodesIntoNamesAndBack) {
    EXPECT_EQ(countryName("US"), "United States");
    EXPECT_EQ(countryName("dk"), "Denmark");
    EXPECT_EQ(countryName("QQ"), "");
    EXPECT_EQ(countryName("USA"), "");
    const struct {
        const char* country;
        const char* code;
    } cases[] = {
        {"Denmark", "DK"}, {"denmark", "DK"}, {"Czech Republic", "CZ"},
        {"Czechia", "CZ"}, {"USA", "US"},     {"Åland Islands", "AX"},
        {"QQ", "QQ"},      {"Atlantis", ""},  {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(codeForCountry(c.country), c.code) << c.country;
}

TEST(JsonResumeText, SplitsTwoPartFieldsWhereJoiningPutTheSeparator) {
    EXPECT_EQ(splitAtLast("Palo Alto, CA", ", "), (TwoParts{"Palo Alto", "CA"}));
    EXPECT_EQ(splitAtLast("Kraków", ", "), (TwoParts{"Kraków", ""}));
    EXPECT_EQ(splitAtLast("a, b, c", ", "), (TwoParts{"a, b", "c"}));
    EXPECT_EQ(splitAtLast("x ,y", ", "), (TwoParts{"x ,y", ""}));
    EXPECT_EQ(splitAtFirst("Master in Arts in Design", " in "),
              (TwoParts{"Master", "Arts in Design"}));
    EXPECT_EQ(splitAtFirst(" in Arts", " in "), (TwoParts{" in Arts", ""}));
    for (const char* text : {"a, ", ", b", "a, b", "", "a"})
        EXPECT_EQ(joinTwo(splitAtLast(text, ", "), ", "), text) << text;
}

TEST(JsonResumeText, CommentsCarryALeadLineABodyAndBulletItems) {
    const struct {
        const char* prefix;
        CommentParts parts;
        const char* comment;
    } cases[] = {
        {"", {std::nullopt, "Did things.", {"One", "Two"}}, "Did things.\n• One\n• Two"},
        {"", {std::nullopt, "", {"Only"}}, "• Only"},
        {"", {std::nullopt, "Plain\ntext", {}}, "Plain\ntext"},
        {"Level: ", {"Master", "", {"HTML", "CSS"}}, "Level: Master\n• HTML\n• CSS"},
        {"Score: ", {"4.0", "Thesis.", {"SQL"}}, "Score: 4.0\nThesis.\n• SQL"},
        {"Score: ", {std::nullopt, "• not last\nend", {}}, "• not last\nend"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(joinComment(c.prefix, c.parts), c.comment);
        EXPECT_EQ(splitComment(c.prefix, c.comment), c.parts) << c.comment;
    }
}

TEST(JsonResumeText, PersonalStatementLinesNameALanguageOrAnInterest) {
    const NamedDetail english{"English", "Native speaker"};
    EXPECT_EQ(detailLine(kLanguagePrefix, english), "Language: English — Native speaker");
    EXPECT_EQ(parseDetailLine(kLanguagePrefix, "Language: English — Native speaker"), english);
    EXPECT_EQ(parseDetailLine(kLanguagePrefix, "Language: 日本語"), (NamedDetail{"日本語", ""}));
    EXPECT_EQ(parseDetailLine(kInterestPrefix, "Language: English"), std::nullopt);
}

TEST(JsonResumeText, WebAddressesAreWrittenAsUris) {
    const struct {
        const char* text;
        const char* form;
    } cases[] = {
        {"https://www.ou.edu/", "https://www.ou.edu/"},
        {"example.org/renee", "https://example.org/renee"},
        {"https://example.org/zoë", "https://example.org/zo%C3%AB"},
        {"mailto:a@example.org", "mailto:a@example.org"},
        {"my site", ""},
        {"http://a b", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(uriForm(c.text), c.form) << c.text;
    EXPECT_TRUE(isEmailAddress("zoe@example.org"));
    for (const char* bad : {"", "zoe", "@example.org", "zoe@", "a@b@c", "zo e@example.org"})
        EXPECT_FALSE(isEmailAddress(bad)) << bad;
}

} // namespace
