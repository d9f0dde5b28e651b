// The text report's layout, compared as whole texts built by hand from the
// layout rules: item columns 1/20/40 for the data, 1/30 for the results,
// 1/15/30/45(/60) for the values at x, grid cells every 15 columns.
#include "form/relazione.h"

#include "form/file_progetto.h"
#include "form/modello_form.h"
#include "io/unita.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace zelvo {
namespace {

std::string Sp(int n) {
    return std::string(static_cast<size_t>(n), ' ');
}
// Pads s with blanks up to column c (s starts at column 1).
std::string A(const std::string& s, int c) {
    EXPECT_LT(LunghezzaCaratteri(s), c);
    return s + Sp(std::max(0, c - 1 - LunghezzaCaratteri(s)));
}
// s padded to 15 characters: a grid cell after the first column, or a value
// at x after the first (each starts at a multiple of 15 and the next one 15
// columns later).
std::string L15(const std::string& s) {
    return s + Sp(15 - LunghezzaCaratteri(s));
}
std::string L20(const std::string& s) {
    return s + Sp(20 - LunghezzaCaratteri(s));
}
const std::string N = "\r\n";

UnitaRelazione UnitaDefault() {
    return {"m", "MPa", "cm^4", "kN", "kNm", "kN/m", "kN"};
}

// A simply supported beam, L = 6 m, q = 10 kN/m and F = 20 kN at 2 m.
TestiRelazione Appoggiata() {
    TestiRelazione t;
    t.NomeFile = "trave";
    t.Titolo = "Prova è";
    t.Unita = UnitaDefault();
    t.Dati = {" 6,000", " 210.000", " 8.356"};
    t.Vincoli = 0;
    t.Righe = {1, 1, 0};
    t.Griglie[0] = GrigliaTesto::DaRighe(
        {{"N°", "q1", "q2", "d1", "d2"}, {"1", " 10,00", " 10,00", " 0", " 6,000"}});
    t.Griglie[1] = GrigliaTesto::DaRighe({{"N°", "F", "d"}, {"1", " 20,00", " 2,000"}});
    t.Ris = {" 0",     " 0",     " 43,33", " 36,67", " 0,0001234567", " 0,0001111111",
             " 57,78", " 2,000", " 0",     " 0",     " 0,02345",      " 2,900"};
    t.X = {" 3,000", " 55,00", "-1,667", " 0,02300", ""};
    return t;
}

std::string TestaComune(const std::string& dati1, const std::string& vincoli) {
    return "NOME FILE: trave" + N + "Titolo: Prova è" + N + " " + N + " " + N +
           "--------------------------  DATI : --------------------------" + N + " " + N +
           A("E MPa", 20) + L20("J cm^4") + "Luce m" + N + dati1 + N + " " + N +
           "Vincoli: " + vincoli + N;
}

TEST(StampaRelazione, ValoreLungoSpingeAllaRigaSuccessiva) {
    // A value of 20 characters or more in the data line pushes the next item
    // to column 20 of the following line; 19 characters still fit.
    auto t = Appoggiata();
    t.Dati[1] = "12345678901234567890";
    t.Dati[2] = "1234567890123456789";
    t.Dati[0] = "0,5";
    const std::string r = TestoRelazione(t);
    const std::string atteso = "\r\n12345678901234567890\r\n" + Sp(19) + "1234567890123456789" +
                               Sp(1) + "0,5\r\n \r\nVincoli: ";
    EXPECT_NE(r.find(atteso), std::string::npos) << r;
}

TEST(StampaRelazione, EtichettaRisultatoLungaVaACapo) {
    // A left item of 29 characters or more pushes the right one to the next line.
    auto t = Appoggiata();
    t.Ris[2] = "-1,234567890123456E+20";
    const std::string r = TestoRelazione(t);
    EXPECT_NE(r.find("RA = -1,234567890123456E+20 kN\r\n" + Sp(29) + "RB =  36,67 kN\r\n"),
              std::string::npos)
        << r;
}

TestiRelazione Fondazione(bool winkler, bool reagTraz) {
    TestiRelazione t = Appoggiata();
    t.Vincoli = 4;
    t.FondazioneWinkler = winkler;
    t.ReagTraz = reagTraz;
    t.Winkler = {" 3,000", " 0,8000"};
    t.Righe = {0, 1, 1};
    t.Griglie[2] = GrigliaTesto::DaRighe({{"N°", "W", "d"}, {"1", " 50,00", " 9,000"}});
    t.Fond = {" 0,1000", " 120,0", " 300,0", " 0,003000", " 0,2000",
              " 5,000",  " 1,000", " 5,000", " 0,2500",   " 5,000"};
    t.X = {" 5,000", " 120,0", " 0", " 0,003000", " 0,09000"};
    return t;
}

TEST(StampaRelazione, FondazioneSuSuoloElasticoTestoIntero) {
    const std::string atteso =
        TestaComune(A(" 210.000", 20) + L20(" 8.356") + " 6,000",
                    "Fondazione su suolo elastico; K =  3,000 daN/cm^3; b =  0,8000 m; suolo "
                    "non reagente a trazione") +
        N + "Carichi concentrati kN" + N +                   //
        A("N°", 15) + L15("F") + L15("d") + " " + N +        //
        A("1", 15) + L15("20,00") + L15("2,000") + " " + N + //
        N + "Coppie kNm" + N +                               //
        A("N°", 15) + L15("W") + L15("d") + " " + N +        //
        A("1", 15) + L15("50,00") + L15("9,000") + " " + N + //
        " " + N + "Risultati" + N +                          //
        A("Sigma_tA =  0,1000 MPa", 30) + "Sigma_tB =  0,2000 MPa" + N +
        A("max M =  120,0 kNm", 30) + "x max M =  5,000 m" + N + //
        A("max V =  300,0 kN", 30) + "x max V =  1,000 m" + N +  //
        A("f max =  0,003000 m", 30) + "x f max =  5,000 m" + N +
        A("Sigma_t max =  0,2500 MPa", 30) + "x Sigma_t max =  5,000 m" + N + //
        " " + N + "Risultati all'ascissa x" + N +                             //
        A("x", 15) + L15("M(x)") + L15("V(x)") + L15("f(x)") + "Sigma_t(x)" + N + A(" 5,000", 15) +
        L15(" 120,0") + L15(" 0") + L15(" 0,003000") + " 0,09000";
    EXPECT_EQ(TestoRelazione(Fondazione(true, false)), atteso);
    // A rigid foundation on soil reacting in tension; "max V" in the force
    // unit as held.
    auto t = Fondazione(false, true);
    t.Unita.ForzaModello = "MN";
    const std::string r = TestoRelazione(t);
    EXPECT_NE(r.find("\r\nVincoli: Fondazione infinitamente rigida; K =  3,000 daN/cm^3; b =  "
                     "0,8000 m; suolo reagente a trazione\r\n"),
              std::string::npos);
    EXPECT_NE(r.find("max V =  300,0 MN"), std::string::npos);
}

// ---------------------------------------------------------------------------
// The whole road: a data file opened in the form, "Calcola", the report.
// Witness: closed-form beam theory. Simply supported, L = 6 m, q = 10 kN/m,
// E·J = 9e7 N·m² exactly in single precision (E = 703125·2^17, J = 2^-10):
// RA = RB = qL/2 = 30 kN, max M+ = qL²/8 = 45 kNm at 3 m, rotations
// qL³/24EJ = 0.001 rad, midspan deflection 5qL⁴/384EJ = 1.875 mm (the
// integration on 100 sections is 0.025 % low: still 0.001875 at 4 digits).
TEST(StampaRelazione, DalFileAllaRelazioneTraveAppoggiata) {
    const auto p = std::filesystem::path(::testing::TempDir()) / "rel_appoggiata.zlv";
    {
        std::ofstream f(p, std::ios::binary);
        f << "\"Appoggiata\",\"5.4\"\r\n92160000000,0.0009765625,6\r\n100\r\n0\r\n1\r\n"
             "10000,10000,0,6\r\n0\r\n0\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n"
             "\"m\",\"MPa\",\"t\",\"kN\",\"cm\"\r\n0\r\n0,0,0,#FALSE#\r\n3\r\n";
    }
    RegistroMessaggi msg;
    ModuloZelvo modulo;
    UnitMisura unita;
    ModelloForm form(modulo, unita, msg);
    form.Servizi.LeggiProgetto = [](ModelloForm& f, const std::string& percorso) {
        return LeggiFileProgetto(percorso, {f.Modulo.Dati, f.NSezioni, f.Unita, f.VersioneLetta},
                                 f.Msg) == EsitoProgetto::Completo;
    };
    form.InizializzaForm();
    ASSERT_TRUE(form.ApriFileDati(p.string()));
    ASSERT_EQ(form.btnCalcola_Click(), EsitoCalcolo::Completato);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{});
    const std::string atteso =
        "NOME FILE: rel_appoggiata" + N + "Titolo: Appoggiata" + N + " " + N + " " + N +
        "--------------------------  DATI : --------------------------" + N + " " + N +
        A("E MPa", 20) + L20("J cm^4") + "Luce m" + N + A(" 92,160", 20) + L20(" 97,656") +
        " 6.000" + N + " " + N + "Vincoli: Appoggio - Appoggio" + N + //
        N + "Carichi distribuiti trapezi kN/m" + N +                  //
        A("N°", 15) + L15("q1") + L15("q2") + L15("d1") + L15("d2") + " " + N + A("1", 15) +
        L15("10.00") + L15("10.00") + L15("0") + L15("6.000") + " " + N + //
        " " + N + "Risultati" + N +                                       //
        A("MA =  0 kNm", 30) + "MB =  0 kNm" + N +                        //
        A("RA =  30.00 kN", 30) + "RB =  30.00 kN" + N +                  //
        "Rotaz. A =  0.001000000000 (rad)" + N + Sp(29) + "Rotaz. B =  0.001000000000 (rad)" + N +
        A("max M+ =  45.00 kNm", 30) + "x max M+ =  3.000 m" + N + //
        A("max M- =  0 kNm", 30) + "x max M- =  0 m" + N +         //
        A("f max =  0.001875 m", 30) + "x f max =  3.000 m" + N +  //
        " " + N + "Risultati all'ascissa x" + N +                  //
        A("x", 15) + L15("M(x)") + L15("V(x)") + "f(x)" + N +      //
        A(" 3.000", 15) + L15(" 45.00") + L15(" 0") + " 0.001875";
    EXPECT_EQ(TestoRelazione(TestiDaForm(form)), atteso);
}

} // namespace
} // namespace zelvo
