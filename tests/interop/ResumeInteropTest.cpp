// Résumé documents read by real RTF readers: LibreOffice (and, for the sample, pandoc)
// turns the exported RTF into plain text, which must show the sections in their order
// and every value as the user typed it, however hostile to RTF the value is.
#include "generate/qt/GenerationCommands.h"
#include "store/TDM.h"
#include "store/qt/Connection.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "support/Files.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        result.push_back(line);
        start = end + 1;
    }
    return result;
}

class ResumeInteropTest : public testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::haveProgram("soffice")) {
            GTEST_SKIP() << "LibreOffice is not installed";
        }
        ASSERT_TRUE(m_dir.isValid());
        m_db = store::connection(QStringLiteral("resume-interop"));
    }
    void TearDown() override {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("resume-interop"));
    }

    void openResume(const QString& path) { store::openResume(m_db, path); }

    void exec(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery query(m_db);
        ASSERT_TRUE(query.prepare(sql)) << query.lastError().text().toStdString();
        for (const QVariant& value : values) {
            query.addBindValue(value);
        }
        ASSERT_TRUE(query.exec()) << sql.toStdString() << ": "
                                  << query.lastError().text().toStdString();
    }

    // Exports the open résumé through the program's template and returns what
    // LibreOffice reads in it, as UTF-8 text.
    std::string exportedText() {
        store::TDM dm(store::statementsOf(m_db));
        generate::GenerationCommands commands(dm, m_dir.path(), m_dir.path(), QString());
        commands.setTemplatePath(VITACRAFT_SOURCE_DIR "/templates/ContemporaryResume.rtf");
        const QString document = m_dir.filePath(QStringLiteral("resume.doc"));
        commands.generateDocument(document);
        const std::string dir = m_dir.path().toStdString();
        testsupport::convertWithLibreOffice(dir, "txt:Text", dir, "resume.doc");
        QFile text(m_dir.filePath(QStringLiteral("resume.txt")));
        if (!text.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "LibreOffice wrote no text";
            return {};
        }
        std::string result = text.readAll().toStdString();
        if (result.rfind("\xEF\xBB\xBF", 0) == 0) {
            result.erase(0, 3);
        }
        return result;
    }

    QTemporaryDir m_dir;
    QSqlDatabase m_db;
};

// The heading the template prints for each section.
const std::map<std::string, std::string> kHeadings = {
    {"Objective", "Objective"},
    {"Summary", "Summary"},
    {"Personal", "Personal"},
    {"Keywords", "Keywords"},
    {"Educational History", "Education"},
    {"Employment History", "Employment History"},
    {"Professional References", "Professional References"},
    {"Personal References", "Personal References"},
    {"Organizations", "Organizations"},
    {"Skills", "Skills"},
    {"Honors", "Honors"},
    {"Awards", "Awards"},
    {"Achievements", "Achievements"},
};

TEST_F(ResumeInteropTest, TheSampleReadsWithItsSectionsInOrder) {
    const QString sample = m_dir.filePath(QStringLiteral("sample.vcw"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VITACRAFT_BIN_DIR "/sample.vcw"), sample))
        << "the build makes sample.vcw beside the program";
    openResume(sample);
    std::vector<std::string> order;
    {
        QSqlQuery query(m_db);
        ASSERT_TRUE(
            query.exec(QStringLiteral("SELECT Section FROM DisplayedOrder ORDER BY rowid")));
        while (query.next()) {
            order.push_back(query.value(0).toString().toStdString());
        }
    }
    ASSERT_EQ(order.size(), kHeadings.size()) << "the sample shows every section";

    const std::string text = exportedText();
    const std::vector<std::string> all = lines(text);
    size_t previous = 0;
    for (const std::string& section : order) {
        size_t at = previous;
        while (at < all.size() && all[at] != kHeadings.at(section)) {
            ++at;
        }
        ASSERT_LT(at, all.size()) << section << " missing after line " << previous << ":\n" << text;
        previous = at + 1;
    }
    const char* const typedTexts[] = {"Ren\u00e9e J Micha\u0142owska",
                                      "N\u00f8rrebrogade 41",
                                      "M\u00fcller & S\u00f8n",
                                      "Se\u00f1al Software",
                                      "Dvo\u0159\u00e1k Analytics",
                                      "Tom\u00e1\u0161 \u0158ezn\u00ed\u010dek",
                                      "2015 \u2013 2019"};
    for (const char* typed : typedTexts) {
        EXPECT_NE(text.find(typed), std::string::npos) << typed << "\n" << text;
    }
    for (const char* unpublished : {"Summer Job", "Certified Scrum"}) {
        EXPECT_EQ(text.find(unpublished), std::string::npos) << unpublished;
    }

    // Other readers of the same document: pandoc reads every name as typed, and
    // unrtf, which ignores \uN, shows the nearest plain letter in its place.
    const std::string document = m_dir.filePath(QStringLiteral("resume.doc")).toStdString();
    if (!testsupport::haveProgram("pandoc") || !testsupport::haveProgram("unrtf")) {
        GTEST_SKIP() << "pandoc or unrtf is not installed";
    }
    const std::string pandocText =
        testsupport::commandOutput("pandoc -f rtf -t plain --wrap=none '" + document + "'");
    for (const char* typed : typedTexts) {
        EXPECT_NE(pandocText.find(typed), std::string::npos) << typed << "\n" << pandocText;
    }
    const std::string unrtfText =
        testsupport::commandOutput("unrtf --text '" + document + "' 2>/dev/null");
    for (const char* fallback : {"J Michalowska", " Rezn"}) {
        EXPECT_NE(unrtfText.find(fallback), std::string::npos) << fallback << "\n" << unrtfText;
    }
}

// Every field the résumé prints, each filled with what RTF treats specially: control
// words, braces, backslashes, NUL and other control bytes, letters outside code page
// 1252 and a line of 10,000 characters. LibreOffice must open the document and show
// each value as typed; only the invisible control bytes are left out.
TEST_F(ResumeInteropTest, HostileTextInEveryFieldReadsAsTyped) {
    const QString path = m_dir.filePath(QStringLiteral("hostile.vcw"));
    store::createBlankResume(path);
    openResume(path);

    QString longLine;
    while (longLine.size() < 10000) {
        longLine += QStringLiteral("{x}\\y z");
    }
    longLine.truncate(10000);
    int counter = 0;
    std::vector<std::string> expected;
    // A value unique to its field, and what a reader should see of it.
    const auto hostile = [&](bool withLongLine = true) {
        const QString tag = QStringLiteral("F%1:").arg(++counter, 2, 10, QLatin1Char('0'));
        const QString visible = tag + QStringLiteral("\\par }{\\b b} \\'41 \\u1234? {\\*\\x} "
                                                     "\u00e9\u0142\U0001F600 \\");
        QString typed = visible;
        typed.insert(tag.size() + 2, QChar(0));
        typed.insert(tag.size() + 6, QStringLiteral("\x01\x1f\x7f"));
        if (withLongLine) {
            typed += longLine;
        }
        QString seen = visible;
        if (withLongLine) {
            seen += longLine;
        }
        expected.push_back(seen.toStdString());
        return typed;
    };

    exec("UPDATE ContactInfo SET FirstName = ?, MiddleInitial = ?, LastName = ?, HomePhone = ?, "
         "WorkPhone = ?, EmailAddress = ?, PersonalWebsite = ?, PermanentAddressLine1 = ?, "
         "PermanentAddressLine2 = ?, PermanentCity = ?, PermanentState = ?, "
         "PermanentZipCode = ?, PermanentCountry = ?",
         {hostile(), hostile(false), hostile(), hostile(), hostile(), hostile(), hostile(),
          hostile(), hostile(), hostile(), hostile(), hostile(), hostile()});
    exec("UPDATE Purpose SET objective = ?, summary = ?, personal = ?, keyword = ?",
         {hostile(), hostile(), hostile(), hostile()});
    exec("INSERT INTO EmploymentHistory (Company, Position, City, Country, URL, comments, "
         "DateFrom, DateTo, InAllPublished) VALUES (?, ?, ?, ?, ?, ?, '2001-01-01', "
         "'2002-01-01', 'True')",
         {hostile(), hostile(), hostile(), hostile(), hostile(), hostile()});
    exec("INSERT INTO EducationalHistory (Institution, Degree, YearAwarded, URL, Comment, "
         "DateFrom, DateTo, InAllPublished) VALUES (?, ?, ?, ?, ?, '2001-01-01', '2002-01-01', "
         "'True')",
         {hostile(), hostile(), hostile(), hostile(), hostile()});
    exec("INSERT INTO Skills (skill, comments, InAllPublished) VALUES (?, ?, 'True')",
         {hostile(false), hostile()});
    for (const char* type : {"Honor", "Award", "Achievement"}) {
        exec("INSERT INTO Honors (Type, Title, Comments, Date, InAllPubliched) VALUES "
             "(?, ?, ?, '2003-03-03', 'True')",
             {QString::fromLatin1(type), hostile(), hostile()});
    }
    exec("INSERT INTO Organizations (Name, Comments, DateFrom, DateTo, InAllPublished) "
         "VALUES (?, ?, '2001-01-01', '2002-01-01', 'True')",
         {hostile(), hostile()});
    for (const char* type : {"professional", "personal"}) {
        exec("INSERT INTO refer (Type, Name, Title, Organization, AddressLine1, AddressLine2, "
             "City, Phone, Email, InAllPublished) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 'True')",
             {QString::fromLatin1(type), hostile(), hostile(), hostile(), hostile(), hostile(),
              hostile(), hostile(), hostile()});
    }
    exec("DELETE FROM DisplayedOrder");
    for (const auto& [section, heading] : kHeadings) {
        exec("INSERT INTO DisplayedOrder VALUES (?)", {QString::fromStdString(section)});
    }

    const std::string text = exportedText();
    ASSERT_FALSE(text.empty());
    for (const std::string& value : expected) {
        EXPECT_NE(text.find(value), std::string::npos) << value.substr(0, 60);
    }
}

} // namespace
