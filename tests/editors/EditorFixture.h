// A blank résumé on the program's connection, scripted dialogs and a counting Preview command:
// the setting in which the editor windows are shown, driven and read back through SQL.
#pragma once

#include "DataBindFixture.h"

#include "platform/PreviewCommand.h"
#include "platform/ProgramInfo.h"
#include "platform/Services.h"
#include "store/qt/Connection.h"
#include "support/DesktopDoubles.h"

#include <QPushButton>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>

class EditorFixture : public ::testing::Test {
protected:
    // Before any member window of a derived fixture is made.
    EditorFixture() { ensureWidgetApplication(); }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("resume.vcw"));
        store::createBlankResume(path);
        QSqlDatabase db = store::connection();
        store::openResume(db, path);
        platform::setApplicationTitle(QStringLiteral("Vitacraft Pro 3.0"));
        platform::setPreviewCommand([this] { ++previews; });
    }

    void TearDown() override {
        platform::setPreviewCommand({});
        store::connection().close();
    }

    // Runs a statement on the résumé file.
    static void exec(const QString& sql) {
        QSqlQuery query(store::connection());
        ASSERT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
    }

    // The first column of every row a query returns, as text ("<null>" for NULL).
    static QStringList column(const QString& sql) {
        QSqlQuery query(store::connection());
        EXPECT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
        QStringList values;
        while (query.next())
            values << (query.isNull(0) ? QStringLiteral("<null>") : query.value(0).toString());
        return values;
    }

    static int count(const QString& table) {
        return column(QStringLiteral("SELECT COUNT(*) FROM ") + table).value(0).toInt();
    }

    testsupport::ScriptedDialogs dialogs;
    testsupport::RecordingShell shell;
    platform::ScopedServices services{&shell, &dialogs};
    int previews = 0;

private:
    QTemporaryDir m_dir;
};
