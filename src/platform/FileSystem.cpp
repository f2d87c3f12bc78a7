#include "platform/FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

bool LocalFileSystem::copyFile(const QString& source, const QString& target) {
    QFile in(source);
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath() &&
        QFileInfo::exists(target))
        return true;
    if (!in.open(QIODevice::ReadOnly))
        return false;
    // Written beside the target and renamed over it at the end.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) {
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
        if (out.write(buffer, n) != n) {
            out.cancelWriting();
            return false;
        }
    }
    return out.commit();
}

} // namespace platform
