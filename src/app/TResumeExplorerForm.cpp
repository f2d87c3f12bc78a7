#include "app/TResumeExplorerForm.h"

#include "generate/qt/GenerationCommands.h"
#include "generate/qt/PdfExport.h"

#include "app/FileCommands.h"
#include "app/JsonResumeCommands.h"
#include "app/OwnWorkingCopy.h"
#include "app/SectionButton.h"

#include "info/ShellCommands.h"
#include "platform/Application.h"
#include "platform/ProgramInfo.h"
#include "platform/Services.h"
#include "preview/TPagePreview.h"
#include "store/qt/Connection.h"
#include "store/qt/ProgramState.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace app {

const Window kResumeOptions[12] = {
    Window::ResumePosting,     Window::ResumeDistribution, Window::ResumeWebResume,
    Window::InterviewTraining, Window::ResumeCritique,     Window::ReferenceChecking,
    Window::ResumeWriting,     Window::CoverLetter,        Window::SalaryReport,
    Window::FreelanceExchange, Window::CareerAssessment,   Window::Templates,
};

const Window kRandomPages[12] = {
    Window::ResumePosting,     Window::ResumeDistribution, Window::ResumeWebResume,
    Window::CareerAssessment,  Window::InterviewTraining,  Window::ResumeCritique,
    Window::ReferenceChecking, Window::ResumeWriting,      Window::SalaryReport,
    Window::FreelanceExchange, Window::CoverLetter,        Window::Templates,
};

namespace {

// The windows that must read the working copy afresh after New and Open.
const Window kDataWindows[] = {
    Window::EducationalHistory, Window::EmploymentHistory, Window::HonorsCertifications,
    Window::Organizations,      Window::PersonalInfo,      Window::PurposeStatements,
    Window::References,         Window::SkillArea,         Window::ResumeFormat,
    Window::PagePreview,
};

constexpr int kClientWidth = 111;
constexpr int kClientHeight = 665;

} // namespace

TResumeExplorerForm::TResumeExplorerForm(const QStringList& arguments, QWidget* parent)
    : platform::Form(QStringLiteral("ResumeExplorerForm"), QStringLiteral("VC 3.0"), parent),
      m_connection(store::connection()) {
    buildMenus();
    buildSectionBar();
    addStripButtons();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    FormCreate(arguments);
}

TResumeExplorerForm::~TResumeExplorerForm() = default;

void TResumeExplorerForm::FormCreate(const QStringList& arguments) {
    if (!arguments.isEmpty() && !arguments.first().isEmpty()) {
        m_workingCopyPath = arguments.first();
        store::setUnsavedFlag(0);
    } else {
        store::setUnsavedFlag(1);
        platform::runCommand([this] { startNewResume(); });
    }
    store::setCurrentResumeDocumentPath(platform::writableDirectory() + QStringLiteral("temp.doc"));
    // Start-up goes on with the connection closed; the user can open another file.
    if (!m_workingCopyPath.isEmpty())
        platform::runCommand([this] { ReconnectWorkingCopy(); });
}

void TResumeExplorerForm::startNewResume() {
    const QString blank = platform::dataDirectory() + QStringLiteral("data.mdb");
    m_ownCopy = OwnWorkingCopy::claim(platform::writableDirectory(), blank,
                                      OwnWorkingCopy::Choice::PreferLeftoverWork);
    OwnWorkingCopy& own = ownWorkingCopy();
    m_workingCopyPath = own.path();
    if (own.heldLeftoverWork()) {
        const platform::Answer answer = platform::dialogs().message(
            QStringLiteral("The last time the program ended, a resume had not been saved. Do you "
                           "want to recover it?\n\nYes opens it. No starts a new resume, and "
                           "the one that was not saved is lost."),
            QStringLiteral("What do you want to do ?"), platform::Buttons::YesNo,
            platform::Icon::Question);
        if (answer == platform::Answer::Yes)
            return;
    }
    // A failed copy is not reported: the connection then shows what is wrong.
    own.resetToBlank(blank);
}

OwnWorkingCopy& TResumeExplorerForm::ownWorkingCopy() {
    if (!m_ownCopy)
        m_ownCopy = OwnWorkingCopy::claim(platform::writableDirectory(),
                                          platform::dataDirectory() + QStringLiteral("data.mdb"),
                                          OwnWorkingCopy::Choice::AvoidLeftoverWork);
    if (!m_ownCopy)
        throw EFileCopyError(
            QStringLiteral("Every working copy in '%1' is in use by another running program.")
                .arg(platform::writableDirectory())
                .toStdString());
    return *m_ownCopy;
}

bool TResumeExplorerForm::isOwnWorkingCopy(const QString& path) const {
    return m_ownCopy && m_ownCopy->path() == path;
}

void TResumeExplorerForm::ReconnectWorkingCopy() {
    closeWorkingCopy();
    store::openResume(m_connection, m_workingCopyPath);
}

void TResumeExplorerForm::closeWorkingCopy() {
    if (m_releaseReaders)
        m_releaseReaders();
    m_connection.close();
}

void TResumeExplorerForm::FormShow() {
    platform::random().seed(static_cast<quint64>(platform::clock().now().toMSecsSinceEpoch()));
    const int page = platform::random().next(12);
    if (page >= 0 && page < 12)
        showWindow(kRandomPages[page]);
    move(0, 0);
}

void TResumeExplorerForm::closeEvent(QCloseEvent* event) {
    try {
        FormClose();
    } catch (const EFileCopyError& error) {
        // The user asked to keep the résumé and it was not saved: it would be left
        // in the working copy, no more than a candidate for the next start's recovery.
        platform::showException(error);
        event->ignore();
        return;
    } catch (const std::exception& error) {
        platform::showException(error);
    }
    event->accept();
    emit closed();
}

void TResumeExplorerForm::FormClose() {
    if (store::unsavedFlag() != 1)
        return;
    const platform::Answer answer = platform::dialogs().message(
        QStringLiteral(" Do you want to save your resume ? "),
        QStringLiteral("What do you want to do ?"), platform::Buttons::YesNo, platform::Icon::None);
    if (answer == platform::Answer::Yes)
        SaveResumeDatabaseas1Click();
}

void TResumeExplorerForm::showWindow(Window window) {
    showWindow(windowName(window));
}

void TResumeExplorerForm::showWindow(const QString& name) {
    if (platform::Form* window = m_windows ? m_windows(name) : nullptr)
        window->showForm();
}

void TResumeExplorerForm::hideDataWindows() {
    for (Window name : kDataWindows)
        if (platform::Form* window = m_windows ? m_windows(windowName(name)) : nullptr)
            window->hide();
}

void TResumeExplorerForm::New1Click() {
    newResume(*this);
}

void TResumeExplorerForm::OpenResumeDatabase1Click() {
    openResumeDatabase(*this);
}

void TResumeExplorerForm::SaveResumeDatabaseas1Click() {
    saveResumeDatabaseAs(*this);
}

void TResumeExplorerForm::Exit1Click() {
    close();
}

void TResumeExplorerForm::ExportResume1Click() {
    if (m_generation)
        m_generation->exportResume(platform::dialogs());
}

void TResumeExplorerForm::ExportResumeasPdf1Click() {
    if (m_pdfExport)
        m_pdfExport->exportResume(platform::dialogs());
}

void TResumeExplorerForm::PagePreview1Click() {
    platform::Form* window = m_windows ? m_windows(windowName(Window::PagePreview)) : nullptr;
    if (auto* pages = qobject_cast<preview::TPagePreview*>(window))
        pages->showAfresh();
}

void TResumeExplorerForm::EditResumeusingWordprocesor1Click() {
    if (m_generation)
        m_generation->editResume(platform::shell(), platform::dialogs());
}

void TResumeExplorerForm::PrintResume1Click() {
    if (m_generation)
        m_generation->printResume(platform::shell(), platform::dialogs());
}

void TResumeExplorerForm::PreviewResume1Click() {
    if (m_generation)
        m_generation->previewResume(platform::shell());
}

void TResumeExplorerForm::SendResumebyEmail1Click() {
    showWindow(Window::SendResume);
}

void TResumeExplorerForm::EmailConfiguration1Click() {
    showWindow(Window::EmailServerConf);
}

void TResumeExplorerForm::Button10Click() {
    info::tellAFriend();
}

void TResumeExplorerForm::Upgrade1Click() {
    info::updateOnline();
}

void TResumeExplorerForm::addStripButtons() {
    // Without a system frame the strip carries the minimise and close boxes.
    const struct {
        const char* name;
        const char* glyph;
        std::function<void()> action;
    } boxes[] = {
        {"MinimizeBox", "\u2013", [this] { showMinimized(); }},
        {"CloseBox", "\u00d7", [this] { close(); }},
    };
    for (const auto& box : boxes) {
        auto* button = new QToolButton(titleStrip());
        button->setObjectName(QString::fromLatin1(box.name));
        button->setText(QString::fromUtf8(box.glyph));
        button->setAutoRaise(true);
        button->setFixedSize(18, 18);
        button->setStyleSheet(QStringLiteral("QToolButton { color: white; border: none; }"
                                             "QToolButton:hover { background: #444; }"));
        connect(button, &QToolButton::clicked, this, box.action);
        titleStripLayout()->addWidget(button);
    }
}

QAction* TResumeExplorerForm::addCommand(QMenu* menu, const QString& caption,
                                         std::function<void()> command) {
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this,
            [command = std::move(command)] { platform::runCommand(command); });
    return action;
}

void TResumeExplorerForm::addResumeOptions(QMenu* menu) {
    QMenu* options = menu->addMenu(QStringLiteral("Resume Options"));
    options->setObjectName(QStringLiteral("ResumeOptions"));
    for (Window option : kResumeOptions)
        addCommand(options, windowCaption(option), [this, option] { showWindow(option); });
}

void TResumeExplorerForm::buildMenus() {
    m_menuBar = new QMenuBar(body());
    m_menuBar->setNativeMenuBar(false);
    // A flat look: Tahoma 8 pt, the selected item white on black.
    m_menuBar->setStyleSheet(
        QStringLiteral("QMenuBar, QMenu { font: 8pt \"Tahoma\"; }"
                       "QMenuBar { spacing: 0px; } QMenuBar::item { padding: 2px 2px; }"
                       "QMenu::item { padding: 3px 18px 3px 28px; }"
                       "QMenu::item:selected { background: black; color: white; border: 1px solid "
                       "palette(highlight); }"));

    const auto show = [this](QMenu* menu, Window window) {
        addCommand(menu, windowCaption(window), [this, window] { showWindow(window); });
    };

    QMenu* file = m_menuBar->addMenu(QStringLiteral("File"));
    addResumeOptions(file);
    file->addSeparator();
    addCommand(file, QStringLiteral("New"), [this] { New1Click(); });
    addCommand(file, QStringLiteral("Open Resume Database"),
               [this] { OpenResumeDatabase1Click(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("Save Resume Database as..."),
               [this] { SaveResumeDatabaseas1Click(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("Import JSON Resume..."), [this] { importJsonResume(*this); });
    addCommand(file, QStringLiteral("Export JSON Resume..."), [this] { exportJsonResume(*this); });
    file->addSeparator();
    addCommand(file, QStringLiteral("Send Resume by Email"), [this] { SendResumebyEmail1Click(); });
    addCommand(file, QStringLiteral("Export Resume as..."), [this] { ExportResume1Click(); });
    addCommand(file, QStringLiteral("Export Resume as PDF..."),
               [this] { ExportResumeasPdf1Click(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("Edit Resume using Word Processor"),
               [this] { EditResumeusingWordprocesor1Click(); });
    addCommand(file, QStringLiteral("Print Resume"), [this] { PrintResume1Click(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("E&xit"), [this] { Exit1Click(); });

    QMenu* resume = m_menuBar->addMenu(QStringLiteral("Resume"));
    addResumeOptions(resume);
    resume->addSeparator();
    show(resume, Window::ResumeFormat);
    addCommand(resume, QStringLiteral("Email Configuration"),
               [this] { EmailConfiguration1Click(); });
    resume->addSeparator();
    addCommand(resume, QStringLiteral("Preview Resume"), [this] { PreviewResume1Click(); });
    addCommand(resume, windowCaption(Window::PagePreview), [this] { PagePreview1Click(); });
    resume->addSeparator();
    show(resume, Window::PersonalInfo);
    show(resume, Window::PurposeStatements);
    show(resume, Window::EducationalHistory);
    show(resume, Window::EmploymentHistory);
    show(resume, Window::HonorsCertifications);
    show(resume, Window::Organizations);
    show(resume, Window::SkillArea);
    show(resume, Window::References);

    QMenu* help = m_menuBar->addMenu(QStringLiteral("Help"));
    addResumeOptions(help);
    help->addSeparator();
    addCommand(help, QStringLiteral("&Update Online"), [this] { Upgrade1Click(); });
    help->addSeparator();
    show(help, Window::AboutBox);
}

void TResumeExplorerForm::buildSectionBar() {
    auto* bar = new QWidget(body());
    bar->setObjectName(QStringLiteral("SectionBar"));
    bar->setFixedSize(kClientWidth, kClientHeight);
    auto* barLayout = new QVBoxLayout(bar);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->setSpacing(2);

    auto* header = new QLabel(QStringLiteral("Resume Sections"), bar);
    header->setObjectName(QStringLiteral("SectionBarHeader"));
    header->setStyleSheet(QStringLiteral(
        "QLabel { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #9a9a9a, "
        "stop:1 white); color: black; font: bold 8pt \"Arial\"; padding: 4px 2px; }"));
    barLayout->addWidget(header);

    const struct {
        const char* name;
        const char* caption;
        QStyle::StandardPixmap icon;
        std::function<void()> command;
    } buttons[] = {
        {"Button1", "Personal Information", QStyle::SP_FileDialogContentsView,
         [this] { showWindow(Window::PersonalInfo); }},
        {"Button2", "Purpose Statements", QStyle::SP_FileDialogDetailedView,
         [this] { showWindow(Window::PurposeStatements); }},
        {"Button3", "Educational History", QStyle::SP_FileDialogInfoView,
         [this] { showWindow(Window::EducationalHistory); }},
        {"Button4", "Employment History", QStyle::SP_DesktopIcon,
         [this] { showWindow(Window::EmploymentHistory); }},
        {"Button5", "Honors/Certifications", QStyle::SP_DialogApplyButton,
         [this] { showWindow(Window::HonorsCertifications); }},
        {"Button6", "Organizations", QStyle::SP_DirIcon,
         [this] { showWindow(Window::Organizations); }},
        {"Button7", "Skills", QStyle::SP_FileDialogListView,
         [this] { showWindow(Window::SkillArea); }},
        {"Button8", "References", QStyle::SP_FileIcon, [this] { showWindow(Window::References); }},
        {"Button10", "Tell A Friend", QStyle::SP_MessageBoxInformation,
         [this] { Button10Click(); }},
        {"Button9", "&Update Online", QStyle::SP_BrowserReload, [this] { Upgrade1Click(); }},
    };
    int index = 0;
    for (const auto& b : buttons) {
        auto* button =
            new SectionButton(QString::fromLatin1(b.caption), style()->standardIcon(b.icon), bar);
        button->setObjectName(QString::fromLatin1(b.name));
        if (index < 8) {
            QFont font(QStringLiteral("Arial"), 8);
            font.setBold(true);
            font.setUnderline(QLatin1String(b.caption) != QLatin1String("Skills"));
            button->setFont(font);
        }
        connect(button, &QAbstractButton::clicked, this,
                [command = b.command] { platform::runCommand(command); });
        barLayout->addWidget(button, 0, Qt::AlignHCenter);
        m_sectionButtons << button;
        ++index;
    }
    barLayout->addStretch();

    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(bar);
}

} // namespace app
