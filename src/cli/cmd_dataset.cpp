// vitacraft-cli dataset RESUME NAME [--show-item N]: prints one generation
// dataset of a résumé as tab-separated lines, column names first.
#include "cli/Command.h"

#include "store/Connection.h"
#include "store/SqlDataset.h"
#include "store/StoreError.h"
#include "store/TDM.h"

#include <QString>

#include <iostream>
#include <optional>

namespace {

// One line per row: tabs, line breaks and backslashes inside values are escaped.
std::string escaped(const QString& value) {
    std::string out;
    for (char c : value.toStdString()) {
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
QString cellText(const store::SqlField& field) {
    if (field.value().isNull())
        return {};
    const QString text = field.value().toString();
    rtfengine::DateTime date;
    if (field.kind() == rtfengine::FieldKind::Date && store::parseStoredDateTime(text, date))
        return QString::asprintf("%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

int runDataset(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::optional<int> showItem;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--show-item") {
            if (i + 1 == args.size() || showItem)
                return cli::usageError("dataset");
            bool ok = false;
            showItem = QString::fromStdString(args[++i]).toInt(&ok);
            if (!ok)
                return cli::usageError("dataset");
        } else if (args[i].rfind("--", 0) == 0) {
            return cli::usageError("dataset");
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2)
        return cli::usageError("dataset");

    QSqlDatabase db = store::connection();
    store::openResume(db, QString::fromStdString(positional[0]));
    store::TDM dm(db);
    store::SqlDataset* dataset = dm.dataset(QString::fromStdString(positional[1]));
    if (!dataset)
        throw store::EDatabaseError("Unknown dataset '" + positional[1] + "'.");
    if (dataset->hasParameter(QStringLiteral("ShowItem")))
        dataset->setParameter(QStringLiteral("ShowItem"), showItem.value_or(1));
    dataset->open();

    std::string line;
    for (const QString& name : dataset->columnNames())
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
