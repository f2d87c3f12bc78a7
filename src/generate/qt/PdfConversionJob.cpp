#include "generate/qt/PdfConversionJob.h"

#include "generate/PdfConversion.h"
#include "generate/PdfConverter.h"

#include <QFile>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>

namespace generate {

namespace {

// One LibreOffice listening for the whole run: only the first conversion pays for
// starting it. The static ends it when the program ends.
PdfConverter& sharedConverter(const PdfConversionOptions& options) {
    static PdfConverter converter(options);
    return converter;
}

} // namespace

PdfConversion defaultPdfConversion() {
    return [](const std::string& documentPath, const std::string& pdfPath) {
        // Read at each conversion: a stand-in soffice (no bridge) is run as it is set.
        const PdfConversionOptions options = defaultPdfConversionOptions();
        if (options.unoBridge.empty())
            convertToPdf(documentPath, pdfPath, options);
        else
            sharedConverter(options).convert(documentPath, pdfPath);
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
