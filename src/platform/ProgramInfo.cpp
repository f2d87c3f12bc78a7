#include "platform/ProgramInfo.h"

#include <QCoreApplication>

namespace platform {

namespace {

QString& title() {
    static QString value;
    return value;
}

QString& directoryOverride() {
    static QString value;
    return value;
}

QString withSeparator(QString directory) {
    if (!directory.endsWith(QLatin1Char('/')))
        directory += QLatin1Char('/');
    return directory;
}

} // namespace

QString applicationTitle() {
    return title();
}
void setApplicationTitle(const QString& value) {
    title() = value;
}

QString programDirectory() {
    if (!directoryOverride().isEmpty())
        return directoryOverride();
    return withSeparator(QCoreApplication::applicationDirPath());
}

void setProgramDirectory(const QString& directory) {
    directoryOverride() = directory.isEmpty() ? QString() : withSeparator(directory);
}

} // namespace platform
