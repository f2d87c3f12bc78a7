// The résumé template of the program run over a résumé end to end: the sections
// come in the chosen order, only published entries appear, and what the user typed
// reaches the document as RTF that reads back as typed.
#include "generate/qt/GenerationCommands.h"

#include "ResumeFixture.h"

#include <QFile>

#include <gtest/gtest.h>

#include <vector>

namespace generate::test {
namespace {

class ResumeDocumentTest : public ResumeFixture {
protected:
    void SetUp() override {
        ResumeFixture::SetUp();
        exec("UPDATE ContactInfo SET FirstName = 'Ren\u00e9e', LastName = 'Brandt', "
             "PermanentAddressLine1 = '1 Main St', PermanentCity = 'Springfield'");
        exec("UPDATE Purpose SET objective = 'OBJECTIVE-TEXT', summary = 'SUMMARY-TEXT'");
        exec("INSERT INTO Skills (skill, comments, InAllPublished) VALUES "
             "('SKILL-ONE', 'uses {braces} and a \\ backslash', 'True'), "
             "('SKILL-HIDDEN', '', 'False'), ('SKILL-TWO', '', 'True')");
        exec("INSERT INTO EmploymentHistory (Company, Position, DateFrom, DateTo, "
             "InAllPublished) VALUES ('COMPANY-ONE', 'POSITION-ONE', '2016-03-01', "
             "'2024-06-30', 'True'), ('COMPANY-HIDDEN', 'POSITION-HIDDEN', '2010-01-01', "
             "'2011-01-01', 'False')");
        exec("INSERT INTO Honors (Type, Title, Date, InAllPubliched) VALUES "
             "('Award', 'AWARD-ONE', '2019-11-20', 'True')");
    }

    std::string generate() {
        GenerationCommands commands(*m_dm, m_dir.path(), m_dir.path(), QString());
        commands.setTemplatePath(VITACRAFT_SOURCE_DIR "/templates/ContemporaryResume.rtf");
        const QString out = m_dir.filePath(QStringLiteral("resume.doc"));
        commands.generateDocument(out);
        QFile file(out);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    }
};

// Positions of `needles` in `text`, npos for those missing.
std::vector<size_t> positions(const std::string& text, const std::vector<std::string>& needles) {
    std::vector<size_t> found;
    for (const std::string& needle : needles) {
        found.push_back(text.find(needle));
    }
    return found;
}

TEST_F(ResumeDocumentTest, SectionsFollowTheDisplayedOrderWithPublishedEntriesOnly) {
    const struct {
        QStringList order;
        std::vector<std::string> expected; // in document order
        std::vector<std::string> absent;
    } cases[] = {
        {{"Skills", "Objective", "Employment History"},
         {"SKILL-ONE", "SKILL-TWO", "OBJECTIVE-TEXT", "POSITION-ONE", "COMPANY-ONE"},
         {"SUMMARY-TEXT", "AWARD-ONE", "SKILL-HIDDEN", "COMPANY-HIDDEN", "POSITION-HIDDEN"}},
        {{"Awards", "Employment History", "Summary", "Skills"},
         {"AWARD-ONE", "2019", "POSITION-ONE", "2016", "2024", "SUMMARY-TEXT", "SKILL-ONE"},
         {"OBJECTIVE-TEXT", "SKILL-HIDDEN", "COMPANY-HIDDEN"}},
        // The same section twice prints it twice; an unknown spelling prints nothing.
        {{"Summary", "skills", "Summary"}, {"SUMMARY-TEXT"}, {"SKILL-ONE", "OBJECTIVE-TEXT"}},
        {{}, {"Ren\\'E9e"}, {"SUMMARY-TEXT", "SKILL-ONE", "OBJECTIVE-TEXT", "POSITION-ONE"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order.join(" / ").toStdString());
        setDisplayedOrder(c.order);
        const std::string document = generate();
        const std::vector<size_t> found = positions(document, c.expected);
        for (size_t i = 0; i < found.size(); ++i) {
            ASSERT_NE(found[i], std::string::npos) << c.expected[i] << "\n" << document;
            if (i > 0) {
                EXPECT_LT(found[i - 1], found[i])
                    << c.expected[i - 1] << " before " << c.expected[i];
            }
        }
        for (const std::string& missing : c.absent) {
            EXPECT_EQ(document.find(missing), std::string::npos) << missing;
        }
    }
    // The repeated section came out once per row.
    setDisplayedOrder({"Summary", "Summary"});
    const std::string twice = generate();
    const size_t first = twice.find("SUMMARY-TEXT");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(twice.find("SUMMARY-TEXT", first + 1), std::string::npos);
}

TEST_F(ResumeDocumentTest, TypedTextArrivesEscapedAndTheGroupsStayBalanced) {
    setDisplayedOrder({"Skills"});
    const std::string document = generate();
    EXPECT_NE(document.find("Ren\\'E9e"), std::string::npos);
    // The résumé's fonts are declared in the engine's character set 1 (the default),
    // whatever the template says.
    EXPECT_NE(document.find("{\\f0\\fswiss\\fcharset1 Arial;}"), std::string::npos) << document;
    EXPECT_NE(document.find("uses \\{braces\\} and a \\\\ backslash"), std::string::npos);
    // Every group of the document is closed, and nothing follows the last one.
    int depth = 0;
    size_t closedAt = std::string::npos;
    for (size_t i = 0; i < document.size(); ++i) {
        if (document[i] == '\\') {
            ++i;
        } else if (document[i] == '{') {
            ++depth;
        } else if (document[i] == '}' && --depth == 0) {
            closedAt = i;
            break;
        }
        ASSERT_GE(depth, 0);
    }
    ASSERT_NE(closedAt, std::string::npos);
    EXPECT_EQ(document.find_first_not_of("\r\n", closedAt + 1), std::string::npos);
}

TEST_F(ResumeDocumentTest, InformationGroupNamesThePerson) {
    const struct {
        const char* update;
        std::string group;
    } cases[] = {
        {"UPDATE ContactInfo SET LastName = 'Brandt'",
         "{\\info{\\title R\\'E9sum\\'E9 of Ren\\'E9e Brandt}{\\author Ren\\'E9e Brandt}}"},
        {"UPDATE ContactInfo SET FirstName = NULL", "{\\info{\\title R\\'E9sum\\'E9 of Brandt}"},
        {"UPDATE ContactInfo SET FirstName = '', LastName = ''", "{\\info}"},
    };
    for (const auto& c : cases) {
        exec(c.update);
        EXPECT_NE(generate().find(c.group), std::string::npos) << c.group;
    }
}

} // namespace
} // namespace generate::test
