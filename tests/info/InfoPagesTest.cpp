#include "info/InfoPages.h"
#include "info/InfoPage.h"
#include "info/ShellCommands.h"
#include "info/TAboutBox.h"

#include "platform/ProgramInfo.h"
#include "platform/Services.h"
#include "support/DesktopDoubles.h"

#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

std::vector<std::unique_ptr<info::InfoPage>> allPages() {
    std::vector<std::unique_ptr<info::InfoPage>> pages;
    pages.push_back(std::make_unique<info::TResumeWriting>());
    pages.push_back(std::make_unique<info::TResumePosting>());
    pages.push_back(std::make_unique<info::TResumeDistribution>());
    pages.push_back(std::make_unique<info::TResumeWebResume>());
    pages.push_back(std::make_unique<info::TCareerAssessment>());
    pages.push_back(std::make_unique<info::TInterviewTraining>());
    pages.push_back(std::make_unique<info::TResumeCritique>());
    pages.push_back(std::make_unique<info::TReferenceChecking>());
    pages.push_back(std::make_unique<info::TSalaryReport>());
    pages.push_back(std::make_unique<info::TFreelanceExchange>());
    pages.push_back(std::make_unique<info::TCoverLetter>());
    pages.push_back(std::make_unique<info::Ttemplates>());
    return pages;
}

class InfoTest : public testing::Test {
protected:
    void clickLink(QWidget* link) {
        QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    }
    void expectShellFailureBox() {
        ASSERT_EQ(m_dialogs.messages.size(), 1u);
        EXPECT_EQ(m_dialogs.messages[0].text, "Couldn't execute the application");
        EXPECT_EQ(m_dialogs.messages[0].caption, "Error");
        EXPECT_EQ(m_dialogs.messages[0].buttons, platform::Buttons::Ok);
        EXPECT_EQ(m_dialogs.messages[0].icon, platform::Icon::Warning);
    }

    testsupport::ScriptedDialogs m_dialogs;
    testsupport::RecordingShell m_shell;
    platform::ScopedServices m_services{&m_shell, &m_dialogs};
};

TEST_F(InfoTest, EachPageOpensItsOwnAddressThroughTheShell) {
    const struct {
        const char* name;
        const char* caption;
        const char* link;
        bool onTop;
    } expected[] = {
        {"ResumeWriting", "Resume Writing", "Click here to learn more", true},
        {"ResumePosting", "Resume Posting", "Click here to learn more", true},
        {"ResumeDistribution", "Resume Distribution", "Click here to learn more", true},
        {"ResumeWebResume", "Web Resume", "Click here to learn more", true},
        {"CareerAssessment", "Career Assessment", "Click here to learn more", true},
        {"InterviewTraining", "Interview Training", "Click here to learn more", true},
        {"ResumeCritique", "Resume Critique", "Click here to learn more", true},
        {"ReferenceChecking", "Reference Checking", "Click here to learn more", true},
        {"SalaryReport", "Salary Reports", "Click here to learn more", true},
        {"FreelanceExchange", "Freelance Exchange", "Click here to learn more", false},
        {"CoverLetter", "Cover Letter", "Click here to learn more ", true},
        {"templates", "Templates", "Click here to learn more", true},
    };
    const auto pages = allPages();
    QSet<QString> addresses;
    for (size_t i = 0; i < pages.size(); ++i) {
        info::InfoPage& page = *pages[i];
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(page.objectName(), expected[i].name);
        EXPECT_EQ(page.windowTitle(), expected[i].caption);
        EXPECT_EQ(page.caption(), expected[i].caption);
        EXPECT_EQ(page.link()->text(), expected[i].link);
        EXPECT_EQ(bool(page.windowFlags() & Qt::WindowStaysOnTopHint), expected[i].onTop);
        EXPECT_TRUE(page.windowFlags() & Qt::FramelessWindowHint);
        EXPECT_TRUE(page.address().startsWith("https://")) << page.address().toStdString();
        addresses.insert(page.address());

        page.show();
        m_shell.calls.clear();
        clickLink(page.link());
        ASSERT_EQ(m_shell.calls.size(), 1u);
        EXPECT_EQ(m_shell.calls[0].verb, "OPEN");
        EXPECT_EQ(m_shell.calls[0].target, page.address());
        EXPECT_TRUE(m_shell.calls[0].parameters.isEmpty());
        EXPECT_TRUE(m_shell.calls[0].directory.isEmpty());
        EXPECT_EQ(m_shell.calls[0].showCommand, platform::kShowNormal);
        EXPECT_TRUE(page.isVisible());

        page.closeButton()->click();
        EXPECT_FALSE(page.isVisible());
        page.show(); // hidden, not gone
        EXPECT_TRUE(page.isVisible());
    }
    EXPECT_EQ(addresses.size(), 12);
    EXPECT_TRUE(m_dialogs.messages.empty());
}

TEST_F(InfoTest, AFailingShellShowsTheErrorBoxAndNothingElse) {
    info::TSalaryReport page;
    page.show();
    const struct {
        int result;
        bool failure;
    } cases[] = {{platform::kShellFileNotFound, true},
                 {platform::kShellNoAssociation, true},
                 {32, true},
                 {0, true},
                 {33, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        m_dialogs = {};
        m_shell.results = {c.result};
        clickLink(page.link());
        if (c.failure)
            expectShellFailureBox();
        else
            EXPECT_TRUE(m_dialogs.messages.empty());
        EXPECT_TRUE(page.isVisible());
    }
}

TEST_F(InfoTest, LinksTurnBlueUnderTheMouse) {
    info::TResumePosting posting;
    info::TResumeWriting writing;
    info::TResumeWebResume web;
    const struct {
        const char* name;
        info::LinkLabel* link;
        QEvent::Type colouring;
    } cases[] = {
        {"link", posting.link(), QEvent::Enter},
        {"moved over", writing.link(), QEvent::MouseMove},
        {"sample address", web.sampleAddress(), QEvent::Enter},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.link->color(), info::kLinkColor);
        EXPECT_EQ(c.link->cursor().shape(), Qt::PointingHandCursor);
        if (c.colouring == QEvent::Enter) {
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
            QCoreApplication::sendEvent(c.link, &enter);
        } else {
            QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(c.link, &move);
        }
        EXPECT_EQ(c.link->color(), info::kHoverColor);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(c.link, &leave);
        EXPECT_EQ(c.link->color(), info::kLinkColor);
    }
    // The sample address is only a picture of one.
    web.show();
    clickLink(web.sampleAddress());
    EXPECT_TRUE(m_shell.calls.empty());
    EXPECT_TRUE(web.sampleAddress()->text().endsWith("firstname_lastname.html"));
}

TEST_F(InfoTest, AboutBoxWritesToSupport) {
    info::TAboutBox about;
    EXPECT_EQ(about.windowTitle(), "About Vitacraft");
    EXPECT_TRUE(about.windowFlags() & Qt::WindowStaysOnTopHint);
    auto* text = about.findChild<QLabel*>("Label1");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(),
              "Vitacraft Pro 3.0 is a fully functional professional resume writing software\n"
              "program that is compatible with Windows 95,98,2000,NT and XP.\n"
              "It is designed to work with all Microsoft word processing applications as\n"
              "well as all Microsoft email clients.");
    EXPECT_EQ(about.LinkLabel1()->text(), info::kSupportAddress);
    about.show();
    for (int result : {platform::kShellSuccess, platform::kShellNoAssociation}) {
        SCOPED_TRACE(result);
        m_shell.calls.clear();
        m_dialogs = {};
        m_shell.results = {result};
        clickLink(about.LinkLabel1());
        ASSERT_EQ(m_shell.calls.size(), 1u);
        EXPECT_EQ(m_shell.calls[0].verb, "OPEN");
        EXPECT_EQ(m_shell.calls[0].target,
                  QString("mailto:") + info::kSupportAddress + "?Subject=About Vitacraft 1.59");
        if (result == platform::kShellNoAssociation)
            expectShellFailureBox();
        else
            EXPECT_TRUE(m_dialogs.messages.empty());
    }
    about.closeButton()->click();
    EXPECT_FALSE(about.isVisible());
}

TEST_F(InfoTest, TellAFriendOpensThePreparedMailUnencoded) {
    info::tellAFriend();
    ASSERT_EQ(m_shell.calls.size(), 1u);
    EXPECT_EQ(m_shell.calls[0].verb, "OPEN");
    EXPECT_EQ(m_shell.calls[0].target,
              "mailto:?Subject=https://vitacraft.example&Body=I found a great site on the internet "
              "that let me download free resume writing software. https://vitacraft.example has "
              "free professional resume writing software that they let you download and use. The "
              "software is fully functional, you can use it to create as many different resumes "
              "as you want and you can use it for as long as you want. ");
    EXPECT_TRUE(m_dialogs.messages.empty());
    m_shell.results = {platform::kShellNoAssociation};
    info::tellAFriend();
    expectShellFailureBox();
}

// The real shell, with nothing started: a missing updater is reported.
TEST_F(InfoTest, UpdateOnlineStartsTheUpdaterBesideTheProgram) {
    QTemporaryDir dir;
    platform::setProgramDirectory(dir.path() + "/");
    std::vector<QString> started;
    platform::DesktopShell desktop(
        [&](const QString& program, const QStringList&, const QString&) {
            started.push_back(program);
            return true;
        },
        [](const QString&) { return QStringLiteral("/usr/bin/xdg-open"); });
    platform::ScopedServices scope(&desktop, nullptr);

    info::updateOnline();
    EXPECT_TRUE(started.empty());
    expectShellFailureBox();

    QFile updater(dir.filePath("update.exe"));
    ASSERT_TRUE(updater.open(QIODevice::WriteOnly));
    updater.write("#!/bin/sh\n");
    updater.close();
    updater.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_dialogs = {};
    info::updateOnline();
    EXPECT_EQ(started, std::vector<QString>{dir.filePath("update.exe")});
    EXPECT_TRUE(m_dialogs.messages.empty());
    platform::setProgramDirectory({});
}

} // namespace
