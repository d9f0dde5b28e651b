// The text report's layout by hand: items at columns 1/20/40 for the data,
// 1/30 for the results, 1/15/30/45(/60) for the values at x, cells every 15.
#include "form/relazione.h"

#include "form/modello_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zelvo {
namespace {

std::string Sp(int n) {
    return std::string(static_cast<size_t>(n), ' ');
}
// Pads s with blanks up to column c (s starts at column 1).
std::string A(const std::string& s, int c) {
    return s + Sp(c - 1 - LunghezzaCaratteri(s));
}
// s padded to 15 characters: a cell or value after the first column.
std::string L15(const std::string& s) {
    return s + Sp(15 - LunghezzaCaratteri(s));
}
const std::string N = "\r\n";

// The lines only a foundation has: its scheme with K, b and the soil, the
// soil stresses and "max V" among the results, Sigma_t among the values at x.
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
              "Vincoli: Fondazione su suolo elastico; K =  3,000 daN/cm^3; b =  0,8000 m; suolo "
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

// The whole road: a data file opened in the form, "Calcola", the report.
// Witness: closed-form beam theory. Simply supported, L = 6 m, q = 10 kN/m,
// E·J = 9e7 N·m² exactly in single precision (E = 703125·2^17, J = 2^-10):
// RA = RB = qL/2 = 30 kN, max M+ = qL²/8 = 45 kNm at 3 m, rotations
// qL³/24EJ = 0.001 rad, midspan deflection 5qL⁴/384EJ = 1.875 mm (the
// integration on 100 sections is 0.025 % low: still 0.001875 at 4 digits).
TEST(StampaRelazione, DalFileAllaRelazioneTraveAppoggiata) {
    const auto p = std::filesystem::path(::testing::TempDir()) / "rel_appoggiata.zlv";
    std::ofstream(p, std::ios::binary)
        << "\"Appoggiata\",\"5.4\"\r\n92160000000,0.0009765625,6\r\n100\r\n0\r\n1\r\n"
           "10000,10000,0,6\r\n0\r\n0\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n"
           "\"m\",\"MPa\",\"t\",\"kN\",\"cm\"\r\n0\r\n0,0,0,#FALSE#\r\n3\r\n";
    RegistroMessaggi msg;
    ModuloZelvo modulo;
    UnitMisura unita;
    ModelloForm form(modulo, unita, msg);
    form.InizializzaForm();
    ASSERT_TRUE(form.ApriFileDati(p.string()));
    ASSERT_EQ(form.btnCalcola_Click(), EsitoCalcolo::Completato);
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
    EXPECT_EQ(TestoRelazione(TestiDaForm(form)), atteso);
}

} // namespace
} // namespace zelvo
