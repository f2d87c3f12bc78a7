// Translating the résumé template into its template program, without running it.
// The engine's headers come before any Qt header: Qt's "emit" keyword macro would
// otherwise swallow the translator's emit functions.
#include "rtfengine/RunState.h"
#include "rtfengine/Translator.h"

#include "BenchSupport.h"
#include "generate/DocumentGenerator.h"
#include "support/Files.h"

#include <benchmark/benchmark.h>

namespace {

void BM_TranslateResumeTemplate(benchmark::State& state) {
    bench::SampleResume sample;
    generate::DocumentGenerator commands(*sample.dm,
                                         generate::templateDirectory(bench::programDirectory()));
    const std::string templateText = testsupport::readFile(commands.templatePath());
    const std::vector<rtfengine::Dataset*> datasets = commands.sectionList();
    size_t instructions = 0;
    for (auto _ : state) {
        rtfengine::RunState run(commands.Export(), datasets);
        run.templateBytes = templateText;
        rtfengine::Translator(run).translate();
        instructions = run.program.size();
        benchmark::DoNotOptimize(run.program.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(templateText.size() * state.iterations()));
    state.counters["instructions"] = static_cast<double>(instructions);
}
BENCHMARK(BM_TranslateResumeTemplate)->Unit(benchmark::kMicrosecond);

} // namespace
