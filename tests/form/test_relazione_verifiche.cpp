// The "Verifiche" section of the PDF report, on the example steel floor beam
// and on a problem without load cases; checked against hand calculations.
#include "form/modello_form.h"
#include "form/relazione_pdf.h"
#include "graphics/documento.h"
#include "graphics/superficie_registro.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>

using namespace zelvo;

namespace {

class StampanteRegistro : public StampantePagine {
  public:
    bool Inizia() override { return true; }
    Tela& Pagina() override { return tela; }
    void NuovaPagina() override {}
    bool Fine(Messaggi&) override { return true; }
    TelaRegistro tela{FabbricaRegistro::LarghezzaPdf, FabbricaRegistro::AltezzaPdf};
};

struct RelazioneVerifiche : ::testing::Test {
    ModuloZelvo modulo;
    UnitMisura unita;
    RegistroMessaggi msg;
    ModelloForm f{modulo, unita, msg};

    void Apri(const char* esempio) {
        f.InizializzaForm();
        ASSERT_TRUE(f.ApriFileDati(std::string(ZELVO_SOURCE_DIR) + "/examples/" + esempio));
        ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    }
    Documento Doc() { return DocumentoRelazione(DatiRelazionePdfDaForm(f)); }
};

std::vector<std::string> Sezioni(const Documento& d) {
    std::vector<std::string> s;
    for (const auto& b : d.Blocchi)
        if (b.tipo == BloccoDocumento::Tipo::Sezione) s.push_back(b.testo);
    return s;
}

// The lines of the "Verifiche" section.
std::vector<std::string> Righe(const Documento& d) {
    std::vector<std::string> r;
    bool dentro = false;
    for (const auto& b : d.Blocchi) {
        if (b.tipo == BloccoDocumento::Tipo::Sezione) dentro = b.testo == "Verifiche";
        if (dentro && b.tipo == BloccoDocumento::Tipo::Riga) r.push_back(b.testo);
    }
    return r;
}

// The table with the column `colonna` in its heading.
const TabellaDocumento* Tabella(const Documento& d, const std::string& colonna) {
    for (const auto& b : d.Blocchi) {
        const auto& t = b.tabella.Intestazione;
        if (b.tipo == BloccoDocumento::Tipo::Tabella &&
            std::find(t.begin(), t.end(), colonna) != t.end())
            return &b.tabella;
    }
    return nullptr;
}

// The number after the last "= " (or the whole cell), decimal point.
double NumeroCella(const std::string& cella) {
    const size_t p = cella.rfind("= ");
    return std::stod(p == std::string::npos ? cella : cella.substr(p + 2));
}

// The number after the first `chiave` of the lines (NaN when none).
double Dopo(const std::vector<std::string>& righe, const std::string& chiave) {
    for (const auto& r : righe) {
        const size_t p = r.find(chiave);
        if (p != std::string::npos) return std::stod(r.substr(p + chiave.size()));
    }
    return std::nan("");
}

} // namespace

// IPE 300 in S275 (fy = 275 N/mm², tf = 10.7 ≤ 40 mm), simply supported,
// L = 6 m, loads on the top flange, restrained only at the supports; cases
// G1 1.2, G2 4.0, Q (category B) 7.5 kN/m. SLU: q = 1.3·1.2 + 1.5·4.0 +
// 1.5·7.5 = 18.81 kN/m, MEd = qL²/8 = 84.645 kN·m, VEd = qL/2 = 56.43 kN.
// Class 1: Mc,Rd = Wpl·fy/γM0 = 628.4e3·275/1.05 = 164.58 kN·m; Av = 5381 −
// 2·150·10.7 + (7.1 + 2·15)·10.7 = 2567.97 mm², Vc,Rd = Av·fy/(√3·γM0) =
// 388.30 kN.
// Buckling, by the three-factor closed form for a uniform load on a
// fork-supported span (C1 = 1.127, C2 = 0.454, load zg = h/2 = 150 mm above
// the shear centre), with the producer's table values Iz = 603.8 cm⁴,
// It = 20.12 cm⁴, Iw = 125.9e3 cm⁶:
// Mcr = C1·π²EIz/L²·[√(Iw/Iz + L²GIt/(π²EIz) + (C2·zg)²) − C2·zg] = 78.6 kN·m;
// then curve b (h/b = 2), λLT, χLT, f with kc = 1/√C1, Mb,Rd.
TEST_F(RelazioneVerifiche, SectionOfTheExampleMatchesTheHandCalculation) {
    Apri("trave-acciaio-verifica.zlv");
    const Documento d = Doc();
    EXPECT_EQ(Sezioni(d), (std::vector<std::string>{"Dati", "Carichi", "Risultati",
                                                    "Casi di carico e combinazioni", "Verifiche",
                                                    "Diagrammi"}));
    const std::vector<std::string> r = Righe(d);
    ASSERT_GE(r.size(), 4u);
    EXPECT_EQ(r[0], "Verifiche acciaio: IPE300, S275, γM0 = 1.05, γM1 = 1.05");
    EXPECT_EQ(r[1], TestoBaseInviluppo);
    EXPECT_EQ(r[2], "Governa la campata 1: Svergolamento, utilizzo 1.179 - non verificata");
    EXPECT_EQ(r.back(), "forza assiale, carichi concentrati sull'anima.");

    const double q = 1.3 * 1.2 + 1.5 * 4.0 + 1.5 * 7.5, L = 6;
    const double MEd = q * L * L / 8, VEd = q * L / 2; // kN·m, kN
    const double Wpl = 628.4e3, fy = 275, g = 1.05;
    const double McRd = Wpl * fy / g / 1e6;
    const double Av = 5381 - 2 * 150 * 10.7 + (7.1 + 2 * 15) * 10.7;
    const double VcRd = Av * fy / (std::sqrt(3.0) * g) / 1e3;

    const double pi2 = std::numbers::pi * std::numbers::pi, E = 210000, G = 80769;
    const double Iz = 603.8e4, It = 20.12e4, Iw = 125.9e9, Lmm = L * 1000;
    const double C1 = 1.127, C2zg = 0.454 * 150;
    const double Pz = pi2 * E * Iz / (Lmm * Lmm);
    const double Mcr =
        C1 * Pz * (std::sqrt(Iw / Iz + Lmm * Lmm * G * It / (pi2 * E * Iz) + C2zg * C2zg) - C2zg) /
        1e6;
    const double lambda = std::sqrt(Wpl * fy / 1e6 / Mcr);
    const double phi = 0.5 * (1 + 0.34 * (lambda - 0.4) + 0.75 * lambda * lambda);
    const double chi = 1 / (phi + std::sqrt(phi * phi - 0.75 * lambda * lambda));
    const double kc = 1 / std::sqrt(C1);
    const double fm = 1 - 0.5 * (1 - kc) * (1 - 2 * (lambda - 0.8) * (lambda - 0.8));
    const double MbRd = chi / fm * Wpl * fy / g / 1e6;

    const TabellaDocumento* c = Tabella(d, "Formula");
    ASSERT_TRUE(c);
    // VEd < Vpl,Rd/2: no bending with shear; the deflections of the
    // characteristic loads (12.7 kN/m) and of the variable ones (7.5 kN/m),
    // 5qL⁴/(384EJ) with E·J = 210000 N/mm² · 8356 cm⁴, against L/250 and
    // L/300.
    ASSERT_EQ(c->Righe.size(), 5u);
    EXPECT_EQ(c->Righe[0][1], "Flessione");
    EXPECT_EQ(c->Righe[0][2], "Mc,Rd = Wpl·fy/γM0");
    EXPECT_NEAR(NumeroCella(c->Righe[0][3]), MEd, 0.006);
    EXPECT_NEAR(NumeroCella(c->Righe[0][4]), McRd, 0.006);
    EXPECT_NEAR(NumeroCella(c->Righe[0][5]), MEd / McRd, 0.0006);
    EXPECT_EQ(c->Righe[1][2], "Vc,Rd = Av·fy/(√3·γM0)");
    EXPECT_NEAR(NumeroCella(c->Righe[1][3]), VEd, 0.006);
    EXPECT_NEAR(NumeroCella(c->Righe[1][4]), VcRd, 0.006);
    EXPECT_EQ(c->Righe[2][1], "Svergolamento");
    EXPECT_EQ(c->Righe[2][2], "Mb,Rd = χLT,mod·Wy·fy/γM1");
    EXPECT_NEAR(NumeroCella(c->Righe[2][4]), MbRd, 0.01 * MbRd);
    EXPECT_EQ(c->Righe[2][6], "non verificata");
    const double EJ = 210000e6 * 8356e-8, L4 = L * L * L * L; // N·m², m⁴
    for (const auto& [riga, q, limite] : {std::tuple{3, 12.7, 250.0}, {4, 7.5, 300.0}}) {
        const double f = 5 * q * 1000 * L4 / (384 * EJ) * 1000; // mm
        EXPECT_EQ(c->Righe[size_t(riga)][1], riga == 3 ? "Freccia" : "Freccia variabili");
        EXPECT_NEAR(NumeroCella(c->Righe[size_t(riga)][3]), f, 0.006);
        EXPECT_NEAR(NumeroCella(c->Righe[size_t(riga)][4]), L * 1000 / limite, 0.006);
        EXPECT_NEAR(NumeroCella(c->Righe[size_t(riga)][5]), f * limite / (L * 1000), 0.0006);
    }
    EXPECT_EQ(c->Rosse, (std::vector<bool>{false, false, true, false, false}));
    for (const auto& riga : c->Righe)
        EXPECT_EQ(riga[0], "1");

    // The account of the buckling check under the table.
    EXPECT_NEAR(Dopo(r, "Mcr = "), Mcr, 0.01 * Mcr);
    EXPECT_NEAR(Dopo(r, "C1 = "), C1, 0.01);
    EXPECT_NEAR(Dopo(r, "√(Wy·fy/Mcr) = "), lambda, 0.01);
    EXPECT_NEAR(Dopo(r, "χLT = "), chi, 0.005);
    EXPECT_NEAR(Dopo(r, ", f = "), fm, 0.002);

    // Printed: the failing rows in red, the others black.
    StampanteRegistro p;
    ASSERT_TRUE(StampaDocumento(d, p, msg));
    int rossi = 0, neri = 0;
    for (const auto& t : p.tela.tratti) {
        if (t.tipo != "Testo") continue;
        if (t.testo == "non verificata") rossi += t.colore == 0xC00000;
        if (t.testo == "verificata" || t.testo == "Flessione") neri += t.colore == 0;
    }
    EXPECT_EQ(rossi, 1);
    EXPECT_GE(neri, 3); // two checks verified, the deflections' outcome
}

// Without load cases the calculated actions are the design actions, and
// the section says so; a problem without a check has no section.
TEST_F(RelazioneVerifiche, WithoutCasesTheCalculatedActionsWithoutCheckNoSection) {
    Apri("appoggio-appoggio.zlv");
    EXPECT_EQ(Sezioni(Doc()),
              (std::vector<std::string>{"Dati", "Carichi", "Risultati", "Diagrammi"}));
    DatiVerifica& v = f.Modulo.Dati.Verifica;
    v.Attiva = true;
    v.Profilo = "HEB200";
    v.Ritegno = DatiVerifica::TipoRitegno::Continui;
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    const Documento d = Doc();
    EXPECT_EQ(Sezioni(d),
              (std::vector<std::string>{"Dati", "Carichi", "Risultati", "Verifiche", "Diagrammi"}));
    const std::vector<std::string> r = Righe(d);
    ASSERT_GE(r.size(), 3u);
    EXPECT_EQ(r[1], TestoBaseCalcolo);
    EXPECT_NE(std::find(r.begin(), r.end(),
                        "Ritegni laterali dell'ala compressa: continui (nessuno svergolamento)"),
              r.end());
    EXPECT_TRUE(std::isnan(Dopo(r, "Mcr = "))); // no buckling check
    ASSERT_TRUE(Tabella(d, "Formula"));
    EXPECT_EQ(Tabella(d, "Formula")->Righe.size(), 2u);
}
