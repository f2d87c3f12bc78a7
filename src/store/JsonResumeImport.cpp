// JSON Resume to résumé tables: every value is checked for its type as it is read, so
// the first field at fault is named with its path and nothing has been written yet.
#include "store/JsonResume.h"

#include "store/CountryCodes.h"
#include "store/JsonFields.h"
#include "store/JsonResumeMapping.h"
#include "store/JsonResumeText.h"
#include <optional>

namespace store {

using namespace jsonresume;
using json = nlohmann::json;

namespace {

// What the import builds: the tables, and what the file held without a place in them.
struct Import {
    ResumeData data;
    std::vector<std::string> notImported;

    void report(const std::string& path) { notImported.push_back(path); }
    void reportEntries(const Fields& fields, std::string_view key) {
        if (const json* value = fields.array(key); value && !value->empty())
            report(fields.path(key) + " (" + std::to_string(value->size()) +
                   (value->size() == 1 ? " entry)" : " entries)"));
    }
    void reportText(const Fields& fields, std::string_view key) {
        if (!fields.text(key).empty())
            report(fields.path(key));
    }
};

const json& emptyObject() {
    static const json empty = json::object();
    return empty;
}

void put(Row& row, const char* column, const std::string& value) {
    if (!value.empty())
        row[column] = value;
}

std::string flagText(bool value) {
    return value ? "True" : "False";
}

// The publish flag: every entry is published unless x-vitacraft says otherwise.
std::string published(const std::optional<Fields>& extension) {
    return flagText(!extension || extension->flag("published").value_or(true));
}

// A web address or e-mail address that export writes in a valid form, keeping the
// text as typed under x-vitacraft when it differs: that text wins while the standard
// field is empty or still the form of it.
std::string formatted(const Fields& fields, const std::optional<Fields>& extension,
                      std::string_view key) {
    const std::string standard = fields.text(key);
    if (extension)
        if (const std::optional<std::string> raw = extension->optionalText(key))
            if (standard.empty() || standard == uriForm(*raw))
                return *raw;
    return standard;
}

// A date; the text export kept as typed wins while it still means the standard date.
std::string date(const Fields& fields, const std::optional<Fields>& extension,
                 std::string_view key) {
    const std::string standard = fields.date(key);
    if (extension)
        if (const std::optional<std::string> raw = extension->optionalText(key))
            if (standard.empty() || storedDate(*raw) == standard)
                return *raw;
    return standard;
}

// Two columns kept in one JSON text; x-vitacraft's parts win while they still join to it.
TwoParts twoParts(const std::string& text, const std::optional<Fields>& extension,
                  std::string_view key, std::string_view separator, bool atLast) {
    if (extension)
        if (const std::optional<Fields> parts = extension->object(key)) {
            TwoParts kept{parts->text("first"), parts->text("second")};
            if (joinTwo(kept, separator) == text)
                return kept;
        }
    return atLast ? splitAtLast(text, separator) : splitAtFirst(text, separator);
}

void takeColumns(Row& row, const Fields& fields, const ColumnKey* begin, const ColumnKey* end) {
    for (const ColumnKey* entry = begin; entry != end; ++entry)
        put(row, entry->column, fields.text(entry->key));
}

void importName(const Fields& basics, const std::optional<Fields>& extension, Row& contact) {
    const std::string name = basics.text("name");
    PersonName parts = splitName(name);
    if (extension)
        if (const std::optional<Fields> kept = extension->object("name")) {
            PersonName written{kept->text("first"), kept->text("middle"), kept->text("last")};
            if (joinName(written) == name)
                parts = written;
        }
    put(contact, "FirstName", parts.first);
    put(contact, "MiddleInitial", parts.middle);
    put(contact, "LastName", parts.last);
}

void importLocation(const Fields& location, const std::optional<Fields>& extension, Row& contact) {
    const TwoParts lines = twoParts(location.text("address"), extension, "address", "\n", false);
    put(contact, "PermanentAddressLine1", lines.first);
    put(contact, "PermanentAddressLine2", lines.second);
    put(contact, "PermanentCity", location.text("city"));
    put(contact, "PermanentState", location.text("region"));
    put(contact, "PermanentZipCode", location.text("postalCode"));
    const std::string code = location.text("countryCode");
    std::string country = countryName(code).empty() ? code : std::string(countryName(code));
    if (extension)
        if (const std::optional<std::string> kept = extension->optionalText("country"))
            if (code.empty() || codeForCountry(*kept) == code)
                country = *kept;
    put(contact, "PermanentCountry", country);
}

void importBasics(const Fields& document, Import& import) {
    const std::optional<Fields> basics = document.object("basics");
    if (!basics)
        return;
    const std::optional<Fields> extension = basics->extension();
    Row& contact = import.data.contact;
    importName(*basics, extension, contact);
    put(contact, "EmailAddress", formatted(*basics, extension, "email"));
    put(contact, "HomePhone", basics->text("phone"));
    put(contact, "PersonalWebsite", formatted(*basics, extension, "url"));
    put(import.data.purpose, "summary", basics->text("summary"));
    if (const std::optional<Fields> location = basics->object("location"))
        importLocation(*location, extension, contact);
    else if (extension)
        importLocation(Fields(emptyObject(), basics->path("location")), extension, contact);
    if (extension) {
        put(contact, "WorkPhone", extension->text("workPhone"));
        if (const std::optional<Fields> current = extension->object("currentAddress"))
            takeColumns(contact, *current, std::begin(kCurrentAddress), std::end(kCurrentAddress));
    }
    import.reportText(*basics, "label");
    import.reportText(*basics, "image");
    import.reportEntries(*basics, "profiles");
}

// An entry's end date, and whether it still goes on: without an end date it does.
void period(const Fields& entry, const std::optional<Fields>& extension, Row& row,
            const char* stillColumn, std::string_view stillKey) {
    put(row, "DateFrom", date(entry, extension, "startDate"));
    const std::string end = date(entry, extension, "endDate");
    put(row, "DateTo", end);
    std::optional<bool> still = extension ? extension->flag(stillKey) : std::nullopt;
    row[stillColumn] = flagText(still.value_or(end.empty()));
}

void importWork(const Fields& document, Import& import) {
    for (const Fields& entry : document.objects("work")) {
        const std::optional<Fields> extension = entry.extension();
        Row row;
        put(row, "Company", entry.text("name"));
        put(row, "Position", entry.text("position"));
        const TwoParts place = twoParts(entry.text("location"), extension, "location", ", ", true);
        put(row, "City", place.first);
        put(row, "Country", place.second);
        put(row, "URL", formatted(entry, extension, "url"));
        period(entry, extension, row, "StillEmployed", "stillEmployed");
        row["InAllPublished"] = published(extension);
        put(row, "comments",
            joinComment({}, {std::nullopt, entry.text("summary"), entry.texts("highlights")}));
        import.reportText(entry, "description");
        import.data.employment.push_back(std::move(row));
    }
}

void importEducation(const Fields& document, Import& import) {
    for (const Fields& entry : document.objects("education")) {
        const std::optional<Fields> extension = entry.extension();
        Row row;
        put(row, "Institution", entry.text("institution"));
        put(row, "URL", formatted(entry, extension, "url"));
        put(row, "Degree", joinTwo({entry.text("studyType"), entry.text("area")}, " in "));
        period(entry, extension, row, "StillAttending", "stillAttending");
        const std::optional<std::string> year =
            extension ? extension->optionalText("yearAwarded") : std::nullopt;
        put(row, "YearAwarded",
            year.value_or(row.count("DateTo") ? row["DateTo"].substr(0, 4) : ""));
        row["InAllPublished"] = published(extension);
        const std::string score = entry.text("score");
        put(row, "Comment",
            joinComment(kScorePrefix,
                        {score.empty() ? std::nullopt : std::optional<std::string>(score),
                         extension ? extension->text("comment") : "", entry.texts("courses")}));
        import.data.education.push_back(std::move(row));
    }
}

void importVolunteer(const Fields& document, Import& import) {
    for (const Fields& entry : document.objects("volunteer")) {
        const std::optional<Fields> extension = entry.extension();
        Row row;
        put(row, "Name", entry.text("organization"));
        put(row, "DateFrom", date(entry, extension, "startDate"));
        put(row, "DateTo", date(entry, extension, "endDate"));
        put(row, "Comments",
            joinComment({}, {std::nullopt, entry.text("summary"), entry.texts("highlights")}));
        row["InAllPublished"] = published(extension);
        import.reportText(entry, "position");
        import.reportText(entry, "url");
        import.data.organizations.push_back(std::move(row));
    }
}

void importAwards(const Fields& document, Import& import) {
    for (const Fields& entry : document.objects("awards")) {
        const std::optional<Fields> extension = entry.extension();
        Row row{{"Type", "Award"}};
        put(row, "Title", entry.text("title"));
        put(row, "Date", date(entry, extension, "date"));
        const std::string awarder = entry.text("awarder");
        put(row, "Comments",
            joinComment(kAwarderPrefix,
                        {awarder.empty() ? std::nullopt : std::optional<std::string>(awarder),
                         entry.text("summary"),
                         {}}));
        row["InAllPubliched"] = published(extension);
        import.data.honors.push_back(std::move(row));
    }
}

void importSkills(const Fields& document, Import& import) {
    for (const Fields& entry : document.objects("skills")) {
        const std::optional<Fields> extension = entry.extension();
        Row row;
        put(row, "skill", entry.text("name"));
        const std::string level = entry.text("level");
        put(row, "comments",
            joinComment(kLevelPrefix,
                        {level.empty() ? std::nullopt : std::optional<std::string>(level),
                         extension ? extension->text("comment") : "", entry.texts("keywords")}));
        row["InAllPublished"] = published(extension);
        import.data.skills.push_back(std::move(row));
    }
}

void importReferences(const Fields& document, Import& import) {
    for (const Fields& entry : document.objects("references")) {
        const std::optional<Fields> extension = entry.extension();
        Row row{{"Type", "professional"}};
        put(row, "Name", entry.text("name"));
        if (extension)
            takeColumns(row, *extension, std::begin(kReferenceDetails),
                        std::end(kReferenceDetails));
        row["InAllPublished"] = published(extension);
        import.reportText(entry, "reference");
        import.data.references.push_back(std::move(row));
    }
}

// Languages and interests become lines of the Personal statement, after the free text
// that an export kept under x-vitacraft.
void importPersonal(const Fields& document, const std::optional<Fields>& extension,
                    Import& import) {
    std::vector<std::string> lines;
    if (extension)
        if (const std::optional<std::string> text = extension->optionalText("personal"))
            lines.push_back(*text);
    for (const Fields& entry : document.objects("languages"))
        lines.push_back(
            detailLine(kLanguagePrefix, {entry.text("language"), entry.text("fluency")}));
    for (const Fields& entry : document.objects("interests"))
        lines.push_back(detailLine(kInterestPrefix,
                                   {entry.text("name"), joinAll(entry.texts("keywords"), ", ")}));
    put(import.data.purpose, "personal", joinAll(lines, "\n"));
}

void importHonors(const Fields& extension, std::string_view key, const char* type, Import& import) {
    for (const Fields& entry : extension.objects(key)) {
        const std::optional<std::string> kept = entry.optionalText("type");
        Row row{{"Type", kept.value_or(type)}};
        takeColumns(row, entry, std::begin(kHonorColumns), std::end(kHonorColumns));
        row["InAllPubliched"] = flagText(entry.flag("published").value_or(true));
        import.data.honors.push_back(std::move(row));
    }
}

void importPersonalReferences(const Fields& extension, Import& import) {
    for (const Fields& entry : extension.objects("personalReferences")) {
        Row row{{"Type", entry.optionalText("type").value_or("personal")}};
        put(row, "Name", entry.text("name"));
        takeColumns(row, entry, std::begin(kReferenceDetails), std::end(kReferenceDetails));
        row["InAllPublished"] = flagText(entry.flag("published").value_or(true));
        import.data.references.push_back(std::move(row));
    }
}

void importLooks(const Fields& extension, Row& configuration) {
    if (const std::optional<Fields> fonts = extension.object("fonts"))
        for (const ColumnKey& textClass : kTextClasses)
            if (const std::optional<Fields> font = fonts->object(textClass.key))
                for (const ColumnKey& part : kFontColumns)
                    put(configuration, (std::string(textClass.column) + part.column).c_str(),
                        part.key == std::string_view("face") ? font->text(part.key)
                                                             : font->number(part.key));
    put(configuration, "Template", extension.text("template"));
    put(configuration, "PaperSize", extension.text("paperSize"));
    if (const std::optional<Fields> titles = extension.object("sectionTitles"))
        for (const char* column : kSectionTitleColumns)
            if (const std::optional<std::string> title = titles->optionalText(column))
                configuration[column] = *title;
}

void importSections(const Fields& extension, ResumeData& data) {
    if (extension.array("sectionOrder"))
        data.displayedSections = extension.texts("sectionOrder");
    if (extension.array("availableSections"))
        data.availableSections = extension.texts("availableSections");
}

void importExtension(const Fields& extension, Import& import) {
    put(import.data.purpose, "objective", extension.text("objective"));
    put(import.data.purpose, "keyword", extension.text("keywords"));
    importHonors(extension, "honors", "Honor", import);
    importHonors(extension, "achievements", "Achievement", import);
    importPersonalReferences(extension, import);
    importLooks(extension, import.data.configuration);
    importSections(extension, import.data);
}

// Without a stored section order, every statement the file filled is shown.
void showFilledStatements(ResumeData& data) {
    const std::pair<const char*, const char*> statements[] = {{"objective", "Objective"},
                                                              {"summary", "Summary"},
                                                              {"personal", "Personal"},
                                                              {"keyword", "Keywords"}};
    for (const auto& [column, section] : statements)
        if (data.purpose.count(column))
            data.sectionsToShow.emplace_back(section);
}

} // namespace

JsonResumeImport resumeFromJson(const json& document) {
    const Fields top(document, {});
    const std::optional<Fields> extension = top.extension();
    Import import;
    importBasics(top, import);
    importWork(top, import);
    importEducation(top, import);
    importVolunteer(top, import);
    importAwards(top, import);
    importSkills(top, import);
    importReferences(top, import);
    importPersonal(top, extension, import);
    if (extension)
        importExtension(*extension, import);
    if (!import.data.displayedSections)
        showFilledStatements(import.data);
    for (const char* section : {"certificates", "publications", "projects"})
        import.reportEntries(top, section);
    return {std::move(import.data), std::move(import.notImported)};
}

} // namespace store
