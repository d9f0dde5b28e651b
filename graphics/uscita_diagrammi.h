// The one output of a finished drawing to the printer, a DXF file or the CAD
// application: File items 8, 9 and 10 of the main window, its "&Stampa"
// diagram button and the command line all come here. The owner of the
// drawing (the main window's model, the command line's run) draws its whole
// picture on the target it is handed: its PlottaInOggetto.
//
//   UscitaDiagrammi u(msg, servizi);
//   u.Esegui(1, "trave", plottaInOggetto);  // save dialog, "trave.dxf", drawing, file
//   u.Dxf("out.dxf", plottaInOggetto);      // the file already chosen
//   u.Stampa(plottaInOggetto, false);       // the printer, no print dialog
//   u.Cad(plottaInOggetto);                 // the CAD application
//
// Every file is written atomically; a drawing that fails writes nothing.
// Faults end the output with the printing error message; a cancelled dialog
// ends it silently.
#pragma once

#include "core/messaggi.h"
#include "graphics/cad.h"
#include "graphics/plotta.h"
#include "graphics/superficie.h"

#include <functional>
#include <optional>
#include <string>

namespace zelvo {

// The owner's drawing of its whole picture on a target; false when nothing
// (or not all) was drawn, after its own message.
using PlottaInOggetto = std::function<bool(Superficie&)>;

inline constexpr const char* FiltroDxf = "All Files (*.*)|*.*|Files per Autocad (*.dxf)|*.dxf";
inline constexpr const char* TestoStampanteAssente = "Stampante non presente o non disponibile.";

// The save dialog (overwrite prompt on): the chosen path, or nothing on cancel.
using DialogoSalva = std::function<std::optional<std::string>(
    const std::string& nomeProposto, const std::string& filtro, int indiceFiltro)>;

struct ServiziUscita {
    DialogoSalva Salva;                // choice 1
    StampantePagine* Stampa = nullptr; // choice 0
    FabbricaCad Cad = NessunCad();     // choice 2
};

class UscitaDiagrammi {
  public:
    explicit UscitaDiagrammi(Messaggi& msg, ServiziUscita servizi = {})
        : msg_(msg), servizi_(std::move(servizi)) {}
    ServiziUscita& Servizi() { return servizi_; }
    Messaggi& Msg() { return msg_; }

    // choice 0: printer (print dialog, one drawing per copy); 1: DXF file
    // (save dialog proposing nomeBase + ".dxf"); 2: CAD application; other
    // values: nothing. True when a drawing was output.
    bool Esegui(int scelta, const std::string& nomeBase, const PlottaInOggetto& proprietario);
    bool Stampa(const PlottaInOggetto& proprietario, bool dialogo = true);
    bool Dxf(const std::string& percorso, const PlottaInOggetto& proprietario);
    bool Cad(const PlottaInOggetto& proprietario);

  private:
    void Errore(const std::exception& e);
    Messaggi& msg_;
    ServiziUscita servizi_;
};

// --- the diagrams -----------------------------------------------------------

inline constexpr const char* TestoSenzaCalcolo =
    "Nessun calcolo eseguito: diagrammi non disponibili";
inline constexpr int LarghezzaFinestraDiagramma = 1000;
inline constexpr int AltezzaFinestraDiagramma = 700;

// The PlottaInOggetto of the beam diagrams with the results of a completed
// calculation: the printed page (three bands) or the stacked drawing of the
// files and CAD. Without a completed calculation it shows TestoSenzaCalcolo.
PlottaInOggetto DiagrammiInOggetto(const ContestoDiagrammi& c);

// The printed page of the diagrams as an A4 PDF file, through the PDF printer
// of c.Superfici (none: TestoSenzaSuperfici, false).
bool StampaDiagrammiPdf(UscitaDiagrammi& uscita, const ContestoDiagrammi& c,
                        const std::string& percorso);

// The three diagram windows ("VIDEO", 1000 x 700) as pictures on the
// canvases of c.Superfici: prefisso-M, -T, -C + ".png" or ".svg" (formato
// "png" or "svg"). Without a calculation TestoSenzaCalcolo, without canvases
// TestoSenzaSuperfici, and false.
bool ImmaginiDiagrammi(const ContestoDiagrammi& c, const std::string& prefisso,
                       const std::string& formato, Messaggi& msg);

} // namespace zelvo
