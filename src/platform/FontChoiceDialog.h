// The font dialog of the résumé format window: the face, size, style and colour
// of one text class, shown as the résumé stores them.
//
// A face this desktop does not have stays the chosen face: it is listed under its
// own name, a similar face stands in for it on screen, and the document still
// names it, so a résumé written elsewhere keeps its fonts. Ok without a change
// gives back exactly what it was given.
#pragma once

#include "platform/Dialogs.h"

#include <QColor>
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QSpinBox;

namespace platform {

class FontChoiceDialog : public QDialog {
public:
    explicit FontChoiceDialog(const FontChoice& initial, QWidget* parent = nullptr);

    // The choice as it stands: what Ok gives back.
    FontChoice choice() const;

    // Sets the colour as the colour button would.
    void setColor(const QColor& color);

private:
    // The four style boxes, checked as the stored style says, and the colour button
    // with its swatch.
    QLayout* makeStyleRow(int style);
    QLayout* makeColourRow();
    void showSample();

    FontChoice m_initial;
    QComboBox* m_face = nullptr;
    QSpinBox* m_size = nullptr;
    QCheckBox* m_styles[4] = {};
    QLabel* m_swatch = nullptr;
    QLabel* m_sample = nullptr;
    QColor m_color;
    bool m_sizeChanged = false;
    bool m_colorChanged = false;
};

} // namespace platform
