// Closing the section window (its close box, "&Close", or the main window
// going on with its problem) without a display: refused under a running
// calculation, refused on a field that is no number, an open cell editor
// counted as typed, E and J handed back only when something changed.
#include "finestra_prova.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace zelvo;
using Testi = std::vector<std::string>;

// A calculation running its passes: the window stays, nothing is written,
// nothing is said; once it is over the same request closes it.
TEST_F(FinestraProva, SottoUnCalcoloLaFinestraResta) {
    w->txtStru[0].Edita("200000");
    {
        const auto occupa = f->Eventi().Lavoro();
        EXPECT_EQ(w->Chiusura(), EsitoChiusura::Occupata);
    }
    EXPECT_TRUE(w->Aperta);
    EXPECT_EQ(f->txtDati[1].testo, "210000");
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_EQ(w->Chiusura(), EsitoChiusura::Chiusa);
    EXPECT_FALSE(w->Aperta);
    // 200000 MPa = 2e11 N/m², handed to the beam as a single
    EXPECT_EQ(f->Modulo.Dati.E, static_cast<float>(2e11));
    EXPECT_DOUBLE_EQ(Num(f->txtDati[1].testo), 200000);
    // a window already closed stays closed, silently
    EXPECT_EQ(w->Chiusura(), EsitoChiusura::Chiusa);
    EXPECT_TRUE(msg.elenco.empty());
}

// A modulus that is no number: its message, the focus on it, the window and
// the beam as they were.
TEST_F(FinestraProva, UnCampoRifiutatoTieneAperta) {
    w->txtStru[0].Edita("21x");
    w->Scheda = 2;
    EXPECT_EQ(w->Chiusura(), EsitoChiusura::Rifiutata);
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
    EXPECT_NE(msg.elenco[0].testo.find("Young Modulus"), std::string::npos);
    EXPECT_EQ(std::tuple(w->Aperta, w->fuoco, w->fuocoIndice, w->Scheda),
              std::tuple(true, FuocoProperty::Stru, 0, 0));
    EXPECT_EQ(f->txtDati[1].testo, "210000");
}

// Nothing changed: the beam keeps its own texts; the record keeps E and J.
TEST_F(FinestraProva, SenzaModificheLaTraveNonCambia) {
    const std::string e = f->txtDati[1].testo, j = f->txtDati[2].testo;
    EXPECT_EQ(w->Chiusura(), EsitoChiusura::Chiusa);
    EXPECT_EQ(std::tuple(f->txtDati[1].testo, f->txtDati[2].testo), std::tuple(e, j));
    ASSERT_TRUE(f->SezioneProgetto.Prop);
    EXPECT_DOUBLE_EQ(f->SezioneProgetto.Prop->E, 210000e6);
}

// A width still in the shape grid's editor when the window closes goes into
// its cell, as when the editor loses the focus.
TEST_F(FinestraProva, IlTestoDellEditorApertoVaNellaCella) {
    w->cmdGeo_Click(1);
    w->OpTipoSezione_Click(SezRettangolo);
    w->Griglia_SelezionaCella(1, 1);
    w->Griglia_Tasto(0); // opens the editor on the cell
    ASSERT_TRUE(w->FlexGrid0.editor.visibile);
    w->Editor_Edita("25", 2, 0);
    EXPECT_EQ(w->Chiusura(), EsitoChiusura::Chiusa);
    EXPECT_EQ(w->FlexGrid0.Testo(1, 1), "25");
    EXPECT_FALSE(w->FlexGrid0.editor.visibile);
}
