// The form model: data reading and its messages, partial distances, exact
// values behind the fields, results display, the units window.
#include "form/modello_form.h"
#include "graphics/superficie_registro.h"
#include "io/generale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <unistd.h>

using namespace zelvo;

namespace {

uint32_t Bit(float v) {
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}
uint64_t Bit(double v) {
    uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// Every field of two problems, compared bit for bit.
void StessiBit(const DatiTrave& a, const DatiTrave& b) {
    EXPECT_EQ(a.Titolo, b.Titolo);
    EXPECT_EQ(Bit(a.Luce), Bit(b.Luce));
    EXPECT_EQ(Bit(a.E), Bit(b.E));
    EXPECT_EQ(Bit(a.J), Bit(b.J));
    EXPECT_EQ(a.Vincoli, b.Vincoli);
    EXPECT_EQ(a.NSezioni, b.NSezioni);
    EXPECT_EQ(Bit(a.AscissaX), Bit(b.AscissaX));
    EXPECT_EQ(a.DistanzeParziali, b.DistanzeParziali);
    ASSERT_EQ(a.NTrapezi, b.NTrapezi);
    ASSERT_EQ(a.NConcentrati, b.NConcentrati);
    ASSERT_EQ(a.NCoppie, b.NCoppie);
    for (int i = 1; i <= a.NTrapezi; ++i) {
        const auto &x = a.CarichiTrapezi(i), &y = b.CarichiTrapezi(i);
        EXPECT_EQ(Bit(x.q1), Bit(y.q1)) << i;
        EXPECT_EQ(Bit(x.q2), Bit(y.q2)) << i;
        EXPECT_EQ(Bit(x.d1), Bit(y.d1)) << i;
        EXPECT_EQ(Bit(x.d2), Bit(y.d2)) << i;
    }
    for (int i = 1; i <= a.NConcentrati; ++i) {
        EXPECT_EQ(Bit(a.CarichiConcentrati(i).F), Bit(b.CarichiConcentrati(i).F)) << i;
        EXPECT_EQ(Bit(a.CarichiConcentrati(i).d), Bit(b.CarichiConcentrati(i).d)) << i;
    }
    for (int i = 1; i <= a.NCoppie; ++i) {
        EXPECT_EQ(Bit(a.Coppie(i).W), Bit(b.Coppie(i).W)) << i;
        EXPECT_EQ(Bit(a.Coppie(i).d), Bit(b.Coppie(i).d)) << i;
    }
    EXPECT_EQ(Bit(a.K), Bit(b.K));
    EXPECT_EQ(Bit(a.b), Bit(b.b));
    EXPECT_EQ(a.NDivisioni, b.NDivisioni);
    EXPECT_EQ(a.Winkler, b.Winkler);
    EXPECT_EQ(a.ReagTraz, b.ReagTraz);
}

// A problem with values no display precision can carry.
DatiTrave ProblemaScomodo(bool parziali, int16_t vincoli) {
    DatiTrave d;
    d.Titolo = "Trave è più";
    d.Luce = 6.123457f;
    d.E = 2.100001e11f;
    d.J = 1.234567e-4f;
    d.Vincoli = vincoli;
    d.NSezioni = 137;
    d.AscissaX = 1.987654f;
    d.DistanzeParziali = parziali;
    d.NTrapezi = 2;
    d.CarichiTrapezi.Ridimensiona(2);
    d.CarichiTrapezi(1) = {1234.567f, -987.6543f, 0.1234567f, 2.345678f};
    d.CarichiTrapezi(2) = {3.3333333f, 3.3333333f, 1.1f, 5.9999999f};
    d.NConcentrati = 3;
    d.CarichiConcentrati.Ridimensiona(3);
    d.CarichiConcentrati(1) = {10000.01f, 1.23456f};
    d.CarichiConcentrati(2) = {-2.5e-3f, 3.000001f};
    d.CarichiConcentrati(3) = {77777.77f, 0.7f}; // before the previous one
    d.NCoppie = 2;
    d.Coppie.Ridimensiona(2);
    d.Coppie(1) = {12345.679f, 0.3333333f};
    d.Coppie(2) = {-0.1f, 4.4444447f};
    d.K = 12345678.9;
    d.b = 1.0 / 3.0;
    d.NDivisioni = 37;
    d.Winkler = true;
    d.ReagTraz = false;
    return d;
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
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    ModelloForm f;
};

} // namespace

// ---------------------------------------------------------------------------
// Bit-for-bit: with no edit, reading the window back gives every stored value,
// whatever the units and with partial distances on and off.

using Scelte = std::tuple<int, int, int, int, bool>;

class RitornoEsatto : public Form, public ::testing::WithParamInterface<Scelte> {};

TEST_P(RitornoEsatto, NessunaModificaNessunArrotondamento) {
    const auto [l, s, fz, a, parz] = GetParam();
    const auto& cap = CaptionUnita();
    u.UnitaModello = {cap[0][l], cap[1][s], "t", cap[2][fz], cap[3][a]};
    for (int16_t vincoli : {int16_t(0), int16_t(4)}) {
        const DatiTrave d = ProblemaScomodo(parz, vincoli);
        Apri(d);
        msg.Svuota();
        ASSERT_TRUE(f.LeggeDati());
        StessiBit(d, m.Dati);
        // A second pass (as "Calcola" twice, or a save after a calculation).
        ASSERT_TRUE(f.LeggeDati());
        StessiBit(d, m.Dati);
    }
}

INSTANTIATE_TEST_SUITE_P(OgniUnita, RitornoEsatto,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::Values(0, 1, 2),
                                            ::testing::Values(0, 1, 2), ::testing::Values(0, 1, 2),
                                            ::testing::Bool()));

TEST_F(Form, RitornoEsattoSenzaUnita) {
    u.SenzaUnita = true;
    for (bool parz : {false, true}) {
        const DatiTrave d = ProblemaScomodo(parz, 4);
        Apri(d);
        ASSERT_TRUE(f.LeggeDati());
        StessiBit(d, m.Dati);
    }
}

TEST_F(Form, IlCambioDelleDistanzeParzialiNonArrotonda) {
    const DatiTrave d = ProblemaScomodo(false, 0);
    Apri(d);
    f.chkDistanzeParziali_Click(true);
    f.chkDistanzeParziali_Click(false);
    f.chkDistanzeParziali_Click(true);
    ASSERT_TRUE(f.LeggeDati());
    DatiTrave atteso = d;
    atteso.DistanzeParziali = true;
    StessiBit(atteso, m.Dati);
}

TEST_F(Form, IlTestoMostratoEArrotondatoIlValoreNo) {
    DatiTrave d = ProblemaScomodo(false, 0);
    Apri(d);
    // The display keeps four significant digits (default units: m, kN).
    EXPECT_EQ(f.FlexGrid[1].Testo(1, 2), " 1.235");
    EXPECT_EQ(f.txtDati[0].testo, " 6.123");
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.CarichiConcentrati(1).d, 1.23456f);
}

// ---------------------------------------------------------------------------
// Edits.

TEST_F(Form, UnaModificaValeQuelCheSiVede) {
    DatiTrave d = ProblemaScomodo(false, 0);
    Apri(d);
    f.FlexGrid[1].ImpostaTesto(1, 2, "2");
    f.txtDati[0].Edita("7.5");
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.CarichiConcentrati(1).d, 2.0f);
    EXPECT_EQ(m.Dati.Luce, 7.5f);
    // Untouched neighbours keep their exact values.
    EXPECT_EQ(Bit(m.Dati.CarichiConcentrati(2).d), Bit(3.000001f));
    EXPECT_EQ(Bit(m.Dati.CarichiConcentrati(1).F), Bit(10000.01f));
}

TEST_F(Form, RiconfermareIlTestoNonEUnaModifica) {
    DatiTrave d = ProblemaScomodo(false, 0);
    Apri(d);
    f.FlexGrid_Seleziona(1, 1, 2); // mouse, whole text selected
    f.txtEdit_Tasto(1, TastoEditor::Invio);
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(Bit(m.Dati.CarichiConcentrati(1).d), Bit(1.23456f));
}

TEST_F(Form, UnaDistanzaParzialeModificataSpostaICarichiSeguenti) {
    DatiTrave d;
    d.Luce = 10;
    d.E = 1;
    d.J = 1;
    d.DistanzeParziali = true;
    d.NConcentrati = 3;
    d.CarichiConcentrati.Ridimensiona(3);
    d.CarichiConcentrati(1) = {1, 1.1f};
    d.CarichiConcentrati(2) = {1, 3.3f};
    d.CarichiConcentrati(3) = {1, 5.7f};
    Apri(d);
    f.FlexGrid[1].ImpostaTesto(2, 2, "3"); // was 2.2
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.CarichiConcentrati(1).d, 1.1f);
    // Witness: 1.1 + 3 = 4.1 and the unchanged partial 5.7 - 3.3 = 2.4 after it,
    // in single precision (the tolerance of one rounding of the sum).
    EXPECT_NEAR(m.Dati.CarichiConcentrati(2).d, 4.1, 1e-6);
    EXPECT_NEAR(m.Dati.CarichiConcentrati(3).d, 6.5, 1e-6);
}

// ---------------------------------------------------------------------------
// Partial distances.

TEST_F(Form, ForzeUnoTreCinqueMostranoUnoDueDue) {
    DatiTrave d;
    d.Luce = 10;
    d.NConcentrati = 3;
    d.CarichiConcentrati.Ridimensiona(3);
    d.CarichiConcentrati(1) = {1, 1};
    d.CarichiConcentrati(2) = {1, 3};
    d.CarichiConcentrati(3) = {1, 5};
    Apri(d);
    EXPECT_EQ(f.FlexGrid[1].Testo(2, 2), " 3.000");
    f.chkDistanzeParziali_Click(true);
    EXPECT_TRUE(m.Dati.DistanzeParziali);
    EXPECT_EQ(f.FlexGrid[1].Testo(1, 2), " 1.000");
    EXPECT_EQ(f.FlexGrid[1].Testo(2, 2), " 2.000");
    EXPECT_EQ(f.FlexGrid[1].Testo(3, 2), " 2.000");
    EXPECT_EQ(f.Figura, 10);
    f.chkDistanzeParziali_Click(false);
    EXPECT_EQ(f.FlexGrid[1].Testo(3, 2), " 5.000");
    EXPECT_EQ(f.Figura, 0);
    EXPECT_TRUE(msg.elenco.empty());
}

TEST_F(Form, DigitateUnoDueDueCadonoAUnoTreCinque) {
    f.Modulo.Dati.DistanzeParziali = true;
    f.txtDati[0].Edita("10");
    f.txtRigheGriglia[1].Edita("3");
    f.txtRigheGriglia_Invio(1);
    f.txtRigheGriglia[0].Edita("1");
    f.txtRigheGriglia_Invio(0);
    GrigliaTesto& g = f.FlexGrid[1];
    const char* dati[3][2] = {{"1", "1"}, {"1", "2"}, {"1", "2"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            g.ImpostaTesto(r + 1, c + 1, dati[r][c]);
    GrigliaTesto& t = f.FlexGrid[0];
    const char* tr[4] = {"5", "5", "1", "2"};
    for (int c = 0; c < 4; ++c)
        t.ImpostaTesto(1, c + 1, tr[c]);
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.CarichiConcentrati(1).d, 1.0f);
    EXPECT_EQ(m.Dati.CarichiConcentrati(2).d, 3.0f);
    EXPECT_EQ(m.Dati.CarichiConcentrati(3).d, 5.0f);
    EXPECT_EQ(m.Dati.CarichiTrapezi(1).d1, 1.0f);
    EXPECT_EQ(m.Dati.CarichiTrapezi(1).d2, 3.0f);
    // Loads in kN: 5 kN/m internal is 5000 N/m.
    EXPECT_EQ(m.Dati.CarichiTrapezi(1).q1, 5000.0f);
}

TEST_F(Form, DistanzaParzialeNegativaAvvisaEMostraLaDifferenza) {
    DatiTrave d;
    d.Luce = 10;
    d.DistanzeParziali = true;
    d.NConcentrati = 2;
    d.CarichiConcentrati.Ridimensiona(2);
    d.CarichiConcentrati(1) = {1, 4};
    d.CarichiConcentrati(2) = {1, 1};
    Apri(d);
    ASSERT_EQ(msg.Testi(), std::vector<std::string>{"Attenzione! Distanza parziale <=0"});
    EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
    EXPECT_EQ(f.FlexGrid[1].Testo(2, 2), "-3.000");
    msg.Svuota();
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.CarichiConcentrati(2).d, 1.0f);
}

TEST_F(Form, DistanzaUgualeNonAvvisa) {
    EXPECT_EQ(f.NuovaDistanza(2, 2), 0);
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_EQ(f.NuovaDistanza(2, 1), -1);
    EXPECT_EQ(msg.elenco.size(), 1u);
}

TEST_F(Form, ErroreNelCambioDiDistanzeParziali) {
    f.txtRigheGriglia[1].Edita("x");
    f.chkDistanzeParziali_Click(true);
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"Errore in Distanze Parziali. Controllare i dati"});
    EXPECT_FALSE(m.Dati.DistanzeParziali);
    EXPECT_FALSE(f.chkDistanzeParziali); // the box follows the grids again
}

TEST_F(Form, IlSettaggioDellaCasellaNonConverte) {
    m.Dati.DistanzeParziali = true;
    f.Settaggio = true;
    f.txtRigheGriglia[1].Edita("x");
    f.chkDistanzeParziali_Click(true);
    EXPECT_TRUE(msg.elenco.empty());
}

// ---------------------------------------------------------------------------
// LeggeDati's messages, in order.

TEST_F(Form, ForzaADMenoUnoDueMessaggi) {
    u.separatori = {",", "."};
    f.txtDati[0].Edita("5");
    f.txtRigheGriglia[1].Edita("1");
    f.txtRigheGriglia_Invio(1);
    f.FlexGrid[1].ImpostaTesto(1, 1, "10");
    f.FlexGrid[1].ImpostaTesto(1, 2, "-0,5");
    ASSERT_TRUE(f.LeggeDati());
    ASSERT_EQ(msg.Testi(), (std::vector<std::string>{"Carico concentrato N° 1 con d1=-0,5 < 0",
                                                     "Carico concentrato N° 1 con d=-0,5 <0"}));
    EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
    EXPECT_EQ(msg.elenco[1].icona, Icona::Critica);
}

TEST_F(Form, MessaggiNellOrdineDeiPassi) {
    f.txtDati[0].Edita("0"); // Luce = 0
    f.txtRigheGriglia[0].Edita("1");
    f.txtRigheGriglia_Invio(0);
    const char* tr[4] = {"1", "1", "2", "2"}; // d2 = d1, and beyond the span
    for (int c = 0; c < 4; ++c)
        f.FlexGrid[0].ImpostaTesto(1, c + 1, tr[c]);
    f.txtRigheGriglia[1].Edita("1");
    f.txtRigheGriglia_Invio(1);
    f.FlexGrid[1].ImpostaTesto(1, 1, "1");
    f.FlexGrid[1].ImpostaTesto(1, 2, "3");
    f.txtRigheGriglia[2].Edita("1");
    f.txtRigheGriglia_Invio(2);
    f.FlexGrid[2].ImpostaTesto(1, 1, "1");
    f.FlexGrid[2].ImpostaTesto(1, 2, "0");
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
}

TEST_F(Form, TrapezioConD2UgualeAD1) {
    f.txtDati[0].Edita("10");
    f.txtRigheGriglia[0].Edita("2");
    f.txtRigheGriglia_Invio(0);
    const char* tr[2][4] = {{"1", "1", "0", "4"}, {"1", "1", "2", "2"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            f.FlexGrid[0].ImpostaTesto(r + 1, c + 1, tr[r][c]);
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"Nel carico trapezio N° 2 deve essere d2 > d1"});
}

TEST_F(Form, LarghezzaNullaDiventaUno) {
    f.txtDati[0].Edita("5");
    f.SchemaAggiorna(4);
    f.txtWinkler[1].Edita("0");
    ASSERT_TRUE(f.LeggeDati());
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo,
              std::string("La larghezza b della trave deve essere > 0\r\nb viene posta = 1"));
    EXPECT_EQ(msg.elenco[0].icona, Icona::Informazione);
    EXPECT_EQ(m.Dati.b, 1.0);
    EXPECT_EQ(f.txtWinkler[1].testo, " 1.000");
    // Not a number at all: the same.
    msg.Svuota();
    f.txtWinkler[1].Edita("abc");
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(msg.elenco.size(), 1u);
}

TEST_F(Form, FondazioneImpostaIValoriDiDefault) {
    f.SchemaAggiorna(4);
    EXPECT_TRUE(f.fraWinkler);
    EXPECT_EQ(m.Dati.K, 10000000.0);
    EXPECT_EQ(m.Dati.NDivisioni, 100);
    EXPECT_EQ(f.txtWinkler[0].testo, " 1.000"); // daN/cm3
    EXPECT_EQ(f.txtWinkler[2].testo, "100");
    EXPECT_EQ(f.OptFond, 0);
    EXPECT_EQ(f.Figura, 4);
    EXPECT_TRUE(f.txtX4Visibile);
    f.OptFond_Click(1);
    EXPECT_TRUE(m.Dati.Winkler);
    EXPECT_EQ(f.Figura, 5);
    EXPECT_TRUE(f.txtWinkler[2].visibile);
    EXPECT_FALSE(f.lblWinkler3); // ReagTraz true after InizializzaForm
    f.chkReagTraz_Click(false);
    EXPECT_TRUE(f.lblWinkler3);
    f.SchemaAggiorna(1);
    EXPECT_FALSE(f.fraWinkler);
    EXPECT_FALSE(f.txtX4Visibile);
}

TEST_F(Form, CampoInteroNonNumericoEGuasto) {
    f.txtDati[0].Edita("5");
    f.txtDati[3].Edita("cento");
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::ErroreDati);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore! Controllare i dati"});
    msg.Svuota();
    f.txtDati[3].Edita("40000"); // beyond 16 bits
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::ErroreDati);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore! Controllare i dati"});
}

TEST_F(Form, ErroreInLeggeGrigliaFermaIlCalcolo) {
    // A first good calculation, then a bad cell: the results are no longer shown.
    f.txtDati[0].Edita("5");
    f.txtRigheGriglia[1].Edita("1");
    f.txtRigheGriglia_Invio(1);
    f.FlexGrid[1].ImpostaTesto(1, 1, "10");
    f.FlexGrid[1].ImpostaTesto(1, 2, "2");
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    EXPECT_TRUE(f.FrameRis);
    f.FlexGrid[1].ImpostaTesto(1, 2, "due");
    msg.Svuota();
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::ErroreGriglia);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore in LeggeGriglia"});
    EXPECT_FALSE(f.FrameRis);
    EXPECT_FALSE(f.Calcolato);
}

TEST_F(Form, GrigliaNonConfermataEErroreInLeggeGriglia) {
    f.txtDati[0].Edita("5");
    f.txtRigheGriglia[1].Edita("2"); // no Enter: the grid has no rows
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::ErroreGriglia);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore in LeggeGriglia"});
}

TEST_F(Form, RigheGrigliaZeroNascondeESpostaIlFuoco) {
    f.txtRigheGriglia[2].Edita("0");
    f.txtRigheGriglia_Invio(2);
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::BtnCalcola, 0}));
    EXPECT_FALSE(f.FlexGrid[2].visibile);
    f.txtRigheGriglia[0].Edita("0");
    f.txtRigheGriglia_Invio(0);
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::TxtRigheGriglia, 1}));
    f.txtRigheGriglia[1].Edita("2");
    f.txtRigheGriglia_Invio(1);
    EXPECT_TRUE(f.FlexGrid[1].visibile);
    EXPECT_EQ(f.FlexGrid[1].riga, 1);
    EXPECT_TRUE(f.FlexGrid[1].editor.visibile);
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::TxtEdit, 1}));
}

TEST_F(Form, PlottaInOggettoUscitaSconosciuta) {
    f.txtDati[0].Edita("5");
    TelaRegistro t;
    SuperficieVideo video(t);
    EXPECT_FALSE(f.PlottaInOggetto(video));
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Sub PlottaInOggetto - Uscita = VIDEO"});
    msg.Svuota();
    SuperficieRegistro file; // a target like a file: the three diagrams stacked
    EXPECT_TRUE(f.PlottaInOggetto(file));
    EXPECT_FALSE(file.tratti.empty());
    EXPECT_TRUE(msg.elenco.empty());
}

// File items 8, 9, 10 go through the diagram output, which calls back
// PlottaInOggetto with fresh results.
TEST_F(Form, VociFileDiagrammi) {
    f.txtDati[0].Edita("5");
    EXPECT_FALSE(f.mnuFileItem_Click(10)); // no output service: nothing
    const auto p = std::filesystem::temp_directory_path() / "zelvo-form-diagrammi.dxf";
    std::filesystem::remove(p);
    std::string proposto;
    UscitaDiagrammi uscita(msg);
    uscita.Servizi().Salva = [&](const std::string& n, const std::string&, int) {
        proposto = n;
        return std::optional<std::string>(p.string());
    };
    f.Servizi.Uscita = &uscita;
    f.NomeFile = "trave";
    EXPECT_TRUE(f.mnuFileItem_Click(10));
    EXPECT_EQ(proposto, "trave.dxf");
    EXPECT_TRUE(std::filesystem::exists(p));
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_FALSE(f.mnuFileItem_Click(8)); // no CAD application on this platform
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{TestoCadAssente});
    msg.Svuota();
    EXPECT_FALSE(f.mnuFileItem_Click(9)); // no printer given
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{TestoStampanteAssente});
}

TEST_F(Form, GuastoNelleVociFile) {
    f.txtDati[0].Edita("5");
    f.txtDati[3].Edita("x");
    const auto p = std::filesystem::temp_directory_path() / "zelvo-form-guasto.dxf";
    std::filesystem::remove(p);
    UscitaDiagrammi uscita(msg);
    uscita.Servizi().Salva = [&](const std::string&, const std::string&, int) {
        return std::optional<std::string>(p.string());
    };
    f.Servizi.Uscita = &uscita;
    // The fault while reading the data ends the output through its error
    // handler; nothing is written.
    EXPECT_FALSE(f.mnuFileItem_Click(10));
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo.rfind(
                  "Si è verificato durante il processo di stampa il seguente errore: ", 0),
              0u)
        << msg.elenco[0].testo;
    EXPECT_FALSE(std::filesystem::exists(p));
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

// ---------------------------------------------------------------------------
// The units window.

TEST_F(Form, FinestraUnitaApertura) {
    u.UnitaModello = {"cm", "kPa", "t", "MN", "m"};
    f.frmUnits_Apri();
    EXPECT_EQ(f.frmUnits.scelta, (std::array<int, 4>{1, 2, 2, 0}));
    EXPECT_TRUE(f.frmUnits.opzioniAbilitate);
    u.UnitaModello = {"km", "GPa", "t", "lb", ""};
    f.frmUnits_Apri();
    EXPECT_EQ(f.frmUnits.scelta, (std::array<int, 4>{2, 2, 2, 2}));
    f.frmUnits_SistemaSI();
    EXPECT_EQ(f.frmUnits.scelta, (std::array<int, 4>{0, 0, 0, 0}));
}

TEST_F(Form, FinestraUnitaOKConverteICampiETieneIValori) {
    DatiTrave d = ProblemaScomodo(true, 0);
    d.Luce = 6;
    Apri(d);
    EXPECT_EQ(f.txtDati[0].testo, " 6.000");
    f.frmUnits_Apri();
    f.frmUnits.scelta = {1, 1, 1, 1}; // cm, MPa, kN, cm
    f.frmUnits_OK();
    EXPECT_EQ(u.UnitaModello[0], "cm");
    EXPECT_EQ(f.txtDati[0].testo, " 600.0");
    EXPECT_EQ(f.lblLuce, "cm");
    ASSERT_TRUE(f.LeggeDati());
    StessiBit(d, m.Dati);
    // Typing 600 back in cm gives 6.
    f.txtDati[0].Edita("600");
    ASSERT_TRUE(f.LeggeDati());
    EXPECT_EQ(m.Dati.Luce, 6.0f);
}

TEST_F(Form, FinestraUnitaNessunaUnitaECancel) {
    f.frmUnits_Apri();
    f.frmUnits_NoUnits(true);
    EXPECT_FALSE(u.SenzaUnita); // the window's choice until OK
    EXPECT_FALSE(f.frmUnits.opzioniAbilitate);
    f.frmUnits_Cancel();
    EXPECT_FALSE(u.SenzaUnita); // Cancel changes nothing
    f.frmUnits_Apri();
    f.frmUnits_NoUnits(true);
    f.frmUnits_OK();
    EXPECT_TRUE(u.SenzaUnita);
    f.frmUnits_Apri();
    EXPECT_TRUE(f.frmUnits.noUnits);
    EXPECT_TRUE(f.frmUnits.apertaSenzaUnita);
    f.frmUnits_NoUnits(false);
    f.frmUnits.scelta = {0, 0, 0, 0};
    f.frmUnits_OK();
    EXPECT_FALSE(u.SenzaUnita);
    EXPECT_EQ(u.UnitaModello[3], "N");
    EXPECT_EQ(f.lblForze, "N");
}

TEST_F(Form, AvvioSenzaFileImpostaUnitaEDistanzeParziali) {
    u.UnitaModello = {"mm", "Pa", "", "N", "mm"};
    f.Avvio({});
    EXPECT_EQ(u.UnitaModello[0], "m");
    EXPECT_EQ(u.UnitaModello[1], "MPa");
    EXPECT_TRUE(m.Dati.DistanzeParziali);
    EXPECT_TRUE(f.chkDistanzeParziali);
    EXPECT_EQ(f.Figura, 10);
    EXPECT_EQ(f.Caption, "Trave Zelvo - File: ");
}

// ---------------------------------------------------------------------------
// Results display for each scheme: a uniform load q over the whole span,
// checked against the closed forms of beam theory. The texts carry four
// significant digits, so each is read back and compared within half a unit
// of its fourth digit (5e-4 relative); the deflection of the propped
// cantilever is taken on the calculation points, whose step L/80 puts the
// peak at most L/160 away (relative error below 2e-3). The deflection line
// is the curvature integrated over the points, exact in slope and with an
// error in the square of the step: for the fixed-fixed span, whose small
// deflection is what remains of two closing terms, that error reaches
// about 2e-3 of the peak at L/80, hence 3e-3 there.

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

class RisultatiSchema : public ::testing::TestWithParam<AttesoSchema> {
  protected:
    RisultatiSchema() : f(m, u, msg) {}
    ModuloZelvo m;
    UnitMisura u; // m, MPa, kN, cm
    RegistroMessaggi msg;
    ModelloForm f;
};

void Vicino(const std::string& testo, double fattore, double atteso, double tol) {
    const double v = ValoreNumerico(testo, Separatori{}) / fattore;
    EXPECT_NEAR(v, atteso, tol * std::abs(atteso) + 1e-9) << "testo " << testo;
}

} // namespace

TEST_P(RisultatiSchema, TestiControFormuleChiuse) {
    const AttesoSchema a = GetParam();
    f.InizializzaForm();
    f.Optschema_Click(a.schema);
    f.txtDati[0].Edita("6");
    f.txtDati[1].Edita("210000"); // MPa
    f.txtDati[2].Edita("10000");  // cm^4
    f.txtDati[3].Edita("80");
    f.txtX[0].Edita("3");
    f.txtRigheGriglia[0].Edita("1");
    f.txtRigheGriglia_Invio(0);
    const char* tr[4] = {"10", "10", "0", "6"};
    for (int c = 0; c < 4; ++c)
        f.FlexGrid[0].ImpostaTesto(1, c + 1, tr[c]);
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato)
        << ::testing::PrintToString(msg.Testi());
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_TRUE(f.FrameRis);
    EXPECT_FALSE(f.FrameFond);
    EXPECT_TRUE(f.FrDiagrammi && f.frRisultatiInX && f.Calcolato);
    const double kN = 1e-3;
    Vicino(f.txtRis[0].testo, kN, a.MA, 5e-4);
    Vicino(f.txtRis[1].testo, kN, a.MB, 5e-4);
    Vicino(f.txtRis[2].testo, kN, a.RA, 5e-4);
    Vicino(f.txtRis[3].testo, kN, a.RB, 5e-4);
    // Rotations: ten significant digits; the witness is exact, the results
    // come through singles (relative 1e-6).
    Vicino(f.txtRis[4].testo, 1, a.RotA, 1e-6);
    Vicino(f.txtRis[5].testo, 1, a.RotB, 1e-6);
    Vicino(f.txtRis[6].testo, kN, a.Mmax, 5e-4);
    Vicino(f.txtRis[8].testo, kN, a.Mmin, 5e-4);
    Vicino(f.txtRis[10].testo, 1, a.fmax, a.tolF);
    if (a.schema == 0) {
        EXPECT_EQ(f.txtRis[6].testo, " 45.00");
        EXPECT_EQ(f.txtRis[7].testo, " 3.000");
        EXPECT_EQ(f.txtRis[11].testo, " 3.000");
        EXPECT_EQ(f.txtX[1].testo, " 45.00"); // M(3) = q·3·(6-3)/2
    }
    if (a.schema == 3) {
        EXPECT_EQ(f.txtRis[11].testo, " 6.000");
    }
    EXPECT_FALSE(f.txtX4Visibile);
}

INSTANTIATE_TEST_SUITE_P(Schemi, RisultatiSchema, ::testing::ValuesIn(Attesi()));

TEST_F(Form, FondazioneRigidaCaricoUniforme) {
    // Witness: a uniform load q on a rigid foundation of width b rests on a
    // uniform soil pressure q/b and carries no moment.
    f.Optschema_Click(4);
    f.OptFond_Click(0);
    f.txtDati[0].Edita("6");
    f.txtDati[1].Edita("210000");
    f.txtDati[2].Edita("10000");
    f.txtWinkler[1].Edita("0.5");
    f.txtX[0].Edita("2");
    f.txtRigheGriglia[0].Edita("1");
    f.txtRigheGriglia_Invio(0);
    const char* tr[4] = {"10", "10", "0", "6"};
    for (int c = 0; c < 4; ++c)
        f.FlexGrid[0].ImpostaTesto(1, c + 1, tr[c]);
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato)
        << ::testing::PrintToString(msg.Testi());
    EXPECT_TRUE(f.FrameFond);
    EXPECT_FALSE(f.FrameRis);
    EXPECT_TRUE(f.txtX4Visibile);
    // 10 kN/m over 0.5 m: 20000 Pa = 0.02 MPa.
    EXPECT_EQ(f.txtFond[0].testo, " 0.02000");
    EXPECT_EQ(f.txtFond[4].testo, " 0.02000");
    EXPECT_EQ(f.txtX[4].testo, " 0.02000");
    Vicino(f.txtFond[1].testo, 1e-3, 0, 0);
    EXPECT_LT(std::abs(ValoreNumerico(f.txtFond[1].testo, u.separatori)), 1e-3);
    ASSERT_TRUE(f.Riepilogo.has_value());
    // A change of scheme switches the frames at once.
    f.Optschema_Click(0);
    EXPECT_TRUE(f.FrameRis);
    EXPECT_FALSE(f.FrameFond);
}

TEST_F(Form, CalcolaDueVolteStessiTesti) {
    DatiTrave d = ProblemaScomodo(true, 4);
    d.Luce = 8;
    d.ReagTraz = true;
    Apri(d);
    msg.Svuota();
    const EsitoCalcolo e1 = f.btnCalcola_Click();
    const auto fond1 = f.txtFond;
    const auto x1 = f.txtX;
    const EsitoCalcolo e2 = f.btnCalcola_Click();
    EXPECT_EQ(e1, e2);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(fond1[i].testo, f.txtFond[i].testo);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(x1[i].testo, f.txtX[i].testo);
    EXPECT_EQ(m.Dati.NConcentrati, 3); // the spring rows never stay
}

TEST_F(Form, AscissaNonNumericaLasciaIRisultatiInX) {
    f.txtDati[0].Edita("4");
    f.txtX[0].Edita("2");
    f.txtRigheGriglia[1].Edita("1");
    f.txtRigheGriglia_Invio(1);
    f.FlexGrid[1].ImpostaTesto(1, 1, "10");
    f.FlexGrid[1].ImpostaTesto(1, 2, "2");
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    // Witness: P·L/4 = 10 kN · 4 m / 4.
    EXPECT_EQ(f.txtX[1].testo, " 10.00");
    f.txtX[0].Edita("due");
    f.FlexGrid[1].ImpostaTesto(1, 1, "20");
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    EXPECT_EQ(f.txtX[1].testo, " 10.00");
    EXPECT_EQ(f.txtRis[6].testo, " 20.00");
}

// ---------------------------------------------------------------------------
// Through the data file: open -> save gives the same bytes, open -> "Calcola"
// computes on the stored values bit for bit.

namespace {

std::string Contenuto(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

class FileEsatto : public Form, public ::testing::WithParamInterface<std::tuple<int, bool, bool>> {
  protected:
    void SetUp() override {
        cartella =
            std::filesystem::temp_directory_path() /
            ("zelvo_form_" + std::to_string(::getpid()) + "_" +
             std::to_string(std::get<0>(GetParam())) + std::to_string(std::get<1>(GetParam())) +
             std::to_string(std::get<2>(GetParam())));
        std::filesystem::create_directories(cartella);
    }
    void TearDown() override { std::filesystem::remove_all(cartella); }
    std::filesystem::path cartella;
};

TEST_P(FileEsatto, ApriSalvaEApriCalcola) {
    const auto [unita, parz, senza] = GetParam();
    const auto& cap = CaptionUnita();
    // The file is written with the units it stores (all of one choice).
    UnitMisura uf;
    uf.UnitaModello = {cap[0][unita], cap[1][unita], "t", cap[2][unita], cap[3][unita]};
    uf.SenzaUnita = senza;
    DatiTrave d = ProblemaScomodo(parz, 4);
    d.Titolo = "Prova";
    int16_t ns = d.NSezioni;
    std::string ver = VersioneFileCorrente;
    const auto originale = cartella / "orig.zlv";
    RegistroMessaggi m0;
    ASSERT_TRUE(ScriviFileProgetto(originale, ProgettoFile{d, ns, uf, ver, nullptr}, m0));

    ASSERT_TRUE(f.ApriFileDati(originale.string()));
    EXPECT_EQ(f.Caption, "Trave Zelvo - File: orig");
    EXPECT_EQ(u.SenzaUnita, senza);
    EXPECT_EQ(u.UnitaModello, uf.UnitaModello);
    const auto copia = cartella / "copia.zlv";
    ASSERT_TRUE(f.FileSalvaCome(copia.string()));
    EXPECT_EQ(Contenuto(originale), Contenuto(copia));
    EXPECT_EQ(f.NomeFile, "copia");

    // Open and "Calcola": the calculation sees the stored values.
    ASSERT_TRUE(f.ApriFileDati(originale.string()));
    f.btnCalcola_Click();
    StessiBit(d, m.Dati);
    // And a save after the calculation still writes the same bytes.
    ASSERT_TRUE(f.FileSalvaCome(copia.string()));
    EXPECT_EQ(Contenuto(originale), Contenuto(copia));
}

INSTANTIATE_TEST_SUITE_P(UnitaEParziali, FileEsatto,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::Bool(),
                                            ::testing::Bool()));

TEST_F(Form, FileIlleggibileLasciaUnProblemaSenzaNome) {
    const auto p = std::filesystem::temp_directory_path() /
                   ("zelvo_form_vuoto_" + std::to_string(::getpid()) + ".zlv");
    { std::ofstream(p) << ""; }
    f.NomeFile = "vecchio";
    EXPECT_FALSE(f.ApriFileDati(p.string()));
    EXPECT_EQ(f.NomeFile, "");
    EXPECT_EQ(f.Caption, "Trave Zelvo - File: ");
    std::filesystem::remove(p);
}

TEST_F(Form, IlRecordDellaSezioneResta) {
    // Open -> save keeps the section record of the file; "Nuovo" drops it.
    const auto dir = std::filesystem::temp_directory_path() /
                     ("zelvo_form_sezione_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto orig =
        std::filesystem::path(ZELVO_SOURCE_DIR) / "fuzz" / "corpus" / "profilo-U-doppio";
    ASSERT_TRUE(f.ApriFileDati(orig.string()));
    EXPECT_EQ(f.EsitoLettura, EsitoProgetto::Completo);
    ASSERT_TRUE(f.SezioneProgetto.Prop);
    EXPECT_EQ(f.SezioneProgetto.Prop->SezionePr.TipoProfilo, "SezioneProfiloU");
    EXPECT_TRUE(f.SezioneProgetto.Prop->SezionePr.Doppi);
    ASSERT_TRUE(f.FileSalvaCome((dir / "copia.zlv").string()));
    EXPECT_EQ(Contenuto(dir / "copia.zlv"), Contenuto(orig));
    EXPECT_TRUE(msg.elenco.empty());
    f.mnuFileItem_Click(0);
    EXPECT_FALSE(f.SezioneProgetto.Prop);
    ASSERT_TRUE(f.FileSalvaCome((dir / "nuovo.zlv").string()));
    EXPECT_EQ(Contenuto(dir / "nuovo.zlv").find("SezioneProfiloU"), std::string::npos);
    std::filesystem::remove_all(dir);
}

TEST_F(Form, VociFileUnaSolaSceltaDeiFile) {
    // Every File item asks the one dialog seam: open and save of data files
    // with the program's filter, the report with its own; names and folders
    // follow the current file. Save writes back to the file opened, whatever
    // its extension.
    const auto dir = std::filesystem::temp_directory_path() /
                     ("zelvo_form_scelta_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "sotto");
    f.CartellaDati = dir.string();
    const auto dati = dir / "sotto" / "trave.dat";
    std::filesystem::copy_file(std::filesystem::path(ZELVO_SOURCE_DIR) / "examples" / "mensola.zlv",
                               dati);
    std::vector<RichiestaDialogo> richieste;
    std::deque<std::string> risposte = {dati.string(), (dir / "relazione.txt").string()};
    f.Servizi.SceltaFile = [&](const RichiestaDialogo& r) {
        richieste.push_back(r);
        std::optional<std::string> x = risposte.front();
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
    EXPECT_EQ(richieste[0].indiceFiltro, 2);
    EXPECT_EQ(richieste[0].nomeIniziale, "*.zlv");
    EXPECT_EQ(richieste[0].cartellaIniziale, dir.string());
    EXPECT_EQ(f.NomeFile, "trave");
    EXPECT_EQ(f.Caption, "Trave Zelvo - File: trave");
    EXPECT_EQ(f.CartellaDati, (dir / "sotto").string());
    ASSERT_TRUE(f.mnuFileItem_Click(2));
    EXPECT_EQ(scritti, std::vector<std::string>{dati.string()});
    ASSERT_TRUE(f.mnuFileItem_Click(6));
    ASSERT_EQ(richieste.size(), 2u);
    EXPECT_TRUE(richieste[1].salva);
    EXPECT_EQ(richieste[1].filtro, "Tutti i Files (*.*)|*.*|Files (*.txt)|*.txt");
    EXPECT_EQ(richieste[1].nomeIniziale, "trave.txt");
    EXPECT_EQ(richieste[1].cartellaIniziale, (dir / "sotto").string());
    EXPECT_EQ(relazioni, std::vector<std::string>{(dir / "relazione.txt").string()});
    // "Nuovo", then "Salva" asks for a name as "S&alva come..." does.
    risposte = {std::string()};
    f.mnuFileItem_Click(0);
    f.Servizi.SceltaFile = [&](const RichiestaDialogo& r) {
        richieste.push_back(r);
        return std::optional<std::string>();
    };
    EXPECT_FALSE(f.mnuFileItem_Click(2));
    ASSERT_EQ(richieste.size(), 3u);
    EXPECT_TRUE(richieste[2].salva);
    EXPECT_EQ(richieste[2].nomeIniziale, "*.zlv");
    EXPECT_EQ(scritti.size(), 1u);
    std::filesystem::remove_all(dir);
}

TEST_F(Form, AnnullareIlDialogoNonCambiaNulla) {
    f.txtTitolo.Edita("mio");
    f.Servizi.SceltaFile = [](const RichiestaDialogo&) { return std::optional<std::string>(); };
    EXPECT_FALSE(f.ApriFileDati());
    EXPECT_EQ(f.txtTitolo.testo, "mio");
}
