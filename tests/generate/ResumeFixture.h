// A blank résumé in a temporary folder, its connection and its data module, with a
// helper to fill it through SQL.
#pragma once

#include "store/TDM.h"
#include "store/qt/Connection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace generate::test {

class ResumeFixture : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("resume.vcw"));
        store::createBlankResume(m_path);
        m_db = store::connection(QStringLiteral("generate-test"));
        store::openResume(m_db, m_path);
        m_dm = std::make_unique<store::TDM>(store::statementsOf(m_db));
    }
    void TearDown() override {
        m_dm.reset();
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("generate-test"));
    }
    void exec(const QString& sql) {
        QSqlQuery query(m_db);
        ASSERT_TRUE(query.exec(sql))
            << sql.toStdString() << ": " << query.lastError().text().toStdString();
    }
    void setDisplayedOrder(const QStringList& sections) {
        exec(QStringLiteral("DELETE FROM DisplayedOrder"));
        for (const QString& section : sections) {
            exec(QStringLiteral("INSERT INTO DisplayedOrder VALUES ('%1')").arg(section));
        }
    }

    QTemporaryDir m_dir;
    QString m_path;
    QSqlDatabase m_db;
    std::unique_ptr<store::TDM> m_dm;
};

} // namespace generate::test
