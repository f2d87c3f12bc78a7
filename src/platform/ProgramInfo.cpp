#include "platform/ProgramInfo.h"

#include "platform/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

QString qtPath(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}

} // namespace

QString applicationTitle() {
    return title();
}
void setApplicationTitle(const QString& value) {
    title() = value;
}

QString dataDirectory() {
    if (!directoryOverride().isEmpty())
        return directoryOverride();
    return withSeparator(qtPath(runningProgramFolders().data));
}

QString writableDirectory() {
    if (!directoryOverride().isEmpty())
        return directoryOverride();
    const QString directory = qtPath(runningProgramFolders().writable);
    // Where it cannot be made, the first file written there reports the folder.
    if (!directory.isEmpty() && !QFileInfo::exists(directory)) {
        QDir().mkpath(QFileInfo(directory).path());
        QDir().mkdir(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return directory.isEmpty() ? directory : withSeparator(directory);
}

void setProgramDirectory(const QString& directory) {
    directoryOverride() = directory.isEmpty() ? QString() : withSeparator(directory);
}

} // namespace platform
