// The steel member check on the project data file: its two lines after the
// load cases, exact round trips, a problem without a check written as
// before, a "7.0" file without the lines read with no check, damaged lines
// refused as a damaged file is.
#include "form/file_progetto.h"

#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

using namespace zelvo;

namespace {

struct Stato {
    DatiTrave d;
    int16_t nSezioni = 100;
    UnitMisura u;
    std::string versione;
    ProgettoFile P() { return {d, nSezioni, u, versione}; }
};

std::string Scrivi(Stato& s) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerScrivere(m);
    EXPECT_EQ(FileLeggeScrive(f, Verso::Scrivi, s.P()), EsitoProgetto::Completo);
    return f.Contenuto();
}

EsitoProgetto Leggi(const std::string& byte, Stato& s) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerLeggere(byte, m);
    return FileLeggeScrive(f, Verso::Leggi, s.P());
}

DatiTrave ConVerifica() {
    DatiTrave d = prova::Base(AppoggioAppoggio, "Acciaio");
    prova::Trapezio(d, 5000, 5000, 0, 6);
    d.Verifica.Attiva = true;
    d.Verifica.Profilo = "HEB200";
    d.Verifica.Acciaio = "S355";
    d.Verifica.gM0 = 1.0;
    d.Verifica.gM1 = 1.1;
    d.Verifica.Ritegno = DatiVerifica::TipoRitegno::Puntuali;
    d.Verifica.xRitegni = {2, 4.5};
    d.Verifica.Quota = DatiVerifica::TipoQuota::Inferiore;
    return d;
}

} // namespace

TEST(FileVerifica, RigheEAndataRitorno) {
    Stato s;
    s.d = ConVerifica();
    const std::string byte = Scrivi(s);
    EXPECT_EQ(VersioneScritta(s.d), "7.0");
    // The last three lines: the check, then its two abscissae.
    const std::string coda = "\"HEB200\",\"S355\",1,1.1,1,2,2\r\n2\r\n4.5\r\n";
    ASSERT_GE(byte.size(), coda.size());
    EXPECT_EQ(byte.substr(byte.size() - coda.size()), coda);
    Stato r;
    ASSERT_EQ(Leggi(byte, r), EsitoProgetto::Completo);
    EXPECT_EQ(r.d.Verifica, s.d.Verifica);
    EXPECT_EQ(Scrivi(r), byte);
}

// Without a check nothing changes: the same version and the same bytes as a
// problem that never had the record; a check switched off is not written.
TEST(FileVerifica, SenzaVerificaComePrima) {
    Stato a, b;
    a.d = prova::Base(AppoggioAppoggio, "Acciaio");
    prova::Trapezio(a.d, 5000, 5000, 0, 6);
    b.d = ConVerifica();
    b.d.Verifica.Attiva = false;
    EXPECT_EQ(VersioneScritta(b.d), "5.4");
    EXPECT_EQ(Scrivi(b), Scrivi(a));
    // A 7.0 file with load cases and no check reads with none.
    Stato c;
    c.d = a.d;
    c.d.Casi = {{"G", TipoCaso::G1, CategoriaQ::A, 0, 0, 0}};
    const std::string byte = Scrivi(c);
    Stato r;
    r.d.Verifica = ConVerifica().Verifica;
    ASSERT_EQ(Leggi(byte, r), EsitoProgetto::Completo);
    EXPECT_FALSE(r.d.Verifica.Attiva);
    EXPECT_EQ(r.d.Casi, c.d.Casi);
}

TEST(FileVerifica, RigheDanneggiate) {
    Stato s;
    s.d = ConVerifica();
    const std::string byte = Scrivi(s);
    const std::string riga = "\"HEB200\",\"S355\",1,1.1,1,2,2\r\n";
    const size_t p = byte.rfind(riga);
    ASSERT_NE(p, std::string::npos);
    for (const char* guasta :
         {"\"HEB200\",\"S420\",1,1.1,1,2,2\r\n", "\"HEB200\",\"S355\",0.5,1.1,1,2,2\r\n",
          "\"HEB200\",\"S355\",1,1.1,3,2,2\r\n", "\"HEB200\",\"S355\",1,1.1,1,-1,2\r\n",
          "\"\",\"S355\",1,1.1,1,2,2\r\n", "\"HEB200\",\"S355\",1,1.1,1,2,3\r\n"}) {
        Stato r;
        EXPECT_EQ(Leggi(byte.substr(0, p) + guasta + "2\r\n4.5\r\n", r), EsitoProgetto::Parziale)
            << guasta;
    }
}
