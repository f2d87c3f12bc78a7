// The desktop's standard dialogs: message boxes, the open and save file dialogs
// and the font dialog. Windows ask through this interface so tests can script
// every answer.
#pragma once

#include <QString>

#include <optional>

namespace platform {

enum class Buttons {
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
    RetryCancel,
    AbortRetryIgnore,
};

enum class Icon {
    None,
    Information,
    Warning, // the exclamation mark
    Error,
    Question,
};

enum class Answer {
    Ok,
    Cancel,
    Yes,
    No,
    Abort,
    Retry,
    Ignore,
};

struct MessageRequest {
    QString text;
    QString caption;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
};

struct FileDialogOptions {
    // Pairs of label and pattern separated by "|": "Vitacraft Files|*.vcw".
    QString filter;
    // Appended to a chosen name that has no extension ("vcw" or "*.vcw").
    QString defaultExtension;
    QString title;
    QString directory;
};

// A font as the résumé stores it: colour is blue * 65536 + green * 256 + red,
// style the sum of bold 1, italic 2, underline 4 and strikeout 8.
struct FontChoice {
    QString face;
    int size = 10;
    int color = 0;
    int style = 0;

    bool operator==(const FontChoice&) const = default;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual Answer showMessage(const MessageRequest& request) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(const FileDialogOptions& options) = 0;
    virtual std::optional<QString> saveFile(const FileDialogOptions& options) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
    // A password typed into a masked field; nothing when the user cancelled.
    virtual std::optional<QString> askPassword(const QString& prompt) = 0;

    Answer message(const QString& text, const QString& caption, Buttons buttons, Icon icon);
    // The application's standard error box: the text, applicationTitle(),
    // the error icon and an OK button.
    void showError(const QString& text);
};

// The dialogs of the running desktop session.
class WidgetDialogs : public Dialogs {
public:
    Answer showMessage(const MessageRequest& request) override;
    std::optional<QString> openFile(const FileDialogOptions& options) override;
    std::optional<QString> saveFile(const FileDialogOptions& options) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    std::optional<QString> askPassword(const QString& prompt) override;
};

// "Label|*.a;*.b|Other|*.c" as a Qt name filter: "Label (*.a *.b);;Other (*.c)".
QString qtNameFilter(const QString& filter);

// Appends the default extension to a chosen path whose file name has none.
QString withDefaultExtension(const QString& path, const QString& defaultExtension);

} // namespace platform
