// Load cases on the project data file: the "7.0" layout written by hand
// against the writer, exact round trips, the older layouts untouched and
// damaged case lines refused as a damaged file is.
#include "form/file_progetto.h"

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

struct Stato {
    DatiTrave d;
    int16_t nSezioni = 100;
    UnitMisura u;
    std::string versione;
    ProgettoFile P() { return {d, nSezioni, u, versione}; }
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

CasoCarico Caso(const std::string& nome, TipoCaso t, CategoriaQ c = CategoriaQ::A, double p0 = 0,
                double p1 = 0, double p2 = 0) {
    return {nome, t, c, p0, p1, p2};
}

// A simply supported beam with a permanent and a snow case: the trapezoid
// in the snow case, the force permanent.
DatiTrave ConCasi() {
    DatiTrave d = prova::Base(AppoggioAppoggio, "Casi");
    prova::Trapezio(d, 5000, 5000, 0, 6);
    d.CarichiTrapezi(1).Caso = 1;
    prova::Forza(d, 1000, 3);
    d.Casi = {Caso("G1, strutturali", TipoCaso::G1),
              Caso("Neve è", TipoCaso::Q, CategoriaQ::NeveSotto1000, 0.5, 0.2, 0)};
    d.PesoProprio = true;
    d.PesoProprioQ = 1234.5;
    return d;
}

// The lines of a file, each with its CR LF.
std::vector<std::string> Righe(const std::string& byte) {
    std::vector<std::string> r;
    for (size_t i = 0; i < byte.size();) {
        const size_t fine = byte.find("\r\n", i) + 2;
        r.push_back(byte.substr(i, fine - i));
        i = fine;
    }
    return r;
}

} // namespace

// The layout of a problem with cases: the 5.4 lines, each load row ending
// with its case, the placeholder span lines of a single span (no spans, one
// support), then cases, partial factors, limits and self-weight.
TEST(FileCasi, ByteDelFileScritto) {
    RegistroMessaggi m;
    Stato s;
    s.d = ConCasi();
    s.d.Coefficienti.gQ[0] = 1.35;
    s.d.Limiti = {200, 250};
    const std::string atteso = "\"Casi\",\"7.0\"\r\n"
                               "2.1E+11,8.356E-05,6\r\n"
                               "100\r\n"
                               "0\r\n"
                               "1\r\n"
                               "5000,5000,0,6,1\r\n"
                               "1\r\n"
                               "1000,3,0\r\n"
                               "0\r\n"
                               "#FALSE#\r\n"
                               "#TRUE#\r\n"
                               "#FALSE#\r\n"
                               "\"m\",\"MPa\",\"t\",\"kN\",\"cm\"\r\n"
                               "0\r\n"
                               "0,0,0,#FALSE#\r\n"
                               "2\r\n"
                               "0\r\n"
                               "1,0,0\r\n"
                               "2\r\n"
                               "\"G1, strutturali\",0,0,0,0,0\r\n"
                               "\"Neve è\",2,11,0.5,0.2,0\r\n"
                               "1.3,1,1.5,0.8,1.35,0\r\n"
                               "200,250\r\n"
                               "#TRUE#,1234.5\r\n";
    EXPECT_EQ(Scrivi(s, m), atteso.substr(0, atteso.find("Neve")) + "Neve \xE8" +
                                atteso.substr(atteso.find("Neve") + 7));
    EXPECT_TRUE(m.elenco.empty());
    EXPECT_EQ(VersioneScritta(s.d), "7.0");
    // The self-weight alone is a problem with cases; nothing else is.
    DatiTrave solo = prova::Base(AppoggioAppoggio, "");
    EXPECT_EQ(VersioneScritta(solo), "5.4");
    solo.PesoProprio = true;
    EXPECT_EQ(VersioneScritta(solo), "7.0");
    solo.PesoProprio = false;
    solo.Vincoli = Continua;
    EXPECT_EQ(VersioneScritta(solo), "6.0");
}

// Write and read back: the record read equals the record written, for a
// single span, a continuous beam and the self-weight alone, every kind and
// category of case and names with separators.
TEST(FileCasi, AndataRitorno) {
    std::vector<DatiTrave> problemi;
    problemi.push_back(ConCasi());
    {
        DatiTrave d = prova::Base(Continua, "Due campate");
        d.Campate = {{4, 1e-4}, {5.5, 2e-4}};
        d.Appoggi = {{TipoAppoggio::Incastro, 0, 0.001},
                     {TipoAppoggio::Molla, 3e7, 0},
                     {TipoAppoggio::Appoggio, 0, 0}};
        d.Luce = 9.5f;
        prova::Trapezio(d, 1, 2, 0, 9.5f);
        prova::Forza(d, 3, 4);
        prova::Coppia(d, 7, 1);
        prova::Coppia(d, 8, 2);
        d.Coppie(2).Caso = 16;
        d.CarichiConcentrati(1).Caso = 3;
        for (int16_t c = 0; c <= static_cast<int16_t>(CategoriaQ::Personalizzata); ++c)
            d.Casi.push_back(Caso("Q" + std::to_string(c) + " \"; , \\ à", TipoCaso::Q,
                                  static_cast<CategoriaQ>(c), 0.7, 0.1 * (c % 10), 1.0 / 3));
        d.Casi.push_back(Caso("", TipoCaso::G2));
        d.Casi.push_back(Caso("G1", TipoCaso::G1));
        d.Coefficienti = CoefficientiEN1990();
        d.Limiti = {400, 500};
        d.PesoProprioQ = 2000; // kept with the self-weight off
        problemi.push_back(d);
    }
    {
        DatiTrave d = prova::Base(Mensola, "Peso proprio");
        d.PesoProprio = true;
        d.PesoProprioQ = 0.1;
        problemi.push_back(d);
    }
    for (DatiTrave& d : problemi) {
        RegistroMessaggi m;
        Stato s;
        s.d = d;
        const std::string byte = Scrivi(s, m);
        Stato r;
        r.d = ConCasi(); // every field overwritten
        r.d.Casi.push_back(Caso("vecchio", TipoCaso::Q));
        EXPECT_EQ(Leggi(byte, r, m), EsitoProgetto::Completo) << d.Titolo;
        // A quote is the one character the line cannot carry.
        for (auto& c : s.d.Casi)
            std::replace(c.Nome.begin(), c.Nome.end(), '"', '\'');
        EXPECT_EQ(r.d, s.d) << d.Titolo;
        EXPECT_EQ(r.versione, "7.0");
        EXPECT_TRUE(m.elenco.empty()) << d.Titolo;
    }
}

// A file without cases read over a problem with them: the cases, factors,
// limits and self-weight of the problem before are gone, every load row in
// case 0.
TEST(FileCasi, FileSenzaCasiLiAzzera) {
    RegistroMessaggi m;
    Stato s;
    s.d = prova::Base(AppoggioAppoggio, "Senza");
    prova::Trapezio(s.d, 5000, 5000, 0, 6);
    const std::string byte = Scrivi(s, m);
    ASSERT_EQ(byte.substr(0, 15), "\"Senza\",\"5.4\"\r\n");
    Stato r;
    r.d = ConCasi();
    r.d.Limiti = {1, 2};
    r.d.Coefficienti.gQ[0] = 9;
    EXPECT_EQ(Leggi(byte, r, m), EsitoProgetto::Completo);
    EXPECT_EQ(r.d, s.d);
    EXPECT_TRUE(m.elenco.empty());
}

// Names through the file on disk: what the line cannot carry is replaced
// and said once; accented letters stay.
TEST(FileCasi, NomiConCaratteriSostituiti) {
    const fs::path p =
        fs::temp_directory_path() / ("zelvo_casi_" + std::to_string(getpid()) + "nomi.zlv");
    RegistroMessaggi m;
    Stato s;
    s.d = ConCasi();
    s.d.Casi[0].Nome = "Solaio \"tipo\" ψ=1, è";
    ASSERT_TRUE(ScriviFileProgetto(p, s.P(), m));
    EXPECT_EQ(m.Testi(), Testi{"Alcuni caratteri non ammessi nel file sono stati sostituiti."});
    m.Svuota();
    Stato r;
    EXPECT_EQ(LeggiFileProgetto(p, r.P(), m), EsitoProgetto::Completo);
    EXPECT_TRUE(m.elenco.empty());
    EXPECT_EQ(r.d.Casi[0].Nome, "Solaio 'tipo' ?=1, è");
    EXPECT_EQ(r.d.Casi[1], s.d.Casi[1]);
    fs::remove(p);
}

// Damaged case lines: the reading stops with one message, as for any value
// the file must not hold.
TEST(FileCasi, FileDanneggiati) {
    RegistroMessaggi m0;
    Stato s;
    s.d = ConCasi();
    const auto righe = Righe(Scrivi(s, m0));
    ASSERT_EQ(righe.size(), 24u);
    // Line numbers (0-based) of the written file.
    const size_t trapezio = 5, forza = 7, caso1 = 19, caso2 = 20, fattori = 21, limiti = 22,
                 peso = 23, numeroCasi = 18;
    struct Guasto {
        size_t riga;
        std::string testo;
        const char* perche;
    };
    const std::vector<Guasto> guasti = {
        {trapezio, "5000,5000,0,6,2\r\n", "a row in a case beyond the cases"},
        {forza, "1000,3,-1\r\n", "a negative case"},
        {forza, "1000,3\r\n", "a row without its case"},
        {caso1, "\"G\",3,0,0,0,0\r\n", "an unknown kind"},
        {caso1, "\"G\",-1,0,0,0,0\r\n", "a negative kind"},
        {caso2, "\"Q\",2,15,0.5,0.2,0\r\n", "an unknown category"},
        {caso2, "\"Q\",2,11,1.5,0.2,0\r\n", "psi0 above 1"},
        {caso2, "\"Q\",2,11,0.5,-0.1,0\r\n", "psi1 negative"},
        {caso2, "\"Q\",2,11,0.5,0.2,1E+400\r\n", "psi2 not a number of the type"},
        {caso2, "\"Q\",2,11,0.5,0.2\r\n", "a case line cut short"},
        {fattori, "1.3,1,1.5,-0.8,1.5,0\r\n", "a negative factor"},
        {fattori, "1.3,1,1.5,0.8,1.5\r\n", "five factors"},
        {limiti, "0,300\r\n", "a zero limit"},
        {limiti, "250,-300\r\n", "a negative limit"},
        {peso, "forse,1234.5\r\n", "the self-weight switch not a boolean"},
        {peso, "", "the file ends before the self-weight"},
        {numeroCasi, "-2\r\n", "a negative number of cases"},
        {numeroCasi, "3\r\n", "more cases than lines"},
    };
    for (const auto& g : guasti) {
        auto r = righe;
        r[g.riga] = g.testo;
        std::string byte;
        for (const auto& x : r)
            byte += x;
        RegistroMessaggi m;
        Stato l;
        EXPECT_EQ(Leggi(byte, l, m), EsitoProgetto::Parziale) << g.perche;
        EXPECT_EQ(m.Testi(), Testi{Incompleta}) << g.perche;
        EXPECT_EQ(l.d.Titolo, "Casi") << g.perche;
    }
    {
        // Case 1 with no cases at all (the self-weight alone): only case 0 exists.
        Stato a;
        a.d = prova::Base(AppoggioAppoggio, "Solo");
        a.d.PesoProprio = true;
        prova::Forza(a.d, 10, 1);
        std::string byte = Scrivi(a, m0);
        RegistroMessaggi m;
        Stato l;
        EXPECT_EQ(Leggi(byte, l, m), EsitoProgetto::Completo);
        byte.replace(byte.find("10,1,0\r\n"), 8, "10,1,1\r\n");
        EXPECT_EQ(Leggi(byte, l, m), EsitoProgetto::Parziale);
        EXPECT_EQ(m.Testi(), Testi{Incompleta});
    }
}
