// Load grids: layout, cell reading and the editor's key logic.
#include "form/modello_form.h"
#include "io/generale.h"

#include <gtest/gtest.h>

using namespace zelvo;

TEST(Griglia, TreForzeDannoQuattroRigheTreColonne) {
    GrigliaForm g;
    DimensionaMsFlex(g, 1, 3);
    EXPECT_EQ(g.righe, 4);
    EXPECT_EQ(g.colonne, 3);
    EXPECT_EQ(g.Testo(0, 0), "N°");
    EXPECT_EQ(g.Testo(0, 1), "F");
    EXPECT_EQ(g.Testo(0, 2), "d");
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(g.Testo(r, 0), std::to_string(r));
    EXPECT_TRUE(g.visibile);
    // Column 0 is 400 wide, the data columns share (width - 320 - 400).
    EXPECT_EQ(g.larghezzeColonne[0], 400);
    EXPECT_DOUBLE_EQ(g.larghezzeColonne[1], (g.larghezza - 720) / 2);
    EXPECT_EQ(g.successivo, (Fuoco{TipoControllo::TxtRigheGriglia, 2}));
    // Flat index r * columns + c.
    EXPECT_EQ(g.Indice(2, 1), 7);
    EXPECT_EQ(g.testi[7], LeggeCella(g, 2, 1));
}

TEST(Griglia, IntestazioniTrapeziECoppie) {
    GrigliaForm t, c;
    DimensionaMsFlex(t, 0, 1);
    DimensionaMsFlex(c, 2, 2);
    EXPECT_EQ(LeggeGrigliaTesti(t, 0, 0)[0],
              (std::vector<std::string>{"N°", "q1", "q2", "d1", "d2"}));
    EXPECT_EQ(LeggeGrigliaTesti(c, 0, 0)[0], (std::vector<std::string>{"N°", "W", "d"}));
    EXPECT_EQ(c.successivo, (Fuoco{TipoControllo::BtnCalcola, 0}));
    EXPECT_EQ(t.successivo, (Fuoco{TipoControllo::TxtRigheGriglia, 1}));
}

TEST(Griglia, ZeroRigheNascondeLaGriglia) {
    GrigliaForm g;
    DimensionaMsFlex(g, 1, 0);
    EXPECT_FALSE(g.visibile);
    EXPECT_EQ(g.righe, 1);
}

TEST(Griglia, CrescendoConservaLeRighe) {
    GrigliaForm g;
    DimensionaMsFlex(g, 1, 2);
    ScriveCella(g, 1, 1, "10");
    ScriveCella(g, 2, 2, "3");
    DimensionaMsFlex(g, 1, 3);
    EXPECT_EQ(g.Testo(1, 1), "10");
    EXPECT_EQ(g.Testo(2, 2), "3");
    EXPECT_EQ(g.Testo(3, 1), "");
}

TEST(Griglia, CellaFuoriLimitiEGuasto) {
    GrigliaForm g;
    DimensionaMsFlex(g, 1, 1);
    EXPECT_THROW(LeggeCella(g, 2, 0), Guasto);
    EXPECT_THROW(LeggeCella(g, 0, 3), Guasto);
}

TEST(Griglia, LetturaNumericaRifiutaCelleSenzaNumero) {
    const Separatori sep{",", "."};
    GrigliaForm g;
    DimensionaMsFlex(g, 1, 2);
    ScriveCella(g, 1, 1, "1.234,5");
    ScriveCella(g, 1, 2, "2,5 m"); // leading number is enough
    ScriveCella(g, 2, 1, "-3");
    ScriveCella(g, 2, 2, "4");
    auto v = LeggeGrigliaNumeri(g, sep);
    EXPECT_EQ(v, (std::vector<std::vector<double>>{{1234.5, 2.5}, {-3, 4}}));
    ScriveCella(g, 2, 2, "abc");
    EXPECT_THROW(LeggeGrigliaNumeri(g, sep), Guasto);
    ScriveCella(g, 2, 2, "");
    EXPECT_THROW(LeggeGrigliaNumeri(g, sep), Guasto);
}

TEST(Griglia, ScriveGrigliaFormattaOgniCella) {
    GrigliaForm g;
    DimensionaMsFlex(g, 1, 2);
    ScriveGriglia(g, {{1, 2}, {3, 4}}, [](double v) { return "<" + std::to_string(int(v)) + ">"; });
    EXPECT_EQ(g.Testo(2, 1), "<3>");
    EXPECT_EQ(g.Testo(1, 2), "<2>");
}

// ---------------------------------------------------------------------------
// Editor.

class Editor : public ::testing::Test {
  protected:
    void SetUp() override {
        DimensionaMsFlex(g, 1, 2);
        g.riga = 1;
        g.colonna = 1;
    }
    const Separatori sep{".", ","};
    GrigliaForm g;
    Fuoco f;
};

TEST_F(Editor, UnCarattereApreConQuelCarattereEIlCursoreDopo) {
    GrigliaTasto(g, sep, f, '5');
    EXPECT_TRUE(g.editor.visibile);
    EXPECT_EQ(g.editor.testo, "5");
    EXPECT_EQ(g.editor.selInizio, 1);
    EXPECT_EQ(g.editor.selLunghezza, 0);
    EXPECT_EQ(f, (Fuoco{TipoControllo::TxtEdit, 1}));
    // Enter stores it and moves on along the row.
    TastiEditor(g, sep, f, CodiceInvio, 0, true);
    EXPECT_EQ(g.Testo(1, 1), "5");
    EXPECT_EQ(g.riga, 1);
    EXPECT_EQ(g.colonna, 2);
    EXPECT_TRUE(g.editor.visibile); // opened on the new cell
}

TEST_F(Editor, IlMouseSelezionaTuttoIlNumero) {
    ScriveCella(g, 1, 1, "12.5");
    GrigliaSelezionaCella(g, sep, f, 1, 1);
    EXPECT_EQ(g.editor.testo, "12.5");
    EXPECT_EQ(g.editor.selInizio, 0);
    EXPECT_EQ(g.editor.selLunghezza, 4);
    // Geometry over the cell.
    EXPECT_DOUBLE_EQ(g.editor.sinistra, g.sinistra + 400);
    EXPECT_DOUBLE_EQ(g.editor.alto, g.alto + g.altezzaRiga);
    EXPECT_DOUBLE_EQ(g.editor.larghezza, g.larghezzeColonne[1]);
}

TEST_F(Editor, ControlloApreColTestoDellaCellaEIlCursoreInFondo) {
    ScriveCella(g, 1, 1, "7.25");
    GrigliaTasto(g, sep, f, 13);
    EXPECT_EQ(g.editor.testo, "7.25");
    EXPECT_EQ(g.editor.selInizio, 4);
    EXPECT_EQ(g.editor.selLunghezza, 0);
}

TEST_F(Editor, EscLasciaLaCellaComEra) {
    ScriveCella(g, 1, 1, "3");
    GrigliaTasto(g, sep, f, '9');
    TastiEditor(g, sep, f, CodiceEsc, 0, true);
    EXPECT_FALSE(g.editor.visibile);
    EXPECT_EQ(g.Testo(1, 1), "3");
    EXPECT_EQ(f, (Fuoco{TipoControllo::FlexGrid, 1}));
    // A later loss of focus does not commit a hidden editor.
    EditorPerdeFuoco(g, sep);
    EXPECT_EQ(g.Testo(1, 1), "3");
}

TEST_F(Editor, InvioDallUltimaCellaPassaAlControlloSuccessivo) {
    g.riga = 2;
    g.colonna = 2;
    GrigliaTasto(g, sep, f, '4');
    TastiEditor(g, sep, f, CodiceInvio, 0, true);
    EXPECT_EQ(g.Testo(2, 2), "4");
    EXPECT_EQ(f, (Fuoco{TipoControllo::TxtRigheGriglia, 2}));
    EXPECT_FALSE(g.editor.visibile);
}

TEST_F(Editor, InvioFineRigaVaAllaColonnaUnoDellaRigaDopo) {
    g.colonna = 2;
    GrigliaTasto(g, sep, f, '1');
    TastiEditor(g, sep, f, CodiceInvio, 0, true);
    EXPECT_EQ(g.riga, 2);
    EXPECT_EQ(g.colonna, 1);
}

TEST_F(Editor, InvioPerRigheScendeLungoLaColonna) {
    GrigliaTasto(g, sep, f, '1');
    TastiEditor(g, sep, f, CodiceInvio, 0, false);
    EXPECT_EQ(g.riga, 2);
    EXPECT_EQ(g.colonna, 1);
}

TEST_F(Editor, FrecceRestanoNelleRigheDati) {
    GrigliaTasto(g, sep, f, '8');
    TastiEditor(g, sep, f, CodiceSu, 0, true);
    EXPECT_EQ(g.riga, 1); // never onto the heading row
    EXPECT_EQ(g.Testo(1, 1), "8");
    EXPECT_EQ(f, (Fuoco{TipoControllo::FlexGrid, 1}));
    TastiEditor(g, sep, f, CodiceGiu, 0, true);
    TastiEditor(g, sep, f, CodiceGiu, 0, true);
    EXPECT_EQ(g.riga, 2);
}

TEST_F(Editor, PerditaDelFuocoNormalizzaIlNumero) {
    GrigliaTasto(g, sep, f, '1');
    g.editor.testo = "1234.50";
    EditorPerdeFuoco(g, sep);
    EXPECT_EQ(g.Testo(1, 1), "1,234.5");
    EXPECT_FALSE(g.editor.visibile);
}

TEST_F(Editor, IntestazioniNonSonoModificabili) {
    GrigliaSelezionaCella(g, sep, f, 0, 1);
    EXPECT_FALSE(g.editor.visibile);
    EXPECT_EQ(g.riga, 1);
}

TEST(Zoom, IngrandisceERipristina) {
    GrigliaForm g;
    g.alto = 1000;
    g.altezza = 1500;
    ZoomGriglia(g, 9000);
    EXPECT_TRUE(g.zoom);
    EXPECT_DOUBLE_EQ(g.altezza, 9000 - 1000 - 800);
    ZoomGriglia(g, 9000);
    EXPECT_FALSE(g.zoom);
    EXPECT_DOUBLE_EQ(g.altezza, 1500);
}
