// The settings object rebuilds a whole style sheet on every font change.
#include "SteuerVar.h"

#include <benchmark/benchmark.h>

namespace {

using velorin::TSteuerVar;

// Construction sets the default fonts one property at a time, each a rebuild.
void BM_SteuerVarCreate(benchmark::State& state) {
    for (auto _ : state) {
        TSteuerVar sv;
        benchmark::DoNotOptimize(sv.CSS().data());
    }
}
BENCHMARK(BM_SteuerVarCreate);

void BM_FontChangeRebuild(benchmark::State& state) {
    TSteuerVar sv;
    int size = 10;
    for (auto _ : state) {
        sv.Schriften().SchriftErk.Td.SetSize(size ^= 1);
        benchmark::DoNotOptimize(sv.CSS().data());
    }
}
BENCHMARK(BM_FontChangeRebuild);

void BM_AnswerTextRoundTrip(benchmark::State& state) {
    velorin::TAntworten a;
    const std::string text = "-1!013!4!12,5!abc!!x!";
    for (auto _ : state) {
        a.SetAntwortenFromString(text);
        benchmark::DoNotOptimize(a.GetAntwortenAsString());
    }
}
BENCHMARK(BM_AnswerTextRoundTrip);

} // namespace
