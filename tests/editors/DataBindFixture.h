// A temporary résumé-like table and an application object for the data-bound widget tests.
#pragma once

#include "store/qt/TableCursor.h"

#include <QApplication>
#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Readable failure messages for the Qt values the tests compare.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QDate& date, std::ostream* out) {
    *out << (date.isValid() ? date.toString(Qt::ISODate).toStdString() : "invalid date");
}
inline void PrintTo(const QVariant& value, std::ostream* out) {
    *out << (value.isNull() ? "NULL" : '"' + value.toString().toStdString() + '"');
}

inline void ensureWidgetApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "editors_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit Qt SQL's own globals are already gone when an application
    // object would run its clean-up routines.
    new QApplication(argc, argv);
}

class DataBindFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ensureWidgetApplication();
        ASSERT_TRUE(m_dir.isValid());
        static int serial = 0;
        m_connection = QStringLiteral("databind-%1").arg(++serial);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(m_dir.filePath(m_connection + QStringLiteral(".vcw")));
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        run("CREATE TABLE Honors (id INTEGER PRIMARY KEY, Title TEXT, Type TEXT DEFAULT 'Award', "
            "InAllPublished TEXT, Comments TEXT, [Date] DATE)");
        cursor = std::make_unique<store::TableCursor>(db, QStringLiteral("Honors"));
    }

    void TearDown() override {
        cursor.reset();
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }

    void run(const QString& sql) {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        ASSERT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
    }

    // The column as stored in the file; a null variant for SQL NULL.
    QVariant stored(const QString& column, int id = 1) {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        EXPECT_TRUE(
            query.exec(QStringLiteral("SELECT %1 FROM Honors WHERE id = %2").arg(column).arg(id)));
        if (!query.next())
            return QStringLiteral("<no row>");
        return query.isNull(0) ? QVariant() : query.value(0);
    }

    std::unique_ptr<store::TableCursor> cursor;

private:
    QTemporaryDir m_dir;
    QString m_connection;
};
