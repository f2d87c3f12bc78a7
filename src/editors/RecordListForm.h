// The record-list editor that the six list sections share: data-bound fields showing one entry
// of a table, New, Delete and Save, a navigator, Ok and Preview, and the button-state rules.
//
// Each section's window derives from it, lays out its fields on fieldsPage() (or on tabs) and
// names its table and its few differences in Rules. The table is open exactly while the window
// is shown; hiding it discards an entry not yet posted, and in deferred mode every held change.
#pragma once

#include "editors/FieldGrid.h"
#include "platform/Form.h"
#include "store/qt/TableCursor.h"

#include <QList>
#include <QStringList>

#include <memory>

class QGroupBox;
class QPushButton;

namespace editors {

class TDbNavigator;
class TabPages;

class RecordListForm : public platform::Form {
    Q_OBJECT
public:
    struct Rules {
        QString table;
        store::TableCursor::WriteMode writeMode = store::TableCursor::WriteMode::Immediate;
        // Whether Save starts enabled when the window shows a table with entries.
        bool saveOnShow = true;
        // Whether Delete re-reads the table from the file afterwards.
        bool deleteRereads = true;
        // The caption of the frame around the fields; none when empty.
        QString frameCaption{};
        // Tab captions when the fields are split into the entry's fields and its comment.
        QStringList tabs{};
    };

    RecordListForm(const QString& objectName, const QString& caption, const Rules& rules,
                   QWidget* parent = nullptr);

    store::TableCursor* table1() const { return m_table; }

    // The entry's fields, their captions and the navigator, enabled and disabled together.
    bool editingControlsEnabled() const { return m_editingEnabled; }
    // The tabs of the two editors that have them; null for the others.
    TabPages* tabPages() const { return m_tabs; }

    void newbtnClick();
    // Delete writes at once in immediate mode; in deferred mode the deletion is held, and Save
    // stays enabled while anything is held so that the deletion can still be written.
    void deletebtnClick();
    void savebtnClick();
    void FlatButton4Click();
    void previewbtnClick();
    void pagesbtnClick();
    void FlatTabControl1TabChanged();

protected:
    // For the editors that switch Save and Preview on events of their own.
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* previewButton() const { return m_previewButton; }

    void FormShow() override;
    void FormHide() override;
    virtual void DataSource1StateChange();

    // Where a window without tabs lays out its fields, or tab 0 of one with tabs.
    FieldGrid& fields() { return m_fields; }
    // Tab 1 of a window with tabs: the comment memo alone.
    FieldGrid& commentFields() { return *m_commentFields; }
    // Call once every field is laid out: collects the editing controls and the tab order.
    void finishLayout();

    void setEditingControlsEnabled(bool enabled);
    const Rules& rules() const { return m_rules; }

private:
    QWidget* buildFieldArea();
    QWidget* buildButtonColumn();
    // The commands without the error box, so that Ok stops where Save failed.
    void save();

    Rules m_rules;
    store::TableCursor* m_table;
    // The buttons beside the list; their object names are the handlers' prefixes.
    QPushButton* m_newButton;     // "newbtn"
    QPushButton* m_deleteButton;  // "deletebtn"
    QPushButton* m_saveButton;    // "savebtn"
    QPushButton* m_previewButton; // "previewbtn"
    QPushButton* m_pagesButton;   // "pagesbtn"
    QPushButton* m_okButton;      // "FlatButton4"
    TDbNavigator* m_navigator;    // "DBNavigator1"
    TabPages* m_tabs = nullptr;
    QWidget* m_fieldsPage;
    FieldGrid m_fields;
    std::unique_ptr<FieldGrid> m_commentFields;
    QList<QWidget*> m_editingControls;
    bool m_editingEnabled = false;
};

} // namespace editors
