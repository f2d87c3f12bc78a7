#include "generate/qt/GenerationCommands.h"

#include "generate/ExportTarget.h"

#include "ResumeFixture.h"
#include "rtfengine/Errors.h"
#include "support/DesktopDoubles.h"

#include "support/Files.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cstdio>

namespace generate::test {
namespace {

class GenerationCommandsTest : public ResumeFixture {
protected:
    void SetUp() override {
        ResumeFixture::SetUp();
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("bin/templates"));
        m_programDir = m_dir.filePath("bin");
        writeTemplate("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\\\Name()\\\\}");
        exec("UPDATE ContactInfo SET FirstName = 'John', MiddleInitial = 'Q', LastName = 'Smith'");
        m_commands =
            std::make_unique<GenerationCommands>(*m_dm, m_programDir, m_programDir, "Title Of App");
    }
    void TearDown() override {
        m_commands.reset();
        ResumeFixture::TearDown();
    }
    void writeTemplate(const std::string& text) {
        QFile file(m_programDir + "/templates/ContemporaryResume.rtf");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    bool anyDatasetOpen() {
        for (store::SqlDataset* dataset : m_dm->datasets()) {
            if (dataset->isOpen()) {
                return true;
            }
        }
        return false;
    }

    QString m_programDir;
    std::unique_ptr<GenerationCommands> m_commands;
    testsupport::ScriptedDialogs m_dialogs;
    testsupport::RecordingShell m_shell;
};

TEST_F(GenerationCommandsTest, ConfiguresTheEngineOnce) {
    rtfengine::TRtfEngine& engine = m_commands->Export();
    EXPECT_EQ(engine.charset(), 1);
    EXPECT_EQ(engine.lang(), 1033);
    EXPECT_EQ(engine.varList(), (std::vector<std::string>{"AddressString=''", "YearFormat=yyyy"}));
    EXPECT_EQ(engine.trueValue(), "True");
    EXPECT_EQ(engine.falseValue(), "False");
    EXPECT_TRUE(engine.disableControls());
    EXPECT_EQ(engine.options(), (rtfengine::TRtfOptions{rtfengine::TRtfOption::eoGraphicsBinary,
                                                        rtfengine::TRtfOption::eoDotAsColon}));
    EXPECT_EQ(engine.udfList(), &m_commands->UdfList1());
    EXPECT_TRUE(static_cast<bool>(engine.OnScanRecord));
    EXPECT_EQ(engine.outFile(), "temp.doc");
    EXPECT_EQ(m_commands->currentResumePath(), m_programDir + "/temp.doc");
    EXPECT_EQ(m_commands->templatePath(),
              (m_programDir + "/templates/ContemporaryResume.rtf").toStdString());
}

TEST_F(GenerationCommandsTest, HandsTheFifteenDatasetsInTheirFixedOrder) {
    std::vector<std::string> names;
    for (rtfengine::Dataset* dataset : m_commands->sectionList()) {
        names.push_back(dataset->name());
    }
    EXPECT_EQ(names, (std::vector<std::string>{
                         "DisplayedOrder", "ContactInfo", "EducationalHistory", "ObjectiveQuery",
                         "EmploymentHistory", "SummaryQuery", "PersonalQuery", "KeywordsQuery",
                         "OrganizationsQuery", "SkillsQuery", "PersonalReferencesQuery",
                         "ProfessionalReferencesQuery", "HonorsQuery", "AwardsQuery",
                         "AchievementQuery"}));
}

TEST_F(GenerationCommandsTest, CancellingTheExportChangesNothing) {
    m_dialogs.saveAnswers.push_back(std::nullopt);
    EXPECT_FALSE(m_commands->exportResume(m_dialogs));
    ASSERT_EQ(m_dialogs.saveRequests.size(), 1u);
    const platform::FileDialogOptions& request = m_dialogs.saveRequests.front();
    EXPECT_EQ(request.title, "Export Resume As ...");
    EXPECT_EQ(request.filter, "Word Document|*.doc");
    EXPECT_EQ(request.defaultExtension, "*.doc");
    EXPECT_TRUE(request.directory.isEmpty());
    EXPECT_EQ(m_commands->currentResumePath(), m_programDir + "/temp.doc");
    EXPECT_TRUE(m_dialogs.messages.empty());
    EXPECT_FALSE(QFile::exists(m_programDir + "/temp.doc"));
    EXPECT_FALSE(anyDatasetOpen());
}

TEST_F(GenerationCommandsTest, ExportWritesTheChosenFileAndLaterCommandsUseIt) {
    const QString target = m_dir.filePath("My Resume.doc");
    m_dialogs.saveAnswers.push_back(target);
    EXPECT_TRUE(m_commands->exportResume(m_dialogs));

    EXPECT_NE(testsupport::readFile(target.toStdString()).find("John Q Smith"), std::string::npos);
    EXPECT_EQ(m_commands->currentResumePath(), target);
    EXPECT_FALSE(anyDatasetOpen());
    ASSERT_EQ(m_dialogs.messages.size(), 1u);
    EXPECT_EQ(m_dialogs.messages[0].text, "Your resume was exported as \"" + target + "\"");
    EXPECT_EQ(m_dialogs.messages[0].caption, "Title Of App");
    EXPECT_EQ(m_dialogs.messages[0].buttons, platform::Buttons::Ok);
    EXPECT_TRUE(m_shell.calls.empty());

    exec("UPDATE ContactInfo SET MiddleInitial = ''");
    m_commands->previewResume(m_shell);
    EXPECT_NE(testsupport::readFile(target.toStdString()).find("John  Smith"), std::string::npos);
    m_commands->editResume(m_shell, m_dialogs);
    m_commands->printResume(m_shell, m_dialogs);
    ASSERT_EQ(m_shell.calls.size(), 3u);
    const QString verbs[] = {"", "open", "print"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(m_shell.calls[i].verb, verbs[i]);
        EXPECT_EQ(m_shell.calls[i].target, target);
        EXPECT_TRUE(m_shell.calls[i].parameters.isEmpty());
        EXPECT_TRUE(m_shell.calls[i].directory.isEmpty());
        EXPECT_EQ(m_shell.calls[i].showCommand, 5);
    }
    EXPECT_EQ(m_dialogs.messages.size(), 1u);
}

TEST_F(GenerationCommandsTest, PreviewWritesTempDocAndOpensIt) {
    m_commands->previewResume(m_shell);
    EXPECT_NE(
        testsupport::readFile((m_programDir + "/temp.doc").toStdString()).find("John Q Smith"),
        std::string::npos);
    ASSERT_EQ(m_shell.calls.size(), 1u);
    EXPECT_EQ(m_shell.calls[0].target, m_programDir + "/temp.doc");
    EXPECT_FALSE(anyDatasetOpen());
    EXPECT_TRUE(m_dialogs.messages.empty());
}

TEST_F(GenerationCommandsTest, APreviewThatCannotBeOpenedFailsWithTheShellsReason) {
    m_shell.results.push_back(platform::kShellNoAssociation);
    try {
        m_commands->previewResume(m_shell);
        FAIL() << "expected the open failure";
    } catch (const rtfengine::EIOError& e) {
        EXPECT_STREQ(e.what(), "Failed to open report results. Error message: There is no "
                               "application associated with the given filename extension.");
    }
    EXPECT_TRUE(QFile::exists(m_programDir + "/temp.doc"));
    EXPECT_FALSE(anyDatasetOpen());
}

// A failed run closes its datasets, so the next one prints the résumé as it is now
// and not the rows the failed run had read.
TEST_F(GenerationCommandsTest, ARunAfterAFailedOneReadsTheResumeAsItIsNow) {
    const std::string good = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\\\Name()\\\\}";
    const struct {
        const char* name;
        const char* failingTemplate; // null: the template is missing
        bool shellFails;
    } cases[] = {
        {"template missing", nullptr, false},
        {"template not RTF", "plain text", false},
        {"document not opened", good.c_str(), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        exec("UPDATE ContactInfo SET LastName = 'Smith'");
        if (c.failingTemplate) {
            writeTemplate(c.failingTemplate);
        } else {
            std::remove(m_commands->templatePath().c_str());
        }
        if (c.shellFails) {
            m_shell.results.push_back(platform::kShellNoAssociation);
        }
        EXPECT_THROW(m_commands->previewResume(m_shell), std::exception);
        EXPECT_FALSE(anyDatasetOpen());

        writeTemplate(good);
        exec("UPDATE ContactInfo SET LastName = 'Jones'");
        m_commands->generateDocument(m_programDir + "/now.doc");
        const std::string document =
            testsupport::readFile((m_programDir + "/now.doc").toStdString());
        EXPECT_NE(document.find("John Q Jones"), std::string::npos) << document;
    }
}

// After a failed export the desktop commands go on with the last document that
// was written, not with the file the failed run left behind.
TEST_F(GenerationCommandsTest, AFailedExportGoesBackToTheLastDocumentAndShowsNoMessage) {
    const QString first = m_dir.filePath("first.doc");
    m_dialogs.saveAnswers.push_back(first);
    ASSERT_TRUE(m_commands->exportResume(m_dialogs));
    m_dialogs.messages.clear();

    std::remove(m_commands->templatePath().c_str());
    const QString target = m_dir.filePath("out.doc");
    m_dialogs.saveAnswers.push_back(target);
    try {
        m_commands->exportResume(m_dialogs);
        FAIL() << "expected the template failure";
    } catch (const rtfengine::EIOError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Can't read report template from file: " + m_commands->templatePath());
    }
    EXPECT_EQ(m_commands->currentResumePath(), first);
    EXPECT_TRUE(m_dialogs.messages.empty());
    EXPECT_FALSE(anyDatasetOpen());
    m_commands->editResume(m_shell, m_dialogs);
    ASSERT_EQ(m_shell.calls.size(), 1u);
    EXPECT_EQ(m_shell.calls[0].target, first);
}

// An export never replaces a résumé database or the template, however the path
// is spelt; the refusal names the file and leaves everything as it was.
TEST_F(GenerationCommandsTest, AnExportOntoADatabaseOrTheTemplateIsRefused) {
    m_commands->setResumeDatabase([this] { return m_path; });
    for (const char* name : {"data.mdb", "data.tmp", "data-2.tmp", "data-12.tmp"}) {
        ASSERT_TRUE(QFile::copy(m_path, m_programDir + "/" + name));
    }
    ASSERT_TRUE(QFile::link(m_path, m_dir.filePath("link.doc")));
    const QString cases[] = {
        m_path,
        m_dir.filePath("bin/../resume.vcw"),
        m_dir.filePath("link.doc"),
        m_programDir + "/data.mdb",
        m_programDir + "/data.tmp",
        m_programDir + "/templates/../data-2.tmp",
        m_programDir + "/data-12.tmp",
        QString::fromStdString(m_commands->templatePath()),
    };
    for (const QString& target : cases) {
        SCOPED_TRACE(target.toStdString());
        const std::string before = testsupport::readFile(target.toStdString());
        m_dialogs.saveAnswers.push_back(target);
        try {
            m_commands->exportResume(m_dialogs);
            ADD_FAILURE() << "expected the refusal";
        } catch (const ERefusedTarget& e) {
            EXPECT_EQ(std::string(e.what()).rfind(
                          "Cannot export to \"" + target.toStdString() + "\": that file is ", 0),
                      0u)
                << e.what();
        }
        EXPECT_EQ(testsupport::readFile(target.toStdString()), before);
        EXPECT_EQ(m_commands->currentResumePath(), m_programDir + "/temp.doc");
        EXPECT_FALSE(anyDatasetOpen());
    }
    EXPECT_TRUE(m_dialogs.messages.empty());

    // Names that only look alike are documents like any other.
    for (const char* name : {"data.doc", "data-0.tmp", "data-x.tmp", "mydata.tmp"}) {
        const QString target = m_programDir + "/" + name;
        m_dialogs.saveAnswers.push_back(target);
        EXPECT_TRUE(m_commands->exportResume(m_dialogs)) << name;
        EXPECT_NE(testsupport::readFile(target.toStdString()).find("John Q Smith"),
                  std::string::npos)
            << name;
    }
}

TEST_F(GenerationCommandsTest, EditAndPrintWarnWhenTheDesktopCannotHandTheDocumentOn) {
    for (int result : {platform::kShellFileNotFound, platform::kShellNoAssociation, 0, 32}) {
        for (bool print : {false, true}) {
            m_dialogs.messages.clear();
            m_shell.results.push_back(result);
            if (print) {
                m_commands->printResume(m_shell, m_dialogs);
            } else {
                m_commands->editResume(m_shell, m_dialogs);
            }
            ASSERT_EQ(m_dialogs.messages.size(), 1u) << result;
            EXPECT_EQ(m_dialogs.messages[0].text,
                      "Couldn't nor find any editor for the Word documents");
            EXPECT_EQ(m_dialogs.messages[0].caption, "Error");
            EXPECT_EQ(m_dialogs.messages[0].buttons, platform::Buttons::Ok);
            EXPECT_EQ(m_dialogs.messages[0].icon, platform::Icon::Warning);
        }
    }
    EXPECT_FALSE(QFile::exists(m_programDir + "/temp.doc"));
}

} // namespace
} // namespace generate::test
