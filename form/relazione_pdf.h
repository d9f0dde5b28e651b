// The calculation report as one printed document (the "Relazione PDF..."
// item and zelvo-calc --report-pdf): a header on every page, the data with
// the scheme's picture and the three load tables, the results as tables (with
// the load cases and combinations, and the steel member checks, when the
// problem has them), and the load, moment and shear diagrams of the printed
// page, each with its caption, as drawings.
//
// Every number is the text the report prints (TestiDaForm: the window's
// fields, result fields and grid cells as displayed), so the document's
// numbers are the report's, character for character.
#pragma once

#include "core/messaggi.h"
#include "form/figura_schema.h"
#include "form/relazione.h"
#include "graphics/documento.h"
#include "graphics/plotta.h"

#include <string>

namespace zelvo {

class ModelloForm;

inline constexpr const char* TitoloRelazionePdf = "Relazione di calcolo";
inline constexpr const char* FiltroPdf = "Tutti i Files (*.*)|*.*|Files PDF (*.pdf)|*.pdf";

// What the document is made of: the report's texts, the scheme picture shown
// (Pctvincoli index), whether positions are partial distances, the diagrams'
// context (a completed calculation) and the date of the header.
struct DatiRelazionePdf {
    TestiRelazione Testi;
    FiguraVincoli Figura;
    bool DistanzeParziali = false;
    ContestoDiagrammi Diagrammi;
    std::string Data;
};

DatiRelazionePdf DatiRelazionePdfDaForm(const ModelloForm& f);

Documento DocumentoRelazione(const DatiRelazionePdf& d);

// Writes the document to an A4 PDF file at percorso, atomically, on the
// canvases of d.Diagrammi.Superfici (none: TestoSenzaSuperfici, no file). A
// failed write shows "Impossibile scrivere il file " + percorso and leaves no
// file; false then, or when a drawing failed.
bool ScriviRelazionePdf(const DatiRelazionePdf& d, const std::string& percorso, Messaggi& msg);

// The window's report as PDF (after a completed calculation).
bool RelazionePdfFile(const ModelloForm& f, const std::string& percorso, Messaggi& msg);

} // namespace zelvo
