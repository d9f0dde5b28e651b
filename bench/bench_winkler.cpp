// Speed and memory of the Winkler foundation model.
//
//   RisolveW_16382          largest mesh, no-tension iteration of ten passes
//                           that does not settle (11 banded factorisations)
//   CalcolaFondazione_10000 whole calculation, NDivisioni = 10000, NSezioni = 100
//   CalcolaFondazione_AlLimite whole calculation at the largest NDivisioni
//                           the problem's calculation points take (no-tension)
//   Risolvi{Banda,Densa}_1000  one solve of a 1000-element system
// Peak resident memory is reported as the counter "PiccoRSS_MB".
#include "core/calcolo.h"
#include "core/modulo_zelvo.h"
#include "core/trave_winkler.h"
#include "tests/comune/problemi.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace zelvo;

namespace {

double PiccoRSSMB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0; // kB on Linux
}

// A flexible foundation with a force and a couple near one end whose
// resultant lies off the beam: the lifted nodes keep changing pass after
// pass; ten passes are allowed.
void CaricaTutteLePassate(TraveWinkler& w, int n) {
    w.InizializzaWinkler(n, 1e7, 1, 1e6f, 1.0f, 40.0f);
    w.PassiMassimi = 10;
    w.AzioniConcentrati(-1e5, 2.0);
    w.AzioniCoppie(3e5, 2.0);
}

void RisolveW_16382(benchmark::State& st) {
    TraveWinkler w;
    int risoluzioni = 0, passi = 0;
    for (auto _ : st) {
        CaricaTutteLePassate(w, TraveWinkler::MaxElementi);
        RegistroMessaggi msg;
        const bool ok = w.RisolveW(false, msg);
        benchmark::DoNotOptimize(ok);
        risoluzioni = w.Risoluzioni();
        passi = w.Passi();
    }
    st.counters["Risoluzioni"] = risoluzioni;
    st.counters["Passi"] = passi;
    st.counters["PiccoRSS_MB"] = PiccoRSSMB();
}
BENCHMARK(RisolveW_16382)->Unit(benchmark::kMillisecond);

void CalcolaFondazione_10000(benchmark::State& st) {
    ModuloZelvo m;
    m.Dati = prova::FondazioneElastica(10000);
    EsitoCalcolo e{};
    for (auto _ : st) {
        RegistroMessaggi msg;
        e = m.CalcolaConTrappola(msg);
        benchmark::DoNotOptimize(e);
    }
    st.counters["Completato"] = e == EsitoCalcolo::Completato;
    st.counters["NPunti"] = m.Risultati.NPunti;
    st.counters["PiccoRSS_MB"] = PiccoRSSMB();
}
BENCHMARK(CalcolaFondazione_10000)->Unit(benchmark::kMillisecond);

void CalcolaFondazione_AlLimite(benchmark::State& st) {
    ModuloZelvo m;
    m.Dati = prova::FondazioneProva(1, false);
    m.Dati.NDivisioni = static_cast<int16_t>(LimiteDivisioni(m.Dati));
    EsitoCalcolo e{};
    for (auto _ : st) {
        RegistroMessaggi msg;
        e = m.CalcolaConTrappola(msg);
        benchmark::DoNotOptimize(e);
    }
    st.counters["Completato"] = e == EsitoCalcolo::Completato;
    st.counters["NDivisioni"] = m.Dati.NDivisioni;
    st.counters["NPunti"] = m.Risultati.NPunti;
    st.counters["PiccoRSS_MB"] = PiccoRSSMB();
}
BENCHMARK(CalcolaFondazione_AlLimite)->Unit(benchmark::kMillisecond);

TraveWinkler& Sistema1000() {
    static TraveWinkler w = [] {
        TraveWinkler t;
        CaricaTutteLePassate(t, 1000);
        t.AssemblaMatriciW();
        return t;
    }();
    return w;
}

void RisolviBanda_1000(benchmark::State& st) {
    TraveWinkler& w = Sistema1000();
    for (auto _ : st) {
        std::vector<double> b = w.MNW.vettore();
        benchmark::DoNotOptimize(RisolviBanda(w.MKW, b));
    }
}
BENCHMARK(RisolviBanda_1000)->Unit(benchmark::kMicrosecond);

void RisolviDensa_1000(benchmark::State& st) {
    TraveWinkler& w = Sistema1000();
    const std::vector<double> A = w.MKW.Densa();
    for (auto _ : st) {
        std::vector<double> b = w.MNW.vettore();
        benchmark::DoNotOptimize(RisolviDensa(A, w.NumGdl, b));
    }
}
BENCHMARK(RisolviDensa_1000)->Unit(benchmark::kMicrosecond);

} // namespace
