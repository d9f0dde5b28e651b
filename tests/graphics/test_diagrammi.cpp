// The beam diagrams on the recording surface. Witness problem: a simply
// supported beam, L = 6 m, uniform q = 10 kN/m, whose closed-form results are
// Mmax = qL^2/8 = 45 kNm, RA = RB = qL/2 = 30 kN, M(x) = q x (L - x) / 2,
// f max = 5 q L^4 / (384 E J). Scales, windows and label positions follow by
// hand from the automatic scale rule (1.5 x range / span, rounded to 1-2-5).
#include "core/matematica.h"
#include "graphics/dxf.h"
#include "graphics/grafica.h"
#include "graphics/plotta.h"
#include "graphics/superficie_registro.h"
#include "graphics/uscita_diagrammi.h"
#include "io/generale.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace zelvo;

namespace {

constexpr double L = 6, q = 10000, Ev = 2.1e11, Jv = 8.356e-5, h = L / 50;

struct Diagrammi : ::testing::Test {
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    TelaRegistro s{1000, 700};
    SuperficieVideo video{s};
    ScaleUtente scale;
    ContestoDiagrammi c;
    Plotta P;

    void SetUp() override {
        m.Dati = prova::Base(AppoggioAppoggio, "Prova"); // L = 6 m, E = Ev, J = Jv
        prova::Trapezio(m.Dati, float(q), float(q), 0, float(L));
        u.UnitaDefault();
        c = {&m, &u, &msg, "prova.zlv", &scale};
    }
    void Calcola() { ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato); }
    // What was drawn of one kind (in one colour, when given).
    std::vector<TrattoRegistrato> Tipo(const std::string& t, int64_t colore = -1) const {
        std::vector<TrattoRegistrato> r;
        for (const auto& x : s.tratti)
            if (x.tipo == t && (colore < 0 || x.colore == colore)) r.push_back(x);
        return r;
    }
};

constexpr int64_t Nero = 0x000000, Rosso = 0xFF0000, Verde = 0x00FF00, Grigio = 0x808080;

} // namespace

namespace zelvo {
bool operator==(const TrattoRegistrato& a, const TrattoRegistrato& b) {
    return a.tipo == b.tipo && a.v == b.v && a.testo == b.testo && a.colore == b.colore &&
           a.spessore == b.spessore;
}
} // namespace zelvo

TEST(ScalaTonda, UpToTheSeriesExceptWithinATenth) {
    EXPECT_DOUBLE_EQ(ScalaTonda(2.05), 2);
    EXPECT_DOUBLE_EQ(ScalaTonda(2.2), 5);
    EXPECT_DOUBLE_EQ(ScalaTonda(0), 1e-20); // log10 of tiny values taken as -20
}

TEST_F(Diagrammi, MomentDiagramOnScreen) {
    Calcola();
    ASSERT_TRUE(P.PlottaDiagramma(c, TipoDiagramma::Momento, video));
    EXPECT_TRUE(msg.elenco.empty());
    // raw = 1.5 x 45000 / 6 = 11250 -> 20000
    EXPECT_DOUBLE_EQ(P.Stato().ScalaMomenti, 20000);
    EXPECT_NEAR(P.Stato().yMaxDiagramma, 8 * h, 1e-6);
    EXPECT_NEAR(P.Stato().yMinDiagramma, -45000.0 / 20000 - 12 * h, 1e-6);
    // Stretched window, horizontally centred: x = 0 at column 125, x = L at 875.
    EXPECT_NEAR(s.Colonna(0), 125, 1e-3);
    EXPECT_NEAR(s.Colonna(L), 875, 1e-3);

    // 1. The axis, black; 2. two supports (triangles of side L/50).
    ASSERT_GE(s.tratti.size(), 7u);
    EXPECT_EQ(s.tratti[0].v, (std::vector<double>{0, 0, L, 0}));
    EXPECT_EQ(s.tratti[0].colore, Nero);
    EXPECT_EQ(s.tratti[1].v, (std::vector<double>{0, 0, h / 2, -h * std::sqrt(3.0) / 2}));

    // 3. The curve: one red line per pair of calculation points, below the axis.
    const auto curva = Tipo("Linea", Rosso);
    ASSERT_EQ(int(curva.size()), m.Risultati.NPunti - 1);
    for (const auto& t : curva) {
        for (int k : {0, 2}) {
            const double x = t.v[size_t(k)];
            const double atteso = -(q * x * (L - x) / 2) / 20000;
            EXPECT_NEAR(t.v[size_t(k) + 1], atteso, 2e-6 * 45000 / 20000) << x;
        }
    }
    // 4. The probe at x = 2 in green: M(2) = 40000 -> -2 (and the deflection probe).
    const auto sonda = Tipo("Linea", Verde);
    ASSERT_EQ(sonda.size(), 2u);
    EXPECT_NEAR(sonda[0].v[0], 2, 1e-6);
    EXPECT_NEAR(sonda[0].v[3], -2, 1e-5);
    // 5. The deflected shape, grey: the largest deflection takes a fifth of the window.
    const auto deformata = Tipo("Linea", Grigio);
    ASSERT_EQ(int(deformata.size()), m.Risultati.NPunti - 1);
    const double altezza = 8 * h + 45000.0 / 20000 + 12 * h;
    double minimo = 0;
    for (const auto& t : deformata)
        minimo = std::min({minimo, t.v[1], t.v[3]});
    EXPECT_NEAR(minimo, -altezza / 5, 1e-4);

    // 6. Texts: title lines, then the labels.
    const auto testi = Tipo("Testo");
    ASSERT_EQ(testi.size(), 5u);
    EXPECT_EQ(testi[0].testo, "File : prova.zlv - Prova");
    // Mmax below the axis: text top h/2 below the curve's lowest point;
    // Mmin = 0 on the axis: text 1.5 h above it.
    EXPECT_EQ(testi[2].testo, " 45 kNm");
    EXPECT_NEAR(testi[2].v[0], 3, 1e-4);
    EXPECT_NEAR(testi[2].v[1], -45000.0 / 20000 - h / 2, 1e-5);
    EXPECT_EQ(testi[3].testo, " 0 kNm");
    EXPECT_NEAR(testi[3].v[1], 1.5 * h, 1e-9);
    // f max = 5 q L^4 / (384 E J) in the length unit; the label is the
    // module's value (integrated on the grid: within 0.1 % of the closed form).
    const double fmax = 5 * q * std::pow(L, 4) / (384 * double(float(Ev)) * double(float(Jv)));
    EXPECT_NEAR(m.Risultati.fmax, fmax, 1e-3 * fmax);
    EXPECT_EQ(testi[4].testo,
              "f=" + FormatoEtichetta(u.separatori, 4, m.Risultati.fmax).substr(1) + " m");
    EXPECT_NEAR(testi[4].v[1], -altezza / 5 - h / 2, 1e-4);
}

TEST_F(Diagrammi, ShearDiagramOnScreen) {
    Calcola();
    ASSERT_TRUE(P.PlottaDiagramma(c, TipoDiagramma::Taglio, video));
    // range 60000 over 6 m: raw 15000 -> 20000
    EXPECT_DOUBLE_EQ(P.Stato().ScalaTagli, 20000);
    const auto curva = Tipo("Linea", Rosso);
    ASSERT_EQ(int(curva.size()), m.Risultati.NPunti - 1);
    for (const auto& t : curva) {
        for (int k : {0, 2}) {
            const double x = t.v[size_t(k)];
            // V = q (L/2 - x), drawn reversed; the end points close on the axis.
            if (x <= 0 || x >= L) continue;
            EXPECT_NEAR(t.v[size_t(k) + 1], -q * (L / 2 - x) / 20000, 1e-5) << x;
        }
    }
    EXPECT_EQ(curva.front().v[1], 0); // first point on the axis
    EXPECT_NEAR(curva.back().v[3], 0, 1e-12);
    const auto testi = Tipo("Testo"); // no title block, no scale on screen
    ASSERT_EQ(testi.size(), 2u);
    EXPECT_EQ(testi[1].testo, "-30 kN");
}

TEST_F(Diagrammi, UnloadedFoundationAndZeroRowsDrawNoNaN) {
    // Zero force, zero couple, zero trapezoid on a rigid foundation: every
    // reference value is 0; nothing may divide by it.
    DatiTrave& d = m.Dati;
    d.Vincoli = Fondazione;
    d.Winkler = false;
    d.K = 3e7;
    d.b = 1;
    d.NDivisioni = 10;
    d.CarichiTrapezi(1) = {0, 0, 0, float(L)};
    prova::Forza(d, 0, 2);
    prova::Coppia(d, 0, 3);
    Calcola();
    for (TipoDiagramma l : TuttiIDiagrammi)
        EXPECT_TRUE(P.PlottaDiagramma(c, l, video)) << Lettera(l);
    for (const auto& t : s.tratti)
        for (double v : t.v)
            EXPECT_TRUE(std::isfinite(v)) << t.tipo;
    SuperficieDxf dxf;
    dxf.ApriDxf("/nonexistent/x.dxf", 1);
    EXPECT_TRUE(P.PlottaFile(c, dxf));
    EXPECT_TRUE(msg.elenco.empty()) << msg.elenco.front().testo;
}

TEST_F(Diagrammi, FaultInsideADiagramShowsItsMessage) {
    Calcola();
    scale.ScalaUtente = true;
    scale.ScalaMomentiUtente = 0; // a typed scale of 0
    EXPECT_FALSE(P.PlottaDiagramma(c, TipoDiagramma::Momento, video));
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo,
              "Errore 11 \"Divisione per zero\"\nin PlottaDiagramma. Controllare i dati");
    EXPECT_EQ(msg.elenco[0].icona, Icona::Domanda);
}

TEST_F(Diagrammi, DispatchOfTargets) {
    EXPECT_FALSE(
        P.PlottaDiagramma(c, TipoDiagramma::Momento, video)); // not calculated: nothing drawn
    EXPECT_TRUE(s.tratti.empty());
    Calcola();
    EXPECT_FALSE(PlottaInOggettoDiagrammi(c, video));
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Sub PlottaInOggetto - Uscita = VIDEO"});
    msg.Svuota();
    SuperficieStampante pagina(s);
    EXPECT_TRUE(PlottaInOggettoDiagrammi(c, pagina));
    // the printed page: the three diagrams, each in its band (three axes)
    EXPECT_EQ(std::count_if(s.tratti.begin(), s.tratti.end(),
                            [](const auto& t) {
                                return t.v == std::vector<double>{0, 0, L, 0};
                            }),
              3);
    SuperficieRegistro r; // a target like a file: the stacked drawing
    EXPECT_TRUE(PlottaInOggettoDiagrammi(c, r));
    EXPECT_TRUE(msg.elenco.empty());
    ContestoDiagrammi vuoto{nullptr, &u, &msg, "", nullptr};
    EXPECT_FALSE(DiagrammiInOggetto(vuoto)(r));
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{TestoSenzaCalcolo});
}

// Three diagram windows, each with its own drawer and plot window, painting in
// turn (typed scales for two of them, a DXF export in between) draw exactly
// what each draws alone: no drawing state is shared. A resized window
// repaints to its new size.
TEST_F(Diagrammi, ThreeWindowsPaintSideBySide) {
    Calcola();
    ScaleUtente altre{true, 50000, 10000};
    ContestoDiagrammi cUtente = c;
    cUtente.Scale = &altre;
    auto Solo = [](const ContestoDiagrammi& k, TipoDiagramma l, double w, double h) {
        TelaRegistro t(w, h);
        SuperficieVideo v(t);
        EXPECT_TRUE(Plotta().PlottaDiagramma(k, l, v));
        return t.tratti;
    };
    TelaRegistro tm(1000, 700), tt(500, 300), tc(800, 800);
    SuperficieVideo vm(tm), vt(tt), vc(tc);
    Plotta pm, pt, pc, file;
    ASSERT_TRUE(pm.PlottaDiagramma(c, TipoDiagramma::Momento, vm));
    ASSERT_TRUE(pt.PlottaDiagramma(cUtente, TipoDiagramma::Taglio, vt));
    SuperficieDxf dxf;
    dxf.ApriDxf("non-scritto.dxf", 1);
    ASSERT_TRUE(file.PlottaFile(c, dxf));
    ASSERT_TRUE(pc.PlottaDiagramma(cUtente, TipoDiagramma::Carichi, vc));
    EXPECT_EQ(tm.tratti, Solo(c, TipoDiagramma::Momento, 1000, 700));
    EXPECT_EQ(tt.tratti, Solo(cUtente, TipoDiagramma::Taglio, 500, 300));
    EXPECT_EQ(tc.tratti,
              Solo(c, TipoDiagramma::Carichi, 800, 800)); // loads ignore the typed scales
    EXPECT_DOUBLE_EQ(pt.Stato().ScalaTagli, 10000);
    EXPECT_DOUBLE_EQ(file.Stato().ScalaTagli, 20000);
    tm.tratti.clear();
    tm.Ridimensiona(600, 900);
    ASSERT_TRUE(pm.PlottaDiagramma(c, TipoDiagramma::Momento, vm));
    EXPECT_EQ(tm.tratti, Solo(c, TipoDiagramma::Momento, 600, 900));
    EXPECT_NEAR(tm.Colonna(L) - tm.Colonna(0), 0.75 * 600, 1e-3); // the band of the new width
}
