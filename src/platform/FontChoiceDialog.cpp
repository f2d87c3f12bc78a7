#include "platform/FontChoiceDialog.h"

#include "platform/FontSettingQt.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace platform {

namespace {

// The four style bits, in the order of their boxes.
struct StyleBox {
    const char* name;
    const char* caption;
    int bit;
    void (QFont::*apply)(bool);
};
constexpr StyleBox kStyleBoxes[4] = {
    {"Bold", "&Bold", store::Bold, &QFont::setBold},
    {"Italic", "&Italic", store::Italic, &QFont::setItalic},
    {"Underline", "&Underline", store::Underline, &QFont::setUnderline},
    {"StrikeOut", "S&trikeout", store::StrikeOut, &QFont::setStrikeOut},
};

} // namespace

FontChoiceDialog::FontChoiceDialog(const FontChoice& initial, QWidget* parent)
    : QDialog(parent), m_initial(initial), m_color(toQColor(initial.color)) {
    setWindowTitle(QStringLiteral("Font"));

    QStringList families = QFontDatabase::families();
    const bool installed = initial.face.isEmpty() || families.contains(initial.face);
    if (!installed) {
        families << initial.face;
        families.sort(Qt::CaseInsensitive);
    }
    m_face = new QComboBox(this);
    m_face->setObjectName(QStringLiteral("FontFace"));
    m_face->setEditable(true);
    m_face->setInsertPolicy(QComboBox::NoInsert);
    m_face->addItems(families);
    m_face->setEditText(initial.face);

    m_size = new QSpinBox(this);
    m_size->setObjectName(QStringLiteral("FontSize"));
    m_size->setRange(1, 9999);
    m_size->setValue(initial.size > 0 ? initial.size : kShownPointSizeWhenUnset);

    QLayout* styles = makeStyleRow(initial.style);
    QLayout* colorRow = makeColourRow();

    m_sample = new QLabel(QStringLiteral("AaBbYyZz"), this);
    m_sample->setObjectName(QStringLiteral("Sample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumSize(260, 70);
    m_sample->setFrameShape(QFrame::StyledPanel);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Font:"), m_face);
    form->addRow(QStringLiteral("&Size:"), m_size);
    form->addRow(QStringLiteral("Style:"), styles);
    form->addRow(QStringLiteral("Colour:"), colorRow);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    if (!installed) {
        auto* note = new QLabel(QStringLiteral("\"%1\" is not installed here. A similar face "
                                               "stands in for it on screen; the resume keeps "
                                               "\"%1\".")
                                    .arg(initial.face),
                                this);
        note->setObjectName(QStringLiteral("MissingFaceNote"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addWidget(m_sample, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_face, &QComboBox::editTextChanged, this, [this] { showSample(); });
    connect(m_size, &QSpinBox::valueChanged, this, [this] {
        m_sizeChanged = true;
        showSample();
    });
    showSample();
}

QLayout* FontChoiceDialog::makeStyleRow(int style) {
    auto* row = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        m_styles[i] = new QCheckBox(QString::fromLatin1(kStyleBoxes[i].caption), this);
        m_styles[i]->setObjectName(QString::fromLatin1(kStyleBoxes[i].name));
        m_styles[i]->setChecked(style & kStyleBoxes[i].bit);
        connect(m_styles[i], &QCheckBox::toggled, this, [this] { showSample(); });
        row->addWidget(m_styles[i]);
    }
    row->addStretch();
    return row;
}

QLayout* FontChoiceDialog::makeColourRow() {
    auto* button = new QPushButton(QStringLiteral("&Colour..."), this);
    button->setObjectName(QStringLiteral("ColourButton"));
    connect(button, &QPushButton::clicked, this, [this] {
        const QColor picked = QColorDialog::getColor(m_color, this);
        if (picked.isValid())
            setColor(picked);
    });
    m_swatch = new QLabel(this);
    m_swatch->setObjectName(QStringLiteral("ColourSwatch"));
    m_swatch->setFixedSize(40, 20);
    auto* row = new QHBoxLayout;
    row->addWidget(button);
    row->addWidget(m_swatch);
    row->addStretch();
    return row;
}

FontChoice FontChoiceDialog::choice() const {
    // What the user did not touch is handed back as it came, even where the
    // widgets could not show it (no size, colour or style bits out of range).
    FontChoice chosen = m_initial;
    const QString face = m_face->currentText().trimmed();
    if (face != m_initial.face.trimmed())
        chosen.face = face;
    if (m_sizeChanged)
        chosen.size = m_size->value();
    if (m_colorChanged)
        chosen.color = int(fromQColor(m_color));
    int style = 0;
    for (int i = 0; i < 4; ++i)
        if (m_styles[i]->isChecked())
            style |= kStyleBoxes[i].bit;
    if (style != (m_initial.style & store::kStyleBits))
        chosen.style = (m_initial.style & ~store::kStyleBits) | style;
    return chosen;
}

void FontChoiceDialog::setColor(const QColor& color) {
    m_color = color;
    m_colorChanged = true;
    showSample();
}

void FontChoiceDialog::showSample() {
    // QFont picks a similar installed face for one that is missing.
    QFont font(m_face->currentText(), m_size->value());
    for (int i = 0; i < 4; ++i)
        (font.*kStyleBoxes[i].apply)(m_styles[i]->isChecked());
    m_sample->setFont(font);
    m_sample->setStyleSheet(QStringLiteral("color:%1").arg(m_color.name()));
    m_swatch->setStyleSheet(
        QStringLiteral("background:%1;border:1px solid gray").arg(m_color.name()));
}

} // namespace platform
