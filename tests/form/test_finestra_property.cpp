// The section-properties window without a display: its events, messages,
// the hand-off of E and J, the profile chooser and the section check.
#include "form/finestra_property.h"

#include "io/generale.h"
#include "io/numeri.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace zelvo;
namespace fs = std::filesystem;

namespace {

struct FinestraPropertyProva : ::testing::Test {
    ModuloZelvo modulo;
    UnitMisura unita;
    RegistroMessaggi msg;
    std::unique_ptr<ModelloForm> trave;
    std::unique_ptr<FinestraProperty> w;
    fs::path cartella;

    void SetUp() override {
        unita.UnitaDefault(); // m, MPa, t, kN, cm
        trave = std::make_unique<ModelloForm>(modulo, unita, msg);
        trave->InizializzaForm();
        trave->txtDati[0].Edita("6");
        trave->txtDati[1].Edita("210000"); // MPa
        trave->txtDati[2].Edita("8356");   // cm⁴
        w = std::make_unique<FinestraProperty>(*trave, msg);
        cartella = fs::temp_directory_path() /
                   ("zelvo_property_" + std::to_string(getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(cartella);
        w->FileMateriali = cartella / "VantrexMateriali.txt";
        w->FileMaterialiPredefiniti = cartella / "predefiniti.txt"; // none shipped
        msg.Svuota();
    }
    void TearDown() override { fs::remove_all(cartella); }

    double Num(const std::string& t) { return ValoreNumerico(t, unita.separatori); }

    // Types a value into the current cell of the shape grid and confirms it.
    void Digita(int r, int c, const std::string& testo) {
        w->Griglia_SelezionaCella(r, c);
        w->FlexGrid0.editor.testo = testo;
        w->Editor_Tasto(TastoEditor::Invio);
    }
};

} // namespace

// A record that exists keeps its own values, zeros included.
TEST_F(FinestraPropertyProva, RecordEsistenteConElementoSenzaFlessione) {
    trave->SezioneProgetto.Prop = std::make_unique<Property>();
    trave->SezioneProgetto.Prop->E = 7e10;
    trave->SezioneProgetto.Prop->Jota = 3e-6;
    trave->SezioneProgetto.Prop->tipo = 1;
    w->Form_Load();
    EXPECT_FALSE(w->InerziaVisibile);
    EXPECT_FALSE(w->PoissonVisibile);
    w->Form_Unload();
    EXPECT_FLOAT_EQ(modulo.Dati.E, 7e10f);
    EXPECT_EQ(modulo.Dati.J, 0);
    EXPECT_EQ(trave->SezioneProgetto.Prop->tipo, 1);

    trave->SezioneProgetto.Prop = std::make_unique<Property>();
    w->Form_Load();
    w->Form_Unload();
    EXPECT_EQ(modulo.Dati.E, 0);
    EXPECT_EQ(modulo.Dati.J, 0);
}

TEST_F(FinestraPropertyProva, SezioneNonCostruibileTieneApertoLEditor) {
    w->Form_Load();
    w->cmdGeo_Click(1);
    w->OpTipoSezione_Click(SezCircolare);
    w->RaggioTxt[0].Edita("10");
    w->RaggioTxt[1].Edita("20");
    w->cmdOKEdit_Click();
    EXPECT_TRUE(w->FrameEdit);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"External radius must be > internal radius"});
    EXPECT_EQ(w->Risultati[1], "");
    EXPECT_DOUBLE_EQ(Num(w->txtSec[1].testo), 8356); // unchanged
}

// The thermal expansion is shown (and saved) with its digits, not as 0.0000.
TEST_F(FinestraPropertyProva, DilatazioneTermicaConLeSueCifre) {
    w->Form_Load();
    w->cmdMaterials_Click();
    EXPECT_EQ(w->Text[1], "Steel");
    EXPECT_DOUBLE_EQ(Num(w->Text[5]), 1.2e-5);
}

// A profile's moduli come from the catalogue, fillets included: the
// fillet-free outline of an IPE 200 alone gives about 209.7 cm³ against the
// published Wpl,y = 220.6 cm³. "&Rotate" gives the weak axis and back; at
// closing the beam gets the profile's J.
TEST_F(FinestraPropertyProva, ProfiloDalSelettore) {
    w->Form_Load();
    w->cmdGeo_Click(0);
    ASSERT_TRUE(w->Scelta);
    auto& s = *w->Scelta;
    s.ImpostaFiltro("200");
    ASSERT_EQ(s.RigaScelta()->nome, "IPE200");
    s.Grado = 1; // S275
    ASSERT_TRUE(s.Scegli());
    const Property& p = w->Record();
    EXPECT_NEAR(p.Jota, 1943e-8, 1e-7 * 1943e-8);
    EXPECT_NEAR(p.My_pos, 220.6e-6 * 275e6, 1e-6);
    s.Chiudi();
    w->RilasciaSceltaChiusa();
    EXPECT_FALSE(w->Scelta);
    w->SSTab1_Click(1);
    EXPECT_NEAR(w->Verifica().Wpl, 220.6e-6, 1e-12);
    RegistroMessaggi muto;
    SezioneProfili contorno = SezioneProfili();
    contorno.TipoProfilo = "SezioneDoppioT";
    contorno.h = 0.2f, contorno.b = 0.1f, contorno.tw = 0.0056f, contorno.tf = 0.0085f;
    ASSERT_TRUE(contorno.CalcolaWplastici(muto));
    EXPECT_NEAR(contorno.Wply * 1e6, 209.7, 0.05);
    w->cmdGeo_Click(2);
    EXPECT_NEAR(Num(w->txtSec[1].testo), 142.4, 1e-9);
    EXPECT_NEAR(w->Verifica().Wpl, 44.61e-6, 1e-12);
    w->cmdGeo_Click(2);
    EXPECT_NEAR(Num(w->txtSec[1].testo), 1943, 1e-9);
    // A pair whose gap is not a number is refused, nothing raised.
    w->cmdGeo_Click(0);
    ASSERT_TRUE(w->Scelta);
    w->Scelta->ImpostaFamiglia(3);
    w->Scelta->ImpostaFiltro("UPN 200");
    ASSERT_NE(w->Scelta->RigaScelta(), nullptr);
    w->Scelta->Doppi = true;
    w->Scelta->dDoppi = "x";
    std::string perche;
    EXPECT_FALSE(w->Scelta->Scegli(&perche));
    EXPECT_FALSE(perche.empty());
    w->Scelta->Chiudi();
    w->RilasciaSceltaChiusa();
    w->txtStru[0].Edita("210000");
    w->Form_Unload();
    EXPECT_FLOAT_EQ(modulo.Dati.J, 1943e-8f);
    EXPECT_TRUE(msg.elenco.empty());
}

TEST_F(FinestraPropertyProva, VerificaConIRisultatiDellaTrave) {
    // a simply supported beam of 6 m under 10 kN/m: M = qL²/8 = 45 kNm
    trave->Optschema_Click(0);
    trave->txtRigheGriglia[0].Edita("1");
    trave->txtRigheGriglia_Invio(0);
    trave->FlexGrid[0].ImpostaTesto(1, 1, "10");
    trave->FlexGrid[0].ImpostaTesto(1, 2, "10");
    trave->FlexGrid[0].ImpostaTesto(1, 3, "0");
    trave->FlexGrid[0].ImpostaTesto(1, 4, "6");
    ASSERT_EQ(trave->btnCalcola_Click(), EsitoCalcolo::Completato);
    msg.Svuota();
    w->Form_Load();
    w->cmdGeo_Click(0);
    w->Scelta->ImpostaFiltro("IPE200");
    w->Scelta->Grado = 1;
    ASSERT_TRUE(w->Scelta->Scegli());
    w->Scelta->Chiudi();
    w->SSTab1_Click(1);
    const auto v = w->Verifica();
    ASSERT_TRUE(v.sollecitazione);
    EXPECT_NEAR(v.Mmax, 45000, 1);
    EXPECT_NEAR(v.rapporto, 45000 / (220.6e-6 * 275e6), 1e-4);
    EXPECT_EQ(w->TestiDellaVerifica().Mmax, "45.0");
    EXPECT_EQ(w->TestiDellaVerifica().rapporto, "0.742");
    // a typed yield stress replaces the grade's
    w->ImpostaFy("355");
    EXPECT_NEAR(w->Verifica().Mpl, 220.6e-6 * 355e6, 1e-6);
    w->ImpostaFy("");
    EXPECT_FALSE(w->Verifica().resistenze);
    EXPECT_TRUE(w->Verifica().moduli);
}

TEST_F(FinestraPropertyProva, ProgrammaProfiliMancante) {
    w->Catalogo = CatalogoProfili(); // no catalogue found
    w->Form_Load();
    w->Catalogo = CatalogoProfili();
    w->cmdGeo_Click(0);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{
                               "Program Sagomix_v6 not installed or not properly installed.\r\n"
                               "Download the program from my web site."});
    EXPECT_FALSE(w->Scelta);
    EXPECT_TRUE(w->Visibile);
    EXPECT_TRUE(w->TraveVisibile);
}

// A project saved with a section and reopened shows the same section.
TEST_F(FinestraPropertyProva, ProgettoSalvatoERiapertoMostraLaSezione) {
    w->Form_Load();
    w->cmdGeo_Click(1);
    w->OpTipoSezione_Click(SezT);
    Digita(1, 1, "100");
    for (const char* v : {"20", "30", "60"}) {
        w->FlexGrid0.editor.testo = v;
        w->Editor_Tasto(TastoEditor::Invio);
    }
    w->cmdOKEdit_Click();
    const std::string area = w->txtSec[0].testo, inerzia = w->txtSec[1].testo;
    w->txtMateriale.Edita("Concrete C25/30");
    w->Form_Unload();
    const fs::path file = cartella / "trave.zlv";
    ASSERT_TRUE(trave->FileSalvaCome(file.string()));
    trave->FileNuovo();
    EXPECT_FALSE(trave->SezioneProgetto.Prop);
    ASSERT_TRUE(trave->ApriFileDati(file.string()));
    ASSERT_TRUE(trave->SezioneProgetto.Prop);
    FinestraProperty w2(*trave, msg);
    w2.Form_Load();
    EXPECT_EQ(w2.txtSec[0].testo, area);
    EXPECT_EQ(w2.txtSec[1].testo, inerzia);
    EXPECT_EQ(w2.txtMateriale.testo, "Concrete C25/30");
    w2.cmdGeo_Click(1);
    EXPECT_EQ(w2.TipoSelezionato, SezT);
    ASSERT_EQ(w2.FlexGrid0.Righe(), 3);
    EXPECT_EQ(w2.FlexGrid0.Testo(1, 1), "100");
    EXPECT_EQ(w2.FlexGrid0.Testo(2, 2), "60");
    w2.cmdAnnullaEdit_Click();
    w2.SSTab1_Click(2);
    EXPECT_TRUE(w2.DisegnoGeometria());
    w2.Form_Unload();
}

// The units change in the main window while the window is open: the window
// keeps reading in the units its labels show, E and J go back in the new ones.
TEST_F(FinestraPropertyProva, UnitaCambiateAFinestraAperta) {
    w->Form_Load();
    EXPECT_EQ(w->lblStru0, "MPa");
    unita.UnitaModello[1] = "kPa";
    unita.UnitaModello[4] = "mm";
    w->txtStru[0].Edita("30000"); // MPa, as the label says
    w->Form_Unload();
    EXPECT_FLOAT_EQ(modulo.Dati.E, 3e10f);
    EXPECT_FLOAT_EQ(modulo.Dati.J, 8356e-8f);
    EXPECT_DOUBLE_EQ(Num(trave->txtDati[1].testo), 3e7);    // kPa
    EXPECT_DOUBLE_EQ(Num(trave->txtDati[2].testo), 8356e4); // mm⁴
}
