// The main window's events as model operations: one guard around each,
// change notification, the busy flag during the no-tension passes, the
// windows and services the events reach, the unsaved-changes question.
#include "form/modello_form.h"
#include "io/generale.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace zelvo;

namespace {

class Eventi : public ::testing::Test {
  protected:
    Eventi() { f.InizializzaForm(); }
    // A cantilever of 5 m with one force of 10 kN at its end.
    void Mensola() {
        f.Optschema_Click(3);
        f.Campo_Edita(f.txtDati[0], "5");
        f.Campo_Edita(f.txtRigheGriglia[1], "1");
        f.txtRigheGriglia_Invio(1);
        f.txtEdit_Edita(1, "10", 2, 0);
        f.txtEdit_Tasto(1, TastoEditor::Invio);
        f.txtEdit_Edita(1, "5", 1, 0);
        f.txtEdit_Tasto(1, TastoEditor::Invio);
    }
    ModuloZelvo modulo;
    UnitMisura unita;
    RegistroMessaggi msg;
    ModelloForm f{modulo, unita, msg};
};

const std::string Overflow = "1E+400";

} // namespace

// ---------------------------------------------------------------------------
// An overflowing number typed anywhere: the event that reads it shows its
// message, nothing escapes, and the form goes on working once it is fixed.

struct CampoTraboccante {
    const char* nome;
    std::function<void(ModelloForm&, const std::string&)> scrivi;
    std::function<void(ModelloForm&)> invio; // its Enter event (none: only "Calcola")
};

class Traboccamento : public Eventi, public ::testing::WithParamInterface<CampoTraboccante> {};

TEST_P(Traboccamento, IlMessaggioEIlFormRestaUsabile) {
    const auto& c = GetParam();
    Mensola();
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    const std::string buono = "1";
    if (std::string(c.nome) == "txtWinkler") {
        f.Optschema_Click(4);
        f.OptFond_Click(1);
    }
    msg.Svuota();
    c.scrivi(f, Overflow);
    if (c.invio) {
        EXPECT_NO_THROW(c.invio(f));
    }
    EXPECT_NE(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    ASSERT_FALSE(msg.elenco.empty());
    for (const auto& m : msg.elenco) {
        EXPECT_TRUE(m.testo == TestoErroreDati || m.testo == "Errore in LeggeGriglia") << m.testo;
    }
    EXPECT_FALSE(f.Calcolato);
    // Fixed: the same form calculates again.
    c.scrivi(f, buono);
    msg.Svuota();
    EXPECT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato) << c.nome;
}

namespace {
CampoTraboccante Dati(int i) {
    return {"txtDati",
            [i](ModelloForm& f, const std::string& t) {
                f.Campo_Edita(f.txtDati[static_cast<size_t>(i)], i == 3 && t == "1" ? "100" : t);
            },
            [i](ModelloForm& f) { f.txtDati_Invio(i); }};
}
CampoTraboccante Winkler(int i) {
    return {"txtWinkler",
            [i](ModelloForm& f, const std::string& t) {
                f.Campo_Edita(f.txtWinkler[static_cast<size_t>(i)], i == 2 && t == "1" ? "10" : t);
            },
            [i](ModelloForm& f) { f.txtWinkler_Invio(i); }};
}
CampoTraboccante Cella(int c) {
    return {"cella",
            [c](ModelloForm& f, const std::string& t) {
                f.FlexGrid_Seleziona(1, 1, c);
                f.txtEdit_Edita(1, c == 2 && t == "1" ? "5" : t, 1, 0);
                f.txtEdit_PerdeFuoco(1);
            },
            nullptr};
}
} // namespace

INSTANTIATE_TEST_SUITE_P(
    OgniCampo, Traboccamento,
    ::testing::Values(
        Dati(0), Dati(1), Dati(2), Dati(3), Winkler(0), Winkler(1), Winkler(2), Cella(1), Cella(2),
        CampoTraboccante{"txtX",
                         [](ModelloForm& f, const std::string& t) { f.Campo_Edita(f.txtX[0], t); },
                         [](ModelloForm& f) { f.txtX_Invio(); }},
        CampoTraboccante{
            "txtRigheGriglia",
            [](ModelloForm& f, const std::string& t) { f.Campo_Edita(f.txtRigheGriglia[1], t); },
            nullptr}));

// ---------------------------------------------------------------------------
// The no-tension passes: the label follows them, pending events run once per
// pass, and no event (a new "Calcola", "Nuovo") runs in between.

TEST_F(Eventi, CalcolaDuranteLeIterazioniNonFaNulla) {
    // A stiff foundation beam on soil without tension, loaded near one end:
    // the far end lifts, so the iteration takes more than one pass.
    f.Campo_Edita(f.txtTitolo, "sollevamento");
    f.Campo_Edita(f.txtDati[0], "10");
    f.Campo_Edita(f.txtDati[1], "210000");
    f.Campo_Edita(f.txtDati[2], "1000000");
    f.Optschema_Click(4);
    f.OptFond_Click(1);
    f.Campo_Edita(f.txtWinkler[1], "1");
    f.chkReagTraz_Click(false);
    EXPECT_TRUE(f.lblWinkler3);
    f.Campo_Edita(f.txtRigheGriglia[1], "1");
    f.txtRigheGriglia_Invio(1);
    f.txtEdit_Edita(1, "100", 3, 0);
    f.txtEdit_Tasto(1, TastoEditor::Invio);
    f.txtEdit_Edita(1, "0.5", 3, 0);
    f.txtEdit_Tasto(1, TastoEditor::Invio);
    std::vector<std::string> etichette;
    std::vector<EsitoCalcolo> interni;
    int notifiche = 0;
    f.Cambiato = [&] { ++notifiche; };
    f.Servizi.EventiInSospeso = [&] {
        EXPECT_TRUE(f.Occupato());
        etichette.push_back(f.testoIterazione);
        interni.push_back(f.btnCalcola_Click());
        f.mnuFileItem_Click(0);
        f.Optschema_Click(0);
    };
    msg.Svuota();
    const uint64_t prima = f.Revisione();
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    ASSERT_GE(etichette.size(), 2u);
    for (size_t i = 0; i < etichette.size(); ++i) {
        EXPECT_EQ(etichette[i], "Iterazione " + std::to_string(i + 1));
        EXPECT_EQ(interni[i], EsitoCalcolo::ErroreDati);
    }
    EXPECT_TRUE(msg.elenco.empty()) << msg.Testi()[0];
    EXPECT_EQ(f.txtTitolo.testo, "sollevamento"); // "Nuovo" did not run
    EXPECT_EQ(f.Optschema, 4);
    EXPECT_FALSE(f.Occupato());
    EXPECT_TRUE(f.FrameFond);
    // One notification per pass and one for the event.
    EXPECT_EQ(f.Revisione() - prima, etichette.size() + 1);
    EXPECT_EQ(notifiche, static_cast<int>(etichette.size()) + 1);
}

TEST_F(Eventi, OgniEventoAnnunciaUnCambiamento) {
    uint64_t r = f.Revisione();
    f.txtTitolo_Invio();
    EXPECT_EQ(f.Revisione(), ++r);
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::TxtDati, 0}));
    f.Campo_Edita(f.txtRigheGriglia[0], "2");
    f.txtRigheGriglia_Invio(0); // a reshaped grid
    EXPECT_EQ(f.Revisione(), r + 2);
    EXPECT_EQ(f.FlexGrid[0].Righe(), 3);
}

// ---------------------------------------------------------------------------
// Enter chains.

TEST_F(Eventi, CatenaDegliInvioDellaFondazione) {
    // K -> b -> divisions (elastic soil) -> "Calcola"; a rigid foundation
    // has no divisions field.
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
    EXPECT_EQ(f.fuoco, (Fuoco{TipoControllo::BtnCalcola, 0}));
}

// The load grids: rows kept when they grow, a number normalised when the
// editor loses the focus, from the last cell (or 0 rows) to the next control.
TEST_F(Eventi, GriglieDeiCarichi) {
    f.Campo_Edita(f.txtRigheGriglia[1], "2");
    f.txtRigheGriglia_Invio(1);
    f.txtEdit_Edita(1, "1234.50", 7, 0);
    f.txtEdit_PerdeFuoco(1);
    EXPECT_EQ(f.FlexGrid[1].Testo(1, 1), "1,234.5");
    f.Campo_Edita(f.txtRigheGriglia[1], "3");
    f.txtRigheGriglia_Invio(1);
    EXPECT_EQ(f.FlexGrid[1].Testo(1, 1), "1,234.5");
    EXPECT_EQ(f.FlexGrid[1].Testo(3, 1), "");
    const Fuoco dopo[3] = {{TipoControllo::TxtRigheGriglia, 1},
                           {TipoControllo::TxtRigheGriglia, 2},
                           {TipoControllo::BtnCalcola, 0}};
    for (int t = 0; t < 3; ++t) {
        f.Campo_Edita(f.txtRigheGriglia[size_t(t)], "1");
        f.txtRigheGriglia_Invio(t);
        for (int c = 1; c < f.FlexGrid[size_t(t)].Colonne(); ++c) {
            f.txtEdit_Edita(t, std::to_string(c), 1, 0);
            f.txtEdit_Tasto(t, TastoEditor::Invio);
        }
        EXPECT_EQ(f.fuoco, dopo[t]) << t;
        EXPECT_FALSE(f.FlexGrid[size_t(t)].editor.visibile);
        f.Campo_Edita(f.txtRigheGriglia[size_t(t)], "0");
        f.txtRigheGriglia_Invio(t);
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
    EXPECT_EQ(msg.Testi(),
              (std::vector<std::string>{TestoErroreDati, TestoErroreDati, TestoStampanteAssente}));
}

TEST_F(Eventi, UnaFinestraCheSollevaUnGuastoNonFermaIlProgramma) {
    f.Servizi.MostraSezione = [] { throw std::runtime_error("finestra"); };
    EXPECT_NO_THROW(f.cmdSezione_Click());
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{TestoErroreDati});
}

TEST_F(Eventi, FilesDiEsempioPartonoDallaLoroCartellaESenzaCambiareLUltima) {
    f.CartellaDati = std::filesystem::temp_directory_path().string();
    f.CartellaEsempi = std::string(ZELVO_SOURCE_DIR) + "/examples";
    std::string iniziale;
    f.Servizi.SceltaFile = [&](const RichiestaDialogo& r) -> std::optional<std::string> {
        iniziale = r.cartellaIniziale;
        return f.CartellaEsempi + "/mensola.zlv";
    };
    f.mnuAiutoItem_Click(1);
    EXPECT_EQ(iniziale, f.CartellaEsempi);
    EXPECT_EQ(f.NomeFile, "mensola");
    EXPECT_EQ(f.CartellaDati, std::filesystem::temp_directory_path().string());
}

// ---------------------------------------------------------------------------
// Unsaved work: "Yes" with a save that is cancelled or fails keeps the
// problem; once saved nothing more is asked.

TEST_F(Eventi, ModificheNonSalvate) {
    std::vector<std::string> salvati;
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
    EXPECT_EQ(salvati, std::vector<std::string>(2, "/tmp/nuovo.zlv"));
    EXPECT_FALSE(f.DatiModificati());
    f.Campo_Edita(f.txtDati[0], "4");
    msg.Svuota();
    msg.risposteAnnulla = {Risposta::No};
    EXPECT_TRUE(f.mnuFileItem_Click(12));
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"I dati sono stati modificati. Salvare le modifiche?"});
    EXPECT_TRUE(f.Chiuso);
    EXPECT_EQ(salvati.size(), 2u);
}
