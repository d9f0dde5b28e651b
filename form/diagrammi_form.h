// The toolkit-free half of the diagram windows (FrmMomenti, FrmTagli,
// FrmCarichi), of the scale dialog frmScale and of the information window
// FrmInfor: what each shows and what each event does. The Qt windows of ui/
// lay them out and forward their events here.
#pragma once

#include "core/messaggi.h"
#include "graphics/plotta.h"
#include "graphics/superficie.h"
#include "io/numeri.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

// ---------------------------------------------------------------------------
// Diagram windows.

struct DescrizioneDiagramma {
    const char* nome;    // "FrmMomenti"
    const char* caption; // "Diagramma Momento"
    TipoDiagramma diagramma;
};
inline constexpr std::array<DescrizioneDiagramma, 3> FinestreDiagrammi{{
    {"FrmMomenti", "Diagramma Momento", TipoDiagramma::Momento},
    {"FrmTagli", "Diagramma Taglio", TipoDiagramma::Taglio},
    {"FrmCarichi", "Carichi", TipoDiagramma::Carichi},
}};
inline constexpr const char* FontDiagrammi = "Arial";

// Initial place and size of window i (0 moments, 1 shears, 2 loads), in
// twips: cascaded by (500, 400) so that they do not cover each other
// exactly; each 7000 x 5000 twips more than its offset.
struct GeometriaTwips {
    int left = 0, top = 0, width = 0, height = 0;
};
GeometriaTwips GeometriaIniziale(int i);

// A value read off a diagram at the mouse.
struct LetturaDiagramma {
    double x = 0;                         // abscissa (internal units), rounded as shown
    double valore = 0;                    // M, V (internal units) or the load intensity at x
    std::optional<double> freccia, suolo; // deflection (moments), soil pressure (loads)
    std::optional<double> minimo;         // an envelope's smallest value (valore: its largest)
    std::string stato;                    // the status line: "x = 2 m   M = 40 kNm   f = ..."
    std::string appunti;                  // the clipboard text: "x; value"
};

class ModelloForm;

// What a diagram window shows when it has no diagram to draw.
inline constexpr const char* TestoNessunRisultato = "Nessun risultato: premere Calcola";
inline constexpr const char* TestoDiagrammaNonDisegnato =
    "Diagramma non disegnato: controllare i dati";

// What the diagram windows of a main window draw: the results of its last
// calculation, and nothing once they are no longer valid (a failed
// calculation, "Nuovo", a file opened) or while a calculation runs.
ContestoDiagrammi ContestoFinestre(ModelloForm& f);

// The moment and shear scales the diagrams use now: the user scales when
// they are on, else the automatic scales of the results (nothing without
// results).
std::optional<std::array<double, 2>> ScaleInVigore(const ContestoDiagrammi& c);

// The views a diagram window offers once the load cases are calculated:
// TestoTuttiICarichi, each case ("Caso: " + its name), each envelope
// ("Inviluppo SLU", "Inviluppo Rara", "Inviluppo Frequente", "Inviluppo
// Quasi permanente"). None without calculated combinations: the window then
// shows no choice.
struct VoceVista {
    std::string Testo;
    VistaDiagrammi Vista;
};
std::vector<VoceVista> VociVista(const ContestoDiagrammi& c);
// The entry of `voci` showing the view in force (0 when none does).
int IndiceVista(const std::vector<VoceVista>& voci, const ContestoDiagrammi& c);

class ModelloDiagramma {
  public:
    explicit ModelloDiagramma(int indice);
    int Indice() const { return indice_; }
    const DescrizioneDiagramma& Descrizione() const { return FinestreDiagrammi.at(indice_); }

    // Paint: the diagram on the window's picture area ("VIDEO"), mapped by
    // the window's own plot window onto the device's current size. Messages
    // of the drawing are kept, never shown from inside the paint: the window
    // shows them afterwards (MessaggiDopoDisegno). False when nothing (or not
    // all) was drawn.
    bool Disegna(const ContestoDiagrammi& c, Tela& t);
    // The messages of the last paint, once.
    std::vector<Messaggio> MessaggiDopoDisegno();
    bool Disegnato() const { return disegnato_; }

    // The status line without a reading: the diagram's scale(s) (after the
    // view's name when a moment or shear diagram shows a case or an
    // envelope), or why nothing is drawn (TestoNessunRisultato,
    // TestoDiagrammaNonDisegnato).
    std::string TestoScala() const;
    // The value at device column `colonna` of the last paint (nothing before
    // a paint, outside the beam or without results). Read from the results
    // by the interpolation of the values at x, in the current units. A
    // moment or shear diagram of a case reads that case's values; of an
    // envelope both values with their governing combinations:
    // "x = 2,5 m   Mmax = 40 kNm (SLU, ...)   Mmin = 10 kNm (SLU, ...)",
    // clipboard "x; max; min".
    std::optional<LetturaDiagramma> Leggi(const ContestoDiagrammi& c, double colonna) const;

    const Plotta& Disegnatore() const { return plotta_; }

  private:
    std::optional<LetturaDiagramma> LeggiVista(const ContestoDiagrammi& c, const VistaDiagrammi& v,
                                               double x) const;
    int indice_;
    Plotta plotta_;
    RegistroMessaggi pendenti_;
    bool disegnato_ = false;
    std::string motivo_ = TestoNessunRisultato;   // why the last paint drew nothing
    std::string vista_;                           // the view's name (none: every load)
    double left_ = 0, width_ = 1, larghezza_ = 1; // mapping of the last paint
    Separatori sep_;                              // separators of the last paint
};

// ---------------------------------------------------------------------------
// Scale dialog frmScale ("Scale Plottaggio").

inline constexpr const char* CaptionScale = "Scale Plottaggio";
inline constexpr const char* EtichettaScalaMomenti = "Scala Momenti  1:";
inline constexpr const char* EtichettaScalaTagli = "Scala Tagli       1:";
// The boxes as a refusal names them.
inline constexpr std::array<const char*, 2> LuogoScala{"Scala Momenti", "Scala Tagli"};
inline constexpr const char* TestoScalaNonValida =
    "Scala non valida: scrivere un numero maggiore di zero.";

class ModelloScale {
  public:
    // Where the focus is: box 0, box 1, OKButton, CancelButton.
    enum class Fuoco { Scala0, Scala1, OK, Annulla };

    // Opening: the scales in force as text (`inVigore`: the user scales when
    // they are on, else the automatic scales of the results shown), "1" in
    // both when there are none; the first box takes the focus with its text
    // selected.
    void Apri(const ScaleUtente& s, const Separatori& sep,
              const std::optional<std::array<double, 2>>& inVigore = std::nullopt);
    // The focus enters box i: its whole text is selected.
    void Entra(int i);
    // The user typed in box i (the new text; the selection goes).
    void Scrivi(int i, const std::string& testo);
    // Enter in box i: 0 moves to box 1, 1 presses OK (returns what OK returns).
    bool Invio(int i, ScaleUtente& s, Messaggi& msg);
    // The keypad's decimal key: the text it types (the system's decimal separator).
    std::string TastoDecimale() const;
    // OK: both numbers, read strictly with the regional separators, become
    // the user scales, which are turned on; the dialog closes (true). A box
    // whose text is not a number shows TestoNumeroRifiutato naming it, one
    // with a number not greater than zero (or nothing) TestoScalaNonValida;
    // either takes the focus and keeps the dialog open with the scales
    // unchanged (false).
    bool OK(ScaleUtente& s, Messaggi& msg);
    // Annulla: automatic scales again; the dialog closes.
    void Annulla(ScaleUtente& s);

    std::array<std::string, 2> txtScala{"1", "1"};
    std::array<bool, 2> selezionato{false, false};
    Fuoco fuoco = Fuoco::Scala0;
    bool aperta = false;
    // The user's separators (numbers shown and read, the keypad's key).
    Separatori separatori;
};

// ---------------------------------------------------------------------------
// Information window FrmInfor.

inline constexpr const char* CaptionInformazioni = "Informazioni: ZELVO.EXE";
inline constexpr const char* TitoloInformazioni = "ZELVO";
inline constexpr const char* VersioneOriginale = "(Versione 5.4 - 24 settembre 2006)";
inline constexpr const char* CaptionOKInformazioni = "&OK";
inline constexpr const char* FontInformazioni = "Times New Roman";
// The program's own version and build line: "Zelvo " + versione + " per
// Linux (Qt " + qt + ")".
std::string VersioneProgramma(const std::string& versione, const std::string& qt);

} // namespace zelvo
