// The templates the program offers and the paper a résumé is printed on.
//
// Every template is written for US Letter. For A4 the generator rewrites the page
// size of the template before the run and moves the left and right margins so that
// the text keeps its width: tab stops, table cells and rules are absolute positions
// in a template, and they stay right only while the line is as long as it was drawn.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace generate {

struct ResumeTemplate {
    const char* name;     // as the résumé stores it and the format dialog lists it
    const char* fileName; // in the templates folder
};

// The four templates in the order the format dialog lists them; the first is the one
// an empty or unknown name stands for.
const std::vector<ResumeTemplate>& resumeTemplates();

// The template of `name` (letter case aside), or nothing.
const ResumeTemplate* findTemplate(std::string_view name);
// The template of `name`, or the first for an empty or unknown name.
const ResumeTemplate& templateNamed(std::string_view name);

// The templates folder in `programDirectory`, and a template's file in it.
std::string templateDirectory(const std::string& programDirectory);
std::string templatePath(const std::string& templateDirectory, std::string_view name);

enum class PaperSize { Letter, A4 };

struct PageSize {
    int width;  // twips
    int height; // twips
};

PageSize pageSize(PaperSize paper);
// "A4" or "Letter", as stored in the résumé.
const char* paperSizeName(PaperSize paper);
// "A4" or "Letter" in any letter case; nothing for anything else.
std::optional<PaperSize> paperSizeFromName(std::string_view name);

// The paper of a locale name such as "en_US.UTF-8": Letter in the United States,
// Canada, Mexico and the Philippines, A4 everywhere else (and for "C" or no name).
PaperSize paperSizeForLocale(std::string_view localeName);
// The paper of the user's locale for paper: LC_ALL, else LC_PAPER, else LANG.
PaperSize localePaperSize();

// `rtf` set on `paper`: the page width and height of the document and its sections
// rewritten, the left and right margins moved by half the difference in width each.
// A template that names no page size is taken as Letter, which is what readers assume;
// whatever of the size and the side margins it leaves to those defaults is then
// written before its first text.
// Returns the text unchanged when it is already on that paper.
std::string fitToPaper(std::string_view rtf, PaperSize paper);

} // namespace generate
