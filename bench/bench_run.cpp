// Runs over large datasets: plain fields, a scan with a nested scan, format functions
// (numbers, years, hyperlinks) and an RTF fragment per record, first from memory, then
// the comparison table from an SQLite file through the store's dataset adapter.
#include "BenchSupport.h"

#include "rtfengine/RtfEngine.h"
#include "rtfengine/UdfList.h"
#include "store/SqlDataset.h"
#include "store/qt/Connection.h"

#include <QSqlQuery>
#include <QVariant>

#include <benchmark/benchmark.h>

#include <fstream>

namespace {

const char kNestedTemplate[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset1 Arial;}}"
    "{\\colortbl;\\red0\\green0\\blue255;}\n"
    "\\pard\\plain\\f0\\fs20 Records\\par\n"
    "\\pard\\\\scan(A)\\\\\\par\n"
    "\\pard\\b \\\\A:name\\\\\\b0  (\\\\A:id\\\\) \\\\FNUM(A:amount,2)\\\\ "
    "\\\\FDTM(A:born,YearFormat)\\\\ \\\\FLNK(A:link)\\\\\\par\n"
    "\\pard\\\\scan(B)\\\\\\par\n"
    "\\pard\\li360 \\\\B:tag\\\\: \\\\FFIX(B:weight,1)\\\\\\par\n"
    "\\pard\\\\endscan\\\\\\par\n"
    "\\pard \\\\RtfFragment(A:note)\\\\\\par\n"
    "\\pard\\\\endscan\\\\\\par\n"
    "}\n";

std::string writeScratch(const std::string& name, const std::string& text) {
    const std::string path = bench::scratchPath(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

void addFragmentFunction(rtfengine::TUdfList& udfs) {
    udfs.add("RtfFragment", 1, 1, rtfengine::udfrTMemoryStream,
             [](rtfengine::TRtfEngine& sender, const rtfengine::TUdfArgs& args,
                std::string& result) { sender.insertRtfFragment(result, args[0].asString()); });
}

void BM_RunNestedScans(benchmark::State& state) {
    const auto count = static_cast<size_t>(state.range(0));
    std::vector<testsupport::Row> rows = bench::tableRecords(count);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].push_back(
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2"
            "\\fcharset0 Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}\\viewkind4\\uc1\\pard"
            "\\cf1\\i\\f0\\fs20 Note " +
            std::to_string(i + 1) + "\\i0\\par }");
    using rtfengine::FieldKind;
    testsupport::MemoryDataset records("Records", {"id", "name", "amount", "born", "link", "note"},
                                       std::move(rows),
                                       {FieldKind::Other, FieldKind::Other, FieldKind::Other,
                                        FieldKind::Date, FieldKind::Other, FieldKind::Other});
    testsupport::MemoryDataset tags("Tags", {"tag", "weight"},
                                    {{"alpha", "1.25"}, {"beta {b}", "2.5"}, {"gamma", "3.75"}});
    rtfengine::TUdfList udfs;
    addFragmentFunction(udfs);
    rtfengine::TRtfEngine engine;
    engine.setLang(1033);
    engine.setVarList({"YearFormat=yyyy"});
    engine.setUdfList(&udfs);
    engine.setInFile(writeScratch("nested.rtf", kNestedTemplate));
    engine.setOutFile(bench::scratchPath("nested.doc"));
    for (auto _ : state)
        engine.generate({&records, &tags});
    state.counters["records/s"] = benchmark::Counter(
        static_cast<double>(count * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RunNestedScans)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The comparison table (bench/templates/table.rtf) from an SQLite file.
void BM_RenderTableFromSqlite(benchmark::State& state) {
    const auto count = static_cast<size_t>(state.range(0));
    const std::string path = bench::scratchPath("table-" + std::to_string(count) + ".db");
    QSqlDatabase db = store::connection(QStringLiteral("bench-table"));
    {
        std::ofstream(path, std::ios::binary).flush();
        db.setDatabaseName(QString::fromStdString(path));
        db.open();
        QSqlQuery q(db);
        q.exec("DROP TABLE IF EXISTS items");
        q.exec("CREATE TABLE items (id INTEGER PRIMARY KEY, name TEXT, amount REAL, born DATE,"
               " link TEXT)");
        db.transaction();
        q.prepare("INSERT INTO items VALUES (?, ?, ?, ?, ?)");
        for (const auto& row : bench::tableRecords(count)) {
            q.addBindValue(std::stoll(*row[0]));
            q.addBindValue(QString::fromStdString(*row[1]));
            q.addBindValue(std::stod(*row[2]));
            q.addBindValue(QString::fromStdString(*row[3]));
            q.addBindValue(QString::fromStdString(*row[4]));
            q.exec();
        }
        db.commit();
    }
    store::SqlDataset items(store::statementsOf(db),
                            "SELECT id, name, amount, born, link FROM items ORDER BY id", "");
    items.open();
    rtfengine::TRtfEngine engine;
    engine.setLang(1033);
    engine.setVarList({"YearFormat=yyyy"});
    engine.setInFile(VITACRAFT_BENCH_DIR "/templates/table.rtf");
    engine.setOutFile(bench::scratchPath("table.doc"));
    for (auto _ : state)
        engine.generate({&items});
    state.counters["records/s"] = benchmark::Counter(
        static_cast<double>(count * state.iterations()), benchmark::Counter::kIsRate);
    items.close();
    db.close();
}
BENCHMARK(BM_RenderTableFromSqlite)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
