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
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFixedWidth(kButtonWidth);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    return button;
}

} // namespace

RecordListForm::RecordListForm(const QString& objectName, const QString& caption,
                               const Rules& rules, QWidget* parent)
    : platform::Form(objectName, caption, parent), m_rules(rules),
      m_table(new store::TableCursor(store::connection(), rules.table, rules.writeMode, this)),
      m_fieldsPage(new QWidget(this)), m_fields(m_fieldsPage, m_table) {
    m_table->setObjectName(QStringLiteral("table1"));
    newbtn = columnButton(QStringLiteral("newbtn"), QStringLiteral("&New"), this);
    deletebtn = columnButton(QStringLiteral("deletebtn"), QStringLiteral("&Delete"), this);
    savebtn = columnButton(QStringLiteral("savebtn"), QStringLiteral("&Save"), this);
    previewbtn = columnButton(QStringLiteral("previewbtn"), QStringLiteral("&Preview"), this);
    FlatButton4 = columnButton(QStringLiteral("FlatButton4"), QStringLiteral("&Ok"), this);
    DBNavigator1 = new TDbNavigator(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setFixedWidth(kButtonWidth);
    DBNavigator1->bind(m_table);

    auto* layout = new QHBoxLayout(body());
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(10);
    layout->addWidget(buildFieldArea(), 1);
    layout->addWidget(buildButtonColumn());

    connect(newbtn, &QPushButton::clicked, this, [this] { newbtnClick(); });
    connect(deletebtn, &QPushButton::clicked, this, [this] { deletebtnClick(); });
    connect(savebtn, &QPushButton::clicked, this, [this] { savebtnClick(); });
    connect(FlatButton4, &QPushButton::clicked, this, [this] { FlatButton4Click(); });
    connect(previewbtn, &QPushButton::clicked, this, [this] { previewbtnClick(); });
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
    layout->addWidget(newbtn);
    layout->addWidget(deletebtn);
    layout->addWidget(savebtn);
    layout->addSpacing(6);
    layout->addWidget(DBNavigator1);
    layout->addStretch(1);
    layout->addWidget(previewbtn);
    layout->addWidget(FlatButton4);
    return column;
}

void RecordListForm::finishLayout() {
    m_editingControls = m_fields.controls();
    QList<QWidget*> chain = m_fields.focusChain();
    if (m_commentFields) {
        m_editingControls << m_commentFields->controls();
        chain << m_commentFields->focusChain();
    }
    m_editingControls << DBNavigator1;
    chain << newbtn << deletebtn << savebtn << DBNavigator1->firstButton()
          << DBNavigator1->priorButton() << DBNavigator1->nextButton() << DBNavigator1->lastButton()
          << previewbtn << FlatButton4;
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
        for (QPushButton* button : {newbtn, deletebtn, savebtn, previewbtn})
            button->setEnabled(false);
        setEditingControlsEnabled(false);
        platform::showException(error);
        return;
    }
    savebtn->setEnabled(false);
    newbtn->setEnabled(true);
    const bool empty = m_table->isEmpty();
    deletebtn->setEnabled(!empty);
    savebtn->setEnabled(!empty && m_rules.saveOnShow);
    setEditingControlsEnabled(!empty);
    previewbtn->setEnabled(true);
}

void RecordListForm::FormHide() {
    m_table->close();
}

void RecordListForm::DataSource1StateChange() {
    savebtn->setEnabled(true);
    previewbtn->setEnabled(false);
}

void RecordListForm::newbtnClick() {
    platform::runCommand([this] {
        const bool wasEmpty = !m_editingEnabled;
        if (!m_table->insert())
            return;
        newbtn->setEnabled(false);
        if (wasEmpty) {
            deletebtn->setEnabled(true);
            savebtn->setEnabled(true);
            setEditingControlsEnabled(true);
            previewbtn->setEnabled(false);
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
    newbtn->setEnabled(true);
    savebtn->setEnabled(false);
    deletebtn->setEnabled(!m_table->isEmpty());
    previewbtn->setEnabled(true);
    m_table->refresh();
}

void RecordListForm::savebtnClick() {
    platform::runCommand([this] { save(); });
}

void RecordListForm::deletebtnClick() {
    platform::runCommand([this] {
        m_table->deleteRecord();
        if (m_table->isEmpty()) {
            deletebtn->setEnabled(false);
            setEditingControlsEnabled(false);
        }
        newbtn->setEnabled(true);
        savebtn->setEnabled(m_table->updatesPending());
        if (m_rules.deleteRereads)
            m_table->refresh();
    });
}

void RecordListForm::FlatButton4Click() {
    platform::runCommand([this] {
        // New is also off when the table could not be opened; there is no entry to save then.
        if (m_table->isActive() && !newbtn->isEnabled()) {
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

void RecordListForm::FlatTabControl1TabChanged() {
    if (m_tabs)
        m_tabs->showActivePage();
}

} // namespace editors
