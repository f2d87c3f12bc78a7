#include "platform/Dialogs.h"

#include "platform/ProgramInfo.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace platform {

Answer Dialogs::message(const QString& text, const QString& caption, Buttons buttons, Icon icon) {
    return showMessage(MessageRequest{text, caption, buttons, icon});
}

void Dialogs::showError(const QString& text) {
    message(text, applicationTitle(), Buttons::Ok, Icon::Error);
}

QString qtNameFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString withDefaultExtension(const QString& path, const QString& defaultExtension) {
    QString extension = defaultExtension;
    if (extension.startsWith(QLatin1Char('*')))
        extension.remove(0, 1);
    if (extension.startsWith(QLatin1Char('.')))
        extension.remove(0, 1);
    if (extension.isEmpty() || path.isEmpty() ||
        QFileInfo(path).fileName().contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + extension;
}

namespace {

struct ButtonMap {
    QMessageBox::StandardButton qt;
    Answer answer;
};

constexpr ButtonMap kButtons[] = {
    {QMessageBox::Ok, Answer::Ok},         {QMessageBox::Cancel, Answer::Cancel},
    {QMessageBox::Yes, Answer::Yes},       {QMessageBox::No, Answer::No},
    {QMessageBox::Abort, Answer::Abort},   {QMessageBox::Retry, Answer::Retry},
    {QMessageBox::Ignore, Answer::Ignore},
};

QMessageBox::StandardButtons qtButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case Buttons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The colour form the résumé stores: blue * 65536 + green * 256 + red.
int storedColor(const QColor& color) {
    return color.blue() * 65536 + color.green() * 256 + color.red();
}

QColor fromStoredColor(int value) {
    return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

} // namespace

Answer WidgetDialogs::showMessage(const MessageRequest& request) {
    QMessageBox box(qtIcon(request.icon), request.caption, request.text, qtButtons(request.buttons),
                    QApplication::activeWindow());
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const ButtonMap& b : kButtons)
        if (b.qt == pressed)
            return b.answer;
    // Closed without a button: the answer that changes nothing.
    return request.buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

std::optional<QString> WidgetDialogs::openFile(const FileDialogOptions& options) {
    const QString path =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), options.title, options.directory,
                                     qtNameFilter(options.filter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> WidgetDialogs::saveFile(const FileDialogOptions& options) {
    const QString path =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), options.title, options.directory,
                                     qtNameFilter(options.filter));
    if (path.isEmpty())
        return std::nullopt;
    return withDefaultExtension(path, options.defaultExtension);
}

std::optional<FontChoice> WidgetDialogs::chooseFont(const FontChoice& initial) {
    // The standard font dialog has no colour; it is embedded beside a colour button.
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Font"));
    auto* fonts = new QFontDialog(&dialog);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    QFont font(initial.face, initial.size > 0 ? initial.size : 10);
    font.setBold(initial.style & 1);
    font.setItalic(initial.style & 2);
    font.setUnderline(initial.style & 4);
    font.setStrikeOut(initial.style & 8);
    fonts->setCurrentFont(font);

    QColor color = fromStoredColor(initial.color);
    auto* colorButton = new QPushButton(QStringLiteral("Colour..."), &dialog);
    auto* swatch = new QLabel(&dialog);
    swatch->setFixedSize(40, 20);
    const auto paintSwatch = [&] {
        swatch->setStyleSheet(
            QStringLiteral("background:%1;border:1px solid gray").arg(color.name()));
    };
    paintSwatch();
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        const QColor picked = QColorDialog::getColor(color, &dialog);
        if (picked.isValid()) {
            color = picked;
            paintSwatch();
        }
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(colorButton);
    colorRow->addWidget(swatch);
    colorRow->addStretch();
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;

    const QFont chosen = fonts->currentFont();
    return FontChoice{chosen.family(), chosen.pointSize(), storedColor(color),
                      (chosen.bold() ? 1 : 0) | (chosen.italic() ? 2 : 0) |
                          (chosen.underline() ? 4 : 0) | (chosen.strikeOut() ? 8 : 0)};
}

} // namespace platform
