#include "app/OwnWorkingCopy.h"

#include "generate/ExportTarget.h"
#include "platform/Services.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace app {

namespace {

// More programs at once on one program directory than anyone runs.
constexpr int kSlots = 100;

QString lockPath(const QString& copy) {
    return copy + QStringLiteral(".lock");
}
// Beside a working copy whose content has been saved under a name of its own.
QString savedMarkPath(const QString& copy) {
    return copy + QStringLiteral(".saved");
}
// The database engine's rollback journal, left when a write was cut off.
QString journalPath(const QString& copy) {
    return copy + QStringLiteral("-journal");
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString slotPath(const QString& directory, int slot) {
    return directory + QString::fromStdString(generate::workingCopyFileName(slot));
}

} // namespace

OwnWorkingCopy::OwnWorkingCopy(QString path, std::unique_ptr<QLockFile> lock)
    : m_path(std::move(path)), m_lock(std::move(lock)) {}

OwnWorkingCopy::~OwnWorkingCopy() = default;

std::unique_ptr<OwnWorkingCopy> OwnWorkingCopy::tryClaim(const QString& directory,
                                                         const QString& blankDatabase, int slot) {
    const QString path = slotPath(directory, slot);
    auto lock = std::make_unique<QLockFile>(lockPath(path));
    // Only a lock whose program has ended is stale, however long a program runs.
    lock->setStaleLockTime(0);
    const bool lockLeft = QFileInfo::exists(lockPath(path));
    if (!lock->tryLock(0)) {
        if (lock->error() == QLockFile::LockFailedError)
            return nullptr;
        // Where no lock can be made (a read-only folder), no other program can
        // hold one either, nor write a working copy there.
        lock.reset();
    }
    std::unique_ptr<OwnWorkingCopy> copy(new OwnWorkingCopy(path, std::move(lock)));
    const bool exists = QFileInfo::exists(path);
    const bool saved = QFileInfo::exists(savedMarkPath(path));
    copy->m_leftoverWork = exists && !saved &&
                           (lockLeft || QFileInfo::exists(journalPath(path)) ||
                            contents(path) != contents(blankDatabase));
    return copy;
}

std::unique_ptr<OwnWorkingCopy> OwnWorkingCopy::claim(const QString& directory,
                                                      const QString& blankDatabase, Choice choice) {
    std::unique_ptr<OwnWorkingCopy> free;
    for (int slot = 1; slot <= kSlots; ++slot) {
        const QString path = slotPath(directory, slot);
        // Working copies are numbered without gaps: beyond a slot nobody has used,
        // there is nothing left to find.
        const bool unused = !QFileInfo::exists(path) && !QFileInfo::exists(lockPath(path));
        if (slot > 1 && unused && free)
            break;
        std::unique_ptr<OwnWorkingCopy> copy = tryClaim(directory, blankDatabase, slot);
        if (!copy)
            continue;
        if (copy->heldLeftoverWork()) {
            if (choice == Choice::PreferLeftoverWork)
                return copy;
            continue;
        }
        if (!free)
            free = std::move(copy);
        if (choice == Choice::AvoidLeftoverWork || unused)
            break;
    }
    return free;
}

bool OwnWorkingCopy::resetToBlank(const QString& blankDatabase) {
    QFile::remove(journalPath(m_path));
    markUnsaved();
    return platform::fileSystem().copyFile(blankDatabase, m_path);
}

void OwnWorkingCopy::markSaved() {
    QFile mark(savedMarkPath(m_path));
    if (mark.open(QIODevice::WriteOnly))
        mark.close();
}

void OwnWorkingCopy::markUnsaved() {
    QFile::remove(savedMarkPath(m_path));
}

} // namespace app
