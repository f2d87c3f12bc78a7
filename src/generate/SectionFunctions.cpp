#include "generate/SectionFunctions.h"

#include "generate/FieldAccess.h"
#include "generate/Fragment.h"

#include <array>

namespace generate {
namespace {

constexpr std::string_view kClose = "}";

std::string normalHeader(rtfengine::Dataset& configuration) {
    return fragmentHeader(configuration, TextClass::NormalText);
}

// What a list function appends after the header, and how it closes the fragment.
struct Piece {
    std::string text;
    // Every field but a comment closes with a blank before the brace, also when empty.
    std::string_view close = " }";
};

using OptionalPiece = std::optional<Piece>;

// A comment inserts nothing at all when it is empty, and closes without a blank.
OptionalPiece comment(rtfengine::Dataset& query, std::string_view column) {
    std::string text = databaseText(query, column);
    if (text.empty()) {
        return std::nullopt;
    }
    return Piece{std::move(text), kClose};
}

std::string webAddress(rtfengine::Dataset& query) {
    const std::string url = databaseText(query, "URL");
    return url.empty() ? std::string() : "( \\ul " + url + "\\ul0  )";
}

std::string joinNonEmpty(rtfengine::Dataset& query, std::initializer_list<std::string_view> columns,
                         std::string_view separator) {
    std::string joined;
    for (std::string_view column : columns) {
        const std::string text = databaseText(query, column);
        if (text.empty()) {
            continue;
        }
        if (!joined.empty()) {
            joined += separator;
        }
        joined += text;
    }
    return joined;
}

// `column`, then ", " when `next` has a value: the separator goes at the end of the
// first of two items, and only when the second is there.
std::string itemBefore(rtfengine::Dataset& query, std::string_view column, std::string_view next) {
    std::string text = databaseText(query, column);
    if (!fieldText(query, next).empty()) {
        text += ", ";
    }
    return text;
}

OptionalPiece educationalHistory(rtfengine::Dataset& query, std::string_view argument) {
    if (argument == "DateFrom" || argument == "DateTo") {
        return Piece{yearText(query, argument)};
    }
    if (argument == "Institution" || argument == "Degree") {
        return Piece{databaseText(query, argument)};
    }
    if (argument == "YearAwarded") {
        const std::string year = databaseText(query, "YearAwarded");
        return Piece{year.empty() ? year : " ( " + year + " )"};
    }
    if (argument == "URL") {
        return Piece{webAddress(query)};
    }
    if (argument == "Comments") {
        return comment(query, "Comment");
    }
    return std::nullopt;
}

OptionalPiece employmentHistory(rtfengine::Dataset& query, std::string_view argument) {
    if (argument == "DateFrom" || argument == "DateTo") {
        return Piece{yearText(query, argument)};
    }
    if (argument == "Company" || argument == "Position") {
        return Piece{databaseText(query, argument)};
    }
    if (argument == "URL") {
        return Piece{webAddress(query)};
    }
    if (argument == "Address") {
        return Piece{joinNonEmpty(query, {"City", "Country"}, ", ")};
    }
    if (argument == "Comments") {
        return comment(query, "comments");
    }
    return std::nullopt;
}

OptionalPiece organizations(rtfengine::Dataset& query, std::string_view argument) {
    if (argument == "DateFrom" || argument == "DateTo") {
        return Piece{yearText(query, argument)};
    }
    if (argument == "Name") {
        return Piece{databaseText(query, "Name")};
    }
    if (argument == "Comments") {
        return comment(query, "Comments");
    }
    return std::nullopt;
}

OptionalPiece skills(rtfengine::Dataset& query, std::string_view argument) {
    if (argument == "Skill") {
        return Piece{databaseText(query, "skill")};
    }
    if (argument == "Comments") {
        return comment(query, "comments");
    }
    return std::nullopt;
}

OptionalPiece reference(rtfengine::Dataset& query, std::string_view argument) {
    if (argument == "Name" || argument == "Email") {
        return Piece{databaseText(query, argument)};
    }
    if (argument == "Address") {
        return Piece{joinNonEmpty(query, {"AddressLine1", "AddressLine2", "City"}, ", ")};
    }
    if (argument == "Position") {
        return Piece{itemBefore(query, "Title", "Organization")};
    }
    if (argument == "Organizations") {
        return Piece{databaseText(query, "Organization")};
    }
    if (argument == "Phone") {
        return Piece{itemBefore(query, "Phone", "Email")};
    }
    // References carry no comment column: "Comments" inserts nothing, as an empty
    // comment does, instead of ending the whole run.
    return std::nullopt;
}

OptionalPiece honor(rtfengine::Dataset& query, std::string_view argument) {
    if (argument == "Date") {
        return Piece{yearText(query, "Date")};
    }
    if (argument == "Title") {
        return Piece{databaseText(query, "Title")};
    }
    if (argument == "Comments") {
        return comment(query, "Comments");
    }
    return std::nullopt;
}

OptionalPiece listPiece(ListFunction function, rtfengine::Dataset& query,
                        std::string_view argument) {
    switch (function) {
    case ListFunction::EducationalHistory:
        return educationalHistory(query, argument);
    case ListFunction::EmploymentHistory:
        return employmentHistory(query, argument);
    case ListFunction::Organizations:
        return organizations(query, argument);
    case ListFunction::Skills:
        return skills(query, argument);
    case ListFunction::PersonalReference:
    case ListFunction::ProfessionalReference:
        return reference(query, argument);
    case ListFunction::Honors:
    case ListFunction::Awards:
    case ListFunction::Achievement:
        return honor(query, argument);
    }
    return std::nullopt;
}

} // namespace

Fragment formatName(rtfengine::Dataset& configuration, rtfengine::Dataset& contactInfo) {
    std::string fragment = fragmentHeader(configuration, TextClass::Heading);
    fragment += databaseText(contactInfo, "FirstName");
    fragment += ' ';
    fragment += databaseText(contactInfo, "MiddleInitial");
    fragment += ' ';
    fragment += databaseText(contactInfo, "LastName");
    fragment += kClose;
    return fragment;
}

Fragment formatAddress(rtfengine::Dataset& configuration, rtfengine::Dataset& contactInfo) {
    std::string fragment = normalHeader(configuration);
    fragment += databaseText(contactInfo, "PermanentAddressLine1");
    struct Part {
        std::string_view column;
        std::string_view separator;
    };
    static constexpr std::array<Part, 5> kParts = {{
        {"PermanentAddressLine2", "\\par "},
        {"PermanentCity", "\\par "},
        {"PermanentState", ", "},
        {"PermanentZipCode", " "},
        {"PermanentCountry", ", "},
    }};
    for (const Part& part : kParts) {
        const std::string text = databaseText(contactInfo, part.column);
        if (!text.empty()) {
            fragment += part.separator;
            fragment += text;
        }
    }
    fragment += kClose;
    return fragment;
}

Fragment contactLine(rtfengine::Dataset& configuration, rtfengine::Dataset& contactInfo,
                     std::string_view argument) {
    std::string fragment = normalHeader(configuration);
    static constexpr std::array<std::string_view, 4> kColumns = {"HomePhone", "WorkPhone",
                                                                 "EmailAddress", "PersonalWebsite"};
    for (std::string_view column : kColumns) {
        if (argument == column) {
            fragment += databaseText(contactInfo, column);
        }
    }
    fragment += kClose;
    return fragment;
}

Fragment subHeading(rtfengine::Dataset& configuration, std::string_view text) {
    std::string fragment = fragmentHeader(configuration, TextClass::SubHeading);
    fragment += text;
    fragment += kClose;
    return fragment;
}

Fragment purposeStatement(rtfengine::Dataset& configuration, rtfengine::Dataset& query,
                          std::string_view column) {
    std::string fragment = normalHeader(configuration);
    const std::string text = databaseText(query, column);
    if (text.empty()) {
        return std::nullopt;
    }
    fragment += text;
    fragment += kClose;
    return fragment;
}

Fragment listEntry(ListFunction function, rtfengine::Dataset& configuration,
                   rtfengine::Dataset& query, std::string_view argument) {
    std::string fragment = normalHeader(configuration);
    OptionalPiece piece = listPiece(function, query, argument);
    if (!piece) {
        return std::nullopt;
    }
    fragment += piece->text;
    fragment += piece->close;
    return fragment;
}

} // namespace generate
