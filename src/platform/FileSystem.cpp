#include "platform/FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

bool LocalFileSystem::fail(const QString& reason) {
    m_lastError = reason;
    return false;
}

bool LocalFileSystem::copyFile(const QString& source, const QString& target) {
    m_lastError.clear();
    QFile in(source);
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath() &&
        QFileInfo::exists(target))
        return true;
    if (QFileInfo(source).isDir())
        return fail(QStringLiteral("'%1' is a folder.").arg(source));
    if (!in.open(QIODevice::ReadOnly))
        return fail(in.errorString());
    if (QFileInfo(target).isDir())
        return fail(QStringLiteral("'%1' is a folder.").arg(target));
    // Written beside the target and renamed over it at the end.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return fail(out.errorString());
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) {
            out.cancelWriting();
            return fail(in.errorString());
        }
        if (n == 0)
            break;
        if (out.write(buffer, n) != n) {
            out.cancelWriting();
            return fail(out.errorString());
        }
    }
    if (!out.commit())
        return fail(out.errorString());
    return true;
}

} // namespace platform
