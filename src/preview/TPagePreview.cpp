#include "preview/TPagePreview.h"

#include "platform/Application.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfPageRenderer>
#include <QPdfView>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSizeGrip>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <iterator>

namespace preview {

namespace {

struct Zoom {
    const char* label;
    QPdfView::ZoomMode mode;
    qreal factor;
};

constexpr Zoom kZooms[] = {
    {"Fit width", QPdfView::ZoomMode::FitToWidth, 1.0},
    {"Fit page", QPdfView::ZoomMode::FitInView, 1.0},
    {"50 %", QPdfView::ZoomMode::Custom, 0.5},
    {"75 %", QPdfView::ZoomMode::Custom, 0.75},
    {"100 %", QPdfView::ZoomMode::Custom, 1.0},
    {"125 %", QPdfView::ZoomMode::Custom, 1.25},
    {"150 %", QPdfView::ZoomMode::Custom, 1.5},
    {"200 %", QPdfView::ZoomMode::Custom, 2.0},
    {"300 %", QPdfView::ZoomMode::Custom, 3.0},
    {"400 %", QPdfView::ZoomMode::Custom, 4.0},
};

QToolButton* pageButton(const QString& name, Qt::ArrowType arrow, const QString& tip,
                        QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

} // namespace

TPagePreview::TPagePreview(PagePreviewCommands commands, generate::PdfConversion conversion,
                           QWidget* parent)
    : platform::Form(QStringLiteral("PagePreview"), QStringLiteral("Page Preview"), parent),
      m_commands(std::move(commands)), m_job(std::move(conversion)),
      m_document(new QPdfDocument(this)), m_view(new QPdfView(this)),
      m_stack(new QStackedWidget(this)), m_message(new QLabel(this)) {
    m_view->setObjectName(QStringLiteral("Pages"));
    m_stack->setObjectName(QStringLiteral("PageArea"));
    m_view->setDocument(m_document);
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setPageSpacing(12);
    m_view->setDocumentMargins(QMargins(12, 12, 12, 12));
    m_view->setBackgroundRole(QPalette::Dark);
    m_message->setObjectName(QStringLiteral("Message"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setMargin(24);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_stack->addWidget(m_message);
    m_stack->addWidget(m_view);

    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(10, 8, 10, 6);
    layout->setSpacing(8);
    layout->addWidget(buildToolBar());
    layout->addWidget(m_stack, 1);
    layout->addWidget(buildButtonRow());

    connect(&m_job, &generate::PdfConversionJob::converted, this,
            [this](const QString& pdf) { showPages(pdf); });
    connect(&m_job, &generate::PdfConversionJob::failed, this,
            [this](const QString& message) { showMessage(message); });
    connect(m_view->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this,
            [this] { updatePageControls(); });
    m_stack->setCurrentWidget(m_message);
    updatePageControls();
    placeOnScreen();
}

TPagePreview::~TPagePreview() {
    // The view renders pages on a thread of its own that it does not free when it
    // goes; switched back to rendering here, its renderer ends and frees it.
    if (auto* renderer = m_view->findChild<QPdfPageRenderer*>())
        renderer->setRenderMode(QPdfPageRenderer::RenderMode::SingleThreaded);
}

void TPagePreview::placeOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        resize(760, 900);
        return;
    }
    // An A4 page across the width at a readable size, as far as the screen allows.
    const QRect available = screen->availableGeometry();
    resize(qMin(760, available.width() * 9 / 10), qMin(900, available.height() * 9 / 10));
    move(available.center() - rect().center());
}

QWidget* TPagePreview::buildToolBar() {
    auto* bar = new QWidget(body());
    m_previous = pageButton(QStringLiteral("PreviousPage"), Qt::LeftArrow,
                            QStringLiteral("Previous page"), bar);
    m_next =
        pageButton(QStringLiteral("NextPage"), Qt::RightArrow, QStringLiteral("Next page"), bar);
    m_pageCount = new QLabel(bar);
    m_pageCount->setObjectName(QStringLiteral("PageCount"));
    m_pageCount->setMinimumWidth(90);
    m_pageCount->setAlignment(Qt::AlignCenter);
    m_zoom = new QComboBox(bar);
    m_zoom->setObjectName(QStringLiteral("Zoom"));
    for (const Zoom& zoom : kZooms)
        m_zoom->addItem(QString::fromLatin1(zoom.label));
    m_busy = new QProgressBar(bar);
    m_busy->setObjectName(QStringLiteral("Busy"));
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->setFixedWidth(120);
    m_busy->hide();
    m_refresh =
        platform::commandButton(QStringLiteral("RefreshBtn"), QStringLiteral("&Refresh"), bar);

    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_previous);
    layout->addWidget(m_pageCount);
    layout->addWidget(m_next);
    layout->addSpacing(12);
    layout->addWidget(new QLabel(QStringLiteral("Zoom:"), bar));
    layout->addWidget(m_zoom);
    layout->addStretch(1);
    layout->addWidget(m_busy);
    layout->addWidget(m_refresh);

    connect(m_previous, &QToolButton::clicked, this, [this] { goToPage(currentPage() - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { goToPage(currentPage() + 1); });
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this](int index) { applyZoom(index); });
    connect(m_refresh, &QPushButton::clicked, this, [this] { refresh(); });
    return bar;
}

QWidget* TPagePreview::buildButtonRow() {
    auto* row = new QWidget(body());
    m_export = platform::commandButton(QStringLiteral("ExportPdfBtn"),
                                       QStringLiteral("&Export as PDF..."), row);
    m_open = platform::commandButton(QStringLiteral("OpenBtn"),
                                     QStringLiteral("&Open in word processor"), row);
    m_close = platform::commandButton(QStringLiteral("CloseBtn"), QStringLiteral("&Close"), row);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_export);
    layout->addWidget(m_open);
    layout->addStretch(1);
    layout->addWidget(m_close);
    // Without a system frame the corner grip is how the window is resized.
    layout->addWidget(new QSizeGrip(row), 0, Qt::AlignBottom | Qt::AlignRight);

    connect(m_export, &QPushButton::clicked, this,
            [this] { platform::runCommand([this] { m_commands.exportPdf(m_shownPdf); }); });
    connect(m_open, &QPushButton::clicked, this,
            [this] { platform::runCommand([this] { m_commands.openInWordProcessor(); }); });
    connect(m_close, &QPushButton::clicked, this, [this] { hide(); });
    return row;
}

void TPagePreview::showAfresh() {
    if (isVisible())
        refresh();
    showForm();
}

void TPagePreview::FormShow() {
    refresh();
}

void TPagePreview::refresh() {
    if (m_job.isRunning()) {
        m_refreshAgain = true;
        return;
    }
    if (!m_folder.isValid()) {
        showMessage(
            QStringLiteral("No temporary folder for the pages: %1").arg(m_folder.errorString()));
        return;
    }
    QString document;
    try {
        document = m_commands.writeDocument();
    } catch (const std::exception& error) {
        showMessage(QString::fromUtf8(error.what()));
        return;
    }
    // The shown PDF is read while it is on show, so each run writes the other file.
    const QString pdf = m_folder.filePath(m_shownPdf.endsWith(QStringLiteral("pages-1.pdf"))
                                              ? QStringLiteral("pages-2.pdf")
                                              : QStringLiteral("pages-1.pdf"));
    m_job.start(document, pdf);
    m_busy->show();
    if (pageCount() == 0)
        m_message->setText(QStringLiteral("Making the pages..."));
}

void TPagePreview::showPages(const QString& pdf) {
    const int page = currentPage();
    m_document->load(pdf);
    if (m_document->status() != QPdfDocument::Status::Ready) {
        showMessage(QStringLiteral("The pages could not be read from %1.").arg(pdf));
        return;
    }
    m_shownPdf = pdf;
    m_stack->setCurrentWidget(m_view);
    applyZoom(m_zoom->currentIndex());
    goToPage(qBound(0, page, pageCount() - 1));
    conversionFinished();
}

void TPagePreview::showMessage(const QString& message) {
    m_document->close();
    m_shownPdf.clear();
    m_message->setText(message);
    m_stack->setCurrentWidget(m_message);
    conversionFinished();
}

void TPagePreview::conversionFinished() {
    updatePageControls();
    if (m_job.isRunning())
        return;
    m_busy->hide();
    if (m_refreshAgain) {
        m_refreshAgain = false;
        refresh();
        return;
    }
    emit conversionEnded();
}

int TPagePreview::currentPage() const {
    return m_view->pageNavigator()->currentPage();
}

int TPagePreview::pageCount() const {
    return m_document->status() == QPdfDocument::Status::Ready ? m_document->pageCount() : 0;
}

void TPagePreview::goToPage(int page) {
    if (page < 0 || page >= pageCount())
        return;
    QPdfPageNavigator* navigator = m_view->pageNavigator();
    navigator->jump(page, QPointF(), navigator->currentZoom());
    updatePageControls();
}

void TPagePreview::updatePageControls() {
    const int count = pageCount();
    const int page = currentPage();
    m_pageCount->setText(count > 0 ? QStringLiteral("Page %1 of %2").arg(page + 1).arg(count)
                                   : QString());
    m_previous->setEnabled(count > 0 && page > 0);
    m_next->setEnabled(page + 1 < count);
    m_export->setEnabled(count > 0);
}

void TPagePreview::applyZoom(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kZooms)))
        return;
    m_view->setZoomMode(kZooms[index].mode);
    if (kZooms[index].mode == QPdfView::ZoomMode::Custom)
        m_view->setZoomFactor(kZooms[index].factor);
}

} // namespace preview
