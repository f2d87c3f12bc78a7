// A tab control over pages of which exactly the active tab's page is shown, the others hidden.
// The windows name the tab bar FlatTabControl1 and run their tab-changed handler on its change.
#pragma once

#include <QList>
#include <QWidget>

class QTabBar;
class QVBoxLayout;

namespace editors {

class TabPages : public QWidget {
    Q_OBJECT
public:
    explicit TabPages(QWidget* parent = nullptr);

    QTabBar* tabBar() const { return m_tabBar; }
    // Appends a tab and the page it shows; the first page added is shown at once.
    void addPage(const QString& caption, QWidget* page);
    QWidget* page(int index) const { return m_pages.value(index); }
    int activeIndex() const;
    void setActiveIndex(int index);

    // Hides every page, then shows the active tab's page (none for an index without a page).
    void showActivePage();

private:
    QTabBar* m_tabBar;
    QVBoxLayout* m_layout;
    QList<QWidget*> m_pages;
};

} // namespace editors
