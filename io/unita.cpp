#include "io/unita.h"

#include "core/guasto.h"

#include <cmath>

namespace zelvo {

namespace {

// A factor that multiplies or divides, so that the inverse conversion divides
// or multiplies by the same exact number.
struct Fattore {
    double n = 1;
    bool divide = false;
    double Applica(double v) const { return divide ? v / n : v * n; }
    double Inverso(double v) const { return divide ? v * n : v / n; }
};

// By the choices of the units window: choice 0 is the SI unit (factor 1).
Fattore Lunghezza(const std::string& l) {
    if (l == ScelteUnita[0][1]) return {100, false};
    if (l == ScelteUnita[0][2]) return {1000, false};
    return {};
}
Fattore Forza(const std::string& l) {
    if (l == ScelteUnita[2][1]) return {1000, true};
    if (l == ScelteUnita[2][2]) return {1000000, true};
    return {};
}
Fattore Tensione(const std::string& l) {
    if (l == ScelteUnita[1][1]) return {1000000, true};
    if (l == ScelteUnita[1][2]) return {1000, true};
    return {};
}
Fattore Potenza(const Fattore& f, int k) {
    Fattore r = f;
    for (int i = 1; i < k; ++i)
        r.n *= f.n;
    return r;
}

} // namespace

void UnitMisura::UnitaDefault() {
    for (size_t i = 0; i < UnitaModello.size(); ++i)
        UnitaModello[i] = UnitaIniziali[i];
}
void UnitMisura::UnitaVuote() {
    UnitaModello = {"", "", "", "", ""};
}

double UnitMisura::FattoreLunghezza() const {
    const Fattore f = Lunghezza(UnitaModello[0]);
    return f.Applica(1.0);
}
double UnitMisura::FattoreForza() const {
    return Forza(UnitaModello[3]).Applica(1.0);
}
double UnitMisura::FattoreTensione() const {
    return Tensione(UnitaModello[1]).Applica(1.0);
}
double UnitMisura::FattoreSezione() const {
    return Lunghezza(UnitaModello[4]).Applica(1.0);
}

double UnitMisura::Mostrata(Grandezza g, double v) const {
    if (g == Grandezza::K) return v / 10000000.0;
    if (SenzaUnita) return v;
    const Fattore fl = Lunghezza(UnitaModello[0]);
    const Fattore ff = Forza(UnitaModello[3]);
    switch (g) {
    case Grandezza::Lunghezza:
        return fl.Applica(v);
    case Grandezza::Forza:
        return ff.Applica(v);
    case Grandezza::Momento:
        return ff.Applica(fl.Applica(v));
    case Grandezza::Carico:
        return fl.Inverso(ff.Applica(v));
    case Grandezza::Tensione:
        return Tensione(UnitaModello[1]).Applica(v);
    case Grandezza::Inerzia:
        return Potenza(Lunghezza(UnitaModello[4]), 4).Applica(v);
    case Grandezza::Area:
        return Potenza(Lunghezza(UnitaModello[4]), 2).Applica(v);
    case Grandezza::K:
        break;
    }
    return v;
}

double UnitMisura::Interna(Grandezza g, double v) const {
    if (g == Grandezza::K) return v * 10000000.0;
    if (SenzaUnita) return v;
    const Fattore fl = Lunghezza(UnitaModello[0]);
    const Fattore ff = Forza(UnitaModello[3]);
    switch (g) {
    case Grandezza::Lunghezza:
        return fl.Inverso(v);
    case Grandezza::Forza:
        return ff.Inverso(v);
    case Grandezza::Momento:
        return fl.Inverso(ff.Inverso(v));
    case Grandezza::Carico:
        return ff.Inverso(fl.Applica(v));
    case Grandezza::Tensione:
        return Tensione(UnitaModello[1]).Inverso(v);
    case Grandezza::Inerzia:
        return Potenza(Lunghezza(UnitaModello[4]), 4).Inverso(v);
    case Grandezza::Area:
        return Potenza(Lunghezza(UnitaModello[4]), 2).Inverso(v);
    case Grandezza::K:
        break;
    }
    return v;
}

float UnitMisura::Mostrata(Grandezza g, float v) const {
    return ASingolo(Mostrata(g, static_cast<double>(v)));
}
float UnitMisura::Interna(Grandezza g, float v) const {
    return ASingolo(Interna(g, static_cast<double>(v)));
}

std::string UnitMisura::Testo(Grandezza g, Numero v, int n) const {
    const double m = Mostrata(g, v.Valore());
    // A value that fits its own type may not fit it once converted (1E+38 m^4
    // is beyond a single in cm^4): it is shown with double precision, and one
    // beyond a double as "Overflow", never as a wrong number. The field keeps
    // the exact value, so the calculation still reads it.
    if (!std::isfinite(m)) return "Overflow";
    const auto singolo = v.Singolo() ? SingoloSeEntra(m) : std::nullopt;
    const Numero shown = singolo ? Numero(*singolo) : Numero(m);
    if (n > 0) return FormatoLarghezza(separatori, n, n + 6, shown);
    return FormatoLarghezza(separatori, 4, 10, shown);
}

double UnitMisura::Leggi(Grandezza g, std::string_view testo) const {
    return Finito(Interna(g, ValoreNumerico(testo, separatori)),
                  "overflow nella conversione di unità");
}

float UnitMisura::LeggiSingolo(Grandezza g, std::string_view testo) const {
    return ASingolo(Leggi(g, testo));
}

std::string UnitMisura::Etichetta(Grandezza g, bool parentesi) const {
    std::string e;
    if (g == Grandezza::K) {
        e = EtichettaKCampo;
    } else if (!SenzaUnita) {
        const auto& u = UnitaModello;
        switch (g) {
        case Grandezza::Lunghezza:
            e = u[0];
            break;
        case Grandezza::Forza:
            e = u[3];
            break;
        case Grandezza::Momento:
            e = u[3] + u[0];
            break;
        case Grandezza::Carico:
            e = u[3] + "/" + u[0];
            break;
        case Grandezza::Tensione:
            e = u[1];
            break;
        case Grandezza::Inerzia:
            e = u[4] + "^4";
            break;
        case Grandezza::Area:
            e = u[4] + "^2";
            break;
        case Grandezza::K:
            break;
        }
    }
    // No-units mode shows no label at all, not even empty parentheses.
    if (parentesi && !(SenzaUnita && g != Grandezza::K)) return "(" + e + ")";
    return e;
}

} // namespace zelvo
