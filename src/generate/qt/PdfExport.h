// "Export Resume as PDF...": the document is generated as Export generates it, but
// into a scratch folder of its own, and converted into the chosen file without
// blocking the program. The current document path, which preview, print and
// e-mail use, is not changed by it.
#pragma once

#include "generate/qt/GenerationCommands.h"
#include "generate/qt/PdfConversionJob.h"

#include <QObject>
#include <QTemporaryDir>

#include <memory>

namespace generate {

class PdfExport : public QObject {
    Q_OBJECT
public:
    explicit PdfExport(GenerationCommands& commands,
                       PdfConversion conversion = defaultPdfConversion(),
                       QObject* parent = nullptr);

    // Asks for a file, writes the document and starts converting it; returns
    // false when the user cancelled. A refused target or a failed generation
    // propagates before anything is converted. When the conversion ends,
    // `dialogs` shows the export message, or the conversion's own message in the
    // standard error box, and finished() follows.
    bool exportResume(platform::Dialogs& dialogs);
    // Asks for a file and copies the PDF `converted` there, with the export
    // message; returns false when the user cancelled. Throws EPdfConversion when
    // the copy fails.
    bool exportConverted(const QString& converted, platform::Dialogs& dialogs);

    bool isRunning() const { return m_job.isRunning(); }

signals:
    void finished();

private:
    void end(const QString& pdf, const QString& failure);

    GenerationCommands& m_commands;
    // Before the job, which waits for a running conversion reading from it.
    std::unique_ptr<QTemporaryDir> m_scratch;
    PdfConversionJob m_job;
    platform::Dialogs* m_dialogs = nullptr;
};

} // namespace generate
