// JSON Resume import and export against real files: the schema's own sample and
// examples, a file of this project with every section, names in several scripts and
// partial dates, the project's sample résumé, and malformed files.
#include "store/JsonResume.h"
#include "store/JsonResumeText.h"
#include "store/SqliteConnection.h"
#include "store/StoreError.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

const std::string kData = VITACRAFT_TEST_DATA "/json-resume/";

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

store::ResumeData readTables(const std::string& path) {
    const auto connection = store::openResumeFile(path);
    return store::readResume(*connection);
}

std::string exported(const std::string& path) {
    const auto connection = store::openResumeFile(path);
    return store::jsonResumeText(*connection);
}

// The project's own sample résumé, built from its SQL as the build does.
void makeProjectSample(const std::string& path) {
    store::createBlankResume(path);
    const auto connection = store::openResumeFile(path);
    const std::string sql = readText(VITACRAFT_SOURCE_DIR "/examples/sample.sql");
    ASSERT_EQ(sqlite3_exec(connection->handle(), sql.c_str(), nullptr, nullptr, nullptr),
              SQLITE_OK);
}

class JsonResumeTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    std::string path(const std::string& name) const {
        return m_dir.filePath(QString::fromStdString(name)).toStdString();
    }
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files); }

    QTemporaryDir m_dir;
};

TEST_F(JsonResumeTest, ImportsTheSchemaSampleIntoTheTables) {
    const std::vector<std::string> notImported =
        store::importJsonResume(kData + "sample.resume.json", path("r.vcw"));
    EXPECT_EQ(notImported,
              (std::vector<std::string>{"basics.label", "basics.profiles (2 entries)",
                                        "work[0].description", "volunteer[0].position",
                                        "volunteer[0].url", "references[0].reference",
                                        "publications (1 entry)", "projects (1 entry)"}));
    store::ResumeData data = readTables(path("r.vcw"));
    EXPECT_EQ(data.contact, (store::Row{{"FirstName", "Richard"},
                                        {"LastName", "Hendriks"},
                                        {"EmailAddress", "richard.hendriks@mail.com"},
                                        {"HomePhone", "(912) 555-4321"},
                                        {"PersonalWebsite", "http://richardhendricks.example.com"},
                                        {"PermanentAddressLine1", "2712 Broadway St"},
                                        {"PermanentCity", "San Francisco"},
                                        {"PermanentState", "California"},
                                        {"PermanentCountry", "United States"},
                                        {"PermanentZipCode", "CA 94115"}}));
    EXPECT_EQ(data.purpose["summary"].substr(0, 20), "Richard hails from T");
    EXPECT_EQ(data.purpose["personal"],
              "Language: English — Native speaker\nInterest: Wildlife — Ferrets, Unicorns");
    ASSERT_EQ(data.employment.size(), 1u);
    store::Row& work = data.employment[0];
    EXPECT_EQ(work["Company"], "Pied Piper");
    EXPECT_EQ(work["Position"], "CEO/President");
    EXPECT_EQ(work["City"] + "|" + work["Country"], "Palo Alto|CA");
    EXPECT_EQ(work["DateFrom"] + "|" + work["DateTo"], "2013-12-01|2014-12-01");
    EXPECT_EQ(work["StillEmployed"] + "|" + work["InAllPublished"], "False|True");
    EXPECT_NE(work["comments"].find("lossless compression.\n• Build an algorithm"),
              std::string::npos);
    ASSERT_EQ(data.education.size(), 1u);
    EXPECT_EQ(data.education[0]["Degree"], "Bachelor in Information Technology");
    EXPECT_EQ(data.education[0]["YearAwarded"], "2014");
    EXPECT_EQ(data.education[0]["Comment"],
              "Score: 4.0\n• DB1101 - Basic SQL\n• CS2011 - Java Introduction");
    EXPECT_EQ(data.honors,
              (std::vector<store::Row>{{{"Type", "Award"},
                                        {"Title", "Digital Compression Pioneer Award"},
                                        {"Date", "2014-11-01"},
                                        {"Comments", "Awarded by: Techcrunch\nThere is no spoon."},
                                        {"InAllPubliched", "True"}}}));
    ASSERT_EQ(data.organizations.size(), 1u);
    EXPECT_EQ(data.organizations[0]["Name"], "CoderDojo");
    ASSERT_EQ(data.skills.size(), 2u);
    EXPECT_EQ(data.skills[0]["comments"], "Level: Master\n• HTML\n• CSS\n• Javascript");
    ASSERT_EQ(data.references.size(), 1u);
    EXPECT_EQ(data.references[0]["Type"] + "|" + data.references[0]["Name"],
              "professional|Erlich Bachman");
    // The Personal statement now has content, so the résumé shows it.
    const std::vector<std::string>& shown = *data.displayedSections;
    EXPECT_EQ(std::vector<std::string>(shown.end() - 2, shown.end()),
              (std::vector<std::string>{"Personal", "Professional References"}));
}

TEST_F(JsonResumeTest, ImportKeepsScriptsPartialDatesAndOpenEndedEntries) {
    store::importJsonResume(kData + "every-section.resume.json", path("r.vcw"));
    store::ResumeData data = readTables(path("r.vcw"));
    EXPECT_EQ(data.contact["FirstName"] + "|" + data.contact["MiddleInitial"] + "|" +
                  data.contact["LastName"],
              "Zoë|Ł.|Παπαδοπούλου");
    EXPECT_EQ(data.contact["PermanentAddressLine1"] + "|" + data.contact["PermanentAddressLine2"],
              "Οδός Αθηνάς 5|2ος όροφος");
    EXPECT_EQ(data.contact["PermanentCountry"], "Greece");
    ASSERT_EQ(data.employment.size(), 2u);
    EXPECT_EQ(data.employment[0]["DateFrom"], "2019-04-01");
    EXPECT_EQ(data.employment[0].count("DateTo"), 0u);
    EXPECT_EQ(data.employment[0]["StillEmployed"], "True");
    EXPECT_EQ(data.employment[1]["DateFrom"] + "|" + data.employment[1]["StillEmployed"],
              "2012-01-01|False");
    EXPECT_EQ(data.organizations[0]["DateTo"], "2018-06-01");
    EXPECT_EQ(data.honors[0]["Date"], "2022-01-01");
    EXPECT_NE(data.purpose["personal"].find("Language: 日本語 — Fluent"), std::string::npos);
}

// What the schema's examples and our own files hold, in the form the export must give
// back: partial dates as stored, web addresses in their URI form.
nlohmann::json expectedValue(const std::string& key, const nlohmann::json& value) {
    if (!value.is_string())
        return value;
    const std::string text = value.get<std::string>();
    if (key.find("Date") != std::string::npos || key == "date")
        return store::jsonresume::storedDate(text).value_or(text);
    if (key == "url")
        return store::jsonresume::uriForm(text);
    return value;
}

void expectKept(const nlohmann::json& in, const nlohmann::json& out, const std::string& where,
                const std::vector<const char*>& keys) {
    for (const char* key : keys) {
        if (!in.contains(key) || in[key] == "" || in[key].empty())
            continue;
        EXPECT_EQ(out.value(key, nlohmann::json()), expectedValue(key, in[key])) << where << key;
    }
}

void expectMappedFieldsKept(const nlohmann::json& in, const nlohmann::json& out,
                            const std::string& file) {
    const nlohmann::json none = nlohmann::json::object();
    const nlohmann::json& basics = in.value("basics", none);
    expectKept(basics, out["basics"], file + " basics.",
               {"name", "email", "phone", "url", "summary"});
    expectKept(basics.value("location", none), out["basics"].value("location", none),
               file + " location.", {"address", "postalCode", "city", "countryCode", "region"});
    const std::pair<const char*, std::vector<const char*>> sections[] = {
        {"work",
         {"name", "location", "position", "url", "startDate", "endDate", "summary", "highlights"}},
        {"volunteer", {"organization", "startDate", "endDate", "summary", "highlights"}},
        {"education",
         {"institution", "url", "area", "studyType", "startDate", "endDate", "score", "courses"}},
        {"awards", {"title", "date", "awarder", "summary"}},
        {"skills", {"name", "level", "keywords"}},
        {"languages", {"language", "fluency"}},
        {"interests", {"name", "keywords"}},
        {"references", {"name"}},
    };
    for (const auto& [section, keys] : sections) {
        const nlohmann::json items = in.value(section, nlohmann::json::array());
        ASSERT_EQ(out.value(section, nlohmann::json::array()).size(), items.size())
            << file << ' ' << section;
        for (size_t i = 0; i < items.size(); ++i)
            expectKept(items[i], out[section][i],
                       file + ' ' + section + '[' + std::to_string(i) + "].", keys);
    }
}

TEST_F(JsonResumeTest, ExportKeepsEveryMappedFieldValidatesAndSurvivesASecondRoundTrip) {
    const std::vector<std::string> files = {"sample.resume.json",
                                            "examples/career-changer.resume.json",
                                            "examples/new-grad.resume.json",
                                            "examples/senior-engineer.resume.json",
                                            "every-section.resume.json",
                                            "<the project's sample>"};
    QStringList exportedFiles;
    for (size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i]);
        const std::string first = path("first" + std::to_string(i) + ".vcw");
        if (i + 1 == files.size())
            makeProjectSample(first);
        else
            store::importJsonResume(kData + files[i], first);
        const std::string text = exported(first);
        if (i + 1 < files.size())
            expectMappedFieldsKept(nlohmann::json::parse(readText(kData + files[i])),
                                   nlohmann::json::parse(text), files[i]);
        const std::string json = path("first" + std::to_string(i) + ".json");
        writeText(json, text);
        exportedFiles << QString::fromStdString(json);
        const std::string second = path("second" + std::to_string(i) + ".vcw");
        store::importJsonResume(json, second);
        EXPECT_EQ(exported(second), text);
    }
    QProcess python;
    python.start("/usr/bin/python3", QStringList{QString::fromStdString(kData + "validate.py"),
                                                 QString::fromStdString(kData + "schema.json")} +
                                         exportedFiles);
    ASSERT_TRUE(python.waitForFinished(120000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardOutput().toStdString()
                                    << python.readAllStandardError().toStdString();
}

// An empty column reads as an empty text either way; the export leaves both out.
store::Row filled(store::Row row) {
    std::erase_if(row, [](const auto& column) { return column.second.empty(); });
    return row;
}

std::vector<store::Row> filled(const std::vector<store::Row>& rows, const std::string& type = {}) {
    std::vector<store::Row> chosen;
    for (const store::Row& row : rows)
        if (type.empty() || row.at("Type") == type)
            chosen.push_back(filled(row));
    return chosen;
}

TEST_F(JsonResumeTest, TheProjectSampleComesBackColumnForColumn) {
    makeProjectSample(path("sample.vcw"));
    ASSERT_EQ(sqlite3_exec(store::openResumeFile(path("sample.vcw"))->handle(),
                           "UPDATE Configuration SET PaperSize = 'A4'", nullptr, nullptr, nullptr),
              SQLITE_OK);
    writeText(path("sample.json"), exported(path("sample.vcw")));
    store::importJsonResume(path("sample.json"), path("back.vcw"));
    const store::ResumeData before = readTables(path("sample.vcw"));
    const store::ResumeData after = readTables(path("back.vcw"));
    EXPECT_EQ(filled(after.contact), filled(before.contact));
    EXPECT_EQ(filled(after.purpose), filled(before.purpose));
    EXPECT_EQ(after.configuration, before.configuration);
    EXPECT_EQ(filled(after.employment), filled(before.employment));
    EXPECT_EQ(filled(after.education), filled(before.education));
    EXPECT_EQ(filled(after.organizations), filled(before.organizations));
    EXPECT_EQ(filled(after.skills), filled(before.skills));
    EXPECT_EQ(filled(after.references), filled(before.references));
    EXPECT_EQ(after.displayedSections, before.displayedSections);
    EXPECT_EQ(after.availableSections, before.availableSections);
    // Honours come back grouped by kind, each kind in its order.
    for (const char* type : {"Honor", "Award", "Achievement"})
        EXPECT_EQ(filled(after.honors, type), filled(before.honors, type)) << type;
}

TEST_F(JsonResumeTest, KeptTextWinsOnlyWhileTheStandardFieldStillAgrees) {
    const struct {
        const char* basics;
        const char* first;
        const char* last;
        const char* website;
    } cases[] = {
        {R"("name": "Jan Maria Kowalski", "x-vitacraft": {"name": {"first": "Jan", "middle": "",
          "last": "Maria Kowalski"}})",
         "Jan", "Maria Kowalski", ""},
        {R"("name": "Jan Nowak", "x-vitacraft": {"name": {"first": "Jan", "middle": "",
          "last": "Maria Kowalski"}})",
         "Jan", "Nowak", ""},
        {R"("url": "https://example.org/a", "x-vitacraft": {"url": "example.org/a"})", "", "",
         "example.org/a"},
        {R"("url": "https://example.org/b", "x-vitacraft": {"url": "example.org/a"})", "", "",
         "https://example.org/b"},
    };
    int i = 0;
    for (const auto& c : cases) {
        const std::string json = path("in" + std::to_string(i) + ".json");
        const std::string resume = path("in" + std::to_string(i++) + ".vcw");
        writeText(json, std::string("{\"basics\": {") + c.basics + "}}");
        store::importJsonResume(json, resume);
        store::Row contact = readTables(resume).contact;
        EXPECT_EQ(contact["FirstName"], c.first) << c.basics;
        EXPECT_EQ(contact["LastName"], c.last) << c.basics;
        EXPECT_EQ(contact["PersonalWebsite"], c.website) << c.basics;
    }
}

TEST_F(JsonResumeTest, MalformedFilesAreRefusedWithNothingWritten) {
    const std::string in = path("in.json");
    const std::string prefix = "Cannot import '" + in + "': ";
    const struct {
        const char* name;
        std::string text;
        std::string message;
    } cases[] = {
        {"trailing comma", R"({"basics": {"name": "A",}})", "it is not JSON (line 1, column 25)."},
        {"unclosed object", "{\n  \"work\": [\n    {\"name\": \"x\"\n  ]\n}",
         "it is not JSON (line 4, column 3)."},
        {"empty file", "", "it is not JSON (line 1, column 1)."},
        {"not UTF-8", "{\"basics\": {\"name\": \"Zo\xC3\xAB \xFF\"}}",
         "it is not JSON (line 1, column 26)."},
        {"array", "[{\"basics\": {}}]", "its JSON is not an object, as a JSON Resume is."},
        {"text", "\"resume\"", "its JSON is not an object, as a JSON Resume is."},
        {"deep", "{\"a\": " + std::string(100, '[') + std::string(100, ']') + "}",
         "its JSON nests deeper than 64 levels."},
        {"basics", R"({"basics": "Ada"})", "basics must be an object."},
        {"work", R"({"work": {"name": "x"}})", "work must be an array."},
        {"entry", R"({"work": [1]})", "work[0] must be an object."},
        {"date type", R"({"work": [{}, {}, {"startDate": 2014}]})",
         "work[2].startDate must be a string."},
        {"highlight", R"({"work": [{"highlights": ["a", 2]}]})",
         "work[0].highlights[1] must be a string."},
        {"location", R"({"basics": {"location": {"city": ["Rome"]}}})",
         "basics.location.city must be a string."},
        {"date form", R"({"education": [{"endDate": "2014/06/01"}]})",
         "education[0].endDate is not an ISO 8601 date (YYYY, YYYY-MM or YYYY-MM-DD): "
         "'2014/06/01'."},
        {"no such day", R"({"awards": [{"date": "2023-02-29"}]})",
         "awards[0].date is not an ISO 8601 date (YYYY, YYYY-MM or YYYY-MM-DD): '2023-02-29'."},
        {"section", R"({"projects": "many"})", "projects must be an array."},
        {"flag", R"({"work": [{"x-vitacraft": {"published": "no"}}]})",
         "work[0].x-vitacraft.published must be true or false."},
        {"font size", R"({"x-vitacraft": {"fonts": {"heading": {"size": 1.5}}}})",
         "x-vitacraft.fonts.heading.size must be a whole number."},
    };
    const std::string out = path("out.vcw");
    for (const auto& c : cases) {
        writeText(in, c.text);
        try {
            store::importJsonResume(in, out);
            ADD_FAILURE() << c.name << ": imported";
        } catch (const store::EJsonResumeError& error) {
            EXPECT_EQ(error.what(), prefix + c.message) << c.name;
        }
        EXPECT_EQ(files(), QStringList{"in.json"}) << c.name;
    }
    try {
        store::importJsonResume(path("none.json"), out);
        ADD_FAILURE() << "a missing file was imported";
    } catch (const store::EJsonResumeError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot import '" + path("none.json") +
                                                 "': the file cannot be read (No such file or "
                                                 "directory).");
    }
    EXPECT_EQ(files(), QStringList{"in.json"});
}

TEST_F(JsonResumeTest, NeitherImportNorExportReplacesAFileUnasked) {
    writeText(path("keep.vcw"), "mine");
    writeText(path("keep.json"), "mine");
    try {
        store::importJsonResume(kData + "sample.resume.json", path("keep.vcw"));
        ADD_FAILURE() << "imported over a file";
    } catch (const store::EJsonResumeError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The file '" + path("keep.vcw") + "' already exists; it was not overwritten.");
    }
    store::importJsonResume(kData + "sample.resume.json", path("r.vcw"));
    const auto connection = store::openResumeFile(path("r.vcw"));
    EXPECT_THROW(store::exportJsonResume(*connection, path("keep.json"), false),
                 store::EJsonResumeError);
    EXPECT_EQ(readText(path("keep.vcw")), "mine");
    EXPECT_EQ(readText(path("keep.json")), "mine");
    EXPECT_EQ(files(), (QStringList{"keep.json", "keep.vcw", "r.vcw"}));
    // Asked (the desktop's save dialog asks), the export replaces the file whole.
    store::exportJsonResume(*connection, path("keep.json"), true);
    EXPECT_EQ(readText(path("keep.json")), store::jsonResumeText(*connection));
    EXPECT_EQ(files(), (QStringList{"keep.json", "keep.vcw", "r.vcw"}));
}

TEST_F(JsonResumeTest, TextThatIsNotUtf8IsRefusedRatherThanWrittenChanged) {
    store::createBlankResume(path("r.vcw"));
    const auto connection = store::openResumeFile(path("r.vcw"));
    ASSERT_EQ(sqlite3_exec(connection->handle(),
                           "UPDATE ContactInfo SET FirstName = CAST(X'416461FF' AS TEXT)", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    try {
        store::exportJsonResume(*connection, path("r.json"), false);
        ADD_FAILURE() << "exported";
    } catch (const store::EJsonResumeError& error) {
        EXPECT_STREQ(error.what(),
                     "The resume holds text that is not UTF-8, so it cannot be written as JSON.");
    }
    EXPECT_EQ(files(), QStringList{"r.vcw"});
}

} // namespace
