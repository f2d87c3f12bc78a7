// The whole generation of the sample résumé: datasets opened, template read and
// translated, section functions and fragments, the document written and closed.
#include "BenchSupport.h"

#include "generate/DocumentGenerator.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GenerateSampleResume(benchmark::State& state) {
    bench::SampleResume sample;
    generate::DocumentGenerator generator(*sample.dm,
                                          generate::templateDirectory(bench::programDirectory()));
    const std::string out = bench::scratchPath("sample-resume.doc");
    for (auto _ : state)
        generator.generateDocument(out);
}
BENCHMARK(BM_GenerateSampleResume)->Unit(benchmark::kMillisecond);

} // namespace
