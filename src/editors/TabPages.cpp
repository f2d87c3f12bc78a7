#include "editors/TabPages.h"

#include <QTabBar>
#include <QVBoxLayout>

namespace editors {

TabPages::TabPages(QWidget* parent)
    : QWidget(parent), m_tabBar(new QTabBar(this)), m_layout(new QVBoxLayout(this)) {
    m_tabBar->setObjectName(QStringLiteral("FlatTabControl1"));
    m_tabBar->setDrawBase(true);
    m_tabBar->setExpanding(false);
    m_tabBar->setCursor(Qt::PointingHandCursor);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(4);
    m_layout->addWidget(m_tabBar);
}

void TabPages::addPage(const QString& caption, QWidget* page) {
    m_tabBar->addTab(caption);
    m_pages << page;
    m_layout->addWidget(page, 1);
    showActivePage();
}

int TabPages::activeIndex() const {
    return m_tabBar->currentIndex();
}

void TabPages::setActiveIndex(int index) {
    m_tabBar->setCurrentIndex(index);
}

void TabPages::showActivePage() {
    const int active = activeIndex();
    for (QWidget* page : m_pages)
        page->hide();
    if (QWidget* shown = page(active))
        shown->show();
}

} // namespace editors
