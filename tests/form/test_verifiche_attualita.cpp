// The "Verifiche" window over the main window's model: checks only of
// results that are the problem's. Typing a new span without calculating,
// starting a new problem or opening another one give the reason instead of
// the old beam's checks; calculating again brings the new checks.
#include "form/verifiche_form.h"
#include "section/sezione_edit.h"
#include "tests/comune/verifiche.h"
#include "tests/form/finestra_prova.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

using namespace zelvo;

namespace {

using prova::Catalogo;

struct VerificheAttuali : TraveProva {
    std::unique_ptr<ModelloVerifiche> v;
    // Simply supported, 6 m, 20 kN/m over the whole span, calculated; the
    // window open with an IPE 300 restrained continuously.
    void SetUp() override {
        TraveProva::SetUp();
        f->Optschema_Click(0);
        f->Campo_Edita(f->txtDati[0], "6");
        f->Campo_Edita(f->txtDati[1], "210000");
        f->Campo_Edita(f->txtDati[2], "8356");
        f->Campo_Edita(f->txtRigheGriglia[0], "1");
        f->txtRigheGriglia_Invio(0);
        for (int c = 1; c <= 4; ++c)
            f->FlexGrid[0].ImpostaTesto(1, c, c <= 2 ? "20" : c == 3 ? "0" : "6");
        ASSERT_EQ(f->btnCalcola_Click(), EsitoCalcolo::Completato);
        v = std::make_unique<ModelloVerifiche>(modulo, Catalogo(), unita.separatori);
        v->Attualita = [this] { return MotivoRisultatiNonAttuali(*f); };
        v->ScegliProfilo("IPE300");
        v->ImpostaRitegno(DatiVerifica::TipoRitegno::Continui);
    }
    std::string Flessione() const {
        return v->Righe.empty() ? std::string() : v->Righe.front().Azione;
    }
};

} // namespace

// MEd = qL²/8: 90 kN·m on 6 m, 160 kN·m on 8 m (the load over it) once
// calculated.
TEST_F(VerificheAttuali, CampataCambiataSenzaCalcolo) {
    ASSERT_EQ(v->Motivo, "");
    EXPECT_EQ(Flessione(), "MEd = 90.00 kN·m");
    f->Campo_Edita(f->txtDati[0], "8");
    v->Aggiorna();
    EXPECT_EQ(v->Motivo, TestoDatiCambiati);
    EXPECT_TRUE(v->Righe.empty());
    EXPECT_EQ(v->Governo, "");
    EXPECT_FALSE(v->Figura.Presente);
    // Typed back as it was: the results are the problem's again.
    f->Campo_Edita(f->txtDati[0], "6");
    v->Aggiorna();
    EXPECT_EQ(Flessione(), "MEd = 90.00 kN·m");
    f->Campo_Edita(f->txtDati[0], "8");
    f->FlexGrid[0].ImpostaTesto(1, 4, "8");
    ASSERT_EQ(f->btnCalcola_Click(), EsitoCalcolo::Completato);
    v->Aggiorna();
    EXPECT_EQ(v->Motivo, "");
    EXPECT_EQ(Flessione(), "MEd = 160.00 kN·m");
    // A load changed in its table.
    f->FlexGrid[0].ImpostaTesto(1, 1, "10");
    v->Aggiorna();
    EXPECT_EQ(v->Motivo, TestoDatiCambiati);
}

TEST_F(VerificheAttuali, NuovoProblema) {
    ASSERT_EQ(v->Motivo, "");
    f->InizializzaForm(); // what "Nuovo" and opening a file start from
    v->Aggiorna();
    EXPECT_TRUE(v->Righe.empty());
    EXPECT_FALSE(v->Motivo.empty());
    EXPECT_EQ(v->Governo, "");
}

// The check's choices are kept by the data file: changing one is unsaved
// work (the question on closing), yet the results stay the problem's.
TEST_F(VerificheAttuali, SceltaDaSalvare) {
    const std::filesystem::path p = std::filesystem::temp_directory_path() /
                                    ("zelvo_verifiche_" + std::to_string(getpid()) + ".zlv");
    ASSERT_TRUE(f->FileSalvaCome(p.string()));
    EXPECT_FALSE(f->DatiModificati());
    v->ScegliAcciaio("S355");
    EXPECT_TRUE(f->DatiModificati());
    EXPECT_EQ(v->Motivo, "");
    v->ScegliAcciaio("S235");
    EXPECT_FALSE(f->DatiModificati());
    EXPECT_TRUE(v->ImpostaAscisseRitegni("2"));
    EXPECT_TRUE(f->DatiModificati());
    std::filesystem::remove(p);
}

// The beam's own steel section from the section window: a rectangle
// b = 10 cm, h = 20 cm of steel with fy = 275 MPa, handed to the beam.
// Wel = b·h²/6 = 666.7 cm³, Wpl = b·h²/4 = 1000 cm³; with γM0 = 1.05
// Mel,Rd = 666.67e-6·275e6/1.05 = 174.60 kN·m, Mpl,Rd = 261.90 kN·m. The
// 6 m span under 20 kN/m: |MEd| = 90 kN·m, 90/261.90 = 0.344 and
// 90/174.60 = 0.515.
TEST_F(FinestraProva, SezioneDellaTraveNelleVerifiche) {
    const CatalogoProfili& cat = Catalogo();
    f->Optschema_Click(0);
    f->Campo_Edita(f->txtDati[0], "6");
    f->Campo_Edita(f->txtRigheGriglia[0], "1");
    f->txtRigheGriglia_Invio(0);
    for (int c = 1; c <= 4; ++c)
        f->FlexGrid[0].ImpostaTesto(1, c, c <= 2 ? "20" : c == 3 ? "0" : "6");
    w->cmdGeo_Click(1);
    w->OpTipoSezione_Click(SezRettangolo);
    Digita(1, 1, "10");
    Digita(1, 2, "20");
    w->cmdOKEdit_Click();
    w->txtMateriale.Edita("Steel");
    w->ImpostaFy("275");
    ASSERT_TRUE(w->Form_Unload());
    ASSERT_EQ(f->btnCalcola_Click(), EsitoCalcolo::Completato);
    const SezioneUtente s = SezioneDellaTrave(*f);
    ASSERT_TRUE(s.Presente);
    EXPECT_NEAR(s.Wel, 0.1 * 0.04 / 6, 1e-9);
    EXPECT_NEAR(s.Wpl, 0.1 * 0.04 / 4, 1e-9);
    EXPECT_DOUBLE_EQ(s.fy, 275e6);

    ModelloVerifiche v(modulo, cat, unita.separatori);
    v.Attualita = [this] { return MotivoRisultatiNonAttuali(*f); };
    v.Sezione = [this] { return SezioneDellaTrave(*f); };
    v.Aggiorna();
    EXPECT_EQ(v.Motivo, TestoNessunProfilo);
    EXPECT_EQ(v.TestiSezione,
              (std::vector<std::string>{
                  "Sezione della finestra delle proprietà (Steel, fy = 275.0 N/mm², γM0 = 1.05): "
                  "Wel = 666.7 cm³, Wpl = 1000.0 cm³",
                  "Mel,Rd = Wel·fy/γM0 = 174.60 kN·m, Mpl,Rd = Wpl·fy/γM0 = 261.90 kN·m",
                  "|MEd| = 90.00 kN·m: |MEd|/Mpl,Rd = 0.344 - verificata (classe 1 o 2); "
                  "|MEd|/Mel,Rd = 0.515 - verificata (classe 3)",
                  TestoSoloCatalogo}));
    EXPECT_TRUE(v.SezioneVerificata);
    // Data typed since: no ratio of old results.
    f->Campo_Edita(f->txtDati[0], "12");
    v.Aggiorna();
    ASSERT_EQ(v.TestiSezione.size(), 3u);
    EXPECT_EQ(v.TestiSezione[2], TestoSoloCatalogo);
    // Not steel: no section check.
    ASSERT_TRUE(f->SezioneProgetto.Prop);
    f->SezioneProgetto.Prop->NomeMat = "Concrete C25/30";
    v.Aggiorna();
    EXPECT_TRUE(v.TestiSezione.empty());
}
