// The program's windows and data module, each created once at start-up in a
// fixed order, the main window first so the others find its connection open.
#pragma once

#include "app/TResumeExplorerForm.h"
#include "generate/qt/GenerationCommands.h"
#include "generate/qt/PdfExport.h"
#include "mail/ui/ServerSettings.h"
#include "store/TDM.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace app {

class Program {
public:
    // arguments: the command-line arguments after the program name.
    explicit Program(const QStringList& arguments);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    TResumeExplorerForm& ResumeExplorerForm() { return *m_main; }
    store::TDM& DM() { return *m_dm; }
    generate::GenerationCommands& generation() { return *m_generation; }
    generate::PdfExport& pdfExport() { return *m_pdfExport; }

    // Every window, in creation order, the main window first.
    const std::vector<platform::Form*>& windows() const { return m_windows; }
    // A window by instance name, or null.
    platform::Form* window(const QString& name) const;

private:
    template <typename Window> void create();
    void adopt(std::unique_ptr<platform::Form> window);
    void createPagePreview();

    std::unique_ptr<TResumeExplorerForm> m_main;
    std::vector<std::unique_ptr<platform::Form>> m_owned;
    std::vector<platform::Form*> m_windows;
    std::unique_ptr<store::TDM> m_dm;
    std::unique_ptr<generate::GenerationCommands> m_generation;
    std::unique_ptr<generate::PdfExport> m_pdfExport;
    mail::ServerSettings m_serverSettings;
};

// The program's title, the caption of message boxes that have none of their own.
inline constexpr const char* kApplicationTitle = "Vitacraft Pro 3.0";
// The name the desktop knows the program by: its menu entry, icon and metadata.
inline constexpr const char* kApplicationId = VITACRAFT_APP_ID;

} // namespace app
