#include "generate/qt/PdfConversionJob.h"

#include "generate/PdfConversion.h"

#include <QFile>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>

namespace generate {

PdfConversion defaultPdfConversion() {
    return [](const std::string& documentPath, const std::string& pdfPath) {
        convertToPdf(documentPath, pdfPath, defaultPdfConversionOptions());
    };
}

PdfConversionJob::PdfConversionJob(PdfConversion conversion, QObject* parent)
    : QObject(parent), m_conversion(std::move(conversion)) {
    connect(&m_watcher, &QFutureWatcher<QString>::finished, this, [this] { finish(); });
}

PdfConversionJob::~PdfConversionJob() {
    m_watcher.disconnect(this);
    m_watcher.waitForFinished();
}

bool PdfConversionJob::start(const QString& documentPath, const QString& pdfPath) {
    if (isRunning())
        return false;
    m_pdfPath = pdfPath;
    const std::string document = QFile::encodeName(documentPath).toStdString();
    const std::string pdf = QFile::encodeName(pdfPath).toStdString();
    // The worker gets copies of everything it reads: the job may go before it ends.
    m_watcher.setFuture(QtConcurrent::run([conversion = m_conversion, document, pdf] {
        try {
            conversion(document, pdf);
            return QString();
        } catch (const std::exception& error) {
            const QString message = QString::fromUtf8(error.what());
            return message.isEmpty() ? QStringLiteral("The PDF could not be made.") : message;
        }
    }));
    return true;
}

bool PdfConversionJob::isRunning() const {
    return m_watcher.isRunning();
}

void PdfConversionJob::finish() {
    const QString message = m_watcher.result();
    if (message.isEmpty())
        emit converted(m_pdfPath);
    else
        emit failed(message);
}

} // namespace generate
