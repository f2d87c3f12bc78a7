// vitacraft-cli render TEMPLATE OUT --db FILE [...]: runs an RTF template through the
// template engine with datasets made from SQL on a résumé file.
#include "cli/Command.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/RtfEngine.h"
#include "rtfengine/Scans.h"
#include "rtfengine/UdfList.h"
#include "store/SqlDataset.h"
#include "store/SqliteConnection.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>

namespace {

using rtfengine::TRtfOption;
using rtfengine::TRtfOptions;

const cli::Command& renderCommand();

// A dataset argument: "[NAME=]SQL", NAME an identifier directly followed by "=".
std::pair<std::string, std::string> splitDatasetArgument(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (rtfengine::isAsciiAlnum(text[i]) || text[i] == '_'))
        ++i;
    if (i > 0 && i < text.size() && text[i] == '=' && !rtfengine::isAsciiDigit(text[0]))
        return {text.substr(0, i), text.substr(i + 1)};
    return {std::string(), text};
}

std::optional<TRtfOptions> parseOptions(const std::string& list) {
    static const std::pair<const char*, TRtfOption> names[] = {
        {"eoGraphicsWmfCompatible", TRtfOption::eoGraphicsWmfCompatible},
        {"eoGraphicsBinary", TRtfOption::eoGraphicsBinary},
        {"eoClearMissedFields", TRtfOption::eoClearMissedFields},
        {"eoDotAsColon", TRtfOption::eoDotAsColon},
        {"eoNumericFormatClearZero", TRtfOption::eoNumericFormatClearZero},
    };
    uint8_t bits = 0;
    size_t start = 0;
    while (start <= list.size() && !list.empty()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos)
            end = list.size();
        const std::string name = list.substr(start, end - start);
        bool known = false;
        for (const auto& [text, option] : names) {
            if (name == text) {
                bits |= TRtfOptions{option}.bits();
                known = true;
            }
        }
        if (!known)
            return std::nullopt;
        start = end + 1;
    }
    return TRtfOptions::fromBits(bits);
}

template <typename T> std::optional<T> parseNumber(const std::string& text) {
    unsigned long value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size() ||
        value > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(value);
}

// The alias a scan event reports: the dataset's component name, or its letter.
std::string scanAlias(const rtfengine::TScanInfo& info,
                      const std::vector<rtfengine::Dataset*>& datasets) {
    if (!info.dataSet)
        return std::string();
    const std::string name = info.dataSet->name();
    if (!name.empty())
        return name;
    for (size_t i = 0; i < datasets.size() && i < 26; ++i)
        if (datasets[i] == info.dataSet)
            return std::string(1, static_cast<char>('A' + i));
    return std::string();
}

// Appends one tab-separated line per scan event, so that their order can be read.
void logScanEvents(rtfengine::TRtfEngine& engine, std::ofstream& log,
                   const std::vector<rtfengine::Dataset*>& datasets) {
    auto handler = [&log, &datasets](const char* event) {
        return [&log, &datasets, event](rtfengine::TScanInfo& info) {
            log << event << '\t' << info.scanId << '\t' << info.level << '\t'
                << scanAlias(info, datasets) << '\n';
            log.flush();
        };
    };
    engine.OnScanBefore = handler("OnScanBefore");
    engine.OnScanRecord = handler("OnScanRecord");
    engine.OnScanEof = handler("OnScanEof");
}

int runRender(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::optional<std::string> db;
    std::optional<std::string> scanLog;
    std::vector<std::pair<std::string, std::string>> datasetArgs;
    std::vector<std::string> vars;
    rtfengine::TRtfEngine engine;
    // A template's fonts keep their own character sets unless one is asked for: the
    // bytes of a Polish or Japanese template read right only in theirs.
    engine.setKeepTemplateCharsets(true);
    bool printVars = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--print-vars") {
            printVars = true;
        } else if (a == "--db" || a == "--dataset" || a == "--var" || a == "--options" ||
                   a == "--lang" || a == "--charset" || a == "--true" || a == "--false" ||
                   a == "--on-scan-record-log") {
            if (!hasValue)
                return cli::usageError(renderCommand());
            const std::string& v = args[++i];
            if (a == "--db") {
                db = v;
            } else if (a == "--on-scan-record-log") {
                scanLog = v;
            } else if (a == "--dataset") {
                datasetArgs.push_back(splitDatasetArgument(v));
            } else if (a == "--var") {
                vars.push_back(v);
            } else if (a == "--options") {
                const auto options = parseOptions(v);
                if (!options)
                    return cli::usageError(renderCommand());
                engine.setOptions(*options);
            } else if (a == "--lang") {
                const auto lang = parseNumber<uint16_t>(v);
                if (!lang)
                    return cli::usageError(renderCommand());
                engine.setLang(*lang);
            } else if (a == "--charset") {
                const auto charset = parseNumber<uint8_t>(v);
                if (!charset)
                    return cli::usageError(renderCommand());
                engine.setCharset(*charset);
                engine.setKeepTemplateCharsets(false);
            } else if (a == "--true") {
                engine.setTrueValue(v);
            } else {
                engine.setFalseValue(v);
            }
        } else if (a.rfind("--", 0) == 0) {
            return cli::usageError(renderCommand());
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2 || !db)
        return cli::usageError(renderCommand());

    const auto connection = store::openResumeFile(*db);
    std::vector<std::unique_ptr<store::SqlDataset>> owned;
    std::vector<rtfengine::Dataset*> datasets;
    for (const auto& [name, sql] : datasetArgs) {
        owned.push_back(std::make_unique<store::SqlDataset>(connection, sql, name));
        owned.back()->open();
        datasets.push_back(owned.back().get());
    }

    rtfengine::TUdfList udfs;
    udfs.add("RtfFragment", 1, 1, rtfengine::udfrTMemoryStream,
             [](rtfengine::TRtfEngine& sender, const rtfengine::TUdfArgs& udfArgs,
                std::string& result) { sender.insertRtfFragment(result, udfArgs[0].asString()); });
    engine.setUdfList(&udfs);
    engine.setVarList(vars);
    std::ofstream log;
    if (scanLog) {
        log.open(*scanLog, std::ios::binary | std::ios::app);
        if (!log) {
            std::cerr << "Can't open scan event log " << *scanLog << '\n';
            return cli::kExitFailure;
        }
        logScanEvents(engine, log, datasets);
    }
    engine.setInFile(positional[0]);
    engine.setOutFile(positional[1]);
    try {
        engine.generate(datasets);
    } catch (const std::exception&) {
        std::cerr << engine.lastErrMsg() << '\n';
        return cli::kExitFailure;
    }
    if (printVars)
        for (const std::string& line : engine.varList())
            std::cout << line << '\n';
    return cli::kExitOk;
}

const cli::Command& renderCommand() {
    static const cli::Command command{
        "render",
        "TEMPLATE OUT --db FILE [--dataset [NAME=]SQL]... [--var NAME=VALUE]... "
        "[--options LIST] [--lang N] [--charset N] [--true TEXT] [--false TEXT] [--print-vars] "
        "[--on-scan-record-log FILE]",
        "Runs an RTF template through the template engine with datasets made from SQL.", runRender};
    return command;
}

const cli::CommandRegistration registration(renderCommand());

} // namespace
