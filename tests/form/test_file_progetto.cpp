// Project data file against files written by hand in the documented layout
// (versions "5.4", "5.0", "4.0" and none) and exact round trips.
#include "form/file_progetto.h"

#include "io/file_atomico.h"
#include "io/generale.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace zelvo;
using namespace std::literals;
namespace fs = std::filesystem;
using Testi = std::vector<std::string>;

namespace {

DatiTrave Esempio() {
    DatiTrave d = prova::Base(Fondazione, "Trave di prova: è à ù");
    d.Luce = 6.5f;
    d.AscissaX = 1.3f;
    d.DistanzeParziali = true;
    prova::Trapezio(d, 1000.5f, -2000, 0, 3.25f);
    prova::Trapezio(d, 0.1f, 0.2f, 3.25f, 6.5f);
    prova::Forza(d, -15000, 2); // and no couples: an empty table
    d.K = 12345678.9;
    d.b = 0.7;
    d.NDivisioni = 250;
    d.Winkler = true;
    d.ReagTraz = false;
    return d;
}

struct Stato {
    DatiTrave d;
    int16_t nSezioni = 100;
    UnitMisura u;
    std::string versione;
    ProgettoFile P() { return {d, nSezioni, u, versione}; }
    auto Campi() const { return std::tie(d, nSezioni, u.UnitaModello, u.SenzaUnita); }
};
const std::string Incompleta = "Lettura incompleta del file";

std::string Scrivi(Stato& s, RegistroMessaggi& m) {
    auto f = FlussoValori::PerScrivere(m);
    EXPECT_EQ(FileLeggeScrive(f, Verso::Scrivi, s.P()), EsitoProgetto::Completo);
    return f.Contenuto();
}

EsitoProgetto Leggi(const std::string& byte, Stato& s, RegistroMessaggi& m) {
    auto f = FlussoValori::PerLeggere(byte, m);
    return FileLeggeScrive(f, Verso::Leggi, s.P());
}

// A file of this process in the temporary folder.
const auto Temporaneo = [](const std::string& nome) {
    return fs::temp_directory_path() / ("zelvo_prog_" + std::to_string(getpid()) + nome);
};

const std::string L1 = "\"Titolo\",\"5.4\"\r\n";
const std::string Corpo = "210000000000,0.0001,6\r\n"
                          "100\r\n"
                          "0\r\n"
                          "1\r\n"
                          "5000,5000,0,6\r\n"
                          "1\r\n"
                          "1000,3\r\n"
                          "0\r\n"
                          "#TRUE#\r\n"
                          "#TRUE#\r\n";

} // namespace

TEST(FileProgetto, ByteDelFileScritto) {
    RegistroMessaggi m;
    Stato s;
    s.d = Esempio();
    s.d.Titolo = "Riga 1\r\nRiga 2";
    s.nSezioni = 200;
    const std::string atteso = "\"Riga 1\x01\x01Riga 2\",\"5.4\"\r\n"
                               "2.1E+11,8.356E-05,6.5\r\n"
                               "200\r\n"
                               "4\r\n"
                               "2\r\n"
                               "1000.5,-2000,0,3.25\r\n"
                               "0.1,0.2,3.25,6.5\r\n"
                               "1\r\n"
                               "-15000,2\r\n"
                               "0\r\n"
                               "#TRUE#\r\n"
                               "#FALSE#\r\n"
                               "#FALSE#\r\n"
                               "\"m\",\"MPa\",\"t\",\"kN\",\"cm\"\r\n"
                               "0\r\n"
                               "12345678.9,0.7,250,#TRUE#\r\n"
                               "1.3\r\n";
    EXPECT_EQ(Scrivi(s, m), atteso);
    EXPECT_TRUE(m.elenco.empty());
}

TEST(FileProgetto, AndataRitornoCompleta) {
    // Every field read back (all overwritten), tables emptied, no units.
    Stato pieno, vuoto;
    pieno.d = Esempio();
    pieno.d.Titolo = "Due righe\r\nseconda è";
    pieno.nSezioni = 321;
    pieno.u.UnitaModello = {"cm", "Pa", "", "MN", "mm"};
    vuoto.d.Luce = 1;
    vuoto.u.SenzaUnita = true;
    vuoto.u.UnitaVuote();
    for (Stato* s : {&pieno, &vuoto}) {
        RegistroMessaggi m;
        Stato r;
        r.d = s == &pieno ? DatiTrave() : Esempio();
        r.d.K = 99;
        EXPECT_EQ(Leggi(Scrivi(*s, m), r, m), EsitoProgetto::Completo);
        EXPECT_TRUE(m.elenco.empty());
        EXPECT_EQ(r.Campi(), s->Campi());
        EXPECT_EQ(r.d.CarichiTrapezi.Conta(), s->d.NTrapezi);
        EXPECT_EQ(r.versione, "5.4");
    }
}

TEST(FileProgetto, CaratteriNonAmmessiSostituitiEAvvisati) {
    const fs::path p = Temporaneo("sostituiti.zlv");
    RegistroMessaggi m;
    Stato s;
    s.d.Titolo = "Sezione \"IPE\" α\tfine";
    ASSERT_TRUE(ScriviFileProgetto(p, s.P(), m));
    ASSERT_EQ(m.Testi(), Testi{"Alcuni caratteri non ammessi nel file sono stati sostituiti."});
    EXPECT_EQ(m.elenco[0].icona, Icona::Informazione);
    Stato r;
    m.Svuota();
    EXPECT_EQ(LeggiFileProgetto(p, r.P(), m), EsitoProgetto::Completo);
    EXPECT_EQ(r.d.Titolo, "Sezione 'IPE' ??fine");
    EXPECT_TRUE(m.elenco.empty());
    fs::remove(p);
}

// "5.0" ends after the abscissa, "4.0" after the units (a rigid foundation of
// unit width); without a version each of the two conditional reads warns.
TEST(FileProgetto, VersioniPrecedenti) {
    RegistroMessaggi m;
    Stato r;
    EXPECT_EQ(Leggi("\"Vecchia\",\"5.0\"\r\n" + Corpo +
                        "#FALSE#\r\n\"m\",\"kPa\",\"t\",\"N\",\"mm\"\r\n0\r\n"
                        "20000000,0.5,80,#FALSE#\r\n2.5\r\n",
                    r, m),
              EsitoProgetto::Completo);
    EXPECT_TRUE(m.elenco.empty());
    EXPECT_EQ(std::tuple(r.versione, r.d.CarichiConcentrati(1), r.u.UnitaModello[1], r.d.b,
                         r.d.NDivisioni, r.d.AscissaX),
              std::tuple("5.0"s, CaricoConcentrato{1000, 3}, "kPa"s, 0.5, int16_t(80), 2.5f));

    Stato q;
    q.d.K = 777;
    q.d.Winkler = true;
    EXPECT_EQ(Leggi("\"Quattro\",\"4.0\"\r\n" + Corpo +
                        "#FALSE#\r\n\"cm\",\"MPa\",\"t\",\"kN\",\"cm\"\r\n",
                    q, m),
              EsitoProgetto::Completo);
    EXPECT_TRUE(m.elenco.empty());
    EXPECT_EQ(std::tuple(q.u.UnitaModello[0], q.u.SenzaUnita, q.d.Winkler, q.d.b, q.d.K),
              std::tuple("cm"s, false, false, 1.0, 777.0)); // K kept

    Stato a;
    a.u.UnitaModello = {"mm", "Pa", "t", "N", "mm"};
    a.d.Winkler = true;
    EXPECT_EQ(Leggi("\"Antico\"\r\n" + Corpo, a, m), EsitoProgetto::Completo);
    EXPECT_EQ(m.Testi(), Testi(2, Incompleta));
    // Without units by default, the labels not read.
    EXPECT_EQ(std::tuple(a.versione, a.d.DistanzeParziali, a.d.ReagTraz, a.u.SenzaUnita,
                         a.u.UnitaModello[0], a.d.Winkler),
              std::tuple("0"s, true, true, true, "mm"s, false));
}

TEST(FileProgetto, SenzaRigheOpzioniNessunMessaggio) {
    // A very old file ending after the loads or line 11: the defaults stay.
    const std::string corpo = Corpo.substr(0, Corpo.find("#TRUE#"));
    for (const std::string& coda :
         {std::string(""), std::string("\r\n  \r\n"), std::string("#TRUE#\r\n")}) {
        RegistroMessaggi m;
        Stato r;
        r.d.ReagTraz = true;
        EXPECT_EQ(Leggi("\"Antico\"\r\n" + corpo + coda, r, m), EsitoProgetto::Completo);
        EXPECT_TRUE(m.elenco.empty());
        EXPECT_EQ(std::tuple(r.d.ReagTraz, r.d.DistanzeParziali, r.d.CarichiConcentrati(1)),
                  std::tuple(false, coda == "#TRUE#\r\n", CaricoConcentrato{1000, 3}));
    }
}

TEST(FileProgetto, FileTroncatiODanneggiati) {
    // Partial, one message, counts matching the rows, no unknown scheme; an
    // unreadable header changes nothing.
    const std::string corpo = Corpo.substr(0, Corpo.find("#TRUE#"));
    struct Caso {
        std::string byte;
        const char* perche;
    };
    const std::vector<Caso> casi = {
        {"", "empty"},
        {"PK\x03\x04 non un file di dati\r\n1,2,3\r\n", "not a data file"},
        {"\"Antico\"\r\n" + Corpo.substr(0, Corpo.find("5000,")), "stops before a load line"},
        {"\"Antico\"\r\n" + corpo + "forse\r\n#TRUE#\r\n", "line 11 is not a boolean"},
        {"\"Antico\"\r\n" + corpo + "#TRUE#\r\n7x\r\n", "line 12 is not a boolean"},
        {"\"Quattro\",\"4.0\"\r\n" + corpo, "a \"4.0\" file without lines 11-14"},
        {"\"Quattro\",\"4.0\"\r\n" + Corpo + "#FALSE#\r\n", "a \"4.0\" file without line 14"},
        {"\"Quattro\",\"4.0\"\r\n" + Corpo + "forse\r\n\"m\",\"MPa\",\"t\",\"kN\",\"cm\"\r\n",
         "line 13 is not a boolean"},
        {L1 + "1,1,1\r\n100\r\n7\r\n", "an unknown scheme"},
        {L1 + "1,1,1\r\n100\r\n0\r\n-3\r\n", "a negative row count"},
        {L1 + Corpo + "#FALSE#\r\n\"m\",\"MPa\",\"t\",\"kN\",\"cm\"\r\n1\r\n\"record\"\r\n",
         "a section record and no reader for it"},
    };
    for (const auto& c : casi) {
        RegistroMessaggi m;
        Stato r;
        r.d.Titolo = "com'era";
        const bool illeggibile = c.byte.empty() || c.byte[0] == 'P';
        EXPECT_EQ(Leggi(c.byte, r, m),
                  illeggibile ? EsitoProgetto::IntestazioneIlleggibile : EsitoProgetto::Parziale)
            << c.perche;
        EXPECT_EQ(r.d.Titolo == "com'era", illeggibile) << c.perche;
        EXPECT_EQ(m.Testi(), Testi{Incompleta}) << c.perche;
        EXPECT_EQ(r.d.NTrapezi, r.d.CarichiTrapezi.Conta()) << c.perche;
        EXPECT_TRUE(r.d.Vincoli >= 0 && r.d.Vincoli <= 4) << c.perche;
    }
}

// The file cut after every line: only the lines read change the record.
class FileTagliato : public ::testing::TestWithParam<int> {};

TEST_P(FileTagliato, LetturaParziale) {
    RegistroMessaggi m;
    Stato s;
    s.d = Esempio();
    s.u.UnitaModello = {"cm", "Pa", "t", "MN", "mm"};
    const std::string byte = Scrivi(s, m);
    size_t fine = 0;
    for (int i = 0; i < GetParam(); ++i)
        fine = byte.find("\r\n", fine) + 2;
    Stato r;
    r.d.Luce = -1;
    r.d.NDivisioni = -5;
    const int righe = GetParam();
    EXPECT_EQ(Leggi(byte.substr(0, fine), r, m),
              righe ? EsitoProgetto::Parziale : EsitoProgetto::IntestazioneIlleggibile);
    EXPECT_EQ(std::tuple(r.d.Titolo, r.d.Luce, r.d.NDivisioni),
              std::tuple(righe ? s.d.Titolo : "", righe >= 2 ? 6.5f : -1.0f,
                         int16_t(righe >= 16 ? 250 : -5)));
    // One message, the reading ends there (lines 11-12 too: "5.4" holds them).
    EXPECT_EQ(m.Testi(), Testi{Incompleta}) << righe;
    EXPECT_EQ(r.u.UnitaModello, righe >= 14 ? s.u.UnitaModello : Stato().u.UnitaModello);
}

INSTANTIATE_TEST_SUITE_P(Righe, FileTagliato, ::testing::Range(0, 17));

TEST(FileProgetto, SalvataggioFallitoLasciaIlVecchioFile) {
    const fs::path p = Temporaneo("fallito.zlv");
    RegistroMessaggi m;
    Stato s;
    s.d = Esempio();
    ASSERT_TRUE(ScriviFileProgetto(p, s.P(), m));
    const std::string vecchio = *LeggiFile(p);
    s.d.Titolo = "nuovo";
    SimulaDiscoPieno(40);
    EXPECT_FALSE(ScriviFileProgetto(p, s.P(), m));
    SimulaDiscoPieno(std::nullopt);
    EXPECT_EQ(*LeggiFile(p), vecchio);
    // A folder that does not exist (or is read-only): same message, nothing written.
    EXPECT_FALSE(ScriviFileProgetto(Temporaneo("manca") / "x.zlv", s.P(), m));
    EXPECT_EQ(m.Testi(), Testi(2, "Scrittura incompleta del file"));
    fs::remove(p);
}
