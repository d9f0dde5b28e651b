// Values a file may hold that do not fit a single once shown: opening such a
// file writes them into the window (no fault, no message) and the exact
// values stay behind the fields for the next calculation.
#include "form/modello_form.h"
#include "io/numeri.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

using namespace zelvo;

TEST(ValoriEstremi, AperturaSenzaGuastoEValoriEsatti) {
    ModuloZelvo m;
    UnitMisura u;
    u.UnitaDefault(); // lengths in m, section in cm: J in cm^4
    RegistroMessaggi msg;
    ModelloForm f(m, u, msg);
    f.InizializzaForm();
    DatiTrave d = prova::Base(1, "Estremi");
    d.J = 1e38f; // 1E+46 cm^4: beyond a single
    d.DistanzeParziali = true;
    prova::Trapezio(d, 1000, 1000, -3e38f, 3e38f); // partial length 6E+38 m
    m.Dati = d;
    ASSERT_NO_THROW(f.ScriveDatiInForm());
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_EQ(ValoreNumerico(f.txtDati[2].testo, u.separatori), 1e46);
    EXPECT_DOUBLE_EQ(ValoreNumerico(f.FlexGrid[0].Testo(1, 4), u.separatori), 6e38);
    EXPECT_EQ(f.txtDati[2].Esatto(u.separatori), std::optional<double>(1e38f));
}
