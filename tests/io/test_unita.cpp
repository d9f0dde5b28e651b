// Units of measure. Witnesses: the conversion factors worked out by hand
// (600 cm = 6 m, 12 kN·m = 1200 kNcm, 5 kN/m = 0.05 kN/cm, 210 GPa =
// 210 000 MPa, 1e-4 m^4 = 10 000 cm^4, 3e7 N/m^3 = 3 daN/cm^3). The factors
// are exact powers of ten, so shown values are compared exactly where the
// double arithmetic is exact, else to one unit in the last place.
#include "io/unita.h"

#include "core/guasto.h"

#include <gtest/gtest.h>

using namespace zelvo;

namespace {
UnitMisura Con(const char* l, const char* s, const char* f, const char* a) {
    UnitMisura u;
    u.UnitaModello = {l, s, "t", f, a};
    return u;
}
} // namespace

TEST(Unita, CasiDiRiferimento) {
    const UnitMisura u = Con("cm", "MPa", "kN", "cm");
    EXPECT_EQ(u.Mostrata(Grandezza::Lunghezza, 6.0), 600.0);
    EXPECT_EQ(u.Interna(Grandezza::Lunghezza, 600.0), 6.0);
    EXPECT_EQ(u.Mostrata(Grandezza::Momento, 12000.0), 1200.0);
    EXPECT_EQ(u.Etichetta(Grandezza::Momento), "kNcm");
    EXPECT_DOUBLE_EQ(u.Mostrata(Grandezza::Carico, 5000.0), 0.05);
    EXPECT_EQ(u.Etichetta(Grandezza::Carico), "kN/cm");
    EXPECT_EQ(u.Mostrata(Grandezza::Tensione, 210000000000.0), 210000.0);
    EXPECT_EQ(u.Mostrata(Grandezza::Inerzia, 0.0001), 10000.0);
    EXPECT_EQ(u.Etichetta(Grandezza::Inerzia), "cm^4");
    EXPECT_EQ(u.Mostrata(Grandezza::Area, 0.0001), 1.0);
    EXPECT_EQ(u.Etichetta(Grandezza::Area, true), "(cm^2)");
    EXPECT_EQ(u.Mostrata(Grandezza::Forza, 2500.0), 2.5);
    EXPECT_EQ(u.Etichetta(Grandezza::Forza, true), "(kN)");
}

TEST(Unita, KSempreInDaNcm3) {
    for (const UnitMisura& u : {Con("m", "Pa", "N", "m"), Con("mm", "kPa", "MN", "mm")}) {
        EXPECT_EQ(u.Mostrata(Grandezza::K, 30000000.0), 3.0);
        EXPECT_EQ(u.Interna(Grandezza::K, 3.0), 30000000.0);
    }
    UnitMisura s;
    s.SenzaUnita = true;
    EXPECT_EQ(s.Mostrata(Grandezza::K, 30000000.0), 3.0);
    EXPECT_EQ(s.Etichetta(Grandezza::K), "daN/cm");
}

TEST(Unita, SenzaUnita) {
    UnitMisura u = Con("mm", "MPa", "kN", "mm");
    u.SenzaUnita = true;
    for (Grandezza g :
         {Grandezza::Lunghezza, Grandezza::Forza, Grandezza::Momento, Grandezza::Carico,
          Grandezza::Tensione, Grandezza::Inerzia, Grandezza::Area}) {
        EXPECT_EQ(u.Mostrata(g, 1234.5), 1234.5);
        EXPECT_EQ(u.Interna(g, 1234.5), 1234.5);
        EXPECT_EQ(u.Etichetta(g), "");
        EXPECT_EQ(u.Etichetta(g, true), "");
    }
}

TEST(Unita, EtichetteSconosciuteFattoreUno) {
    const UnitMisura u = Con("", "psi", "lbf", "");
    EXPECT_EQ(u.Mostrata(Grandezza::Momento, 7.0), 7.0);
    EXPECT_EQ(u.Mostrata(Grandezza::Tensione, 7.0), 7.0);
    EXPECT_EQ(u.Etichetta(Grandezza::Carico), "lbf/");
}

// Every quantity and unit system: shown and back gives the internal value
// (to one rounding of each of the two or three operations, hence 4 ulp).
struct CasoUnita {
    Grandezza g;
    const char *l, *s, *f, *a;
    double interno, mostrato;
};
class UnitaAndataRitorno : public ::testing::TestWithParam<CasoUnita> {};

TEST_P(UnitaAndataRitorno, Conversione) {
    const auto& c = GetParam();
    const UnitMisura u = Con(c.l, c.s, c.f, c.a);
    EXPECT_DOUBLE_EQ(u.Mostrata(c.g, c.interno), c.mostrato);
    EXPECT_DOUBLE_EQ(u.Interna(c.g, c.mostrato), c.interno);
}

INSTANTIATE_TEST_SUITE_P(
    Tabella, UnitaAndataRitorno,
    ::testing::Values(CasoUnita{Grandezza::Lunghezza, "mm", "Pa", "N", "m", 1.25, 1250},
                      CasoUnita{Grandezza::Lunghezza, "m", "Pa", "N", "m", 1.25, 1.25},
                      CasoUnita{Grandezza::Forza, "m", "Pa", "MN", "m", 3e6, 3},
                      CasoUnita{Grandezza::Forza, "m", "Pa", "N", "m", 3e6, 3e6},
                      CasoUnita{Grandezza::Momento, "mm", "Pa", "kN", "m", 2000, 2000},
                      CasoUnita{Grandezza::Momento, "m", "Pa", "MN", "m", 5e6, 5},
                      CasoUnita{Grandezza::Carico, "mm", "Pa", "N", "m", 4000, 4},
                      CasoUnita{Grandezza::Carico, "m", "Pa", "kN", "m", 4000, 4},
                      CasoUnita{Grandezza::Tensione, "m", "kPa", "N", "m", 2500, 2.5},
                      CasoUnita{Grandezza::Tensione, "m", "Pa", "N", "m", 2500, 2500},
                      CasoUnita{Grandezza::Inerzia, "m", "Pa", "N", "mm", 8.5e-6, 8.5e6},
                      CasoUnita{Grandezza::Inerzia, "m", "Pa", "N", "m", 8.5e-6, 8.5e-6},
                      CasoUnita{Grandezza::Area, "m", "Pa", "N", "mm", 0.003, 3000},
                      CasoUnita{Grandezza::Area, "m", "Pa", "N", "cm", 0.003, 30}));

TEST(Unita, TestoFormattato) {
    UnitMisura u = Con("cm", "MPa", "kN", "cm");
    u.separatori = {",", "."};
    EXPECT_EQ(u.Testo(Grandezza::Tensione, 210000000000.0), " 210.000");
    EXPECT_EQ(u.Testo(Grandezza::Lunghezza, 6.0f), " 600,0");
    EXPECT_EQ(u.Testo(Grandezza::Carico, 5000.0f), " 0,05000");
    EXPECT_EQ(u.Testo(Grandezza::Momento, 12000.0, 6), " 1.200,00");
    // A single whose converted value is 1.005 (shortest single text) rounds up.
    UnitMisura m = Con("m", "Pa", "N", "m");
    m.separatori = {",", "."};
    EXPECT_EQ(m.Testo(Grandezza::Lunghezza, 1.005f, 3), " 1,01");
    // Converted beyond a single (1E+38 m^4 in cm^4), beyond a double (a
    // length near the largest double in mm): shown, or said, but no fault.
    EXPECT_EQ(ValoreNumerico(u.Testo(Grandezza::Inerzia, 1e38f), u.separatori), 1e46);
    UnitMisura mm = Con("mm", "MPa", "kN", "mm");
    EXPECT_EQ(mm.Testo(Grandezza::Lunghezza, 1e307), "Overflow");
}

TEST(Unita, LetturaCampo) {
    UnitMisura u = Con("cm", "MPa", "kN", "cm");
    u.separatori = {",", "."};
    EXPECT_EQ(u.Leggi(Grandezza::Lunghezza, "600"), 6.0);
    EXPECT_EQ(u.LeggiSingolo(Grandezza::Tensione, "210.000"), 210000000000.0f);
    EXPECT_EQ(u.LeggiSingolo(Grandezza::Lunghezza, "12,5"), 0.125f);
    // 1e300 cm^4 -> 1e292 m^4 fits a double but not a single.
    EXPECT_THROW(u.LeggiSingolo(Grandezza::Inerzia, "1E+300"), Guasto);
    EXPECT_NO_THROW(u.Leggi(Grandezza::Inerzia, "1E+300"));
}

TEST(Unita, UnArrotondamentoSolo) {
    // 0.1 typed in cm: 0.1/100 in double then one rounding to single gives the
    // single nearest to 0.001, not the rounding of a rounded 0.1.
    const UnitMisura u = Con("cm", "MPa", "kN", "cm");
    EXPECT_EQ(u.LeggiSingolo(Grandezza::Lunghezza, "0.1"), 0.001f);
    EXPECT_EQ(u.Mostrata(Grandezza::Lunghezza, 0.001f), 0.1f);
}
