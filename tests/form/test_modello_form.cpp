// The form model: exact values behind the fields, partial distances, data
// reading and its messages in order, results against closed forms, the data
// file through the window.
#include "form/modello_form.h"
#include "io/generale.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <unistd.h>

using namespace zelvo;
namespace fs = std::filesystem;

namespace {

// A problem with values no display precision can carry.
DatiTrave ProblemaScomodo(bool parziali, int16_t vincoli) {
    DatiTrave d = prova::Base(vincoli, "Trave è più");
    d.Luce = 6.123457f;
    d.E = 2.100001e11f;
    d.J = 1.234567e-4f;
    d.NSezioni = 137;
    d.AscissaX = 1.987654f;
    d.DistanzeParziali = parziali;
    prova::Trapezio(d, 1234.567f, -987.6543f, 0.1234567f, 2.345678f);
    prova::Trapezio(d, 3.3333333f, 3.3333333f, 1.1f, 5.9999999f);
    prova::Forza(d, 10000.01f, 1.23456f);
    prova::Forza(d, -2.5e-3f, 3.000001f);
    prova::Forza(d, 77777.77f, 0.7f); // before the previous one
    prova::Coppia(d, 12345.679f, 0.3333333f);
    prova::Coppia(d, -0.1f, 4.4444447f);
    d.K = 12345678.9;
    d.b = 1.0 / 3.0;
    d.NDivisioni = 37;
    d.Winkler = true;
    d.ReagTraz = false;
    return d;
}

std::string Contenuto(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class Form : public ::testing::Test {
  protected:
    Form() : f(m, u, msg) { f.InizializzaForm(); }
    // Loads d into the window as opening a file does.
    void Apri(const DatiTrave& d) {
        f.InizializzaForm();
        m.Dati = d;
        f.NSezioni = d.NSezioni;
        f.ScriveDatiInForm();
    }
    // Confirms table t with the given rows of cell texts.
    void Tabella(int t, const std::vector<std::vector<const char*>>& righe) {
        f.txtRigheGriglia[size_t(t)].Edita(std::to_string(righe.size()));
        f.txtRigheGriglia_Invio(t);
        for (size_t r = 0; r < righe.size(); ++r)
            for (size_t c = 0; c < righe[r].size(); ++c)
                f.FlexGrid[size_t(t)].ImpostaTesto(int(r) + 1, int(c) + 1, righe[r][c]);
    }
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    ModelloForm f;
};

} // namespace

// Switching partial distances on and off and on again rounds nothing.
TEST_F(Form, IlCambioDelleDistanzeParzialiNonArrotonda) {
    DatiTrave atteso = ProblemaScomodo(false, 0);
    Apri(atteso);
    f.chkDistanzeParziali_Click(true);
    f.chkDistanzeParziali_Click(false);
    f.chkDistanzeParziali_Click(true);
    ASSERT_TRUE(f.LeggeDati());
    atteso.DistanzeParziali = true;
    EXPECT_EQ(atteso, m.Dati);
}

// The text shows four digits; an edit counts for what it shows, a text
// confirmed unchanged keeps the exact value, neighbours keep theirs.
TEST_F(Form, UnaModificaValeQuelCheSiVede) {
    Apri(ProblemaScomodo(false, 0));
    EXPECT_EQ(f.FlexGrid[1].Testo(1, 2), " 1.235");
    EXPECT_EQ(f.txtDati[0].testo, " 6.123");
    f.FlexGrid_Seleziona(1, 1, 2); // mouse, whole text selected, Enter
    f.txtEdit_Tasto(1, TastoEditor::Invio);
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.CarichiConcentrati(1).d, 1.23456f);
    f.FlexGrid[1].ImpostaTesto(1, 2, "2");
    f.txtDati[0].Edita("7.5");
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.CarichiConcentrati(1).d, 2.0f);
    EXPECT_EQ(m.Dati.Luce, 7.5f);
    EXPECT_EQ(m.Dati.CarichiConcentrati(2).d, 3.000001f);
    EXPECT_EQ(m.Dati.CarichiConcentrati(1).F, 10000.01f);
}

// ---------------------------------------------------------------------------
// Partial distances.

TEST_F(Form, UnaDistanzaParzialeModificataSpostaICarichiSeguenti) {
    DatiTrave d = prova::Base(AppoggioAppoggio, "");
    d.DistanzeParziali = true;
    for (float x : {1.1f, 3.3f, 5.7f})
        prova::Forza(d, 1, x);
    Apri(d);
    f.FlexGrid[1].ImpostaTesto(2, 2, "3"); // was 2.2
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.CarichiConcentrati(1).d, 1.1f);
    // 1.1 + 3 = 4.1 and the unchanged partial 5.7 - 3.3 = 2.4 after it, in
    // single precision (one rounding of the sum).
    EXPECT_NEAR(m.Dati.CarichiConcentrati(2).d, 4.1, 1e-6);
    EXPECT_NEAR(m.Dati.CarichiConcentrati(3).d, 6.5, 1e-6);
}

TEST_F(Form, DistanzaParzialeNegativaAvvisaEMostraLaDifferenza) {
    EXPECT_EQ(f.NuovaDistanza(2, 2), 0); // equal: no warning
    EXPECT_TRUE(msg.elenco.empty());
    DatiTrave d = prova::Base(AppoggioAppoggio, "");
    d.DistanzeParziali = true;
    prova::Forza(d, 1, 4);
    prova::Forza(d, 1, 1);
    Apri(d);
    ASSERT_EQ(msg.Testi(), std::vector<std::string>{"Attenzione! Distanza parziale <=0"});
    EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
    EXPECT_EQ(f.FlexGrid[1].Testo(2, 2), "-3.000");
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.CarichiConcentrati(2).d, 1.0f);
}

TEST_F(Form, ErroreNelCambioDiDistanzeParziali) {
    f.txtRigheGriglia[1].Edita("x");
    f.Settaggio = true; // the box set by the program: nothing converted
    m.Dati.DistanzeParziali = true;
    f.chkDistanzeParziali_Click(true);
    EXPECT_TRUE(msg.elenco.empty());
    f.Settaggio = false;
    m.Dati.DistanzeParziali = false;
    f.chkDistanzeParziali_Click(true);
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"Errore in Distanze Parziali. Controllare i dati"});
    EXPECT_FALSE(m.Dati.DistanzeParziali);
    EXPECT_FALSE(f.chkDistanzeParziali); // the box follows the grids again
}

// ---------------------------------------------------------------------------
// LeggeDati's messages, in order.

TEST_F(Form, ForzaADMenoUnoDueMessaggi) {
    u.separatori = {",", "."};
    f.txtDati[0].Edita("5");
    Tabella(1, {{"10", "-0,5"}});
    ASSERT_TRUE(f.LeggeDati());
    ASSERT_EQ(msg.Testi(), (std::vector<std::string>{"Carico concentrato N° 1 con d1=-0,5 < 0",
                                                     "Carico concentrato N° 1 con d=-0,5 <0"}));
    EXPECT_EQ(msg.elenco[1].icona, Icona::Critica);
}

TEST_F(Form, MessaggiNellOrdineDeiPassi) {
    f.txtDati[0].Edita("0");            // Luce = 0
    Tabella(0, {{"1", "1", "2", "2"}}); // d2 = d1, and beyond the span
    Tabella(1, {{"1", "3"}});
    Tabella(2, {{"1", "0"}});
    f.txtDati[3].Edita("1");
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(
        msg.Testi(),
        (std::vector<std::string>{
            "Luce = 0 !!!!", "Carico trapezio N° 1 esteso oltre la luce",
            "Carico concentrato N° 1 esteso oltre la luce",
            "Carico concentrato N° 1 esteso oltre la luce",
            "N° sezioni di calcolo = 1 Troppo piccolo. Aumentare (si consiglia almeno 100) !"}));
    EXPECT_EQ(m.Dati.NSezioni, 1);
    msg.Svuota();
    f.txtDati[0].Edita("10");
    f.txtDati[3].Edita("100");
    Tabella(0, {{"1", "1", "0", "4"}, {"1", "1", "2", "2"}});
    f.txtRigheGriglia[1].Edita("0");
    f.txtRigheGriglia_Invio(1);
    f.txtRigheGriglia[2].Edita("0");
    f.txtRigheGriglia_Invio(2);
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"Nel carico trapezio N° 2 deve essere d2 > d1"});
}

TEST_F(Form, LarghezzaNullaDiventaUno) {
    f.txtDati[0].Edita("5");
    f.SchemaAggiorna(4);
    for (const char* b : {"0", "abc"}) {
        msg.Svuota();
        f.txtWinkler[1].Edita(b);
        ASSERT_TRUE(f.LeggeDati());
        ASSERT_EQ(msg.elenco.size(), 1u) << b;
        EXPECT_EQ(msg.elenco[0].testo,
                  std::string("La larghezza b della trave deve essere > 0\r\nb viene posta = 1"));
        EXPECT_EQ(msg.elenco[0].icona, Icona::Informazione);
        EXPECT_EQ(m.Dati.b, 1.0);
        EXPECT_EQ(f.txtWinkler[1].testo, " 1.000");
    }
}

TEST_F(Form, DatiIlleggibiliFermanoIlCalcoloEToglionoIRisultati) {
    f.txtDati[0].Edita("5");
    for (const char* n : {"cento", "40000"}) { // not a number; beyond 16 bits
        msg.Svuota();
        f.txtDati[3].Edita(n);
        EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::ErroreDati) << n;
        EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore! Controllare i dati"});
    }
    f.txtDati[3].Edita("100");
    f.txtRigheGriglia[1].Edita("2"); // no Enter: the grid has no rows
    msg.Svuota();
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::ErroreGriglia);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore in LeggeGriglia"});
    // A good calculation, then a bad cell: the results are no longer shown.
    Tabella(1, {{"10", "2"}, {"1", "3"}});
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    EXPECT_TRUE(f.FrameRis);
    f.FlexGrid[1].ImpostaTesto(1, 2, "due");
    msg.Svuota();
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::ErroreGriglia);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore in LeggeGriglia"});
    EXPECT_FALSE(f.FrameRis);
    EXPECT_FALSE(f.Calcolato);
}

TEST_F(Form, GuastoNelleVociFileNonScriveNulla) {
    f.txtDati[0].Edita("5");
    f.txtDati[3].Edita("x");
    const auto p = fs::temp_directory_path() / "zelvo-form-guasto.dxf";
    fs::remove(p);
    UscitaDiagrammi uscita(msg);
    uscita.Servizi().Salva = [&](const std::string&, const std::string&, int) {
        return std::optional<std::string>(p.string());
    };
    f.Servizi.Uscita = &uscita;
    EXPECT_FALSE(f.mnuFileItem_Click(10));
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo.rfind(
                  "Si è verificato durante il processo di stampa il seguente errore: ", 0),
              0u)
        << msg.elenco[0].testo;
    EXPECT_FALSE(fs::exists(p));
}

TEST(RigaComando, SeparatoriEVirgolette) {
    EXPECT_EQ(ModelloForm::DividiRigaComando("  \"C:\\Dati Trave\\a.zlv\"\t"),
              (std::vector<std::string>{"C:\\Dati", "Trave\\a.zlv"}));
    EXPECT_TRUE(ModelloForm::DividiRigaComando(" \"\" ").empty());
    std::string lunga;
    for (int i = 0; i < 12; ++i)
        lunga += "a" + std::to_string(i) + " ";
    EXPECT_EQ(ModelloForm::DividiRigaComando(lunga).size(), 10u);
}

// The units window's OK shows the fields in the new units and keeps the exact
// values; it converts from the units in use even when a file opened while it
// was open changed them.
TEST_F(Form, FinestraUnitaOKConverteICampiETieneIValori) {
    DatiTrave d = ProblemaScomodo(true, 0);
    d.Luce = 6;
    Apri(d);
    f.frmUnits_Apri();
    f.frmUnits.scelta = {1, 1, 1, 1}; // cm, MPa, kN, cm
    f.frmUnits_OK();
    EXPECT_EQ(f.txtDati[0].testo, " 600.0");
    EXPECT_EQ(f.lblLuce, "cm");
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(d, m.Dati);
    f.txtDati[0].Edita("600");
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.Luce, 6.0f);

    u.UnitaDefault();
    Apri(d);
    f.frmUnits_Apri(); // opened with m
    ASSERT_TRUE(f.ApriFileDati(std::string(ZELVO_SOURCE_DIR) + "/examples/mensola.zlv"));
    ASSERT_EQ(u.UnitaModello[0], "cm");
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    const RisultatiTrave prima = m.Risultati;
    f.frmUnits.scelta = {2, 1, 1, 1}; // mm
    f.frmUnits_OK();
    EXPECT_EQ(f.txtDati[0].testo, " 2,500"); // 250 cm
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    EXPECT_FLOAT_EQ(m.Risultati.RA, prima.RA);
    EXPECT_FLOAT_EQ(m.Risultati.fmax, prima.fmax);
}

// ---------------------------------------------------------------------------
// Results display for each scheme: a uniform load q over the whole span
// against the closed forms of beam theory. Texts carry four significant
// digits (5e-4 relative). The deflection is taken on the calculation points
// (step L/80) and integrated with an error in the square of the step: up to
// 2e-3 of the peak for the propped cantilever, 3e-3 for the fixed-fixed span
// whose small deflection is what remains of two closing terms.

namespace {

struct AttesoSchema {
    int schema;
    double MA, MB, RA, RB, RotA, RotB, Mmax, Mmin, fmax, tolF;
};

constexpr double q = 10000, L = 6, EJ = 2.1e11 * 1e-4;

std::vector<AttesoSchema> Attesi() {
    return {
        {0, 0, 0, q * L / 2, q * L / 2, q * L * L * L / (24 * EJ), q * L * L * L / (24 * EJ),
         q * L * L / 8, 0, 5 * q * L * L * L * L / (384 * EJ), 5e-4},
        {1, -q * L * L / 12, -q * L * L / 12, q * L / 2, q * L / 2, 0, 0, q * L * L / 24,
         -q * L * L / 12, q * L * L * L * L / (384 * EJ), 3e-3},
        {2, -q * L * L / 8, 0, 5 * q * L / 8, 3 * q * L / 8, 0, q * L * L * L / (48 * EJ),
         9 * q * L * L / 128, -q * L * L / 8, 0.0054161 * q * L * L * L * L / EJ, 2e-3},
        {3, -q * L * L / 2, 0, q * L, 0, 0, -q * L * L * L / (6 * EJ), 0, -q * L * L / 2,
         q * L * L * L * L / (8 * EJ), 5e-4},
    };
}

class RisultatiSchema : public Form, public ::testing::WithParamInterface<AttesoSchema> {};

void Vicino(const std::string& testo, double fattore, double atteso, double tol) {
    const double v = ValoreNumerico(testo, Separatori{}) / fattore;
    EXPECT_NEAR(v, atteso, tol * std::abs(atteso) + 1e-9) << "testo " << testo;
}

} // namespace

TEST_P(RisultatiSchema, TestiControFormuleChiuse) {
    const AttesoSchema a = GetParam();
    f.Optschema_Click(a.schema);
    f.txtDati[0].Edita("6");
    f.txtDati[1].Edita("210000"); // MPa
    f.txtDati[2].Edita("10000");  // cm^4
    f.txtDati[3].Edita("80");
    f.txtX[0].Edita("3");
    Tabella(0, {{"10", "10", "0", "6"}});
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato)
        << ::testing::PrintToString(msg.Testi());
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_TRUE(f.FrameRis && !f.FrameFond && f.FrDiagrammi && f.frRisultatiInX);
    const double kN = 1e-3;
    Vicino(f.txtRis[0].testo, kN, a.MA, 5e-4);
    Vicino(f.txtRis[1].testo, kN, a.MB, 5e-4);
    Vicino(f.txtRis[2].testo, kN, a.RA, 5e-4);
    Vicino(f.txtRis[3].testo, kN, a.RB, 5e-4);
    // Rotations: ten significant digits; the results come through singles.
    Vicino(f.txtRis[4].testo, 1, a.RotA, 1e-6);
    Vicino(f.txtRis[5].testo, 1, a.RotB, 1e-6);
    Vicino(f.txtRis[6].testo, kN, a.Mmax, 5e-4);
    Vicino(f.txtRis[8].testo, kN, a.Mmin, 5e-4);
    Vicino(f.txtRis[10].testo, 1, a.fmax, a.tolF);
    if (a.schema == 0) {
        EXPECT_EQ(f.txtRis[7].testo, " 3.000");
        EXPECT_EQ(f.txtRis[11].testo, " 3.000");
        EXPECT_EQ(f.txtX[1].testo, " 45.00"); // M(3) = q·3·(6-3)/2
    }
    if (a.schema == 3) {
        EXPECT_EQ(f.txtRis[11].testo, " 6.000");
    }
}

INSTANTIATE_TEST_SUITE_P(Schemi, RisultatiSchema, ::testing::ValuesIn(Attesi()));

TEST_F(Form, FondazioneRigidaCaricoUniforme) {
    // A uniform load q on a rigid foundation of width b rests on a uniform
    // soil pressure q/b and carries no moment.
    f.Optschema_Click(4);
    f.OptFond_Click(0);
    f.txtDati[0].Edita("6");
    f.txtDati[1].Edita("210000");
    f.txtDati[2].Edita("10000");
    f.txtWinkler[1].Edita("0.5");
    f.txtX[0].Edita("2");
    Tabella(0, {{"10", "10", "0", "6"}});
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato)
        << ::testing::PrintToString(msg.Testi());
    EXPECT_TRUE(f.FrameFond && !f.FrameRis && f.txtX4Visibile);
    // 10 kN/m over 0.5 m: 20000 Pa = 0.02 MPa.
    EXPECT_EQ(f.txtFond[0].testo, " 0.02000");
    EXPECT_EQ(f.txtFond[4].testo, " 0.02000");
    EXPECT_EQ(f.txtX[4].testo, " 0.02000");
    EXPECT_LT(std::abs(ValoreNumerico(f.txtFond[1].testo, u.separatori)), 1e-3);
    f.Optschema_Click(0); // a change of scheme switches the frames at once
    EXPECT_TRUE(f.FrameRis && !f.FrameFond);
}

// On elastic soil the calculation adds the springs as loads for a while:
// "Calcola" again shows the same texts and the data keep their own loads.
TEST_F(Form, CalcolaDueVolteStessiTestiSenzaLeRigheDelleMolle) {
    DatiTrave d = ProblemaScomodo(true, 4);
    d.Luce = 8;
    d.ReagTraz = true;
    Apri(d);
    const auto testi = [&] {
        std::vector<std::string> t;
        for (const auto& c : f.txtFond)
            t.push_back(c.testo);
        for (const auto& c : f.txtX)
            t.push_back(c.testo);
        return t;
    };
    const EsitoCalcolo e1 = f.btnCalcola_Click();
    const auto prima = testi();
    EXPECT_EQ(f.btnCalcola_Click(), e1);
    EXPECT_EQ(testi(), prima);
    EXPECT_EQ(m.Dati.NConcentrati, 3);
}

// ---------------------------------------------------------------------------
// Through the data file, whatever the units: open -> save gives the same
// bytes, open -> "Calcola" computes on the stored values bit for bit (no
// value is rounded to what a field shows).

class FileEsatto : public Form, public ::testing::WithParamInterface<std::tuple<int, bool, bool>> {
  protected:
    void SetUp() override { fs::create_directories(cartella); }
    void TearDown() override { fs::remove_all(cartella); }
    fs::path cartella = fs::temp_directory_path() / ("zelvo_form_" + std::to_string(::getpid()) +
                                                     "_" + std::to_string(std::get<0>(GetParam())) +
                                                     std::to_string(std::get<1>(GetParam())) +
                                                     std::to_string(std::get<2>(GetParam())));
};

TEST_P(FileEsatto, ApriSalvaEApriCalcola) {
    const auto [unita, parz, senza] = GetParam();
    const auto& cap = CaptionUnita();
    UnitMisura uf; // the file is written with the units it stores
    uf.UnitaModello = {cap[0][unita], cap[1][unita], "t", cap[2][unita], cap[3][unita]};
    uf.SenzaUnita = senza;
    DatiTrave d = ProblemaScomodo(parz, 4);
    d.Titolo = "Prova";
    int16_t ns = d.NSezioni;
    std::string ver = VersioneFileCorrente;
    const auto originale = cartella / "orig.zlv", copia = cartella / "copia.zlv";
    RegistroMessaggi m0;
    ASSERT_TRUE(ScriviFileProgetto(originale, ProgettoFile{d, ns, uf, ver, nullptr}, m0));
    ASSERT_TRUE(f.ApriFileDati(originale.string()));
    EXPECT_EQ(f.Caption, "Trave Zelvo - File: orig");
    EXPECT_EQ(u.SenzaUnita, senza);
    EXPECT_EQ(u.UnitaModello, uf.UnitaModello);
    ASSERT_TRUE(f.FileSalvaCome(copia.string()));
    EXPECT_EQ(Contenuto(originale), Contenuto(copia));
    EXPECT_EQ(f.NomeFile, "copia");
    ASSERT_TRUE(f.ApriFileDati(originale.string()));
    f.btnCalcola_Click();
    EXPECT_EQ(d, m.Dati);
    ASSERT_TRUE(f.FileSalvaCome(copia.string())); // after a calculation: the same bytes
    EXPECT_EQ(Contenuto(originale), Contenuto(copia));
}

INSTANTIATE_TEST_SUITE_P(UnitaEParziali, FileEsatto,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::Bool(),
                                            ::testing::Bool()));

TEST_F(Form, IlRecordDellaSezioneResta) {
    // Open -> save keeps the section record of the file; "Nuovo" drops it.
    const auto dir = fs::temp_directory_path() / ("zelvo_form_sezione_" + std::to_string(getpid()));
    fs::create_directories(dir);
    const auto orig = fs::path(ZELVO_SOURCE_DIR) / "fuzz" / "corpus" / "profilo-U-doppio";
    ASSERT_TRUE(f.ApriFileDati(orig.string()));
    EXPECT_EQ(f.EsitoLettura, EsitoProgetto::Completo);
    ASSERT_TRUE(f.SezioneProgetto.Prop);
    EXPECT_TRUE(f.SezioneProgetto.Prop->SezionePr.Doppi);
    ASSERT_TRUE(f.FileSalvaCome((dir / "copia.zlv").string()));
    EXPECT_EQ(Contenuto(dir / "copia.zlv"), Contenuto(orig));
    EXPECT_TRUE(msg.elenco.empty());
    f.mnuFileItem_Click(0);
    EXPECT_FALSE(f.SezioneProgetto.Prop);
    ASSERT_TRUE(f.FileSalvaCome((dir / "nuovo.zlv").string()));
    EXPECT_EQ(Contenuto(dir / "nuovo.zlv").find("SezioneProfiloU"), std::string::npos);
    fs::remove_all(dir);
}

TEST_F(Form, VociFileUnaSolaSceltaDeiFile) {
    // Every File item asks the one dialog seam: open and save of data files
    // with the program's filter, the report with its own; names and folders
    // follow the current file. Save writes back to the file opened, whatever
    // its extension; a cancelled dialog changes nothing.
    const auto dir = fs::temp_directory_path() / ("zelvo_form_scelta_" + std::to_string(getpid()));
    fs::create_directories(dir / "sotto");
    f.CartellaDati = dir.string();
    const auto dati = dir / "sotto" / "trave.dat";
    fs::copy_file(fs::path(ZELVO_SOURCE_DIR) / "examples" / "mensola.zlv", dati,
                  fs::copy_options::overwrite_existing);
    std::vector<RichiestaDialogo> richieste;
    std::deque<std::optional<std::string>> risposte = {dati.string(),
                                                       (dir / "relazione.txt").string()};
    f.Servizi.SceltaFile = [&](const RichiestaDialogo& r) {
        richieste.push_back(r);
        auto x = risposte.front();
        risposte.pop_front();
        return x;
    };
    std::vector<std::string> scritti, relazioni;
    f.Servizi.ScriviProgetto = [&](ModelloForm&, const std::string& p) {
        scritti.push_back(p);
        return true;
    };
    f.Servizi.StampaRelazione = [&](const ModelloForm&, const std::string& p, Messaggi&) {
        relazioni.push_back(p);
        return true;
    };
    ASSERT_TRUE(f.mnuFileItem_Click(1));
    ASSERT_EQ(richieste.size(), 1u);
    EXPECT_FALSE(richieste[0].salva);
    EXPECT_EQ(richieste[0].filtro, "Tutti i Files (*.*)|*.*|Files Zelvo (*.zlv)|*.zlv");
    EXPECT_EQ(richieste[0].cartellaIniziale, dir.string());
    EXPECT_EQ(f.Caption, "Trave Zelvo - File: trave");
    EXPECT_EQ(f.CartellaDati, (dir / "sotto").string());
    ASSERT_TRUE(f.mnuFileItem_Click(2));
    EXPECT_EQ(scritti, std::vector<std::string>{dati.string()});
    ASSERT_TRUE(f.mnuFileItem_Click(6));
    ASSERT_EQ(richieste.size(), 2u);
    EXPECT_EQ(richieste[1].filtro, "Tutti i Files (*.*)|*.*|Files (*.txt)|*.txt");
    EXPECT_EQ(richieste[1].nomeIniziale, "trave.txt");
    EXPECT_EQ(richieste[1].cartellaIniziale, (dir / "sotto").string());
    EXPECT_EQ(relazioni, std::vector<std::string>{(dir / "relazione.txt").string()});
    // A file whose header cannot be read leaves a problem without a name, so
    // "Salva" asks for one instead of overwriting the unread file.
    std::ofstream(dir / "vuoto.zlv") << "";
    EXPECT_FALSE(f.ApriFileDati((dir / "vuoto.zlv").string()));
    EXPECT_EQ(f.Caption, "Trave Zelvo - File: ");
    risposte = {std::nullopt, std::nullopt};
    EXPECT_FALSE(f.mnuFileItem_Click(2));
    ASSERT_EQ(richieste.size(), 3u);
    EXPECT_TRUE(richieste[2].salva);
    EXPECT_EQ(richieste[2].nomeIniziale, "*.zlv");
    EXPECT_EQ(scritti.size(), 1u);
    f.txtTitolo.Edita("mio");
    EXPECT_FALSE(f.ApriFileDati()); // cancelled: nothing changes
    EXPECT_EQ(f.txtTitolo.testo, "mio");
    fs::remove_all(dir);
}
