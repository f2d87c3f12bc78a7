// A multi-line memo bound to a memo column of a table cursor. It holds plain text only: pasted
// rich text (HTML, with or without a plain alternative) arrives as its plain text.
#pragma once

#include "editors/DataBinding.h"

#include <QPlainTextEdit>

namespace editors {

class TDbMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TDbMemo(QWidget* parent = nullptr);

    void bind(store::TableCursor* cursor, const QString& field) { m_binding->bind(cursor, field); }
    DataBinding* binding() const { return m_binding; }

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    DataBinding* m_binding;
};

// The plain text a paste of this clipboard content inserts: the plain alternative when there is
// one, else the text of the HTML.
QString plainTextOf(const QMimeData& source);

} // namespace editors
