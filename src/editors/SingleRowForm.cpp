#include "editors/SingleRowForm.h"

#include "editors/TabPages.h"
#include "platform/Application.h"
#include "platform/PreviewCommand.h"
#include "store/qt/Connection.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace editors {

SingleRowForm::SingleRowForm(const QString& objectName, const QString& caption,
                             const QString& table, const QString& previewName, QWidget* parent)
    : platform::Form(objectName, caption, parent),
      m_table(new store::TableCursor(store::connection(), table,
                                     store::TableCursor::WriteMode::Immediate, this)),
      m_tabs(new TabPages(this)) {
    m_table->setObjectName(QStringLiteral("table1"));
    PreviewBtn = platform::commandButton(previewName, QStringLiteral("&Preview"), this);
    PagesBtn = platform::commandButton(QStringLiteral("PagesBtn"), QStringLiteral("Pa&ges"), this);
    platform::enableWithPreview(PagesBtn, PreviewBtn);
    FlatButton2 =
        platform::commandButton(QStringLiteral("FlatButton2"), QStringLiteral("&Ok"), this);
    FlatButton3 =
        platform::commandButton(QStringLiteral("FlatButton3"), QStringLiteral("&Cancel"), this);
    ApplyBtn = platform::commandButton(QStringLiteral("ApplyBtn"), QStringLiteral("&Apply"), this);
    ApplyBtn->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PreviewBtn);
    buttons->addWidget(PagesBtn);
    buttons->addStretch(1);
    buttons->addWidget(FlatButton2);
    buttons->addWidget(FlatButton3);
    buttons->addWidget(ApplyBtn);
    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(10);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);

    connect(m_tabs->tabBar(), &QTabBar::currentChanged, this,
            [this] { FlatTabControl1TabChanged(); });
    connect(ApplyBtn, &QPushButton::clicked, this, [this] { ApplyBtnClick(); });
    connect(FlatButton2, &QPushButton::clicked, this, [this] { FlatButton2Click(); });
    connect(FlatButton3, &QPushButton::clicked, this, [this] { FlatButton3Click(); });
    connect(PreviewBtn, &QPushButton::clicked, this, [this] { PreviewBtnClick(); });
    connect(PagesBtn, &QPushButton::clicked, this, [this] { PagesBtnClick(); });
    connect(m_table, &store::TableCursor::stateChanged, this, [this] { DataSource1StateChange(); });
}

FieldGrid& SingleRowForm::addGroupPage(const QString& tab, const QString& groupCaption) {
    auto* group = new QGroupBox(groupCaption, m_tabs);
    m_groups << group;
    m_grids.push_back(std::make_unique<FieldGrid>(group, m_table));
    m_tabs->addPage(tab, group);
    return *m_grids.back();
}

void SingleRowForm::finishLayout() {
    QList<QWidget*> chain;
    for (const auto& grid : m_grids)
        chain << grid->focusChain();
    chain << PreviewBtn << PagesBtn << FlatButton2 << FlatButton3 << ApplyBtn;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void SingleRowForm::FormShow() {
    try {
        m_table->open();
    } catch (const std::exception& error) {
        // Without its table the window can only be closed again.
        ApplyBtn->setEnabled(false);
        PreviewBtn->setEnabled(false);
        platform::showException(error);
        return;
    }
    ApplyBtn->setEnabled(false);
    PreviewBtn->setEnabled(true);
}

void SingleRowForm::FormHide() {
    m_table->close();
}

void SingleRowForm::DataSource1StateChange() {
    ApplyBtn->setEnabled(true);
    PreviewBtn->setEnabled(false);
}

bool SingleRowForm::applyChanges() {
    if (!requiredFieldsFilled())
        return false;
    if (!m_table->apply())
        return false;
    ApplyBtn->setEnabled(false);
    PreviewBtn->setEnabled(true);
    return true;
}

void SingleRowForm::ApplyBtnClick() {
    platform::runCommand([this] { applyChanges(); });
}

void SingleRowForm::FlatButton2Click() {
    platform::runCommand([this] {
        if (ApplyBtn->isEnabled() && !applyChanges())
            return;
        hide();
    });
}

void SingleRowForm::FlatButton3Click() {
    hide();
}

void SingleRowForm::PreviewBtnClick() {
    platform::runCommand([] { platform::previewResume(); });
}

void SingleRowForm::PagesBtnClick() {
    platform::runCommand([] { platform::pagePreview(); });
}

void SingleRowForm::FlatTabControl1TabChanged() {
    m_tabs->showActivePage();
}

} // namespace editors
