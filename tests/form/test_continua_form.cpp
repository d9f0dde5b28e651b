// The continuous beam in the main window's model: the count and the two
// tables typed with the keyboard, the strict reading of their cells, the
// support kinds typed as words, the example file opened and saved unchanged,
// and the results tables against closed forms.
#include "form/diagrammi_form.h"
#include "form/modello_form.h"
#include "graphics/superficie_registro.h"
#include "io/numeri.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace zelvo;
namespace fs = std::filesystem;
using Testi = std::vector<std::string>;

namespace {

const std::string Esempio = std::string(ZELVO_SOURCE_DIR) + "/examples/trave-continua.zlv";

std::string Byte(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class FormContinua : public ::testing::Test {
  protected:
    FormContinua() : f(m, u, msg) {
        u.UnitaDefault(); // m, MPa, t, kN, cm
        f.InizializzaForm();
    }
    double Num(const std::string& t) const { return ValoreNumerico(t, u.separatori); }
    // Text typed into the open editor of table t, confirmed with Enter.
    void Cella(int t, const std::string& testo) {
        ASSERT_EQ(f.fuoco, (Fuoco{TipoControllo::EditContinua, t})) << testo;
        f.Travata.Editor_Edita(t, testo, int(testo.size()), 0);
        f.Travata.Editor_Tasto(t, TastoEditor::Invio);
    }
    // Scheme "Continua", n spans through the count field.
    void Campate(const std::string& n) {
        f.Optschema_Click(zelvo::Continua);
        f.Campo_Edita(f.Travata.txtCampate, n);
        f.Travata.txtCampate_Invio();
    }
    // Two hinged spans of 4 m with 10 kN/m over the whole beam, typed along
    // the Enter chain.
    void DueCampate() {
        f.Campo_Edita(f.txtDati[1], "210000");
        f.Campo_Edita(f.txtDati[2], "8356");
        Campate("2");
        for (const char* t : {"4", "8356", "4", "8356"})
            Cella(0, t);
        // The supports' first cell follows the last span cell.
        for (const char* t : {"a", "0", "0", "app", "0", "0", "APPOGGIO", "0", "0"})
            Cella(1, t);
        f.Campo_Edita(f.txtRigheGriglia[0], "1");
        f.txtRigheGriglia_Invio(0);
        for (const char* t : {"10", "10", "0", "8"}) {
            f.txtEdit_Edita(0, t, 1, 0);
            f.txtEdit_Tasto(0, TastoEditor::Invio);
        }
    }
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    ModelloForm f;
};

TEST(TipoAppoggio, ParoleEInizi) {
    EXPECT_EQ(TipoAppoggioDaTesto("Incastro"), TipoAppoggio::Incastro);
    EXPECT_EQ(TipoAppoggioDaTesto(" inc "), TipoAppoggio::Incastro);
    EXPECT_EQ(TipoAppoggioDaTesto("A"), TipoAppoggio::Appoggio);
    EXPECT_EQ(TipoAppoggioDaTesto("MOLLA"), TipoAppoggio::Molla);
    EXPECT_EQ(TipoAppoggioDaTesto("lib"), TipoAppoggio::Libero);
    for (const char* no : {"", "  ", "x", "Mollla", "Appoggi0", "Incastrox", "1"})
        EXPECT_FALSE(TipoAppoggioDaTesto(no).has_value()) << no;
}

// The example opens into the tables and saves back byte for byte.
TEST_F(FormContinua, EsempioApertoESalvatoUguale) {
    ASSERT_TRUE(f.ApriFileDati(Esempio));
    EXPECT_EQ(f.Optschema, zelvo::Continua);
    const ContinuaForm& c = f.Travata;
    EXPECT_EQ(c.txtCampate.testo, "4");
    ASSERT_EQ(c.Griglia[0].Righe(), 5);
    ASSERT_EQ(c.Griglia[1].Righe(), 6);
    const double L[4] = {1.5, 5, 6, 5};
    for (int i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(Num(c.Griglia[0].Testo(i + 1, 1)), L[i]);
    // J in cm⁴: 8.356E-05 m⁴ = 8356 cm⁴.
    EXPECT_DOUBLE_EQ(Num(c.Griglia[0].Testo(1, 2)), 8356);
    const Testi tipi{"Libero", "Appoggio", "Appoggio", "Molla", "Incastro"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(c.Griglia[1].Testo(i + 1, 1), tipi[size_t(i)]);
    // Settlement of the third support 0.002 m; the spring 5E+07 N/m = 50000 kN/m.
    EXPECT_DOUBLE_EQ(Num(c.Griglia[1].Testo(3, 3)), 0.002);
    EXPECT_DOUBLE_EQ(Num(c.Griglia[1].Testo(4, 2)), 50000);
    EXPECT_DOUBLE_EQ(Num(f.txtDati[0].testo), 17.5);
    EXPECT_FALSE(f.DatiModificati());

    const fs::path copia = fs::temp_directory_path() / "zelvo-continua-copia.zlv";
    ASSERT_TRUE(f.FileSalvaCome(copia.string()));
    EXPECT_EQ(Byte(copia), Byte(Esempio));
    // Calculated, then saved again: still the same file.
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    ASSERT_TRUE(f.FileSalva());
    EXPECT_EQ(Byte(copia), Byte(Esempio));
    fs::remove(copia);
    EXPECT_TRUE(msg.Testi().empty());
}

// Two equal hinged spans under q: the three-moment equation gives the
// moment over the middle support -qL²/8, the end reactions 3qL/8 and the
// middle one 10qL/8; each span's largest sagging moment 9qL²/128 at 3L/8
// from its end support. q = 10, L = 4: R = 15, 50, 15; M = -20; M+ = 11.25
// at 1.5 and 6.5.
TEST_F(FormContinua, DueCampateDigitateEFormeChiuse) {
    DueCampate();
    EXPECT_TRUE(msg.Testi().empty()) << msg.Testi().front();
    EXPECT_EQ(f.Travata.Griglia[1].Testo(1, 1), "Appoggio");
    EXPECT_EQ(f.Travata.Griglia[1].Testo(3, 1), "Appoggio");
    // Luce shows the sum of the spans.
    EXPECT_DOUBLE_EQ(Num(f.txtDati[0].testo), 8);
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato) << msg.Testi().front();
    const GrigliaTesto& a = f.Travata.RisAppoggi;
    ASSERT_EQ(a.Righe(), 5);
    EXPECT_EQ(a.Testo(0, 2), "R");
    EXPECT_EQ(a.Testo(1, 2), "kN");
    const double x[3] = {0, 4, 8}, R[3] = {15, 50, 15}, M[3] = {0, -20, 0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(Num(a.Testo(i + 2, 1)), x[i], 1e-6);
        EXPECT_NEAR(Num(a.Testo(i + 2, 2)), R[i], 1e-3);
        EXPECT_NEAR(Num(a.Testo(i + 2, 3)), M[i], 1e-3);
    }
    const GrigliaTesto& s = f.Travata.RisCampate;
    ASSERT_EQ(s.Righe(), 4);
    EXPECT_NEAR(Num(s.Testo(2, 1)), 11.25, 1e-3);
    EXPECT_NEAR(Num(s.Testo(2, 2)), 1.5, 1e-3);
    EXPECT_NEAR(Num(s.Testo(3, 2)), 6.5, 1e-3);
    EXPECT_NEAR(Num(s.Testo(2, 3)), -20, 1e-3);
    // |V| max: 5qL/8 = 25 beside the middle support.
    EXPECT_NEAR(Num(s.Testo(2, 5)), 25, 1e-3);
    // f max of a span: by symmetry each span is propped (hinged at the end,
    // fixed over the middle): w(x) = q x (L³ − 3 L x² + 2 x³) / (48 EJ),
    // largest where L³ − 9 L x² + 8 x³ = 0, x = L (1 + √33) / 16.
    const double EJ = 210000e6 * 8356e-8, xf = 4 * (1 + std::sqrt(33.0)) / 16;
    const double f = 10e3 * xf * (64 - 12 * xf * xf + 2 * xf * xf * xf) / (48 * EJ);
    EXPECT_NEAR(Num(s.Testo(2, 6)), f, 1e-3 * f);
    EXPECT_NEAR(Num(s.Testo(2, 7)), xf, 2e-3);
    EXPECT_NEAR(Num(s.Testo(2, 8)), 4 / f, 2e-3 * 4 / f + 1);
}

TEST_F(FormContinua, NuovaCampataPrendeJEdAppoggio) {
    f.Campo_Edita(f.txtDati[2], "12345");
    Campate("3");
    const ContinuaForm& c = f.Travata;
    ASSERT_EQ(c.Griglia[0].Righe(), 4);
    ASSERT_EQ(c.Griglia[1].Righe(), 5);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(c.Griglia[0].Testo(r, 1), "");
        EXPECT_EQ(c.Griglia[0].Testo(r, 2), "12345");
    }
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(c.Griglia[1].Testo(r, 1), "Appoggio");
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::EditContinua, 0}));
    // Only the supports' kinds are words: "a" in a span length stays "a".
    Cella(0, "a");
    EXPECT_EQ(c.Griglia[0].Testo(1, 1), "a");
    // The J field's Enter leads to the count of spans.
    f.txtDati_Invio(2);
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::TxtCampate, 0}));
    // A smaller count keeps the first rows.
    f.Travata.Griglia[0].ImpostaTesto(1, 1, "2,5");
    Campate("1");
    EXPECT_EQ(c.Griglia[0].Testo(1, 1), "2,5");
    EXPECT_EQ(c.Griglia[1].Righe(), 3);
}

TEST_F(FormContinua, DatiRifiutatiNominanoLaCella) {
    DueCampate();
    msg.Svuota();
    f.Travata.Griglia[1].ImpostaTesto(2, 1, "carrello");
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::ErroreDati);
    EXPECT_EQ(msg.Testi(), Testi{"Appoggi, riga 2, colonna Tipo: \"carrello\" non è un tipo di "
                                 "appoggio.\r\nScrivere Incastro, Appoggio, Molla o Libero."});
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::GrigliaContinua, 1}));
    EXPECT_EQ(f.Travata.Griglia[1].riga, 2);
    EXPECT_EQ(f.Travata.Griglia[1].colonna, 1);

    f.Travata.Griglia[1].ImpostaTesto(2, 1, "m");
    f.Travata.Griglia[0].ImpostaTesto(2, 1, "4x");
    msg.Svuota();
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::ErroreGriglia);
    EXPECT_EQ(msg.Testi(),
              Testi{"Errore in LeggeGriglia\r\n" +
                    TestoNumeroRifiutato("Campate, riga 2, colonna L", "4x", u.separatori)});
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::GrigliaContinua, 0}));

    f.Travata.Griglia[0].ImpostaTesto(2, 1, "");
    msg.Svuota();
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::ErroreGriglia);
    EXPECT_EQ(msg.Testi(),
              Testi{"Errore in LeggeGriglia\r\nCampate, riga 2, colonna L: la cella è vuota."});

    // A count the tables do not show.
    f.Travata.Griglia[0].ImpostaTesto(2, 1, "4");
    f.Campo_Edita(f.Travata.txtCampate, "3");
    msg.Svuota();
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::ErroreGriglia);
    EXPECT_EQ(msg.Testi(), Testi{"Errore in LeggeGriglia\r\nCampate: N° campate = 3 ma la "
                                 "tabella ha 2 righe (premere Invio nel campo N° campate)."});
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::TxtCampate, 0}));
    f.Campo_Edita(f.Travata.txtCampate, "due");
    msg.Svuota();
    f.Travata.txtCampate_Invio();
    EXPECT_EQ(msg.Testi(), Testi{"N° campate: \"due\" non è valido.\r\nN° campate deve essere un "
                                 "numero intero da 1 a " +
                                 FormatoNumero(u.separatori, 32766) + "."});
}

// A changed span moves the length the calculation uses; the units window
// converts the tables.
TEST_F(FormContinua, LuceEUnita) {
    DueCampate();
    f.Travata.Griglia[0].ImpostaTesto(2, 1, "6");
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    EXPECT_FLOAT_EQ(m.Dati.Luce, 10);
    EXPECT_DOUBLE_EQ(Num(f.txtDati[0].testo), 10);
    f.frmUnits_Apri();
    f.frmUnits.scelta[0] = 1; // cm
    f.frmUnits_OK();
    EXPECT_DOUBLE_EQ(Num(f.Travata.Griglia[0].Testo(2, 1)), 600);
    EXPECT_DOUBLE_EQ(Num(f.Travata.Griglia[1].Testo(2, 3)), 0);
    EXPECT_EQ(f.Travata.Griglia[1].Testo(2, 1), "Appoggio");
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    EXPECT_FLOAT_EQ(m.Dati.Luce, 10);
    EXPECT_DOUBLE_EQ(m.Dati.Campate[1].L, 6);
}

// The diagrams of the example: the header gives the spans' count (no
// single J), every span's largest moment and every support's moment are
// labelled, and the value under the mouse in every span is the module's
// exact value there (read in single precision).
TEST_F(FormContinua, DiagrammiELetturaLungoLaTrave) {
    ASSERT_TRUE(f.ApriFileDati(Esempio));
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    const ContestoDiagrammi c = ContestoFinestre(f);
    const RisultatiContinua& r = m.Continua;
    ModelloDiagramma momenti(0), tagli(1);
    TelaRegistro t;
    ASSERT_TRUE(momenti.Disegna(c, t));
    std::vector<std::string> testi;
    for (const auto& k : t.tratti)
        if (k.tipo == "Testo") testi.push_back(k.testo);
    bool campate = false;
    for (const auto& x : testi) {
        EXPECT_EQ(x.find("J ="), std::string::npos) << x;
        campate = campate || x.find("; 4 campate") != std::string::npos;
    }
    EXPECT_TRUE(campate);
    // M over the second support (x = 1.5) labelled, in the window's units.
    const std::string M2 =
        FormatoEtichetta(u.separatori, 4, u.Mostrata(Grandezza::Momento, r.Appoggi[1].Momento));
    EXPECT_NE(std::find_if(testi.begin(), testi.end(),
                           [&](const std::string& x) { return x.starts_with(M2); }),
              testi.end())
        << M2;

    // The deflection of each span on the deflected shape: the largest one
    // (third span) at least.
    std::string f3 =
        FormatoEtichetta(u.separatori, 4, u.Mostrata(Grandezza::Lunghezza, r.Campate[2].fMaxGiu));
    f3.erase(0, f3.find_first_not_of(' '));
    EXPECT_NE(std::find(testi.begin(), testi.end(), "f=" + f3 + " m"), testi.end()) << f3;

    auto colonna = [](const TelaRegistro& tt, double x) {
        return (x - tt.ScalaLeft()) * tt.LarghezzaDispositivo() / tt.ScalaWidth();
    };
    const double scalaM = std::max(std::abs(r.Mmax), std::abs(r.Mmin));
    const double scalaV = std::abs(r.Vmax);
    TelaRegistro tv;
    ASSERT_TRUE(tagli.Disegna(c, tv));
    for (const double x : {0.75, 2.125, 4.0, 9.25, 12.5, 14.0, 17.0}) {
        const auto lm = momenti.Leggi(c, colonna(t, x));
        ASSERT_TRUE(lm) << x;
        EXPECT_NEAR(lm->x, x, 1e-9);
        EXPECT_NEAR(lm->valore, r.MomentoIn(x), 1e-5 * scalaM) << x;
        ASSERT_TRUE(lm->freccia);
        EXPECT_NEAR(*lm->freccia, r.FrecciaIn(x), 1e-3 * std::abs(r.fMaxGiu) + 1e-9) << x;
        const auto lv = tagli.Leggi(c, colonna(tv, x));
        ASSERT_TRUE(lv) << x;
        EXPECT_NEAR(lv->valore, r.TaglioIn(x), 1e-5 * scalaV) << x;
    }
    EXPECT_FALSE(momenti.Leggi(c, colonna(t, 17.6)));
}

} // namespace
