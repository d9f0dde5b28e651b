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

// A beam whose E and J were typed in the main window: opening the window
// with no record and closing it at once hands the same values back.
TEST_F(FinestraPropertyProva, SenzaRecordChiudereRestituisceEJDellaTrave) {
    w->Form_Load();
    EXPECT_EQ(w->Scheda, 0);
    EXPECT_EQ(w->txtMateriale.testo, "");
    EXPECT_DOUBLE_EQ(Num(w->txtStru[0].testo), 210000);
    EXPECT_DOUBLE_EQ(Num(w->txtSec[1].testo), 8356);
    w->Form_Unload();
    EXPECT_FLOAT_EQ(modulo.Dati.E, 2.1e11f);
    EXPECT_FLOAT_EQ(modulo.Dati.J, 8356e-8f);
    EXPECT_DOUBLE_EQ(Num(trave->txtDati[1].testo), 210000);
    EXPECT_DOUBLE_EQ(Num(trave->txtDati[2].testo), 8356);
    ASSERT_TRUE(trave->SezioneProgetto.Prop);
    EXPECT_DOUBLE_EQ(trave->SezioneProgetto.Prop->E, 2.1e11);
    EXPECT_TRUE(msg.elenco.empty());
    // the next calculation reads the same E and J
    trave->txtDati[0].Edita("6");
    EXPECT_TRUE(trave->LeggeDati());
    EXPECT_FLOAT_EQ(modulo.Dati.E, 2.1e11f);
    EXPECT_FLOAT_EQ(modulo.Dati.J, 8356e-8f);
}

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

TEST_F(FinestraPropertyProva, TipoTDueRigheSenzaContatore) {
    w->Form_Load();
    w->cmdGeo_Click(1);
    ASSERT_TRUE(w->FrameEdit);
    EXPECT_EQ(w->TipoSelezionato, -1);
    w->OpTipoSezione_Click(SezT);
    EXPECT_TRUE(w->FlexGrid0.visibile);
    EXPECT_EQ(w->FlexGrid0.Righe(), 3); // headers + 2 rows
    EXPECT_EQ(w->FlexGrid0.Colonne(), 3);
    EXPECT_FALSE(w->RigheVisibili);
    EXPECT_FALSE(w->RaggioFrm);
    EXPECT_EQ(w->fuoco, FuocoProperty::Griglia);
    EXPECT_EQ(w->FlexGrid0.Testo(0, 0), "N°");
    EXPECT_EQ(w->FlexGrid0.Testo(0, 1), "b [cm]");
    EXPECT_EQ(w->FlexGrid0.Testo(0, 2), "h [cm]");
    EXPECT_EQ(w->FlexGrid0.Testo(2, 0), "2");
    // flange 100 × 20, web 30 × 60 (cm): Enter moves along the row, then down
    Digita(1, 1, "100");
    EXPECT_EQ(w->FlexGrid0.colonna, 2);
    EXPECT_EQ(w->fuoco, FuocoProperty::Editor);
    w->FlexGrid0.editor.testo = "20";
    w->Editor_Tasto(TastoEditor::Invio);
    w->FlexGrid0.editor.testo = "30";
    w->Editor_Tasto(TastoEditor::Invio);
    w->FlexGrid0.editor.testo = "60";
    w->Editor_Tasto(TastoEditor::Invio);
    EXPECT_EQ(w->fuoco, FuocoProperty::OKEdit); // past the last cell: the editor's OK
    ASSERT_TRUE(w->Figura_Click());
    // area 2000 + 1800 = 3800 cm²; centroid from the top (20·100·10 + 30·60·50)/3800
    EXPECT_NEAR(Num(w->Risultati[1]), 3800, 1e-3);
    const double yt = (2000.0 * 10 + 1800.0 * 50) / 3800;
    const double J = 100.0 * 8000 / 12 + 2000 * std::pow(yt - 10, 2) + 30.0 * 216000 / 12 +
                     1800 * std::pow(50 - yt, 2);
    EXPECT_NEAR(Num(w->Risultati[2]), J, 1e-4 * J);
    EXPECT_EQ(w->RisultatiUnit[1], "cm²");
    EXPECT_EQ(w->RisultatiUnit[2], "cm⁴");
    EXPECT_TRUE(w->DisegnoEditor());
}

TEST_F(FinestraPropertyProva, NRettangoliChiedeLeRighe) {
    w->Form_Load();
    w->cmdGeo_Click(1);
    w->OpTipoSezione_Click(SezNRettangoli);
    EXPECT_TRUE(w->RigheVisibili);
    EXPECT_FALSE(w->FlexGrid0.visibile);
    EXPECT_EQ(w->fuoco, FuocoProperty::Righe);
    w->txtRigheGriglia0.Edita("3");
    w->txtRigheGriglia_Invio();
    EXPECT_TRUE(w->FlexGrid0.visibile);
    EXPECT_EQ(w->FlexGrid0.Righe(), 4);
    EXPECT_EQ(w->fuoco, FuocoProperty::Griglia);
    w->txtRigheGriglia0.Edita("0");
    w->txtRigheGriglia_Invio();
    EXPECT_FALSE(w->FlexGrid0.visibile);
    EXPECT_EQ(w->fuoco, FuocoProperty::Righe);
    w->txtRigheGriglia0.Edita("abc");
    w->txtRigheGriglia_Invio();
    EXPECT_FALSE(w->FlexGrid0.visibile);
    // the trapezoids have three columns with two-space prefixes
    w->OpTipoSezione_Click(SezTrapezi);
    w->txtRigheGriglia0.Edita("1");
    w->txtRigheGriglia_Invio();
    EXPECT_EQ(w->FlexGrid0.Testo(0, 1), "B  [cm]");
    EXPECT_EQ(w->FlexGrid0.Testo(0, 3), "h  [cm]");
    // the circle shows the radius frame, the polygon its vertex count too
    w->OpTipoSezione_Click(SezPoligono);
    EXPECT_TRUE(w->RaggioFrm);
    EXPECT_FALSE(w->FlexGrid0.visibile);
    EXPECT_EQ(w->RaggioFrmCaption, "Hollow Polygon");
    EXPECT_TRUE(w->NVertexVisibile);
    EXPECT_EQ(w->RaggioUnit, "[cm]");
    w->RaggioTxt_Invio(0);
    EXPECT_EQ(w->fuoco, FuocoProperty::Raggio);
    EXPECT_EQ(w->fuocoIndice, 1);
    w->RaggioTxt_Invio(1);
    EXPECT_EQ(w->fuoco, FuocoProperty::OKEdit);
    w->OpTipoSezione_Click(SezCircolare);
    EXPECT_EQ(w->RaggioFrmCaption, "Hollow Circular Section");
    EXPECT_FALSE(w->NVertexVisibile);
}
TEST_F(FinestraPropertyProva, AnnullaRipristinaLaSezione) {
    w->Form_Load();
    w->cmdGeo_Click(1);
    w->OpTipoSezione_Click(SezRettangolo);
    Digita(1, 1, "30");
    w->FlexGrid0.editor.testo = "50";
    w->Editor_Tasto(TastoEditor::Invio);
    w->cmdOKEdit_Click();
    // the editor opens on the stored section
    w->cmdGeo_Click(1);
    EXPECT_EQ(w->TipoSelezionato, SezRettangolo);
    // shown as typed (0.3 m is no single: not 30.000002)
    EXPECT_EQ(w->FlexGrid0.Testo(1, 1), "30");
    EXPECT_EQ(w->FlexGrid0.Testo(1, 2), "50");
    EXPECT_NEAR(Num(w->Risultati[1]), 1500, 1e-3);
    // changed to a circle, then cancelled; the rectangle's results go with it
    w->OpTipoSezione_Click(SezCircolare);
    EXPECT_EQ(w->Risultati[1], "");
    EXPECT_FALSE(w->DisegnoEditor());
    w->RaggioTxt[0].Edita("40");
    w->RaggioTxt[1].Edita("0");
    ASSERT_TRUE(w->Figura_Click());
    w->cmdAnnullaEdit_Click();
    const SezioneEdit& s = w->Record().SezioneEd;
    EXPECT_EQ(s.TipoSezione, SezRettangolo);
    EXPECT_NEAR(s.Contorno.Area, 0.15, 1e-8);
    EXPECT_NEAR(Num(w->txtSec[0].testo), 1500, 1e-3);
    w->cmdGeo_Click(1);
    EXPECT_EQ(w->TipoSelezionato, SezRettangolo);
    EXPECT_EQ(w->FlexGrid0.Testo(1, 2), "50");
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

TEST_F(FinestraPropertyProva, PannelloMateriali) {
    w->Form_Load();
    w->cmdMaterials_Click();
    EXPECT_TRUE(w->FrameMaterials);
    const std::string pieno = fs::absolute(w->FileMateriali).string();
    ASSERT_EQ(msg.Testi(),
              std::vector<std::string>{"File " + pieno +
                                       " non trovato. Vengono inseriti i materiali di default"});
    ASSERT_EQ(w->MSFlexGrid1.Righe(), 12);
    EXPECT_EQ(w->MSFlexGrid1.Griglia.Testo(1, 0), ">");
    EXPECT_EQ(w->Text[1], "Steel");
    // the thermal expansion is shown (and saved) with its digits, not as 0.0000
    EXPECT_DOUBLE_EQ(Num(w->Text[5]), 1.2e-5);
    EXPECT_EQ(w->lblUnitaMateriali, "MPa");
    w->MSFlexGrid1_Click(3);
    EXPECT_EQ(w->MSFlexGrid1.Griglia.Testo(1, 0), "");
    EXPECT_EQ(w->MSFlexGrid1.Griglia.Testo(3, 0), ">");
    EXPECT_EQ(w->Text[1], "Concrete C20/25");
    EXPECT_DOUBLE_EQ(Num(w->Text[2]), 29000);
    w->cmdOKMateriali_Click(0);
    EXPECT_FALSE(w->FrameMaterials);
    EXPECT_EQ(w->txtMateriale.testo, "Concrete C20/25");
    EXPECT_DOUBLE_EQ(Num(w->txtStru[0].testo), 29000);
    EXPECT_DOUBLE_EQ(Num(w->txtStru[1].testo), 0.2);

    // a new material, saved, and found by its name at the next opening
    msg.Svuota();
    w->cmdMaterials_Click();
    EXPECT_EQ(w->MSFlexGrid1.Selezionata, 3); // the material of the tab
    w->Text[1] = "Steel S355";
    w->Text[2] = "205000";
    w->cmdAggiungi_Click();
    EXPECT_EQ(w->MSFlexGrid1.Righe(), 13);
    w->cmdSalvaMat_Click();
    ASSERT_EQ(msg.Testi().back(), "I dati dei materiali sono stati salvati nel file " + pieno);
    w->cmdOKMateriali_Click(0);
    EXPECT_EQ(w->txtMateriale.testo, "Steel S355");
    msg.Svuota();
    w->cmdMaterials_Click();
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_EQ(w->MSFlexGrid1.Righe(), 13);
    EXPECT_EQ(w->MSFlexGrid1.Selezionata, 12);
    EXPECT_DOUBLE_EQ(Num(w->Text[2]), 205000);
    w->cmdOKMateriali_Click(1);
    EXPECT_EQ(w->txtMateriale.testo, "Steel S355");
}
TEST_F(FinestraPropertyProva, ProfiloDalSelettore) {
    w->Form_Load();
    w->cmdGeo_Click(0);
    ASSERT_TRUE(w->Scelta);
    EXPECT_FALSE(w->Visibile);
    EXPECT_FALSE(w->TraveVisibile);
    auto& s = *w->Scelta;
    s.ImpostaFiltro("200");
    ASSERT_EQ(s.RigaScelta()->nome, "IPE200");
    s.Grado = 1; // S275
    ASSERT_TRUE(s.Scegli());
    EXPECT_NEAR(Num(w->txtSec[0].testo), 28.48, 1e-9);
    EXPECT_NEAR(Num(w->txtSec[1].testo), 1943, 1e-9);
    EXPECT_EQ(w->txtDidSezione.testo, "IPE200 S275");
    const Property& p = w->Record();
    EXPECT_FALSE(p.SezioneConEdit);
    // the profile carries them as singles
    EXPECT_NEAR(p.Area, 28.48e-4, 1e-7 * 28.48e-4);
    EXPECT_NEAR(p.Jota, 1943e-8, 1e-7 * 1943e-8);
    EXPECT_DOUBLE_EQ(p.fyBeam, 275e6);
    EXPECT_NEAR(p.My_pos, 220.6e-6 * 275e6, 1e-6);
    s.Chiudi();
    w->RilasciaSceltaChiusa();
    EXPECT_FALSE(w->Scelta);
    EXPECT_TRUE(w->Visibile);
    EXPECT_TRUE(w->TraveVisibile);

    // the section check: IPE 200 in S275, Wel,y = 194.3 cm³, Wpl,y = 220.6 cm³
    w->SSTab1_Click(1);
    const auto v = w->Verifica();
    ASSERT_TRUE(v.moduli && v.resistenze);
    EXPECT_NEAR(v.Wel, 194.3e-6, 1e-12);
    EXPECT_NEAR(v.Wpl, 220.6e-6, 1e-12);
    const auto t = w->TestiDellaVerifica();
    EXPECT_EQ(t.Wel, "194.3");
    EXPECT_EQ(t.Wpl, "220.6");
    EXPECT_EQ(t.unitaW, "cm³");
    EXPECT_EQ(t.Mel, "53.4");
    EXPECT_EQ(t.Mpl, "60.7");
    EXPECT_EQ(t.unitaM, "kNm");
    EXPECT_EQ(t.Mmax, ""); // no calculation yet
    // the fillet-free outline alone would give about 209.7 cm³
    RegistroMessaggi muto;
    SezioneProfili contorno = SezioneProfili();
    contorno.TipoProfilo = "SezioneDoppioT";
    contorno.h = 0.2f, contorno.b = 0.1f, contorno.tw = 0.0056f, contorno.tf = 0.0085f;
    ASSERT_TRUE(contorno.CalcolaWplastici(muto));
    EXPECT_NEAR(contorno.Wply * 1e6, 209.7, 0.05);

    // "&Rotate": the weak axis
    w->cmdGeo_Click(2);
    EXPECT_NEAR(Num(w->txtSec[1].testo), 142.4, 1e-9);
    EXPECT_NEAR(w->Verifica().Wpl, 44.61e-6, 1e-12);
    w->cmdGeo_Click(2);
    EXPECT_NEAR(Num(w->txtSec[1].testo), 1943, 1e-9);

    // closing hands E and the profile's J to the beam
    w->txtStru[0].Edita("210000");
    w->Form_Unload();
    EXPECT_FLOAT_EQ(modulo.Dati.J, 1943e-8f);
    EXPECT_TRUE(msg.elenco.empty());
}

TEST_F(FinestraPropertyProva, CoppiaDiUPNRaddoppia) {
    w->Form_Load();
    w->cmdGeo_Click(0);
    auto& s = *w->Scelta;
    s.ImpostaFamiglia(3);
    s.ImpostaFiltro("UPN 200");
    ASSERT_NE(s.RigaScelta(), nullptr);
    ASSERT_EQ(s.RigaScelta()->nome, "UPN200");
    s.Doppi = true;
    s.dDoppi = "10";
    ASSERT_TRUE(s.Scegli());
    EXPECT_NEAR(Num(w->txtSec[0].testo), 2 * 32.18, 1e-9);
    EXPECT_NEAR(Num(w->txtSec[1].testo), 2 * 1911, 1e-9);
    EXPECT_TRUE(w->Record().SezionePr.Doppi);
    EXPECT_FLOAT_EQ(w->Record().SezionePr.dDoppi, 0.01f);
    EXPECT_NEAR(w->Verifica().Wpl, 2 * 227.8e-6, 1e-12);
    EXPECT_TRUE(s.Anteprima());
    // a gap that is not a number is refused, nothing raised
    s.dDoppi = "x";
    std::string perche;
    EXPECT_FALSE(s.Scegli(&perche));
    EXPECT_FALSE(perche.empty());
    s.Chiudi();
    w->RilasciaSceltaChiusa();
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
