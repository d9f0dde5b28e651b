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
// Invalid number text: real-valued fields and cells are read with
// `ValoreNumerico`, which never fails (no leading number reads 0) - except
// grid cells, which must start with a number: a cell without one shows
// "Errore in LeggeGriglia" and ends the calculation. The integer fields
// (`txtDati(3)` NSezioni, `txtRigheGriglia(0..2)`, `txtWinkler(2)`) fault
// (`Guasto`, hence "Errore! Controllare i dati") when their text is not a
// number in the 16-bit range.
#pragma once

#include "core/dati.h"
#include "core/estrazione.h"
#include "core/messaggi.h"
#include "core/modulo_zelvo.h"
#include "form/file_progetto.h"
#include "form/operazione_file.h"
#include "io/unita.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

// ---------------------------------------------------------------------------
// Controls that can take the keyboard focus.
enum class TipoControllo {
    Nessuno,
    TxtTitolo,
    TxtDati,         // indice 0..3
    TxtRigheGriglia, // indice 0..2
    FlexGrid,        // indice 0..2
    TxtEdit,         // indice 0..2 (the cell editor of grid indice)
    TxtWinkler,      // indice 0..2
    TxtX,            // indice 0
    BtnCalcola,
};

struct Fuoco {
    TipoControllo tipo = TipoControllo::Nessuno;
    int indice = 0;
    bool operator==(const Fuoco&) const = default;
};

// ---------------------------------------------------------------------------
// One text field. `testo` is what the user sees and edits; the widget may
// write it directly. `Esatto()` gives the kept value while the text is
// still the one written with it.
struct CampoForm {
    std::string testo;
    bool visibile = true;

    // Program write: text only (no exact value behind it).
    void Scrivi(const std::string& t) {
        testo = t;
        esatto_.reset();
    }
    // Program write: text and the exact internal value it stands for.
    void Scrivi(const std::string& t, double valore) {
        testo = t;
        esatto_ = valore;
        testoScritto_ = t;
    }
    // User edit (same as assigning `testo`).
    void Edita(const std::string& t) { testo = t; }
    // The kept value, while the text still reads as the number written with
    // it (a re-confirmed or re-normalised display is not an edit).
    std::optional<double> Esatto(const Separatori& s) const;

  private:
    std::optional<double> esatto_;
    std::string testoScritto_;
};

// Exact value behind a grid cell: the internal value (`assoluto`) and, for a
// position shown as a partial distance, the exact partial distance
// (`parziale`, internal units); for every other cell parziale = assoluto.
struct ValoreCella {
    double assoluto = 0;
    double parziale = 0;
    std::string testo; // the text written with it
};

// In-place cell editor (`txtEdit`).
struct EditorCella {
    bool visibile = false;
    std::string testo;
    int selInizio = 0;    // caret / selection start (characters)
    int selLunghezza = 0; // selection length
    // Geometry laid over the current cell (grid units).
    double sinistra = 0, alto = 0, larghezza = 0, altezza = 0;
};

// Key codes of the editor and the grid.
inline constexpr int CodiceInvio = 13;
inline constexpr int CodiceEsc = 27;
inline constexpr int CodiceSu = 38;
inline constexpr int CodiceGiu = 40;

// One load grid (`FlexGrid(i)`) with its editor, as the `MsFlex` module sees
// it. Cells are addressed through the flat text array: index r*Colonne + c.
class GrigliaForm {
  public:
    int indice = 0; // 0 trapezoids, 1 forces, 2 couples
    bool visibile = false;
    int16_t righe = 1;                              // rows including the heading row 0
    int16_t colonne = 1;                            // columns including the row-number column 0
    std::vector<std::string> testi;                 // flat cell texts
    std::vector<std::optional<ValoreCella>> esatti; // flat exact values
    std::vector<double> larghezzeColonne;
    std::vector<int> allineamentoColonne; // 2 = centred
    double larghezza = 4000;              // grid width (grid units, twips-like)
    double sinistra = 0, alto = 0, altezza = 1500;
    double altezzaRiga = 240;  // every row has this height
    int riga = 0, colonna = 0; // current cell
    Fuoco successivo;          // next control for the keyboard
    bool zoom = false;
    double altezzaNormale = 0;
    EditorCella editor;

    int Indice(int r, int c) const;                        // r*colonne + c
    const std::string& Testo(int r, int c) const;          // bounds-checked
    void ImpostaTesto(int r, int c, const std::string& t); // edit (exact value dropped)
    void Scrivi(int r, int c, const std::string& t);       // program write, no exact value
    void Scrivi(int r, int c, const std::string& t, const ValoreCella& v);
    // The exact value while the cell still shows the text written with it.
    std::optional<ValoreCella> Esatto(int r, int c, const Separatori& s) const;
    // Sets rows and columns; every text emptied.
    void Dimensiona(int16_t nRighe, int16_t nColonne);
    double SinistraColonna(int c) const;
};

// Column headers of the three grids.
const std::vector<std::string>& IntestazioniGriglia(int tabella);

// ---------------------------------------------------------------------------
// `MsFlex`: layout, reading and writing of the grids, the editor.

// Lays out grid g for its table (0..2) with n data rows: rows n+1, columns,
// headers "N°", ..., row numbers 1..n in column 0, widths, centred columns,
// next control; shows the grid (hides it for n = 0).
void DimensionaMsFlex(GrigliaForm& g, int tabella, int16_t n);

// One cell through the flat index.
std::string LeggeCella(const GrigliaForm& g, int r, int c);
void ScriveCella(GrigliaForm& g, int r, int c, const std::string& t);

// Reads every data cell (rows primaRiga.., columns primaColonna..) into a
// rows x columns table of numbers: a cell that does not start with a number
// is a fault (Guasto). Numbers are read with the locale's separators.
std::vector<std::vector<double>> LeggeGrigliaNumeri(const GrigliaForm& g, const Separatori& s,
                                                    int primaRiga = 1, int primaColonna = 1);
std::vector<std::vector<std::string>> LeggeGrigliaTesti(const GrigliaForm& g, int primaRiga = 1,
                                                        int primaColonna = 1);

// Writes every data cell from a table of numbers with the given formatter.
void ScriveGriglia(GrigliaForm& g, const std::vector<std::vector<double>>& valori,
                   const std::function<std::string(double)>& formato);

// Editor (`EditaCella`): carattere 0 = opened by the mouse; > 32 a printable
// character; 1..32 Enter, space and other control keys.
void EditaCella(GrigliaForm& g, const Separatori& s, Fuoco& fuoco, int carattere = 0);

// Editor keys (`TastiEditor`): Enter commits and moves on, Escape cancels,
// Up/Down move the current row. perColonne: Enter moves along the row.
void TastiEditor(GrigliaForm& g, const Separatori& s, Fuoco& fuoco, int tasto, int shift,
                 bool perColonne);

// The editor loses the focus: normalise its number, commit it when visible.
void EditorPerdeFuoco(GrigliaForm& g, const Separatori& s);
// Grid mouse or scroll event while the editor is visible: commit without
// normalising.
void GrigliaCommitEditor(GrigliaForm& g);
// Key typed on the grid / mouse selection of a cell.
void GrigliaTasto(GrigliaForm& g, const Separatori& s, Fuoco& fuoco, int carattere);
void GrigliaSelezionaCella(GrigliaForm& g, const Separatori& s, Fuoco& fuoco, int r, int c);

// Zoom button of grid g.
void ZoomGriglia(GrigliaForm& g, double altezzaFinestra);

// ---------------------------------------------------------------------------
// State of the units window `frmUnits` while it is open.
struct FinestraUnita {
    bool aperta = false;
    bool noUnits = false;                  // chkNoUnits ticked
    bool apertaSenzaUnita = false;         // opened in no-units mode
    std::array<int, 4> scelta{0, 0, 0, 0}; // optLeng, optStress, optForce, optArea: 0..2
    bool opzioniAbilitate = true;
};

// Seams for the pieces other libraries provide.
struct ServiziForm {
    // Draws the diagrams to "STAMPANTE", "DXF" or "DWG" (graphics).
    std::function<bool(ModuloZelvo&, const std::string& uscita, Messaggi&)> Disegna;
    // Writes the text report (form/relazione) to the file percorso.
    std::function<bool(const class ModelloForm&, const std::string& percorso, Messaggi&)>
        StampaRelazione;
    // Project file: reads ("L") the file percorso into the model (problem,
    // NSezioni, units, version); false when the file could not be opened or
    // its header read (its messages shown).
    std::function<bool(ModelloForm&, const std::string& percorso)> LeggiProgetto;
    // Writes ("S") the model's problem to percorso; false when nothing was
    // written (its messages shown; the old file intact).
    std::function<bool(ModelloForm&, const std::string& percorso)> ScriviProgetto;
    // File dialog (every file the window chooses: data files, the text
    // report): the chosen path, or nothing when cancelled.
    zelvo::SceltaFile SceltaFile;
};

// ---------------------------------------------------------------------------
class ModelloForm {
  public:
    // The model refers to the calculation module and the units it shows; both
    // outlive it.
    ModelloForm(ModuloZelvo& modulo, UnitMisura& unita, Messaggi& msg);

    ModuloZelvo& Modulo;
    UnitMisura& Unita;
    Messaggi& Msg;
    ServiziForm Servizi;

    // --- fields ---
    CampoForm txtTitolo;
    std::array<CampoForm, 4> txtDati;         // 0 Luce, 1 E, 2 J, 3 NSezioni
    std::array<CampoForm, 3> txtRigheGriglia; // row counts of the grids
    std::array<GrigliaForm, 3> FlexGrid;      // 0 trapezoids, 1 forces, 2 couples
    std::array<CampoForm, 3> txtWinkler;      // 0 K, 1 b, 2 NDivisioni
    std::array<CampoForm, 5> txtX;            // 0 abscissa (input), 1 M, 2 V, 3 f, 4 soil pressure
    std::array<CampoForm, 12> txtRis;         // results of schemes 0..3
    std::array<CampoForm, 10> txtFond;        // results of a foundation

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
    bool lblWinkler3 = false;        // "Iterazione" label
    bool txtWinkler2Visibile = true; // txtWinkler(2) and its label (elastic soil only)
    bool lblunitsWinklerVisibili = true;
    bool txtX4Visibile = false;  // txtX(4) and its two labels
    int Figura = 0;              // index of Pctvincoli shown
    std::string testoIterazione; // "Iterazione " + pass

    // --- unit labels beside the fields (VisualizzaUnits) ---
    std::string lblLuce, lblE, lblJ, lblK, lblB, lblCarichiTrapezi, lblForze, lblCoppie;
    std::string lblMomento, lblForza, lblLunghezza, lblPressione;

    // --- window state ---
    static constexpr const char* PrefissoTitolo = "Trave Zelvo - File: ";
    std::string Caption = PrefissoTitolo;
    std::string NomeFile;     // current data file (without folder and extension)
    std::string PercorsoFile; // full path of the current data file ("" for a new one)
    int16_t NSezioni = 100;
    bool Settaggio = false; // the program is setting chkDistanzeParziali
    bool Calcolato = false;
    Fuoco fuoco;
    FinestraUnita frmUnits;
    std::string VersioneLetta; // version of the file read last
    // The problem's section-property record (lines 15-16 of the data file):
    // read with the file and written back when it is saved, so that opening
    // and saving a problem keeps it; an empty problem has none.
    RecordProperty SezioneProgetto;
    // How the last reading of a data file ended (Parziale: it stopped before
    // the lines its version holds, its messages shown).
    EsitoProgetto EsitoLettura = EsitoProgetto::Completo;

    // ------------------------------------------------------------------
    // Procedures of the window.
    void InizializzaForm();
    // Reads the window into Modulo.Dati. Faults throw Guasto; returns false
    // after "Errore in LeggeGriglia" (the calculation must end).
    bool LeggeDati();
    bool LeggeCarichi();
    void ControllaDistanza(double d, const std::string& etichetta, int i,
                           std::optional<double> d2 = std::nullopt);
    void ScriveDatiInForm();
    void ScriveCarichi();
    // Partial distances for display of table t (0..2) from absolute positions:
    // returns the shown values (internal units), one row per load.
    std::vector<double> DistanzeParzialiCalcola(const std::vector<double>& assolute);
    double NuovaDistanza(double precedente, double corrente);
    void RisultatiScrive();
    void FrameRisultati(bool visibile);
    void SchemaAggiorna(int s);
    void FondazioneImposta();
    void VisualizzaUnits();
    void chkDistanzeParzialiSetta();

    // --- events ---
    // "Calcola": LeggeDati + Calcola with the trap "Errore! Controllare i dati".
    EsitoCalcolo btnCalcola_Click();
    void Optschema_Click(int i);
    void OptFond_Click(int i);
    void chkReagTraz_Click(bool spuntato);
    void chkDistanzeParziali_Click(bool spuntato);
    // Enter in txtRigheGriglia(i).
    void txtRigheGriglia_Invio(int i);
    // Enter in txtDati(i) / txtX(0): normalise the number, move the focus.
    void txtDati_Invio(int i);
    void txtX_Invio();
    // Diagram output with fresh results (callback of the diagram output).
    bool PlottaInOggetto(const std::string& uscita);

    // --- start-up and File items ---
    // Start-up: locale check, caption, InizializzaForm; opens the file named
    // by the arguments or sets the default units and runs the units window
    // (`confermaUnita` plays the user there: nothing = OK as it stands).
    // `silenzioso` silences the locale check's advice (command line).
    void Avvio(const std::vector<std::string>& argomenti,
               const std::function<void(ModelloForm&)>& confermaUnita = nullptr,
               bool silenzioso = false);
    // Opens the file named on the command line; false when nothing opened.
    bool ApriDaRigaComando(const std::string& rigaComando);
    static std::vector<std::string> DividiRigaComando(const std::string& rigaComando);
    void FileNuovo();
    // Opens a data file (InizializzaForm, read, ScriveDatiInForm). With an
    // empty path the file dialog is asked.
    bool ApriFileDati(const std::string& percorso = "");
    bool FileSalva();
    bool FileSalvaCome(const std::string& percorso = "");
    // "File di stampa (TXT)": Calcola, then the report to a file.
    bool FileStampaTxt(const std::string& percorso = "");
    // File item i (0 "Nuovo" ... 12 "Esci") with its trap
    // "Errore in Sub mnuFileItem_Click"; false when it did not complete.
    bool mnuFileItem_Click(int i);
    // The current data file (name, path, caption) for the file commands.
    FileCorrente File();
    bool Chiuso = false; // "Esci" chosen

    // --- frmUnits ---
    void frmUnits_Apri();
    void frmUnits_NoUnits(bool spuntato);
    void frmUnits_SistemaSI();
    void frmUnits_OK();
    void frmUnits_Cancel();

    // Results texts of the foundation summary shown last (for the report).
    std::optional<RiepilogoFondazione> Riepilogo;

    // Text of an internal value in the current units; `singolo`: the
    // value is a single (formatted from its single-precision text).
    std::string TestoUnita(Grandezza g, double valore, bool singolo) const;

  private:
    void Avvisa(const std::string& testo, Icona icona = Icona::Nessuna);
    bool silenzioso_ = false;
    void ScriveCampo(CampoForm& c, Grandezza g, double valore, bool singolo);
    double LeggeCampo(const CampoForm& c, Grandezza g) const;
    int16_t LeggeIntero(const CampoForm& c) const;
    bool LeggeTabella(int t);
    // "Salva" / "S&alva come...": LeggeDati, then the file command (percorso:
    // the dialog's answer when already known).
    bool ScriviFile(ComandoFile comando, const std::string& percorso);
    void ScriveTabella(int t);
};

// Texts of the unit-window choices, by group (Length, Modulus/Stress,
// Force, Area - Inertia) and option 0..2.
const std::array<std::array<const char*, 3>, 4>& CaptionUnita();

} // namespace zelvo
