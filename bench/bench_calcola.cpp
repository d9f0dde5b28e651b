// A whole calculation of a simply supported beam with 50 mixed loads
// (trapezoids, forces, couples) at 100 and 30000 calculation sections.
#include "core/modulo_zelvo.h"

#include <benchmark/benchmark.h>

using namespace zelvo;

namespace {

void Prepara(ModuloZelvo& m, int16_t nSezioni) {
    DatiTrave& d = m.Dati;
    d.Luce = 12;
    d.E = 2.1e11f;
    d.J = 3e-4f;
    d.Vincoli = IncastroAppoggio;
    d.NSezioni = nSezioni;
    d.AscissaX = 5.3f;
    d.NTrapezi = 16;
    d.CarichiTrapezi.Ridimensiona(16);
    for (int i = 1; i <= 16; ++i)
        d.CarichiTrapezi(i) = {1000.0f * float(i), 500.0f * float(17 - i), 0.5f * float(i - 1),
                               0.5f * float(i - 1) + 3.5f};
    d.NConcentrati = 17;
    d.CarichiConcentrati.Ridimensiona(17);
    for (int i = 1; i <= 17; ++i)
        d.CarichiConcentrati(i) = {2000.0f - 150.0f * float(i), 0.7f * float(i) - 0.3f};
    d.NCoppie = 17;
    d.Coppie.Ridimensiona(17);
    for (int i = 1; i <= 17; ++i)
        d.Coppie(i) = {300.0f * float(i % 5) - 600, 0.69f * float(i)};
}

void BM_Calcola(benchmark::State& state) {
    ModuloZelvo m;
    Prepara(m, static_cast<int16_t>(state.range(0)));
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
