#include "format/TResumeFormat.h"

#include "format/TemplatesPage.h"

#include "platform/Application.h"
#include "platform/FontSettingQt.h"
#include "platform/PreviewCommand.h"
#include "platform/Services.h"
#include "store/StoreError.h"
#include "store/qt/Connection.h"
#include "store/qt/SectionOrder.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace format {

namespace {

// The captions of the font buttons, in the order of store::kTextClasses.
constexpr const char* kFontCaptions[3] = {"Headings", "Sub-Headings", "Normal Text"};

QString column(int textClass, const char* what) {
    return QString::fromStdString(store::fontColumn(store::kTextClasses[textClass], what));
}

QStringList texts(const QListWidget* list) {
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

QListWidgetItem* selectedItem(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

} // namespace

int alphabeticalIndex(const QStringList& sorted, const QString& text) {
    int index = 0;
    while (index < sorted.size() && QString::compare(sorted[index], text, Qt::CaseInsensitive) <= 0)
        ++index;
    return index;
}

TResumeFormat::TResumeFormat(QWidget* parent)
    : platform::Form(QStringLiteral("ResumeFormat"),
                     QStringLiteral("Resume Format, Content, Templates"), parent),
      m_db(store::connection()),
      m_table1(m_db, QStringLiteral("Configuration"), store::TableCursor::WriteMode::Immediate) {
    m_tabs = new QTabBar(body());
    m_tabs->setObjectName(QStringLiteral("FlatTabControl1"));
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    for (const char* tab : {"Fonts", "Content", "Templates"})
        m_tabs->addTab(QString::fromLatin1(tab));
    m_pages = new QStackedWidget(body());
    m_pages->setObjectName(QStringLiteral("PageControl"));
    m_pages->setFrameShape(QFrame::StyledPanel);
    m_pages->addWidget(buildFontsPage());
    m_pages->addWidget(buildContentPage());
    m_pages->addWidget(buildTemplatesPage());
    connect(m_tabs, &QTabBar::currentChanged, this, [this] { FlatTabControl1TabChanged(); });

    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(0);
    layout->addWidget(m_tabs);
    layout->addWidget(m_pages, 1);
    layout->addSpacing(8);
    layout->addWidget(buildButtons());

    connect(&m_table1, &store::TableCursor::stateChanged, this,
            [this] { DataSource1StateChange(); });
    setPending(false);
    resize(470, 400);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QPushButton* TResumeFormat::addButton(const QString& name, const QString& caption,
                                      void (TResumeFormat::*handler)()) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    connect(button, &QPushButton::clicked, this,
            [this, handler] { platform::runCommand([this, handler] { (this->*handler)(); }); });
    return button;
}

QWidget* TResumeFormat::buildFontsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(10);
    void (TResumeFormat::*handlers[3])() = {&TResumeFormat::FlatButton1Click,
                                            &TResumeFormat::FlatButton2Click,
                                            &TResumeFormat::FlatButton3Click};
    for (int i = 0; i < 3; ++i) {
        QPushButton* button = addButton(QStringLiteral("FlatButton%1").arg(i + 1),
                                        QString::fromLatin1(kFontCaptions[i]), handlers[i]);
        button->setParent(page);
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setMinimumHeight(70);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        button->setStyleSheet(
            QStringLiteral("QPushButton { border: 1px solid #a0a0a0; background: white; }"
                           "QPushButton:hover { border: 1px solid black; }"));
        m_fontButtons[i] = button;
        layout->addWidget(button);
    }
    return page;
}

QWidget* TResumeFormat::buildContentPage() {
    auto* page = new QWidget;
    auto* text = new QLabel(
        QStringLiteral("Use this panel to choose the exact content of your resume. Published "
                       "resumes only contain the content you select, in order you select it."),
        page);
    text->setWordWrap(true);

    m_available = new QListWidget(page);
    m_available->setObjectName(QStringLiteral("ListBox1"));
    m_displayed = new QListWidget(page);
    m_displayed->setObjectName(QStringLiteral("ListBox2"));
    for (QListWidget* list : {m_available, m_displayed})
        list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_available, &QListWidget::itemDoubleClicked, this,
            [this] { platform::runCommand([this] { ListBox1DblClick(); }); });
    connect(m_displayed, &QListWidget::itemDoubleClicked, this,
            [this] { platform::runCommand([this] { ListBox2DblClick(); }); });

    QPushButton* toDisplayed = addButton(QStringLiteral("FlatButton4"), QStringLiteral(">"),
                                         &TResumeFormat::FlatButton4Click);
    QPushButton* toAvailable = addButton(QStringLiteral("FlatButton5"), QStringLiteral("<"),
                                         &TResumeFormat::FlatButton5Click);
    auto* arrows = new QVBoxLayout;
    arrows->addStretch();
    for (QPushButton* b : {toDisplayed, toAvailable}) {
        b->setParent(page);
        b->setFixedSize(32, 26);
        arrows->addWidget(b);
    }
    arrows->addStretch();

    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(12, 10, 12, 12);
    grid->addWidget(text, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Available Sections"), page), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Displayed Sections"), page), 1, 2);
    grid->addWidget(m_available, 2, 0);
    grid->addLayout(arrows, 2, 1);
    grid->addWidget(m_displayed, 2, 2);
    grid->setRowStretch(2, 1);
    return page;
}

QWidget* TResumeFormat::buildTemplatesPage() {
    m_templatesPage = new TemplatesPage(m_table1);
    return m_templatesPage;
}

QWidget* TResumeFormat::buildButtons() {
    auto* row = new QWidget(body());
    m_preview = addButton(QStringLiteral("previewbtn"), QStringLiteral("&Preview"),
                          &TResumeFormat::previewbtnClick);
    QPushButton* pages = addButton(QStringLiteral("pagesbtn"), QStringLiteral("Pa&ges"),
                                   &TResumeFormat::pagesbtnClick);
    platform::enableWithPreview(pages, m_preview);
    m_ok = addButton(QStringLiteral("FlatButton6"), QStringLiteral("&Ok"),
                     &TResumeFormat::FlatButton6Click);
    m_cancel = addButton(QStringLiteral("cancelbtn"), QStringLiteral("&Cancel"),
                         &TResumeFormat::cancelbtnClick);
    m_apply = addButton(QStringLiteral("applybtn"), QStringLiteral("&Apply"),
                        &TResumeFormat::applybtnClick);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_preview);
    layout->addWidget(pages);
    layout->addStretch();
    for (QPushButton* b : {m_ok, m_cancel, m_apply})
        layout->addWidget(b);
    for (QPushButton* b : {m_preview, pages, m_ok, m_cancel, m_apply})
        b->setParent(row);
    return row;
}

QStringList TResumeFormat::availableSections() const {
    return texts(m_available);
}

QStringList TResumeFormat::displayedSections() const {
    return texts(m_displayed);
}

void TResumeFormat::setPending(bool pending) {
    m_apply->setEnabled(pending);
    m_preview->setEnabled(!pending);
}

void TResumeFormat::FormShow() {
    // Nothing of an earlier file stays in view should the table fail to open.
    m_available->clear();
    m_displayed->clear();
    setPending(false);
    m_table1.open();
    for (int i = 0; i < 3; ++i)
        showFont(i);
    m_templatesPage->showRow();
    setPending(false);
    for (const QString& section : store::readAvailableSections(m_db))
        m_available->insertItem(alphabeticalIndex(availableSections(), section), section);
    m_displayed->addItems(store::readDisplayedSections(m_db));
}

void TResumeFormat::FormHide() {
    // An unposted template choice and unapplied moves are dropped.
    m_table1.close();
}

void TResumeFormat::FlatTabControl1TabChanged() {
    m_pages->setCurrentIndex(m_tabs->currentIndex());
}

void TResumeFormat::DataSource1StateChange() {
    setPending(true);
}

void TResumeFormat::showFont(int textClass) {
    store::FontSetting setting;
    setting.face = m_table1.value(column(textClass, "FontName")).toString().toStdString();
    setting.size = m_table1.value(column(textClass, "FontSize")).toInt();
    setting.style = m_table1.value(column(textClass, "FontStyle")).toInt();
    QPushButton* button = m_fontButtons[textClass];
    button->setFont(platform::toQFont(setting));
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText,
                     platform::toQColor(m_table1.value(column(textClass, "FontColor")).toInt()));
    button->setPalette(palette);
}

void TResumeFormat::chooseFont(int textClass) {
    const platform::FontChoice current{
        m_table1.value(column(textClass, "FontName")).toString(),
        m_table1.value(column(textClass, "FontSize")).toInt(),
        m_table1.value(column(textClass, "FontColor")).toInt(),
        m_table1.value(column(textClass, "FontStyle")).toInt() & store::kStyleBits,
    };
    const std::optional<platform::FontChoice> chosen = platform::dialogs().chooseFont(current);
    if (!chosen)
        return;
    m_table1.edit();
    // Only what the user changed is written, so that Ok without a change leaves the
    // row exactly as stored: a value the dialog cannot show (no size, style bits
    // beyond the four) is not replaced by what it showed instead.
    const auto write = [&](const char* what, const QVariant& was, const QVariant& now) {
        if (now != was)
            m_table1.setValue(column(textClass, what), now);
    };
    write("FontName", current.face, chosen->face);
    write("FontSize", current.size, chosen->size);
    write("FontColor", current.color, chosen->color);
    write("FontStyle", current.style, chosen->style);
    showFont(textClass);
    m_table1.post();
}

void TResumeFormat::FlatButton1Click() {
    chooseFont(0);
}

void TResumeFormat::FlatButton2Click() {
    chooseFont(1);
}

void TResumeFormat::FlatButton3Click() {
    chooseFont(2);
}

void TResumeFormat::moveToDisplayed() {
    QListWidgetItem* item = selectedItem(m_available);
    if (!item)
        return;
    m_displayed->addItem(item->text());
    delete item;
    m_available->clearSelection();
    setPending(true);
}

void TResumeFormat::moveToAvailable() {
    QListWidgetItem* item = selectedItem(m_displayed);
    if (!item)
        return;
    const QString text = item->text();
    delete item;
    m_displayed->clearSelection();
    m_available->insertItem(alphabeticalIndex(availableSections(), text), text);
    setPending(true);
}

void TResumeFormat::FlatButton4Click() {
    moveToDisplayed();
}

void TResumeFormat::ListBox1DblClick() {
    moveToDisplayed();
}

void TResumeFormat::FlatButton5Click() {
    moveToAvailable();
}

void TResumeFormat::ListBox2DblClick() {
    moveToAvailable();
}

void TResumeFormat::applybtnClick() {
    store::writeSections(m_db, availableSections(), displayedSections());
    if (m_table1.state() == store::TableCursor::State::Edit ||
        m_table1.state() == store::TableCursor::State::Insert)
        m_table1.post();
    setPending(false);
}

void TResumeFormat::FlatButton6Click() {
    if (m_apply->isEnabled() && m_table1.isActive())
        m_table1.post();
    hide();
}

void TResumeFormat::cancelbtnClick() {
    hide();
}

void TResumeFormat::previewbtnClick() {
    platform::previewResume();
}

void TResumeFormat::pagesbtnClick() {
    platform::pagePreview();
}

} // namespace format
