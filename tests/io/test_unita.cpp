// Units of measure, against factors worked out by hand (600 cm = 6 m,
// 12 kN·m = 1200 kNcm, 210 GPa = 210 000 MPa, 3e7 N/m³ = 3 daN/cm³ ...).
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

// Every quantity and unit system: shown, back again (to a few roundings), labelled.
struct CasoUnita {
    Grandezza g;
    const char *l, *s, *f, *a;
    double interno, mostrato;
    const char* etichetta;
};
class UnitaAndataRitorno : public ::testing::TestWithParam<CasoUnita> {};

TEST_P(UnitaAndataRitorno, Conversione) {
    const auto& c = GetParam();
    const UnitMisura u = Con(c.l, c.s, c.f, c.a);
    EXPECT_DOUBLE_EQ(u.Mostrata(c.g, c.interno), c.mostrato);
    EXPECT_DOUBLE_EQ(u.Interna(c.g, c.mostrato), c.interno);
    EXPECT_EQ(u.Etichetta(c.g), c.etichetta);
}

INSTANTIATE_TEST_SUITE_P(
    Tabella, UnitaAndataRitorno,
    ::testing::Values(CasoUnita{Grandezza::Lunghezza, "cm", "MPa", "kN", "cm", 6, 600, "cm"},
                      CasoUnita{Grandezza::Lunghezza, "mm", "Pa", "N", "m", 1.25, 1250, "mm"},
                      CasoUnita{Grandezza::Forza, "m", "Pa", "MN", "m", 3e6, 3, "MN"},
                      CasoUnita{Grandezza::Forza, "m", "Pa", "N", "m", 3e6, 3e6, "N"},
                      CasoUnita{Grandezza::Momento, "cm", "MPa", "kN", "cm", 12000, 1200, "kNcm"},
                      CasoUnita{Grandezza::Momento, "mm", "Pa", "kN", "m", 2000, 2000, "kNmm"},
                      CasoUnita{Grandezza::Carico, "cm", "MPa", "kN", "cm", 5000, 0.05, "kN/cm"},
                      CasoUnita{Grandezza::Carico, "mm", "Pa", "N", "m", 4000, 4, "N/mm"},
                      CasoUnita{Grandezza::Tensione, "m", "kPa", "N", "m", 2500, 2.5, "kPa"},
                      CasoUnita{Grandezza::Tensione, "cm", "MPa", "kN", "cm", 2.1e11, 210000,
                                "MPa"},
                      CasoUnita{Grandezza::Inerzia, "m", "Pa", "N", "mm", 8.5e-6, 8.5e6, "mm^4"},
                      CasoUnita{Grandezza::Inerzia, "m", "Pa", "N", "cm", 1e-4, 1e4, "cm^4"},
                      CasoUnita{Grandezza::Area, "m", "Pa", "N", "mm", 0.003, 3000, "mm^2"},
                      CasoUnita{Grandezza::Area, "m", "Pa", "N", "cm", 0.003, 30, "cm^2"},
                      // the soil constant is always in daN/cm³ (labelled daN/cm)
                      CasoUnita{Grandezza::K, "m", "Pa", "N", "m", 3e7, 3, "daN/cm"},
                      CasoUnita{Grandezza::K, "mm", "kPa", "MN", "mm", 3e7, 3, "daN/cm"},
                      // an unknown label has factor one
                      CasoUnita{Grandezza::Tensione, "", "psi", "lbf", "", 7, 7, "psi"},
                      CasoUnita{Grandezza::Carico, "", "psi", "lbf", "", 7, 7, "lbf/"}));

TEST(Unita, SenzaUnita) {
    UnitMisura u = Con("mm", "MPa", "kN", "mm");
    u.SenzaUnita = true;
    for (Grandezza g : {Grandezza::Lunghezza, Grandezza::Momento, Grandezza::Inerzia}) {
        EXPECT_EQ(u.Mostrata(g, 1234.5), 1234.5);
        EXPECT_EQ(u.Interna(g, 1234.5), 1234.5);
        EXPECT_EQ(u.Etichetta(g, true), "");
    }
    EXPECT_EQ(u.Mostrata(Grandezza::K, 30000000.0), 3.0);
    EXPECT_EQ(u.Etichetta(Grandezza::K), "daN/cm");
    EXPECT_EQ(Con("cm", "MPa", "kN", "cm").Etichetta(Grandezza::Area, true), "(cm^2)");
}

TEST(Unita, TestoFormattatoELetto) {
    UnitMisura u = Con("cm", "MPa", "kN", "cm");
    u.separatori = {",", "."};
    EXPECT_EQ(u.Testo(Grandezza::Tensione, 210000000000.0), " 210.000");
    EXPECT_EQ(u.Testo(Grandezza::Lunghezza, 6.0f), " 600,0");
    EXPECT_EQ(u.Testo(Grandezza::Momento, 12000.0, 6), " 1.200,00");
    // A single whose converted value is 1.005 (shortest single text) rounds up.
    UnitMisura m = Con("m", "Pa", "N", "m");
    m.separatori = {",", "."};
    EXPECT_EQ(m.Testo(Grandezza::Lunghezza, 1.005f, 3), " 1,01");
    // Beyond a single (1E+38 m^4 in cm^4) or a double: shown, or said, no fault.
    EXPECT_EQ(ValoreNumerico(u.Testo(Grandezza::Inerzia, 1e38f), u.separatori), 1e46);
    EXPECT_EQ(Con("mm", "MPa", "kN", "mm").Testo(Grandezza::Lunghezza, 1e307), "Overflow");
    EXPECT_EQ(u.Leggi(Grandezza::Lunghezza, "600"), 6.0);
    EXPECT_EQ(u.LeggiSingolo(Grandezza::Tensione, "210.000"), 210000000000.0f);
    EXPECT_EQ(u.LeggiSingolo(Grandezza::Lunghezza, "12,5"), 0.125f);
    // 1e300 cm^4 -> 1e292 m^4 fits a double but not a single.
    EXPECT_THROW(u.LeggiSingolo(Grandezza::Inerzia, "1E+300"), Guasto);
    EXPECT_NO_THROW(u.Leggi(Grandezza::Inerzia, "1E+300"));
    // 0.1 cm: one rounding to single from the double 0.1/100, not two.
    EXPECT_EQ(u.LeggiSingolo(Grandezza::Lunghezza, "0,1"), 0.001f);
    EXPECT_EQ(u.Mostrata(Grandezza::Lunghezza, 0.001f), 0.1f);
}
