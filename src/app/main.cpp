// vitacraft [RESUME]: the résumé writer. Without an argument it starts a new
// résumé in a copy of the blank database; with one it works on that file.
#include "app/Program.h"
#include "platform/Application.h"
#include "platform/ProgramInfo.h"

int main(int argc, char** argv) {
    platform::Application application(argc, argv);
    platform::setApplicationTitle(QString::fromLatin1(app::kApplicationTitle));
    application.setQuitOnLastWindowClosed(false);

    app::Program program(application.arguments().mid(1));
    QObject::connect(&program.ResumeExplorerForm(), &app::TResumeExplorerForm::closed, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    program.ResumeExplorerForm().show();
    return application.exec();
}
