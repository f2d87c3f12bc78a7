#include "platform/Shell.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using platform::DesktopShell;

struct Launch {
    QString program;
    QStringList arguments;
};

class ShellTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_document = m_dir.filePath(QStringLiteral("temp.doc"));
        QFile doc(m_document);
        ASSERT_TRUE(doc.open(QIODevice::WriteOnly));
        m_program = m_dir.filePath(QStringLiteral("update"));
        QFile program(m_program);
        ASSERT_TRUE(program.open(QIODevice::WriteOnly));
        program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    DesktopShell shell(bool haveOpener, bool haveOffice, bool starts = true) {
        return DesktopShell(
            [this, starts](const QString& program, const QStringList& arguments, const QString&) {
                m_launches.push_back({program, arguments});
                return starts;
            },
            [haveOpener, haveOffice](const QString& name) {
                if (name == QLatin1String("xdg-open") && haveOpener)
                    return QStringLiteral("/usr/bin/xdg-open");
                if (name == QLatin1String("soffice") && haveOffice)
                    return QStringLiteral("/usr/bin/soffice");
                return QString();
            });
    }

    QTemporaryDir m_dir;
    QString m_document;
    QString m_program;
    std::vector<Launch> m_launches;
};

TEST_F(ShellTest, ResultsAndLaunches) {
    const struct {
        const char* verb;
        QString target;
        bool opener, office, starts;
        int result;
        QString program;
        QStringList arguments;
    } cases[] = {
        {"open", m_document, true, true, true, 42, "/usr/bin/xdg-open", {m_document}},
        {"OPEN",
         "https://example.org/x",
         true,
         false,
         true,
         42,
         "/usr/bin/xdg-open",
         {"https://example.org/x"}},
        {"",
         "mailto:a@b.c?subject=Hi",
         true,
         false,
         true,
         42,
         "/usr/bin/xdg-open",
         {"mailto:a@b.c?subject=Hi"}},
        {"print",
         m_document,
         true,
         true,
         true,
         42,
         "/usr/bin/soffice",
         {"--headless", "-p", m_document}},
        {"open", m_program, false, false, true, 42, m_program, {"--quiet"}},
        {"open", m_dir.filePath("missing.doc"), true, true, true, 2, {}, {}},
        {"print", m_dir.filePath("missing.doc"), true, true, true, 2, {}, {}},
        {"open", "", true, true, true, 2, {}, {}},
        {"open", m_document, false, true, true, 31, {}, {}},
        {"OPEN", "https://example.org", false, false, true, 31, {}, {}},
        {"print", m_document, true, false, true, 31, {}, {}},
        {"print", "https://example.org", true, true, true, 31, {}, {}},
        {"explore", m_document, true, true, true, 31, {}, {}},
        {"open", m_document, true, true, false, 31, "/usr/bin/xdg-open", {m_document}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.verb) + " " + c.target.toStdString());
        m_launches.clear();
        DesktopShell s = shell(c.opener, c.office, c.starts);
        const QString parameters = c.program == m_program ? QStringLiteral("--quiet") : QString();
        EXPECT_EQ(s.execute(c.verb, c.target, parameters, {}, platform::kShowNormal), c.result);
        if (c.program.isEmpty()) {
            EXPECT_TRUE(m_launches.empty());
            continue;
        }
        ASSERT_EQ(m_launches.size(), 1u);
        EXPECT_EQ(m_launches[0].program, c.program);
        EXPECT_EQ(m_launches[0].arguments, c.arguments);
    }
}

TEST_F(ShellTest, RelativeTargetsResolveAgainstTheDirectory) {
    DesktopShell s = shell(true, true);
    EXPECT_EQ(s.execute("open", "temp.doc", {}, m_dir.path(), platform::kShowNormal), 42);
    ASSERT_EQ(m_launches.size(), 1u);
    EXPECT_EQ(m_launches[0].arguments, QStringList{m_document});
    EXPECT_TRUE(platform::shellSucceeded(33));
    EXPECT_FALSE(platform::shellSucceeded(32));
    EXPECT_FALSE(platform::isAddress("C:\\x.doc"));
}

} // namespace
