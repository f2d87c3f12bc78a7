// Lays out an editor's data-bound fields top to bottom, each under or beside its caption, binds
// each to its column of the editor's table and remembers them as the editor's editing controls.
#pragma once

#include "store/qt/TableCursor.h"

#include <QList>
#include <QString>
#include <QStringList>

class QGridLayout;
class QLabel;
class QWidget;

namespace editors {

class TDbCheckBox;
class TDbDateEdit;
class TDbEdit;
class TDbMemo;
class TDbValueRadioGroup;

// How a caption is drawn: principal fields in maroon, the others in the normal text colour.
enum class Caption { Plain, Principal };

// Marks the caption of a principal field: maroon while enabled, the usual grey when disabled.
void markPrincipal(QLabel* label);

class FieldGrid {
public:
    // Fills page with a grid of captions (left) and fields (right) bound to cursor.
    FieldGrid(QWidget* page, store::TableCursor* cursor);

    // The fields are named after their columns.
    TDbEdit* addEdit(const QString& caption, const QString& column, Caption kind = Caption::Plain,
                     int fixedWidth = 0);
    // An edit field across the page under a caption too long to stand beside it.
    TDbEdit* addEditUnderCaption(const QString& caption, const QString& column,
                                 Caption kind = Caption::Plain);
    TDbDateEdit* addDate(const QString& caption, const QString& column,
                         Caption kind = Caption::Plain);
    // A memo with its caption (if any) above it; it takes the room left over.
    TDbMemo* addMemo(const QString& caption, const QString& column, Caption kind = Caption::Plain);
    TDbCheckBox* addCheck(const QString& text, const QString& column);
    TDbValueRadioGroup* addRadioGroup(const QString& title, const QString& column,
                                      const QStringList& items, const QStringList& values,
                                      int columns);
    // Pushes the fields added so far to the top of the page.
    void addStretch();

    // The captions and fields, in the order added.
    const QList<QWidget*>& controls() const { return m_controls; }
    // The fields that take keyboard focus, in the order added.
    const QList<QWidget*>& focusChain() const { return m_focusChain; }

private:
    QLabel* addCaption(const QString& caption, Caption kind, int row, int column, int span);
    void addField(QWidget* field, const QString& column);

    QWidget* m_page;
    QGridLayout* m_grid;
    store::TableCursor* m_cursor;
    int m_row = 0;
    QList<QWidget*> m_controls;
    QList<QWidget*> m_focusChain;
};

} // namespace editors
