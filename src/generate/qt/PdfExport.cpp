#include "generate/qt/PdfExport.h"

#include "generate/PdfConversion.h"
#include "platform/FileSystem.h"

namespace generate {

PdfExport::PdfExport(GenerationCommands& commands, PdfConversion conversion, QObject* parent)
    : QObject(parent), m_commands(commands), m_job(std::move(conversion)) {
    connect(&m_job, &PdfConversionJob::converted, this,
            [this](const QString& pdf) { end(pdf, QString()); });
    connect(&m_job, &PdfConversionJob::failed, this,
            [this](const QString& message) { end(QString(), message); });
}

bool PdfExport::exportResume(platform::Dialogs& dialogs) {
    if (m_job.isRunning())
        throw EPdfConversion("The last PDF export has not finished yet.");
    const std::optional<QString> chosen = m_commands.choosePdfFile(dialogs);
    if (!chosen)
        return false;
    auto scratch = std::make_unique<QTemporaryDir>();
    if (!scratch->isValid())
        throw EPdfConversion("No temporary folder for the PDF export: " +
                             scratch->errorString().toStdString());
    const QString document = scratch->filePath(QStringLiteral("resume.doc"));
    m_commands.generateDocument(document);
    m_scratch = std::move(scratch);
    m_dialogs = &dialogs;
    m_job.start(document, *chosen);
    return true;
}

bool PdfExport::exportConverted(const QString& converted, platform::Dialogs& dialogs) {
    const std::optional<QString> chosen = m_commands.choosePdfFile(dialogs);
    if (!chosen)
        return false;
    platform::LocalFileSystem files;
    if (!files.copyFile(converted, *chosen))
        throw EPdfConversion(QStringLiteral("The PDF could not be written to %1: %2")
                                 .arg(*chosen, files.lastError())
                                 .toStdString());
    m_commands.announceExport(*chosen, dialogs);
    return true;
}

void PdfExport::end(const QString& pdf, const QString& failure) {
    m_scratch.reset();
    if (m_dialogs) {
        if (failure.isEmpty())
            m_commands.announceExport(pdf, *m_dialogs);
        else
            m_dialogs->showError(failure);
    }
    emit finished();
}

} // namespace generate
