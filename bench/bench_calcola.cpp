// A whole calculation of a propped cantilever with 50 mixed loads
// (trapezoids, forces, couples) at 100 and 30000 calculation sections.
#include "core/modulo_zelvo.h"
#include "tests/comune/problemi.h"

#include <benchmark/benchmark.h>

using namespace zelvo;

namespace {

void BM_Calcola(benchmark::State& state) {
    ModuloZelvo m;
    m.Dati = prova::CinquantaCarichi(static_cast<int16_t>(state.range(0)));
    RegistroMessaggi msg;
    for (auto _ : state) {
        const EsitoCalcolo e = m.Calcola(msg);
        benchmark::DoNotOptimize(e);
        benchmark::DoNotOptimize(m.Risultati.fmax);
    }
    state.counters["NPunti"] = m.Risultati.NPunti;
}

} // namespace

BENCHMARK(BM_Calcola)->Arg(100)->Arg(30000)->Unit(benchmark::kMillisecond);
