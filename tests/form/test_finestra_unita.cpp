// The units window on the form model: whatever the user does in it, the main
// window's fields are never read in units other than those they are shown in,
// so a calculation gives the same internal results before and after.
#include "form/modello_form.h"
#include "io/generale.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace zelvo;
namespace fs = std::filesystem;

namespace {

const fs::path Esempio = fs::path(ZELVO_SOURCE_DIR) / "examples" / "appoggio-appoggio.zlv";
const fs::path FileMensola = fs::path(ZELVO_SOURCE_DIR) / "examples" / "mensola.zlv";

class UnitaForm : public ::testing::Test {
  protected:
    void SetUp() override {
        f.InizializzaForm();
        ASSERT_TRUE(f.ApriFileDati(Esempio.string()));
        ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
        riferimento = m.Risultati;
        msg.Svuota();
    }
    // Calculates again and compares the internal results with the first ones:
    // reading the fields in the wrong units moves every one of them.
    void StessiRisultati() {
        ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
        EXPECT_FLOAT_EQ(m.Risultati.RA, riferimento.RA);
        EXPECT_FLOAT_EQ(m.Risultati.RB, riferimento.RB);
        EXPECT_FLOAT_EQ(m.Risultati.Mmax, riferimento.Mmax);
        EXPECT_FLOAT_EQ(m.Risultati.fmax, riferimento.fmax);
        EXPECT_FLOAT_EQ(m.Risultati.RotA, riferimento.RotA);
    }
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    ModelloForm f{m, u, msg};
    RisultatiTrave riferimento;
};

} // namespace

TEST_F(UnitaForm, NoUnitsSpuntatoNonCambiaNullaPrimaDiOK) {
    f.frmUnits_Apri();
    f.frmUnits_NoUnits(true);
    EXPECT_TRUE(f.frmUnits.noUnits);
    EXPECT_FALSE(f.frmUnits.opzioniAbilitate);
    // The modeless window is still open: a calculation reads the fields in
    // the units they show (kN, MPa, cm^4, m), labels unchanged.
    EXPECT_FALSE(u.SenzaUnita);
    EXPECT_EQ(f.lblForze, "kN");
    StessiRisultati();
    f.frmUnits_Cancel();
    EXPECT_FALSE(f.frmUnits.aperta);
    EXPECT_FALSE(u.SenzaUnita);
    EXPECT_EQ(f.lblForze, "kN");
    EXPECT_EQ(f.txtDati[1].testo, " 210,000");
    StessiRisultati();
    EXPECT_TRUE(msg.elenco.empty());
}

TEST_F(UnitaForm, VersoSenzaUnitaOKConverteInSI) {
    f.frmUnits_Apri();
    f.frmUnits_NoUnits(true);
    f.frmUnits_OK();
    EXPECT_TRUE(u.SenzaUnita);
    EXPECT_EQ(f.lblForze, "");
    EXPECT_EQ(f.lblE, "");
    // E = 2.1E+11 Pa and J = 8.356E-05 m^4 as held.
    EXPECT_DOUBLE_EQ(ValoreNumerico(f.txtDati[1].testo, u.separatori), 2.1e11);
    EXPECT_DOUBLE_EQ(ValoreNumerico(f.txtDati[2].testo, u.separatori), 8.356e-5);
    EXPECT_DOUBLE_EQ(ValoreNumerico(f.FlexGrid[1].Testo(1, 1), u.separatori), 25000);
    StessiRisultati();
    // The results shown follow: RA in newtons.
    EXPECT_NEAR(ValoreNumerico(f.txtRis[2].testo, u.separatori), 60083.3, 0.5);
}

TEST_F(UnitaForm, OKConvertDaiUnitaInUsoAncheSeUnFileLeHaCambiate) {
    f.frmUnits_Apri(); // opened with m, MPa, kN, cm
    // While the modeless window is open a file in kN and cm is opened.
    ASSERT_TRUE(f.ApriFileDati(FileMensola.string()));
    ASSERT_EQ(u.UnitaModello[0], "cm");
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    riferimento = m.Risultati;
    f.frmUnits.scelta = {2, 1, 1, 1}; // mm, MPa, kN, cm
    f.frmUnits_OK();
    EXPECT_EQ(u.UnitaModello[0], "mm");
    EXPECT_EQ(f.txtDati[0].testo, " 2,500"); // 250 cm
    StessiRisultati();
}

TEST_F(UnitaForm, DaSenzaUnitaAUnitaRestanoINumeriScritti) {
    f.frmUnits_Apri();
    f.frmUnits_NoUnits(true);
    f.frmUnits_OK();
    const std::string luce = f.txtDati[0].testo;
    f.frmUnits_Apri();
    EXPECT_TRUE(f.frmUnits.apertaSenzaUnita);
    EXPECT_TRUE(f.frmUnits.noUnits);
    EXPECT_FALSE(f.frmUnits.opzioniAbilitate);
    f.frmUnits_NoUnits(false);
    EXPECT_TRUE(u.SenzaUnita); // until OK
    f.frmUnits_SistemaSI();
    f.frmUnits_OK();
    EXPECT_FALSE(u.SenzaUnita);
    EXPECT_EQ(u.UnitaModello[0], "m");
    EXPECT_EQ(u.UnitaModello[1], "Pa");
    EXPECT_EQ(u.UnitaModello[3], "N");
    EXPECT_EQ(u.UnitaModello[4], "m");
    EXPECT_EQ(f.lblForze, "N");
    EXPECT_EQ(f.lblJ, "m^4");
    EXPECT_EQ(f.txtDati[0].testo, luce);
    // SI units read the SI numbers: the same beam.
    StessiRisultati();
}
