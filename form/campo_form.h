// One text field of a window and the keyboard focus of the main window.
#pragma once

#include "io/numeri.h"

#include <optional>
#include <string>

namespace zelvo {

// Controls of the main window that can take the keyboard focus.
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
    TxtCampate,      // "N° campate" of the continuous beam
    GrigliaContinua, // indice 0 spans, 1 supports
    EditContinua,    // indice 0..1 (the cell editor of GrigliaContinua indice)
};

struct Fuoco {
    TipoControllo tipo = TipoControllo::Nessuno;
    int indice = 0;
    bool operator==(const Fuoco&) const = default;
};

// One text field. `testo` is what the user sees and edits; the view writes
// it through `Edita`. `Esatto()` gives the value the program wrote with the
// text while the text still reads as the number written with it (a
// re-confirmed or re-normalised display is not an edit).
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
    // User edit.
    void Edita(const std::string& t) { testo = t; }
    std::optional<double> Esatto(const Separatori& s) const;

  private:
    std::optional<double> esatto_;
    std::string testoScritto_;
};

// Same number: the two texts are equal, or both start with a number and the
// numbers are equal.
bool StessoNumero(const std::string& a, const std::string& b, const Separatori& s);

} // namespace zelvo
