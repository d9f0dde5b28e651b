// Load grids driven through the main window's events: layout on a confirmed
// row count, the editor's opening, keys and commits, the focus chain.
#include "form/modello_form.h"
#include "io/generale.h"

#include <gtest/gtest.h>

using namespace zelvo;

namespace {

class Griglie : public ::testing::Test {
  protected:
    // Confirms n rows for table t (Enter in its row-count field).
    void Righe(int t, const std::string& n) {
        f.Campo_Edita(f.txtRigheGriglia[static_cast<size_t>(t)], n);
        f.txtRigheGriglia_Invio(t);
    }
    ModuloZelvo modulo;
    UnitMisura unita;
    RegistroMessaggi msg;
    ModelloForm f{modulo, unita, msg};
    const GrigliaTesto& g1 = f.FlexGrid[1];
};

} // namespace

TEST_F(Griglie, TreForzeDannoQuattroRigheTreColonneEAprononoLEditor) {
    Righe(1, "3");
    EXPECT_EQ(g1.Righe(), 4);
    EXPECT_EQ(g1.Colonne(), 3);
    EXPECT_EQ(g1.Testi(0, 0)[0], (std::vector<std::string>{"N°", "F", "d"}));
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(g1.Testo(r, 0), std::to_string(r));
    EXPECT_EQ(g1.Indice(2, 1), 7); // flat index r * columns + c
    EXPECT_TRUE(g1.visibile);
    EXPECT_EQ(g1.riga, 1);
    EXPECT_EQ(g1.colonna, 1);
    EXPECT_TRUE(g1.editor.visibile);
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::TxtEdit, 1}));
    Righe(0, "1");
    EXPECT_EQ(f.FlexGrid[0].Testi(0, 0)[0],
              (std::vector<std::string>{"N°", "q1", "q2", "d1", "d2"}));
}

TEST_F(Griglie, ZeroRigheNascondeEPassaAlCampoDopo) {
    Righe(1, "2");
    Righe(1, "0");
    EXPECT_FALSE(g1.visibile);
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::TxtRigheGriglia, 2}));
    Righe(2, "0"); // Enter with 0 couples: to "Calcola"
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::BtnCalcola, 0}));
}

TEST_F(Griglie, CrescendoConservaLeRigheScritte) {
    Righe(1, "2");
    f.txtEdit_Edita(1, "10", 2, 0);
    f.txtEdit_Tasto(1, TastoEditor::Invio);
    Righe(1, "3");
    EXPECT_EQ(g1.Testo(1, 1), "10");
    EXPECT_EQ(g1.Testo(3, 1), "");
}

TEST_F(Griglie, UnCarattereApreConQuelCarattereEInvioProsegueLungoLaRiga) {
    Righe(1, "2");
    f.txtEdit_Tasto(1, TastoEditor::Esc);
    f.FlexGrid_Tasto(1, '5');
    EXPECT_EQ(g1.editor.testo, "5");
    EXPECT_EQ(g1.editor.selInizio, 1);
    EXPECT_EQ(g1.editor.selLunghezza, 0);
    f.txtEdit_Tasto(1, TastoEditor::Invio);
    EXPECT_EQ(g1.Testo(1, 1), "5");
    EXPECT_EQ(g1.colonna, 2);
    EXPECT_TRUE(g1.editor.visibile);
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::TxtEdit, 1}));
    f.txtEdit_Edita(1, "2", 1, 0);
    f.txtEdit_Tasto(1, TastoEditor::Invio); // end of the row: column 1 of the next
    EXPECT_EQ(g1.riga, 2);
    EXPECT_EQ(g1.colonna, 1);
}

TEST_F(Griglie, MouseSelezionaTuttoEdInvioApreColTestoEIlCursoreInFondo) {
    Righe(1, "1");
    f.txtEdit_Edita(1, "12.5", 4, 0);
    f.FlexGrid_Scorre(1); // the grid's own scroll commits without normalising
    EXPECT_EQ(g1.Testo(1, 1), "12.5");
    EXPECT_FALSE(g1.editor.visibile);
    f.FlexGrid_Seleziona(1, 1, 1);
    EXPECT_EQ(g1.editor.testo, "12.5");
    EXPECT_EQ(g1.editor.selInizio, 0);
    EXPECT_EQ(g1.editor.selLunghezza, 4);
    f.txtEdit_Tasto(1, TastoEditor::Esc);
    f.FlexGrid_Tasto(1, 13);
    EXPECT_EQ(g1.editor.testo, "12.5");
    EXPECT_EQ(g1.editor.selInizio, 4);
    // A heading is never edited.
    f.txtEdit_Tasto(1, TastoEditor::Esc);
    f.FlexGrid_Seleziona(1, 0, 1);
    EXPECT_FALSE(g1.editor.visibile);
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::FlexGrid, 1}));
}

TEST_F(Griglie, EscLasciaLaCellaEUnaPerditaDiFuocoPoiNonLaTocca) {
    Righe(1, "1");
    f.txtEdit_Edita(1, "3", 1, 0);
    f.txtEdit_Tasto(1, TastoEditor::Su); // commits, stays on row 1
    f.FlexGrid_Tasto(1, '9');
    f.txtEdit_Tasto(1, TastoEditor::Esc);
    EXPECT_EQ(g1.Testo(1, 1), "3");
    f.txtEdit_PerdeFuoco(1);
    EXPECT_EQ(g1.Testo(1, 1), "3");
}

TEST_F(Griglie, DallUltimaCellaAlControlloSuccessivo) {
    const Fuoco dopo[3] = {{TipoControllo::TxtRigheGriglia, 1},
                           {TipoControllo::TxtRigheGriglia, 2},
                           {TipoControllo::BtnCalcola, 0}};
    for (int t = 0; t < 3; ++t) {
        Righe(t, "1");
        const int nc = f.FlexGrid[static_cast<size_t>(t)].Colonne() - 1;
        for (int c = 1; c <= nc; ++c) {
            f.txtEdit_Edita(t, std::to_string(c), 1, 0);
            f.txtEdit_Tasto(t, TastoEditor::Invio);
        }
        EXPECT_EQ(f.fuoco, dopo[t]) << t;
        EXPECT_FALSE(f.FlexGrid[static_cast<size_t>(t)].editor.visibile);
    }
}

TEST_F(Griglie, FrecceRestanoNelleRigheDati) {
    Righe(1, "2");
    f.txtEdit_Edita(1, "8", 1, 0);
    f.txtEdit_Tasto(1, TastoEditor::Su);
    EXPECT_EQ(g1.riga, 1);
    EXPECT_EQ(g1.Testo(1, 1), "8");
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::FlexGrid, 1}));
    f.txtEdit_Tasto(1, TastoEditor::Giu);
    f.txtEdit_Tasto(1, TastoEditor::Giu);
    EXPECT_EQ(g1.riga, 2);
}

TEST_F(Griglie, PerditaDelFuocoNormalizzaIlNumero) {
    Righe(1, "1");
    f.txtEdit_Edita(1, "1234.50", 7, 0);
    f.txtEdit_PerdeFuoco(1);
    EXPECT_EQ(g1.Testo(1, 1), "1,234.5");
    EXPECT_FALSE(g1.editor.visibile);
}

TEST_F(Griglie, ZoomAlterna) {
    f.FlexGridZoom_Click(2);
    EXPECT_TRUE(f.FlexGrid[2].zoom);
    f.FlexGridZoom_Click(2);
    EXPECT_FALSE(f.FlexGrid[2].zoom);
}
