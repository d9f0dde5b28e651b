// The one text grid: shape changes that keep or drop cells, values written
// behind texts, and the editor's walk down the columns.
#include "core/guasto.h"
#include "io/griglia_testo.h"

#include <gtest/gtest.h>

using namespace zelvo;
using namespace std::string_literals;

TEST(GrigliaTesto, RigheCorteEFuoriGriglia) {
    const GrigliaTesto g = GrigliaTesto::DaRighe({{"a", "b", "c"}, {"d"}});
    EXPECT_EQ(std::pair(g.Righe(), g.Colonne()), std::pair(2, 3));
    EXPECT_EQ(g.Testo(1, 2) + g.TestoOVuoto(5, 0), "");
    EXPECT_THROW(g.Testo(2, 0), Guasto);
    EXPECT_THROW(GrigliaTesto(-1, 2), Guasto);
}

// Growing keeps texts and written values (an edit keeps the value: its owner
// judges it); deleting a row moves the rest up; re-dimensioning clears.
TEST(GrigliaTesto, RidimensionaTieneTestiEValoriEliminaRigaSposta) {
    GrigliaTesto g(3, 2, 1, 1);
    g.Scrivi(1, 1, "x", ValoreCella{2.5, 2.5, {}});
    g.Scrivi(2, 1, "y");
    g.Ridimensiona(4, 3);
    ASSERT_TRUE(g.Scritto(1, 1));
    EXPECT_EQ(std::pair(g.Scritto(1, 1)->assoluto, g.Scritto(1, 1)->testo), std::pair(2.5, "x"s));
    g.ImpostaTesto(1, 1, "z");
    EXPECT_TRUE(g.Scritto(1, 1));
    g.EliminaRiga(1);
    EXPECT_EQ(std::pair(g.Testo(1, 1), g.Righe()), std::pair("y"s, 3));
    g.Dimensiona(2, 2);
    EXPECT_EQ(g.Testo(1, 1), "");
    EXPECT_FALSE(g.Scritto(1, 1));
}

TEST(GrigliaTesto, InvioPerColonneScendeEPoiPassaAllaColonnaDopo) {
    GrigliaTesto g(3, 3, 1, 1); // data cells (1..2, 1..2)
    g.CellaCorrente(1, 1);
    ASSERT_TRUE(g.EditaCella('7'));
    EXPECT_EQ(g.Tasto(TastoEditor::Invio), EsitoTasto::Editor);
    EXPECT_EQ(std::pair(g.riga, g.colonna), std::pair(2, 1));
    EXPECT_EQ(g.Tasto(TastoEditor::Invio), EsitoTasto::Editor);
    EXPECT_EQ(std::pair(g.riga, g.colonna), std::pair(1, 2));
    g.CellaCorrente(2, 2);
    g.EditaCella(13);
    EXPECT_EQ(g.Tasto(TastoEditor::Invio), EsitoTasto::Successivo);
    EXPECT_EQ(g.Testo(1, 1), "7");
}

TEST(GrigliaTesto, UnCarattereNonAsciiEUnSoloCarattere) {
    GrigliaTesto g(2, 2, 1, 1);
    g.CellaCorrente(1, 1);
    ASSERT_TRUE(g.EditaCella(0x00B0)); // degree sign: two bytes in UTF-8
    EXPECT_EQ(std::pair(g.editor.testo, g.editor.selInizio), std::pair("\xC2\xB0"s, 1));
}

// A typed text the grid cannot normalise stays as typed.
TEST(GrigliaTesto, NormalizzazioneImpossibileLasciaIlTestoDigitato) {
    GrigliaTesto g(2, 2, 1, 1);
    g.normalizza = [](const std::string&) -> std::string { throw Guasto("fuori scala"); };
    g.CellaCorrente(1, 1);
    g.EditaCella('9');
    g.editor.testo = "9E999";
    g.EditorPerdeFuoco();
    EXPECT_EQ(g.Testo(1, 1), "9E999");
    EXPECT_FALSE(g.editor.visibile);
}

// A command that reads the grid with the editor open: what was typed goes
// into the cell; a cell written behind the editor keeps the written text.
TEST(GrigliaTesto, ChiudiEditoreTieneIlDigitatoNonUnaScritturaNascosta) {
    GrigliaTesto g(3, 2, 1, 1);
    g.CellaCorrente(1, 1);
    ASSERT_TRUE(g.EditaCella('4'));
    g.ChiudiEditore();
    EXPECT_EQ(std::pair(g.Testo(1, 1), g.editor.visibile), std::pair("4"s, false));
    ASSERT_TRUE(g.EditaCella(0));
    g.ImpostaTesto(1, 1, "10");
    g.ChiudiEditore();
    EXPECT_EQ(std::pair(g.Testo(1, 1), g.editor.visibile), std::pair("10"s, false));
}
