// An imported JSON Resume read by a real word processor: LibreOffice turns the
// résumé document into plain text, which must show the file's names in every
// script, its lists as bullet lines and its languages in the Personal section.
#include "generate/qt/GenerationCommands.h"
#include "store/JsonResume.h"
#include "store/TDM.h"
#include "store/qt/Connection.h"

#include <QFile>
#include <QTemporaryDir>

#include "support/Files.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

namespace {

TEST(JsonResumeInterop, AnImportedFileReadsAsWritten) {
    if (!testsupport::haveProgram("soffice"))
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString resume = dir.filePath(QStringLiteral("r.vcw"));
    store::importJsonResume(VITACRAFT_SOURCE_DIR
                            "/tests/store/data/json-resume/every-section.resume.json",
                            resume.toStdString());
    {
        QSqlDatabase db = store::connection(QStringLiteral("json-interop"));
        store::openResume(db, resume);
        store::TDM dm(store::statementsOf(db));
        generate::GenerationCommands commands(dm, dir.path(), dir.path(), QString());
        commands.setTemplatePath(VITACRAFT_SOURCE_DIR "/templates/ContemporaryResume.rtf");
        commands.generateDocument(dir.filePath(QStringLiteral("resume.doc")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("json-interop"));
    const std::string path = dir.path().toStdString();
    testsupport::convertWithLibreOffice(path, "txt:Text", path, "resume.doc");
    QFile text(dir.filePath(QStringLiteral("resume.txt")));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly)) << "LibreOffice wrote no text";
    const std::string read = text.readAll().toStdString();
    for (const char* expected :
         {"Zoë Ł. Παπαδοπούλου", "Οδός Αθηνάς 5", "Αθήνα", "山田出版", "翻訳者", "• Forty novels",
          "Wydawnictwo Żółw", "Клуб переводчиков", "Master in Japanese Studies", "Score: 5.0",
          "Awarded by: Εταιρεία Μεταφραστών", "Level: Expert", "• 日本語",
          "Language: Ελληνικά — Native", "Interest: Music — Cello, Choir", "Jan Kowalski"})
        EXPECT_NE(read.find(expected), std::string::npos) << expected << "\n" << read;
}

} // namespace
