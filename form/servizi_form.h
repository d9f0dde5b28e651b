// What the main window's model asks from outside: project files, the text
// report, the file dialog, the printer, the drawing output and the windows it
// opens. The windows fill these in; the command-line tool and the tests give
// their own.
#pragma once

#include "core/messaggi.h"
#include "form/operazione_file.h"
#include "form/stampante.h"
#include "graphics/uscita_diagrammi.h"

#include <functional>
#include <string>

namespace zelvo {

class ImpostazioniUtente;
class ModelloForm;
class ModuloZelvo;

struct ServiziForm {
    // The diagram output of File items 8, 9, 10 (CAD, printer, DXF file)
    // and of the "&Stampa" diagram button; none: those do nothing.
    UscitaDiagrammi* Uscita = nullptr;
    // The scales of the scale dialog (none: automatic scales).
    const ScaleUtente* Scale = nullptr;
    // The canvases of the PDF report (none: "Relazione PDF..." says
    // TestoSenzaSuperfici and writes nothing).
    FabbricaSuperfici* Superfici = nullptr;
    // Writes the text report to the file percorso.
    std::function<bool(const ModelloForm&, const std::string& percorso, Messaggi&)> StampaRelazione;
    // Project file: reads the file percorso into the model; false when
    // the file could not be opened or its header read (its messages shown).
    std::function<bool(ModelloForm&, const std::string& percorso)> LeggiProgetto;
    // Writes the model's problem to percorso; false when nothing was
    // written (its messages shown; the old file intact).
    std::function<bool(ModelloForm&, const std::string& percorso)> ScriviProgetto;
    // File dialog: the chosen path, or nothing when cancelled.
    zelvo::SceltaFile SceltaFile;
    // The system printer (the report of "Stam&pa"); none: printing does nothing.
    Stampante* StampanteSistema = nullptr;

    // Windows the model opens (none: the event does nothing more).
    // Diagram window 0 moments, 1 shears, 2 loads (fresh results).
    std::function<void(int diagramma)> MostraDiagramma;
    // The section-properties window, on top, not modal.
    std::function<void()> MostraSezione;
    // The section window hands its E and J back to the main window (closing);
    // false when it stays open (a refused field, its message shown). None:
    // there is no section window.
    std::function<bool()> RiprendiSezione;
    // The units window (modal at start-up, modeless from "&Unità").
    std::function<void(bool modale)> MostraUnita;
    // The load cases and combinations dialog, modal.
    std::function<void()> MostraCombinazioni;
    // The scale dialog, modal.
    std::function<void()> MostraScale;
    // The steel member checks window, on top, not modal.
    std::function<void()> MostraVerifiche;
    // The about window.
    std::function<void()> MostraInformazioni;
    // The program's help at a topic.
    std::function<void(int argomento)> MostraAiuto;
    // Lets the window's pending events run (repaint during the passes of a
    // long calculation).
    std::function<void()> EventiInSospeso;
    // What the program remembers between runs (recent files, the data
    // folder, the units of a new problem); none: nothing is remembered.
    ImpostazioniUtente* Impostazioni = nullptr;
};

} // namespace zelvo
