// The continuous beam in the main window (scheme 5 "Continua"): the "N°
// campate" field, the table of spans (L, J) and the table of supports (Tipo,
// k, Cedimento), edited like the load grids (Enter chain, Zoom, the whole
// keyboard), and the read-only tables of its results. The tables keep,
// behind each cell the program wrote, its exact value, so that open -> save
// keeps every stored number bit for bit.
//
// Tipo is typed as a word: "Incastro", "Appoggio", "Molla", "Libero", any
// case, or any beginning of one of them (the four initials differ); the cell
// is normalised to the full word when its editor closes. Anything else is
// refused naming the table, the row and the four words.
#pragma once

#include "core/dati.h"
#include "form/campo_form.h"
#include "io/griglia_testo.h"
#include "io/unita.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

class ModelloForm;

// Table 0 (spans) and table 1 (supports) of the continuous beam.
inline constexpr int TabellaCampate = 0, TabellaAppoggi = 1;

// Column headers of the two tables (column 0: the row number).
const std::vector<std::string>& IntestazioniContinua(int tabella);
// The name of a table in messages ("Campate", "Appoggi").
std::string NomeTabellaContinua(int tabella);
// The caption of the count field and of the scheme option.
inline constexpr const char* CaptionCampate = "N° campate";
inline constexpr const char* CaptionOpzioneContinua = "Continua";

// The support kind a text names: the full word or any beginning of it, any
// case, blanks around ignored; none for anything else (an empty text too).
std::optional<TipoAppoggio> TipoAppoggioDaTesto(const std::string& testo);
// The full word of a support kind.
const char* ParolaAppoggio(TipoAppoggio t);
// The message refusing a support kind (row r of the supports).
std::string TestoTipoRifiutato(int riga, const std::string& testo);

// The stiffness of a spring: a force per length, shown in the unit of a
// distributed load.
inline constexpr Grandezza GrandezzaRigidezza = Grandezza::Carico;

class ContinuaForm {
  public:
    explicit ContinuaForm(ModelloForm& m);

    CampoForm txtCampate;                // "N° campate"
    std::array<GrigliaTesto, 2> Griglia; // 0 spans (L, J), 1 supports (Tipo, k, Cedimento)
    GrigliaTesto RisAppoggi, RisCampate; // results (read-only), headings in row 0
    std::string lblRigidezza;            // the unit of k ("(t/m)")

    // The window shows the continuous beam's controls (scheme 5).
    bool Visibile() const;

    // --- procedures ---
    // Empty tables, count 0.
    void Inizializza();
    // The spans and supports of the problem into the count and the tables.
    void Scrive();
    // The tables into the problem's spans and supports (their exact values
    // while unedited), checked strictly: a text that is not a number, or a
    // support kind not among the four, throws DatoRifiutato naming the table,
    // row and column; an empty cell is refused unless `perSalvare` (then it
    // reads 0, an empty kind "Incastro" as the file codes it). The count
    // must be a whole number from 1 to 32766 and the tables must show it.
    // Returns the beam's length (the sum of the spans) and whether every
    // span length is still the one written by the program.
    struct Lunghezza {
        double totale = 0;
        bool intatta = true;
    };
    Lunghezza Legge(DatiTrave& d, bool perSalvare) const;
    // The results tables from the module's results (empty when there are none).
    void RisultatiScrive();
    // The unit labels.
    void VisualizzaUnits();
    // The sum of the span lengths as typed (cells that do not read count 0),
    // in internal units, and the data as typed for the scheme picture (rows
    // that do not read: 0 lengths, "Appoggio").
    double LunghezzaDigitata() const;
    std::vector<CampataContinua> CampateDigitate() const;
    std::vector<AppoggioContinuo> AppoggiDigitati() const;

    // --- events (each runs inside the main window's event guard) ---
    void txtCampate_Invio();
    void Griglia_Tasto(int t, int carattere);
    void Griglia_Seleziona(int t, int r, int c);
    void Griglia_Scorre(int t);
    void Editor_Tasto(int t, TastoEditor tasto);
    void Editor_Edita(int t, const std::string& testo, int selInizio, int selLunghezza);
    void Editor_PerdeFuoco(int t);
    void Griglia_Muovi(int t, int dr, int dc, bool estendi);
    void Griglia_Tab(int t, bool indietro);
    void Griglia_Estendi(int t, int r, int c);
    std::string Griglia_Copia(int t);
    void Griglia_Incolla(int t, const std::string& testo);
    void Griglia_Svuota(int t);
    void Zoom_Click(int t);
    // Every open editor's text into its cell.
    void ChiudiEditori();

    // The control after table t, and before it (the keyboard's chain).
    static Fuoco Successivo(int t);
    static Fuoco Precedente(int t);
    // Luce shows the sum of the spans as typed (scheme 5 only).
    void AggiornaLuce();

  private:
    ModelloForm& m_;
    void Dimensiona(int16_t n);
    void Esito(int t, EsitoTasto e);
    GrigliaTesto& G(int t);
};

} // namespace zelvo
