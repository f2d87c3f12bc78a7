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
#include <map>
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

// What the command line asks of one render.
struct RenderOptions {
    std::vector<std::string> positional;
    std::optional<std::string> db;
    std::optional<std::string> scanLog;
    std::vector<std::pair<std::string, std::string>> datasetArgs;
    std::vector<std::string> vars;
    bool printVars = false;
    std::optional<TRtfOptions> engineOptions;
    std::optional<uint16_t> lang;
    std::optional<uint8_t> charset;
    std::optional<std::string> trueValue;
    std::optional<std::string> falseValue;
};

// The options that take a value, each with how it reads it; false for a value it
// cannot use.
using ValueReader = bool (*)(RenderOptions&, const std::string&);
const std::map<std::string, ValueReader, std::less<>> kValueOptions = {
    {"--db", [](RenderOptions& o, const std::string& v) { return o.db = v, true; }},
    {"--dataset",
     [](RenderOptions& o, const std::string& v) {
         o.datasetArgs.push_back(splitDatasetArgument(v));
         return true;
     }},
    {"--var",
     [](RenderOptions& o, const std::string& v) {
         o.vars.push_back(v);
         return true;
     }},
    {"--options",
     [](RenderOptions& o, const std::string& v) {
         o.engineOptions = parseOptions(v);
         return o.engineOptions.has_value();
     }},
    {"--lang",
     [](RenderOptions& o, const std::string& v) {
         o.lang = parseNumber<uint16_t>(v);
         return o.lang.has_value();
     }},
    {"--charset",
     [](RenderOptions& o, const std::string& v) {
         o.charset = parseNumber<uint8_t>(v);
         return o.charset.has_value();
     }},
    {"--true", [](RenderOptions& o, const std::string& v) { return o.trueValue = v, true; }},
    {"--false", [](RenderOptions& o, const std::string& v) { return o.falseValue = v, true; }},
    {"--on-scan-record-log",
     [](RenderOptions& o, const std::string& v) { return o.scanLog = v, true; }},
};

// Nothing when the command line is not one this command takes.
std::optional<RenderOptions> readRenderOptions(const std::vector<std::string>& args) {
    RenderOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--print-vars") {
            options.printVars = true;
        } else if (const auto reader = kValueOptions.find(a); reader != kValueOptions.end()) {
            if (i + 1 >= args.size() || !reader->second(options, args[++i]))
                return std::nullopt;
        } else if (a.rfind("--", 0) == 0) {
            return std::nullopt;
        } else {
            options.positional.push_back(a);
        }
    }
    if (options.positional.size() != 2 || !options.db)
        return std::nullopt;
    return options;
}

void applyEngineOptions(const RenderOptions& options, rtfengine::TRtfEngine& engine) {
    // A template's fonts keep their own character sets unless one is asked for: the
    // bytes of a Polish or Japanese template read right only in theirs.
    engine.setKeepTemplateCharsets(!options.charset);
    if (options.engineOptions)
        engine.setOptions(*options.engineOptions);
    if (options.lang)
        engine.setLang(*options.lang);
    if (options.charset)
        engine.setCharset(*options.charset);
    if (options.trueValue)
        engine.setTrueValue(*options.trueValue);
    if (options.falseValue)
        engine.setFalseValue(*options.falseValue);
}

int runRender(const std::vector<std::string>& args) {
    const std::optional<RenderOptions> read = readRenderOptions(args);
    if (!read)
        return cli::usageError(renderCommand());
    const RenderOptions& options = *read;
    rtfengine::TRtfEngine engine;
    applyEngineOptions(options, engine);

    const auto connection = store::openResumeFile(*options.db);
    std::vector<std::unique_ptr<store::SqlDataset>> owned;
    std::vector<rtfengine::Dataset*> datasets;
    for (const auto& [name, sql] : options.datasetArgs) {
        owned.push_back(std::make_unique<store::SqlDataset>(connection, sql, name));
        owned.back()->open();
        datasets.push_back(owned.back().get());
    }

    rtfengine::TUdfList udfs;
    udfs.add("RtfFragment", 1, 1, rtfengine::udfrTMemoryStream,
             [](rtfengine::TRtfEngine& sender, const rtfengine::TUdfArgs& udfArgs,
                std::string& result) { sender.insertRtfFragment(result, udfArgs[0].asString()); });
    engine.setUdfList(&udfs);
    engine.setVarList(options.vars);
    std::ofstream log;
    if (options.scanLog) {
        log.open(*options.scanLog, std::ios::binary | std::ios::app);
        if (!log) {
            std::cerr << "Can't open scan event log " << *options.scanLog << '\n';
            return cli::kExitFailure;
        }
        logScanEvents(engine, log, datasets);
    }
    engine.setInFile(options.positional[0]);
    engine.setOutFile(options.positional[1]);
    try {
        engine.generate(datasets);
    } catch (const std::exception&) {
        std::cerr << engine.lastErrMsg() << '\n';
        return cli::kExitFailure;
    }
    if (options.printVars)
        for (const std::string& line : engine.varList())
            std::cout << line << '\n';
    return cli::kExitOk;
}

const cli::Command& renderCommand() {
    static const cli::Command command{
        "render",
        "TEMPLATE OUT --options.db FILE [--dataset [NAME=]SQL]... [--var NAME=VALUE]... "
        "[--options LIST] [--lang N] [--charset N] [--true TEXT] [--false TEXT] "
        "[--print-options.vars] "
        "[--on-scan-record-log FILE]",
        "Runs an RTF template through the template engine with datasets made from SQL.", runRender};
    return command;
}

const cli::CommandRegistration registration(renderCommand());

} // namespace
