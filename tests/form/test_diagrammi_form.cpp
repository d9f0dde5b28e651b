// The diagram windows' and the scale dialog's models, without widgets.
// Witnesses: a simply supported span of 6 m under 10 kN/m with
// E·J = 210000 MPa x 10000 cm^4 = 2.1e7 N·m², worked by hand: M at midspan
// qL²/8 = 45 kN·m, V there 0, V at the support qL/2 = 30 kN, deflection at
// midspan 5qL⁴/384EJ = 0.0080357 m; the texts the user types and the
// separators they are typed with.
#include "form/diagrammi_form.h"

#include "form/modello_form.h"
#include "graphics/superficie_registro.h"
#include "tests/form/finestra_prova.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvo;

namespace {

const Separatori Italiani{",", "."};

using Diagrammi = CampataDiagrammi;

} // namespace

TEST_F(Diagrammi, PrimaDelCalcoloNessunRisultato) {
    for (int i = 0; i < 3; ++i) {
        ModelloDiagramma d(i);
        EXPECT_EQ(d.TestoScala(), TestoNessunRisultato);
        TelaRegistro t;
        EXPECT_FALSE(d.Disegna(ContestoFinestre(f), t)) << i;
        EXPECT_FALSE(d.Disegnato());
        EXPECT_EQ(d.TestoScala(), "Nessun risultato: premere Calcola");
        EXPECT_FALSE(d.Leggi(ContestoFinestre(f), 500));
    }
}

// The user's scales reach the status lines: "1:250" and "1:80" as typed.
TEST_F(Diagrammi, ScaleDellUtenteNellaRigaDiStato) {
    Calcola();
    ScaleUtente s;
    ModelloScale dlg;
    dlg.Apri(s, Separatori{});
    dlg.Scrivi(0, "250");
    dlg.Scrivi(1, "80");
    ASSERT_TRUE(dlg.OK(s, msg));
    ContestoDiagrammi c = ContestoFinestre(f);
    c.Scale = &s;
    ModelloDiagramma momenti(0), tagli(1);
    TelaRegistro t;
    ASSERT_TRUE(momenti.Disegna(c, t));
    ASSERT_TRUE(tagli.Disegna(c, t));
    EXPECT_EQ(momenti.TestoScala(), "Scala momenti 1:250");
    EXPECT_EQ(tagli.TestoScala(), "Scala tagli 1:80");
    EXPECT_TRUE(momenti.MessaggiDopoDisegno().empty());
}

// Read off the diagrams at midspan and at a quarter of the span: the hand
// values above (M at L/4 = q·x·(L-x)/2 = 33.75 kN·m, V there qL/4 = 15 kN).
TEST_F(Diagrammi, LetturaAlMouseDopoIlCalcolo) {
    Calcola();
    const ContestoDiagrammi c = ContestoFinestre(f);
    ModelloDiagramma momenti(0), tagli(1), carichi(2);
    auto lm = momenti.Leggi(c, Dipingi(momenti, c, 3));
    ASSERT_TRUE(lm);
    EXPECT_NEAR(lm->x, 3, 1e-9);
    EXPECT_NEAR(lm->valore, 45000, 45000 * 1e-5);
    ASSERT_TRUE(lm->freccia); // integrated over the sections: near the closed form
    EXPECT_NEAR(std::fabs(*lm->freccia), 0.0080357, 0.0080357 * 5e-4);
    // Shown in the window's units, three decimals for lengths, two for
    // moments; the clipboard takes the plain numbers.
    EXPECT_EQ(lm->stato.substr(0, 36), "x = 3.000 m   M = 45.00 kNm   f = 0.") << lm->stato;
    EXPECT_EQ(lm->appunti, "3; 45");

    auto lt = tagli.Leggi(c, Dipingi(tagli, c, 1.5));
    ASSERT_TRUE(lt);
    EXPECT_NEAR(lt->x, 1.5, 1e-9);
    EXPECT_NEAR(std::fabs(lt->valore), 15000, 15000 * 1e-5);
    EXPECT_FALSE(lt->freccia);

    auto lq = carichi.Leggi(c, Dipingi(carichi, c, 4.5));
    ASSERT_TRUE(lq);
    EXPECT_NEAR(lq->valore, 10000, 1e-6);
    EXPECT_NE(carichi.TestoScala().find("Scala carichi trapezi 1:"), std::string::npos);

    // Off the beam: nothing read.
    EXPECT_FALSE(momenti.Leggi(c, Dipingi(momenti, c, -1)));
    EXPECT_FALSE(momenti.Leggi(c, Dipingi(momenti, c, 7)));
}

// "Nuovo" clears the results: the windows draw nothing and say why.
TEST_F(Diagrammi, RisultatiSvuotatiNienteDaDisegnare) {
    Calcola();
    ModelloDiagramma momenti(0);
    TelaRegistro t;
    ASSERT_TRUE(momenti.Disegna(ContestoFinestre(f), t));
    EXPECT_NE(momenti.TestoScala(), TestoNessunRisultato);
    f.FileNuovo();
    ASSERT_FALSE(f.Calcolato);
    TelaRegistro t2;
    EXPECT_FALSE(momenti.Disegna(ContestoFinestre(f), t2));
    EXPECT_FALSE(momenti.Disegnato());
    EXPECT_EQ(momenti.TestoScala(), TestoNessunRisultato);
    EXPECT_FALSE(momenti.Leggi(ContestoFinestre(f), 500));
}

// ---------------------------------------------------------------------------

// Opening: the scales in force, as typed (no grouping, the user's decimal
// separator), or "1" without any; the first box is entered, its text
// selected.
TEST(ModelloScale, ApreConLeScaleInVigore) {
    ModelloScale dlg;
    dlg.Apri(ScaleUtente{}, Italiani);
    EXPECT_EQ(dlg.txtScala, (std::array<std::string, 2>{"1", "1"}));
    EXPECT_TRUE(dlg.aperta);
    EXPECT_EQ(dlg.fuoco, ModelloScale::Fuoco::Scala0);
    EXPECT_EQ(dlg.selezionato, (std::array<bool, 2>{true, false}));
    EXPECT_EQ(dlg.TastoDecimale(), ",");

    dlg.Apri(ScaleUtente{}, Italiani, std::array<double, 2>{1234.5, 20});
    EXPECT_EQ(dlg.txtScala, (std::array<std::string, 2>{"1234,5", "20"}));

    // The user's own scales, when on, win over the automatic ones.
    dlg.Apri(ScaleUtente{true, 500, 12.5}, Italiani, std::array<double, 2>{1234.5, 20});
    EXPECT_EQ(dlg.txtScala, (std::array<std::string, 2>{"500", "12,5"}));
}

// OK reads strictly with the user's separators: "1.234,5" is 1234.5 with
// Italian separators; "2.5" is refused there, naming the box, and the focus
// goes to it; zero or nothing is not a scale. A refusal changes nothing.
TEST(ModelloScale, OKLettoreStretto) {
    ModelloScale dlg;
    RegistroMessaggi msg;
    ScaleUtente s;
    dlg.Apri(s, Italiani);
    dlg.Scrivi(0, "1.234,5");
    dlg.Scrivi(1, "2.5");
    EXPECT_FALSE(dlg.OK(s, msg));
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo, "Scala Tagli: \"2.5\" non è un numero valido.\r\n"
                                   "Scrivere i numeri con il separatore decimale \",\" (ad "
                                   "esempio 1.234,5).");
    EXPECT_EQ(dlg.fuoco, ModelloScale::Fuoco::Scala1);
    EXPECT_TRUE(dlg.aperta);
    EXPECT_FALSE(s.ScalaUtente);

    msg.Svuota();
    dlg.Scrivi(1, "0");
    EXPECT_FALSE(dlg.OK(s, msg));
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo, "Scala non valida: scrivere un numero maggiore di zero.");

    msg.Svuota();
    dlg.Scrivi(1, "2,5");
    EXPECT_TRUE(dlg.OK(s, msg));
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_TRUE(s.ScalaUtente);
    EXPECT_EQ(s.ScalaMomentiUtente, 1234.5);
    EXPECT_EQ(s.ScalaTagliUtente, 2.5);
    EXPECT_FALSE(dlg.aperta);
}

// Enter in the first box moves to the second; in the second it presses OK.
// Annulla turns the user's scales off.
TEST(ModelloScale, InvioEAnnulla) {
    ModelloScale dlg;
    RegistroMessaggi msg;
    ScaleUtente s;
    dlg.Apri(s, Separatori{});
    dlg.Scrivi(0, "");
    EXPECT_FALSE(dlg.Invio(0, s, msg));
    EXPECT_EQ(dlg.fuoco, ModelloScale::Fuoco::Scala1);
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_FALSE(dlg.Invio(1, s, msg)); // the empty first box
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{TestoScalaNonValida});
    EXPECT_EQ(dlg.fuoco, ModelloScale::Fuoco::Scala0);
    dlg.Scrivi(0, "100");
    EXPECT_TRUE(dlg.Invio(1, s, msg));
    EXPECT_TRUE(s.ScalaUtente);
    dlg.Apri(s, Separatori{});
    EXPECT_EQ(dlg.txtScala, (std::array<std::string, 2>{"100", "1"}));
    dlg.Annulla(s);
    EXPECT_FALSE(s.ScalaUtente);
    EXPECT_FALSE(dlg.aperta);
    EXPECT_EQ(dlg.fuoco, ModelloScale::Fuoco::Annulla);
}
