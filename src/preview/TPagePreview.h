// The "Page Preview" window: the résumé's pages as the PDF LibreOffice makes of the
// generated document, drawn inside the program, with page navigation, zoom, export
// as PDF and the word processor at hand.
//
// The document is generated afresh whenever the window is shown and on Refresh;
// the conversion runs on a worker thread while a busy bar shows, and a failure is
// told inside the window, in place of the pages.
#pragma once

#include "generate/qt/PdfConversionJob.h"
#include "platform/Form.h"

#include <QTemporaryDir>

#include <functional>

class QComboBox;
class QLabel;
class QPdfDocument;
class QPdfView;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace preview {

// What the window asks of the program.
struct PagePreviewCommands {
    // Writes the résumé document and returns its path; throws when it cannot.
    std::function<QString()> writeDocument;
    // "Export as PDF...", given the PDF the window shows.
    std::function<void(const QString& pdf)> exportPdf;
    // "Open in word processor": the document the pages were made from.
    std::function<void()> openInWordProcessor;
};

class TPagePreview : public platform::Form {
    Q_OBJECT
public:
    explicit TPagePreview(PagePreviewCommands commands,
                          generate::PdfConversion conversion = generate::defaultPdfConversion(),
                          QWidget* parent = nullptr);
    ~TPagePreview() override;

    // Shows the window with the pages made afresh, also when it is open already:
    // the user asks for it after changing the résumé.
    void showAfresh();
    // Generates and converts again; while a conversion runs, once more after it.
    void refresh();
    bool isConverting() const { return m_job.isRunning(); }

    // The shown page, from 0, and the number of pages (0 while none are shown).
    int currentPage() const;
    int pageCount() const;
    void goToPage(int page);

signals:
    // The pages or the failure's message are on show.
    void conversionEnded();

protected:
    void FormShow() override;

private:
    void placeOnScreen();
    QWidget* buildToolBar();
    QWidget* buildButtonRow();
    void showPages(const QString& pdf);
    void showMessage(const QString& message);
    void conversionFinished();
    void updatePageControls();
    void applyZoom(int index);

    PagePreviewCommands m_commands;
    // Before the job, which waits for a running conversion writing into it.
    QTemporaryDir m_folder;
    generate::PdfConversionJob m_job;
    QString m_shownPdf;
    bool m_refreshAgain = false;
    QPdfDocument* m_document;
    QPdfView* m_view;
    QStackedWidget* m_stack;
    QLabel* m_message;
    QProgressBar* m_busy;
    QToolButton* m_previous;
    QToolButton* m_next;
    QLabel* m_pageCount;
    QComboBox* m_zoom;
    QPushButton* m_refresh;
    QPushButton* m_export;
    QPushButton* m_open;
    QPushButton* m_close;
};

} // namespace preview
