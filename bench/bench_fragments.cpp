// The fragment filter on what the section functions of the sample résumé produce.
#include "BenchSupport.h"

#include "generate/SectionFunctions.h"
#include "rtfengine/DocumentTables.h"

#include <benchmark/benchmark.h>

namespace {

using generate::ListFunction;

std::vector<std::string> sampleFragments() {
    bench::SampleResume sample;
    store::TDM& dm = *sample.dm;
    for (store::SqlDataset* query : dm.sectionQueries())
        query->setParameter("ShowItem", 1);
    dm.openForGeneration();
    rtfengine::Dataset& conf = dm.Configuration;
    std::vector<generate::Fragment> made = {
        generate::formatName(conf, dm.ContactInfo),
        generate::formatAddress(conf, dm.ContactInfo),
        generate::contactLine(conf, dm.ContactInfo, "EmailAddress"),
        generate::contactLine(conf, dm.ContactInfo, "HomePhone"),
        generate::subHeading(conf, "Employment History"),
        generate::purposeStatement(conf, dm.ObjectiveQuery, "objective"),
        generate::listEntry(ListFunction::EmploymentHistory, conf, dm.EmploymentHistory, "Company"),
        generate::listEntry(ListFunction::EmploymentHistory, conf, dm.EmploymentHistory,
                            "Position"),
        generate::listEntry(ListFunction::EmploymentHistory, conf, dm.EmploymentHistory,
                            "DateFrom"),
        generate::listEntry(ListFunction::EmploymentHistory, conf, dm.EmploymentHistory,
                            "Comments"),
        generate::listEntry(ListFunction::EducationalHistory, conf, dm.EducationalHistory,
                            "Degree"),
        generate::listEntry(ListFunction::Skills, conf, dm.SkillsQuery, "Skill"),
    };
    std::vector<std::string> fragments;
    for (const generate::Fragment& f : made)
        if (f && !f->empty())
            fragments.push_back(*f);
    dm.closeAfterGeneration();
    return fragments;
}

// Document tables as a template's head leaves them; they carry over between
// iterations as they do between the calls of one run.
rtfengine::DocumentTables templateTables() {
    rtfengine::DocumentTables tables;
    tables.fonts = {"{\\f0\\froman\\fcharset1 Times New Roman;}"};
    tables.colors = {";", "\\red0\\green0\\blue0;"};
    tables.hasColorTable = true;
    return tables;
}

void BM_InsertRtfFragment(benchmark::State& state) {
    static const std::vector<std::string> fragments = sampleFragments();
    rtfengine::DocumentTables tables = templateTables();
    const bool tableRowMode = state.range(0) != 0;
    std::string out;
    size_t bytes = 0;
    for (auto _ : state) {
        for (const std::string& fragment : fragments) {
            out.clear();
            rtfengine::insertRtfFragment(tables, tableRowMode, out, fragment);
            bytes += fragment.size();
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["fragments"] = benchmark::Counter(
        static_cast<double>(fragments.size() * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_InsertRtfFragment)->ArgName("tableRowMode")->Arg(0)->Arg(1);

} // namespace
