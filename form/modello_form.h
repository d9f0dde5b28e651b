// The main window's data as a toolkit-free form model (`FrmDati` without a
// toolkit): every field and grid as text, the option buttons and check boxes,
// the visibility of frames and labels, the caption and the current file name,
// and the window's procedures (`LeggeDati`, `ScriveDatiInForm`,
// `RisultatiScrive`, `SchemaAggiorna`, the File items, ...). The Qt window
// binds its widgets to this model; the command-line tool and the tests drive
// it directly.
//
// Exact values behind the texts. A field or cell written by the program
// (after a file is opened, after a calculation, after a change of units)
// keeps, beside its display text, the exact internal value it stands for.
// `LeggeDati` uses that value as long as the text still reads as the number
// written with it; otherwise the text is read as typed. So, with
// no edit, open -> save and open -> "Calcola" keep every stored value bit for
// bit, whatever the units and the display precision. A text that still
// reads as the same number (the display re-confirmed in the editor, or
// normalised) is not an edit; a text that reads as another number is.
// Positions shown as partial distances keep both the absolute position and
// the partial distance (the exact double difference of the two absolute
// positions): while nothing of a column has been edited the absolute
// positions come back unchanged; after an edit of a row, that row and every
// later row are rebuilt by adding the partial distances, so a changed partial
// distance moves the later loads, as partial distances do.
//
// Typed numbers are read strictly with the regional separators
// (`LeggiRegionale`): a text that is not a number as the settings write it
// ("8.5" or "12abc" under Italian settings) is refused (`DatoRifiutato`: a
// message naming the field, or the table, row and column, and the focus on
// it), and nothing is calculated, saved or printed with it. An empty real
// field reads 0. An empty grid cell ends a calculation with "Errore in
// LeggeGriglia" and the cell named; a save keeps it as 0. The integer fields
// (`txtDati(3)` NSezioni, `txtRigheGriglia(0..2)`, `txtWinkler(2)`) refuse a
// text that is not a whole number in their range.
#pragma once

#include "core/dati.h"
#include "core/estrazione.h"
#include "core/messaggi.h"
#include "core/modulo_zelvo.h"
#include "form/campo_form.h"
#include "form/comandi.h"
#include "form/continua_form.h"
#include "form/evento_form.h"
#include "form/figura_schema.h"
#include "form/file_progetto.h"
#include "form/finestra_unita.h"
#include "form/griglie_carichi.h"
#include "form/servizi_form.h"
#include "graphics/uscita_diagrammi.h"
#include "io/griglia_testo.h"
#include "io/unita.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace zelvo {

// A datum the window refuses to use: the message to show and the control
// that takes the focus (for a grid, `riga` and `colonna` name the cell).
// Deliberately not a std::exception: the calculation's trap lets it through
// to the event's guard, which shows it as it is.
struct DatoRifiutato {
    std::string messaggio;
    Fuoco fuoco;
    int riga = 0, colonna = 0;
};

// ---------------------------------------------------------------------------
// The main window's model. Every event is a public operation: it runs inside
// one guard (no fault escapes it: a fault shows "Errore! Controllare i dati"
// and leaves the form usable), refuses to run while a calculation is going
// on (`Occupato`), and then counts one change (`Revisione`) and tells the
// observer (`Cambiato`), so that a view re-reads everything it shows.
class ModelloForm {
  public:
    // The model refers to the calculation module and the units it shows; both
    // outlive it.
    ModelloForm(ModuloZelvo& modulo, UnitMisura& unita, Messaggi& msg);
    ~ModelloForm();
    ModelloForm(const ModelloForm&) = delete;
    ModelloForm& operator=(const ModelloForm&) = delete;

    ModuloZelvo& Modulo;
    UnitMisura& Unita;
    Messaggi& Msg;
    ServiziForm Servizi;

    // --- change notification ---
    // Counts the changes of the model; a view re-reads when it moved.
    uint64_t Revisione() const { return eventi_.Revisione(); }
    // Called after every change (an event, a calculation pass).
    std::function<void()> Cambiato;
    // True while a calculation runs its passes: every event is refused.
    bool Occupato() const { return eventi_.Occupato(); }
    // The event contract itself (the section window follows it while busy;
    // a test marks the model busy with `Eventi().Lavoro()`).
    GuardiaEventi& Eventi() { return eventi_; }

    // --- fields ---
    CampoForm txtTitolo;
    std::array<CampoForm, 4> txtDati;         // 0 Luce, 1 E, 2 J, 3 NSezioni
    std::array<CampoForm, 3> txtRigheGriglia; // row counts of the grids
    std::array<GrigliaTesto, 3> FlexGrid;     // 0 trapezoids, 1 forces, 2 couples
    std::array<CampoForm, 3> txtWinkler;      // 0 K, 1 b, 2 NDivisioni
    std::array<CampoForm, 5> txtX;            // 0 abscissa (input), 1 M, 2 V, 3 f, 4 soil pressure
    std::array<CampoForm, 12> txtRis;         // results of schemes 0..3
    std::array<CampoForm, 10> txtFond;        // results of a foundation
    // The continuous beam's count, tables and results (scheme 5).
    ContinuaForm Travata{*this};

    // --- option buttons and check boxes ---
    int Optschema = 0; // chosen scheme 0..4
    int OptFond = 0;   // 0 "Rigida", 1 "Winkler"
    bool chkDistanzeParziali = false;
    bool chkReagTraz = true;

    // --- visibility of frames and labels ---
    bool fraWinkler = false;
    bool FrameRis = false;
    bool FrameFond = false;
    bool FrDiagrammi = false;
    bool frRisultatiInX = false;
    bool lblWinkler3 = false;    // "Iterazione" label
    bool txtX4Visibile = false;  // txtX(4) and its two labels
    FiguraVincoli Figura;        // the Pctvincoli picture shown
    std::string testoIterazione; // "Iterazione " + pass

    // --- unit labels beside the fields (VisualizzaUnits) ---
    std::string lblLuce, lblE, lblJ, lblK, lblB, lblCarichiTrapezi, lblForze, lblCoppie;
    std::string lblMomento, lblForza, lblLunghezza, lblPressione;

    // --- window state ---
    static constexpr const char* PrefissoTitolo = "Trave Zelvo - File: ";
    std::string Caption = PrefissoTitolo;
    std::string NomeFile;     // current data file (without folder and extension)
    std::string PercorsoFile; // full path of the current data file ("" for a new one)
    // The folder the file dialogs start in: the current directory at
    // start-up, then the folder of the data file opened or saved last.
    std::string CartellaDati;
    int16_t NSezioni = 100;
    bool Settaggio = false; // the program is setting chkDistanzeParziali
    bool Calcolato = false;
    Fuoco fuoco;
    // Counts the refusals that put the focus on their field, so that the
    // view moves it there even when `fuoco` already names that field.
    uint64_t RichiesteFuoco = 0;
    FinestraUnita frmUnits;
    std::string VersioneLetta; // version of the file read last
    // The folder of the example files ("&Files di esempio").
    std::string CartellaEsempi;
    // The problem's section-property record (lines 15-16 of the data file):
    // read with the file and written back when it is saved, so that opening
    // and saving a problem keeps it; an empty problem has none.
    RecordProperty SezioneProgetto;
    // How the last reading of a data file ended (Parziale: it stopped before
    // the lines its version holds, its messages shown).
    EsitoProgetto EsitoLettura = EsitoProgetto::Completo;
    bool Chiuso = false; // "Esci" chosen: the window closes

    // ------------------------------------------------------------------
    // Procedures of the window.
    void InizializzaForm();
    // Reads the window into Modulo.Dati. Faults throw Guasto, a refused
    // text throws DatoRifiutato; returns false after "Errore in
    // LeggeGriglia" (the calculation must end).
    bool LeggeDati();
    bool LeggeCarichi();
    void ControllaDistanza(double d, const std::string& etichetta, int i,
                           std::optional<double> d2 = std::nullopt);
    void ScriveDatiInForm();
    void ScriveCarichi();
    // Partial distances for display from absolute positions: the shown
    // values (internal units), one row per load.
    std::vector<double> DistanzeParzialiCalcola(const std::vector<double>& assolute);
    double NuovaDistanza(double precedente, double corrente);
    void RisultatiScrive();
    void FrameRisultati(bool visibile);
    void SchemaAggiorna(int s);
    void FondazioneImposta();
    void VisualizzaUnits();
    void chkDistanzeParzialiSetta();
    // Diagram output with fresh results (callback of the diagram output):
    // LeggeDati, Calcola, then the diagrams on the target.
    bool PlottaInOggetto(Superficie& uscita);
    // What the diagrams read from this window (results, units, file name, scales).
    ContestoDiagrammi ContestoDisegno();
    // The current data file (name, path, caption) for the file commands.
    FileCorrente File();
    // Text of an internal value in the current units; `singolo`: the
    // value is a single (formatted from its single-precision text).
    std::string TestoUnita(Grandezza g, double valore, bool singolo) const;
    // The problem has load cases: the load tables show the "Caso" column.
    bool ConCasi() const { return !Modulo.Dati.Casi.empty(); }
    // The load tables take or drop their "Caso" column after the cases
    // changed (the load cells stay; a new column reads case 1).
    void ColonnaCasoAggiorna();

    // Results texts of the foundation summary shown last (for the report).
    std::optional<RiepilogoFondazione> Riepilogo;

    // ------------------------------------------------------------------
    // Events (each guarded, see above).

    // Start-up: locale check, caption, InizializzaForm; opens the file named
    // by the arguments, or sets the default units and shows the units window
    // modally (`Servizi.MostraUnita(true)`; none: OK as it stands).
    // `silenzioso` silences the locale check's advice (command line).
    void Avvio(const std::vector<std::string>& argomenti, bool silenzioso = false);
    // "Calcola": LeggeDati + Calcola with the trap "Errore! Controllare i
    // dati". While a calculation runs, a new press does nothing (`Occupato`).
    EsitoCalcolo btnCalcola_Click();
    void Optschema_Click(int i);
    void OptFond_Click(int i);
    void chkReagTraz_Click(bool spuntato);
    void chkDistanzeParziali_Click(bool spuntato);
    // Diagram buttons: 0 "&M", 1 "&V", 2 "&C" open their window after a
    // calculation, 3 "&Stampa" prints the three diagrams.
    void cbDiagramma_Click(int i);
    void cmdSezione_Click();
    // Enter keys of the fields.
    void txtTitolo_Invio();
    void txtDati_Invio(int i);
    void txtRigheGriglia_Invio(int i);
    void txtWinkler_Invio(int i);
    void txtX_Invio();
    // A field got the focus (the view selects its text).
    void Fuoco_Preso(Fuoco f);
    // A field lost the focus: a number is written back in the regional
    // format (what is shown is what will be used); other texts stay.
    void Fuoco_Perso(Fuoco f);
    // A user edit of a field's text.
    void Campo_Edita(CampoForm& campo, const std::string& testo);
    // Load grid i: a key typed on the grid (its character code), a mouse
    // selection of a cell, the grid's own mouse or scroll events, a key in
    // its editor, the editor's text edited, the editor losing the focus, the
    // "Zoom" button.
    void FlexGrid_Tasto(int i, int carattere);
    void FlexGrid_Seleziona(int i, int r, int c);
    void FlexGrid_Scorre(int i);
    void txtEdit_Tasto(int i, TastoEditor tasto);
    void txtEdit_Edita(int i, const std::string& testo, int selInizio, int selLunghezza);
    void txtEdit_PerdeFuoco(int i);
    void FlexGridZoom_Click(int i);
    // Load grid i as a table: the arrows on the grid (Shift: the selected
    // block grows), Tab / Shift+Tab from the grid or its editor (past the
    // last data cell or before the first: the next or previous control), a
    // drag of the mouse or a click with Shift to cell (r, c), the selected
    // block's text (Ctrl+C), a pasted block of text (Ctrl+V: a block longer
    // than the table asks whether to add the missing rows), the Delete key.
    void FlexGrid_Muovi(int i, int dr, int dc, bool estendi);
    void FlexGrid_Tab(int i, bool indietro);
    void FlexGrid_Estendi(int i, int r, int c);
    std::string FlexGrid_Copia(int i);
    void FlexGrid_Incolla(int i, const std::string& testo);
    void FlexGrid_Svuota(int i);
    // Every open cell editor's text goes into its cell (before a command
    // reads the grids).
    void ChiudiEditori();
    // Runs a command of the menus, the toolbar or the keys (form/comandi.h):
    // the section window first hands E and J back when the command asks for
    // it (a refused field: nothing runs), the File commands first close the
    // cell editors and trap faults with "Errore in Sub mnuFileItem_Click".
    // False when it did not complete.
    bool Esegui(Comando c);
    // The File and "?" items by their old numbers (the "MnuFileItem" and
    // "mnuAiutoItem" texts: 0 "Nuovo" ... 12 "Esci", 13 "Relazione PDF";
    // 0 "&Aiuto", 1 "&Files di esempio", 2 "&Informazioni"); a number
    // without an item does nothing.
    bool mnuFileItem_Click(int i);
    void mnuAiutoItem_Click(int i);
    // The window is being closed: false when the user chose to stay.
    bool Chiusura();

    // File commands (also reached through mnuFileItem_Click).
    // Opens the file named on the command line; false when nothing opened.
    bool ApriDaRigaComando(const std::string& rigaComando);
    static std::vector<std::string> DividiRigaComando(const std::string& rigaComando);
    void FileNuovo();
    // Opens a data file: read aside, then taken (InizializzaForm,
    // ScriveDatiInForm) when something was read - without a name when the
    // file stopped short; nothing read: the window stays as it was. With an
    // empty path the file dialog is asked.
    bool ApriFileDati(const std::string& percorso = "");
    bool FileSalva();
    bool FileSalvaCome(const std::string& percorso = "");
    // "File di stampa (TXT)": Calcola, then the report to a file.
    bool FileStampaTxt(const std::string& percorso = "");
    // "Relazione &PDF...": Calcola, then the report with the diagrams to a
    // PDF file (save dialog for ".pdf" when percorso is empty).
    bool FileRelazionePdf(const std::string& percorso = "");
    // "Stam&pa": Calcola, then the report on the printer.
    bool FileStampa();
    // "&Files di esempio": the file dialog in the examples' folder.
    bool ApriEsempi();

    // Unsaved work: true when the data differ from those last opened, saved
    // or started. `ConfermaAbbandono` asks "I dati sono stati modificati.
    // Salvare le modifiche?" (yes saves, no goes on, cancel stays) and
    // returns whether the caller may go on.
    bool DatiModificati() const;
    // The data typed since the last calculation that completed differ from
    // those it read (the results shown no longer the problem's).
    bool DatiCambiatiDopoCalcolo() const;
    bool ConfermaAbbandono();

    // --- frmUnits ---
    void frmUnits_Apri();
    void frmUnits_NoUnits(bool spuntato);
    void frmUnits_SistemaSI();
    void frmUnits_OK();
    void frmUnits_Cancel();

    // Runs one event under the windows' event contract (form/evento_form.h):
    // refused while busy; a refused datum is shown with its field focused,
    // any other fault ends in the message (none: "Errore! Controllare i
    // dati"); then the change is announced.
    template <class F> auto Evento(F&& f, const char* messaggioGuasto = nullptr) {
        return eventi_.Esegui(std::forward<F>(f), messaggioGuasto);
    }
    // Announces a change (revision + observer).
    void Notifica();

  private:
    void Avvisa(const std::string& testo, Icona icona = Icona::Nessuna);
    bool silenzioso_ = false;
    GuardiaEventi eventi_;
    std::string istantanea_;        // the data as last opened, saved or started
    std::string istantaneaCalcolo_; // the data as the last completed calculation read them
    std::string Istantanea() const;
    // The steel member check as the data file keeps it (only when the
    // problem has one): unsaved work, but not data the results depend on.
    std::string IstantaneaVerifica() const;
    void Memorizza() { istantanea_ = Istantanea() + IstantaneaVerifica(); }
    void ScriveCampo(CampoForm& c, Grandezza g, double valore, bool singolo);
    // The value of a field in internal units (its exact value while unedited);
    // a text that is not a number is refused, naming the field at `f`.
    double LeggeCampo(const CampoForm& c, Grandezza g, Fuoco f) const;
    // The same, as a single (a value beyond a single is refused).
    float LeggeSingolo(const CampoForm& c, Grandezza g, Fuoco f) const;
    // A whole number from `minimo` to 32767 (an empty text: 0 while saving).
    int16_t LeggeIntero(const CampoForm& c, Fuoco f, int minimo = 0) const;
    bool LeggeTabella(int t);
    // The "Caso" column of table t (rows 1..n, column c) into the loads, and back.
    void LeggeColonnaCaso(int t, int n, int c);
    void ScriveColonnaCaso(int t);
    // Reading for a save: empty cells and counts read 0, a grid keeps the
    // rows it shows, and the warnings wait until the file is written.
    bool perSalvare_ = false;
    bool salvataggioTentato_ = false; // the last save reached the file (written or not)
    std::vector<std::pair<std::string, Icona>> avvisiRinviati_;
    // Shows a refusal and moves the focus to its place.
    void Rifiuta(const DatoRifiutato& r);
    EsitoCalcolo Calcolo();
    void AvvioFinestra(const std::vector<std::string>& argomenti);
    // "Salva" / "S&alva come...": LeggeDati, then the file command (percorso:
    // the dialog's answer when already known).
    bool ScriviFile(ComandoFile comando, const std::string& percorso);
    void ScriveTabella(int t);
    void GrigliaEsito(int i, EsitoTasto e);
    void OptFondApplica(int i);
};

// The text of the run-time fault message of an event.
extern const char* const TestoGuastoEvento;

} // namespace zelvo
