#include "editors/TDbEdit.h"

namespace editors {

TDbEdit::TDbEdit(QWidget* parent)
    : QLineEdit(parent),
      m_binding(new DataBinding(this, {[this](const QVariant& value) {
                                           const QString text = value.toString();
                                           if (text != this->text())
                                               setText(text);
                                       },
                                       [this](bool readOnly) { setReadOnly(readOnly); }})) {
    connect(this, &QLineEdit::textEdited, m_binding,
            [this](const QString& text) { m_binding->write(text); });
}

} // namespace editors
