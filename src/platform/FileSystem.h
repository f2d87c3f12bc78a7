// File operations the program performs on whole files: copying a résumé over an
// existing one. Copies are atomic so a failed copy never leaves half a file.
#pragma once

#include <QString>

namespace platform {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Copies source to target, replacing target; false when nothing was copied
    // (the old target, if any, is then unchanged).
    virtual bool copyFile(const QString& source, const QString& target) = 0;
    // Why the last copy failed, in words for the user; empty when it is not known.
    virtual QString lastError() const { return {}; }
};

class LocalFileSystem : public FileSystem {
public:
    bool copyFile(const QString& source, const QString& target) override;
    QString lastError() const override { return m_lastError; }

private:
    bool fail(const QString& reason);

    QString m_lastError;
};

} // namespace platform
