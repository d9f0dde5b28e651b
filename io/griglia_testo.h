// A grid of texts with its current cell and its in-place cell editor: the
// load grids of the main window, the materials table, the section editor's
// shape grid and the grids of the text report are all this one type.
//
// Cells are addressed by row and column from 0 through a flat text array
// (index r * Colonne() + c). The first RigheFisse() rows and ColonneFisse()
// columns are headings: the editor never opens on them. Geometry (widths,
// heights, pixels) belongs to the view that shows the grid.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelvo {

// The value the program wrote behind a cell's text: the internal value
// (`assoluto`) and, for a position shown as a partial distance, the shown
// partial distance (`parziale`, internal units; for every other cell equal
// to assoluto). `testo` is the text written with it.
struct ValoreCella {
    double assoluto = 0;
    double parziale = 0;
    std::string testo;
    bool operator==(const ValoreCella&) const = default;
};

// The in-place editor (`txtEdit`) laid over the current cell.
struct EditorCella {
    bool visibile = false;
    std::string testo;
    int selInizio = 0;    // caret or selection start (characters)
    int selLunghezza = 0; // selection length (characters)
    bool operator==(const EditorCella&) const = default;
};

// Keys the editor handles (their character codes).
enum class TastoEditor { Invio, Esc, Su, Giu };

// The character code Enter gives a grid (`EditaCella`): the editor opens on
// the current cell with its text, the caret at its end.
inline constexpr int TastoInvio = 13;

// Where the focus goes after a key in the editor.
enum class EsitoTasto {
    Editor,     // the editor is open (on the same or the next cell)
    Griglia,    // the grid has the focus, the editor is closed
    Successivo, // past the last data cell: the grid's next control
    Precedente, // before the first data cell: the control before the grid
};

// A rectangle of cells, corners included (empty when ultimaRiga < primaRiga).
struct RettangoloCelle {
    int primaRiga = 0, primaColonna = 0;
    int ultimaRiga = -1, ultimaColonna = -1;
    bool Vuoto() const { return ultimaRiga < primaRiga || ultimaColonna < primaColonna; }
    int NumeroRighe() const { return Vuoto() ? 0 : ultimaRiga - primaRiga + 1; }
    int NumeroColonne() const { return Vuoto() ? 0 : ultimaColonna - primaColonna + 1; }
    bool Contiene(int r, int c) const {
        return r >= primaRiga && r <= ultimaRiga && c >= primaColonna && c <= ultimaColonna;
    }
    bool operator==(const RettangoloCelle&) const = default;
};

// A block of cell texts as a spreadsheet exchanges it: cells separated by
// tabs, rows by line breaks ("\r\n" or "\n"; a final line break ends the
// last row, it does not add an empty one).
using BloccoCelle = std::vector<std::vector<std::string>>;
BloccoCelle BloccoDaTesto(const std::string& testo);
std::string TestoDaBlocco(const BloccoCelle& blocco);
// Rows and (widest row's) columns of a block.
int ColonneBlocco(const BloccoCelle& blocco);

class GrigliaTesto {
  public:
    GrigliaTesto() = default;
    GrigliaTesto(int righe, int colonne, int righeFisse = 0, int colonneFisse = 0);
    // A grid from rows of texts (missing cells of a short row are empty).
    static GrigliaTesto DaRighe(const std::vector<std::vector<std::string>>& righe,
                                int righeFisse = 0, int colonneFisse = 0);

    int Righe() const { return righe_; }
    int Colonne() const { return colonne_; }
    int RigheFisse() const { return righeFisse_; }
    int ColonneFisse() const { return colonneFisse_; }

    // New shape: every text emptied, no written values, editor closed.
    // A fault (Guasto) for a negative or too large shape.
    void Dimensiona(int righe, int colonne);
    // New shape keeping the cells that still fit.
    void Ridimensiona(int righe, int colonne);
    void ImpostaFisse(int righe, int colonne);
    // Removes row r (the rows below move up).
    void EliminaRiga(int r);

    // Flat index of (r, c); a fault (Guasto) outside the grid.
    int Indice(int r, int c) const;
    // Cell text; a fault outside the grid.
    const std::string& Testo(int r, int c) const;
    // Cell text, or "" outside the grid.
    const std::string& TestoOVuoto(int r, int c) const;
    // An edit: the text changes, the value written behind it stays (its
    // owner decides whether the new text still stands for it).
    void ImpostaTesto(int r, int c, const std::string& t);
    // Program writes: the text alone, or the text with its value.
    void Scrivi(int r, int c, const std::string& t);
    void Scrivi(int r, int c, const std::string& t, const ValoreCella& v);
    // The value written with the cell's last program write, if any.
    const std::optional<ValoreCella>& Scritto(int r, int c) const;
    // Rows of texts, from row primaRiga and column primaColonna.
    std::vector<std::vector<std::string>> Testi(int primaRiga = 0, int primaColonna = 0) const;

    // Texts and shape (not the editor or the current cell).
    bool operator==(const GrigliaTesto& o) const;

    // --- control state ---
    bool visibile = true;
    bool zoom = false;         // the "Zoom" button's state
    bool perColonne = false;   // Enter moves along the row (else down the column)
    int riga = 0, colonna = 0; // current cell
    EditorCella editor;
    // Applied to the editor's text when it loses the focus (a number field's
    // normalisation); none: the text is kept as typed.
    std::function<std::string(const std::string&)> normalizza;

    // --- the editor's behaviour ---
    // Opens the editor on the current cell. carattere 0: by the mouse (a
    // cell holding a number gives its text, all selected); > 32: that
    // character alone, caret after it; 1..32 (Enter, space, other control
    // keys): the cell text, caret at its end. False when the current cell is
    // not a data cell.
    bool EditaCella(int carattere = 0);
    // A key in the editor. Enter: the text goes into the cell and the
    // current cell moves on (along the row or down the column); from the last
    // data cell: Successivo; otherwise the editor opens on the new cell.
    // Escape: the editor closes, the cell keeps its text. Up / Down: the
    // text goes into the cell and the current row moves by one within the
    // data rows.
    EsitoTasto Tasto(TastoEditor tasto);
    // The editor loses the focus: its text is normalised (a text that cannot
    // be stays as typed); when it is open it goes into the current cell and
    // the editor closes.
    void EditorPerdeFuoco();
    // The grid's own mouse and scroll events: an open editor's text goes into
    // the current cell (not normalised) and the editor closes.
    void CommitEditor();
    // A command reads the grid while the editor is open: the editor's text
    // goes into its cell as when it loses the focus, unless the cell's text
    // was changed behind it since it opened (then it only closes).
    void ChiudiEditore();
    // A mouse selection of cell (r, c): commit, then the editor opens there
    // (false for a heading cell or outside the grid: nothing opens).
    bool SelezionaCella(int r, int c);
    // True when the current cell is a data cell.
    bool CellaDati() const;
    // Sets the current cell, clamped to the data cells.
    void CellaCorrente(int r, int c);

    // --- moving between cells and selecting a block ---
    // Moves the current cell by dr rows and dc columns within the data cells
    // (an open editor's text goes into its cell first, normalised, and the
    // editor closes). estendi: the selected block grows from where it started
    // (Shift with the arrows); otherwise it is the current cell alone.
    void Muovi(int dr, int dc, bool estendi);
    // The next (indietro: previous) data cell, row by row: the editor's text
    // goes into its cell and the editor closes. Past the last data cell:
    // Successivo; before the first: Precedente (the current cell stays);
    // otherwise Griglia.
    EsitoTasto Tab(bool indietro);
    // The block from the current cell (where it started) to cell (r, c),
    // clamped to the data cells (a drag of the mouse, a click with Shift):
    // an open editor's text goes into its cell and the editor closes.
    void EstendiA(int r, int c);
    // The selected block, within the data cells: the current cell alone when
    // no block is selected or the editor is open; empty without data cells.
    RettangoloCelle Selezione() const;
    // The texts of the selected block, as shown, tab-separated, rows by "\n".
    std::string TestoSelezione() const;
    // Empties the selected cells' texts (the Delete key on the grid).
    void SvuotaSelezione();
    // Data rows a block pasted at the selection's first cell needs beyond
    // the grid's last row (0 when it fits).
    int RigheMancanti(const BloccoCelle& blocco) const;
    // Writes the block's texts (as edits) from the selection's first cell:
    // what falls outside the grid is dropped. The cells written become the
    // selected block, the first one current. Returns them.
    RettangoloCelle Incolla(const BloccoCelle& blocco);

    // Whether the text holds a number: only such a cell's text goes into the
    // editor when it is opened by the mouse. None: every text does.
    std::function<bool(const std::string&)> numerico;

  private:
    int righe_ = 0, colonne_ = 0;
    int righeFisse_ = 0, colonneFisse_ = 0;
    std::vector<std::string> testi_;
    std::vector<std::optional<ValoreCella>> scritti_;
    // The selected block: from the anchor to the current cell, while the
    // current cell is still the one the block was stretched to.
    std::optional<std::pair<int, int>> ancora_;
    int finoRiga_ = -1, finoColonna_ = -1;
    std::string testoAperto_; // the cell's text when the editor opened on it
};

// Number of characters of a UTF-8 text (code points).
int CaratteriUtf8(const std::string& testo);

} // namespace zelvo
