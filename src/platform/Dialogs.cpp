#include "platform/Dialogs.h"

#include "platform/FontChoiceDialog.h"
#include "platform/ProgramInfo.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace platform {

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

std::optional<QString> WidgetDialogs::askPassword(const QString& prompt) {
    bool ok = false;
    const QString password = QInputDialog::getText(QApplication::activeWindow(), applicationTitle(),
                                                   prompt, QLineEdit::Password, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return password;
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
    FontChoiceDialog dialog(initial, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

} // namespace platform
