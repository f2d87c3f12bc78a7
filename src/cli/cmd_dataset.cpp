// vitacraft-cli dataset RESUME NAME [--show-item N]: prints one generation
// dataset of a résumé as tab-separated lines, column names first.
#include "cli/Command.h"

#include "store/SqlDataset.h"
#include "store/SqliteConnection.h"
#include "store/StoreError.h"
#include "store/TDM.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>

namespace {

// One line per row: tabs, line breaks and backslashes inside values are escaped.
std::string escaped(const std::string& value) {
    std::string out;
    for (char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Dates as stored (yyyy-mm-dd), NULL as nothing, everything else as its text.
std::string cellText(const store::SqlField& field) {
    const std::string text = field.asBytes();
    rtfengine::DateTime date;
    if (field.kind() == rtfengine::FieldKind::Date && store::parseStoredDateTime(text, date)) {
        char iso[32];
        std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", date.year, date.month, date.day);
        return iso;
    }
    return text;
}

int runDataset(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::optional<int> showItem;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--show-item") {
            if (i + 1 == args.size() || showItem)
                return cli::usageError("dataset");
            const std::string& number = args[++i];
            int value = 0;
            const auto [end, error] =
                std::from_chars(number.data(), number.data() + number.size(), value);
            if (number.empty() || error != std::errc() || end != number.data() + number.size())
                return cli::usageError("dataset");
            showItem = value;
        } else if (args[i].rfind("--", 0) == 0) {
            return cli::usageError("dataset");
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2)
        return cli::usageError("dataset");

    store::TDM dm(store::openResumeFile(positional[0]));
    store::SqlDataset* dataset = dm.dataset(positional[1]);
    if (!dataset)
        throw store::EDatabaseError("Unknown dataset '" + positional[1] + "'.");
    if (dataset->hasParameter("ShowItem"))
        dataset->setParameter("ShowItem", showItem.value_or(1));
    dataset->open();

    std::string line;
    for (const std::string& name : dataset->columnNames())
        line += (line.empty() ? "" : "\t") + escaped(name);
    std::cout << line << '\n';
    for (dataset->first(); !dataset->eof(); dataset->next()) {
        line.clear();
        for (int i = 0; i < dataset->fieldCount(); ++i)
            line += (i ? "\t" : "") + escaped(cellText(dataset->sqlField(i)));
        std::cout << line << '\n';
    }
    dataset->close();
    return cli::kExitOk;
}

const cli::CommandRegistration registration({
    "dataset",
    "RESUME NAME [--show-item N]",
    "prints a generation dataset of RESUME (ShowItem N, default 1) as tab-separated lines",
    runDataset,
});

} // namespace
