// The load grids of the window used as tables: Tab out of a grid to the
// control before or after it, a block pasted from a spreadsheet (the
// question before the table grows, the rows added or the block cut), a value
// left in an open cell editor used by "Calcola". Loads are checked against
// the typed texts converted by hand (kN/m and kN to N/m and N, m unchanged).
#include "form/modello_form.h"

#include <gtest/gtest.h>

using namespace zelvo;

namespace {

class GriglieTabella : public ::testing::Test {
  protected:
    GriglieTabella() : f(m, u, msg) {
        u.separatori = {",", "."}; // Italian settings
        f.InizializzaForm();
        f.Campo_Edita(f.txtDati[0], "6");
        f.Campo_Edita(f.txtDati[1], "210000");
        f.Campo_Edita(f.txtDati[2], "10000");
    }
    void Righe(int t, const std::string& n) {
        f.Campo_Edita(f.txtRigheGriglia[size_t(t)], n);
        f.txtRigheGriglia_Invio(t);
    }
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    ModelloForm f;
};

struct Uscita {
    int tabella;
    bool indietro;
    Fuoco fuoco;
};

class UscitaTab : public GriglieTabella, public ::testing::WithParamInterface<Uscita> {};

// Tab after the last data cell goes where Enter goes after the grid (the
// next row count, "Calcola" after the couples); Shift+Tab before the first
// goes back to the grid's own row count.
TEST_P(UscitaTab, TabEsceVersoIlControlloSuccessivoOPrecedente) {
    const Uscita& u_ = GetParam();
    Righe(u_.tabella, "1");
    GrigliaTesto& g = f.FlexGrid[size_t(u_.tabella)];
    const int celle = g.Colonne() - 1;
    for (int k = 0; k < celle - 1; ++k)
        f.FlexGrid_Tab(u_.tabella, false);
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::FlexGrid, u_.tabella}));
    if (u_.indietro) {
        for (int k = 0; k < celle; ++k)
            f.FlexGrid_Tab(u_.tabella, true);
    } else {
        f.FlexGrid_Tab(u_.tabella, false);
    }
    EXPECT_EQ(f.fuoco, u_.fuoco);
}

INSTANTIATE_TEST_SUITE_P(Griglie, UscitaTab,
                         ::testing::Values(Uscita{0, false, {TipoControllo::TxtRigheGriglia, 1}},
                                           Uscita{1, false, {TipoControllo::TxtRigheGriglia, 2}},
                                           Uscita{2, false, {TipoControllo::BtnCalcola, 0}},
                                           Uscita{0, true, {TipoControllo::TxtRigheGriglia, 0}},
                                           Uscita{2, true, {TipoControllo::TxtRigheGriglia, 2}}));

// A block with Italian decimals pasted at the first cell of the trapezoids
// goes into the calculation as typed: 1,5 kN/m = 1500 N/m, 3,25 m.
TEST_F(GriglieTabella, BloccoIncollatoEntraNelCalcolo) {
    Righe(0, "2");
    f.FlexGrid_Incolla(0, "1,5\t2\t0\t3,25\n-0,5\t1.000\t3,25\t6\n");
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_EQ(f.FlexGrid[0].Testi(1, 1),
              (BloccoCelle{{"1,5", "2", "0", "3,25"}, {"-0,5", "1.000", "3,25", "6"}}));
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    const DatiTrave& d = m.Dati;
    ASSERT_EQ(d.NTrapezi, 2);
    EXPECT_EQ(d.CarichiTrapezi(1), (CaricoTrapezio{1500, 2000, 0, 3.25f}));
    EXPECT_EQ(d.CarichiTrapezi(2), (CaricoTrapezio{-500, 1000000, 3.25f, 6}));
}

// Three rows pasted on a table of one: the question names the block's rows;
// yes makes the table three rows long (count field, grid, data), no pastes
// only the first row. Columns beyond the table are dropped in both cases.
TEST_F(GriglieTabella, BloccoPiuLungoChiedeDiAggiungereRighe) {
    const std::string blocco = "1\t2\t9\n3\t4\t9\n5\t6\t9";
    const std::string domanda =
        "Il blocco incollato ha 3 righe: aggiungere le righe mancanti alla tabella?";
    for (bool si : {true, false}) {
        Righe(1, "1");
        msg.Svuota();
        msg.risposte = {si};
        f.FlexGrid_Incolla(1, blocco);
        ASSERT_EQ(msg.elenco.size(), 1u);
        EXPECT_EQ(msg.elenco[0].testo, domanda);
        EXPECT_TRUE(msg.elenco[0].domanda);
        const GrigliaTesto& g = f.FlexGrid[1];
        if (si) {
            EXPECT_EQ(f.txtRigheGriglia[1].testo, "3");
            EXPECT_EQ(m.Dati.NConcentrati, 3);
            EXPECT_EQ(g.Testi(1), (BloccoCelle{{"1", "1", "2"}, {"2", "3", "4"}, {"3", "5", "6"}}));
        } else {
            EXPECT_EQ(f.txtRigheGriglia[1].testo, "1");
            EXPECT_EQ(g.Testi(1), (BloccoCelle{{"1", "1", "2"}}));
        }
    }
}

// A paste that fits asks nothing.
TEST_F(GriglieTabella, BloccoCheEntraNonChiede) {
    Righe(2, "3");
    f.FlexGrid_Muovi(2, 1, 0, false);
    f.FlexGrid_Incolla(2, "7\t8\n");
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_EQ(f.FlexGrid[2].Testi(1, 1), (BloccoCelle{{"", ""}, {"7", "8"}, {"", ""}}));
    EXPECT_EQ(f.FlexGrid_Copia(2), "7\t8");
}

// A value still in the open editor when "Calcola" is pressed (by a
// shortcut, with no focus change) is the value calculated.
TEST_F(GriglieTabella, ValoreNellEditorApertoVaNelCalcolo) {
    Righe(1, "1");
    f.txtEdit_Edita(1, "12,5", 4, 0);
    f.FlexGrid_Tab(1, false);
    f.FlexGrid_Tasto(1, '3');
    f.txtEdit_Edita(1, "3", 1, 0);
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    EXPECT_EQ(m.Dati.CarichiConcentrati(1), (CaricoConcentrato{12500, 3}));
    EXPECT_FALSE(f.FlexGrid[1].editor.visibile);
}

} // namespace
