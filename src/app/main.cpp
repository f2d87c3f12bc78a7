// vitacraft [RESUME]: the résumé writer. Without an argument it starts a new
// résumé in a copy of the blank database; with one it works on that file.
#include "app/Program.h"
#include "platform/Application.h"
#include "platform/ProgramFolders.h"
#include "platform/ProgramInfo.h"

#include <QCommandLineParser>
#include <QIcon>

#include <cstring>

namespace {

// The command line, parsed against the application object; --help and
// --version print and end the process here.
QStringList resumeArguments() {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vitacraft, the résumé writer."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("resume"),
        QStringLiteral("The résumé file (*.vcw) to work on; without it a new résumé is started."),
        QStringLiteral("[RESUME]"));
    parser.process(*QCoreApplication::instance());
    return parser.positionalArguments();
}

QIcon programIcon() {
    QIcon builtIn;
    for (const int size : {16, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/%1/vitacraft.png").arg(size));
    return QIcon::fromTheme(QString::fromLatin1(app::kApplicationId), builtIn);
}

// Help and version must answer on a console without a display, where the desktop
// application object cannot be made.
bool asksForHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        for (const char* flag : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], flag) == 0)
                return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("vitacraft"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(platform::programVersion()));
    if (asksForHelpOrVersion(argc, argv)) {
        QCoreApplication console(argc, argv);
        resumeArguments();
        return 0;
    }

    platform::Application application(argc, argv);
    platform::setApplicationTitle(QString::fromLatin1(app::kApplicationTitle));
    application.setQuitOnLastWindowClosed(false);
    // The desktop matches the windows to the menu entry, its name and its icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(app::kApplicationId));
    QGuiApplication::setWindowIcon(programIcon());

    app::Program program(resumeArguments());
    QObject::connect(&program.ResumeExplorerForm(), &app::TResumeExplorerForm::closed, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    program.ResumeExplorerForm().show();
    return application.exec();
}
