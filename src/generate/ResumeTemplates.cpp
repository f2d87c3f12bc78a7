#include "generate/ResumeTemplates.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/RtfText.h"

#include <algorithm>
#include <cstdlib>

namespace generate {

const std::vector<ResumeTemplate>& resumeTemplates() {
    static const std::vector<ResumeTemplate> all = {
        {"Contemporary Resume", "ContemporaryResume.rtf"},
        {"Classic Resume", "ClassicResume.rtf"},
        {"Compact Resume", "CompactResume.rtf"},
        {"Modern Resume", "ModernResume.rtf"},
    };
    return all;
}

const ResumeTemplate* findTemplate(std::string_view name) {
    for (const ResumeTemplate& t : resumeTemplates())
        if (rtfengine::equalsIgnoringAsciiCase(name, t.name))
            return &t;
    return nullptr;
}

const ResumeTemplate& templateNamed(std::string_view name) {
    const ResumeTemplate* found = findTemplate(name);
    return found ? *found : resumeTemplates().front();
}

std::string templateDirectory(const std::string& programDirectory) {
    std::string path = programDirectory;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + "templates";
}

std::string templatePath(const std::string& templateDirectory, std::string_view name) {
    return templateDirectory + '/' + templateNamed(name).fileName;
}

namespace {

constexpr PageSize kLetter{12240, 15840};
constexpr PageSize kA4{11906, 16838};
// What a reader assumes for a document that names no margins.
constexpr int kDefaultSideMargin = 1800;

} // namespace

PageSize pageSize(PaperSize paper) {
    switch (paper) {
    case PaperSize::Letter:
        return kLetter;
    case PaperSize::A4:
        return kA4;
    }
    return kLetter;
}

const char* paperSizeName(PaperSize paper) {
    switch (paper) {
    case PaperSize::Letter:
        return "Letter";
    case PaperSize::A4:
        return "A4";
    }
    return "Letter";
}

std::optional<PaperSize> paperSizeFromName(std::string_view name) {
    for (PaperSize paper : {PaperSize::Letter, PaperSize::A4})
        if (rtfengine::equalsIgnoringAsciiCase(name, paperSizeName(paper)))
            return paper;
    return std::nullopt;
}

PaperSize paperSizeForLocale(std::string_view localeName) {
    // language[_territory][.codeset][@modifier]
    const size_t underscore = localeName.find('_');
    if (underscore == std::string_view::npos)
        return PaperSize::A4;
    std::string_view territory = localeName.substr(underscore + 1);
    territory = territory.substr(0, territory.find_first_of(".@"));
    for (std::string_view letterCountry : {"US", "CA", "MX", "PH"})
        if (rtfengine::equalsIgnoringAsciiCase(territory, letterCountry))
            return PaperSize::Letter;
    return PaperSize::A4;
}

PaperSize localePaperSize() {
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"})
        if (const char* value = std::getenv(variable); value && *value)
            return paperSizeForLocale(value);
    return PaperSize::A4;
}

namespace {

// A control word of the text: where its number stands, and the number.
struct ControlWord {
    std::string_view word;
    size_t numberAt = 0;
    size_t numberLength = 0;
    long value = 0;
};

// Walks the control words of an RTF text, stepping over control symbols, hex escapes
// and the data of "\bin". `visit(word, depth)` sees every control word with a number;
// `firstText` is where the body's first paragraph or text begins at the top level.
template <typename Visit> size_t walkControlWords(std::string_view rtf, Visit&& visit) {
    size_t firstText = std::string_view::npos;
    int depth = 0;
    size_t i = 0;
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{' || c == '}') {
            depth += c == '{' ? 1 : -1;
            ++i;
            continue;
        }
        if (c != '\\') {
            if (depth == 1 && firstText == std::string_view::npos && c != '\r' && c != '\n')
                firstText = i;
            ++i;
            continue;
        }
        if (const size_t end = rtfengine::binaryDataEnd(rtf, i)) {
            i = end;
            continue;
        }
        if (i + 1 >= rtf.size() || !rtfengine::isAsciiLetter(rtf[i + 1])) {
            if (depth == 1 && firstText == std::string_view::npos)
                firstText = i;
            i += rtfengine::escapeLength(rtf, i);
            continue;
        }
        const size_t start = i++;
        while (i < rtf.size() && rtfengine::isAsciiLetter(rtf[i]))
            ++i;
        ControlWord word{rtf.substr(start + 1, i - start - 1), i};
        if (i < rtf.size() && rtf[i] == '-')
            ++i;
        i += rtfengine::digitsAt(rtf, i).size();
        word.numberLength = i - word.numberAt;
        if (depth == 1 && firstText == std::string_view::npos &&
            (word.word == "pard" || word.word == "plain" || word.word == "sectd" ||
             word.word == "par"))
            firstText = start;
        if (word.numberLength > 0 && word.numberLength < 10) {
            word.value = std::strtol(
                std::string(rtf.substr(word.numberAt, word.numberLength)).c_str(), nullptr, 10);
            visit(word);
        }
        if (i < rtf.size() && rtf[i] == ' ')
            ++i;
    }
    return firstText;
}

bool isWidth(std::string_view w) {
    return w == "paperw" || w == "pgwsxn";
}
bool isHeight(std::string_view w) {
    return w == "paperh" || w == "pghsxn";
}
bool isLeftMargin(std::string_view w) {
    return w == "margl" || w == "marglsxn";
}
bool isRightMargin(std::string_view w) {
    return w == "margr" || w == "margrsxn";
}

} // namespace

std::string fitToPaper(std::string_view rtf, PaperSize paper) {
    const PageSize target = pageSize(paper);
    std::optional<long> width, height;
    bool leftMargin = false, rightMargin = false;
    std::vector<ControlWord> words;
    const size_t firstText = walkControlWords(rtf, [&](const ControlWord& w) {
        if (isWidth(w.word) && !width)
            width = w.value;
        if (isHeight(w.word) && !height)
            height = w.value;
        leftMargin = leftMargin || w.word == "margl";
        rightMargin = rightMargin || w.word == "margr";
        if (isWidth(w.word) || isHeight(w.word) || isLeftMargin(w.word) || isRightMargin(w.word))
            words.push_back(w);
    });
    const long declaredWidth = width.value_or(kLetter.width);
    if (declaredWidth == target.width && height.value_or(kLetter.height) == target.height)
        return std::string(rtf);

    const long narrower = target.width - declaredWidth;
    const long left = narrower / 2;
    const long right = narrower - left;
    const auto margin = [](long value, long change) { return std::max(0L, value + change); };
    struct Edit {
        size_t at;
        size_t length;
        std::string text;
    };
    std::vector<Edit> edits;
    // What the document leaves to the reader's defaults is written out, so that the
    // text keeps the width it had on Letter.
    std::string missing;
    if (!width)
        missing += "\\paperw" + std::to_string(target.width);
    if (!height)
        missing += "\\paperh" + std::to_string(target.height);
    if (!leftMargin)
        missing += "\\margl" + std::to_string(margin(kDefaultSideMargin, left));
    if (!rightMargin)
        missing += "\\margr" + std::to_string(margin(kDefaultSideMargin, right));
    if (!missing.empty() && firstText != std::string_view::npos)
        edits.push_back({firstText, 0, missing + ' '});
    for (const ControlWord& w : words) {
        long value = target.height;
        if (isWidth(w.word))
            value = target.width;
        else if (isLeftMargin(w.word))
            value = margin(w.value, left);
        else if (isRightMargin(w.word))
            value = margin(w.value, right);
        edits.push_back({w.numberAt, w.numberLength, std::to_string(value)});
    }
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.at < b.at; });
    std::string out;
    size_t copied = 0;
    for (const Edit& e : edits) {
        out.append(rtf.substr(copied, e.at - copied));
        out += e.text;
        copied = e.at + e.length;
    }
    out.append(rtf.substr(copied));
    return out;
}

} // namespace generate
