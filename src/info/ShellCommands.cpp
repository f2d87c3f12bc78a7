#include "info/ShellCommands.h"

#include "platform/ProgramInfo.h"
#include "platform/Services.h"

namespace info {

bool openThroughShell(const QString& target) {
    const int result =
        platform::shell().execute(QStringLiteral("OPEN"), target, {}, {}, platform::kShowNormal);
    if (platform::shellSucceeded(result))
        return true;
    platform::dialogs().message(QStringLiteral("Couldn't execute the application"),
                                QStringLiteral("Error"), platform::Buttons::Ok,
                                platform::Icon::Warning);
    return false;
}

QString tellAFriendLink() {
    const QString site = QString::fromLatin1(kWebSite);
    const QString body =
        QStringLiteral("I found a great site on the internet that let me download free resume "
                       "writing ") +
        QStringLiteral("software. ") + site +
        QStringLiteral(" has free professional resume writing software that they let you download "
                       "and use. The software is fully functional, you can use it to create as "
                       "many different resumes as you want and you can use it for as long as you "
                       "want. ");
    return QStringLiteral("mailto:?Subject=") + site + QStringLiteral("&Body=") + body;
}

QString supportLink() {
    return QStringLiteral("mailto:") + QString::fromLatin1(kSupportAddress) +
           QStringLiteral("?Subject=About Vitacraft 1.59");
}

void tellAFriend() {
    openThroughShell(tellAFriendLink());
}

void updateOnline() {
    // The program's own directory, whatever the current directory is.
    openThroughShell(platform::dataDirectory() + QStringLiteral("update.exe"));
}

} // namespace info
