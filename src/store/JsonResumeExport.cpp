// Résumé tables to JSON Resume. Every standard field is written only in a form the
// schema accepts; a column whose value would not come back the same through import is
// kept beside it under "x-vitacraft", so export, import and export again agree.
#include "store/JsonResume.h"

#include "store/CountryCodes.h"
#include "store/JsonResumeMapping.h"
#include "store/JsonResumeText.h"
#include "store/SqlText.h"

#include <charconv>

namespace store {

using namespace jsonresume;
using ojson = nlohmann::ordered_json;

namespace {

const char* const kSchemaLink =
    "https://raw.githubusercontent.com/jsonresume/resume-schema/v1.0.0/schema.json";

std::string column(const Row& row, const char* name) {
    const auto found = row.find(name);
    return found == row.end() ? std::string() : found->second;
}

// An object being written, with the x-vitacraft object that goes with it.
struct Entry {
    ojson fields = ojson::object();
    ojson extension = ojson::object();

    void put(const char* key, const std::string& value) {
        if (!value.empty())
            fields[key] = value;
    }
    void keep(const char* key, ojson value) { extension[key] = std::move(value); }
    ojson done() {
        if (!extension.empty())
            fields[kExtensionKey] = std::move(extension);
        return std::move(fields);
    }
};

bool isTrue(const std::string& flag) {
    return flag == "True";
}

void putPublished(Entry& entry, const std::string& flag) {
    if (!isTrue(flag))
        entry.keep("published", false);
}

// A web address in the form the schema accepts; the text as typed is kept whenever
// it differs from that form.
void putUri(Entry& entry, const char* key, const std::string& text) {
    if (text.empty())
        return;
    const std::string form = uriForm(text);
    entry.put(key, form);
    if (form != text)
        entry.keep(key, text);
}

void putEmail(Entry& entry, const char* key, const std::string& text) {
    if (isEmailAddress(text))
        entry.put(key, text);
    else if (!text.empty())
        entry.keep(key, text);
}

// A date in a form the schema accepts; one that import would not give back as it is
// (a partial or malformed date typed into the file) is kept as typed too.
void putDate(Entry& entry, const char* key, const std::string& text) {
    if (text.empty())
        return;
    const std::optional<std::string> stored = storedDate(text);
    if (stored)
        entry.put(key, text);
    if (stored != text)
        entry.keep(key, text);
}

void putTwo(Entry& entry, const char* key, const TwoParts& parts, std::string_view separator,
            bool atLast) {
    const std::string joined = joinTwo(parts, separator);
    entry.put(key, joined);
    const TwoParts back = atLast ? splitAtLast(joined, separator) : splitAtFirst(joined, separator);
    if (back != parts)
        entry.keep(key, ojson{{"first", parts.first}, {"second", parts.second}});
}

void putColumns(Entry& entry, const Row& row, const ColumnKey* begin, const ColumnKey* end) {
    for (const ColumnKey* item = begin; item != end; ++item)
        if (const std::string value = column(row, item->column); !value.empty())
            entry.keep(item->key, value);
}

ojson texts(const std::vector<std::string>& items) {
    ojson array = ojson::array();
    for (const std::string& item : items)
        array.push_back(item);
    return array;
}

// The end date, and whether the entry still goes on where that differs from what its
// end date says.
void putPeriod(Entry& entry, const Row& row, const char* stillColumn, const char* stillKey) {
    putDate(entry, "startDate", column(row, "DateFrom"));
    const std::string end = column(row, "DateTo");
    putDate(entry, "endDate", end);
    if (isTrue(column(row, stillColumn)) != end.empty())
        entry.keep(stillKey, isTrue(column(row, stillColumn)));
}

void putName(Entry& basics, const Row& contact) {
    const PersonName parts{column(contact, "FirstName"), column(contact, "MiddleInitial"),
                           column(contact, "LastName")};
    const std::string name = joinName(parts);
    basics.put("name", name);
    if (splitName(name) != parts)
        basics.keep("name",
                    ojson{{"first", parts.first}, {"middle", parts.middle}, {"last", parts.last}});
}

void putCountry(Entry& location, Entry& basics, const std::string& country) {
    if (country.empty())
        return;
    const std::string code = codeForCountry(country);
    location.put("countryCode", code);
    // Import turns a known code into the table's name; any other spelling is kept.
    const std::string_view name = countryName(code);
    if (code.empty() || (name.empty() ? code != country : name != country))
        basics.keep("country", country);
}

ojson locationOf(const Row& contact, Entry& basics) {
    Entry location;
    const TwoParts lines{column(contact, "PermanentAddressLine1"),
                         column(contact, "PermanentAddressLine2")};
    const std::string address = joinTwo(lines, "\n");
    location.put("address", address);
    if (splitAtFirst(address, "\n") != lines)
        basics.keep("address", ojson{{"first", lines.first}, {"second", lines.second}});
    location.put("postalCode", column(contact, "PermanentZipCode"));
    location.put("city", column(contact, "PermanentCity"));
    putCountry(location, basics, column(contact, "PermanentCountry"));
    location.put("region", column(contact, "PermanentState"));
    return location.done();
}

ojson basicsOf(const ResumeData& data) {
    const Row& contact = data.contact;
    Entry basics;
    putName(basics, contact);
    putEmail(basics, "email", column(contact, "EmailAddress"));
    basics.put("phone", column(contact, "HomePhone"));
    putUri(basics, "url", column(contact, "PersonalWebsite"));
    basics.put("summary", column(data.purpose, "summary"));
    ojson location = locationOf(contact, basics);
    if (!location.empty())
        basics.fields["location"] = std::move(location);
    if (const std::string phone = column(contact, "WorkPhone"); !phone.empty())
        basics.keep("workPhone", phone);
    Entry current;
    putColumns(current, contact, std::begin(kCurrentAddress), std::end(kCurrentAddress));
    if (!current.extension.empty())
        basics.keep("currentAddress", current.extension);
    return basics.done();
}

ojson workOf(const Row& row) {
    Entry entry;
    entry.put("name", column(row, "Company"));
    putTwo(entry, "location", {column(row, "City"), column(row, "Country")}, ", ", true);
    entry.put("position", column(row, "Position"));
    putUri(entry, "url", column(row, "URL"));
    putPeriod(entry, row, "StillEmployed", "stillEmployed");
    const CommentParts comment = splitComment({}, column(row, "comments"));
    entry.put("summary", comment.body);
    if (!comment.items.empty())
        entry.fields["highlights"] = texts(comment.items);
    putPublished(entry, column(row, "InAllPublished"));
    return entry.done();
}

ojson volunteerOf(const Row& row) {
    Entry entry;
    entry.put("organization", column(row, "Name"));
    putDate(entry, "startDate", column(row, "DateFrom"));
    putDate(entry, "endDate", column(row, "DateTo"));
    const CommentParts comment = splitComment({}, column(row, "Comments"));
    entry.put("summary", comment.body);
    if (!comment.items.empty())
        entry.fields["highlights"] = texts(comment.items);
    putPublished(entry, column(row, "InAllPublished"));
    return entry.done();
}

ojson educationOf(const Row& row) {
    Entry entry;
    entry.put("institution", column(row, "Institution"));
    putUri(entry, "url", column(row, "URL"));
    const TwoParts degree = splitAtFirst(column(row, "Degree"), " in ");
    entry.put("area", degree.second);
    entry.put("studyType", degree.first);
    putPeriod(entry, row, "StillAttending", "stillAttending");
    const CommentParts comment = splitComment(kScorePrefix, column(row, "Comment"));
    if (comment.lead)
        entry.put("score", *comment.lead);
    if (!comment.items.empty())
        entry.fields["courses"] = texts(comment.items);
    if (!comment.body.empty())
        entry.keep("comment", comment.body);
    const std::string year = column(row, "YearAwarded");
    if (year != column(row, "DateTo").substr(0, 4))
        entry.keep("yearAwarded", year);
    putPublished(entry, column(row, "InAllPublished"));
    return entry.done();
}

ojson awardOf(const Row& row) {
    Entry entry;
    entry.put("title", column(row, "Title"));
    putDate(entry, "date", column(row, "Date"));
    const CommentParts comment = splitComment(kAwarderPrefix, column(row, "Comments"));
    if (comment.lead)
        entry.put("awarder", *comment.lead);
    entry.put("summary", joinComment({}, {std::nullopt, comment.body, comment.items}));
    putPublished(entry, column(row, "InAllPubliched"));
    return entry.done();
}

ojson skillOf(const Row& row) {
    Entry entry;
    entry.put("name", column(row, "skill"));
    const CommentParts comment = splitComment(kLevelPrefix, column(row, "comments"));
    if (comment.lead)
        entry.put("level", *comment.lead);
    if (!comment.items.empty())
        entry.fields["keywords"] = texts(comment.items);
    if (!comment.body.empty())
        entry.keep("comment", comment.body);
    putPublished(entry, column(row, "InAllPublished"));
    return entry.done();
}

ojson referenceOf(const Row& row) {
    Entry entry;
    entry.put("name", column(row, "Name"));
    putColumns(entry, row, std::begin(kReferenceDetails), std::end(kReferenceDetails));
    putPublished(entry, column(row, "InAllPublished"));
    return entry.done();
}

// Languages and interests are the Personal statement's lines written by import; the
// other lines are kept as they are.
void putPersonal(const std::string& personal, ojson& document, Entry& resume) {
    ojson languages = ojson::array();
    ojson interests = ojson::array();
    std::vector<std::string> rest;
    for (const std::string& line : splitAll(personal, "\n")) {
        if (const auto language = parseDetailLine(kLanguagePrefix, line)) {
            Entry entry;
            entry.put("language", language->name);
            entry.put("fluency", language->detail);
            languages.push_back(entry.done());
        } else if (const auto interest = parseDetailLine(kInterestPrefix, line)) {
            Entry entry;
            entry.put("name", interest->name);
            const std::vector<std::string> keywords = splitAll(interest->detail, ", ");
            if (!keywords.empty())
                entry.fields["keywords"] = texts(keywords);
            interests.push_back(entry.done());
        } else {
            rest.push_back(line);
        }
    }
    if (!languages.empty())
        document["languages"] = std::move(languages);
    if (!interests.empty())
        document["interests"] = std::move(interests);
    if (!rest.empty())
        resume.keep("personal", joinAll(rest, "\n"));
}

// The honours that are not awards, by kind; the kind is written when it is not the
// one its list stands for.
void putHonors(const ResumeData& data, Entry& resume) {
    ojson honors = ojson::array();
    ojson achievements = ojson::array();
    for (const Row& row : data.honors) {
        const std::string type = column(row, "Type");
        if (equalsIgnoringAsciiCase(type, "award"))
            continue;
        const bool achievement = equalsIgnoringAsciiCase(type, "achievement");
        Entry entry;
        putColumns(entry, row, std::begin(kHonorColumns), std::end(kHonorColumns));
        if (type != (achievement ? "Achievement" : "Honor"))
            entry.keep("type", type);
        if (!isTrue(column(row, "InAllPubliched")))
            entry.keep("published", false);
        (achievement ? achievements : honors).push_back(std::move(entry.extension));
    }
    if (!honors.empty())
        resume.keep("honors", std::move(honors));
    if (!achievements.empty())
        resume.keep("achievements", std::move(achievements));
}

void putPersonalReferences(const ResumeData& data, Entry& resume) {
    ojson references = ojson::array();
    for (const Row& row : data.references) {
        const std::string type = column(row, "Type");
        if (equalsIgnoringAsciiCase(type, "professional"))
            continue;
        Entry entry;
        if (const std::string name = column(row, "Name"); !name.empty())
            entry.keep("name", name);
        putColumns(entry, row, std::begin(kReferenceDetails), std::end(kReferenceDetails));
        if (type != "personal")
            entry.keep("type", type);
        if (!isTrue(column(row, "InAllPublished")))
            entry.keep("published", false);
        references.push_back(std::move(entry.extension));
    }
    if (!references.empty())
        resume.keep("personalReferences", std::move(references));
}

// A stored number as a JSON number; anything else as the text it is.
ojson numberOrText(const std::string& text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (!text.empty() && error == std::errc() && at == end)
        return value;
    return text;
}

void putLooks(const ResumeData& data, Entry& resume) {
    const Row& configuration = data.configuration;
    ojson fonts = ojson::object();
    for (const ColumnKey& textClass : kTextClasses) {
        ojson font = ojson::object();
        for (const ColumnKey& part : kFontColumns) {
            const auto found = configuration.find(std::string(textClass.column) + part.column);
            if (found != configuration.end())
                font[part.key] = part.key == std::string_view("face") ? ojson(found->second)
                                                                      : numberOrText(found->second);
        }
        if (!font.empty())
            fonts[textClass.key] = std::move(font);
    }
    if (!fonts.empty())
        resume.keep("fonts", std::move(fonts));
    if (const std::string name = column(configuration, "Template"); !name.empty())
        resume.keep("template", name);
    if (const std::string paper = column(configuration, "PaperSize"); !paper.empty())
        resume.keep("paperSize", paper);
    ojson titles = ojson::object();
    for (const char* title : kSectionTitleColumns)
        if (const auto found = configuration.find(title); found != configuration.end())
            titles[title] = found->second;
    if (!titles.empty())
        resume.keep("sectionTitles", std::move(titles));
}

template <typename Make>
void putList(ojson& document, const char* key, const std::vector<Row>& rows, Make make) {
    ojson items = ojson::array();
    for (const Row& row : rows)
        items.push_back(make(row));
    if (!items.empty())
        document[key] = std::move(items);
}

std::vector<Row> rowsOfType(const std::vector<Row>& rows, std::string_view lowerType) {
    std::vector<Row> chosen;
    for (const Row& row : rows)
        if (equalsIgnoringAsciiCase(column(row, "Type"), lowerType))
            chosen.push_back(row);
    return chosen;
}

void putResumeExtension(const ResumeData& data, Entry& resume) {
    if (const std::string objective = column(data.purpose, "objective"); !objective.empty())
        resume.keep("objective", objective);
    if (const std::string keywords = column(data.purpose, "keyword"); !keywords.empty())
        resume.keep("keywords", keywords);
    putHonors(data, resume);
    putPersonalReferences(data, resume);
    putLooks(data, resume);
    resume.keep("sectionOrder", texts(data.displayedSections.value_or(std::vector<std::string>())));
    resume.keep("availableSections",
                texts(data.availableSections.value_or(std::vector<std::string>())));
}

} // namespace

ojson jsonFromResume(const ResumeData& data) {
    Entry resume;
    ojson& document = resume.fields;
    document["$schema"] = kSchemaLink;
    document["basics"] = basicsOf(data);
    putList(document, "work", data.employment, workOf);
    putList(document, "volunteer", data.organizations, volunteerOf);
    putList(document, "education", data.education, educationOf);
    putList(document, "awards", rowsOfType(data.honors, "award"), awardOf);
    putList(document, "skills", data.skills, skillOf);
    putPersonal(column(data.purpose, "personal"), document, resume);
    putList(document, "references", rowsOfType(data.references, "professional"), referenceOf);
    putResumeExtension(data, resume);
    return resume.done();
}

} // namespace store
