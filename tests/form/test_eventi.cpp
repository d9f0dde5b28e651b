// The main window's events as model operations: one guard around each,
// change notification, the busy flag during the no-tension passes, the
// windows and services the events reach, the unsaved-changes question.
#include "form/modello_form.h"
#include "io/generale.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace zelvo;
using namespace std::literals;
using Testi = std::vector<std::string>;

namespace {

class Eventi : public ::testing::Test {
  protected:
    Eventi() { f.InizializzaForm(); }
    // Table t gets n rows (Enter confirms).
    void Righe(int t, const char* n) {
        f.Campo_Edita(f.txtRigheGriglia[size_t(t)], n);
        f.txtRigheGriglia_Invio(t);
    }
    // Text typed into the cell editor of table t and confirmed with Enter.
    void Cella(int t, const std::string& testo) {
        f.txtEdit_Edita(t, testo, int(testo.size()), 0);
        f.txtEdit_Tasto(t, TastoEditor::Invio);
    }
    // A cantilever of 5 m with one force of 10 kN at its end.
    void Mensola() {
        f.Optschema_Click(3);
        f.Campo_Edita(f.txtDati[0], "5");
        Righe(1, "1");
        Cella(1, "10");
        Cella(1, "5");
    }
    ModuloZelvo modulo;
    UnitMisura unita;
    RegistroMessaggi msg;
    ModelloForm f{modulo, unita, msg};
};

// A field: 'd' txtDati(i), 'w' txtWinkler(i), 'c' a cell of column i of the
// forces, 'x' the abscissa, 'r' the rows of the forces; and a good value.
struct Campo {
    char tipo;
    int i;
    const char* buono;
};

class Traboccamento : public Eventi, public ::testing::WithParamInterface<Campo> {};

} // namespace

// An overflowing number typed anywhere: the event that reads it shows its
// message, nothing escapes, and the form works again once it is fixed.
TEST_P(Traboccamento, IlMessaggioEIlFormRestaUsabile) {
    const auto [tipo, i, buono] = GetParam();
    Mensola();
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    if (tipo == 'w') {
        f.Optschema_Click(4);
        f.OptFond_Click(1);
    }
    const auto scrivi = [&, tipo = tipo, i = i](const std::string& t) {
        if (tipo == 'c') {
            f.FlexGrid_Seleziona(1, 1, i);
            f.txtEdit_Edita(1, t, 1, 0);
            f.txtEdit_PerdeFuoco(1);
            return;
        }
        f.Campo_Edita(tipo == 'd'   ? f.txtDati[size_t(i)]
                      : tipo == 'w' ? f.txtWinkler[size_t(i)]
                      : tipo == 'x' ? f.txtX[0]
                                    : f.txtRigheGriglia[1],
                      t);
    };
    msg.Svuota();
    scrivi("1E+400");
    EXPECT_NO_THROW({
        if (tipo == 'd') f.txtDati_Invio(i);
        if (tipo == 'w') f.txtWinkler_Invio(i);
        if (tipo == 'x') f.txtX_Invio();
    });
    EXPECT_NE(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    ASSERT_FALSE(msg.elenco.empty());
    for (const auto& m : msg.elenco)
        EXPECT_TRUE(m.testo == TestoErroreDati || m.testo == "Errore in LeggeGriglia") << m.testo;
    EXPECT_FALSE(f.Calcolato);
    scrivi(buono);
    msg.Svuota();
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
}

INSTANTIATE_TEST_SUITE_P(OgniCampo, Traboccamento,
                         ::testing::Values(Campo{'d', 0, "1"}, Campo{'d', 1, "1"},
                                           Campo{'d', 2, "1"}, Campo{'d', 3, "100"},
                                           Campo{'w', 0, "1"}, Campo{'w', 1, "1"},
                                           Campo{'w', 2, "10"}, Campo{'c', 1, "1"},
                                           Campo{'c', 2, "5"}, Campo{'x', 0, "1"},
                                           Campo{'r', 1, "1"}));

// The no-tension passes: the label follows them, pending events run once per
// pass, and no event (a new "Calcola", "Nuovo") runs in between. A stiff
// foundation on soil without tension loaded near one end: the far end lifts.
TEST_F(Eventi, CalcolaDuranteLeIterazioniNonFaNulla) {
    f.Campo_Edita(f.txtTitolo, "sollevamento");
    f.Campo_Edita(f.txtDati[0], "10");
    f.Campo_Edita(f.txtDati[1], "210000");
    f.Campo_Edita(f.txtDati[2], "1000000");
    f.Optschema_Click(4);
    f.OptFond_Click(1);
    f.Campo_Edita(f.txtWinkler[1], "1");
    f.chkReagTraz_Click(false);
    EXPECT_TRUE(f.lblWinkler3);
    Righe(1, "1");
    Cella(1, "100");
    Cella(1, "0.5");
    Testi etichette, attese;
    std::vector<EsitoCalcolo> interni;
    int notifiche = 0;
    f.Cambiato = [&] { ++notifiche; };
    f.Servizi.EventiInSospeso = [&] {
        EXPECT_TRUE(f.Occupato());
        etichette.push_back(f.testoIterazione);
        attese.push_back("Iterazione " + std::to_string(attese.size() + 1));
        interni.push_back(f.btnCalcola_Click());
        f.mnuFileItem_Click(0);
        f.Optschema_Click(0);
    };
    msg.Svuota();
    const uint64_t prima = f.Revisione();
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    ASSERT_GE(etichette.size(), 2u);
    EXPECT_EQ(etichette, attese);
    EXPECT_EQ(interni, std::vector(etichette.size(), EsitoCalcolo::ErroreDati));
    EXPECT_TRUE(msg.elenco.empty()) << msg.Testi()[0];
    // "Nuovo" did not run; one notification per pass and one for the event.
    EXPECT_EQ(std::tuple(f.txtTitolo.testo, f.Optschema, f.Occupato(), f.FrameFond),
              std::tuple("sollevamento"s, 4, false, true));
    EXPECT_EQ(f.Revisione() - prima, etichette.size() + 1);
    EXPECT_EQ(notifiche, int(etichette.size()) + 1);
}

TEST_F(Eventi, OgniEventoAnnunciaUnCambiamento) {
    uint64_t r = f.Revisione();
    f.txtTitolo_Invio();
    EXPECT_EQ(f.Revisione(), ++r);
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::TxtDati, 0}));
    Righe(0, "2"); // a reshaped grid
    EXPECT_EQ(f.Revisione(), r + 2);
    EXPECT_EQ(f.FlexGrid[0].Righe(), 3);
}

// K -> b -> divisions (elastic soil) -> "Calcola"; a rigid foundation has no
// divisions field.
TEST_F(Eventi, CatenaDegliInvioDellaFondazione) {
    f.Optschema_Click(4);
    f.OptFond_Click(1);
    const Fuoco attesi[3] = {{TipoControllo::TxtWinkler, 1},
                             {TipoControllo::TxtWinkler, 2},
                             {TipoControllo::BtnCalcola, 0}};
    for (int i = 0; i < 3; ++i) {
        f.txtWinkler_Invio(i);
        EXPECT_EQ(f.fuoco, attesi[i]) << i;
    }
    f.OptFond_Click(0);
    f.txtWinkler_Invio(1);
    EXPECT_EQ(f.fuoco, attesi[2]);
}

// The load grids: rows kept when they grow, a number normalised when the
// editor loses the focus, from the last cell (or 0 rows) to the next control.
TEST_F(Eventi, GriglieDeiCarichi) {
    Righe(1, "2");
    f.txtEdit_Edita(1, "1234.50", 7, 0);
    f.txtEdit_PerdeFuoco(1);
    EXPECT_EQ(f.FlexGrid[1].Testo(1, 1), "1,234.5");
    Righe(1, "3");
    EXPECT_EQ(std::pair(f.FlexGrid[1].Testo(1, 1), f.FlexGrid[1].Testo(3, 1)),
              std::pair("1,234.5"s, ""s));
    const Fuoco dopo[3] = {{TipoControllo::TxtRigheGriglia, 1},
                           {TipoControllo::TxtRigheGriglia, 2},
                           {TipoControllo::BtnCalcola, 0}};
    for (int t = 0; t < 3; ++t) {
        Righe(t, "1");
        for (int c = 1; c < f.FlexGrid[size_t(t)].Colonne(); ++c)
            Cella(t, std::to_string(c));
        EXPECT_EQ(f.fuoco, dopo[t]) << t;
        EXPECT_FALSE(f.FlexGrid[size_t(t)].editor.visibile);
        Righe(t, "0");
        EXPECT_FALSE(f.FlexGrid[size_t(t)].visibile);
        EXPECT_EQ(f.fuoco, dopo[t]) << t;
    }
}

// ---------------------------------------------------------------------------
// Windows and services the events reach.

// Without valid data a diagram button shows the calculation's message and
// opens nothing, and no report is printed; "&Stampa" goes to the printer
// through the diagram output.
TEST_F(Eventi, SenzaDatiValidiNessunaFinestraNessunaStampa) {
    int finestre = 0;
    f.Servizi.MostraDiagramma = [&](int) { ++finestre; };
    UscitaDiagrammi uscita(msg); // no printer: the printer's message
    f.Servizi.Uscita = &uscita;
    RegistroStampante stampante;
    f.Servizi.StampanteSistema = &stampante;
    f.Campo_Edita(f.txtDati[0], "5");
    f.Campo_Edita(f.txtDati[3], "x");
    f.cbDiagramma_Click(0);
    EXPECT_EQ(finestre, 0);
    EXPECT_FALSE(f.mnuFileItem_Click(5));
    EXPECT_TRUE(stampante.stampati.empty());
    f.Campo_Edita(f.txtDati[3], "100");
    Mensola();
    f.cbDiagramma_Click(3);
    EXPECT_EQ(msg.Testi(), (Testi{TestoErroreDati, TestoErroreDati, TestoStampanteAssente}));
}

TEST_F(Eventi, UnaFinestraCheSollevaUnGuastoNonFermaIlProgramma) {
    f.Servizi.MostraSezione = [] { throw std::runtime_error("finestra"); };
    EXPECT_NO_THROW(f.cmdSezione_Click());
    EXPECT_EQ(msg.Testi(), Testi{TestoErroreDati});
}

TEST_F(Eventi, FilesDiEsempioPartonoDallaLoroCartellaESenzaCambiareLUltima) {
    const std::string tmp = std::filesystem::temp_directory_path().string();
    f.CartellaDati = tmp;
    f.CartellaEsempi = std::string(ZELVO_SOURCE_DIR) + "/examples";
    std::string iniziale;
    f.Servizi.SceltaFile = [&](const RichiestaDialogo& r) -> std::optional<std::string> {
        iniziale = r.cartellaIniziale;
        return f.CartellaEsempi + "/mensola.zlv";
    };
    f.mnuAiutoItem_Click(1);
    EXPECT_EQ(std::tuple(iniziale, f.NomeFile, f.CartellaDati),
              std::tuple(f.CartellaEsempi, "mensola"s, tmp));
}

// Unsaved work: "Yes" with a save that is cancelled or fails keeps the
// problem; once saved nothing more is asked.
TEST_F(Eventi, ModificheNonSalvate) {
    Testi salvati;
    bool riesce = true;
    std::optional<std::string> nome;
    f.Servizi.ScriviProgetto = [&](ModelloForm&, const std::string& p) {
        salvati.push_back(p);
        return riesce;
    };
    f.Servizi.SceltaFile = [&](const RichiestaDialogo&) { return nome; };
    EXPECT_TRUE(f.mnuFileItem_Click(0)); // nothing changed: nothing asked
    EXPECT_TRUE(msg.elenco.empty());
    Mensola();
    msg.risposteAnnulla = {Risposta::Si, Risposta::Si, Risposta::Si};
    EXPECT_FALSE(f.Chiusura()); // the save dialog is cancelled
    EXPECT_FALSE(f.Chiuso);
    nome = "/tmp/nuovo.zlv";
    riesce = false;
    EXPECT_FALSE(f.mnuFileItem_Click(1)); // the save fails
    EXPECT_EQ(f.FlexGrid[1].Righe(), 2);
    riesce = true;
    EXPECT_TRUE(f.mnuFileItem_Click(0)); // saved, then "Nuovo"
    EXPECT_FALSE(f.DatiModificati());
    f.Campo_Edita(f.txtDati[0], "4");
    msg.Svuota();
    msg.risposteAnnulla = {Risposta::No};
    EXPECT_TRUE(f.mnuFileItem_Click(12));
    EXPECT_EQ(msg.Testi(), Testi{"I dati sono stati modificati. Salvare le modifiche?"});
    EXPECT_TRUE(f.Chiuso);
    EXPECT_EQ(salvati, Testi(2, "/tmp/nuovo.zlv"));
}
