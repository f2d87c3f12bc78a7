#include "editors/TDbCheckBox.h"

namespace editors {

TDbCheckBox::TDbCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent),
      m_binding(new DataBinding(
          this, {[this](const QVariant& value) { setChecked(value.toString() == "True"); },
                 [](bool) {}})) {
    connect(this, &QCheckBox::clicked, m_binding, [this](bool checked) {
        m_binding->write(checked ? QStringLiteral("True") : QStringLiteral("False"));
    });
}

void TDbCheckBox::nextCheckState() {
    if (!m_binding->isReadOnly())
        QCheckBox::nextCheckState();
}

} // namespace editors
