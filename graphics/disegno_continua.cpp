#include "graphics/disegno_continua.h"

#include "graphics/colori.h"
#include "graphics/plotta.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zelvo {

namespace {

bool Finita(double v) {
    return std::isfinite(v);
}

// The span lengths as drawn: a length that is not finite and positive
// counts as the smallest one that is (1 when none is).
std::vector<double> LunghezzeDisegno(const std::vector<CampataContinua>& campate) {
    double minima = 0;
    for (const auto& c : campate)
        if (Finita(c.L) && c.L > 0 && (minima == 0 || c.L < minima)) minima = c.L;
    if (minima == 0) minima = 1;
    std::vector<double> L;
    for (const auto& c : campate)
        L.push_back(Finita(c.L) && c.L > 0 ? c.L : minima);
    return L;
}

// Whether two boxes come closer than gioco.
bool Tocca(const Riquadro& a, const Riquadro& b, double gioco) {
    return a.x1 < b.x2 + gioco && b.x1 < a.x2 + gioco && a.y1 < b.y2 + gioco && b.y1 < a.y2 + gioco;
}

// --- the scheme picture: world units, equal across and up ----------------

constexpr uint32_t Nero = Rgb::Nero, Grigio = Rgb::Grigio, ColoreMolla = Rgb::Ruggine;

// Picture layout (world units): the beam from 0 to 100 at y = 0, the span
// numbers 2 above it; at full size the symbols reach 10 above the beam (an
// end wall) and 14.5 below it (a spring's ground hatching), and 6 beyond
// either end (a hinge's ground).
constexpr double Trave = 100;
constexpr double BaseNumeri = 2;
constexpr double SinistraFigura = -7, DestraFigura = 107;

// A hatched ground line from x1 to x2 at height y, ticks k long.
void Terreno(Tela& s, double x1, double x2, double y, double k) {
    s.Colore(Grigio);
    s.SpessorePenna(1);
    s.Linea(x1, y, x2, y);
    for (double x = x1 + 2 * k; x <= x2 + 1e-9; x += 3 * k)
        s.Linea(x, y, x - 2.5 * k, y - 2.5 * k);
    s.Colore(Nero);
}

// A hinge or a roller under the beam at x, k times the full size.
void SimboloAppoggio(Tela& s, double x, bool cerniera, double k) {
    s.Colore(Nero);
    s.SpessorePenna(1);
    s.Linea(x, 0, x - 4 * k, -7 * k);
    s.Linea(x - 4 * k, -7 * k, x + 4 * k, -7 * k);
    s.Linea(x + 4 * k, -7 * k, x, 0);
    if (cerniera) {
        Terreno(s, x - 6 * k, x + 6 * k, -8 * k, k);
    } else {
        s.Linea(x - 5 * k, -9 * k, x + 5 * k, -9 * k);
        Terreno(s, x - 6 * k, x + 6 * k, -10.5 * k, k);
    }
}

// A wall at an end of the beam, on the side given by verso (-1 left, +1
// right), k times the full size.
void SimboloIncastroEstremo(Tela& s, double x, int verso, double k) {
    s.Colore(Nero);
    s.SpessorePenna(2);
    s.Linea(x, -10 * k, x, 10 * k);
    s.SpessorePenna(1);
    s.Colore(Grigio);
    for (double y = -9; y <= 10 + 1e-9; y += 3)
        s.Linea(x, y * k, x + verso * 3 * k, (y - 3) * k);
    s.Colore(Nero);
}

// A fixed support between spans: a hatched block under the beam.
void SimboloIncastroInterno(Tela& s, double x, double k) {
    const double a = 3 * k, h = 8 * k;
    s.Colore(Nero);
    s.SpessorePenna(2);
    s.Linea(x - a, 0, x - a, -h);
    s.Linea(x + a, 0, x + a, -h);
    s.Linea(x - a, -h, x + a, -h);
    s.SpessorePenna(1);
    s.Colore(Grigio);
    // Hatching at 45°, the lines y = (X - (x - a)) + c clipped to the block.
    const double passo = 2 * k;
    for (double c = -h - 2 * a + passo; c < 0; c += passo) {
        const double da = std::max(0.0, -h - c), a2 = std::min(2 * a, -c);
        if (da < a2) s.Linea(x - a + da, da + c, x - a + a2, a2 + c);
    }
    s.Colore(Nero);
}

// A spring from the ground to the beam at x, k times the full size.
void SimboloMolla(Tela& s, double x, double k) {
    s.SpessorePenna(1);
    s.Colore(ColoreMolla);
    s.Linea(x, -12 * k, x, -10 * k);
    double y = -10 * k;
    int lato = 1;
    for (int i = 0; i < 6; ++i) {
        s.Linea(x - lato * 1.5 * k, y, x + lato * 1.5 * k, y + 1.2 * k);
        y += 1.2 * k;
        lato = -lato;
    }
    s.Linea(x + lato * 1.5 * k, y, x, 0);
    Terreno(s, x - 4 * k, x + 4 * k, -12 * k, k);
}

// Which span numbers are shown: taken by class (the two end spans, the
// tens, the fives, the even numbers, the rest), each kept unless its box
// comes closer than gioco to one already kept. On ten spans or more a class
// after the tens is shown whole or not at all, and the classes after one
// left out are left out too, so that the numbers shown keep a regular step.
std::vector<bool> NumeriDiradati(const std::vector<Riquadro>& scatole, double gioco) {
    const size_t n = scatole.size();
    auto classe = [n](size_t i) {
        const size_t num = i + 1;
        if (i == 0 || i + 1 == n) return 0;
        if (num % 10 == 0) return 1;
        if (num % 5 == 0) return 2;
        if (num % 2 == 0) return 3;
        return 4;
    };
    std::vector<bool> tenuto(n, false);
    std::vector<Riquadro> tenute;
    for (int c = 0; c <= 4; ++c) {
        const bool intera = n >= 10 && c >= 2;
        std::vector<size_t> presi;
        const size_t prima = tenute.size();
        bool perso = false;
        for (size_t i = 0; i < n; ++i) {
            if (classe(i) != c) continue;
            const bool libero = std::none_of(tenute.begin(), tenute.end(), [&](const Riquadro& b) {
                return Tocca(scatole[i], b, gioco);
            });
            perso = perso || !libero;
            if (!libero) continue;
            presi.push_back(i);
            tenute.push_back(scatole[i]);
        }
        if (intera && perso) {
            tenute.resize(prima);
            break;
        }
        for (size_t i : presi)
            tenuto[i] = true;
    }
    return tenuto;
}

// --- the diagrams ------------------------------------------------------------

double ValorePunto(const PuntoContinua& p, DiagrammaContinua d) {
    switch (d) {
    case DiagrammaContinua::Momenti:
        return p.M;
    case DiagrammaContinua::Tagli:
        return p.V;
    default:
        return p.f;
    }
}

size_t Caratteri(const std::string& t) {
    size_t n = 0;
    for (unsigned char c : t)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace

// A dimension line from x1 to x2 at height y, its text above.
void QuotaSchema(Tela& s, double x1, double x2, double y, const std::string& testo,
                 const std::vector<double>& tacche) {
    s.Colore(Nero);
    s.SpessorePenna(1);
    s.Linea(x1, y, x2, y);
    s.Linea(x1, y - 1.5, x1, y + 1.5);
    s.Linea(x2, y - 1.5, x2, y + 1.5);
    s.Linea(x1, y, x1 + 2, y + 0.8);
    s.Linea(x1, y, x1 + 2, y - 0.8);
    s.Linea(x2, y, x2 - 2, y + 0.8);
    s.Linea(x2, y, x2 - 2, y - 0.8);
    // A tick at each support, left out where it would crowd the previous
    // one or an arrowhead.
    double ultima = x1;
    for (double x : tacche)
        if (x - ultima >= 1.5 && x2 - x >= 2.5 && x - x1 >= 2.5) {
            s.Linea(x, y - 0.8, x, y + 0.8);
            ultima = x;
        }
    if (testo.empty()) return;
    const double w = s.LarghezzaTesto(testo);
    s.Testo((x1 + x2) / 2 - w / 2, y + 1 + s.AltezzaTesto(testo), testo);
}

// --- the scheme picture ------------------------------------------------------

std::vector<double> AscisseSchemaContinua(const std::vector<CampataContinua>& campate,
                                          double larghezza, double minima) {
    const size_t n = campate.size();
    std::vector<double> x(n + 1, 0.0);
    if (n == 0 || !Finita(larghezza) || larghezza <= 0) return x;
    minima = std::clamp(Finita(minima) ? minima : 0.0, 0.0, larghezza / (2.0 * double(n)));
    const std::vector<double> L = LunghezzeDisegno(campate);
    // Spans drawn at the minimum width; the others share the rest in
    // proportion. A span squeezed below the minimum joins the first group
    // and the rest is shared again (at most n rounds).
    std::vector<bool> minimo(n, false);
    double somma = 0, resto = larghezza;
    for (size_t giro = 0; giro <= n; ++giro) {
        somma = 0;
        size_t nMinimi = 0;
        for (size_t i = 0; i < n; ++i)
            minimo[i] ? ++nMinimi : (somma += L[i], 0);
        resto = larghezza - double(nMinimi) * minima;
        bool cambiato = false;
        for (size_t i = 0; i < n; ++i)
            if (!minimo[i] && L[i] / somma * resto < minima) minimo[i] = cambiato = true;
        if (!cambiato) break;
    }
    for (size_t i = 0; i < n; ++i)
        x[i + 1] = x[i] + (minimo[i] ? minima : L[i] / somma * resto);
    x[n] = larghezza;
    return x;
}

std::vector<bool> CernieraContinua(const std::vector<AppoggioContinuo>& appoggi) {
    std::vector<bool> c(appoggi.size(), false);
    const bool incastro = std::any_of(appoggi.begin(), appoggi.end(), [](const auto& a) {
        return a.Tipo == TipoAppoggio::Incastro;
    });
    if (incastro) return c;
    for (size_t i = 0; i < appoggi.size(); ++i)
        if (appoggi[i].Tipo == TipoAppoggio::Appoggio) {
            c[i] = true;
            break;
        }
    return c;
}

void DisegnaSchemaContinua(Tela& s, const std::vector<CampataContinua>& campate,
                           const std::vector<AppoggioContinuo>& appoggi,
                           const TestoValore& testoLunghezza) {
    const double W = s.LarghezzaDispositivo(), H = s.AltezzaDispositivo();
    if (!(W > 0) || !(H > 0) || !Finita(W) || !Finita(H)) return;
    const size_t n = campate.size();
    if (n == 0 || appoggi.size() != n + 1) return;
    const std::vector<double> xs = AscisseSchemaContinua(campate, Trave, 3);
    const std::vector<bool> cerniera = CernieraContinua(appoggi);

    // Each support's size (no wider than the spans beside it let it) and how
    // far the symbols reach above and below the beam.
    std::vector<double> k(n + 1);
    double sopra = 2, sotto = -2;
    for (size_t i = 0; i <= n; ++i) {
        double spazio = 1e300;
        if (i > 0) spazio = std::min(spazio, xs[i] - xs[i - 1]);
        if (i < n) spazio = std::min(spazio, xs[i + 1] - xs[i]);
        k[i] = std::clamp(spazio / 12, 0.05, 1.0);
        const bool estremo = i == 0 || i == n;
        switch (appoggi[i].Tipo) {
        case TipoAppoggio::Incastro:
            if (estremo) k[i] = std::max(k[i], 0.5);
            sopra = std::max(sopra, estremo ? 10 * k[i] : 0);
            sotto = std::min(sotto, estremo ? -12 * k[i] : -8 * k[i]);
            break;
        case TipoAppoggio::Appoggio:
            sotto = std::min(sotto, (cerniera[i] ? -10.5 : -13) * k[i]);
            break;
        case TipoAppoggio::Molla:
            sotto = std::min(sotto, -14.5 * k[i]);
            break;
        case TipoAppoggio::Libero:
            break;
        }
    }

    // The text height in pixels, then the world: equal units across and up,
    // as small as lets the picture fit (the text grows with the world unit).
    s.NomeFont("Arial");
    s.DimensioneFont(8);
    s.ScalaDefault();
    const double hPixel = std::max(0.0, s.AltezzaTesto("0"));
    const double larghezzaMondo = DestraFigura - SinistraFigura + 4;
    double unita = larghezzaMondo / W; // world units per pixel
    double alto = 0, basso = 0;
    for (int i = 0; i < 8; ++i) {
        const double h = hPixel * unita;
        alto = std::max(sopra, BaseNumeri + h) + 2;
        basso = sotto - 1 - h - 1 - 1.5 - 2; // the dimension line below its text
        unita = std::max(larghezzaMondo / W, (alto - basso) / H);
    }
    if (!Finita(unita) || unita <= 0) return;
    const double yCentro = (alto + basso) / 2, xCentro = Trave / 2;
    s.Scala(xCentro - W * unita / 2, yCentro + H * unita / 2, W * unita, -H * unita);
    const double h = s.AltezzaTesto("0");

    // The beam.
    s.Colore(Nero);
    s.SpessorePenna(3);
    s.Linea(0, 0, Trave, 0);

    for (size_t i = 0; i <= n; ++i) {
        const bool estremo = i == 0 || i == n;
        switch (appoggi[i].Tipo) {
        case TipoAppoggio::Incastro:
            if (estremo)
                SimboloIncastroEstremo(s, xs[i], i == 0 ? -1 : 1, k[i]);
            else
                SimboloIncastroInterno(s, xs[i], k[i]);
            break;
        case TipoAppoggio::Appoggio:
            SimboloAppoggio(s, xs[i], cerniera[i], k[i]);
            break;
        case TipoAppoggio::Molla:
            SimboloMolla(s, xs[i], k[i]);
            break;
        case TipoAppoggio::Libero:
            break;
        }
    }

    // The span numbers, centred over their spans, kept clear of the end walls.
    std::vector<Riquadro> numeri(n);
    std::vector<std::string> testi(n);
    for (size_t i = 0; i < n; ++i) {
        testi[i] = std::to_string(i + 1);
        const double w = s.LarghezzaTesto(testi[i]);
        const double xc = w < Trave - 2
                              ? std::clamp((xs[i] + xs[i + 1]) / 2, 1 + w / 2, Trave - 1 - w / 2)
                              : Trave / 2;
        numeri[i] = {xc - w / 2, BaseNumeri, xc + w / 2, BaseNumeri + h};
    }
    const std::vector<bool> tenuto = NumeriDiradati(numeri, 0.6 * h);
    s.Colore(Nero);
    s.SpessorePenna(1);
    for (size_t i = 0; i < n; ++i)
        if (tenuto[i]) s.Testo(numeri[i].x1, numeri[i].y2, testi[i]);

    // The overall length, a tick at each support between the ends.
    double totale = 0;
    for (double L : LunghezzeDisegno(campate))
        totale += L;
    std::vector<double> tacche(xs.begin() + 1, xs.end() - 1);
    const std::string quota = testoLunghezza ? testoLunghezza(totale) : std::string();
    QuotaSchema(s, 0, Trave, sotto - 1 - h - 1, quota, tacche);
}

// --- the diagrams ------------------------------------------------------------

std::vector<EtichettaContinua> EtichetteContinua(const RisultatiContinua& r, DiagrammaContinua d) {
    std::vector<EtichettaContinua> e;
    const size_t n = r.Campate.size();
    if (!r.Calcolato() || n == 0 || r.Appoggi.size() != n + 1) return e;
    double massimo = 0;
    for (const auto& p : r.Punti) {
        const double v = ValorePunto(p, d);
        if (Finita(v)) massimo = std::max(massimo, std::fabs(v));
    }
    const double zero = 1e-9 * massimo;
    auto aggiungi = [&](double x, double v, TipoEtichettaContinua t, size_t i) {
        if (Finita(x) && Finita(v) && std::fabs(v) > zero) e.push_back({x, v, t, int(i)});
    };
    for (size_t i = 0; i <= n; ++i) {
        const RisultatoAppoggio& a = r.Appoggi[i];
        switch (d) {
        case DiagrammaContinua::Momenti:
            aggiungi(a.x, a.Momento, TipoEtichettaContinua::MomentoAppoggio, i);
            break;
        case DiagrammaContinua::Tagli:
            if (i > 0)
                aggiungi(a.x, r.TaglioSinistraIn(a.x), TipoEtichettaContinua::TaglioSinistra, i);
            if (i < n) aggiungi(a.x, r.TaglioIn(a.x), TipoEtichettaContinua::TaglioDestra, i);
            break;
        case DiagrammaContinua::Frecce:
            break;
        }
        if (i == n) break;
        const RisultatoCampata& c = r.Campate[i];
        if (d == DiagrammaContinua::Momenti && c.Mmax > 0) {
            aggiungi(c.xMmax, c.Mmax, TipoEtichettaContinua::MomentoCampata, i);
        } else if (d == DiagrammaContinua::Frecce) {
            // The largest downward deflection is exact; the largest upward one
            // is the highest calculation point of the span.
            double su = 0, xSu = c.xInizio;
            for (const auto& p : r.Punti)
                if (p.Campata == int(i) && Finita(p.f) && p.f < su) su = p.f, xSu = p.x;
            if (-su > c.fMaxGiu)
                aggiungi(xSu, su, TipoEtichettaContinua::FrecciaCampata, i);
            else
                aggiungi(c.xfMaxGiu, c.fMaxGiu, TipoEtichettaContinua::FrecciaCampata, i);
        }
    }
    // One label for one value at one point: a span's maximum at its end is
    // the support's moment, or the next span's maximum at the same support;
    // the shear of a span without load is shown once.
    const double vicino = 1e-9 * std::max(1.0, std::fabs(r.Lunghezza));
    auto uguali = [&](const EtichettaContinua& a, const EtichettaContinua& b) {
        return std::fabs(a.x - b.x) <= vicino &&
               std::fabs(a.Valore - b.Valore) <= 1e-9 * std::max(massimo, 1e-300);
    };
    std::vector<EtichettaContinua> uniche;
    for (size_t j = 0; j < e.size(); ++j) {
        const bool campata = e[j].Tipo == TipoEtichettaContinua::MomentoCampata ||
                             e[j].Tipo == TipoEtichettaContinua::FrecciaCampata;
        bool doppia = !uniche.empty() && uguali(uniche.back(), e[j]);
        if (campata && j + 1 < e.size() && e[j + 1].Tipo == TipoEtichettaContinua::MomentoAppoggio)
            doppia = doppia || uguali(e[j], e[j + 1]);
        // A span without load: its shear once, right of its left support.
        if (e[j].Tipo == TipoEtichettaContinua::TaglioSinistra && !uniche.empty() &&
            uniche.back().Tipo == TipoEtichettaContinua::TaglioDestra &&
            uniche.back().Indice + 1 == e[j].Indice)
            doppia = doppia || std::fabs(uniche.back().Valore - e[j].Valore) <=
                                   1e-9 * std::max(massimo, 1e-300);
        if (!doppia) uniche.push_back(e[j]);
    }
    return uniche;
}

MappaDiagramma MappaDiagrammaContinua(const RisultatiContinua& r, DiagrammaContinua d,
                                      double divisoreTesto) {
    MappaDiagramma m;
    m.xIniziale = 0;
    m.xFinale = Finita(r.Lunghezza) && r.Lunghezza > 0 ? r.Lunghezza : 1;
    m.AltezzaTesto = m.xFinale / (Finita(divisoreTesto) && divisoreTesto > 0 ? divisoreTesto : 50);
    // Plot ordinates are −value / Scala: the top of the plot is the most
    // negative value, the bottom the most positive.
    double sopra = 0, sotto = 0;
    for (const auto& p : r.Punti) {
        const double v = ValorePunto(p, d);
        if (!Finita(v)) continue;
        sopra = std::max(sopra, -v);
        sotto = std::min(sotto, -v);
    }
    m.Scala = ScalaTonda(1.5 * (sopra - sotto) / (m.xFinale - m.xIniziale));
    if (!(m.Scala > 0) || !Finita(m.Scala)) m.Scala = 1;
    const double h = m.AltezzaTesto;
    m.yMax = sopra / m.Scala + 8 * h;
    m.yMin = sotto / m.Scala - 12 * h;
    return m;
}

std::vector<std::pair<double, double>> CurvaContinua(const RisultatiContinua& r,
                                                     DiagrammaContinua d) {
    std::vector<std::pair<double, double>> c;
    if (!r.Calcolato()) return c;
    c.reserve(r.Punti.size());
    for (const auto& p : r.Punti)
        c.emplace_back(p.x, ValorePunto(p, d));
    return c;
}

namespace {

// The curve's farthest plot ordinate over x1..x2 on one side (verso −1: the
// lowest, +1: the highest), the polyline's values at x1 and x2 included;
// `inizio` when it is farther or no finite point lies there.
double EstremoCurva(const std::vector<std::pair<double, double>>& curva, double scala, double x1,
                    double x2, int verso, double inizio) {
    double e = inizio;
    auto considera = [&](double v) {
        const double y = -v / scala;
        if (Finita(y)) e = verso < 0 ? std::min(e, y) : std::max(e, y);
    };
    auto interpola = [](const std::pair<double, double>& a, const std::pair<double, double>& b,
                        double x) {
        return a.second + (b.second - a.second) * (x - a.first) / (b.first - a.first);
    };
    const auto primo = std::lower_bound(curva.begin(), curva.end(), x1,
                                        [](const auto& p, double x) { return p.first < x; });
    // The polyline at x1 (from the point before), the points up to x2, the
    // polyline at x2.
    if (primo != curva.begin() && primo != curva.end() && primo->first > (primo - 1)->first)
        considera(interpola(*(primo - 1), *primo, x1));
    auto p = primo;
    for (; p != curva.end() && p->first <= x2; ++p)
        considera(p->second);
    if (p != curva.end() && p != curva.begin() && p->first > (p - 1)->first)
        considera(interpola(*(p - 1), *p, x2));
    return e;
}

} // namespace

namespace {

// Places the labels; testo(i) is the text of etichette[i].
std::vector<EtichettaPosata> Disponi(const std::vector<EtichettaContinua>& etichette,
                                     const MappaDiagramma& m,
                                     const std::function<std::string(size_t)>& testo,
                                     const std::function<double(const std::string&)>& larghezza,
                                     double altezza,
                                     const std::vector<std::pair<double, double>>& curva,
                                     const std::vector<Riquadro>& ostacoli) {
    std::vector<EtichettaPosata> posate;
    const double h = altezza;
    if (!larghezza || !Finita(m.Scala) || m.Scala <= 0 || !Finita(h) || h <= 0 ||
        !Finita(m.xIniziale) || !Finita(m.xFinale) || !Finita(m.yMin) || !Finita(m.yMax))
        return posate;
    std::vector<size_t> ordine(etichette.size());
    std::iota(ordine.begin(), ordine.end(), size_t{0});
    std::stable_sort(ordine.begin(), ordine.end(), [&](size_t a, size_t b) {
        return std::fabs(etichette[a].Valore) > std::fabs(etichette[b].Valore);
    });
    const double gioco = 0.4 * h;
    std::vector<Riquadro> occupate;
    for (const Riquadro& o : ostacoli)
        if (Finita(o.x1) && Finita(o.x2) && Finita(o.y1) && Finita(o.y2)) occupate.push_back(o);
    const size_t nOstacoli = occupate.size();
    for (size_t i : ordine) {
        const EtichettaContinua& e = etichette[i];
        const std::string t = testo(i);
        const double w = larghezza(t);
        const double ya = -e.Valore / m.Scala;
        if (t.empty() || !Finita(w) || w <= 0 || !Finita(ya) || !Finita(e.x)) continue;
        if (w > m.xFinale - m.xIniziale || h > m.yMax - m.yMin) continue;
        double x0 = e.x - w / 2;
        if (e.Tipo == TipoEtichettaContinua::TaglioSinistra) x0 = e.x - gioco - w;
        if (e.Tipo == TipoEtichettaContinua::TaglioDestra) x0 = e.x + gioco;
        const int verso = ya < 0 ? -1 : 1; // away from the axis
        const double spostamenti[] = {0, -(w / 2 + gioco), w / 2 + gioco, -(w + gioco), w + gioco};
        bool messa = false;
        for (int passo = 0; passo < 4 && !messa; ++passo) {
            for (double dx : spostamenti) {
                Riquadro b;
                b.x1 = std::clamp(x0 + dx, m.xIniziale, m.xFinale - w);
                b.x2 = b.x1 + w;
                // Clear of the curve over the label's width, then passo rows farther.
                const double y =
                    EstremoCurva(curva, m.Scala, b.x1 - gioco, b.x2 + gioco, verso, ya);
                const double y0 = verso < 0 ? y - gioco - h : y + gioco;
                b.y1 = std::clamp(y0 + verso * passo * (h + gioco), m.yMin, m.yMax - h);
                b.y2 = b.y1 + h;
                bool libera = true;
                for (size_t j = 0; j < occupate.size() && libera; ++j)
                    libera = !Tocca(b, occupate[j], j < nOstacoli ? 0.0 : gioco / 2);
                if (!libera) continue;
                occupate.push_back(b);
                posate.push_back({e, t, b.x1, b.y1, b.x2, b.y2});
                messa = true;
                break;
            }
        }
    }
    std::stable_sort(posate.begin(), posate.end(),
                     [](const auto& a, const auto& b) { return a.Etichetta.x < b.Etichetta.x; });
    return posate;
}

} // namespace

std::vector<EtichettaPosata>
DisponiEtichetteContinua(const std::vector<EtichettaContinua>& etichette, const MappaDiagramma& m,
                         const TestoValore& testo,
                         const std::function<double(const std::string&)>& larghezza, double altezza,
                         const std::vector<std::pair<double, double>>& curva,
                         const std::vector<Riquadro>& ostacoli) {
    if (!testo) return {};
    return Disponi(
        etichette, m, [&](size_t i) { return testo(etichette[i].Valore); }, larghezza, altezza,
        curva, ostacoli);
}

std::vector<EtichettaPosata>
DisponiEtichetteTesti(const std::vector<EtichettaContinua>& etichette,
                      const std::vector<std::string>& testi, const MappaDiagramma& m,
                      const std::function<double(const std::string&)>& larghezza, double altezza,
                      const std::vector<std::pair<double, double>>& curva,
                      const std::vector<Riquadro>& ostacoli) {
    if (testi.size() != etichette.size()) return {};
    return Disponi(
        etichette, m, [&](size_t i) { return testi[i]; }, larghezza, altezza, curva, ostacoli);
}

std::function<double(const std::string&)> LarghezzaEtichette(Superficie* sup, double altezza,
                                                             double* h) {
    Tela* tela = sup ? sup->TelaRaster() : nullptr;
    *h = tela ? std::fabs(tela->AltezzaTesto("0")) : altezza;
    if (tela) return [tela](const std::string& t) { return tela->LarghezzaTesto(t); };
    const double hh = *h;
    return [hh](const std::string& t) { return 0.8 * hh * double(Caratteri(t)); };
}

namespace {

// A support symbol of a diagram: its base a (plot abscissae) and its height
// unit ay (plot ordinates: a times the device's ratio of the two scales, so
// that the symbol keeps its shape).
struct SimboloDiagramma {
    double x = 0, a = 0, ay = 0;
    TipoAppoggio Tipo = TipoAppoggio::Appoggio;
    bool Cerniera = false;
    int Estremo = 0; // -1 left end, +1 right end, 0 between spans
};

// Sizes as the single-span diagrams draw theirs (a fiftieth of the beam), no
// wider than 0.8 of the spans beside them.
std::vector<SimboloDiagramma> SimboliDiagramma(const Grafica& g, const MappaDiagramma& m,
                                               const RisultatiContinua& r,
                                               const std::vector<AppoggioContinuo>& appoggi) {
    std::vector<SimboloDiagramma> s;
    const size_t n = r.Appoggi.size();
    if (appoggi.size() != n) return s;
    double k = g.RapportoScaleXY * g.ScalaCorrente;
    if (!Finita(k) || k <= 0) k = 1;
    const std::vector<bool> cerniera = CernieraContinua(appoggi);
    for (size_t i = 0; i < n; ++i) {
        const double x = r.Appoggi[i].x;
        double a = (m.xFinale - m.xIniziale) / 50;
        if (i > 0) a = std::min(a, 0.8 * (x - r.Appoggi[i - 1].x));
        if (i + 1 < n) a = std::min(a, 0.8 * (r.Appoggi[i + 1].x - x));
        if (!Finita(x) || !Finita(a) || a <= 0 || appoggi[i].Tipo == TipoAppoggio::Libero) continue;
        s.push_back(
            {x, a, a * k, appoggi[i].Tipo, cerniera[i], i == 0 ? -1 : (i + 1 == n ? 1 : 0)});
    }
    return s;
}

constexpr double Radice3Mezzi = 0.8660254037844386;

// The box a symbol takes.
Riquadro Ingombro(const SimboloDiagramma& s) {
    const double x = s.x, a = s.a, ay = s.ay;
    switch (s.Tipo) {
    case TipoAppoggio::Appoggio:
        return {x - 0.6 * a - a / 6, -Radice3Mezzi * ay - 0.4 * ay, x + 0.6 * a, 0};
    case TipoAppoggio::Incastro:
        if (s.Estremo < 0) return {x - a / 4, -2 * ay, x, 2 * ay};
        if (s.Estremo > 0) return {x, -2 * ay, x + a / 4, 2 * ay};
        return {x - a / 8, -2 * ay, x + a / 8, 2 * ay};
    case TipoAppoggio::Molla:
        return {x - a / 3, -1.875 * ay, x + a / 3, 0};
    case TipoAppoggio::Libero:
        break;
    }
    return {x, 0, x, 0};
}

void Disegna(Grafica& g, const SimboloDiagramma& s) {
    const double x = s.x, a = s.a, ay = s.ay;
    switch (s.Tipo) {
    case TipoAppoggio::Appoggio: {
        const double yb = -Radice3Mezzi * ay;
        Vettore1<double> px(3), py(3);
        px(1) = x, py(1) = 0;
        px(2) = x + a / 2, py(2) = yb;
        px(3) = x - a / 2, py(3) = yb;
        g.PoligonaleChiusa(3, px, py, 1);
        if (s.Cerniera) { // the ground hatched under the hinge
            for (int j = 0; j < 4; ++j) {
                const double xt = x - a / 2 + (j + 0.5) * a / 4;
                g.Linea(xt, yb, xt - a / 6, yb - ay / 6, 1);
            }
        } else { // the roller's bar
            g.Linea(x - a * 0.6, yb - ay / 5, x + a * 0.6, yb - ay / 5, 1);
        }
        break;
    }
    case TipoAppoggio::Incastro: {
        const Riquadro b = Ingombro(s);
        g.Rettangolo(b.x1, b.y1, b.x2, b.y2, 1);
        break;
    }
    case TipoAppoggio::Molla: {
        // Straight ends, five zig-zag strokes between them, a ground line.
        Vettore1<double> px(9), py(9);
        px(1) = x, py(1) = 0;
        px(2) = x, py(2) = -0.3 * ay;
        for (int j = 3; j <= 7; ++j)
            px(j) = x + (j % 2 ? a / 4 : -a / 4), py(j) = py(j - 1) - 0.25 * ay;
        px(8) = x, py(8) = py(7) - 0.125 * ay;
        px(9) = x, py(9) = py(8) - 0.2 * ay;
        g.Poligonale(9, px, py, 1);
        g.Linea(x - a / 3, py(9), x + a / 3, py(9), 1);
        break;
    }
    case TipoAppoggio::Libero:
        break;
    }
}

} // namespace

std::vector<Riquadro> AppoggiDiagrammaContinua(Grafica& g, const MappaDiagramma& m,
                                               const RisultatiContinua& r,
                                               const std::vector<AppoggioContinuo>& appoggi) {
    std::vector<Riquadro> ostacoli;
    if (!r.Calcolato()) return ostacoli;
    g.ImpostaColore(Cad::Nero);
    g.SpessoreLinea(3);
    g.Linea(m.xIniziale, 0, m.xFinale, 0, 1);
    g.SpessoreLinea(2);
    for (const auto& s : SimboliDiagramma(g, m, r, appoggi)) {
        Disegna(g, s);
        ostacoli.push_back(Ingombro(s));
    }
    return ostacoli;
}

std::vector<Riquadro> EtichetteDiagrammaContinua(Grafica& g, const MappaDiagramma& m,
                                                 DiagrammaContinua d, const RisultatiContinua& r,
                                                 const TestoValore& testo,
                                                 std::vector<Riquadro> ostacoli) {
    Superficie* sup = g.Dispositivo();
    if (!sup || !r.Calcolato()) return ostacoli;
    // Labels, measured on the device of a raster target (text by its top),
    // estimated elsewhere (text by its baseline, a character 0.8 heights wide).
    Tela* tela = sup->TelaRaster();
    const double h = tela ? std::fabs(tela->AltezzaTesto("0")) : m.AltezzaTesto;
    std::function<double(const std::string&)> larghezza;
    if (tela)
        larghezza = [tela](const std::string& t) { return tela->LarghezzaTesto(t); };
    else
        larghezza = [h](const std::string& t) { return 0.8 * h * double(Caratteri(t)); };
    const auto posate = DisponiEtichetteContinua(EtichetteContinua(r, d), m, testo, larghezza, h,
                                                 CurvaContinua(r, d), ostacoli);
    g.SpessoreLinea(1);
    const bool dallaBase = sup->TestoDallaBase();
    for (const auto& p : posate) {
        g.Testo(p.x1, dallaBase ? p.y1 : p.y2, m.AltezzaTesto, p.Testo, 1);
        ostacoli.push_back({p.x1, p.y1, p.x2, p.y2});
    }
    return ostacoli;
}

std::vector<Riquadro> DecoraDiagrammaContinua(Grafica& g, const MappaDiagramma& m,
                                              DiagrammaContinua d, const RisultatiContinua& r,
                                              const std::vector<AppoggioContinuo>& appoggi,
                                              const TestoValore& testo) {
    Superficie* sup = g.Dispositivo();
    if (!sup || !r.Calcolato()) return {};
    std::vector<Riquadro> ostacoli = AppoggiDiagrammaContinua(g, m, r, appoggi);
    g.SpessoreLinea(1);
    g.ImpostaColore(Cad::Rosso);
    return EtichetteDiagrammaContinua(g, m, d, r, testo, std::move(ostacoli));
}

} // namespace zelvo
