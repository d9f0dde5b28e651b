// The combinations' tables of the main window.
#include "form/risultati_combinazioni.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace zelvo {

namespace {

std::string Senza(std::string t) {
    const size_t i = t.find_first_not_of(' ');
    return i == std::string::npos ? "" : t.substr(i);
}

// A value in its unit; a value that is not a number is never shown.
std::string Valore(const UnitMisura& u, Grandezza g, double v) {
    if (!std::isfinite(v)) return "-";
    return Senza(u.Testo(g, v));
}

std::string Intestazione(const std::string& nome, const UnitMisura& u, Grandezza g) {
    const std::string e = u.Etichetta(g);
    return e.empty() ? nome : nome + " (" + e + ")";
}

// L/f or a limit as a whole number ("412"); "-" for a ratio that checks
// nothing (no deflection).
std::string Rapporto(double LsuF) {
    if (!(LsuF > 0) || !std::isfinite(LsuF) || LsuF > 1e15) return "-";
    return std::to_string(std::llround(LsuF));
}

// The extreme of a curve over the points of span s: its index, -1 none.
int Estremo(const std::vector<double>& y, const std::vector<int>& campata, int s, bool massimo) {
    int k = -1;
    for (size_t i = 0; i < y.size() && i < campata.size(); ++i) {
        if (campata[i] != s || !std::isfinite(y[i])) continue;
        if (k < 0 ||
            (massimo ? y[i] > y[static_cast<size_t>(k)] : y[i] < y[static_cast<size_t>(k)]))
            k = static_cast<int>(i);
    }
    return k;
}

// The governing combination's text; "" when the results cannot tell (no
// superposition details kept, or a fault while asking).
template <class F> std::string Governa(const RisultatiCombinazioni& r, F&& governo) {
    if (!r.Interno) return "";
    try {
        return TestoGoverno(governo(), r.Casi);
    } catch (const std::exception&) {
        return "";
    }
}

void Riga(TabellaCombinazioni& t, std::vector<std::string> testi, int esito = 0) {
    t.Governi.emplace_back(testi.size());
    t.Testi.push_back(std::move(testi));
    t.Esiti.push_back(esito);
}

} // namespace

QuadroCombinazioni TabelleCombinazioni(const RisultatiCombinazioni& r, const DatiTrave& d,
                                       const UnitMisura& u) {
    QuadroCombinazioni q;
    if (!r.Calcolato) return q;
    q.Visibile = true;
    const TipoCombinazione slu = TipoCombinazione::SLU;
    const Inviluppo& inv = r.Inviluppi[static_cast<size_t>(slu)];
    const auto& M = inv.Curve[static_cast<size_t>(GrandezzaInviluppo::M)];
    const auto& V = inv.Curve[static_cast<size_t>(GrandezzaInviluppo::V)];

    int campate = 0;
    for (int c : r.Campata)
        campate = std::max(campate, c + 1);

    // Spans: SLU extremes of M and V.
    Riga(q.Campate,
         {"Campata", Intestazione("Mmax", u, Grandezza::Momento),
          Intestazione("Mmin", u, Grandezza::Momento), Intestazione("Vmax", u, Grandezza::Forza),
          Intestazione("Vmin", u, Grandezza::Forza)});
    for (int s = 0; s < campate; ++s) {
        std::vector<std::string> testi{std::to_string(s + 1)};
        std::vector<std::string> governi{""};
        const struct {
            const std::vector<double>& y;
            GrandezzaInviluppo g;
            Grandezza unita;
            bool massimo;
        } colonne[] = {{M.Max, GrandezzaInviluppo::M, Grandezza::Momento, true},
                       {M.Min, GrandezzaInviluppo::M, Grandezza::Momento, false},
                       {V.Max, GrandezzaInviluppo::V, Grandezza::Forza, true},
                       {V.Min, GrandezzaInviluppo::V, Grandezza::Forza, false}};
        for (const auto& c : colonne) {
            const int k = Estremo(c.y, r.Campata, s, c.massimo);
            if (k < 0) {
                testi.emplace_back("-");
                governi.emplace_back();
                continue;
            }
            testi.push_back(Valore(u, c.unita, c.y[static_cast<size_t>(k)]));
            governi.push_back(Governa(r, [&] { return r.GovernoPunto(slu, c.g, k, c.massimo); }));
        }
        q.Campate.Testi.push_back(std::move(testi));
        q.Campate.Governi.push_back(std::move(governi));
        q.Campate.Esiti.push_back(0);
    }

    // Supports: SLU extremes of the reaction and of the beam's moment over it.
    Riga(q.Appoggi,
         {"Appoggio", Intestazione("Rmax", u, Grandezza::Forza),
          Intestazione("Rmin", u, Grandezza::Forza), Intestazione("Mmax", u, Grandezza::Momento),
          Intestazione("Mmin", u, Grandezza::Momento)});
    const bool continua = d.Vincoli == Continua;
    const size_t appoggi =
        std::min({inv.RMax.size(), inv.RMin.size(), inv.MAppMax.size(), inv.MAppMin.size()});
    for (size_t a = 0; a < appoggi; ++a) {
        const int k = static_cast<int>(a);
        const std::string nome = continua ? std::to_string(a + 1) : (a == 0 ? "A" : "B");
        q.Appoggi.Testi.push_back({nome, Valore(u, Grandezza::Forza, inv.RMax[a]),
                                   Valore(u, Grandezza::Forza, inv.RMin[a]),
                                   Valore(u, Grandezza::Momento, inv.MAppMax[a]),
                                   Valore(u, Grandezza::Momento, inv.MAppMin[a])});
        q.Appoggi.Governi.push_back(
            {"", Governa(r, [&] { return r.GovernoAppoggio(slu, k, false, true); }),
             Governa(r, [&] { return r.GovernoAppoggio(slu, k, false, false); }),
             Governa(r, [&] { return r.GovernoAppoggio(slu, k, true, true); }),
             Governa(r, [&] { return r.GovernoAppoggio(slu, k, true, false); })});
        q.Appoggi.Esiti.push_back(0);
    }

    // Deflections: characteristic combination and variable loads alone.
    Riga(q.Frecce, {"Campata", Intestazione("L", u, Grandezza::Lunghezza),
                    Intestazione("f", u, Grandezza::Lunghezza), "L/f", "Limite",
                    Intestazione("f2", u, Grandezza::Lunghezza), "L/f2", "Limite2", "Esito"});
    for (const VerificaFreccia& v : r.Frecce)
        Riga(q.Frecce,
             {std::to_string(v.Campata + 1), Valore(u, Grandezza::Lunghezza, v.L),
              Valore(u, Grandezza::Lunghezza, v.f), Rapporto(v.LsuF), Rapporto(v.Limite),
              Valore(u, Grandezza::Lunghezza, v.f2), Rapporto(v.LsuF2), Rapporto(v.Limite2),
              v.Verificata ? TestoVerificata : TestoNonVerificata},
             v.Verificata ? 1 : -1);
    return q;
}

} // namespace zelvo
