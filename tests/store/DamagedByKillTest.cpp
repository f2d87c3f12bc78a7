// A program killed while it writes a résumé: the file it leaves is whole and holds
// every entry whose post had returned before the kill.
#include "store/qt/Connection.h"
#include "store/qt/TableCursor.h"

#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// The child: posts entries one by one through the editors' table cursor and writes
// the key of each posted entry as a line on `out`. Never returns.
[[noreturn]] void postForever(const QString& path, int out) {
    int code = 0;
    {
        QSqlDatabase db = store::connection(QStringLiteral("killed-writer"));
        try {
            store::openResume(db, path);
            store::TableCursor cursor(db, QStringLiteral("Skills"));
            cursor.open();
            for (int i = 0; i < 1000000; ++i) {
                cursor.insert();
                cursor.setValue(QStringLiteral("skill"), QStringLiteral("skill %1").arg(i));
                cursor.setValue(QStringLiteral("comments"), QString(500, QChar(u'x')));
                if (!cursor.post()) {
                    code = 2;
                    break;
                }
                const std::string line =
                    cursor.value(QStringLiteral("ID")).toString().toStdString() + "\n";
                if (write(out, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
                    code = 3;
                    break;
                }
            }
        } catch (const std::exception&) {
            code = 4;
        }
        db.close();
    }
    _exit(code);
}

// Reads whole lines from `in` until `wanted` keys came or the pipe closed.
void readKeys(FILE* in, std::set<long long>& keys, size_t wanted) {
    long long key = 0;
    while (keys.size() < wanted && std::fscanf(in, "%lld\n", &key) == 1) {
        keys.insert(key);
    }
}

TEST(DamagedByKillTest, AKilledWriterLeavesAWholeFileWithEveryCommittedEntry) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("resume.vcw"));
    store::createBlankResume(path);

    std::set<long long> committed;
    for (int round = 1; round <= 4; ++round) {
        SCOPED_TRACE(round);
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            close(pipeEnds[0]);
            postForever(path, pipeEnds[1]);
        }
        close(pipeEnds[1]);
        FILE* in = fdopen(pipeEnds[0], "r");
        ASSERT_NE(in, nullptr);
        // A few more posts each round, then the kill lands wherever the writer is.
        const size_t target = committed.size() + 3 * static_cast<size_t>(round);
        readKeys(in, committed, target);
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        // Keys already in the pipe were committed before the kill as well.
        readKeys(in, committed, SIZE_MAX);
        fclose(in);
        ASSERT_TRUE(WIFSIGNALED(status))
            << "the writer stopped by itself, code " << WEXITSTATUS(status);
        ASSERT_GE(committed.size(), target);

        // Opening rolls back what the writer left half done.
        QSqlDatabase db = store::connection(QStringLiteral("killed-reader"));
        store::openResume(db, path);
        {
            QSqlQuery check(db);
            ASSERT_TRUE(check.exec(QStringLiteral("PRAGMA integrity_check")));
            ASSERT_TRUE(check.next());
            EXPECT_EQ(check.value(0).toString().toStdString(), "ok");
            std::set<long long> stored;
            QSqlQuery rows(db);
            ASSERT_TRUE(rows.exec(QStringLiteral("SELECT ID FROM Skills")));
            while (rows.next()) {
                stored.insert(rows.value(0).toLongLong());
            }
            for (long long key : committed) {
                EXPECT_TRUE(stored.count(key)) << "entry " << key << " was lost";
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("killed-reader"));
}

} // namespace
