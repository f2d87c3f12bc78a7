// Running vitacraft-cli as the real program, and a private folder for the files a
// test gives it.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace clitest {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// The built program.
QString cliProgram();

// Runs `program` (the built one unless named) with `arguments` and waits for it,
// with the variables of `environment` set besides the test's own.
CliResult runCli(const QStringList& arguments, const QProcessEnvironment& environment = {},
                 const QString& program = cliProgram());

// Runs one SQL statement on the résumé at `resume`, as a test's set-up.
void execInResume(const QString& resume, const QString& sql);

// A fresh folder per test for résumés, templates and documents.
class CliFolderTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
};

} // namespace clitest
