// The whole generation of the sample résumé: datasets opened, template read and
// translated, section functions and fragments, the document written and closed.
#include "BenchSupport.h"

#include "generate/GenerationCommands.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GenerateSampleResume(benchmark::State& state) {
    bench::SampleResume sample;
    generate::GenerationCommands commands(
        *sample.dm, QString::fromStdString(bench::programDirectory()), QString());
    const QString out = QString::fromStdString(bench::scratchPath("sample-resume.doc"));
    for (auto _ : state)
        commands.generateDocument(out);
}
BENCHMARK(BM_GenerateSampleResume)->Unit(benchmark::kMillisecond);

} // namespace
