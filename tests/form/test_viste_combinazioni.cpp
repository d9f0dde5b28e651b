// What the diagram windows and the report show of the load cases, from
// results filled by hand (tests/comune/combinazioni.h) on the window's
// simply supported span: L = 6 m, E·J = 210000 MPa x 10000 cm^4 = 2.1e7 N·m²,
// G1 g = 10 kN/m, Q q = 5 kN/m. Hand values: the largest SLU moment at x
// comes from 1.3 g + 1.5 q = 20.5 kN/m, M(x) = 20.5 x (6 - x) / 2: 89.6875
// kNm at x = 2.5, 92.25 kNm at midspan; the smallest from g alone: 43.75 kNm
// at x = 2.5. Between the points (every 0.5 m) the curves are read
// linearly.
#include "form/diagrammi_form.h"
#include "form/modello_form.h"
#include "form/relazione.h"
#include "form/relazione_pdf.h"
#include "graphics/documento.h"
#include "graphics/superficie_registro.h"
#include "tests/comune/combinazioni.h"
#include "tests/form/finestra_prova.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvo;

namespace {

constexpr double L = 6, EJ = 2.1e7, g = 10000, q = 5000;

class Viste : public CampataDiagrammi {
  protected:
    void Calcola() {
        CampataDiagrammi::Calcola();
        prova::RiempiCombinazioni(m.Combinazioni, L, EJ, g, q);
        f.Servizi.Scale = &scelte;
    }
    ScaleUtente scelte;
};

using V = VistaDiagrammi::Tipo;

} // namespace

TEST_F(Viste, ListOfTheViews) {
    // Before a calculation, and without combinations: no choice at all.
    EXPECT_TRUE(VociVista(ContestoFinestre(f)).empty());
    Calcola();
    const auto voci = VociVista(ContestoFinestre(f));
    std::vector<std::string> testi;
    for (const auto& v : voci)
        testi.push_back(v.Testo);
    EXPECT_EQ(testi, (std::vector<std::string>{
                         "Tutti i carichi", "Caso: Permanenti", "Caso: Folla", "Inviluppo SLU",
                         "Inviluppo Rara", "Inviluppo Frequente", "Inviluppo Quasi permanente"}));
    EXPECT_EQ(voci[2].Vista, (VistaDiagrammi{V::Caso, 1}));
    EXPECT_EQ(voci[6].Vista, (VistaDiagrammi{V::Inviluppo, 3}));
    EXPECT_EQ(IndiceVista(voci, ContestoFinestre(f)), 0);
    scelte.Vista = voci[4].Vista;
    EXPECT_EQ(IndiceVista(voci, ContestoFinestre(f)), 4);
    // Results no longer valid: the windows offer nothing.
    f.FileNuovo();
    EXPECT_TRUE(VociVista(ContestoFinestre(f)).empty());
}

TEST_F(Viste, ReadingAnEnvelopeGivesBothValues) {
    Calcola();
    scelte.Vista = {V::Inviluppo, int(TipoCombinazione::SLU)};
    const ContestoDiagrammi c = ContestoFinestre(f);
    ModelloDiagramma momenti(0), tagli(1);
    auto l = momenti.Leggi(c, Dipingi(momenti, c, 2.5));
    ASSERT_TRUE(l);
    EXPECT_NEAR(l->valore, 89687.5, 1e-6);
    ASSERT_TRUE(l->minimo);
    EXPECT_NEAR(*l->minimo, 43750, 1e-6);
    EXPECT_EQ(l->stato, "x = 2.500 m   Mmax = 89.69 kNm   Mmin = 43.75 kNm");
    EXPECT_EQ(l->appunti, "2.5; 89.6875; 43.75");
    EXPECT_EQ(momenti.TestoScala(), "Inviluppo SLU   Scala momenti 1:50000");
    // Between two points: linear, M(2) = 20.5·2·4/2 = 82, M(2.5) = 89.6875.
    l = momenti.Leggi(c, Dipingi(momenti, c, 2.25));
    ASSERT_TRUE(l);
    EXPECT_NEAR(l->valore, (82000 + 89687.5) / 2, 1e-6);
    // Shears: at the left support 61.5 kN and the favourable g alone, 30 kN.
    auto lt = tagli.Leggi(c, Dipingi(tagli, c, 0));
    ASSERT_TRUE(lt);
    EXPECT_EQ(lt->stato, "x = 0 m   Vmax = 61.50 kN   Vmin = 30.00 kN");
}

TEST_F(Viste, ReadingOneCaseAlone) {
    Calcola();
    scelte.Vista = {V::Caso, 1};
    const ContestoDiagrammi c = ContestoFinestre(f);
    ModelloDiagramma momenti(0);
    const auto l = momenti.Leggi(c, Dipingi(momenti, c, 3));
    ASSERT_TRUE(l);
    // q L² / 8 = 22.5 kNm; 5 q L⁴ / 384 E J = 0.0040179 m.
    EXPECT_NEAR(l->valore, 22500, 1e-6);
    ASSERT_TRUE(l->freccia);
    EXPECT_NEAR(*l->freccia, 5 * q * std::pow(L, 4) / (384 * EJ), 1e-9);
    EXPECT_FALSE(l->minimo);
    EXPECT_EQ(l->stato.substr(0, 36), "x = 3.000 m   M = 22.50 kNm   f = 0.") << l->stato;
    EXPECT_EQ(momenti.TestoScala(), "Caso: Folla   Scala momenti 1:10000");
    // The loads window reads the loads whatever the view.
    ModelloDiagramma carichi(2);
    const auto lq = carichi.Leggi(c, Dipingi(carichi, c, 4.5));
    ASSERT_TRUE(lq);
    EXPECT_NEAR(lq->valore, 10000, 1e-6);
}

// The report's section: the cases, the factors, the envelope per span and
// the deflection checks. Hand values for the checks: f = 5 (g + q) L⁴ /
// (384 E J) = 0.012054 m, L/f = 497.8 -> 498 (limit L/250: verified);
// f2 = 5 q L⁴ / (384 E J) = 0.0040179 m, L/f2 = 1493.3 -> 1493.
TEST_F(Viste, ReportSection) {
    Calcola();
    const std::string senza = [&] {
        RisultatiCombinazioni salvate = m.Combinazioni;
        m.Combinazioni = {};
        const std::string t = TestoRelazione(TestiDaForm(f));
        m.Combinazioni = salvate;
        return t;
    }();
    EXPECT_EQ(senza.find("CASI DI CARICO"), std::string::npos);
    VerificaFreccia v;
    v.Campata = 0;
    v.L = L;
    v.f = 5 * (g + q) * std::pow(L, 4) / (384 * EJ);
    v.f2 = 5 * q * std::pow(L, 4) / (384 * EJ);
    v.LsuF = L / v.f;
    v.LsuF2 = L / v.f2;
    v.Limite = 250;
    v.Limite2 = 300;
    v.Verificata = true;
    m.Combinazioni.Frecce = {v};
    const std::string t = TestoRelazione(TestiDaForm(f));
    // The section comes between the results and the values at x; the rest
    // of the report is as without cases.
    const size_t inizio = t.find("CASI DI CARICO E COMBINAZIONI");
    const size_t fine = t.find("Risultati all'ascissa x");
    ASSERT_NE(inizio, std::string::npos);
    ASSERT_LT(inizio, fine);
    const size_t riga = t.rfind("\r\n", inizio) + 2; // the section's heading line
    EXPECT_EQ(t.substr(0, riga - 3) + t.substr(fine - 3), senza);
    const std::string sezione = t.substr(inizio, fine - inizio);
    for (const char* atteso :
         {"Permanenti", "Folla", "B - ", "0.7", "gamma_G1", "1.3", "gamma_Q", "1.5",
          "SLU: gamma_G1*G1 + gamma_G2*G2 + gamma_Q*Qk1", "Inviluppo SLU - campate",
          "Inviluppo Quasi permanente - campate", "Verifica delle frecce", "verificata", "498",
          "1,493", "L/250", "L/300"})
        EXPECT_NE(sezione.find(atteso), std::string::npos) << atteso << "\n" << sezione;
    EXPECT_EQ(sezione.find("NON verificata"), std::string::npos);
    // The SLU envelope's row: Mmax 92.25 at 3 m, Mmin 0 at the support,
    // Vmax 61.5, Vmin -61.5.
    const size_t slu = sezione.find("Inviluppo SLU - campate");
    const std::string righe = sezione.substr(slu, sezione.find("Inviluppo Rara") - slu);
    for (const char* atteso : {"92.25", "3.000", "61.50", "-61.50"})
        EXPECT_NE(righe.find(atteso), std::string::npos) << atteso << "\n" << righe;
    // A check that fails says so.
    m.Combinazioni.Frecce[0].Verificata = false;
    EXPECT_NE(TestoRelazione(TestiDaForm(f)).find("NON verificata"), std::string::npos);
}

// The PDF report: the same section, its tables the report's grids, placed
// after the results and before the diagrams; none without combinations.
TEST_F(Viste, PdfReportSection) {
    Calcola();
    auto sezioni = [&] {
        std::vector<std::string> s;
        for (const auto& b : DocumentoRelazione(DatiRelazionePdfDaForm(f)).Blocchi)
            if (b.tipo == BloccoDocumento::Tipo::Sezione) s.push_back(b.testo);
        return s;
    };
    const std::vector<std::string> con = sezioni();
    EXPECT_EQ(con, (std::vector<std::string>{"Dati", "Carichi", "Risultati",
                                             "Casi di carico e combinazioni", "Diagrammi"}));
    const Documento doc = DocumentoRelazione(DatiRelazionePdfDaForm(f));
    bool trovata = false;
    for (const auto& b : doc.Blocchi)
        if (b.tipo == BloccoDocumento::Tipo::Tabella && !b.tabella.Righe.empty() &&
            b.tabella.Intestazione.size() == 7 && b.tabella.Intestazione[1] == "Mmax") {
            EXPECT_EQ(b.tabella.Righe[0][1], "92.25");
            trovata = true;
        }
    EXPECT_TRUE(trovata);
    m.Combinazioni = {};
    EXPECT_EQ(sezioni(), (std::vector<std::string>{"Dati", "Carichi", "Risultati", "Diagrammi"}));
}

// The report of a calculated problem: the same span with g = 10 kN/m a
// permanent case and q = 5 kN/m a variable one (category B). Closed forms:
// SLU Mmax = (1.3 g + 1.5 q) L² / 8 = 92.25 kNm at midspan, Vmax = 20.5 · 3
// = 61.5 kN; the characteristic deflection 5 (g + q) L⁴ / (384 E J) =
// 0.012054 m, L/f = 497.8; the variable load's 5 q L⁴ / (384 E J) =
// 0.0040179 m, L/f2 = 1493.3; both within L/250 and L/300.
TEST_F(Viste, ReportOfACalculatedProblem) {
    Calcola();
    DatiTrave& d = m.Dati;
    d.Casi = {{"Permanenti", TipoCaso::G1, CategoriaQ::A, 0, 0, 0},
              {"Folla", TipoCaso::Q, CategoriaQ::B, 0.7, 0.5, 0.3}};
    d.CarichiTrapezi.Conserva(++d.NTrapezi);
    d.CarichiTrapezi(d.NTrapezi) = {float(q), float(q), 0, float(L)};
    d.CarichiTrapezi(d.NTrapezi).Caso = 1;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    const RisultatiCombinazioni& r = m.Combinazioni;
    ASSERT_TRUE(r.Calcolato);
    ASSERT_EQ(r.Frecce.size(), 1u);
    const double fc = 5 * (g + q) * std::pow(L, 4) / (384 * EJ);
    const double f2c = 5 * q * std::pow(L, 4) / (384 * EJ);
    EXPECT_NEAR(r.Frecce[0].f, fc, 1e-3 * fc);
    EXPECT_NEAR(r.Frecce[0].f2, f2c, 1e-3 * f2c);
    const std::string t = TestoRelazione(TestiDaForm(f));
    const std::string sezione = t.substr(t.find("CASI DI CARICO"));
    const size_t slu = sezione.find("Inviluppo SLU - campate");
    ASSERT_NE(slu, std::string::npos);
    const std::string righe = sezione.substr(slu, sezione.find("Inviluppo Rara") - slu);
    for (const char* atteso :
         {"92.25", "3.000", "61.50", "-61.50", "Campata 1 - Mmax: SLU", "Folla"})
        EXPECT_NE(righe.find(atteso), std::string::npos) << atteso << "\n" << righe;
    const std::string frecce = sezione.substr(sezione.find("Verifica delle frecce"));
    for (const char* atteso : {"498", "1,493", "L/250", "L/300", "verificata"})
        EXPECT_NE(frecce.find(atteso), std::string::npos) << atteso << "\n" << frecce;
    EXPECT_EQ(frecce.find("NON"), std::string::npos);

    // The window's reading names both combinations.
    scelte.Vista = {VistaDiagrammi::Tipo::Inviluppo, int(TipoCombinazione::SLU)};
    const ContestoDiagrammi c = ContestoFinestre(f);
    ModelloDiagramma momenti(0);
    const auto l = momenti.Leggi(c, Dipingi(momenti, c, 3));
    ASSERT_TRUE(l);
    EXPECT_NEAR(l->valore, 92250, 92250 * 1e-9);
    EXPECT_EQ(l->stato.substr(0, 35), "x = 3.000 m   Mmax = 92.25 kNm (SLU") << l->stato;
    EXPECT_NE(l->stato.find("Mmin = 45.00 kNm (SLU"), std::string::npos) << l->stato;
}
