// The résumé's section functions as plain functions: each reads the Configuration row
// and its own dataset and returns the RTF fragment to insert, or nothing.
#pragma once

#include "rtfengine/Dataset.h"

#include <optional>
#include <string>
#include <string_view>

namespace generate {

// A complete RTF fragment, or nothing when the call is to insert nothing at all.
using Fragment = std::optional<std::string>;

// FirstName, a blank, MiddleInitial when there is one, a blank, LastName; in the
// heading font. Without a middle initial the two names are two blanks apart.
Fragment formatName(rtfengine::Dataset& configuration, rtfengine::Dataset& contactInfo);

// The permanent address on up to three paragraphs: line 1, line 2, then city, state,
// zip code and country with their separators, empty parts left out.
Fragment formatAddress(rtfengine::Dataset& configuration, rtfengine::Dataset& contactInfo);

// One contact line: the ContactInfo column named by `argument` ("HomePhone",
// "WorkPhone", "EmailAddress" or "PersonalWebsite", exact case); an empty fragment
// for any other argument or an empty column.
Fragment contactLine(rtfengine::Dataset& configuration, rtfengine::Dataset& contactInfo,
                     std::string_view argument);

// `text`, a piece of the template, in the sub-heading font.
Fragment subHeading(rtfengine::Dataset& configuration, std::string_view text);

// One purpose statement: `column` of the query's current row; nothing when it is empty
// (also while the query is switched off and has no row).
Fragment purposeStatement(rtfengine::Dataset& configuration, rtfengine::Dataset& query,
                          std::string_view column);

// The nine functions of the list sections.
enum class ListFunction {
    EducationalHistory,
    EmploymentHistory,
    Organizations,
    Skills,
    PersonalReference,
    ProfessionalReference,
    Honors,
    Awards,
    Achievement,
};

// One field of the current entry of a list section, `argument` naming it (exact case),
// with the punctuation that belongs around it. Nothing for an unknown argument, an
// empty comment, and the references' "Comments" (their query carries no comment).
Fragment listEntry(ListFunction function, rtfengine::Dataset& configuration,
                   rtfengine::Dataset& query, std::string_view argument);

} // namespace generate
