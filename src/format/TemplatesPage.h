// The "Templates" page of the format window: the templates by name, a picture of
// the chosen one's look, and the paper the résumé prints on. Both choices are
// fields of the configuration row the window edits, so choosing one puts the row
// into its editing state like any other change of the window.
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;

namespace store {
class TableCursor;
}

namespace format {

class TemplatesPage : public QWidget {
    Q_OBJECT
public:
    // `configuration` is the window's cursor on the Configuration row; the page reads
    // and writes only its Template and PaperSize fields.
    explicit TemplatesPage(store::TableCursor& configuration, QWidget* parent = nullptr);

    // Shows the row's choices: an empty or unknown template name as the template it
    // generates with, a paper not chosen yet as the locale's.
    void showRow();

private:
    void chooseTemplate(int row);
    void choosePaper(int index);
    void showPicture(int row);

    store::TableCursor& m_configuration;
    QListWidget* m_templates = nullptr;
    QLabel* m_picture = nullptr;
    QComboBox* m_paper = nullptr;
    // Set while showRow() selects entries, which is no choice of the user's.
    bool m_showing = false;
};

} // namespace format
