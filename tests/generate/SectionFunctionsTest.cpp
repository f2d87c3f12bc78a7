#include "generate/SectionFunctions.h"
#include "generate/FieldAccess.h"

#include "Fixtures.h"

#include <gtest/gtest.h>

namespace generate::test {
namespace {

const std::vector<std::string> kContactColumns = {"FirstName",
                                                  "MiddleInitial",
                                                  "LastName",
                                                  "HomePhone",
                                                  "WorkPhone",
                                                  "EmailAddress",
                                                  "PersonalWebsite",
                                                  "PermanentAddressLine1",
                                                  "PermanentAddressLine2",
                                                  "PermanentCity",
                                                  "PermanentState",
                                                  "PermanentZipCode",
                                                  "PermanentCountry",
                                                  "CurrentAddressLine1",
                                                  "CurrentCity"};

MemoryDataset contact(Row row) {
    row.resize(kContactColumns.size());
    return MemoryDataset("ContactInfo", kContactColumns, {std::move(row)});
}

// A ContactInfo row with the permanent address given and nothing else.
MemoryDataset address(Value line1, Value line2, Value city, Value state, Value zip, Value country) {
    return contact({"John", "", "Smith", "", "", "", "", line1, line2, city, state, zip, country,
                    "9 Current Rd", "Elsewhere"});
}

TEST(FormatName, SeparatesTheNamesWithTwoBlanksWithoutAMiddleInitial) {
    struct Case {
        Value middle;
        std::string text;
    };
    const Case cases[] = {
        {std::nullopt, "John  Smith"},
        {"", "John  Smith"},
        {"Q", "John Q Smith"},
    };
    MemoryDataset configuration = makeConfiguration();
    for (const Case& c : cases) {
        MemoryDataset info = contact({"John", c.middle, "Smith"});
        EXPECT_EQ(formatName(configuration, info), kHeadingHeader + c.text + "}");
    }
}

TEST(FormatAddress, LeavesOutEmptyPartsWithTheirSeparators) {
    struct Case {
        MemoryDataset info;
        std::string text;
    };
    Case cases[] = {
        {address("1 Main St", "", "Springfield", "IL", "12345", ""),
         "1 Main St\\par Springfield, IL 12345"},
        {address("1 Main St", "Apt 2", "Springfield", "IL", "12345", "USA"),
         "1 Main St\\par Apt 2\\par Springfield, IL 12345, USA"},
        {address("1 Main St", "", "", "IL", "", ""), "1 Main St, IL"},
        {address("1 Main St", "", "", "", "12345", "USA"), "1 Main St 12345, USA"},
        {address("", std::nullopt, "Paris", std::nullopt, std::nullopt, "France"),
         "\\par Paris, France"},
        {address(std::nullopt, "", "", "", "", ""), ""},
    };
    MemoryDataset configuration = makeConfiguration();
    for (Case& c : cases) {
        EXPECT_EQ(formatAddress(configuration, c.info), kNormalHeader + c.text + "}");
    }
}

TEST(ContactLine, WritesOnlyTheNamedNonEmptyColumn) {
    MemoryDataset info = contact(
        {"John", "", "Smith", "555-1000", "", "john@example.org", "http://example.org/~john"});
    struct Case {
        std::string_view argument;
        std::string text;
    };
    const Case cases[] = {
        {"HomePhone", "555-1000"},
        {"WorkPhone", ""},
        {"EmailAddress", "john@example.org"},
        {"PersonalWebsite", "http://example.org/~john"},
        {"homephone", ""},
        {"FirstName", ""},
        {"", ""},
    };
    MemoryDataset configuration = makeConfiguration();
    for (const Case& c : cases) {
        EXPECT_EQ(contactLine(configuration, info, c.argument), kNormalHeader + c.text + "}")
            << c.argument;
    }
}

TEST(SubHeading, WritesTheTemplateTextAsItIsInTheSubHeadingFont) {
    MemoryDataset configuration = makeConfiguration();
    EXPECT_EQ(subHeading(configuration, "Employment \\'e9"),
              kSubHeadingHeader + "Employment \\'e9}");
}

TEST(PurposeStatement, WritesTheStatementOrNothing) {
    MemoryDataset configuration = makeConfiguration();
    MemoryDataset summary("SummaryQuery", {"purpose.summary", "Configuration.Summary"},
                          {{"one\r\ntwo {x}", "Summary"}});
    EXPECT_EQ(purposeStatement(configuration, summary, "purpose.summary"),
              kNormalHeader + "one\\par two \\{x\\}}");

    MemoryDataset empty("ObjectiveQuery", {"objective"}, {{""}});
    EXPECT_EQ(purposeStatement(configuration, empty, "objective"), std::nullopt);

    MemoryDataset switchedOff("KeywordsQuery", {"keyword", "Keywords"});
    EXPECT_EQ(purposeStatement(configuration, switchedOff, "keyword"), std::nullopt);

    EXPECT_THROW(purposeStatement(configuration, summary, "summary"), EFieldNotFound);
}

// One call of a list function on a one-row query, and the text expected after the
// NormalText header (closing brace included), or nothing.
struct ListCase {
    ListFunction function;
    std::vector<std::string> columns;
    Row row;
    std::string_view argument;
    std::optional<std::string> text;
};

void expectListCases(const std::vector<ListCase>& cases) {
    MemoryDataset configuration = makeConfiguration();
    for (const ListCase& c : cases) {
        MemoryDataset query("Query", c.columns, {c.row});
        const Fragment fragment = listEntry(c.function, configuration, query, c.argument);
        const std::optional<std::string> expected =
            c.text ? std::optional(kNormalHeader + *c.text) : std::nullopt;
        EXPECT_EQ(fragment, expected) << "argument " << c.argument;
    }
}

const std::vector<std::string> kEmployment = {"Company", "Position",      "City",
                                              "Country", "URL",           "DateFrom",
                                              "DateTo",  "StillEmployed", "comments"};

TEST(EmploymentHistory, WritesEachFieldWithItsPunctuation) {
    using F = ListFunction;
    const auto E = F::EmploymentHistory;
    const Row full = {"Acme",
                      "Engineer",
                      "Berlin",
                      "Germany",
                      "http://acme.example",
                      "1999-06-30",
                      "2004-01-15",
                      "True",
                      "Built {things}\r\nLed a team"};
    const Row sparse = {"", "", "", "", "", std::nullopt, std::nullopt, "True", ""};
    expectListCases({
        {E, kEmployment, full, "DateFrom", "1999 }"},
        {E, kEmployment, full, "DateTo", "2004 }"},
        {E, kEmployment, full, "Company", "Acme }"},
        {E, kEmployment, full, "Position", "Engineer }"},
        {E, kEmployment, full, "URL", "( \\ul http://acme.example\\ul0  ) }"},
        {E, kEmployment, full, "Address", "Berlin, Germany }"},
        {E, kEmployment, full, "Comments", "Built \\{things\\}\\par Led a team}"},
        {E, kEmployment, sparse, "DateFrom", " }"},
        {E, kEmployment, sparse, "Company", " }"},
        {E, kEmployment, sparse, "Position", " }"},
        {E, kEmployment, sparse, "URL", " }"},
        {E, kEmployment, sparse, "Address", " }"},
        {E, kEmployment, sparse, "Comments", std::nullopt},
        {E, kEmployment, {"", "", "", "Germany"}, "Address", "Germany }"},
        {E, kEmployment, {"", "", "Berlin", ""}, "Address", "Berlin }"},
        {E, kEmployment, full, "company", std::nullopt},
        {E, kEmployment, full, "StillEmployed", std::nullopt},
        {E, kEmployment, full, "", std::nullopt},
    });
}

const std::vector<std::string> kEducation = {"Institution",    "URL",    "DateFrom",
                                             "DateTo",         "Degree", "YearAwarded",
                                             "StillAttending", "Comment"};

TEST(EducationalHistory, WritesEachFieldWithItsPunctuation) {
    const auto E = ListFunction::EducationalHistory;
    const Row full = {
        "State University", "http://u.example", "1995-09-01", "1999-06-30", "BSc", "1999", "False",
        "Cum laude"};
    const Row sparse = {std::nullopt, "", std::nullopt, "", "", "", "", ""};
    expectListCases({
        {E, kEducation, full, "Institution", "State University }"},
        {E, kEducation, full, "YearAwarded", " ( 1999 ) }"},
        {E, kEducation, full, "URL", "( \\ul http://u.example\\ul0  ) }"},
        {E, kEducation, full, "Degree", "BSc }"},
        {E, kEducation, full, "DateFrom", "1995 }"},
        {E, kEducation, full, "DateTo", "1999 }"},
        {E, kEducation, full, "Comments", "Cum laude}"},
        {E, kEducation, sparse, "Institution", " }"},
        {E, kEducation, sparse, "YearAwarded", " }"},
        {E, kEducation, sparse, "DateFrom", " }"},
        {E, kEducation, sparse, "DateTo", " }"},
        {E, kEducation, sparse, "Comments", std::nullopt},
        {E, kEducation, full, "Comment", std::nullopt},
    });
}

TEST(Organizations, WritesEachFieldWithItsPunctuation) {
    const auto O = ListFunction::Organizations;
    const std::vector<std::string> columns = {"Name", "DateFrom", "DateTo", "Comments"};
    expectListCases({
        {O, columns, {"Chess Club", "2001-02-03", "2002-03-04", "Captain"}, "Name", "Chess Club }"},
        {O, columns, {"Chess Club", "2001-02-03", "2002-03-04", "Captain"}, "DateTo", "2002 }"},
        {O, columns, {"Chess Club", "2001-02-03", "2002-03-04", "Captain"}, "Comments", "Captain}"},
        {O, columns, {"", "", "", ""}, "Name", " }"},
        {O, columns, {"", "", "", ""}, "Comments", std::nullopt},
    });
}

TEST(Skills, WritesEachFieldWithItsPunctuation) {
    const auto S = ListFunction::Skills;
    const std::vector<std::string> columns = {"skill", "comments"};
    expectListCases({
        {S, columns, {"Management", "Ten years"}, "Skill", "Management }"},
        {S, columns, {"Management", "Ten years"}, "Comments", "Ten years}"},
        {S, columns, {"", ""}, "Skill", " }"},
        {S, columns, {"", ""}, "Comments", std::nullopt},
        {S, columns, {"Management", "Ten years"}, "skill", std::nullopt},
    });
}

const std::vector<std::string> kReference = {"Type",         "Name",         "Title",
                                             "Organization", "AddressLine1", "AddressLine2",
                                             "City",         "Phone",        "Email"};

TEST(References, PutTheSeparatorAfterTheFirstOfTwoItemsOnlyWhenTheSecondIsThere) {
    const Row full = {"personal",   "Jane Roe", "Director",        "Acme", "1 Road", "Suite 4",
                      "Town, ST 1", "555-2000", "jane@example.org"};
    const Row sparse = {"personal", "", "Director", "", "", "Suite 4", "", "555-2000", ""};
    for (ListFunction f : {ListFunction::PersonalReference, ListFunction::ProfessionalReference}) {
        expectListCases({
            {f, kReference, full, "Name", "Jane Roe }"},
            {f, kReference, full, "Address", "1 Road, Suite 4, Town, ST 1 }"},
            {f, kReference, full, "Position", "Director,  }"},
            {f, kReference, full, "Organizations", "Acme }"},
            {f, kReference, full, "Phone", "555-2000,  }"},
            {f, kReference, full, "Email", "jane@example.org }"},
            {f, kReference, full, "Comments", std::nullopt},
            {f, kReference, sparse, "Name", " }"},
            {f, kReference, sparse, "Address", "Suite 4 }"},
            {f, kReference, sparse, "Position", "Director }"},
            {f, kReference, sparse, "Organizations", " }"},
            {f, kReference, sparse, "Phone", "555-2000 }"},
            {f, kReference, sparse, "Email", " }"},
            {f, kReference, {"personal", "", "", "", "", "", ""}, "Address", " }"},
            {f, kReference, full, "Organization", std::nullopt},
        });
    }
}

TEST(HonorsAwardsAchievements, WriteDateTitleAndComments) {
    const std::vector<std::string> columns = {"Type", "Title", "Date", "Comments"};
    for (ListFunction f : {ListFunction::Honors, ListFunction::Awards, ListFunction::Achievement}) {
        expectListCases({
            {f, columns, {"Honor", "Dean's list", "1999-06-30", "Twice"}, "Date", "1999 }"},
            {f, columns, {"Honor", "Dean's list", "1999-06-30", "Twice"}, "Title", "Dean's list }"},
            {f, columns, {"Honor", "Dean's list", "1999-06-30", "Twice"}, "Comments", "Twice}"},
            {f, columns, {"Honor", "", std::nullopt, ""}, "Date", " }"},
            {f, columns, {"Honor", "", std::nullopt, ""}, "Title", " }"},
            {f, columns, {"Honor", "", std::nullopt, ""}, "Comments", std::nullopt},
            {f, columns, {"Honor", "Dean's list", "1999-06-30", "Twice"}, "date", std::nullopt},
        });
    }
}

TEST(ListEntry, ReadsEmptyValuesWhileTheQueryIsSwitchedOff) {
    MemoryDataset configuration = makeConfiguration();
    MemoryDataset off("EmploymentHistory", kEmployment);
    EXPECT_EQ(listEntry(ListFunction::EmploymentHistory, configuration, off, "Company"),
              kNormalHeader + " }");
    EXPECT_EQ(listEntry(ListFunction::EmploymentHistory, configuration, off, "DateFrom"),
              kNormalHeader + " }");
    EXPECT_EQ(listEntry(ListFunction::EmploymentHistory, configuration, off, "Comments"),
              std::nullopt);
}

TEST(ListEntry, ReadsTheCurrentEntryOfTheQuery) {
    MemoryDataset configuration = makeConfiguration();
    MemoryDataset skills("SkillsQuery", {"skill", "comments"}, {{"First", ""}, {"Second", ""}});
    skills.next();
    EXPECT_EQ(listEntry(ListFunction::Skills, configuration, skills, "Skill"),
              kNormalHeader + "Second }");
}

TEST(ListEntry, FailsWhenTheQueryLacksTheColumn) {
    MemoryDataset configuration = makeConfiguration();
    MemoryDataset query("SkillsQuery", {"skill"}, {{"Management"}});
    EXPECT_THROW(listEntry(ListFunction::Skills, configuration, query, "Comments"), EFieldNotFound);
}

} // namespace
} // namespace generate::test
