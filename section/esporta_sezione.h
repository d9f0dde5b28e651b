// Export of a section drawing for the command line: DXF (the drawing on
// "DXF", world units in metres), PDF (the printed page, "STAMPANTE") and
// PNG / SVG (the window's picture, "VIDEO", in a 800 x 600 area). The
// raster formats are drawn on the canvases of the factory handed in; without
// one they show TestoSenzaSuperfici and write nothing.
//
// The section must be built first (SezioneEdit::FormLeggeDati, or
// SezioneProfili::Coordinate). A drawing that fails shows "Errore nel
// plottaggio" and writes nothing; a file that cannot be written shows
// "Impossibile scrivere il file " + path and leaves an existing file as it
// was (every file is written atomically). Each function returns true when
// the file was written.
#pragma once

#include "core/messaggi.h"
#include "graphics/fabbrica_superfici.h"
#include "graphics/superficie.h"

#include <functional>
#include <string>

namespace zelvo {

class SezioneEdit;
class SezioneProfili;

inline constexpr const char* TestoErrorePlottaggio = "Errore nel plottaggio";
inline constexpr int LarghezzaFinestraSezione = 800;
inline constexpr int AltezzaFinestraSezione = 600;

// Draws a whole section on a target; false when nothing could be drawn.
using DisegnoSezione = std::function<bool(Superficie&)>;
DisegnoSezione DisegnoDi(SezioneEdit& s);
DisegnoSezione DisegnoDi(SezioneProfili& p);

// Formats by name: "dxf", "pdf", "png", "svg"; false for an unknown one.
bool FormatoSezioneNoto(const std::string& formato);
bool EsportaSezione(const DisegnoSezione& disegno, const std::string& formato,
                    const std::string& percorso, Messaggi& msg, FabbricaSuperfici* superfici);

bool EsportaSezioneDXF(const DisegnoSezione& disegno, const std::string& percorso, Messaggi& msg);
bool EsportaSezionePDF(const DisegnoSezione& disegno, const std::string& percorso, Messaggi& msg,
                       FabbricaSuperfici* superfici);
bool EsportaSezionePNG(const DisegnoSezione& disegno, const std::string& percorso, Messaggi& msg,
                       FabbricaSuperfici* superfici);
bool EsportaSezioneSVG(const DisegnoSezione& disegno, const std::string& percorso, Messaggi& msg,
                       FabbricaSuperfici* superfici);

} // namespace zelvo
