// The form model: exact values behind the fields, data reading and its
// messages, results against closed forms, the data file, the text report, the
// events (guards, notification, the no-tension passes, unsaved changes).
#include "form/modello_form.h"
#include "form/relazione.h"
#include "io/file_atomico.h"
#include "io/generale.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <unistd.h>

using namespace zelvo;
namespace fs = std::filesystem;
using Testi = std::vector<std::string>;
using namespace std::literals;

namespace {

const std::string Esempi = std::string(ZELVO_SOURCE_DIR) + "/examples/";

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

// A simply supported span with partial distances and unit forces at xs.
DatiTrave ForzeParziali(std::initializer_list<float> xs) {
    DatiTrave d = prova::Base(AppoggioAppoggio, "");
    d.DistanzeParziali = true;
    for (float x : xs)
        prova::Forza(d, 1, x);
    return d;
}

class Form : public ::testing::Test {
  protected:
    Form() : f(m, u, msg) {
        f.InizializzaForm();
        fs::create_directories(cartella);
    }
    ~Form() override { fs::remove_all(cartella); }
    // Loads d into the window as opening a file does.
    void Apri(const DatiTrave& d) {
        f.InizializzaForm();
        m.Dati = d;
        f.NSezioni = d.NSezioni;
        f.ScriveDatiInForm();
    }
    // Table t gets n rows (Enter confirms).
    void Righe(int t, const std::string& n) {
        f.Campo_Edita(f.txtRigheGriglia[size_t(t)], n);
        f.txtRigheGriglia_Invio(t);
    }
    // Text typed into the cell editor of table t and confirmed with Enter.
    void Cella(int t, const std::string& testo) {
        f.txtEdit_Edita(t, testo, int(testo.size()), 0);
        f.txtEdit_Tasto(t, TastoEditor::Invio);
    }
    // A cantilever of 5 m with one force of 10 kN at its end.
    void Mensola() {
        f.Optschema_Click(3);
        f.Campo_Edita(f.txtDati[0], "5");
        Righe(1, "1");
        Cella(1, "10");
        Cella(1, "5");
    }
    // Confirms table t with the given rows of cell texts.
    void Tabella(int t, const std::vector<std::vector<const char*>>& righe) {
        Righe(t, std::to_string(righe.size()));
        for (size_t r = 0; r < righe.size(); ++r)
            for (size_t c = 0; c < righe[r].size(); ++c)
                f.FlexGrid[size_t(t)].ImpostaTesto(int(r) + 1, int(c) + 1, righe[r][c]);
    }
    // The first data fields typed in.
    void Dati(const std::vector<const char*>& testi) {
        for (size_t i = 0; i < testi.size(); ++i)
            f.Campo_Edita(f.txtDati[i], testi[i]);
    }
    // Span, E (MPa), J (cm^4) and one uniform load of 10 kN/m over 6 m.
    void Caricata() {
        Dati({"6", "210000", "10000"});
        Tabella(0, {{"10", "10", "0", "6"}});
    }
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    ModelloForm f;
    const fs::path cartella =
        fs::temp_directory_path() / ("zelvo_form_" + std::to_string(getpid()));
};

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

// Report lines: blanks, s padded up to column c, s padded to a 15-wide cell.
const auto Sp = [](int n) { return std::string(size_t(n), ' '); };
const auto A = [](const std::string& s, int c) { return s + Sp(c - 1 - LunghezzaCaratteri(s)); };
const auto L15 = [](const std::string& s) { return s + Sp(15 - LunghezzaCaratteri(s)); };
const std::string N = "\r\n";

// 'd' txtDati(i), 'w' txtWinkler(i), 'c' forces' column i, 'x' abscissa, 'r'
// forces' rows; and a good value.
struct Campo {
    char tipo;
    int i;
    const char* buono;
};

const Campo Campi[] = {{'d', 0, "1"}, {'d', 1, "1"}, {'d', 2, "1"},  {'d', 3, "100"},
                       {'w', 0, "1"}, {'w', 1, "1"}, {'w', 2, "10"}, {'c', 1, "1"},
                       {'c', 2, "5"}, {'x', 0, "1"}, {'r', 1, "1"}};

class Traboccamento : public Form, public ::testing::WithParamInterface<Campo> {};
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

// An edit counts for what it shows, a text confirmed unchanged keeps the value.
TEST_F(Form, UnaModificaValeQuelCheSiVede) {
    Apri(ProblemaScomodo(false, 0));
    EXPECT_EQ(std::pair(f.FlexGrid[1].Testo(1, 2), f.txtDati[0].testo),
              std::pair(" 1.235"s, " 6.123"s));
    f.FlexGrid_Seleziona(1, 1, 2); // mouse, whole text selected, Enter
    f.txtEdit_Tasto(1, TastoEditor::Invio);
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.CarichiConcentrati(1).d, 1.23456f);
    f.FlexGrid[1].ImpostaTesto(1, 2, "2");
    f.txtDati[0].Edita("7.5");
    ASSERT_TRUE(f.LeggeDati());
    const auto& c = m.Dati.CarichiConcentrati;
    EXPECT_EQ(std::tuple(c(1).d, m.Dati.Luce, c(2).d, c(1).F),
              std::tuple(2.0f, 7.5f, 3.000001f, 10000.01f));
}

// Values beyond a single once shown (J = 1E+46 cm^4, a partial length of
// 6E+38 m) open without a fault and stay exact behind the fields.
TEST_F(Form, ValoriOltreIlSingoloSenzaGuasto) {
    u.UnitaDefault(); // J in cm^4
    DatiTrave d = prova::Base(1, "Estremi");
    d.J = 1e38f;
    d.DistanzeParziali = true;
    prova::Trapezio(d, 1000, 1000, -3e38f, 3e38f);
    ASSERT_NO_THROW(Apri(d));
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_EQ(ValoreNumerico(f.txtDati[2].testo, u.separatori), 1e46);
    EXPECT_DOUBLE_EQ(ValoreNumerico(f.FlexGrid[0].Testo(1, 4), u.separatori), 6e38);
    EXPECT_EQ(f.txtDati[2].Esatto(u.separatori), std::optional<double>(1e38f));
}

// An edited partial distance moves the loads after it; a negative one warns.
TEST_F(Form, DistanzeParziali) {
    EXPECT_EQ(f.NuovaDistanza(2, 2), 0); // equal: no warning
    EXPECT_TRUE(msg.elenco.empty());
    Apri(ForzeParziali({1.1f, 3.3f, 5.7f}));
    f.FlexGrid[1].ImpostaTesto(2, 2, "3"); // was 2.2
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.CarichiConcentrati(1).d, 1.1f);
    EXPECT_NEAR(m.Dati.CarichiConcentrati(2).d, 4.1, 1e-6);
    EXPECT_NEAR(m.Dati.CarichiConcentrati(3).d, 6.5, 1e-6);
    msg.Svuota();
    Apri(ForzeParziali({4, 1}));
    ASSERT_EQ(msg.Testi(), Testi{"Attenzione! Distanza parziale <=0"});
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
    EXPECT_EQ(msg.Testi(), Testi{TestoNumeroRifiutato("N° forze", "x", u.separatori)});
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::TxtRigheGriglia, 1}));
    EXPECT_FALSE(m.Dati.DistanzeParziali);
    EXPECT_FALSE(f.chkDistanzeParziali); // the box follows the grids again
}

TEST_F(Form, ForzaADMenoUnoDueMessaggi) {
    u.separatori = {",", "."};
    f.txtDati[0].Edita("5");
    Tabella(1, {{"10", "-0,5"}});
    ASSERT_TRUE(f.LeggeDati());
    ASSERT_EQ(msg.Testi(), (Testi{"Carico concentrato N° 1 con d1=-0,5 < 0",
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
    EXPECT_EQ(msg.Testi(), (Testi{"Luce = 0 !!!!", "Carico trapezio N° 1 esteso oltre la luce",
                                  "Carico concentrato N° 1 esteso oltre la luce",
                                  "Carico concentrato N° 1 esteso oltre la luce",
                                  "N° sezioni di calcolo = 1 Troppo piccolo. Aumentare (si "
                                  "consiglia almeno 100) !"}));
    EXPECT_EQ(m.Dati.NSezioni, 1);
    msg.Svuota();
    f.txtDati[0].Edita("10");
    f.txtDati[3].Edita("100");
    Tabella(0, {{"1", "1", "0", "4"}, {"1", "1", "2", "2"}});
    Tabella(1, {});
    Tabella(2, {});
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(msg.Testi(), Testi{"Nel carico trapezio N° 2 deve essere d2 > d1"});
}

TEST_F(Form, LarghezzaNullaDiventaUno) {
    f.txtDati[0].Edita("5");
    f.SchemaAggiorna(4);
    for (const char* b : {"0", ""}) {
        msg.Svuota();
        f.txtWinkler[1].Edita(b);
        ASSERT_TRUE(f.LeggeDati());
        ASSERT_EQ(msg.Testi(),
                  Testi{"La larghezza b della trave deve essere > 0\r\nb viene posta = 1"});
        EXPECT_EQ(msg.elenco[0].icona, Icona::Informazione);
        EXPECT_EQ(std::pair(m.Dati.b, f.txtWinkler[1].testo), std::pair(1.0, " 1.000"s));
    }
}

TEST_F(Form, DatiIlleggibiliFermanoIlCalcoloEToglionoIRisultati) {
    f.txtDati[0].Edita("5");
    const auto calcola = [&](EsitoCalcolo e, const char* testo) {
        msg.Svuota();
        EXPECT_EQ(f.btnCalcola_Click(), e);
        EXPECT_EQ(msg.Testi(), Testi{testo});
    };
    const std::string intero = "N° sezioni di calcolo deve essere un numero intero da 0 a 32,767.";
    f.txtDati[3].Edita("cento");
    calcola(EsitoCalcolo::ErroreDati,
            TestoNumeroRifiutato("N° sezioni di calcolo", "cento", u.separatori).c_str());
    for (const char* n : {"40000", "2.5", "-1"}) { // beyond 16 bits; not whole; negative
        f.txtDati[3].Edita(n);
        calcola(EsitoCalcolo::ErroreDati,
                ("N° sezioni di calcolo: \"" + std::string(n) + "\" non è valido.\r\n" + intero)
                    .c_str());
        EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::TxtDati, 3}));
    }
    f.txtDati[3].Edita("100");
    f.txtRigheGriglia[1].Edita("2"); // no Enter: the grid has no rows
    calcola(EsitoCalcolo::ErroreGriglia,
            "Errore in LeggeGriglia\r\nCarichi CONCENTRATI: N° forze = 2 ma la tabella ha 0 "
            "righe (premere Invio nel campo N° forze).");
    // A good calculation, then a bad cell: the results are no longer shown.
    Tabella(1, {{"10", "2"}, {"1", "3"}});
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    EXPECT_TRUE(f.FrameRis);
    f.FlexGrid[1].ImpostaTesto(1, 2, "due");
    calcola(EsitoCalcolo::ErroreGriglia,
            ("Errore in LeggeGriglia\r\n" +
             TestoNumeroRifiutato("Carichi CONCENTRATI, riga 1, colonna d", "due", u.separatori))
                .c_str());
    EXPECT_FALSE(f.FrameRis || f.Calcolato);
    // the cell at fault is the grid's current cell, the grid has the focus
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::FlexGrid, 1}));
    EXPECT_EQ(std::pair(f.FlexGrid[1].riga, f.FlexGrid[1].colonna), std::pair(1, 2));
}

TEST(RigaComando, SeparatoriEVirgolette) {
    EXPECT_EQ(ModelloForm::DividiRigaComando("  \"C:\\Dati Trave\\a.zlv\"\t"),
              (Testi{"C:\\Dati", "Trave\\a.zlv"}));
    EXPECT_TRUE(ModelloForm::DividiRigaComando(" \"\" ").empty());
    EXPECT_EQ(ModelloForm::DividiRigaComando("a b c d e f g h i j k l").size(), 10u);
}

// The units window's OK keeps the exact values; it converts from the units in
// use even when a file opened meanwhile changed them.
TEST_F(Form, FinestraUnitaOKConverteICampiETieneIValori) {
    DatiTrave d = ProblemaScomodo(true, 0);
    d.Luce = 6;
    Apri(d);
    f.frmUnits_Apri();
    f.frmUnits.scelta = {1, 1, 1, 1}; // cm, MPa, kN, cm
    f.frmUnits_OK();
    EXPECT_EQ(std::pair(f.txtDati[0].testo, f.lblLuce), std::pair(" 600.0"s, "cm"s));
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(d, m.Dati);
    f.txtDati[0].Edita("600");
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.Luce, 6.0f);

    u.UnitaDefault();
    Apri(d);
    f.frmUnits_Apri(); // opened with m
    ASSERT_TRUE(f.ApriFileDati(Esempi + "mensola.zlv"));
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

// Each scheme under a uniform load against beam theory's closed forms: four
// digits, rotations ten; the deflection integrated on 80 steps (up to 3e-3).

TEST_P(RisultatiSchema, TestiControFormuleChiuse) {
    const AttesoSchema a = GetParam();
    f.Optschema_Click(a.schema);
    Caricata();
    f.txtDati[3].Edita("80");
    f.txtX[0].Edita("3");
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato)
        << ::testing::PrintToString(msg.Testi());
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_TRUE(f.FrameRis && !f.FrameFond && f.FrDiagrammi && f.frRisultatiInX);
    const size_t campo[9] = {0, 1, 2, 3, 4, 5, 6, 8, 10};
    const double kN = 1e-3, fattore[9] = {kN, kN, kN, kN, 1, 1, kN, kN, 1};
    const double tol[9] = {5e-4, 5e-4, 5e-4, 5e-4, 1e-6, 1e-6, 5e-4, 5e-4, a.tolF};
    const double v[9] = {a.MA, a.MB, a.RA, a.RB, a.RotA, a.RotB, a.Mmax, a.Mmin, a.fmax};
    for (size_t i = 0; i < 9; ++i) {
        const std::string& t = f.txtRis[campo[i]].testo;
        EXPECT_NEAR(ValoreNumerico(t, Separatori{}) / fattore[i], v[i],
                    tol[i] * std::abs(v[i]) + 1e-9)
            << "txtRis(" << campo[i] << ") = " << t;
    }
    if (a.schema == 0) { // M(3) = q·3·(6-3)/2 at midspan, where f is largest
        EXPECT_EQ(Testi({f.txtRis[7].testo, f.txtRis[11].testo, f.txtX[1].testo}),
                  (Testi{" 3.000", " 3.000", " 45.00"}));
    }
    if (a.schema == 3) {
        EXPECT_EQ(f.txtRis[11].testo, " 6.000");
    }
}

INSTANTIATE_TEST_SUITE_P(Schemi, RisultatiSchema, ::testing::ValuesIn(Attesi()));

// A uniform load q on a rigid foundation: soil pressure q/b, no moment.
TEST_F(Form, FondazioneRigidaCaricoUniforme) {
    f.Optschema_Click(4);
    f.OptFond_Click(0);
    Caricata();
    f.txtWinkler[1].Edita("0.5");
    f.txtX[0].Edita("2");
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato)
        << ::testing::PrintToString(msg.Testi());
    EXPECT_TRUE(f.FrameFond && !f.FrameRis && f.txtX4Visibile);
    // 10 kN/m over 0.5 m: 20000 Pa = 0.02 MPa.
    EXPECT_EQ(Testi({f.txtFond[0].testo, f.txtFond[4].testo, f.txtX[4].testo}),
              Testi(3, " 0.02000"));
    EXPECT_LT(std::abs(ValoreNumerico(f.txtFond[1].testo, u.separatori)), 1e-3);
    f.Optschema_Click(0); // a change of scheme switches the frames at once
    EXPECT_TRUE(f.FrameRis && !f.FrameFond);
}

// The springs added as loads for the calculation do not stay in the data.
TEST_F(Form, CalcolaDueVolteStessiTestiSenzaLeRigheDelleMolle) {
    DatiTrave d = ProblemaScomodo(true, 4);
    d.Luce = 8;
    d.ReagTraz = true;
    Apri(d);
    const auto testi = [&] {
        Testi t;
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

// Whatever the units, open -> "Calcola" takes the stored values bit for bit
// and save gives the same bytes.
class FileEsatto : public Form,
                   public ::testing::WithParamInterface<std::tuple<int, bool, bool>> {};

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
    EXPECT_EQ(std::pair(u.SenzaUnita, u.UnitaModello), std::pair(senza, uf.UnitaModello));
    f.btnCalcola_Click();
    EXPECT_EQ(d, m.Dati);
    ASSERT_TRUE(f.FileSalvaCome(copia.string()));
    EXPECT_EQ(LeggiFile(originale), LeggiFile(copia));
    EXPECT_EQ(f.NomeFile, "copia");
}

INSTANTIATE_TEST_SUITE_P(UnitaEParziali, FileEsatto,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::Bool(),
                                            ::testing::Bool()));

// Open -> save keeps the section record of the file; "Nuovo" drops it.
TEST_F(Form, IlRecordDellaSezioneResta) {
    const auto orig = fs::path(ZELVO_SOURCE_DIR) / "fuzz" / "corpus" / "profilo-U-doppio";
    ASSERT_TRUE(f.ApriFileDati(orig.string()));
    EXPECT_EQ(f.EsitoLettura, EsitoProgetto::Completo);
    ASSERT_TRUE(f.SezioneProgetto.Prop);
    EXPECT_TRUE(f.SezioneProgetto.Prop->SezionePr.Doppi);
    ASSERT_TRUE(f.FileSalvaCome((cartella / "copia.zlv").string()));
    EXPECT_EQ(LeggiFile(cartella / "copia.zlv"), LeggiFile(orig));
    EXPECT_TRUE(msg.elenco.empty());
    f.mnuFileItem_Click(0);
    EXPECT_FALSE(f.SezioneProgetto.Prop);
    ASSERT_TRUE(f.FileSalvaCome((cartella / "nuovo.zlv").string()));
    EXPECT_EQ(LeggiFile(cartella / "nuovo.zlv")->find("SezioneProfiloU"), std::string::npos);
}

// The File items' dialogs follow the current file; an unreadable file leaves
// the open one in place; a cancelled dialog changes nothing.
TEST_F(Form, VociFileUnaSolaSceltaDeiFile) {
    const auto dir = cartella.string(), sotto = (cartella / "sotto").string();
    fs::create_directories(sotto);
    f.CartellaDati = dir;
    const auto dati = sotto + "/trave.dat", relazione = dir + "/relazione.txt";
    fs::copy_file(Esempi + "mensola.zlv", dati);
    Testi richieste, scritti, relazioni;
    std::vector<std::optional<std::string>> risposte = {dati, relazione, std::nullopt,
                                                        std::nullopt};
    f.Servizi.SceltaFile = [&](const RichiestaDialogo& r) {
        richieste.push_back((r.salva ? "salva " : "apri ") + r.filtro + " " + r.nomeIniziale + " " +
                            r.cartellaIniziale);
        return risposte.at(richieste.size() - 1);
    };
    f.Servizi.ScriviProgetto = [&](ModelloForm&, const std::string& p) {
        scritti.push_back(p);
        return true;
    };
    f.Servizi.StampaRelazione = [&](const ModelloForm&, const std::string& p, Messaggi&) {
        relazioni.push_back(p);
        return true;
    };
    ASSERT_TRUE(f.mnuFileItem_Click(1));
    EXPECT_EQ(std::pair(f.Caption, f.CartellaDati), std::pair("Trave Zelvo - File: trave"s, sotto));
    ASSERT_TRUE(f.mnuFileItem_Click(2));
    ASSERT_TRUE(f.mnuFileItem_Click(6));
    std::ofstream(cartella / "vuoto.zlv") << "";
    // An unreadable file: the open problem keeps its file, "Salva" writes it.
    EXPECT_FALSE(f.ApriFileDati((cartella / "vuoto.zlv").string()));
    EXPECT_EQ(std::pair(f.Caption, f.CartellaDati), std::pair("Trave Zelvo - File: trave"s, sotto));
    EXPECT_TRUE(f.mnuFileItem_Click(2));
    const std::string zlv = "Tutti i Files (*.*)|*.*|Files Zelvo (*.zlv)|*.zlv";
    EXPECT_EQ(richieste,
              (Testi{"apri " + zlv + " *.zlv " + dir,
                     "salva Tutti i Files (*.*)|*.*|Files (*.txt)|*.txt trave.txt " + sotto}));
    EXPECT_EQ(scritti, (Testi{dati, dati}));
    EXPECT_EQ(relazioni, Testi{relazione});
    f.txtTitolo.Edita("mio");
    EXPECT_FALSE(f.ApriFileDati()); // cancelled: nothing changes
    EXPECT_EQ(f.txtTitolo.testo, "mio");
}

// Two windows, each with its own units and separators, in one process.
TEST(UnitaAffiancate, DueCalcoliConUnitaDiverse) {
    struct Finestra {
        ModuloZelvo m;
        UnitMisura u;
        RegistroMessaggi msg;
        ModelloForm f{m, u, msg};
    } a, b;
    for (Finestra* w : {&a, &b}) {
        w->f.InizializzaForm();
        ASSERT_TRUE(w->f.ApriFileDati(Esempi + "appoggio-appoggio.zlv"));
    }
    b.u.UnitaModello = {"mm", "Pa", "t", "N", "mm"};
    b.u.separatori = {",", "."};
    b.f.ScriveDatiInForm();
    for (Finestra* w : {&a, &b, &a})
        ASSERT_EQ(w->f.btnCalcola_Click(), EsitoCalcolo::Completato);
    EXPECT_TRUE(a.msg.elenco.empty() && b.msg.elenco.empty());
    const auto& r = a.m.Risultati;
    EXPECT_EQ(a.m.Dati, b.m.Dati);
    EXPECT_EQ(std::tuple(r.RA, r.Mmax, r.fmax),
              std::tuple(b.m.Risultati.RA, b.m.Risultati.Mmax, b.m.Risultati.fmax));
    const Separatori it{",", "."};
    const float luce = a.m.Dati.Luce, E = a.m.Dati.E;
    EXPECT_EQ(Testi({a.f.txtDati[0].testo, a.f.txtDati[1].testo, b.f.txtDati[0].testo,
                     b.f.txtDati[1].testo}),
              (Testi{a.u.Testo(Grandezza::Lunghezza, luce), a.u.Testo(Grandezza::Tensione, E),
                     FormatoLarghezza(it, 4, 10, ASingolo(luce * 1000.0)),
                     FormatoLarghezza(it, 4, 10, E)}));
}

// The report lines only a foundation has.
TEST(StampaRelazione, RigheDellaFondazione) {
    TestiRelazione t;
    t.NomeFile = "trave";
    t.Unita = {"m", "MPa", "cm^4", "kN", "kNm", "kN/m", "MN"};
    t.Dati = {" 6,000", " 210.000", " 8.356"};
    t.Vincoli = 4;
    t.FondazioneWinkler = true;
    t.ReagTraz = false;
    t.Winkler = {" 3,000", " 0,8000"};
    t.Righe = {0, 0, 1};
    t.Griglie[2] = GrigliaTesto::DaRighe({{"N°", "W", "d"}, {"1", " 50,00", " 9,000"}});
    t.Fond = {" 0,1000", " 120,0", " 300,0", " 0,003000", " 0,2000",
              " 5,000",  " 1,000", " 5,000", " 0,2500",   " 5,000"};
    t.X = {" 5,000", " 120,0", " 0", " 0,003000", " 0,09000"};
    const std::string r = TestoRelazione(t);
    for (const std::string& riga :
         {N +
              "Vincoli: Fondazione su suolo elastico; K =  3,000 daN/cm^3; b =  "
              "0,8000 m; suolo "
              "non reagente a trazione" +
              N,
          N + N + "Coppie kNm" + N + A("N°", 15) + L15("W") + L15("d") + " " + N + A("1", 15) +
              L15("50,00") + L15("9,000") + " " + N + " " + N + "Risultati" + N,
          N + A("Sigma_tA =  0,1000 MPa", 30) + "Sigma_tB =  0,2000 MPa" + N +
              A("max M =  120,0 kNm", 30) + "x max M =  5,000 m" + N + A("max V =  300,0 MN", 30) +
              "x max V =  1,000 m" + N + A("f max =  0,003000 m", 30) + "x f max =  5,000 m" + N +
              A("Sigma_t max =  0,2500 MPa", 30) + "x Sigma_t max =  5,000 m" + N,
          N + A("x", 15) + L15("M(x)") + L15("V(x)") + L15("f(x)") + "Sigma_t(x)" + N +
              A(" 5,000", 15) + L15(" 120,0") + L15(" 0") + L15(" 0,003000") + " 0,09000"})
        EXPECT_NE(r.find(riga), std::string::npos) << riga << "\n---\n" << r;
    t.FondazioneWinkler = false;
    t.ReagTraz = true;
    EXPECT_NE(TestoRelazione(t).find(N +
                                     "Vincoli: Fondazione infinitamente rigida; K =  3,000 "
                                     "daN/cm^3; b =  0,8000 m; suolo reagente a trazione" +
                                     N),
              std::string::npos);
}

// File, "Calcola", report. L = 6 m, q = 10 kN/m, E·J = 9e7 N·m² exact in
// singles: R = qL/2, M = qL²/8, rotations qL³/24EJ, f = 5qL⁴/384EJ.
TEST_F(Form, DalFileAllaRelazioneTraveAppoggiata) {
    const auto p = cartella / "rel_appoggiata.zlv";
    std::ofstream(p, std::ios::binary)
        << "\"Appoggiata\",\"5.4\"\r\n92160000000,0.0009765625,"
           "6\r\n100\r\n0\r\n1\r\n"
           "10000,10000,0,6\r\n0\r\n0\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n"
           "\"m\",\"MPa\",\"t\",\"kN\",\"cm\"\r\n0\r\n0,0,0,#FALSE#\r\n3\r\n";
    ASSERT_TRUE(f.ApriFileDati(p.string()));
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    EXPECT_TRUE(msg.elenco.empty());
    const std::string atteso =
        "NOME FILE: rel_appoggiata" + N + "Titolo: Appoggiata" + N + " " + N + " " + N +
        "--------------------------  DATI : --------------------------" + N + " " + N +
        A("E MPa", 20) + A("J cm^4", 21) + "Luce m" + N + A(" 92,160", 20) + A(" 97,656", 21) +
        " 6.000" + N + " " + N + "Vincoli: Appoggio - Appoggio" + N + //
        N + "Carichi distribuiti trapezi kN/m" + N +                  //
        A("N°", 15) + L15("q1") + L15("q2") + L15("d1") + L15("d2") + " " + N + A("1", 15) +
        L15("10.00") + L15("10.00") + L15("0") + L15("6.000") + " " + N + //
        " " + N + "Risultati" + N +                                       //
        A("MA =  0 kNm", 30) + "MB =  0 kNm" + N +                        //
        A("RA =  30.00 kN", 30) + "RB =  30.00 kN" + N +                  //
        // 30 characters: the right item goes to column 30 of the next line.
        "Rotaz. A =  0.001000000000 (rad)" + N + Sp(29) + "Rotaz. B =  0.001000000000 (rad)" + N +
        A("max M+ =  45.00 kNm", 30) + "x max M+ =  3.000 m" + N + //
        A("max M- =  0 kNm", 30) + "x max M- =  0 m" + N +         //
        A("f max =  0.001875 m", 30) + "x f max =  3.000 m" + N +  //
        " " + N + "Risultati all'ascissa x" + N +                  //
        A("x", 15) + L15("M(x)") + L15("V(x)") + "f(x)" + N +      //
        A(" 3.000", 15) + L15(" 45.00") + L15(" 0") + " 0.001875";
    EXPECT_EQ(TestoRelazione(TestiDaForm(f)), atteso);
}

// An overflowing number anywhere: a message, nothing escapes, then fixed.
TEST_P(Traboccamento, IlMessaggioEIlFormRestaUsabile) {
    const auto [tipo, i, buono] = GetParam();
    Mensola();
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    if (tipo == 'w') {
        f.Optschema_Click(4);
        f.OptFond_Click(1);
    }
    const auto scrivi = [&, tipo = tipo, i = i](const std::string& t) {
        if (tipo == 'c') {
            f.FlexGrid_Seleziona(1, 1, i);
            f.txtEdit_Edita(1, t, 1, 0);
            f.txtEdit_PerdeFuoco(1);
            return;
        }
        f.Campo_Edita(tipo == 'd'   ? f.txtDati[size_t(i)]
                      : tipo == 'w' ? f.txtWinkler[size_t(i)]
                      : tipo == 'x' ? f.txtX[0]
                                    : f.txtRigheGriglia[1],
                      t);
    };
    msg.Svuota();
    scrivi("1E+400");
    EXPECT_NO_THROW({
        if (tipo == 'd') f.txtDati_Invio(i);
        if (tipo == 'w') f.txtWinkler_Invio(i);
        if (tipo == 'x') f.txtX_Invio();
    });
    EXPECT_NE(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    ASSERT_FALSE(msg.elenco.empty());
    // one message, naming the field or cell: beyond the numbers, or beyond a
    // count's range
    ASSERT_EQ(msg.elenco.size(), 1u);
    const std::string& x = msg.elenco[0].testo;
    EXPECT_TRUE(x.find("\"1E+400\" è fuori dai limiti dei numeri.") != std::string::npos ||
                x.find("deve essere un numero intero da 0 a 32,767.") != std::string::npos)
        << x;
    EXPECT_FALSE(f.Calcolato);
    scrivi(buono);
    msg.Svuota();
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
}

INSTANTIATE_TEST_SUITE_P(OgniCampo, Traboccamento, ::testing::ValuesIn(Campi));

// A stiff foundation without tension, loaded near one end: the passes show
// in the label, pending events run once per pass, none acts in between.
TEST_F(Form, CalcolaDuranteLeIterazioniNonFaNulla) {
    f.Campo_Edita(f.txtTitolo, "sollevamento");
    Dati({"10", "210000", "1000000"});
    f.Optschema_Click(4);
    f.OptFond_Click(1);
    f.Campo_Edita(f.txtWinkler[1], "1");
    f.chkReagTraz_Click(false);
    EXPECT_TRUE(f.lblWinkler3);
    Righe(1, "1");
    Cella(1, "100");
    Cella(1, "0.5");
    Testi etichette, attese;
    std::vector<EsitoCalcolo> interni;
    int notifiche = 0;
    f.Cambiato = [&] { ++notifiche; };
    f.Servizi.EventiInSospeso = [&] {
        EXPECT_TRUE(f.Occupato());
        etichette.push_back(f.testoIterazione);
        attese.push_back("Iterazione " + std::to_string(attese.size() + 1));
        interni.push_back(f.btnCalcola_Click());
        f.mnuFileItem_Click(0);
        f.Optschema_Click(0);
    };
    msg.Svuota();
    const uint64_t prima = f.Revisione();
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    ASSERT_GE(etichette.size(), 2u);
    EXPECT_EQ(etichette, attese);
    EXPECT_EQ(interni, std::vector(etichette.size(), EsitoCalcolo::ErroreDati));
    EXPECT_TRUE(msg.elenco.empty()) << msg.Testi()[0];
    // "Nuovo" did not run; one notification per pass and one for the event.
    EXPECT_EQ(std::tuple(f.txtTitolo.testo, f.Optschema, f.Occupato(), f.FrameFond),
              std::tuple("sollevamento"s, 4, false, true));
    EXPECT_EQ(f.Revisione() - prima, etichette.size() + 1);
    EXPECT_EQ(notifiche, int(etichette.size()) + 1);
}

// K -> b -> divisions (elastic soil only) -> "Calcola".
TEST_F(Form, CatenaDegliInvioDellaFondazione) {
    f.Optschema_Click(4);
    using T = TipoControllo;
    for (const auto& [elastico, campo, dopo] : {std::tuple(1, 0, Fuoco{T::TxtWinkler, 1}),
                                                {1, 1, Fuoco{T::TxtWinkler, 2}},
                                                {1, 2, Fuoco{T::BtnCalcola, 0}},
                                                {0, 1, Fuoco{T::BtnCalcola, 0}}}) {
        f.OptFond_Click(elastico);
        f.txtWinkler_Invio(campo);
        EXPECT_EQ(f.fuoco, dopo) << campo;
    }
}

// Rows kept when grids grow; the last cell (or 0 rows) to the next control.
TEST_F(Form, GriglieDeiCarichi) {
    Righe(1, "2");
    f.txtEdit_Edita(1, "1234.50", 7, 0);
    f.txtEdit_PerdeFuoco(1);
    EXPECT_EQ(f.FlexGrid[1].Testo(1, 1), "1,234.5");
    Righe(1, "3");
    EXPECT_EQ(std::pair(f.FlexGrid[1].Testo(1, 1), f.FlexGrid[1].Testo(3, 1)),
              std::pair("1,234.5"s, ""s));
    const Fuoco dopo[3] = {{TipoControllo::TxtRigheGriglia, 1},
                           {TipoControllo::TxtRigheGriglia, 2},
                           {TipoControllo::BtnCalcola, 0}};
    for (int t = 0; t < 3; ++t) {
        Righe(t, "1");
        for (int c = 1; c < f.FlexGrid[size_t(t)].Colonne(); ++c)
            Cella(t, std::to_string(c));
        EXPECT_EQ(f.fuoco, dopo[t]) << t;
        EXPECT_FALSE(f.FlexGrid[size_t(t)].editor.visibile);
        Righe(t, "0");
        EXPECT_FALSE(f.FlexGrid[size_t(t)].visibile);
        EXPECT_EQ(f.fuoco, dopo[t]) << t;
    }
}

// Without valid data no diagram opens, nothing prints, no DXF is written (the
// output's own message); a window that raises a fault stops nothing;
// "&Stampa" goes through the diagram output.
TEST_F(Form, SenzaDatiValidiNienteFinestreStampeOFile) {
    int finestre = 0;
    f.Servizi.MostraDiagramma = [&](int) { ++finestre; };
    f.Servizi.MostraSezione = [] { throw std::runtime_error("finestra"); };
    const auto dxf = cartella / "guasto.dxf";
    UscitaDiagrammi uscita(msg); // no printer: the printer's message
    uscita.Servizi().Salva = [&](const std::string&, const std::string&, int) {
        return std::optional<std::string>(dxf.string());
    };
    f.Servizi.Uscita = &uscita;
    RegistroStampante stampante;
    f.Servizi.StampanteSistema = &stampante;
    f.Campo_Edita(f.txtDati[0], "5");
    f.Campo_Edita(f.txtDati[3], "x");
    f.cbDiagramma_Click(0);
    EXPECT_FALSE(f.mnuFileItem_Click(5));
    EXPECT_FALSE(f.mnuFileItem_Click(10));
    EXPECT_TRUE(finestre == 0 && stampante.stampati.empty() && !fs::exists(dxf));
    f.Campo_Edita(f.txtDati[3], "100");
    Mensola();
    EXPECT_NO_THROW(f.cmdSezione_Click());
    f.cbDiagramma_Click(3);
    // The field that is not a number is named by each command it stops.
    const std::string x = TestoNumeroRifiutato("N° sezioni di calcolo", "x", u.separatori);
    EXPECT_EQ(msg.Testi(), (Testi{x, x, x, TestoErroreDati, TestoStampanteAssente}));
}

TEST_F(Form, FilesDiEsempioPartonoDallaLoroCartellaESenzaCambiareLUltima) {
    const std::string tmp = std::filesystem::temp_directory_path().string();
    f.CartellaDati = tmp;
    f.CartellaEsempi = std::string(ZELVO_SOURCE_DIR) + "/examples";
    std::string iniziale;
    f.Servizi.SceltaFile = [&](const RichiestaDialogo& r) -> std::optional<std::string> {
        iniziale = r.cartellaIniziale;
        return f.CartellaEsempi + "/mensola.zlv";
    };
    f.mnuAiutoItem_Click(1);
    EXPECT_EQ(std::tuple(iniziale, f.NomeFile, f.CartellaDati),
              std::tuple(f.CartellaEsempi, "mensola"s, tmp));
}

// Unsaved work: a save cancelled or failed keeps the problem.
TEST_F(Form, ModificheNonSalvate) {
    Testi salvati;
    bool riesce = true;
    std::optional<std::string> nome;
    f.Servizi.ScriviProgetto = [&](ModelloForm&, const std::string& p) {
        salvati.push_back(p);
        return riesce;
    };
    f.Servizi.SceltaFile = [&](const RichiestaDialogo&) { return nome; };
    EXPECT_TRUE(f.mnuFileItem_Click(0)); // nothing changed: nothing asked
    EXPECT_TRUE(msg.elenco.empty());
    Mensola();
    msg.risposteAnnulla = {Risposta::Si, Risposta::Si, Risposta::Si};
    EXPECT_FALSE(f.Chiusura()); // the save dialog is cancelled
    EXPECT_FALSE(f.Chiuso);
    nome = "/tmp/nuovo.zlv";
    riesce = false;
    // The save fails: "Nuovo" is not blocked, it goes on without saving.
    EXPECT_TRUE(f.mnuFileItem_Click(0));
    EXPECT_EQ(f.FlexGrid[1].Righe(), 1);
    Mensola();
    riesce = true;
    EXPECT_TRUE(f.mnuFileItem_Click(0)); // saved, then "Nuovo"
    EXPECT_FALSE(f.DatiModificati());
    f.Campo_Edita(f.txtDati[0], "4");
    msg.Svuota();
    msg.risposteAnnulla = {Risposta::No};
    EXPECT_TRUE(f.mnuFileItem_Click(12));
    EXPECT_EQ(msg.Testi(), Testi{"I dati sono stati modificati. Salvare le modifiche?"});
    EXPECT_TRUE(f.Chiuso);
    EXPECT_EQ(salvati, Testi(2, "/tmp/nuovo.zlv"));
}

// Unfinished work is saved as it stands: an empty span and an empty cell are
// written as 0 and come back as 0, and the data warnings come after the
// file is written, not instead of it.
TEST_F(Form, LavoroIncompiutoSiSalvaEGliAvvisiVengonoDopo) {
    const fs::path p = cartella / "incompiuto.zlv";
    Righe(1, "2");
    f.FlexGrid[1].ImpostaTesto(1, 1, "10");
    f.FlexGrid[1].ImpostaTesto(1, 2, "2");
    f.FlexGrid[1].ImpostaTesto(2, 1, "5"); // its position still empty
    bool scritto = false;
    const auto scrivi = f.Servizi.ScriviProgetto;
    f.Servizi.ScriviProgetto = [&](ModelloForm& m, const std::string& q) {
        EXPECT_TRUE(msg.elenco.empty()); // nothing said before the file is written
        scritto = scrivi(m, q);
        return scritto;
    };
    ASSERT_TRUE(f.FileSalvaCome(p.string()));
    EXPECT_TRUE(scritto);
    // the span of 0 and the force beyond it, each once from each check
    EXPECT_EQ(msg.Testi(), (Testi{"Luce = 0 !!!!", "Carico concentrato N° 1 esteso oltre la luce",
                                  "Carico concentrato N° 1 esteso oltre la luce"}));
    EXPECT_FALSE(f.DatiModificati());
    // The file reopens with the empty cell as 0 and the span as 0.
    msg.Svuota();
    f.FileNuovo();
    ASSERT_TRUE(f.ApriFileDati(p.string()));
    ASSERT_EQ(m.Dati.NConcentrati, 2);
    EXPECT_EQ(m.Dati.CarichiConcentrati(2).F, 5000.0f);
    EXPECT_EQ(m.Dati.CarichiConcentrati(2).d, 0.0f);
    EXPECT_EQ(m.Dati.Luce, 0.0f);
    EXPECT_EQ(f.FlexGrid[1].Testo(2, 2), " 0");
    // A calculation still names the empty span.
    msg.Svuota();
    f.txtDati[0].Edita("");
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::ErroreDati);
    EXPECT_EQ(msg.Testi().back(),
              "Errore! Controllare i dati\r\nLuce deve essere maggiore di zero.");
}

// The data never block "Apri": with a cell that is not a number, "Sì" to the
// question refuses the save (the cell named) and the chosen file opens;
// "No" opens it at once. The refused text is never written anywhere.
TEST_F(Form, DatiIlleggibiliNonBloccanoApri) {
    const std::string esempio = Esempi + "mensola.zlv";
    for (Risposta r : {Risposta::Si, Risposta::No}) {
        f.FileNuovo();
        Mensola();
        f.FlexGrid[1].ImpostaTesto(1, 1, "abc");
        int salvataggi = 0;
        f.Servizi.ScriviProgetto = [&](ModelloForm&, const std::string&) {
            return ++salvataggi, true;
        };
        f.Servizi.SceltaFile = [&](const RichiestaDialogo&) {
            return std::optional<std::string>(esempio);
        };
        msg.Svuota();
        msg.risposteAnnulla = {r};
        EXPECT_TRUE(f.mnuFileItem_Click(1));
        EXPECT_EQ(salvataggi, 0);
        EXPECT_EQ(f.PercorsoFile, esempio);
        EXPECT_EQ(f.txtTitolo.testo, "Mensola IPE 220 - sbalzo di balcone");
        Testi attesi{"I dati sono stati modificati. Salvare le modifiche?"};
        if (r == Risposta::Si)
            attesi.push_back("Errore in LeggeGriglia\r\n" +
                             TestoNumeroRifiutato("Carichi CONCENTRATI, riga 1, colonna F", "abc",
                                                  u.separatori));
        EXPECT_EQ(msg.Testi(), attesi);
    }
}

// A write that fails does not block "Esci": the message, then the window closes.
TEST_F(Form, SalvataggioFallitoNonBloccaEsci) {
    Mensola();
    f.Servizi.ScriviProgetto = [](ModelloForm&, const std::string&) { return false; };
    f.Servizi.SceltaFile = [](const RichiestaDialogo&) {
        return std::optional<std::string>("/tmp/mai.zlv");
    };
    msg.risposteAnnulla = {Risposta::Si};
    EXPECT_TRUE(f.Chiusura());
    EXPECT_TRUE(f.Chiuso);
    // A save dialog the user cancels keeps the window open.
    ModelloForm g(m, u, msg);
    g.InizializzaForm();
    g.Campo_Edita(g.txtDati[0], "5");
    g.Servizi.SceltaFile = [](const RichiestaDialogo&) { return std::optional<std::string>(); };
    msg.risposteAnnulla = {Risposta::Si};
    EXPECT_FALSE(g.Chiusura());
    EXPECT_FALSE(g.Chiuso);
}

// The units window's OK refused by a field that is not a number: units and
// data stay, the field is named, and later warnings are not silenced.
TEST_F(Form, UnitaRifiutateNonZittisconoGliAvvisi) {
    f.Campo_Edita(f.txtDati[0], "5");
    f.Campo_Edita(f.txtDati[1], "abc");
    const UnitMisura prima = u;
    f.frmUnits_Apri();
    f.frmUnits.scelta[0] = 1;
    f.Evento([&] { f.frmUnits_OK(); });
    EXPECT_EQ(msg.Testi(), Testi{TestoNumeroRifiutato("E", "abc", u.separatori)});
    EXPECT_EQ(u.UnitaModello, prima.UnitaModello);
    EXPECT_EQ(f.txtDati[1].testo, "abc");
    msg.Svuota();
    f.Campo_Edita(f.txtDati[0], "0");
    f.Campo_Edita(f.txtDati[1], "1");
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(msg.Testi(), Testi{"Luce = 0 !!!!"});
}

// A foundation file on soil without tension shows the box unticked: the box
// is the soil the calculation uses.
TEST_F(Form, ReagTrazDalFile) {
    ASSERT_TRUE(f.ApriFileDati(Esempi + "fondazione-winkler.zlv"));
    ASSERT_FALSE(m.Dati.ReagTraz);
    EXPECT_FALSE(f.chkReagTraz);
    EXPECT_TRUE(f.lblWinkler3);
    f.FileNuovo();
    f.Optschema_Click(4);
    EXPECT_EQ(f.chkReagTraz, m.Dati.ReagTraz);
}
