#include "cli/CliRun.h"

#include "store/qt/Connection.h"

#include <QProcess>
#include <QSqlQuery>

namespace clitest {

QString cliProgram() {
    return QStringLiteral(VITACRAFT_BIN_DIR "/vitacraft-cli");
}

CliResult runCli(const QStringList& arguments, const QProcessEnvironment& environment,
                 const QString& program) {
    QProcess process;
    if (!environment.isEmpty()) {
        QProcessEnvironment merged = QProcessEnvironment::systemEnvironment();
        merged.insert(environment);
        process.setProcessEnvironment(merged);
    }
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

void execInResume(const QString& resume, const QString& sql) {
    QSqlDatabase db = store::connection(QStringLiteral("cli-test-setup"));
    store::openResume(db, resume);
    {
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
    }
    db.close();
}

} // namespace clitest
