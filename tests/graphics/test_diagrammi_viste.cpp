// The views of the load cases on the diagrams: one case alone and the
// envelope of a kind of combination, drawn from results filled by hand
// (tests/comune/combinazioni.h).
//
// Witness: a simply supported span L = 6 m, a permanent case G1 of
// g = 10 kN/m and a variable case Q of q = 5 kN/m, at the points
// x = 0, 0.5, ..., 6. The largest moment comes from 1.3 g + 1.5 q = 20.5
// kN/m: 20.5 · 36 / 8 = 92.25 kNm at midspan; the smallest from the
// favourable g alone, 45 kNm; the largest shear 20.5 · 3 = 61.5 kN at the
// left support, the smallest −61.5 kN at the right one. The automatic scale
// is 1.5 · 92250 / 6 = 23062 rounded up the 1-2-5 series: 50000.
#include "graphics/dxf.h"
#include "graphics/plotta.h"
#include "graphics/superficie_registro.h"
#include "io/generale.h"
#include "tests/comune/combinazioni.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace zelvo;

namespace {

constexpr double L = 6, g = 10000, q = 5000;
constexpr uint32_t Rosso = 0xFF0000, Blu = 0x0000FF, Grigio = 0x808080;

double Momento(double w, double x) {
    return prova::MomentoUniforme(w, L, x);
}

struct Viste : ::testing::Test {
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    TelaRegistro s{1000, 700};
    SuperficieVideo video{s};
    ScaleUtente scale;
    ContestoDiagrammi c;
    Plotta P;

    void SetUp() override {
        m.Dati = prova::Base(AppoggioAppoggio, "Prova");
        prova::Trapezio(m.Dati, float(g), float(g), 0, float(L));
        u.UnitaDefault();
        c = {&m, &u, &msg, "prova.zlv", &scale};
        ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
        prova::RiempiCombinazioni(m.Combinazioni, L, double(m.Dati.E) * double(m.Dati.J), g, q);
    }
    std::vector<TrattoRegistrato> Tipo(const std::string& t, int64_t colore = -1) const {
        std::vector<TrattoRegistrato> r;
        for (const auto& x : s.tratti)
            if (x.tipo == t && (colore < 0 || x.colore == colore)) r.push_back(x);
        return r;
    }
    std::vector<std::string> Testi(int64_t colore) const {
        std::vector<std::string> t;
        for (const auto& x : Tipo("Testo", colore))
            t.push_back(x.testo);
        return t;
    }
    // One label in the colour: its number (4 significant digits of the
    // calculated value) near `valore`, then `coda`.
    void Etichette(uint32_t colore, double valore, const std::string& coda) const {
        const auto t = Testi(colore);
        ASSERT_EQ(t.size(), 1u) << ::testing::PrintToString(t);
        ASSERT_GT(t[0].size(), coda.size());
        EXPECT_EQ(t[0].substr(t[0].size() - coda.size()), coda) << t[0];
        EXPECT_NEAR(std::stod(t[0]), valore, 0.006) << t[0];
    }
    std::string Etichetta(double v, const char* unita) const {
        return FormatoEtichetta(u.separatori, 4, v) + " " + unita;
    }
};

using V = VistaDiagrammi::Tipo;

} // namespace

TEST_F(Viste, EnvelopeOfMomentsDrawsBothCurvesWithTheirExtremes) {
    scale.Vista = {V::Inviluppo, int(TipoCombinazione::SLU)};
    ASSERT_TRUE(P.PlottaDiagramma(c, TipoDiagramma::Momento, video));
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_DOUBLE_EQ(P.Stato().ScalaMomenti, 50000);
    // The largest curve red, the smallest blue: one segment per pair of points.
    const auto rosse = Tipo("Linea", Rosso), blu = Tipo("Linea", Blu);
    ASSERT_EQ(rosse.size(), 12u);
    ASSERT_EQ(blu.size(), 12u);
    for (size_t k = 0; k < 12; ++k) {
        for (int j : {0, 2}) {
            const double x = rosse[k].v[size_t(j)];
            EXPECT_NEAR(rosse[k].v[size_t(j) + 1], -Momento(20500, x) / 50000, 1e-9) << x;
            EXPECT_NEAR(blu[k].v[size_t(j) + 1], -Momento(g, blu[k].v[size_t(j)]) / 50000, 1e-9);
        }
    }
    // Each curve's extreme labelled once, at midspan, below its curve.
    const auto etichetteMax = Tipo("Testo", Rosso), etichetteMin = Tipo("Testo", Blu);
    ASSERT_EQ(etichetteMax.size(), 1u);
    ASSERT_EQ(etichetteMin.size(), 1u);
    EXPECT_EQ(etichetteMax[0].testo, Etichetta(92.25, "kNm"));
    EXPECT_EQ(etichetteMin[0].testo, Etichetta(45, "kNm"));
    // The label's top lies below the lowest curve.
    EXPECT_LT(etichetteMax[0].v[1], -92250.0 / 50000);
    // Two labels centred near midspan do not overlap.
    EXPECT_GT(std::fabs(etichetteMax[0].v[0] - etichetteMin[0].v[0]) +
                  std::fabs(etichetteMax[0].v[1] - etichetteMin[0].v[1]),
              0.1);
    // The deflections: both curves grey, the larger labelled.
    EXPECT_EQ(Tipo("Linea", Grigio).size(), 24u);
    // The view named in the title block (the screen shows no scale there).
    const auto nere = Testi(0x000000);
    EXPECT_NE(std::find(nere.begin(), nere.end(), "Inviluppo SLU"), nere.end());
}

TEST_F(Viste, EnvelopeOfShearsLabelsEachSupportsSide) {
    scale.Vista = {V::Inviluppo, int(TipoCombinazione::SLU)};
    ASSERT_TRUE(P.PlottaDiagramma(c, TipoDiagramma::Taglio, video));
    // range 2 x 61500 over 6 m: 30750 -> 50000
    EXPECT_DOUBLE_EQ(P.Stato().ScalaTagli, 50000);
    EXPECT_EQ(Testi(Rosso), std::vector<std::string>{Etichetta(61.5, "kN")});
    EXPECT_EQ(Testi(Blu), std::vector<std::string>{Etichetta(-61.5, "kN")});
    // The right support's label lies left of it, the left one's right of it.
    EXPECT_LT(Tipo("Testo", Blu)[0].v[0], L);
    EXPECT_GT(Tipo("Testo", Rosso)[0].v[0], 0);
}

TEST_F(Viste, OneCaseAloneIsOneCurve) {
    scale.Vista = {V::Caso, 1};
    ASSERT_TRUE(P.PlottaDiagramma(c, TipoDiagramma::Momento, video));
    // 1.5 x 22500 / 6 = 5625 -> 10000
    EXPECT_DOUBLE_EQ(P.Stato().ScalaMomenti, 10000);
    const auto rosse = Tipo("Linea", Rosso);
    ASSERT_EQ(rosse.size(), 12u);
    EXPECT_NEAR(rosse[5].v[3], -Momento(q, 3) / 10000, 1e-9);
    EXPECT_TRUE(Tipo("Linea", Blu).empty());
    // Its largest value once (the same value of the smallest curve is not repeated).
    EXPECT_EQ(Testi(Rosso), std::vector<std::string>{Etichetta(22.5, "kNm")});
    const auto nere = Testi(0x000000);
    EXPECT_NE(std::find(nere.begin(), nere.end(), "Caso: Folla"), nere.end());
}

TEST_F(Viste, EveryLoadOrAViewNoLongerThereDrawsAsWithoutCases) {
    // The reference: the same problem without combinations.
    RisultatiCombinazioni salvate = m.Combinazioni;
    m.Combinazioni = {};
    ASSERT_TRUE(P.PlottaDiagramma(c, TipoDiagramma::Momento, video));
    const auto riferimento = s.tratti;
    m.Combinazioni = salvate;
    for (VistaDiagrammi v :
         {VistaDiagrammi{}, VistaDiagrammi{V::Caso, 7}, VistaDiagrammi{V::Inviluppo, 9}}) {
        scale.Vista = v;
        s.tratti.clear();
        Plotta p;
        ASSERT_TRUE(p.PlottaDiagramma(c, TipoDiagramma::Momento, video));
        ASSERT_EQ(s.tratti.size(), riferimento.size());
        for (size_t i = 0; i < s.tratti.size(); ++i) {
            EXPECT_EQ(s.tratti[i].tipo, riferimento[i].tipo);
            EXPECT_EQ(s.tratti[i].v, riferimento[i].v);
            EXPECT_EQ(s.tratti[i].testo, riferimento[i].testo);
        }
        EXPECT_EQ(VistaInVigore(c), VistaDiagrammi{});
    }
    // Results with a non-finite value are never drawn as a view.
    m.Combinazioni.Inviluppi[0].Curve[0].Max[3] = std::nan("");
    scale.Vista = {V::Inviluppo, 0};
    EXPECT_EQ(VistaInVigore(c), VistaDiagrammi{});
}

TEST_F(Viste, FilesDrawTheViewChosen) {
    // The stacked drawing of the files: moments and shears of the envelope.
    scale.Vista = {V::Inviluppo, int(TipoCombinazione::Rara)};
    SuperficieRegistro r;
    ASSERT_TRUE(P.PlottaFile(c, r));
    std::vector<std::string> testi;
    for (const auto& t : r.tratti)
        if (t.tipo == "Testo") testi.push_back(t.testo);
    for (const std::string& atteso : {Etichetta(92.25, "kNm"), Etichetta(45, "kNm"),
                                      Etichetta(61.5, "kN"), Etichetta(-61.5, "kN")})
        EXPECT_NE(std::find(testi.begin(), testi.end(), atteso), testi.end()) << atteso;
    // The view named over the moments and over the shears.
    EXPECT_EQ(std::count(testi.begin(), testi.end(), "Inviluppo Rara"), 2)
        << ::testing::PrintToString(testi);
    // A DXF file shows the scales, after the view's name.
    SuperficieDxf dxf;
    dxf.ApriDxf("non-scritto.dxf", 1);
    Plotta file;
    ASSERT_TRUE(file.PlottaFile(c, dxf));
    const std::string testo = dxf.File().TestoChiuso();
    EXPECT_NE(testo.find("Inviluppo Rara - Scala momenti 1:50,000"), std::string::npos);
    EXPECT_NE(testo.find("Inviluppo Rara - Scala tagli 1:50,000"), std::string::npos);
}

TEST(VisteDiagrammi, NamesOfTheViews) {
    RisultatiCombinazioni r;
    r.Casi = {{"Pesi", TipoCaso::G1, CategoriaQ::A, 0, 0, 0}};
    EXPECT_EQ(NomeVista(r, {}), "Tutti i carichi");
    EXPECT_EQ(NomeVista(r, {V::Caso, 0}), "Caso: Pesi");
    EXPECT_EQ(NomeVista(r, {V::Inviluppo, 3}), "Inviluppo Quasi permanente");
    EXPECT_EQ(NomeVista(r, {V::Caso, 1}), "Tutti i carichi");
}

TEST(VisteDiagrammi, ShortGoverningText) {
    const std::vector<CasoCarico> casi{{"G1", TipoCaso::G1, CategoriaQ::A, 0, 0, 0},
                                       {"G2", TipoCaso::G2, CategoriaQ::A, 0, 0, 0},
                                       {"Q1", TipoCaso::Q, CategoriaQ::B, 0.7, 0.5, 0.3},
                                       {"Q2", TipoCaso::Q, CategoriaQ::H, 0, 0, 0}};
    Governo g;
    g.Tipo = TipoCombinazione::SLU;
    g.Dominante = 2;
    g.G2Sfavorevole = false;
    g.Campate = {{0, 1, 2}, {0, 1, 2}, {0, 2}, {1}};
    EXPECT_EQ(TestoGovernoBreve(g, casi, 3), "Q1 camp. 1 3 dom.; Q2 camp. 2; G2 fav.");
    // Serviceability: the permanent loads are never factored.
    g.Tipo = TipoCombinazione::Rara;
    EXPECT_EQ(TestoGovernoBreve(g, casi, 3), "Q1 camp. 1 3 dom.; Q2 camp. 2");
    // One variable case over every span: its name alone.
    g.Campate = {{0, 1, 2}, {0, 1, 2}, {0, 1, 2}, {}};
    EXPECT_EQ(TestoGovernoBreve(g, casi, 3), "Q1");
    g.Campate = {{0, 1, 2}, {0, 1, 2}, {}, {}};
    g.Dominante = -1;
    EXPECT_EQ(TestoGovernoBreve(g, casi, 3), "solo permanenti");
    g.Tipo = TipoCombinazione::SLU;
    g.G1Sfavorevole = false;
    EXPECT_EQ(TestoGovernoBreve(g, casi, 3), "G1 fav.; G2 fav.");
}

TEST(VisteDiagrammi, PointsLabelledSpanBySpan) {
    // Two spans meeting at x = 2 (the point twice, one per span).
    const std::vector<double> x{0, 1, 2, 2, 3, 4};
    const std::vector<int> campata{0, 0, 0, 1, 1, 1};
    CurvaInviluppo c{{0, 5, -1, -1, 4, 0}, {0, 2, -3, -3, 1, 0}};
    auto punti = PuntiEtichette(x, campata, c, true);
    // Span 1: the largest 5, the smallest -3 over the support; span 2: the
    // largest 4 (its -3 over the same support not repeated).
    ASSERT_EQ(punti.size(), 3u);
    EXPECT_EQ(punti[0].Indice, 1);
    EXPECT_TRUE(punti[0].Massimo);
    EXPECT_EQ(punti[1].Indice, 2);
    EXPECT_FALSE(punti[1].Massimo);
    EXPECT_EQ(punti[2].Indice, 4);
    // A smallest curve above zero over a span: its peak, when asked for.
    c = {{0, 5, 0, 0, 4, 0}, {0, 2, 0, 0, 1, 0}};
    punti = PuntiEtichette(x, campata, c, true);
    ASSERT_EQ(punti.size(), 4u);
    EXPECT_EQ(punti[1].Indice, 1);
    EXPECT_FALSE(punti[1].Massimo);
    EXPECT_EQ(PuntiEtichette(x, campata, c, false).size(), 2u);
    // A largest curve below zero (a cantilever's hogging): its lowest value.
    c = {{-1, -2, -8, -8, -2, 0}, {-2, -4, -9, -9, -3, 0}};
    punti = PuntiEtichette(x, campata, c, true);
    ASSERT_GE(punti.size(), 2u);
    EXPECT_EQ(punti[0].Indice, 2);
    EXPECT_TRUE(punti[0].Massimo);
    // Sizes that do not match: nothing.
    EXPECT_TRUE(PuntiEtichette(x, {0, 0}, c, true).empty());
}

// The calculated envelope of the same span (g a permanent case, q a
// variable one): the labels name the combination of each extreme, the
// largest moment with the variable case on, the smallest with the permanent
// load favourable and the variable case off.
TEST_F(Viste, CalculatedEnvelopeLabelsNameTheirCombination) {
    m.Dati.Casi = {{"Permanenti", TipoCaso::G1, CategoriaQ::A, 0, 0, 0},
                   {"Folla", TipoCaso::Q, CategoriaQ::B, 0.7, 0.5, 0.3}};
    prova::Trapezio(m.Dati, float(q), float(q), 0, float(L));
    m.Dati.CarichiTrapezi(2).Caso = 1;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    ASSERT_TRUE(m.Combinazioni.Calcolato);
    scale.Vista = {V::Inviluppo, int(TipoCombinazione::SLU)};
    ASSERT_TRUE(P.PlottaDiagramma(c, TipoDiagramma::Momento, video));
    EXPECT_TRUE(msg.elenco.empty());
    Etichette(Rosso, 92.25, " kNm (Folla)");
    Etichette(Blu, 45, " kNm (G1 fav.)");
    // The characteristic combination: g + q, 15 · 36 / 8 = 67.5 kNm; g alone 45.
    s.tratti.clear();
    scale.Vista = {V::Inviluppo, int(TipoCombinazione::Rara)};
    ASSERT_TRUE(P.PlottaDiagramma(c, TipoDiagramma::Momento, video));
    Etichette(Rosso, 67.5, " kNm (Folla)");
    Etichette(Blu, 45, " kNm (solo permanenti)");
}

// The load diagram under one case's view draws that case's loads alone (with
// their own scale) and names the case; every other view draws every load.
TEST_F(Viste, LoadDiagramOfOneCaseDrawsItsLoadsAlone) {
    prova::Trapezio(m.Dati, float(q), float(q), 0, float(L));
    prova::Forza(m.Dati, 20000, 2);
    m.Dati.CarichiTrapezi(2).Caso = 1;
    m.Dati.CarichiConcentrati(1).Caso = 1;
    const auto disegna = [&](VistaDiagrammi v) {
        scale.Vista = v;
        s.tratti.clear();
        Plotta p;
        EXPECT_TRUE(p.PlottaDiagramma(c, TipoDiagramma::Carichi, video));
        return std::pair{Tipo("Linea", Blu).size() + Tipo("Poligono", Blu).size(),
                         Testi(Rosso).size()};
    };
    const auto [tutti, forzeTutti] = disegna({});
    const auto [permanenti, forzePermanenti] = disegna({V::Caso, 0});
    const auto nere = Testi(0x000000);
    EXPECT_NE(std::find(nere.begin(), nere.end(), "Caso: Permanenti"), nere.end());
    const auto [folla, forzeFolla] = disegna({V::Caso, 1});
    EXPECT_GT(permanenti, 0u);
    EXPECT_EQ(tutti, permanenti + folla); // one trapezoid each, the same primitives
    EXPECT_EQ(forzeTutti, 1u);            // the force's label
    EXPECT_EQ(forzePermanenti, 0u);
    EXPECT_EQ(forzeFolla, 1u);
    const auto [inviluppo, forzeInviluppo] = disegna({V::Inviluppo, 0});
    EXPECT_EQ(inviluppo, tutti);
    EXPECT_EQ(forzeInviluppo, 1u);
}
