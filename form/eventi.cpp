// The events of the main window on its model: buttons, options, the Enter
// chains of the fields, the load grids and their editors, the menus. Each
// runs inside `Evento`.
#include "form/modello_form.h"

#include "core/causa_errore.h"
#include "core/guasto.h"
#include "form/relazione.h"
#include "io/numeri.h"

#include <algorithm>
#include <string>

namespace zelvo {

const char* const TestoGuastoEvento = TestoErroreDati;

void ModelloForm::Notifica() {
    eventi_.Notifica();
}

// ---------------------------------------------------------------------------
// "Calcola" and the diagram buttons.

EsitoCalcolo ModelloForm::Calcolo() {
    ChiudiEditori(); // a value still in a cell editor counts as typed
    EsitoCalcolo e = EsitoCalcolo::ErroreDati;
    try {
        e = TrappolaCalcolo(
            Msg,
            [this] {
                // "Errore in LeggeGriglia": the calculation ends here.
                if (!LeggeDati()) return EsitoCalcolo::ErroreGriglia;
                EsitoCalcolo c;
                {
                    const auto occupa = eventi_.Lavoro();
                    c = Modulo.Calcola(Msg);
                }
                if (c != EsitoCalcolo::Completato) return c;
                FrameRisultati(true);
                Calcolato = true;
                RisultatiScrive();
                istantaneaCalcolo_ = Istantanea();
                return EsitoCalcolo::Completato;
            },
            [this] { return CausaErroreDati(Modulo.Dati); });
    } catch (const DatoRifiutato& r) {
        // A text that is not a number: named, its field focused, nothing calculated.
        Rifiuta(r);
        e = r.messaggio.starts_with("Errore in LeggeGriglia") ? EsitoCalcolo::ErroreGriglia
                                                              : EsitoCalcolo::ErroreDati;
    }
    if (e != EsitoCalcolo::Completato) {
        // The results of an earlier problem are no longer shown as valid.
        FrameRisultati(false);
        Calcolato = false;
    }
    return e;
}

EsitoCalcolo ModelloForm::btnCalcola_Click() {
    // A press while the passes run does nothing (and did not complete).
    if (Occupato()) return EsitoCalcolo::ErroreDati;
    return Evento([&] { return Calcolo(); });
}

void ModelloForm::cbDiagramma_Click(int i) {
    Evento([&] {
        if (i < 0 || i > 3) return;
        if (Calcolo() != EsitoCalcolo::Completato) return;
        if (i < 3) {
            if (Servizi.MostraDiagramma) Servizi.MostraDiagramma(i);
            return;
        }
        if (Servizi.Uscita)
            Servizi.Uscita->Esegui(0, NomeFile,
                                   [this](Superficie& s) { return PlottaInOggetto(s); });
    });
}

void ModelloForm::cmdSezione_Click() {
    Evento([&] {
        if (Servizi.MostraSezione) Servizi.MostraSezione();
    });
}

// ---------------------------------------------------------------------------
// Options.

void ModelloForm::Optschema_Click(int i) {
    Evento([&] { SchemaAggiorna(i); });
}

void ModelloForm::OptFondApplica(int i) {
    DatiTrave& d = Modulo.Dati;
    OptFond = i == 1 ? 1 : 0;
    d.Winkler = OptFond == 1;
    Figura = {d.Winkler ? 5 : 4, d.DistanzeParziali};
    txtWinkler[2].visibile = d.Winkler;
    lblWinkler3 = d.Winkler && !d.ReagTraz;
}

void ModelloForm::OptFond_Click(int i) {
    Evento([&] { OptFondApplica(i); });
}

void ModelloForm::chkReagTraz_Click(bool spuntato) {
    Evento([&] {
        DatiTrave& d = Modulo.Dati;
        chkReagTraz = spuntato;
        d.ReagTraz = spuntato;
        if (d.Winkler) lblWinkler3 = !d.ReagTraz;
    });
}

void ModelloForm::chkDistanzeParziali_Click(bool spuntato) {
    Evento([&] {
        if (Settaggio) return;
        DatiTrave& d = Modulo.Dati;
        const bool vecchio = d.DistanzeParziali;
        chkDistanzeParziali = spuntato;
        try {
            // The positions are checked against the span the window shows
            // now, not the one of the last calculation.
            if (LeggiRegionale(txtDati[0].testo, Unita.separatori).Letto() ||
                txtDati[0].Esatto(Unita.separatori))
                d.Luce =
                    LeggeSingolo(txtDati[0], Grandezza::Lunghezza, {TipoControllo::TxtDati, 0});
            if (!LeggeCarichi()) {
                // The grids could not be read: nothing is converted and the
                // box goes back to the setting the grids show.
                d.DistanzeParziali = vecchio;
                chkDistanzeParzialiSetta();
                return;
            }
            d.DistanzeParziali = spuntato;
            ScriveCarichi();
            SchemaAggiorna(d.Vincoli);
        } catch (const DatoRifiutato&) {
            // A text that is not a number: nothing is converted, the refusal
            // names it.
            d.DistanzeParziali = vecchio;
            chkDistanzeParzialiSetta();
            throw;
        } catch (const std::exception&) {
            d.DistanzeParziali = vecchio;
            chkDistanzeParzialiSetta();
            Msg.Mostra("Errore in Distanze Parziali. Controllare i dati");
        }
    });
}

// ---------------------------------------------------------------------------
// Fields: focus and Enter chains.

void ModelloForm::Fuoco_Preso(Fuoco f) {
    Evento([&] { fuoco = f; });
}

void ModelloForm::Fuoco_Perso(Fuoco f) {
    Evento([&] {
        CampoForm* c = nullptr;
        if (f.tipo == TipoControllo::TxtDati && f.indice >= 0 && f.indice < 3)
            c = &txtDati[static_cast<size_t>(f.indice)];
        else if (f.tipo == TipoControllo::TxtWinkler && (f.indice == 0 || f.indice == 1))
            c = &txtWinkler[static_cast<size_t>(f.indice)];
        else if (f.tipo == TipoControllo::TxtX && f.indice == 0)
            c = &txtX[0];
        if (!c) return;
        const std::string n = NormalizzaCampo(Unita.separatori, c->testo);
        if (n != c->testo) c->Edita(n);
    });
}

void ModelloForm::Campo_Edita(CampoForm& campo, const std::string& testo) {
    Evento([&] { campo.Edita(testo); });
}

void ModelloForm::txtTitolo_Invio() {
    Evento([&] { fuoco = {TipoControllo::TxtDati, 0}; });
}

void ModelloForm::txtDati_Invio(int i) {
    Evento([&] {
        if (i < 0 || i > 3) return;
        // The focus moves on even when the text cannot be normalised.
        if (i < 2)
            fuoco = {TipoControllo::TxtDati, i + 1};
        else if (i == 2 && Modulo.Dati.Vincoli == Continua)
            fuoco = {TipoControllo::TxtCampate, 0};
        else if (i == 2)
            fuoco = {TipoControllo::TxtRigheGriglia, 0};
        else
            fuoco = {TipoControllo::BtnCalcola, 0};
        CampoForm& c = txtDati[static_cast<size_t>(i)];
        const std::string n = NormalizzaCampo(Unita.separatori, c.testo);
        if (n != c.testo) c.Edita(n);
    });
}

void ModelloForm::txtWinkler_Invio(int i) {
    Evento([&] {
        if (i == 0)
            fuoco = {TipoControllo::TxtWinkler, 1};
        else if (i == 1 && txtWinkler[2].visibile)
            fuoco = {TipoControllo::TxtWinkler, 2};
        else
            fuoco = {TipoControllo::BtnCalcola, 0};
    });
}

void ModelloForm::txtX_Invio() {
    Evento([&] {
        fuoco = {TipoControllo::BtnCalcola, 0};
        const std::string n = NormalizzaCampo(Unita.separatori, txtX[0].testo);
        if (n != txtX[0].testo) txtX[0].Edita(n);
    });
}

void ModelloForm::txtRigheGriglia_Invio(int i) {
    Evento([&] {
        if (i < 0 || i > 2) return;
        // A count that is not a whole number from 0 to 32767 is refused.
        const int16_t n = LeggeIntero(txtRigheGriglia[static_cast<size_t>(i)],
                                      {TipoControllo::TxtRigheGriglia, i});
        DatiTrave& d = Modulo.Dati;
        GrigliaTesto& g = FlexGrid[static_cast<size_t>(i)];
        DimensionaMsFlex(g, i, n, Unita.separatori, ConCasi());
        (i == 0 ? d.NTrapezi : i == 1 ? d.NConcentrati : d.NCoppie) = n;
        if (n == 0) {
            g.visibile = false;
            fuoco = SuccessivoGriglia(i);
            return;
        }
        g.riga = 1;
        g.colonna = 1;
        g.visibile = true;
        fuoco = {TipoControllo::FlexGrid, i};
        if (g.EditaCella(0)) fuoco = {TipoControllo::TxtEdit, i};
    });
}

// ---------------------------------------------------------------------------
// Load grids and their editors.

void ModelloForm::GrigliaEsito(int i, EsitoTasto e) {
    switch (e) {
    case EsitoTasto::Editor:
        fuoco = {TipoControllo::TxtEdit, i};
        break;
    case EsitoTasto::Griglia:
        fuoco = {TipoControllo::FlexGrid, i};
        break;
    case EsitoTasto::Successivo:
        fuoco = SuccessivoGriglia(i);
        break;
    case EsitoTasto::Precedente:
        fuoco = PrecedenteGriglia(i);
        break;
    }
}

void ModelloForm::FlexGrid_Tasto(int i, int carattere) {
    Evento([&] {
        GrigliaTesto& g = FlexGrid.at(static_cast<size_t>(i));
        if (g.EditaCella(carattere)) fuoco = {TipoControllo::TxtEdit, i};
    });
}

void ModelloForm::FlexGrid_Seleziona(int i, int r, int c) {
    Evento([&] {
        GrigliaTesto& g = FlexGrid.at(static_cast<size_t>(i));
        GrigliaEsito(i, g.SelezionaCella(r, c) ? EsitoTasto::Editor : EsitoTasto::Griglia);
    });
}

void ModelloForm::FlexGrid_Scorre(int i) {
    Evento([&] { FlexGrid.at(static_cast<size_t>(i)).CommitEditor(); });
}

void ModelloForm::txtEdit_Tasto(int i, TastoEditor tasto) {
    Evento([&] { GrigliaEsito(i, FlexGrid.at(static_cast<size_t>(i)).Tasto(tasto)); });
}

void ModelloForm::txtEdit_Edita(int i, const std::string& testo, int selInizio, int selLunghezza) {
    Evento([&] {
        EditorCella& e = FlexGrid.at(static_cast<size_t>(i)).editor;
        e.testo = testo;
        e.selInizio = selInizio;
        e.selLunghezza = selLunghezza;
    });
}

void ModelloForm::txtEdit_PerdeFuoco(int i) {
    Evento([&] { FlexGrid.at(static_cast<size_t>(i)).EditorPerdeFuoco(); });
}

void ModelloForm::FlexGrid_Muovi(int i, int dr, int dc, bool estendi) {
    Evento([&] {
        FlexGrid.at(static_cast<size_t>(i)).Muovi(dr, dc, estendi);
        fuoco = {TipoControllo::FlexGrid, i};
    });
}

void ModelloForm::FlexGrid_Tab(int i, bool indietro) {
    Evento([&] {
        GrigliaEsito(i, FlexGrid.at(static_cast<size_t>(i)).Tab(indietro));
        ++RichiesteFuoco; // the editor closes: the grid (or the next control) takes the focus
    });
}

void ModelloForm::FlexGrid_Estendi(int i, int r, int c) {
    Evento([&] {
        FlexGrid.at(static_cast<size_t>(i)).EstendiA(r, c);
        fuoco = {TipoControllo::FlexGrid, i};
    });
}

std::string ModelloForm::FlexGrid_Copia(int i) {
    return Evento([&] {
        GrigliaTesto& g = FlexGrid.at(static_cast<size_t>(i));
        g.EditorPerdeFuoco();
        return g.TestoSelezione();
    });
}

void ModelloForm::FlexGrid_Incolla(int i, const std::string& testo) {
    Evento([&] {
        GrigliaTesto& g = FlexGrid.at(static_cast<size_t>(i));
        g.EditorPerdeFuoco();
        const BloccoCelle b = BloccoDaTesto(testo);
        if (b.empty() || !g.CellaDati()) return;
        // The block goes from the selection's first cell.
        const RettangoloCelle s = g.Selezione();
        g.Muovi(0, 0, false);
        g.CellaCorrente(s.primaRiga, s.primaColonna);
        fuoco = {TipoControllo::FlexGrid, i};
        ++RichiesteFuoco;
        if (const int mancanti = g.RigheMancanti(b); mancanti > 0) {
            // A table holds at most 32767 rows.
            const int n = std::min(g.Righe() - 1 + mancanti, 32767);
            if (n > g.Righe() - 1 &&
                Msg.Chiedi(TestoAggiungiRighe(static_cast<int>(b.size())), Icona::Domanda)) {
                const auto n16 = static_cast<int16_t>(n);
                txtRigheGriglia[static_cast<size_t>(i)].Scrivi(std::to_string(n));
                DimensionaMsFlex(g, i, n16, Unita.separatori, ConCasi());
                DatiTrave& d = Modulo.Dati;
                (i == 0 ? d.NTrapezi : i == 1 ? d.NConcentrati : d.NCoppie) = n16;
                g.CellaCorrente(s.primaRiga, s.primaColonna);
            }
        }
        g.Incolla(b);
    });
}

void ModelloForm::FlexGrid_Svuota(int i) {
    Evento([&] {
        GrigliaTesto& g = FlexGrid.at(static_cast<size_t>(i));
        g.EditorPerdeFuoco();
        g.SvuotaSelezione();
    });
}

void ModelloForm::ChiudiEditori() {
    for (GrigliaTesto& g : FlexGrid)
        g.ChiudiEditore();
    Travata.ChiudiEditori();
}

void ModelloForm::FlexGridZoom_Click(int i) {
    Evento([&] {
        GrigliaTesto& g = FlexGrid.at(static_cast<size_t>(i));
        g.zoom = !g.zoom;
    });
}

// ---------------------------------------------------------------------------
// Menus.

bool ModelloForm::FileStampa() {
    // Only valid results are printed.
    if (Calcolo() != EsitoCalcolo::Completato) return false;
    if (!Servizi.StampanteSistema) return false;
    return Servizi.StampanteSistema->StampaRelazione(TestoRelazione(TestiDaForm(*this)), Msg);
}

bool ModelloForm::Esegui(Comando c) {
    const VoceComando& v = VoceDi(c);
    return Evento(
        [&] {
            if (v.ripresaSezione && Servizi.RiprendiSezione && !Servizi.RiprendiSezione())
                return false;
            if (v.menu == MenuComando::File)
                ChiudiEditori(); // a value still in a cell editor counts as typed
            return v.esegui(*this);
        },
        GuastoComando(v.menu));
}

bool ModelloForm::mnuFileItem_Click(int i) {
    const std::optional<Comando> c = ComandoDaTesto("MnuFileItem", i);
    return c && Esegui(*c);
}

void ModelloForm::mnuAiutoItem_Click(int i) {
    if (const std::optional<Comando> c = ComandoDaTesto("mnuAiutoItem", i)) Esegui(*c);
}

bool ModelloForm::Chiusura() {
    return Evento([&] {
        if (Chiuso) return true;
        if (!ConfermaAbbandono()) return false;
        Chiuso = true;
        return true;
    });
}

} // namespace zelvo
