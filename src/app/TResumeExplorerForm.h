// The main window: the section bar and menus that reach every other window and
// command, the one database connection and the working copy it points at.
//
// It decides at creation which file to work on (the command-line argument, or a
// working copy of its own: a fresh copy of the blank database, or the unsaved work
// an earlier run left there if the user wants it back), opens an information page
// when first shown and offers to save a new résumé when it closes.
#pragma once

#include "app/Windows.h"
#include "platform/Form.h"

#include <QSqlDatabase>
#include <QStringList>

#include <functional>
#include <memory>

class QMenu;
class QMenuBar;
class QAbstractButton;

namespace generate {
class GenerationCommands;
class PdfExport;
} // namespace generate

namespace app {

class OwnWorkingCopy;

class TResumeExplorerForm : public platform::Form {
    Q_OBJECT
public:
    // The windows the commands show, looked up by instance name
    // ("PersonalInfoForm"); unknown names show nothing.
    using WindowLookup = std::function<platform::Form*(const QString& name)>;

    // arguments: the command-line arguments after the program name.
    explicit TResumeExplorerForm(const QStringList& arguments, QWidget* parent = nullptr);
    ~TResumeExplorerForm() override;

    void setWindowLookup(WindowLookup lookup) { m_windows = std::move(lookup); }

    QSqlDatabase& ADOConnection1() { return m_connection; }
    const QString& workingCopyPath() const { return m_workingCopyPath; }
    // The file commands move the working copy; the next ReconnectWorkingCopy opens it.
    void setWorkingCopyPath(const QString& path) { m_workingCopyPath = path; }

    QMenuBar* menuBar() const { return m_menuBar; }
    // The section bar's buttons, top to bottom.
    const QList<QAbstractButton*>& sectionButtons() const { return m_sectionButtons; }

    // Closes the connection and opens it again on the working copy path. Throws
    // store::EDatabaseError; the connection then stays closed.
    void ReconnectWorkingCopy();
    // Lets go of the working copy file: whatever else reads it, then the connection.
    void closeWorkingCopy();
    // What besides the connection reads the working copy (the data module's
    // datasets); released before the connection closes.
    void setWorkingCopyReaders(std::function<void()> release) {
        m_releaseReaders = std::move(release);
    }
    // Hides the nine windows that read the working copy, so that they read it
    // afresh when shown again.
    void hideDataWindows();

    // The working copy of new résumés that this program holds for its life: claimed
    // at a start without an argument, else at the first New. Throws EFileCopyError
    // when every one is in use by other running programs.
    OwnWorkingCopy& ownWorkingCopy();
    // Whether path is that working copy (false before it is claimed).
    bool isOwnWorkingCopy(const QString& path) const;

    // File commands (FileCommands.h).
    void New1Click();
    void OpenResumeDatabase1Click();
    void SaveResumeDatabaseas1Click();
    void Exit1Click();

    // Generation commands; the editors' Preview buttons call PreviewResume1Click.
    void setGenerationCommands(generate::GenerationCommands* commands) { m_generation = commands; }
    void ExportResume1Click();
    // "Export Resume as PDF..." and "Page Preview".
    void setPdfExport(generate::PdfExport* pdfExport) { m_pdfExport = pdfExport; }
    void ExportResumeasPdf1Click();
    void PagePreview1Click();
    void EditResumeusingWordprocesor1Click();
    void PrintResume1Click();
    void PreviewResume1Click();

    // Mail windows, looked up by instance name.
    void SendResumebyEmail1Click();
    void EmailConfiguration1Click();

    // Information commands.
    void Button10Click(); // "Tell A Friend"
    void Upgrade1Click(); // "&Update Online" (menu and section bar)

    // Shows a window by instance name, modelessly, bringing it to the front.
    void showWindow(Window window);
    void showWindow(const QString& name);

signals:
    // The main window has closed: the program ends.
    void closed();

protected:
    void FormShow() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(const QStringList& arguments);
    // A start without an argument: a working copy of its own, recovered when the
    // user wants the work a run that ended without saving left in it, else blank.
    void startNewResume();
    void FormClose();
    void buildSectionBar();
    void buildMenus();
    void addStripButtons();
    void addResumeOptions(QMenu* menu);
    QAction* addCommand(QMenu* menu, const QString& caption, std::function<void()> command);

    QSqlDatabase m_connection;
    QString m_workingCopyPath;
    std::unique_ptr<OwnWorkingCopy> m_ownCopy;
    WindowLookup m_windows;
    std::function<void()> m_releaseReaders;
    generate::GenerationCommands* m_generation = nullptr;
    generate::PdfExport* m_pdfExport = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QList<QAbstractButton*> m_sectionButtons;
};

// The twelve information pages in the order of the "Resume Options" submenus.
extern const Window kResumeOptions[12];

// The page FormShow opens for each number drawn from 0 to 11.
extern const Window kRandomPages[12];

} // namespace app
