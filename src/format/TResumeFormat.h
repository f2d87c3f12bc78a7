// The format dialog: the fonts of the three text classes, the sections the résumé
// shows and their order, and the template. Created once, shown modelessly.
//
// A font is written to the configuration row as soon as its dialog closes; moves
// between the two section lists are the dialog's own state until Apply writes both
// tables in one transaction.
#pragma once

#include "platform/Form.h"
#include "store/qt/TableCursor.h"

#include <QSqlDatabase>
#include <QStringList>

class QListWidget;
class QPushButton;
class QStackedWidget;
class QTabBar;

namespace format {

class TemplatesPage;

// Where text joins an alphabetical list (letter case ignored), after its equals.
int alphabeticalIndex(const QStringList& sorted, const QString& text);

class TResumeFormat : public platform::Form {
    Q_OBJECT
public:
    explicit TResumeFormat(QWidget* parent = nullptr);

    // "Headings", "Sub-Headings", "Normal Text": choose the class's font.
    void FlatButton1Click();
    void FlatButton2Click();
    void FlatButton3Click();
    // ">" and a double-click in Available: the selected section to the end of Displayed.
    void FlatButton4Click();
    void ListBox1DblClick();
    // "<" and a double-click in Displayed: the selected section back to Available.
    void FlatButton5Click();
    void ListBox2DblClick();
    void applybtnClick();
    void FlatButton6Click(); // "&Ok"
    void cancelbtnClick();
    void previewbtnClick();
    void pagesbtnClick();

    // The texts of the two lists, top to bottom.
    QStringList availableSections() const;
    QStringList displayedSections() const;

protected:
    void FormShow() override;
    void FormHide() override;

private:
    QWidget* buildFontsPage();
    QWidget* buildContentPage();
    QWidget* buildTemplatesPage();
    QWidget* buildButtons();
    void FlatTabControl1TabChanged();
    void DataSource1StateChange();
    void chooseFont(int textClass);
    void showFont(int textClass);
    void moveToDisplayed();
    void moveToAvailable();
    // A change not yet applied: Apply on, Preview off; and back.
    void setPending(bool pending);
    QPushButton* addButton(const QString& name, const QString& caption,
                           void (TResumeFormat::*handler)());

    QSqlDatabase m_db;
    store::TableCursor m_table1;
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_pages = nullptr;
    QPushButton* m_fontButtons[3] = {};
    QListWidget* m_available = nullptr;
    QListWidget* m_displayed = nullptr;
    TemplatesPage* m_templatesPage = nullptr;
    QPushButton* m_preview = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_apply = nullptr;
};

} // namespace format
