#include "editors/TDbMemo.h"

#include <QMimeData>
#include <QTextDocumentFragment>

namespace editors {

QString plainTextOf(const QMimeData& source) {
    if (source.hasText())
        return source.text();
    if (source.hasHtml())
        return QTextDocumentFragment::fromHtml(source.html()).toPlainText();
    return {};
}

TDbMemo::TDbMemo(QWidget* parent)
    : QPlainTextEdit(parent),
      m_binding(new DataBinding(this, {[this](const QVariant& value) {
                                           const QString text = value.toString();
                                           if (text != toPlainText())
                                               setPlainText(text);
                                       },
                                       [this](bool readOnly) { setReadOnly(readOnly); }})) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(this, &QPlainTextEdit::textChanged, m_binding,
            [this] { m_binding->write(toPlainText()); });
}

bool TDbMemo::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText() || source->hasHtml();
}

void TDbMemo::insertFromMimeData(const QMimeData* source) {
    const QString text = plainTextOf(*source);
    if (text.isEmpty())
        return;
    textCursor().insertText(text);
    ensureCursorVisible();
}

} // namespace editors
