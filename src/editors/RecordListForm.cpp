#include "editors/RecordListForm.h"

#include "editors/TDbNavigator.h"
#include "editors/TabPages.h"
#include "platform/Application.h"
#include "platform/PreviewCommand.h"
#include "platform/Services.h"
#include "store/qt/Connection.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace editors {

namespace {

constexpr int kButtonWidth = 96;

QPushButton* columnButton(const QString& name, const QString& text, QWidget* parent) {
    QPushButton* button = platform::commandButton(name, text, parent);
    button->setFixedWidth(kButtonWidth);
    return button;
}

} // namespace

RecordListForm::RecordListForm(const QString& objectName, const QString& caption,
                               const Rules& rules, QWidget* parent)
    : platform::Form(objectName, caption, parent), m_rules(rules),
      m_table(new store::TableCursor(store::connection(), rules.table, rules.writeMode, this)),
      m_fieldsPage(new QWidget(this)), m_fields(m_fieldsPage, m_table) {
    m_table->setObjectName(QStringLiteral("table1"));
    m_newButton = columnButton(QStringLiteral("newbtn"), QStringLiteral("&New"), this);
    m_deleteButton = columnButton(QStringLiteral("deletebtn"), QStringLiteral("&Delete"), this);
    m_saveButton = columnButton(QStringLiteral("savebtn"), QStringLiteral("&Save"), this);
    m_previewButton = columnButton(QStringLiteral("previewbtn"), QStringLiteral("&Preview"), this);
    m_pagesButton = columnButton(QStringLiteral("pagesbtn"), QStringLiteral("Pa&ges"), this);
    platform::enableWithPreview(m_pagesButton, m_previewButton);
    m_okButton = columnButton(QStringLiteral("FlatButton4"), QStringLiteral("&Ok"), this);
    m_navigator = new TDbNavigator(this);
    m_navigator->setObjectName(QStringLiteral("DBNavigator1"));
    m_navigator->setFixedWidth(kButtonWidth);
    m_navigator->bind(m_table);

    auto* layout = new QHBoxLayout(body());
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(10);
    layout->addWidget(buildFieldArea(), 1);
    layout->addWidget(buildButtonColumn());

    connect(m_newButton, &QPushButton::clicked, this, [this] { newbtnClick(); });
    connect(m_deleteButton, &QPushButton::clicked, this, [this] { deletebtnClick(); });
    connect(m_saveButton, &QPushButton::clicked, this, [this] { savebtnClick(); });
    connect(m_okButton, &QPushButton::clicked, this, [this] { FlatButton4Click(); });
    connect(m_previewButton, &QPushButton::clicked, this, [this] { previewbtnClick(); });
    connect(m_pagesButton, &QPushButton::clicked, this, [this] { pagesbtnClick(); });
    connect(m_table, &store::TableCursor::stateChanged, this, [this] { DataSource1StateChange(); });
}

QWidget* RecordListForm::buildFieldArea() {
    QWidget* content = m_fieldsPage;
    if (!m_rules.tabs.isEmpty()) {
        m_tabs = new TabPages(this);
        auto* commentPage = new QWidget(m_tabs);
        m_commentFields = std::make_unique<FieldGrid>(commentPage, m_table);
        m_tabs->addPage(m_rules.tabs.value(0), m_fieldsPage);
        m_tabs->addPage(m_rules.tabs.value(1), commentPage);
        connect(m_tabs->tabBar(), &QTabBar::currentChanged, this,
                [this] { FlatTabControl1TabChanged(); });
        content = m_tabs;
    }
    auto* frame = new QGroupBox(m_rules.frameCaption, this);
    frame->setObjectName(QStringLiteral("Frame"));
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(10, 10, 10, 10);
    frameLayout->addWidget(content);
    return frame;
}

QWidget* RecordListForm::buildButtonColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_newButton);
    layout->addWidget(m_deleteButton);
    layout->addWidget(m_saveButton);
    layout->addSpacing(6);
    layout->addWidget(m_navigator);
    layout->addStretch(1);
    layout->addWidget(m_previewButton);
    layout->addWidget(m_pagesButton);
    layout->addWidget(m_okButton);
    return column;
}

void RecordListForm::finishLayout() {
    m_editingControls = m_fields.controls();
    QList<QWidget*> chain = m_fields.focusChain();
    if (m_commentFields) {
        m_editingControls << m_commentFields->controls();
        chain << m_commentFields->focusChain();
    }
    m_editingControls << m_navigator;
    chain << m_newButton << m_deleteButton << m_saveButton << m_navigator->firstButton()
          << m_navigator->priorButton() << m_navigator->nextButton() << m_navigator->lastButton()
          << m_previewButton << m_pagesButton << m_okButton;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    setEditingControlsEnabled(false);
}

void RecordListForm::setEditingControlsEnabled(bool enabled) {
    m_editingEnabled = enabled;
    for (QWidget* control : m_editingControls)
        control->setEnabled(enabled);
}

void RecordListForm::FormShow() {
    try {
        m_table->open();
    } catch (const std::exception& error) {
        // Without its table the window can only be closed again.
        for (QPushButton* button : {m_newButton, m_deleteButton, m_saveButton, m_previewButton})
            button->setEnabled(false);
        setEditingControlsEnabled(false);
        platform::showException(error);
        return;
    }
    m_saveButton->setEnabled(false);
    m_newButton->setEnabled(true);
    const bool empty = m_table->isEmpty();
    m_deleteButton->setEnabled(!empty);
    m_saveButton->setEnabled(!empty && m_rules.saveOnShow);
    setEditingControlsEnabled(!empty);
    m_previewButton->setEnabled(true);
}

void RecordListForm::FormHide() {
    m_table->close();
}

void RecordListForm::DataSource1StateChange() {
    m_saveButton->setEnabled(true);
    m_previewButton->setEnabled(false);
}

void RecordListForm::newbtnClick() {
    platform::runCommand([this] {
        const bool wasEmpty = !m_editingEnabled;
        if (!m_table->insert())
            return;
        m_newButton->setEnabled(false);
        if (wasEmpty) {
            m_deleteButton->setEnabled(true);
            m_saveButton->setEnabled(true);
            setEditingControlsEnabled(true);
            m_previewButton->setEnabled(false);
        }
        if (m_tabs)
            m_tabs->setActiveIndex(0);
        if (!m_fields.focusChain().isEmpty())
            m_fields.focusChain().first()->setFocus();
    });
}

void RecordListForm::save() {
    if (!m_table->apply())
        return;
    m_newButton->setEnabled(true);
    m_saveButton->setEnabled(false);
    m_deleteButton->setEnabled(!m_table->isEmpty());
    m_previewButton->setEnabled(true);
    m_table->refresh();
}

void RecordListForm::savebtnClick() {
    platform::runCommand([this] { save(); });
}

void RecordListForm::deletebtnClick() {
    platform::runCommand([this] {
        m_table->deleteRecord();
        if (m_table->isEmpty()) {
            m_deleteButton->setEnabled(false);
            setEditingControlsEnabled(false);
        }
        m_newButton->setEnabled(true);
        m_saveButton->setEnabled(m_table->updatesPending());
        if (m_rules.deleteRereads)
            m_table->refresh();
    });
}

void RecordListForm::FlatButton4Click() {
    platform::runCommand([this] {
        // New is also off when the table could not be opened; there is no entry to save then.
        if (m_table->isActive() && !m_newButton->isEnabled()) {
            const platform::Answer answer =
                platform::dialogs().message(QStringLiteral("Do you want to save the new entry ?"),
                                            QStringLiteral("what do you want to do ?"),
                                            platform::Buttons::YesNo, platform::Icon::None);
            // A failed save leaves the window open with the entry, instead of discarding it.
            if (answer == platform::Answer::Yes)
                save();
        }
        hide();
    });
}

void RecordListForm::previewbtnClick() {
    platform::runCommand([] { platform::previewResume(); });
}

void RecordListForm::pagesbtnClick() {
    platform::runCommand([] { platform::pagePreview(); });
}

void RecordListForm::FlatTabControl1TabChanged() {
    if (m_tabs)
        m_tabs->showActivePage();
}

} // namespace editors
