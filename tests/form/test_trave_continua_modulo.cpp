// The continuous beam (scheme 5) through the calculation module, the data
// file and the report: the single-span schemes as one-span continuous beams,
// equilibrium of the supports against the loads, the file's 6.0 layout and
// the refusal of newer files, the report's tables.
#include "core/calcolo.h"
#include "core/modulo_zelvo.h"
#include "form/file_progetto.h"
#include "form/modello_form.h"
#include "form/relazione.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace zelvo;

namespace {

const std::string Esempi = std::string(ZELVO_SOURCE_DIR) + "/examples/";

struct Letto {
    DatiTrave d;
    int16_t nSezioni = 100;
    UnitMisura u;
    std::string versione;
};

// An example read as the window reads it (the sections of its field).
Letto LeggiEsempio(const std::string& nome) {
    Letto l;
    RegistroMessaggi m;
    ProgettoFile p{l.d, l.nSezioni, l.u, l.versione};
    EXPECT_EQ(LeggiFileProgetto(Esempi + nome + ".zlv", p, m), EsitoProgetto::Completo) << nome;
    l.d.NSezioni = l.nSezioni;
    return l;
}

std::string Scrivi(DatiTrave& d, int16_t& ns, UnitMisura& u, RegistroMessaggi& m) {
    std::string v;
    auto f = FlussoValori::PerScrivere(m);
    EXPECT_EQ(FileLeggeScrive(f, Verso::Scrivi, {d, ns, u, v}), EsitoProgetto::Completo);
    return f.Contenuto();
}

EsitoProgetto Leggi(const std::string& byte, Letto& l, RegistroMessaggi& m) {
    auto f = FlussoValori::PerLeggere(byte, m);
    return FileLeggeScrive(f, Verso::Leggi, {l.d, l.nSezioni, l.u, l.versione});
}

// Loads of the record: total downward force and its moment about x = 0
// (clockwise positive), the couples included. Trapezoid q1..q2 over d1..d2:
// resultant (q1 + q2)·c/2 at d1 + c·(q1 + 2·q2)/(3·(q1 + q2)), c = d2 − d1,
// i.e. moment q1·c·(d1 + c/2) + (q2 − q1)·c/2·(d1 + 2c/3).
void Carichi(const DatiTrave& d, double& P, double& Mo) {
    P = Mo = 0;
    for (int i = 1; i <= d.NTrapezi; ++i) {
        const auto& t = d.CarichiTrapezi(i);
        const double c = double(t.d2) - t.d1;
        P += (double(t.q1) + t.q2) * c / 2;
        Mo += t.q1 * c * (t.d1 + c / 2) + (double(t.q2) - t.q1) * c / 2 * (t.d1 + 2 * c / 3);
    }
    for (int i = 1; i <= d.NConcentrati; ++i) {
        P += d.CarichiConcentrati(i).F;
        Mo += double(d.CarichiConcentrati(i).F) * d.CarichiConcentrati(i).d;
    }
    for (int i = 1; i <= d.NCoppie; ++i)
        Mo += d.Coppie(i).W;
}

// The supports of the one-span beam that is the scheme.
std::vector<AppoggioContinuo> AppoggiDelloSchema(int16_t schema) {
    using T = TipoAppoggio;
    switch (schema) {
    case AppoggioAppoggio:
        return {{T::Appoggio}, {T::Appoggio}};
    case IncastroIncastro:
        return {{T::Incastro}, {T::Incastro}};
    case IncastroAppoggio:
        return {{T::Incastro}, {T::Appoggio}};
    default:
        return {{T::Incastro}, {T::Libero}};
    }
}

class UnaCampata : public ::testing::TestWithParam<const char*> {};

// Each single-span example as a continuous beam of one span on the
// scheme's supports: the same reactions, end moments and, at every
// calculation point of the scheme, the same M and V by statics, to 1e-9 of
// the problem's scale (its total load, its largest moment): both are exact
// solutions of the same data, the scheme's in closed form, the continuous
// beam's by the stiffness method. The end rotations follow the single
// span's E·J rounded to a single: to 1e-6.
TEST_P(UnaCampata, StessiRisultatiDelloSchema) {
    const Letto l = LeggiEsempio(GetParam());
    RegistroMessaggi m;
    ModuloZelvo a;
    a.Dati = l.d;
    ASSERT_EQ(a.Calcola(m), EsitoCalcolo::Completato);
    ModuloZelvo b;
    b.Dati = l.d;
    b.Dati.Vincoli = Continua;
    b.Dati.Campate = {{l.d.Luce, l.d.J}};
    b.Dati.Appoggi = AppoggiDelloSchema(l.d.Vincoli);
    ASSERT_EQ(b.Calcola(m), EsitoCalcolo::Completato);
    EXPECT_TRUE(m.elenco.empty());
    EXPECT_EQ(b.Dati.Luce, l.d.Luce);

    const RisultatiTrave& ra = a.Risultati;
    const RisultatiTrave& rb = b.Risultati;
    double P = 0, Mo = 0;
    Carichi(l.d, P, Mo);
    double carico = 0; // sum of |loads|
    for (int i = 1; i <= l.d.NTrapezi; ++i)
        carico += std::abs((double(l.d.CarichiTrapezi(i).q1) + l.d.CarichiTrapezi(i).q2) *
                           (l.d.CarichiTrapezi(i).d2 - l.d.CarichiTrapezi(i).d1) / 2);
    for (int i = 1; i <= l.d.NConcentrati; ++i)
        carico += std::abs(l.d.CarichiConcentrati(i).F);
    const double scalaM = std::max(
        {std::abs(ra.MA), std::abs(ra.MB), double(std::abs(ra.Mmax)), double(std::abs(ra.Mmin))});
    const double tolR = 1e-9 * carico, tolM = 1e-9 * scalaM;
    EXPECT_NEAR(rb.RA, ra.RA, tolR);
    EXPECT_NEAR(rb.RB, ra.RB, tolR);
    EXPECT_NEAR(rb.MA, ra.MA, tolM);
    EXPECT_NEAR(rb.MB, ra.MB, tolM);
    const double scalaRot = std::max(std::abs(ra.RotA), std::abs(ra.RotB));
    EXPECT_NEAR(rb.RotA, ra.RotA, 1e-6 * scalaRot);
    EXPECT_NEAR(rb.RotB, ra.RotB, 1e-6 * scalaRot);

    // Inside the span (at the end a load placed there counts on one side
    // by statics from the left, on the other in the end values).
    int confronti = 0;
    for (int i = 3; i <= ra.NPunti - 2; ++i) {
        const double x = ra.x(i);
        if (x >= l.d.Luce) continue;
        double M = 0, V = 0;
        AzioniInX(a.Dati, ra, x, M, V);
        EXPECT_NEAR(b.Continua.MomentoIn(x), M, tolM) << "x = " << x;
        EXPECT_NEAR(b.Continua.TaglioIn(x), V, tolR) << "x = " << x;
        // The general results' statics on the supports give the same.
        double Mb = 0, Vb = 0;
        AzioniInX(b.Dati, rb, x, Mb, Vb);
        EXPECT_NEAR(Mb, M, tolM) << "x = " << x;
        EXPECT_NEAR(Vb, V, tolR) << "x = " << x;
        ++confronti;
    }
    EXPECT_GT(confronti, 100);
    // The value at x of both (M and V by statics, single precision).
    ASSERT_TRUE(ra.Mx && rb.Mx);
    EXPECT_NEAR(*rb.Mx, *ra.Mx, 1e-6 * scalaM);
    EXPECT_NEAR(*rb.Vx, *ra.Vx, 1e-6 * carico);
}

INSTANTIATE_TEST_SUITE_P(Esempi, UnaCampata,
                         ::testing::Values("appoggio-appoggio", "incastro-incastro",
                                           "incastro-appoggio", "mensola"));

// Equilibrium of the whole beam on the module's path: the supports'
// forces balance the loads, and so do their moments about the left end
// (a reaction R at x turns counterclockwise, −R·x; a fixed support's couple
// C as it is), to 1e-9 of the loads' scale. The example has a free
// overhang, a settlement, a spring and a fixed end; the second problem
// puts springs everywhere and a couple over a support.
TEST(TraveContinua, EquilibrioDelleReazioni) {
    std::vector<DatiTrave> problemi{LeggiEsempio("trave-continua").d};
    DatiTrave d = prova::Base(Continua, "Molle");
    d.Campate = {{3, 1e-4}, {4.5, 2e-4}, {2, 1e-4}};
    d.Appoggi = {{TipoAppoggio::Molla, 2e7, 0.001},
                 {TipoAppoggio::Molla, 5e7, 0},
                 {TipoAppoggio::Appoggio, 0, -0.002},
                 {TipoAppoggio::Molla, 1e7, 0}};
    prova::Trapezio(d, 5000, 20000, 0.5f, 8);
    prova::Forza(d, 30000, 3);
    prova::Forza(d, -8000, 9.5f);
    prova::Coppia(d, 12000, 7.5f);
    problemi.push_back(d);
    for (const DatiTrave& p : problemi) {
        RegistroMessaggi m;
        ModuloZelvo z;
        z.Dati = p;
        ASSERT_EQ(z.Calcola(m), EsitoCalcolo::Completato) << p.Titolo;
        double P = 0, Mo = 0;
        Carichi(p, P, Mo);
        double R = 0, MR = 0;
        for (const AzioneAppoggio& a : z.Risultati.AzioniAppoggi) {
            R += a.R;
            MR += -a.R * a.x + a.C;
        }
        const double L = LuceContinua(p);
        EXPECT_NEAR(R, P, 1e-9 * std::abs(P)) << p.Titolo;
        EXPECT_NEAR(MR + Mo, 0, 1e-9 * std::abs(P) * L) << p.Titolo;
        // The general results hold the continuous beam's end values and
        // the points over the whole beam.
        const RisultatiTrave& r = z.Risultati;
        EXPECT_EQ(r.RA, z.Continua.Appoggi.front().Reazione);
        EXPECT_EQ(r.RB, z.Continua.Appoggi.back().Reazione);
        EXPECT_EQ(r.x(1), 0);
        EXPECT_EQ(r.x(r.NPunti), L);
        EXPECT_EQ(r.M(r.NPunti), 0);
        EXPECT_TRUE(std::is_sorted(r.x.data(), r.x.data() + r.NPunti));
        EXPECT_FLOAT_EQ(r.Mmax, float(z.Continua.Mmax));
        EXPECT_FLOAT_EQ(r.Mmin, float(z.Continua.Mmin));
        EXPECT_FLOAT_EQ(r.fMaxGiu, float(z.Continua.fMaxGiu));
    }
}

// Data the beam refuses: one message naming every row at fault, nothing
// calculated; a beam that cannot stand: "Trave labile: ...".
TEST(TraveContinua, DatiRifiutatiELabile) {
    DatiTrave d = prova::Base(Continua, "Rifiuti");
    d.Campate = {{4, 1e-4}, {0, 1e-4}};
    d.Appoggi = {{TipoAppoggio::Appoggio}, {TipoAppoggio::Molla, -5}, {TipoAppoggio::Appoggio}};
    prova::Forza(d, 1000, -1);
    {
        RegistroMessaggi m;
        ModuloZelvo z;
        z.Dati = d;
        EXPECT_EQ(z.CalcolaConTrappola(m), EsitoCalcolo::TraveRifiutata);
        ASSERT_EQ(m.elenco.size(), 1u);
        EXPECT_EQ(m.elenco[0].testo, std::string("Campata N° 2: L deve essere maggiore di zero") +
                                         ACapo + "Appoggio N° 2: k non può essere negativo");
        EXPECT_FALSE(z.Risultati.Calcolato);
    }
    d.Campate[1].L = 3;
    d.Appoggi[1].k = 1e6;
    {
        RegistroMessaggi m;
        ModuloZelvo z;
        z.Dati = d;
        EXPECT_EQ(z.CalcolaConTrappola(m), EsitoCalcolo::TraveRifiutata);
        ASSERT_EQ(m.elenco.size(), 1u);
        EXPECT_EQ(m.elenco[0].testo, "Carico concentrato N° 1: fuori dalla trave");
    }
    d.CarichiConcentrati(1).d = 2;
    d.Appoggi = {{TipoAppoggio::Libero}, {TipoAppoggio::Appoggio}, {TipoAppoggio::Libero}};
    {
        RegistroMessaggi m;
        ModuloZelvo z;
        z.Dati = d;
        EXPECT_EQ(z.CalcolaConTrappola(m), EsitoCalcolo::TraveRifiutata);
        ASSERT_EQ(m.elenco.size(), 1u);
        EXPECT_EQ(m.elenco[0].testo.rfind("Trave labile: ", 0), 0u) << m.elenco[0].testo;
    }
}

// A continuous beam on file: the 6.0 layout after the lines of 5.4 (spans
// L,J; supports Tipo,k,Cedimento), read back to the same record and
// written again to the same bytes; a single-span problem keeps "5.4".
TEST(TraveContinuaFile, Versione60AndataRitorno) {
    DatiTrave d = prova::Base(Continua, "Tre campate");
    d.Luce = 12.5f;
    d.Campate = {{1.5, 1e-4}, {6, 2.5e-4}, {5, 1.25e-4}};
    d.Appoggi = {{TipoAppoggio::Libero},
                 {TipoAppoggio::Appoggio, 0, 0.0015},
                 {TipoAppoggio::Molla, 3.5e7, 0},
                 {TipoAppoggio::Incastro}};
    prova::Trapezio(d, 10000, 10000, 0, 12.5f);
    int16_t ns = 80;
    UnitMisura u;
    RegistroMessaggi m;
    const std::string byte = Scrivi(d, ns, u, m);
    const std::string atteso = "\"Tre campate\",\"6.0\"\r\n"
                               "2.1E+11,8.356E-05,12.5\r\n"
                               "80\r\n"
                               "5\r\n"
                               "1\r\n"
                               "10000,10000,0,12.5\r\n"
                               "0\r\n"
                               "0\r\n"
                               "#FALSE#\r\n"
                               "#TRUE#\r\n"
                               "#FALSE#\r\n"
                               "\"m\",\"MPa\",\"t\",\"kN\",\"cm\"\r\n"
                               "0\r\n"
                               "0,0,0,#FALSE#\r\n"
                               "2\r\n"
                               "3\r\n"
                               "1.5,1E-04\r\n"
                               "6,0.00025\r\n"
                               "5,0.000125\r\n"
                               "3,0,0\r\n"
                               "1,0,0.0015\r\n"
                               "2,3.5E+07,0\r\n"
                               "0,0,0\r\n";
    EXPECT_EQ(byte, atteso);
    Letto l;
    l.d.Campate = {{9, 9}}; // overwritten
    ASSERT_EQ(Leggi(byte, l, m), EsitoProgetto::Completo);
    EXPECT_TRUE(m.elenco.empty());
    EXPECT_EQ(l.versione, "6.0");
    EXPECT_EQ(l.d.Campate, d.Campate);
    EXPECT_EQ(l.d.Appoggi, d.Appoggi);
    EXPECT_EQ(l.d.Vincoli, Continua);
    EXPECT_EQ(Scrivi(l.d, l.nSezioni, l.u, m), byte);

    // The example written by the program reads and writes back the same.
    Letto e;
    const std::string nome = Esempi + "trave-continua.zlv";
    ASSERT_EQ(LeggiFileProgetto(nome, {e.d, e.nSezioni, e.u, e.versione}, m),
              EsitoProgetto::Completo);
    std::ifstream in(nome, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_EQ(Scrivi(e.d, e.nSezioni, e.u, m), s.str());
    EXPECT_EQ(e.d.Campate.size(), 4u);
    EXPECT_EQ(e.d.Appoggi.front().Tipo, TipoAppoggio::Libero);

    // The same problem as a single span: "5.4", no lines of the spans, and
    // a 5.4 file read afterwards leaves no spans behind.
    d.Vincoli = AppoggioAppoggio;
    const std::string semplice = Scrivi(d, ns, u, m);
    EXPECT_EQ(semplice.rfind("\"Tre campate\",\"5.4\"\r\n", 0), 0u);
    EXPECT_EQ(semplice.size(), atteso.find("\r\n3\r\n1.5") + 2);
    ASSERT_EQ(Leggi(semplice, l, m), EsitoProgetto::Completo);
    EXPECT_TRUE(l.d.Campate.empty());
    EXPECT_TRUE(l.d.Appoggi.empty());
}

// A file newer than the program is refused, naming both versions, and
// nothing is read; versions compare as numbers. A scheme 5 in a file older
// than 6.0, or a file cut inside the spans, stops as a damaged file does.
TEST(TraveContinuaFile, VersioniRifiutate) {
    const std::string corpo = "2.1E+11,8.356E-05,6\r\n100\r\n0\r\n0\r\n0\r\n0\r\n#FALSE#\r\n"
                              "#TRUE#\r\n#FALSE#\r\n\"m\",\"MPa\",\"t\",\"kN\",\"cm\"\r\n0\r\n"
                              "0,0,0,#FALSE#\r\n3\r\n";
    for (const std::string v : {"7.1", "10.0", "8.0"}) {
        RegistroMessaggi m;
        Letto l;
        l.d.Titolo = "prima";
        EXPECT_EQ(Leggi("\"Nuovo\",\"" + v + "\"\r\n" + corpo, l, m),
                  EsitoProgetto::IntestazioneIlleggibile);
        ASSERT_EQ(m.elenco.size(), 1u);
        EXPECT_EQ(m.elenco[0].testo, "Il file è della versione " + v +
                                         ", più recente di quella del programma (7.0): "
                                         "aggiornare Zelvo.");
        EXPECT_EQ(l.d.Titolo, "prima");
    }
    {
        // 6.0 holds the spans' lines even for a single span.
        RegistroMessaggi m;
        Letto l;
        EXPECT_EQ(Leggi("\"Sei\",\"6.0\"\r\n" + corpo + "0\r\n0,0,0\r\n", l, m),
                  EsitoProgetto::Completo);
        EXPECT_TRUE(m.elenco.empty());
        EXPECT_EQ(Leggi("\"Sei\",\"6.0\"\r\n" + corpo, l, m), EsitoProgetto::Parziale);
        ASSERT_EQ(m.elenco.size(), 1u);
        EXPECT_EQ(m.elenco[0].testo, "Lettura incompleta del file");
    }
    {
        std::string vecchio = "\"Vecchio\",\"5.4\"\r\n" + corpo;
        vecchio.replace(vecchio.find("100\r\n0\r\n"), 8, "100\r\n5\r\n");
        RegistroMessaggi m;
        Letto l;
        EXPECT_EQ(Leggi(vecchio, l, m), EsitoProgetto::Parziale);
        ASSERT_EQ(m.elenco.size(), 1u);
        EXPECT_EQ(m.elenco[0].testo, "Lettura incompleta del file");
    }
}

// The report of two equal spans L = 4 m under w = 10 kN/m. The three-moment
// equation over the middle support, ends free to rotate:
//   M0·L + 2·M1·(L + L) + M2·L = −w·L³/4 − w·L³/4, M0 = M2 = 0
//   → M1 = −w·L²/8 = −20 kNm.
// End reaction from the first span's equilibrium about the middle support:
//   R0·L − w·L²/2 = M1 → R0 = w·L/2 − w·L/8 = 3·w·L/8 = 15 kN,
// the middle one the rest of 2·w·L: R1 = 2·w·L − 2·R0 = 10·w·L/8 = 50 kN.
// Largest sagging moment where V = 0 in the first span, x = R0/w = 1.5 m:
//   M = R0²/(2·w) = 9·w·L²/128 = 11.25 kNm.
TEST(TraveContinuaRelazione, DueCampateUguali) {
    ModuloZelvo modulo;
    UnitMisura unita;
    RegistroMessaggi m;
    ModelloForm f(modulo, unita, m);
    f.InizializzaForm();
    DatiTrave d = prova::Base(Continua, "Due campate");
    d.Luce = 8;
    d.AscissaX = 4;
    d.Campate = {{4, 8.356e-5}, {4, 8.356e-5}};
    d.Appoggi = {{}, {}, {}};
    prova::Trapezio(d, 10000, 10000, 0, 8);
    modulo.Dati = d;
    f.NSezioni = 100;
    f.ScriveDatiInForm();
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    EXPECT_TRUE(m.elenco.empty());
    const std::string testo = TestoRelazione(TestiDaForm(f));

    std::vector<std::string> righe;
    for (size_t i = 0; i < testo.size();) {
        const size_t j = testo.find("\r\n", i);
        righe.push_back(testo.substr(i, j == std::string::npos ? std::string::npos : j - i));
        if (j == std::string::npos) break;
        i = j + 2;
    }
    const auto parole = [](const std::string& r) {
        std::istringstream s(r);
        std::vector<std::string> p;
        for (std::string w; s >> w;)
            p.push_back(w);
        return p;
    };
    // The rows under a table's heading line.
    const auto tabella = [&](const std::string& titolo) {
        std::vector<std::vector<std::string>> t;
        auto it = std::find(righe.begin(), righe.end(), titolo);
        EXPECT_NE(it, righe.end()) << titolo << "\n" << testo;
        if (it == righe.end()) return t;
        for (++it; it != righe.end() && !parole(*it).empty(); ++it)
            t.push_back(parole(*it));
        return t;
    };
    using R = std::vector<std::string>;
    EXPECT_NE(std::find(righe.begin(), righe.end(), "Vincoli: Trave continua"), righe.end());
    const auto campate = tabella("Campate: L m, J cm^4");
    ASSERT_EQ(campate.size(), 3u);
    EXPECT_EQ(campate[1], (R{"1", "4.000", "8,356"}));
    const auto appoggi = tabella("Appoggi: k kN/m, cedimento m");
    ASSERT_EQ(appoggi.size(), 4u);
    EXPECT_EQ(appoggi[0], (R{"N°", "Tipo", "k", "Cedimento"}));
    EXPECT_EQ(appoggi[2], (R{"2", "Appoggio", "0"}));
    const auto ra = tabella("Appoggi: x m, R kN, M kNm, Rotaz. (rad), w m");
    ASSERT_EQ(ra.size(), 4u);
    EXPECT_EQ(ra[0], (R{"N°", "x", "R", "M", "Rotaz.", "w"}));
    EXPECT_EQ(R(ra[1].begin(), ra[1].begin() + 4), (R{"1", "0", "15.00", "0"}));
    EXPECT_EQ(R(ra[2].begin(), ra[2].begin() + 4), (R{"2", "4.000", "50.00", "-20.00"}));
    EXPECT_EQ(R(ra[3].begin(), ra[3].begin() + 4), (R{"3", "8.000", "15.00", "0"}));
    // End rotations ±w·L³/(48·E·J) of the propped span: 10000·64/(48·2.1e11·8.356e-5).
    EXPECT_EQ(ra[1][4], "0.0007598");
    EXPECT_EQ(ra[3][4], "-0.0007598");
    const auto rc = tabella("Campate: M kNm, x m, V kN");
    ASSERT_EQ(rc.size(), 3u);
    // max |V| = R1/2 = 25 kN beside the middle support.
    EXPECT_EQ(rc[1], (R{"1", "11.25", "1.500", "-20.00", "4.000", "25.00"}));
    EXPECT_EQ(rc[2], (R{"2", "11.25", "6.500", "-20.00", "4.000", "25.00"}));
    EXPECT_EQ(tabella("Frecce: f m, x m").size(), 3u);
    EXPECT_NE(
        std::find(righe.begin(), righe.end(), "max M- = -20.00 kNm          x max M- =  4.000 m"),
        righe.end())
        << testo;
}

} // namespace
