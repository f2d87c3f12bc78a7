// The pure text transformations between JSON Resume values and résumé columns: names
// split into their three parts, partial dates, two-part fields, comments that carry a
// lead line and bullet lines, and the statement lines for languages and interests.
//
// Every split function is the inverse of its join function on the join's output, so a
// résumé exported and imported again gives back the same columns, and a field written
// by the import comes back the same on export.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store::jsonresume {

// A name as the contact columns hold it.
struct PersonName {
    std::string first;
    std::string middle; // the middle initial, with its dot if it was written with one
    std::string last;
    bool operator==(const PersonName&) const = default;
};

// Splits a full name at blanks: the last word is the last name; a single middle word
// (three words in all) of one letter, with or without a dot, is the middle initial;
// every other word belongs to the first name. One word is a last name alone.
PersonName splitName(std::string_view name);
// The non-empty parts joined by single blanks.
std::string joinName(const PersonName& name);

// "YYYY", "YYYY-MM" or "YYYY-MM-DD" as the stored ISO date: a partial date is the first
// day of its year or month. Nullopt when the text is none of the three, names a day
// that does not exist, or a year outside 1000 to 2999 (which JSON Resume allows).
std::optional<std::string> storedDate(std::string_view text);

// Two values kept in one text, as "City, Country" or "Bachelor in Arts".
struct TwoParts {
    std::string first;
    std::string second;
    bool operator==(const TwoParts&) const = default;
};
// The parts joined by separator; an empty part leaves the other alone.
std::string joinTwo(const TwoParts& parts, std::string_view separator);
// Splits at the first (or last) separator with text on both sides; without one the
// whole text is the first part.
TwoParts splitAtFirst(std::string_view text, std::string_view separator);
TwoParts splitAtLast(std::string_view text, std::string_view separator);

// A comment column that holds an optional lead line ("Level: Master"), free text and a
// list written as lines that start with "• ".
struct CommentParts {
    std::optional<std::string> lead; // the text after the lead prefix
    std::string body;
    std::vector<std::string> items;
    bool operator==(const CommentParts&) const = default;
};
inline constexpr std::string_view kBullet = "\xE2\x80\xA2 "; // "• "
// The lead line (leadPrefix and the lead), the body and one bullet line per item,
// separated by line breaks.
std::string joinComment(std::string_view leadPrefix, const CommentParts& parts);
// The trailing bullet lines are the items; a first line that starts with a non-empty
// leadPrefix is the lead; what is left is the body.
CommentParts splitComment(std::string_view leadPrefix, std::string_view comment);

// A language or an interest, as a line of the Personal statement:
// "Language: English — Native speaker", "Interest: Wildlife — Ferrets, Unicorns".
struct NamedDetail {
    std::string name;
    std::string detail; // the fluency, or the keywords joined by ", "
    bool operator==(const NamedDetail&) const = default;
};
inline constexpr std::string_view kLanguagePrefix = "Language: ";
inline constexpr std::string_view kInterestPrefix = "Interest: ";
inline constexpr std::string_view kDetailSeparator = " \xE2\x80\x94 "; // " — "
std::string detailLine(std::string_view prefix, const NamedDetail& value);
// Nullopt when the line does not start with prefix; the detail follows the first
// separator.
std::optional<NamedDetail> parseDetailLine(std::string_view prefix, std::string_view line);

// Splits at every occurrence of separator; an empty text gives no pieces.
std::vector<std::string> splitAll(std::string_view text, std::string_view separator);
std::string joinAll(const std::vector<std::string>& pieces, std::string_view separator);

// An absolute URI in the ASCII form JSON Resume's "uri" format asks for: a scheme,
// a colon and at least one more character, with no blank, control or non-ASCII byte.
bool isUri(std::string_view text);
// The form a web address is exported in: its non-ASCII bytes percent-encoded, and
// "https://" in front when it has no scheme; empty when even that is no URI.
std::string uriForm(std::string_view text);

// Text with one "@" between a non-empty local part and a domain, no blanks.
bool isEmailAddress(std::string_view text);

} // namespace store::jsonresume
