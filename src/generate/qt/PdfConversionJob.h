// Turning a written document into PDF on a worker thread, so that the windows stay
// responsive while LibreOffice works. Every conversion of the desktop program runs
// through this class; the end is reported by signal on the thread that started it.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <functional>
#include <string>

namespace generate {

// Converts the RTF document at the first path into the PDF at the second, raising
// EPdfConversion with the user's message when it cannot. Must be safe to call from
// a worker thread.
using PdfConversion =
    std::function<void(const std::string& documentPath, const std::string& pdfPath)>;

// The program's conversion: LibreOffice with the default options, kept listening for
// the rest of the run after the first conversion.
PdfConversion defaultPdfConversion();

class PdfConversionJob : public QObject {
    Q_OBJECT
public:
    explicit PdfConversionJob(PdfConversion conversion = defaultPdfConversion(),
                              QObject* parent = nullptr);
    // Waits for a conversion still running: it reads files its owner may remove.
    ~PdfConversionJob() override;
    PdfConversionJob(const PdfConversionJob&) = delete;
    PdfConversionJob& operator=(const PdfConversionJob&) = delete;

    // Starts converting `documentPath` into `pdfPath`. One conversion at a time:
    // false, and nothing started, while the last one is still running.
    bool start(const QString& documentPath, const QString& pdfPath);
    bool isRunning() const;

signals:
    void converted(const QString& pdfPath);
    // The conversion failed; `message` says why, for the user.
    void failed(const QString& message);

private:
    void finish();

    PdfConversion m_conversion;
    QFutureWatcher<QString> m_watcher;
    QString m_pdfPath;
};

} // namespace generate
