// A whole résumé in memory, table by table, and its reading from and writing to a
// résumé database. JSON Resume import and export translate to and from this form, so
// the translation itself never touches SQL.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace store {

class StatementSource;

// The columns of one row by name; a column that is absent is NULL in the file.
using Row = std::map<std::string, std::string>;

struct ResumeData {
    Row contact;       // ContactInfo
    Row purpose;       // Purpose
    Row configuration; // Configuration
    std::vector<Row> education, employment, honors, organizations, skills, references;
    // DisplayedOrder and AvailableSections. When the displayed list is absent, the blank
    // résumé's lists are kept, and the sections in `sectionsToShow` are moved to the
    // displayed ones.
    std::optional<std::vector<std::string>> displayedSections;
    std::optional<std::vector<std::string>> availableSections;
    std::vector<std::string> sectionsToShow;
};

// The thirteen section identifiers, in the order a résumé usually shows them.
extern const char* const kSectionIdentifiers[13];

// Reads every table; list rows in the order of entry, without their key. Throws
// EDatabaseError with the data layer's text.
ResumeData readResume(StatementSource& db);

// Fills a blank résumé open on `handle`, in one transaction: the one-row tables are
// updated, the list rows added, the section tables rewritten. Column names come from
// the caller's code, never from a file. Throws EDatabaseError; nothing is written then.
void writeResume(sqlite3* handle, const ResumeData& data);

// The displayed list with each of `show` that is not in it yet inserted before
// "Professional References" (or at the end); the available list without them.
void showSections(std::vector<std::string>& displayed, std::vector<std::string>& available,
                  const std::vector<std::string>& show);

} // namespace store
