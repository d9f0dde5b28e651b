// The one text grid: shape changes that keep or drop cells, values written
// behind texts, and the editor's walk down the columns.
#include "core/guasto.h"
#include "io/griglia_testo.h"

#include <gtest/gtest.h>

using namespace zelvo;

TEST(GrigliaTesto, RigheCorteEFuoriGriglia) {
    const GrigliaTesto g = GrigliaTesto::DaRighe({{"a", "b", "c"}, {"d"}});
    EXPECT_EQ(g.Righe(), 2);
    EXPECT_EQ(g.Colonne(), 3);
    EXPECT_EQ(g.Testo(1, 2), "");
    EXPECT_EQ(g.TestoOVuoto(5, 0), "");
    EXPECT_THROW(g.Testo(2, 0), Guasto);
    EXPECT_THROW(g.Testo(0, -1), Guasto);
    EXPECT_THROW(GrigliaTesto(-1, 2), Guasto);
}

TEST(GrigliaTesto, RidimensionaTieneTestiEValoriEliminaRigaSposta) {
    GrigliaTesto g(3, 2, 1, 1);
    g.Scrivi(1, 1, "x", ValoreCella{2.5, 2.5, {}});
    g.Scrivi(2, 1, "y");
    g.Ridimensiona(4, 3);
    EXPECT_EQ(g.Testo(1, 1), "x");
    ASSERT_TRUE(g.Scritto(1, 1));
    EXPECT_EQ(g.Scritto(1, 1)->assoluto, 2.5);
    EXPECT_EQ(g.Scritto(1, 1)->testo, "x");
    g.ImpostaTesto(1, 1, "z"); // an edit keeps the value: its owner judges it
    EXPECT_TRUE(g.Scritto(1, 1));
    g.EliminaRiga(1);
    EXPECT_EQ(g.Testo(1, 1), "y");
    EXPECT_EQ(g.Righe(), 3);
    g.Dimensiona(2, 2);
    EXPECT_EQ(g.Testo(1, 1), "");
    EXPECT_FALSE(g.Scritto(1, 1));
}

TEST(GrigliaTesto, InvioPerColonneScendeEPoiPassaAllaColonnaDopo) {
    GrigliaTesto g(3, 3, 1, 1); // data cells (1..2, 1..2)
    g.CellaCorrente(1, 1);
    ASSERT_TRUE(g.EditaCella('7'));
    EXPECT_EQ(g.Tasto(TastoEditor::Invio), EsitoTasto::Editor);
    EXPECT_EQ(g.riga, 2);
    EXPECT_EQ(g.colonna, 1);
    EXPECT_EQ(g.Tasto(TastoEditor::Invio), EsitoTasto::Editor);
    EXPECT_EQ(g.riga, 1);
    EXPECT_EQ(g.colonna, 2);
    g.CellaCorrente(2, 2);
    g.EditaCella(13);
    EXPECT_EQ(g.Tasto(TastoEditor::Invio), EsitoTasto::Successivo);
    EXPECT_EQ(g.Testo(1, 1), "7");
}

TEST(GrigliaTesto, UnCarattereNonAsciiEUnSoloCarattere) {
    GrigliaTesto g(2, 2, 1, 1);
    g.CellaCorrente(1, 1);
    ASSERT_TRUE(g.EditaCella(0x00B0)); // degree sign: two bytes in UTF-8
    EXPECT_EQ(g.editor.testo, "\xC2\xB0");
    EXPECT_EQ(g.editor.selInizio, 1);
}

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
