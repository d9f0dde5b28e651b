// The whole calculation of a continuous beam with load cases and every
// envelope: 30 spans, 100 sections per span, five cases (G1, G2 and three
// variable cases with loads on every span), springs, settlements and an
// overhang. Target: under 50 ms.
#include "core/modulo_zelvo.h"

#include <benchmark/benchmark.h>

#include <algorithm>

using namespace zelvo;

namespace {

void Accoda(DatiTrave& d, const CaricoTrapezio& c) {
    d.CarichiTrapezi.Conserva(++d.NTrapezi);
    d.CarichiTrapezi(d.NTrapezi) = c;
}

DatiTrave Problema(int campate) {
    DatiTrave d;
    d.Titolo = "combinazioni";
    d.Vincoli = Continua;
    d.E = 3e10f;
    d.NSezioni = 100;
    double Lt = 0;
    for (int i = 0; i < campate; ++i) {
        const double L = 4 + (i % 4);
        d.Campate.push_back({L, 2e-3 * (1 + i % 3)});
        Lt += L;
    }
    for (int i = 0; i <= campate; ++i) {
        AppoggioContinuo a;
        a.Tipo = i % 5 == 2 ? TipoAppoggio::Molla : TipoAppoggio::Appoggio;
        a.k = 2e8;
        a.Cedimento = i % 7 == 3 ? 0.002 : 0.0;
        d.Appoggi.push_back(a);
    }
    d.Appoggi.front().Tipo = TipoAppoggio::Incastro;
    d.Appoggi.back() = {TipoAppoggio::Libero, 0, 0};
    d.Luce = float(Lt);

    auto caso = [](const char* nome, TipoCaso t, CategoriaQ c, double p0, double p1, double p2) {
        CasoCarico k;
        k.Nome = nome;
        k.Tipo = t;
        k.Categoria = c;
        k.psi0 = p0;
        k.psi1 = p1;
        k.psi2 = p2;
        return k;
    };
    d.Casi = {caso("Strutturali", TipoCaso::G1, CategoriaQ::A, 0, 0, 0),
              caso("Finiture", TipoCaso::G2, CategoriaQ::A, 0, 0, 0),
              caso("Uffici", TipoCaso::Q, CategoriaQ::B, 0.7, 0.5, 0.3),
              caso("Neve", TipoCaso::Q, CategoriaQ::NeveSotto1000, 0.5, 0.2, 0),
              caso("Magazzino", TipoCaso::Q, CategoriaQ::E, 1.0, 0.9, 0.8)};
    d.PesoProprio = true;
    d.PesoProprioQ = 6000;
    // Every case on every span: a trapezoid crossing the next support,
    // a force and a couple for the variable cases.
    double x0 = 0;
    for (int i = 0; i < campate; ++i) {
        const double L = d.Campate[size_t(i)].L;
        const float a = float(x0 + 0.1 * L), b = float(std::min(Lt, x0 + 1.3 * L));
        Accoda(d, {8000, 8000, float(x0), float(x0 + L), 0});
        Accoda(d, {3000, 5000, a, b, 1});
        for (int16_t q = 2; q < 5; ++q) {
            Accoda(d, {float(2000 * q), float(1000 * q), a, b, q});
            d.CarichiConcentrati.Conserva(++d.NConcentrati);
            d.CarichiConcentrati(d.NConcentrati) = {float(10000 * q), float(x0 + 0.3 * L * q / 2),
                                                    q};
            d.Coppie.Conserva(++d.NCoppie);
            d.Coppie(d.NCoppie) = {float(-3000 * q), float(x0 + 0.7 * L), q};
        }
        x0 += L;
    }
    return d;
}

void BM_CalcolaCombinazioni(benchmark::State& state) {
    const DatiTrave d = Problema(static_cast<int>(state.range(0)));
    RegistroMessaggi msg;
    size_t punti = 0;
    for (auto _ : state) {
        ModuloZelvo m;
        m.Dati = d;
        const EsitoCalcolo e = m.Calcola(msg);
        benchmark::DoNotOptimize(e);
        if (!m.Combinazioni.Calcolato) {
            state.SkipWithError("combinazioni non calcolate");
            break;
        }
        punti = m.Combinazioni.x.size();
    }
    state.counters["Punti"] = double(punti);
    state.counters["Messaggi"] = double(msg.elenco.size());
    if (!msg.elenco.empty()) state.SkipWithError(msg.elenco[0].testo.c_str());
}

} // namespace

BENCHMARK(BM_CalcolaCombinazioni)->Arg(30)->Unit(benchmark::kMillisecond);
