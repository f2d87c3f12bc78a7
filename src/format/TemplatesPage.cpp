#include "format/TemplatesPage.h"

#include "generate/ResumeTemplates.h"
#include "platform/Application.h"
#include "platform/ProgramInfo.h"
#include "store/qt/TableCursor.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>

namespace format {

namespace {

const QString kTemplateField = QStringLiteral("Template");
const QString kPaperField = QStringLiteral("PaperSize");
constexpr generate::PaperSize kPapers[] = {generate::PaperSize::A4, generate::PaperSize::Letter};
constexpr QSize kPictureSize(150, 194);

// The picture of a template lies beside it: templates/ClassicResume.png for
// ClassicResume.rtf.
QString picturePath(const generate::ResumeTemplate& resumeTemplate) {
    const QString base = QFileInfo(QString::fromLatin1(resumeTemplate.fileName)).completeBaseName();
    return platform::dataDirectory() + QStringLiteral("templates/") + base + QStringLiteral(".png");
}

int templateRow(const QString& name) {
    const generate::ResumeTemplate& chosen = generate::templateNamed(name.toStdString());
    const auto& all = generate::resumeTemplates();
    for (size_t i = 0; i < all.size(); ++i)
        if (&all[i] == &chosen)
            return static_cast<int>(i);
    return 0;
}

int paperIndex(generate::PaperSize paper) {
    return paper == kPapers[0] ? 0 : 1;
}

} // namespace

TemplatesPage::TemplatesPage(store::TableCursor& configuration, QWidget* parent)
    : QWidget(parent), m_configuration(configuration) {
    m_templates = new QListWidget(this);
    m_templates->setObjectName(QStringLiteral("TemplateList"));
    m_templates->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const generate::ResumeTemplate& t : generate::resumeTemplates())
        m_templates->addItem(QString::fromLatin1(t.name));
    connect(m_templates, &QListWidget::currentRowChanged, this, [this](int row) {
        showPicture(row);
        if (!m_showing)
            platform::runCommand([this, row] { chooseTemplate(row); });
    });
    // Clicking the entry already shown is a choice too, as it was with one entry.
    connect(m_templates, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = m_templates->row(item);
        platform::runCommand([this, row] { chooseTemplate(row); });
    });

    // A neutral frame of the picture's size stands in for a missing picture.
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("TemplatePicture"));
    m_picture->setFixedSize(kPictureSize);
    m_picture->setFrameShape(QFrame::StyledPanel);
    m_picture->setAlignment(Qt::AlignCenter);

    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("PaperSize"));
    for (generate::PaperSize paper : kPapers)
        m_paper->addItem(QString::fromLatin1(generate::paperSizeName(paper)));
    connect(m_paper, &QComboBox::activated, this,
            [this](int index) { platform::runCommand([this, index] { choosePaper(index); }); });
    auto* paperLabel = new QLabel(QStringLiteral("Paper size"), this);
    paperLabel->setBuddy(m_paper);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_templates, 0, 0, 2, 1);
    layout->addWidget(m_picture, 0, 1, Qt::AlignTop);
    auto* paperRow = new QHBoxLayout;
    paperRow->addWidget(paperLabel);
    paperRow->addWidget(m_paper, 1);
    layout->addLayout(paperRow, 2, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(1, 1);
    showPicture(0);
}

void TemplatesPage::showRow() {
    m_showing = true;
    const int row = templateRow(m_configuration.value(kTemplateField).toString());
    m_templates->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    showPicture(row);
    // Only a file opened read-only keeps lacking the column; it prints on Letter.
    const bool hasPaper = m_configuration.isActive() && m_configuration.hasField(kPaperField);
    generate::PaperSize paper = generate::PaperSize::Letter;
    if (hasPaper)
        paper =
            generate::paperSizeFromName(m_configuration.value(kPaperField).toString().toStdString())
                .value_or(generate::localePaperSize());
    m_paper->setCurrentIndex(paperIndex(paper));
    m_paper->setEnabled(hasPaper);
    m_showing = false;
}

void TemplatesPage::chooseTemplate(int row) {
    const auto& all = generate::resumeTemplates();
    if (row < 0 || row >= static_cast<int>(all.size()) || !m_configuration.isActive())
        return;
    m_configuration.setValue(kTemplateField, QString::fromLatin1(all[row].name));
}

void TemplatesPage::choosePaper(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kPapers)) || !m_configuration.isActive() ||
        !m_configuration.hasField(kPaperField))
        return;
    m_configuration.setValue(kPaperField,
                             QString::fromLatin1(generate::paperSizeName(kPapers[index])));
}

void TemplatesPage::showPicture(int row) {
    const auto& all = generate::resumeTemplates();
    QPixmap picture;
    if (row >= 0 && row < static_cast<int>(all.size()))
        picture.load(picturePath(all[row]));
    if (picture.isNull()) {
        m_picture->clear();
        return;
    }
    const QSize room = m_picture->contentsRect().size();
    m_picture->setPixmap(picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

} // namespace format
