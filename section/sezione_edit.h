// Cross-sections defined by a type and a few numbers (the section editor).
//
// Seven types: one rectangle, a T, a stack of rectangles, a stack of
// trapezoids (rows from the top down, symmetric about the vertical axis), a
// circle or ring, a polygon by its vertices, a regular polygon (solid or
// hollow). The outline is built in metres from values entered in the
// current length unit ("mm", "cm", anything else metres).
#pragma once

#include "core/messaggi.h"
#include "graphics/plottaggio.h"
#include "graphics/superficie.h"
#include "io/griglia_testo.h"
#include "io/numeri.h"
#include "io/verso.h"
#include "section/poligono.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace zelvo {

// One value of a value list: typed when written by the program, a number
// (double) or a string when read back from a file.
using ValoreColl = std::variant<int16_t, float, double, bool, std::string>;
using ValoriColl = std::vector<ValoreColl>;

enum TipoSez : int16_t {
    SezRettangolo = 0,  // "1 Rect."
    SezT = 1,           // "T"
    SezNRettangoli = 2, // "n Rect."
    SezTrapezi = 3,     // "Trapez."
    SezCircolare = 4,   // "Circular"
    SezCoordinate = 5,  // "Coord."
    SezPoligono = 6,    // "Polygon"
};

// Captions of the type options, by TipoSezione.
const char* DidascaliaTipoSezione(int16_t tipo);

// The editor's fields, as the window shows them (texts in the current units).
struct CampiEditorSezione {
    int16_t TipoSelezionato = 0; // the selected type option
    std::string Righe;           // row-count box
    GrigliaTesto Griglia;        // data cells (row, column) from 0; hidden without rows
    std::string RaggioEsterno, RaggioInterno, NumeroVertici; // radius frame
    // The regional separators the texts above are written and read with.
    Separatori separatori;
};

// The editor's field a refused text was typed in.
enum class CampoEditorSezione {
    Nessuno,
    Righe,
    Griglia,
    RaggioEsterno,
    RaggioInterno,
    NumeroVertici
};
struct RifiutoEditorSezione {
    CampoEditorSezione campo = CampoEditorSezione::Nessuno;
    int riga = 0, colonna = 0; // the grid's data cell, from 1
};

// How a refusal names a cell of the shape table ("Tabella della sezione,
// riga 2, colonna h"); rows and columns from 1.
std::string LuogoTabellaSezione(int16_t tipo, int riga, int colonna);

class SezioneEdit {
  public:
    ValoriColl CollEdit;
    bool ScritturaSucc = false;
    bool LetturaSucc = false;
    Poligono Contorno;
    float xPtoCalcoloM = 0;
    float yPtoCalcoloM = 0;
    double WxSup = 0;
    double WxInf = 0;
    double Wply = 0;
    double Wplz = 0;
    int16_t TipoSezione = 0;

    // Name of the current length unit for section dimensions.
    std::string UnitaLunghezza = "m";
    // Factor from the display unit to metres.
    double Fattore() const;

    // ---- window-facing ----
    // Where the last FormLeggeDati refused a typed text (Nessuno otherwise).
    RifiutoEditorSezione Rifiuto;
    bool FormLeggeDati(const CampiEditorSezione& campi, Messaggi& msg);
    bool LeggeCerchio(const CampiEditorSezione& campi, Messaggi& msg);
    void FormScriveDati(CampiEditorSezione& campi) const;
    // Leggi: display table → metre table; Scrivi: the reverse.
    void MatriceFigureAssociata(Verso Modo);

    // ---- building ----
    bool FormLeggeDatiContinua(Messaggi& msg);
    bool LeggeCerchioContinua(Vettore1<double>& x, Vettore1<double>& y, Messaggi& msg);
    bool TuttiTipiSezione(int16_t Tipo, Vettore1<double>& x, Vettore1<double>& y, Messaggi& msg);
    bool AreaNulla();

    // ---- storage ----
    // Moves values into (Verso::Scrivi) or out of (Verso::Leggi) CollEdit; reading
    // past the end of the list is a fault (Guasto).
    void CollEditLeggeScrive(Verso Modo, ValoriColl& valori);
    // The whole section into CollEdit (Verso::Scrivi) or back from it (Verso::Leggi); false
    // when the list does not hold a section.
    bool DatiLeggeScrive(Verso Modo);
    static void CopiaColl(ValoriColl& CollRicevi, const ValoriColl& CollDai);

    // Overall height and width (metres) after an optional rebuild from
    // CollEdit ("Error in Function hSez" when that fails); fills the levels.
    bool DimSez(double& h, double& b, Messaggi& msg, bool Ricarica = true);
    // Layer description: levels (metres, from the top) of the rows or vertices.
    std::vector<double> Strati;

    // ---- drawing ----
    // Fits this section's plot window to the world rectangle on the target
    // (the window's picture, the printer, or a file or CAD target), with
    // equal scales and the text in "Times New Roman". False for a window
    // that is not finite.
    bool PltInizializza(double xMin, double xMax, double yMin, double yMax, Superficie& superficie);
    // Draws the built outline: the window fitted to the outline widened to
    // the centroid, the two centroid lines (each only where it meets the
    // outline in exactly two points), the outline (two loops for a hollow
    // circle or polygon) and its hatch at 45 degrees in 40 divisions. False,
    // with nothing more drawn, when there is no drawable outline or a
    // primitive failed; the caller shows "Errore nel plottaggio".
    bool PlottaSezione(Superficie& superficie);
    // The drawing state of the last drawing (its target, scale, colour).
    Grafica& Disegno() { return grafica_; }
    // The outline is two loops (hollow circle or polygon).
    bool SezioneCava() const;

    // ---- direct access for the callers that build a section from values ----
    // Table (display unit) of c columns × n rows; value (column, row), 1-based.
    int16_t Righe() const { return nRighe_; }
    int16_t Colonne() const { return TipoSezione == SezTrapezi ? 3 : 2; }
    void ImpostaTabella(int16_t righe, const std::vector<std::vector<float>>& righeValori);
    float Tabella(int col, int riga) const;
    float TabellaMetri(int col, int riga) const;
    void ImpostaRaggi(float esterno, float interno, int16_t lati);
    float Raggio() const { return rEsterno_; }
    float RaggioInterno() const { return rInterno_; }
    float RaggioMetri() const { return rEsternoM_; }
    float RaggioInternoMetri() const { return rInternoM_; }
    int16_t Lati() const { return nLati_; }

  private:
    int16_t cursore_ = 1;
    int16_t nVerticiContorno_ = 0;
    int16_t nRighe_ = 0;
    int16_t nLati_ = 0;
    // [column][row], 0-based storage of the 1-based table.
    std::vector<std::vector<float>> tab_, tabM_;
    float rEsterno_ = 0, rInterno_ = 0, rEsternoM_ = 0, rInternoM_ = 0;
    Plottaggio finestra_;
    Grafica grafica_;

    void Dimensiona(std::vector<std::vector<float>>& t, int c, int n) const;
};

} // namespace zelvo
