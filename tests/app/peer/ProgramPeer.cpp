// A second program for the tests: the real program's windows on a given program
// directory, in a process of its own, driven line by line on standard input so a
// test can run it beside its own program, or kill it half-way.
//
//   app_test_peer PROGRAM_DIR [yes|no]
//
// The answer is given to a question asked at start. It prints "working-copy PATH",
// "unsaved FLAG" and "asked N" (the messages shown), then reads commands:
// "add-skill TEXT" adds a skill and prints "added"; "skills" prints the skills of
// its résumé, "|"-separated; "quit" or the end of input ends it normally.
#include "app/Program.h"
#include "platform/Application.h"
#include "platform/ProgramInfo.h"
#include "platform/Services.h"
#include "store/qt/ProgramState.h"
#include "support/DesktopDoubles.h"

#include <QSqlQuery>
#include <QStringList>

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: app_test_peer PROGRAM_DIR [yes|no]\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application application(argc, argv);
    platform::setProgramDirectory(QString::fromLocal8Bit(argv[1]));
    testsupport::ScriptedDialogs dialogs;
    if (argc > 2)
        dialogs.answers = {std::string(argv[2]) == "yes" ? platform::Answer::Yes
                                                         : platform::Answer::No};
    testsupport::RecordingShell shell;
    platform::ScopedServices services(&shell, &dialogs);

    app::Program program({});
    QSqlDatabase db = program.ResumeExplorerForm().ADOConnection1();
    std::cout << "working-copy " << program.ResumeExplorerForm().workingCopyPath().toStdString()
              << "\nunsaved " << store::unsavedFlag() << "\nasked " << dialogs.messages.size()
              << std::endl;
    for (std::string line; std::getline(std::cin, line) && line != "quit";) {
        if (line.rfind("add-skill ", 0) == 0) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("INSERT INTO Skills (skill) VALUES (?)"));
            query.addBindValue(QString::fromStdString(line.substr(10)));
            std::cout << (query.exec() ? "added" : "failed") << std::endl;
        } else if (line == "skills") {
            QSqlQuery query(db);
            QStringList skills;
            if (query.exec(QStringLiteral("SELECT skill FROM Skills ORDER BY ID")))
                while (query.next())
                    skills << query.value(0).toString();
            std::cout << skills.join(QLatin1Char('|')).toStdString() << std::endl;
        }
    }
    return 0;
}
