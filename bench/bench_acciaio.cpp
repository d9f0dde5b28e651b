// Speed of the steel member checks.
//
//   Svergolamento_Automatico  one 6 m segment under a uniform load on the top
//                             flange, mesh refined until converged
//   Svergolamento_128         the same on the finest mesh (128 elements)
//   VerificaAcciaio_TreCampate an IPE 300 over three 6 m spans, uniform load
//                             on the top flange, a restraint at every
//                             midspan: six lengths, each analysed twice
#include "section/verifica_acciaio.h"

#include <benchmark/benchmark.h>

using namespace zelvo;

namespace {

SegmentoSvergolamento Segmento(int elementi) {
    SegmentoSvergolamento s;
    s.EIz = 210e9 * 603.8e-8;
    s.GIt = 80.769e9 * 20.12e-8;
    s.EIw = 210e9 * 125.9e-9;
    s.L = 6;
    s.Momento = [](double x) { return 1e4 * x * (6 - x) / 2; };
    s.Distribuito = [](double) { return 1e4; };
    s.zg = 0.15;
    s.Elementi = elementi;
    return s;
}

void Svergolamento_Automatico(benchmark::State& st) {
    const SegmentoSvergolamento s = Segmento(0);
    for (auto _ : st)
        benchmark::DoNotOptimize(CalcolaSvergolamento(s));
}
BENCHMARK(Svergolamento_Automatico)->Unit(benchmark::kMillisecond);

void Svergolamento_128(benchmark::State& st) {
    const SegmentoSvergolamento s = Segmento(128);
    for (auto _ : st)
        benchmark::DoNotOptimize(CalcolaSvergolamento(s));
}
BENCHMARK(Svergolamento_128)->Unit(benchmark::kMillisecond);

void VerificaAcciaio_TreCampate(benchmark::State& st) {
    DatiVerificaAcciaio d;
    d.Profilo =
        RigaCatalogo{"IPE300", "SezioneDoppioT", 300,     150,    7.1,    10.7,  15,     0, 0,
                     5381,     83560000,         6038000, 557100, 628400, 80500, 125200, 0, 0};
    d.Profilo.It = CostanteTorsioneDoppioT(300, 150, 7.1, 10.7, 15);
    d.Profilo.Iw = CostanteIngobbamentoDoppioT(300, 150, 10.7);
    d.Ritegno = RitegnoLaterale::Puntuali;
    const double q = 20e3, L = 6;
    for (int c = 0; c < 3; ++c) {
        TrattoAcciaio t;
        t.x0 = c * L;
        t.x1 = t.x0 + L;
        // The moment of a continuous beam's span: q·x(L − x)/2 less the
        // support moments (interior supports ≈ qL²/10).
        const double Ma = c == 0 ? 0 : -q * L * L / 10, Mb = c == 2 ? 0 : -q * L * L / 10;
        for (int i = 0; i <= 50; ++i) {
            const double x = L * i / 50;
            t.Punti.push_back({t.x0 + x, q * x * (L - x) / 2 + Ma + (Mb - Ma) * x / L,
                               q * (L / 2 - x) + (Mb - Ma) / L});
        }
        d.Tratti.push_back(t);
        d.Ritegni.push_back(t.x0 + L / 2);
    }
    d.Ripartiti = {{0, 3 * L, q, q}};
    for (auto _ : st)
        benchmark::DoNotOptimize(VerificaAcciaio(d));
}
BENCHMARK(VerificaAcciaio_TreCampate)->Unit(benchmark::kMillisecond);

} // namespace
