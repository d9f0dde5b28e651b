// The continuous beam's drawings, recorded primitive by primitive.
// Witnesses: support abscissae worked out from the span lengths by hand, the
// two-equal-span beam's closed forms (derived below), and overlap checks that
// measure the recorded texts with the recording device's own metric.
#include "graphics/disegno_continua.h"

#include "core/messaggi.h"
#include "graphics/colori.h"
#include "graphics/plottaggio.h"
#include "graphics/superficie_registro.h"
#include "tests/comune/continua.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>

using namespace zelvo;

namespace {

using T = TipoAppoggio;
using prova::Calcola;
using prova::Casuale;
using prova::Kilo;
using prova::Metri;
using prova::Millimetri;
using prova::QuattroCampate;

struct Finestra {
    double x1, x2, y1, y2; // left, right, bottom, top
};

Finestra FinestraDi(const Tela& t) {
    return {t.ScalaLeft(), t.ScalaLeft() + t.ScalaWidth(), t.ScalaTop() + t.ScalaHeight(),
            t.ScalaTop()};
}

// Every recorded coordinate is finite, and every point (text boxes
// included, measured as the recorder measures them) lies in the window.
void TuttoDentro(TelaRegistro& t, const std::vector<TrattoRegistrato>& tr) {
    const Finestra f = FinestraDi(t);
    const double e = 1e-9 * (f.x2 - f.x1);
    auto dentro = [&](double x, double y) {
        EXPECT_GE(x, f.x1 - e);
        EXPECT_LE(x, f.x2 + e);
        EXPECT_GE(y, f.y1 - e);
        EXPECT_LE(y, f.y2 + e);
    };
    for (const auto& r : tr) {
        for (double v : r.v)
            ASSERT_TRUE(std::isfinite(v)) << r.tipo << " " << r.testo;
        if (r.tipo == "Linea") {
            dentro(r.v[0], r.v[1]);
            dentro(r.v[2], r.v[3]);
        } else if (r.tipo == "Testo") {
            t.DimensioneFont(r.punti);
            dentro(r.v[0], r.v[1]);
            dentro(r.v[0] + t.LarghezzaTesto(r.testo), r.v[1] - t.AltezzaTesto(r.testo));
        }
    }
}

std::vector<TrattoRegistrato> Testi(const std::vector<TrattoRegistrato>& tr) {
    std::vector<TrattoRegistrato> out;
    for (const auto& r : tr)
        if (r.tipo == "Testo") out.push_back(r);
    return out;
}

// No two recorded texts overlap (boxes from the top-left corner, measured
// by the recorder).
void SenzaSovrapposizioni(TelaRegistro& t, const std::vector<TrattoRegistrato>& testi) {
    struct B {
        double x1, y1, x2, y2;
    };
    std::vector<B> b;
    for (const auto& r : testi) {
        t.DimensioneFont(r.punti);
        b.push_back(
            {r.v[0], r.v[1] - t.AltezzaTesto(r.testo), r.v[0] + t.LarghezzaTesto(r.testo), r.v[1]});
    }
    for (size_t i = 0; i < b.size(); ++i)
        for (size_t j = i + 1; j < b.size(); ++j) {
            const bool tocca =
                b[i].x1 < b[j].x2 && b[j].x1 < b[i].x2 && b[i].y1 < b[j].y2 && b[j].y1 < b[i].y2;
            EXPECT_FALSE(tocca) << "'" << testi[i].testo << "' and '" << testi[j].testo << "'";
        }
}

// The lines with these end points (to 1e-9).
size_t ContaLinee(const std::vector<TrattoRegistrato>& tr, double x1, double y1, double x2,
                  double y2, uint32_t colore) {
    size_t n = 0;
    for (const auto& r : tr)
        n += r.tipo == "Linea" && r.colore == colore && std::abs(r.v[0] - x1) < 1e-9 &&
             std::abs(r.v[1] - y1) < 1e-9 && std::abs(r.v[2] - x2) < 1e-9 &&
             std::abs(r.v[3] - y2) < 1e-9;
    return n;
}

// Lines touching abscissa x (either end within 1e-9) in a colour.
size_t LineeA(const std::vector<TrattoRegistrato>& tr, double x, uint32_t colore) {
    size_t n = 0;
    for (const auto& r : tr)
        n += r.tipo == "Linea" && r.colore == colore &&
             (std::abs(r.v[0] - x) < 1e-9 || std::abs(r.v[2] - x) < 1e-9);
    return n;
}

// A diagram window on a recording screen, set up as the diagram windows do.
struct Diagramma {
    TelaRegistro tela;
    SuperficieVideo sup{tela};
    Grafica g;
    Plottaggio f;
    explicit Diagramma(double w = 1000, double h = 500) : tela(w, h) {}
    void Prepara(const MappaDiagramma& m) {
        g.ImpostaSuperficie(&sup);
        f.EstremiFinestra(0.1f, 0.1f, 0.85f, 0.9f);
        f.Inizializza(g, m.xIniziale, m.xFinale, m.yMin, m.yMax, sup, 1, false, 0);
    }
};

} // namespace

// --- the scheme picture -------------------------------------------------------

TEST(SchemaContinua, AscisseInScalaConLarghezzaMinima) {
    // To scale: 4, 6, 5, 1.5 over 100.
    const auto x = AscisseSchemaContinua(QuattroCampate().Campate, 100, 3);
    const double atteso[] = {0, 400 / 16.5, 1000 / 16.5, 1500 / 16.5, 100};
    ASSERT_EQ(x.size(), 5u);
    for (size_t i = 0; i < 5; ++i)
        EXPECT_NEAR(x[i], atteso[i], 1e-9);

    // A 0.01 span among 10 and 20: it gets the minimum 3, the other two
    // share 97 as 1 : 2.
    const auto y = AscisseSchemaContinua({{10, 1}, {0.01, 1}, {20, 1}}, 100, 3);
    EXPECT_NEAR(y[1], 97.0 / 3, 1e-9);
    EXPECT_NEAR(y[2] - y[1], 3, 1e-9);
    EXPECT_NEAR(y[3], 100, 1e-12);
    // A zero and a NaN length count as the smallest valid one (10): 10, 10,
    // 10, 20 over 100.
    const auto z = AscisseSchemaContinua({{10, 1}, {0.0, 1}, {NAN, 1}, {20, 1}}, 100, 3);
    const double zAttese[] = {0, 20, 40, 60, 100};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_NEAR(z[i], zAttese[i], 1e-9);

    // 200 spans cannot all get 3: each of 199 equal spans and one a
    // thousandth of them gets at least 100 / 400.
    std::vector<CampataContinua> molte(200, {5, 1});
    molte[7].L = 0.005;
    const auto m = AscisseSchemaContinua(molte, 100, 3);
    for (size_t i = 0; i < 200; ++i)
        EXPECT_GE(m[i + 1] - m[i], 0.25 - 1e-12);
    EXPECT_NEAR(m[200], 100, 1e-12);
}

TEST(SchemaContinua, CernieraSoloSenzaIncastri) {
    EXPECT_EQ(CernieraContinua({{T::Libero}, {T::Appoggio}, {T::Appoggio}}),
              (std::vector<bool>{false, true, false}));
    EXPECT_EQ(CernieraContinua({{T::Molla}, {T::Appoggio}, {T::Incastro}}),
              (std::vector<bool>{false, false, false}));
}

// Four spans with an overhang: four numbers, each support's symbol at its
// abscissa, the overall length, nothing outside the picture.
TEST(SchemaContinua, QuattroCampateConSbalzo) {
    for (auto [w, h] : {std::pair{440.0, 220.0}, {220.0, 110.0}, {1200.0, 300.0}}) {
        SCOPED_TRACE(w);
        const DatiContinua d = QuattroCampate();
        TelaRegistro t(w, h);
        DisegnaSchemaContinua(t, d.Campate, d.Appoggi, Metri);
        const auto tr = t.tratti;
        TuttoDentro(t, tr);

        std::vector<std::string> testi;
        for (const auto& r : Testi(tr))
            testi.push_back(r.testo);
        EXPECT_EQ(testi, (std::vector<std::string>{"1", "2", "3", "4", "L = 16.50 m"}));

        // Supports at 0, 4, 10, 15 of 16.5, the beam drawn 0..100.
        const double xa[] = {0, 400 / 16.5, 1000 / 16.5, 1500 / 16.5};
        // The hinge at A: a triangle 8 wide, 7 high, on hatched ground.
        EXPECT_EQ(ContaLinee(tr, 0, 0, -4, -7, Rgb::Nero), 1u);
        EXPECT_EQ(ContaLinee(tr, -4, -7, 4, -7, Rgb::Nero), 1u);
        EXPECT_EQ(ContaLinee(tr, -6, -8, 6, -8, Rgb::Grigio), 1u);
        // Rollers at B and D: the triangle and the bar under it. A symbol is
        // at most 12 k wide (k ≤ 1) within the narrower span beside it: D,
        // next to the overhang (100 × 1.5 / 16.5 wide), is drawn smaller.
        const double kD = 100 * 1.5 / 16.5 / 12;
        for (auto [x, k] : {std::pair{xa[1], 1.0}, {xa[3], kD}}) {
            EXPECT_EQ(ContaLinee(tr, x, 0, x - 4 * k, -7 * k, Rgb::Nero), 1u) << x;
            EXPECT_EQ(ContaLinee(tr, x - 5 * k, -9 * k, x + 5 * k, -9 * k, Rgb::Nero), 1u) << x;
        }
        // The spring at C, rust: its straight ends on the support line.
        EXPECT_EQ(ContaLinee(tr, xa[2], -12, xa[2], -10, Rgb::Ruggine), 1u);
        EXPECT_EQ(LineeA(tr, xa[2], Rgb::Nero), 1u); // only the dimension tick
        // The free end: the beam's end and the dimension line's, nothing else.
        EXPECT_EQ(ContaLinee(tr, 0, 0, 100, 0, Rgb::Nero), 1u);
        size_t a100 = 0;
        for (const auto& r : tr)
            if (r.tipo == "Linea" && r.v[1] > -12 &&
                (std::abs(r.v[0] - 100) < 1e-9 || std::abs(r.v[2] - 100) < 1e-9))
                ++a100;
        EXPECT_EQ(a100, 1u); // the beam

        // The numbers centred over their spans.
        const auto n = Testi(tr);
        const double xs[] = {0, xa[1], xa[2], xa[3], 100};
        for (size_t i = 0; i < 4; ++i)
            EXPECT_NEAR(n[i].v[0] + t.LarghezzaTesto(n[i].testo) / 2, (xs[i] + xs[i + 1]) / 2,
                        1e-9);
        SenzaSovrapposizioni(t, n);
    }
}

TEST(SchemaContinua, IncastriAgliEstremiEInMezzo) {
    const std::vector<CampataContinua> c{{5, 1}, {5, 1}};
    TelaRegistro t;
    DisegnaSchemaContinua(t, c, {{T::Incastro}, {T::Incastro}, {T::Incastro}}, Metri);
    // End walls: a thick line 20 high at 0 and at 100; the block at 50.
    EXPECT_EQ(ContaLinee(t.tratti, 0, -10, 0, 10, Rgb::Nero), 1u);
    EXPECT_EQ(ContaLinee(t.tratti, 100, -10, 100, 10, Rgb::Nero), 1u);
    EXPECT_EQ(ContaLinee(t.tratti, 47, -8, 53, -8, Rgb::Nero), 1u);
    TuttoDentro(t, t.tratti);
}

// 1 to 150 spans of random lengths: the numbers never touch, the first and
// the last always shown, nothing outside the picture, no non-finite value.
TEST(SchemaContinua, MolteCampateNumeriDiradati) {
    for (int n : {1, 2, 9, 30, 100, 150}) {
        SCOPED_TRACE(n);
        const DatiContinua d = Casuale(n, unsigned(n));
        TelaRegistro t(500, 200);
        DisegnaSchemaContinua(t, d.Campate, d.Appoggi, Metri);
        auto testi = Testi(t.tratti);
        TuttoDentro(t, t.tratti);
        SenzaSovrapposizioni(t, testi);
        ASSERT_GE(testi.size(), 2u);
        EXPECT_EQ(testi[0].testo, "1");
        EXPECT_EQ(testi[testi.size() - 2].testo, std::to_string(n));
        if (n >= 100) {
            EXPECT_LT(testi.size(), size_t(n)); // thinned
        }
    }
}

TEST(SchemaContinua, DatiIncoerentiNienteDiNonFinito) {
    TelaRegistro t;
    DisegnaSchemaContinua(t, {}, {}, Metri);
    EXPECT_TRUE(t.tratti.empty());
    DisegnaSchemaContinua(t, {{5, 1}}, {{T::Appoggio}}, Metri); // one support short
    EXPECT_TRUE(t.tratti.empty());
    DisegnaSchemaContinua(t, {{NAN, 1}, {INFINITY, 1}, {-3, 1}},
                          {{T::Appoggio}, {T::Molla}, {T::Appoggio}, {T::Libero}}, Metri);
    EXPECT_FALSE(t.tratti.empty());
    TuttoDentro(t, t.tratti);
    // A device too small for the text: still nothing non-finite.
    for (auto [w, h] : {std::pair{30.0, 12.0}, {4.0, 400.0}, {1e-3, 1e-3}}) {
        TelaRegistro piccola(w, h);
        DisegnaSchemaContinua(piccola, {{5, 1}, {1e-9, 1}},
                              {{T::Incastro}, {T::Molla, 1}, {T::Libero}}, Metri);
        for (const auto& r : piccola.tratti)
            for (double v : r.v)
                EXPECT_TRUE(std::isfinite(v));
    }
    TelaRegistro vuota(0, 0);
    DisegnaSchemaContinua(vuota, {{5, 1}}, {{T::Appoggio}, {T::Appoggio}}, Metri);
    EXPECT_TRUE(vuota.tratti.empty());
}

// --- the diagrams ------------------------------------------------------------

// Two equal spans L under a uniform load w on hinges A, B, C. By symmetry B
// does not rotate, so each span is a propped cantilever: M_B = −wL²/8.
// Span AB: R_A = wL/2 − wL/8 = 3wL/8, V(x) = 3wL/8 − wx vanishes at x = 3L/8
// where M = (3wL/8)(3L/8) − w(3L/8)²/2 = 9wL²/128 (at 2L − 3L/8 in BC).
// Shears: 3wL/8 right of A, 3wL/8 − wL = −5wL/8 left of B, +5wL/8 right of
// B, −3wL/8 left of C. Deflection: EJ f = w/48 (L³x − 3Lx³ + 2x⁴), whose
// slope vanishes where 8ξ² − ξ − 1 = 0, ξ = x/L = (1 + √33)/16.
TEST(DiagrammiContinua, DueCampateUgualiCaricoUniforme) {
    const double L = 6, w = 12e3, EJ = 2.1e11 * 1e-4;
    DatiContinua d;
    d.E = 2.1e11;
    d.Campate = {{L, 1e-4}, {L, 1e-4}};
    d.Appoggi = {{T::Appoggio}, {T::Appoggio}, {T::Appoggio}};
    d.Trapezi.push_back({float(w), float(w), 0, float(2 * L)});
    const RisultatiContinua r = Calcola(d);
    using K = TipoEtichettaContinua;

    const auto m = EtichetteContinua(r, DiagrammaContinua::Momenti);
    ASSERT_EQ(m.size(), 3u); // zero moments over the end hinges get no label
    EXPECT_EQ(m[0].Tipo, K::MomentoCampata);
    EXPECT_NEAR(m[0].x, 3 * L / 8, 1e-9);
    EXPECT_NEAR(m[0].Valore, 9 * w * L * L / 128, 1e-6);
    EXPECT_EQ(m[1].Tipo, K::MomentoAppoggio);
    EXPECT_EQ(m[1].Indice, 1);
    EXPECT_NEAR(m[1].x, L, 1e-12);
    EXPECT_NEAR(m[1].Valore, -w * L * L / 8, 1e-6);
    EXPECT_EQ(m[2].Tipo, K::MomentoCampata);
    EXPECT_EQ(m[2].Indice, 1);
    EXPECT_NEAR(m[2].x, 2 * L - 3 * L / 8, 1e-9);
    EXPECT_NEAR(m[2].Valore, 9 * w * L * L / 128, 1e-6);

    const auto v = EtichetteContinua(r, DiagrammaContinua::Tagli);
    ASSERT_EQ(v.size(), 4u);
    const double vAttesi[] = {3 * w * L / 8, -5 * w * L / 8, 5 * w * L / 8, -3 * w * L / 8};
    const K tipi[] = {K::TaglioDestra, K::TaglioSinistra, K::TaglioDestra, K::TaglioSinistra};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(v[i].Valore, vAttesi[i], 1e-6) << i;
        EXPECT_EQ(v[i].Tipo, tipi[i]) << i;
    }

    const auto f = EtichetteContinua(r, DiagrammaContinua::Frecce);
    ASSERT_EQ(f.size(), 2u);
    const double xi = (1 + std::sqrt(33.0)) / 16;
    const double fAttesa =
        w * std::pow(L, 4) / (48 * EJ) * (xi - 3 * std::pow(xi, 3) + 2 * std::pow(xi, 4));
    EXPECT_NEAR(f[0].x, xi * L, 1e-6);
    EXPECT_NEAR(f[0].Valore, fAttesa, 1e-12);
    EXPECT_NEAR(f[1].x, 2 * L - xi * L, 1e-6);

    // Drawn: all three moment labels, at their places, inside the window.
    Diagramma dg;
    const MappaDiagramma mp = MappaDiagrammaContinua(r, DiagrammaContinua::Momenti);
    dg.Prepara(mp);
    DecoraDiagrammaContinua(dg.g, mp, DiagrammaContinua::Momenti, r, d.Appoggi, Kilo);
    const auto testi = Testi(dg.tela.tratti);
    ASSERT_EQ(testi.size(), 3u);
    EXPECT_EQ(testi[1].testo, Kilo(-w * L * L / 8));
    // The hogging label above the axis, the sagging ones below.
    EXPECT_GT(testi[1].v[1] - dg.tela.AltezzaTesto("0"), -m[1].Valore / mp.Scala);
    EXPECT_LT(testi[0].v[1], -m[0].Valore / mp.Scala);
    // The support symbols: a hinge apex at A, roller apexes at B and C.
    for (double x : {0.0, L, 2 * L}) {
        bool apice = false;
        for (const auto& t : dg.tela.tratti)
            apice = apice || (t.tipo == "Linea" && std::abs(t.v[0] - x) < 1e-9 &&
                              std::abs(t.v[1]) < 1e-9 && t.v[3] < 0);
        EXPECT_TRUE(apice) << x;
    }
    SenzaSovrapposizioni(dg.tela, testi);
}

// Three equal hinged spans L, w on the first only. Three-moment equation
// with M_A = M_D = 0: at B 4 M_B + M_C = −wL²/4, at C M_B + 4 M_C = 0, so
// M_C = wL²/60 and M_B = −wL²/15. Shears: right of A wL/2 + M_B/L = 13wL/30,
// left of B 13wL/30 − wL = −17wL/30; the unloaded spans carry constant
// shears (M_C − M_B)/L = wL/12 and −M_C/L = −wL/60, each labelled once.
TEST(DiagrammiContinua, TaglioCostanteUnaVolta) {
    const double L = 4, w = 6e3;
    DatiContinua d;
    d.E = 2.1e11;
    d.Campate = {{L, 1e-4}, {L, 1e-4}, {L, 1e-4}};
    d.Appoggi = {{T::Appoggio}, {T::Appoggio}, {T::Appoggio}, {T::Appoggio}};
    d.Trapezi.push_back({float(w), float(w), 0, float(L)});
    const RisultatiContinua r = Calcola(d);
    using K = TipoEtichettaContinua;
    const auto v = EtichetteContinua(r, DiagrammaContinua::Tagli);
    ASSERT_EQ(v.size(), 4u);
    const double attesi[] = {13 * w * L / 30, -17 * w * L / 30, w * L / 12, -w * L / 60};
    const K tipi[] = {K::TaglioDestra, K::TaglioSinistra, K::TaglioDestra, K::TaglioDestra};
    const int indici[] = {0, 1, 1, 2};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(v[i].Valore, attesi[i], 1e-6) << i;
        EXPECT_EQ(v[i].Tipo, tipi[i]) << i;
        EXPECT_EQ(v[i].Indice, indici[i]) << i;
    }
    const auto m = EtichetteContinua(r, DiagrammaContinua::Momenti);
    ASSERT_EQ(m.size(), 3u); // the first span's maximum, M_B, M_C
    EXPECT_NEAR(m[1].Valore, -w * L * L / 15, 1e-6);
    EXPECT_NEAR(m[2].Valore, w * L * L / 60, 1e-6);
    EXPECT_EQ(m[2].Tipo, K::MomentoAppoggio);
}

// The sign of every label's place: sagging below, hogging above; a shear
// label on its own side of the support.
TEST(DiagrammiContinua, EtichetteTaglioDalLatoGiusto) {
    DatiContinua d;
    d.E = 2.1e11;
    d.Campate = {{5, 1e-4}, {5, 1e-4}};
    d.Appoggi = {{T::Appoggio}, {T::Appoggio}, {T::Appoggio}};
    d.Trapezi.push_back({10e3f, 10e3f, 0, 10});
    const RisultatiContinua r = Calcola(d);
    const MappaDiagramma m = MappaDiagrammaContinua(r, DiagrammaContinua::Tagli);
    const auto p = DisponiEtichetteContinua(
        EtichetteContinua(r, DiagrammaContinua::Tagli), m, Kilo,
        [](const std::string& t) { return 0.1 * double(t.size()); }, 0.2);
    ASSERT_EQ(p.size(), 4u);
    for (const auto& e : p) {
        if (e.Etichetta.Tipo == TipoEtichettaContinua::TaglioSinistra)
            EXPECT_LE(e.x2, e.Etichetta.x);
        else
            EXPECT_GE(e.x1, e.Etichetta.x);
        const double y = -e.Etichetta.Valore / m.Scala;
        if (y < 0)
            EXPECT_LE(e.y2, y);
        else
            EXPECT_GE(e.y1, y);
    }
}

// Crowded labels: all of them where a wide window has room, the smaller
// ones dropped where a narrow one has not, never two touching.
TEST(DiagrammiContinua, EtichetteAffollateScartateMaiSovrapposte) {
    std::vector<EtichettaContinua> e;
    for (int i = 0; i < 30; ++i)
        e.push_back({1.0 + 0.01 * i, 100.0 + 0.001 * i, TipoEtichettaContinua::MomentoCampata, i});
    MappaDiagramma m{0, 2, 1, -1000, 1000, 0.05};
    auto larga = [](const std::string&) { return 0.3; };
    const auto p = DisponiEtichetteContinua(e, m, Kilo, larga, 0.05);
    EXPECT_LT(p.size(), e.size());
    EXPECT_GE(p.size(), 6u); // 2 / 0.3 across, four rows
    // The largest kept.
    EXPECT_TRUE(
        std::any_of(p.begin(), p.end(), [](const auto& q) { return q.Etichetta.Indice == 29; }));
    for (size_t i = 0; i < p.size(); ++i) {
        EXPECT_GE(p[i].x1, m.xIniziale);
        EXPECT_LE(p[i].x2, m.xFinale);
        EXPECT_GE(p[i].y1, m.yMin);
        EXPECT_LE(p[i].y2, m.yMax);
        for (size_t j = i + 1; j < p.size(); ++j)
            EXPECT_FALSE(p[i].x1 < p[j].x2 && p[j].x1 < p[i].x2 && p[i].y1 < p[j].y2 &&
                         p[j].y1 < p[i].y2);
    }
    // Non-finite values and a bad scale: nothing.
    EXPECT_TRUE(
        DisponiEtichetteContinua({{NAN, 1, {}, 0}, {1, INFINITY, {}, 0}}, m, Kilo, larga, 0.05)
            .empty());
    m.Scala = 0;
    EXPECT_TRUE(DisponiEtichetteContinua(e, m, Kilo, larga, 0.05).empty());
}

// Twenty random spans, each diagram on the screen and on a file target: no
// two labels touching, all inside the window, no non-finite coordinate.
TEST(DiagrammiContinua, VentiCampateCasualiSenzaSovrapposizioni) {
    for (unsigned seme : {1u, 2u, 3u, 4u, 5u}) {
        const DatiContinua d = Casuale(20, seme);
        const RisultatiContinua r = Calcola(d);
        ASSERT_TRUE(r.Calcolato());
        for (auto dia :
             {DiagrammaContinua::Momenti, DiagrammaContinua::Tagli, DiagrammaContinua::Frecce}) {
            SCOPED_TRACE(::testing::Message() << seme << " " << int(dia));
            // One label for one value at one point.
            const auto et = EtichetteContinua(r, dia);
            for (size_t i = 1; i < et.size(); ++i)
                EXPECT_FALSE(std::abs(et[i].x - et[i - 1].x) < 1e-9 &&
                             std::abs(et[i].Valore - et[i - 1].Valore) <
                                 1e-9 * std::abs(et[i].Valore))
                    << et[i].x;
            const MappaDiagramma m = MappaDiagrammaContinua(r, dia);
            Diagramma dg(900, 400);
            dg.Prepara(m);
            DecoraDiagrammaContinua(dg.g, m, dia, r, d.Appoggi, Kilo);
            const auto testi = Testi(dg.tela.tratti);
            EXPECT_FALSE(testi.empty());
            SenzaSovrapposizioni(dg.tela, testi);
            for (const auto& t : dg.tela.tratti)
                for (double v : t.v)
                    ASSERT_TRUE(std::isfinite(v));
            for (const auto& t : testi) {
                EXPECT_GE(t.v[0], m.xIniziale - 1e-9);
                EXPECT_LE(t.v[0] + dg.tela.LarghezzaTesto(t.testo), m.xFinale + 1e-9);
                EXPECT_LE(t.v[1], m.yMax + 1e-9);
                EXPECT_GE(t.v[1] - dg.tela.AltezzaTesto(t.testo), m.yMin - 1e-9);
            }

            // A file target: text by its baseline, 0.8 heights a character,
            // below a vertical offset.
            SuperficieRegistro file;
            Grafica g;
            g.ImpostaSuperficie(&file);
            g.OrigineY = -50;
            DecoraDiagrammaContinua(g, m, dia, r, d.Appoggi, Kilo);
            std::vector<std::array<double, 4>> b;
            for (const auto& t : file.tratti) {
                for (double v : t.v)
                    ASSERT_TRUE(std::isfinite(v));
                if (t.tipo != "Testo") continue;
                const double y = t.v[1] + 50, h = t.v[2];
                EXPECT_DOUBLE_EQ(h, m.AltezzaTesto);
                const double wt = 0.8 * h * double(t.testo.size());
                b.push_back({t.v[0], y, t.v[0] + wt, y + h});
                EXPECT_GE(y, m.yMin - 1e-9);
                EXPECT_LE(y + h, m.yMax + 1e-9);
            }
            for (size_t i = 0; i < b.size(); ++i)
                for (size_t j = i + 1; j < b.size(); ++j)
                    EXPECT_FALSE(b[i][0] < b[j][2] && b[j][0] < b[i][2] && b[i][1] < b[j][3] &&
                                 b[j][1] < b[i][3]);
        }
    }
}

// Labels keep clear of the curve (no calculation point inside a label's
// box) and of the obstacles they are given.
TEST(DiagrammiContinua, EtichetteFuoriDallaCurvaEDagliOstacoli) {
    for (unsigned seme : {6u, 7u, 8u}) {
        const DatiContinua d = Casuale(12, seme);
        const RisultatiContinua r = Calcola(d);
        for (auto dia :
             {DiagrammaContinua::Momenti, DiagrammaContinua::Tagli, DiagrammaContinua::Frecce}) {
            const MappaDiagramma m = MappaDiagrammaContinua(r, dia);
            const auto curva = CurvaContinua(r, dia);
            ASSERT_EQ(curva.size(), r.Punti.size());
            // An obstacle over the first support, where labels would go.
            const Riquadro ostacolo{-1, m.yMin, m.xFinale / 20, m.yMax};
            const auto p = DisponiEtichetteContinua(
                EtichetteContinua(r, dia), m, Kilo,
                [&](const std::string& t) { return m.AltezzaTesto * 0.8 * double(t.size()); },
                m.AltezzaTesto, curva, {ostacolo});
            EXPECT_FALSE(p.empty());
            for (const auto& e : p) {
                EXPECT_GE(e.x1, ostacolo.x2);
                for (const auto& [x, v] : curva) {
                    const double y = -v / m.Scala;
                    EXPECT_FALSE(x > e.x1 && x < e.x2 && y > e.y1 && y < e.y2)
                        << seme << " " << int(dia) << " '" << e.Testo << "' over the point at "
                        << x;
                }
            }
        }
    }
}

TEST(DiagrammiContinua, SenzaRisultatiNiente) {
    RisultatiContinua r;
    EXPECT_TRUE(EtichetteContinua(r, DiagrammaContinua::Momenti).empty());
    SuperficieRegistro file;
    Grafica g;
    g.ImpostaSuperficie(&file);
    DecoraDiagrammaContinua(g, MappaDiagramma{}, DiagrammaContinua::Momenti, r, {}, Kilo);
    EXPECT_TRUE(file.tratti.empty());
}
