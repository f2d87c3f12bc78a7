// JSON Resume import and export, shared by the command-line tool and the desktop.
//
// The translation works on a résumé held in memory (ResumeData): a file is read and
// checked whole before anything is written, and an import fills a new database in one
// transaction, so bad input leaves nothing behind. What JSON Resume has no field for
// travels under "x-vitacraft" keys, which the schema's open objects allow; what the
// résumé has no column for is reported, one path each. docs/json-resume.md has the
// mapping.
#pragma once

#include "store/ResumeTables.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace store {

class StatementSource;

struct JsonResumeImport {
    ResumeData data;
    // What the file holds that the résumé has no place for: "basics.profiles (2 entries)",
    // "work[0].description", "projects (1 entry)".
    std::vector<std::string> notImported;
};

// Translates a parsed JSON Resume. Throws EJsonResumeError naming the first field that
// cannot be read ("work[2].startDate must be a string"). Unknown keys are ignored.
JsonResumeImport resumeFromJson(const nlohmann::json& document);

// The JSON Resume of a résumé: what maps, and "x-vitacraft" keys for the rest, so that
// importing it gives back the same résumé.
nlohmann::ordered_json jsonFromResume(const ResumeData& data);

// Reads and translates a JSON Resume file. Throws EJsonResumeError,
// "Cannot import 'FILE': ...", when it cannot be read, is not JSON (with line and
// column), is not an object, or has a field that cannot be read.
JsonResumeImport readJsonResumeFile(const std::string& path);

// Writes an imported résumé into the blank résumé file at resumePath, in one
// transaction. Throws EDatabaseError; the file is as it was then.
void fillResumeFile(const std::string& resumePath, const ResumeData& data);

// Makes a new résumé at outPath from the JSON Resume file at jsonPath and returns what
// was not imported. Never replaces anything at outPath; on any failure nothing is
// created.
std::vector<std::string> importJsonResume(const std::string& jsonPath, const std::string& outPath);

// The résumé on db as UTF-8 JSON, indented by two blanks, with a final line break.
std::string jsonResumeText(StatementSource& db);

// Writes jsonResumeText(db) to outPath, whole or not at all. An existing file is
// replaced only when `replace` is set (the user was asked); otherwise it is refused.
void exportJsonResume(StatementSource& db, const std::string& outPath, bool replace);

} // namespace store
