// TRtfEngine turns an RTF template into an RTF document: it reads the template,
// translates it into a template program, runs the program against an ordered list
// of datasets, its report variables and user-defined functions, and writes OutFile.
#pragma once

#include "rtfengine/Dataset.h"
#include "rtfengine/DocumentTables.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rtfengine {

class TUdfList;
struct TScanInfo;
struct TImageFormat;
struct RunState;

enum class TRtfOption : uint8_t {
    eoGraphicsWmfCompatible = 0,  // pictures as Windows metafiles
    eoGraphicsBinary = 1,         // picture data in binary form
    eoClearMissedFields = 2,      // unknown variables and functions write nothing
    eoDotAsColon = 3,             // alias.field is read as alias:field
    eoNumericFormatClearZero = 4, // a numeric format of zero writes nothing
};

// A set of TRtfOption, bit n for member n.
class TRtfOptions {
public:
    constexpr TRtfOptions() = default;
    constexpr TRtfOptions(std::initializer_list<TRtfOption> options) {
        for (TRtfOption o : options)
            m_bits |= bit(o);
    }
    static constexpr TRtfOptions fromBits(uint8_t bits) {
        TRtfOptions o;
        o.m_bits = bits & 0x1F;
        return o;
    }
    constexpr bool has(TRtfOption o) const { return m_bits & bit(o); }
    constexpr uint8_t bits() const { return m_bits; }
    bool operator==(const TRtfOptions&) const = default;

private:
    static constexpr uint8_t bit(TRtfOption o) { return uint8_t(1u << static_cast<unsigned>(o)); }
    uint8_t m_bits = 0;
};

// What the document's information group says about it, as UTF-8 text. Empty
// fields are left out; with both empty the group stays empty.
struct DocumentInformation {
    std::string title;
    std::string author;
    bool operator==(const DocumentInformation&) const = default;
};

// The information group a document gets: "{\info}" for empty information,
// otherwise "{\info{\title ...}{\author ...}}" with the text escaped as RTF text.
std::string informationGroup(const DocumentInformation& information);

using TNotifyEvent = std::function<void(class TRtfEngine& sender)>;
using TOnImageFormat =
    std::function<void(class TRtfEngine& sender, int formatIndex, TImageFormat& imageFormat)>;
using TOnScanEvent = std::function<void(TScanInfo& scanInfo)>;

class TRtfEngine {
public:
    static constexpr int kVersion = 185;

    TRtfEngine();
    virtual ~TRtfEngine();
    TRtfEngine(const TRtfEngine&) = delete;
    TRtfEngine& operator=(const TRtfEngine&) = delete;

    // Events.
    TNotifyEvent OnFinished;
    TOnImageFormat OnImageFormat;
    TOnScanEvent OnScanBefore;
    TOnScanEvent OnScanRecord;
    TOnScanEvent OnScanEof;

    // Properties.
    uint8_t charset() const { return m_charset; }
    void setCharset(uint8_t charset) { m_charset = charset; }
    // Whether the template's fonts keep their own "\fcharset" values rather than all
    // being declared in Charset. Off by default. A template written for another code
    // page reads back right only with its own values.
    bool keepsTemplateCharsets() const { return m_keepTemplateCharsets; }
    void setKeepTemplateCharsets(bool keep) { m_keepTemplateCharsets = keep; }
    // The character set every template font is declared in; nothing when they keep
    // their own.
    std::optional<uint8_t> fontCharset() const {
        return m_keepTemplateCharsets ? std::nullopt : std::optional<uint8_t>(m_charset);
    }
    uint16_t lang() const { return m_lang; }
    void setLang(uint16_t lang) { m_lang = lang; }
    const std::string& inFile() const { return m_inFile; }
    void setInFile(std::string path) { m_inFile = std::move(path); }
    // Applied to the template's bytes once they are read from InFile and found to be
    // RTF, before they are translated: a caller that sets up every template alike
    // (its page, say) does it here rather than in a copy of the file. None by default.
    using TemplateFilter = std::function<std::string(std::string bytes)>;
    void setTemplateFilter(TemplateFilter filter) { m_templateFilter = std::move(filter); }
    const std::string& outFile() const { return m_outFile; }
    void setOutFile(std::string path) { m_outFile = std::move(path); }
    // The report variables, one "name=value" line each.
    std::vector<std::string>& varList() { return m_varList; }
    const std::vector<std::string>& varList() const { return m_varList; }
    void setVarList(const std::vector<std::string>& lines) { m_varList = lines; }
    const std::string& trueValue() const { return m_trueValue; }
    void setTrueValue(std::string text) { m_trueValue = std::move(text); }
    const std::string& falseValue() const { return m_falseValue; }
    void setFalseValue(std::string text) { m_falseValue = std::move(text); }
    bool disableControls() const { return m_disableControls; }
    void setDisableControls(bool on) { m_disableControls = on; }
    TRtfOptions options() const { return m_options; }
    void setOptions(TRtfOptions options) { m_options = options; }
    // The title and author the document names in its information group, in place
    // of whatever the template's own group said.
    const DocumentInformation& information() const { return m_information; }
    void setInformation(DocumentInformation information) { m_information = std::move(information); }
    bool executeSuccessful() const { return m_executeSuccessful; }
    const std::string& lastErrMsg() const { return m_lastErrMsg; }
    TUdfList* udfList() const { return m_udfList; }
    // Raises EIllegalFunctionUse while a run is in progress or when the list's
    // version differs from the engine's.
    void setUdfList(TUdfList* list);

    // Writes OutFile from InFile and the datasets (index 0 is alias A). Raises the
    // run's failure after setting ExecuteSuccessful and LastErrMsg.
    void generate(const std::vector<Dataset*>& datasets);
    // As generate, then opens OutFile with the desktop's default application.
    void generateAndOpen(const std::vector<Dataset*>& datasets, int showCommand);
    // Asks the desktop to open the file; returns a shell result code (> 32 success,
    // 2 file not found, 31 no associated program).
    virtual int openOutFile(const std::string& fileName, int showCommand);

    // For user-defined functions while a run is in progress.
    bool executing() const { return m_executing; }
    // The document's font, colour and style tables.
    DocumentTables& documentTables();
    bool tableRowMode() const;
    // Filters a complete RTF document into `result` (a function's result buffer),
    // merging its fonts, colours and styles into the document tables.
    void insertRtfFragment(std::string& result, std::string_view fragment);
    // VarList operations: index from 1 (0 when absent), value, adding a new name.
    int findVariable(std::string_view name) const;
    std::string variableValue(int index) const;
    void addVariable(std::string_view name, std::string_view text);
    void addVariable(std::string_view name, double number);

    // The text for a shell result code, as the open failure reports it.
    static std::string shellResultText(int code);

private:
    friend class TUdfList;
    void udfListDestroyed(TUdfList* list);
    // A whole run: outcome reset, control states saved, the core, `afterCore` (the
    // shell open of GenerateAndOpen), OnFinished, control states restored; on failure
    // the outcome records the message and the states are restored once.
    void runGuarded(const std::vector<Dataset*>& datasets, const std::function<void()>& afterCore);
    void runCore(const std::vector<Dataset*>& datasets);
    void saveControls(const std::vector<Dataset*>& datasets);
    void restoreControls(const std::vector<Dataset*>& datasets);

    uint8_t m_charset = 1;
    bool m_keepTemplateCharsets = false;
    uint16_t m_lang = 0;
    std::string m_inFile;
    TemplateFilter m_templateFilter;
    std::string m_outFile = "outfile.doc";
    std::vector<std::string> m_varList;
    std::string m_trueValue = "True";
    std::string m_falseValue = "False";
    bool m_disableControls = true;
    TRtfOptions m_options{TRtfOption::eoGraphicsBinary, TRtfOption::eoDotAsColon};
    DocumentInformation m_information;
    bool m_executeSuccessful = false;
    std::string m_lastErrMsg = "No errors.";
    TUdfList* m_udfList = nullptr;
    bool m_executing = false;
    std::unique_ptr<RunState> m_run;
};

} // namespace rtfengine
