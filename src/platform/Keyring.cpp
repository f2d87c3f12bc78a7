#include "platform/Keyring.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>

namespace platform {

namespace {

const char* const kService = "Vitacraft mail";

// Runs a keychain job to its end; the secret service answers asynchronously.
bool run(QKeychain::Job& job, const QString& account) {
    job.setAutoDelete(false);
    job.setInsecureFallback(false);
    job.setKey(account);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    return job.error() == QKeychain::NoError;
}

} // namespace

std::optional<QString> DesktopKeyring::readPassword(const QString& account) {
    QKeychain::ReadPasswordJob job(QString::fromLatin1(kService));
    if (!run(job, account))
        return std::nullopt;
    return job.textData();
}

bool DesktopKeyring::writePassword(const QString& account, const QString& password) {
    QKeychain::WritePasswordJob job(QString::fromLatin1(kService));
    job.setTextData(password);
    return run(job, account);
}

void DesktopKeyring::removePassword(const QString& account) {
    QKeychain::DeletePasswordJob job(QString::fromLatin1(kService));
    run(job, account);
}

} // namespace platform
