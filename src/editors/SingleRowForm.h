// The Ok / Cancel / Apply editor of a one-row table (the contact data, the purpose statements):
// tabs of framed field groups, Apply writes the row, Ok writes it and closes, Cancel discards.
//
// The table is open exactly while the window is shown, so hiding it (Cancel, or the main window)
// discards a change not yet applied. Any change of the row enables Apply and disables Preview
// until the row is written. A window may refuse to write through requiredFieldsFilled().
#pragma once

#include "editors/FieldGrid.h"
#include "platform/Form.h"
#include "store/qt/TableCursor.h"

#include <QList>

#include <memory>
#include <vector>

class QGroupBox;
class QPushButton;

namespace editors {

class TabPages;

class SingleRowForm : public platform::Form {
    Q_OBJECT
public:
    // previewName: the object name of the Preview button, which differs between the windows.
    SingleRowForm(const QString& objectName, const QString& caption, const QString& table,
                  const QString& previewName, QWidget* parent = nullptr);

    store::TableCursor* table1() const { return m_table; }
    TabPages* tabPages() const { return m_tabs; }

    QPushButton* PreviewBtn;
    QPushButton* PagesBtn;
    QPushButton* FlatButton2; // "&Ok"
    QPushButton* FlatButton3; // "&Cancel"
    QPushButton* ApplyBtn;

    void ApplyBtnClick();
    void FlatButton2Click();
    void FlatButton3Click();
    void PreviewBtnClick();
    void PagesBtnClick();
    void FlatTabControl1TabChanged();

protected:
    void FormShow() override;
    void FormHide() override;
    void DataSource1StateChange();

    // Adds a tab whose page is one framed group; the returned grid lays out its fields.
    FieldGrid& addGroupPage(const QString& tab, const QString& groupCaption);
    // Call once every field is laid out: fixes the tab order of the fields and buttons.
    void finishLayout();
    // Run by Apply and Ok before writing; a window that refuses tells the user why and
    // returns false. Nothing is then written and the change stays pending.
    virtual bool requiredFieldsFilled() { return true; }

private:
    // Check, post and write; false when the check refused.
    bool applyChanges();

    store::TableCursor* m_table;
    TabPages* m_tabs;
    QList<QGroupBox*> m_groups;
    std::vector<std::unique_ptr<FieldGrid>> m_grids;
};

} // namespace editors
