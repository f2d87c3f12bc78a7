// The names that JSON Resume import and export share: the "x-vitacraft" keys of columns
// that travel unchanged, and the prefixes of the lead lines written into comments.
// Private to the two translation files.
#pragma once

#include <string_view>

namespace store::jsonresume {

inline constexpr const char* kExtensionKey = "x-vitacraft";

// A column and the key it travels under.
struct ColumnKey {
    const char* column;
    const char* key;
};

// ContactInfo's current address, under basics' x-vitacraft "currentAddress".
inline constexpr ColumnKey kCurrentAddress[] = {
    {"CurrentAddressLine1", "line1"}, {"CurrentAddressLine2", "line2"},
    {"CurrentCity", "city"},          {"CurrentState", "state"},
    {"CurrentCountry", "country"},    {"CurrentZipCode", "zipCode"},
};

// The columns of a reference besides its name.
inline constexpr ColumnKey kReferenceDetails[] = {
    {"Title", "title"},
    {"Organization", "organization"},
    {"AddressLine1", "addressLine1"},
    {"AddressLine2", "addressLine2"},
    {"City", "city"},
    {"Phone", "phone"},
    {"Email", "email"},
};

// An honour or achievement, which JSON Resume has no section for.
inline constexpr ColumnKey kHonorColumns[] = {
    {"Title", "title"}, {"Date", "date"}, {"Comments", "comments"}};

// The three text classes and the four font columns of each: HeadingFontName ...
inline constexpr ColumnKey kTextClasses[] = {
    {"Heading", "heading"}, {"SubHeading", "subHeading"}, {"NormalText", "normalText"}};
inline constexpr ColumnKey kFontColumns[] = {
    {"FontName", "face"}, {"FontSize", "size"}, {"FontColor", "color"}, {"FontStyle", "style"}};

// The Configuration columns that hold each section's heading text.
inline constexpr const char* kSectionTitleColumns[] = {
    "Summary",
    "Personal",
    "Keywords",
    "EducationalHistory",
    "EmploymentHistory",
    "ProfessionalReferences",
    "PersonalReferences",
    "Organizations",
    "Skills",
    "Honors",
    "Awards",
    "Archievements",
};

// Lead lines of comments, for the JSON fields that have no column of their own.
inline constexpr std::string_view kAwarderPrefix = "Awarded by: ";
inline constexpr std::string_view kLevelPrefix = "Level: ";
inline constexpr std::string_view kScorePrefix = "Score: ";

} // namespace store::jsonresume
