// A whole continuous-beam calculation: n spans (10, 100, 1000) of mixed
// supports, 100 sections per span, 300 loads (100 trapezoids crossing
// supports, 100 forces, 100 couples) spread over the beam.
#include "core/trave_continua.h"

#include <benchmark/benchmark.h>

#include <algorithm>

using namespace zelvo;

namespace {

DatiContinua Problema(int campate) {
    DatiContinua d;
    d.E = 2.1e11;
    d.NSezioni = 100;
    double Lt = 0;
    for (int i = 0; i < campate; ++i) {
        const double L = 4 + (i % 5);
        d.Campate.push_back({L, 1e-4 * (1 + i % 3)});
        Lt += L;
    }
    for (int i = 0; i <= campate; ++i) {
        AppoggioContinuo a;
        a.Tipo = i == 0 ? TipoAppoggio::Incastro
                        : (i % 4 == 2 ? TipoAppoggio::Molla : TipoAppoggio::Appoggio);
        a.k = 5e7;
        a.Cedimento = i % 7 == 3 ? 0.002 : 0.0;
        d.Appoggi.push_back(a);
    }
    d.Appoggi.back() = {TipoAppoggio::Libero, 0, 0};
    for (int i = 0; i < 100; ++i) {
        const double x = Lt * i / 100.0;
        d.Trapezi.push_back({float(5000 + 30 * i), float(8000 - 20 * i), float(x),
                             float(std::min(Lt, x + 0.07 * Lt))});
        d.Concentrati.push_back({float(20000 - 150 * i), float(x + 0.003 * Lt)});
        d.Coppie.push_back({float(3000 * (i % 5) - 6000), float(x + 0.006 * Lt)});
    }
    return d;
}

void BM_CalcolaContinua(benchmark::State& state) {
    const DatiContinua d = Problema(static_cast<int>(state.range(0)));
    RegistroMessaggi msg;
    size_t punti = 0;
    for (auto _ : state) {
        const RisultatiContinua r = CalcolaContinua(d, msg);
        benchmark::DoNotOptimize(r.fMaxGiu);
        punti = r.Punti.size();
    }
    state.counters["Punti"] = double(punti);
    state.counters["Messaggi"] = double(msg.elenco.size());
    if (!msg.elenco.empty()) state.SkipWithError(msg.elenco[0].testo.c_str());
}

} // namespace

BENCHMARK(BM_CalcolaContinua)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
