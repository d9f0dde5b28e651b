// The windows and services the main window opens but does not build itself:
// the units window, help, the printer, the diagram windows, the scale dialog,
// the information window and the section-properties window. Each lives in its
// own ui/ file and is plugged in here; a window that is not plugged in is
// answered with a message that says it is not available yet.
#pragma once

#include "form/stampante.h"

#include <functional>
#include <memory>

class QWidget;

namespace zelvo {

class FrmDati;

struct FinestreCollegate {
    // Services the window keeps for its whole life (the diagram output of the
    // File items and of "&Stampa"), connected when it is built.
    std::function<void(FrmDati& f)> Collega;
    // Units window `frmUnits`: modal at start-up, modeless from "&Unità".
    // It works on `f.Modello()` and calls `f.Aggiorna()` after OK.
    std::function<void(FrmDati& f, bool modale)> Unita;
    // The program's help at a topic (1: the first; "&Aiuto" opens that one).
    std::function<void(FrmDati& f, int argomento)> Aiuto;
    // The system printer of the window (print dialog over `genitore`).
    std::function<std::unique_ptr<Stampante>(QWidget* genitore)> CreaStampante;
    // Diagram window 0 moments, 1 shears, 2 loads, after a calculation.
    std::function<void(FrmDati& f, int diagramma)> Diagramma;
    // "&Scelta scale dwg, dxf": the scale dialog, modal.
    std::function<void(FrmDati& f)> Scale;
    // "&Informazioni": the about window.
    std::function<void(FrmDati& f)> Informazioni;
    // "Sezione": the section-properties window, on top, not modal.
    std::function<void(FrmDati& f)> Sezione;
    // "&Verifiche...": the steel member checks, on top, not modal.
    std::function<void(FrmDati& f)> Verifiche;
};

// The program's windows as built so far (ui/finestre_collegate.cpp: each
// window adds its line there).
FinestreCollegate FinestrePredefinite();

} // namespace zelvo
