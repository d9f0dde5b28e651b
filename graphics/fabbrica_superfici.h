// The file canvases a drawing is written on: a PNG image, an SVG document, an
// A4 PDF page (and the PDF printer made of its pages). The libraries that
// write such files are handed a factory and never name a toolkit: the
// programs (zelvo-calc's main, the main window) hand them the QPainter one
// of graphics_qt/; a test may hand its own recorder. Where none was handed,
// the output shows TestoSenzaSuperfici and returns false.
#pragma once

#include "core/messaggi.h"
#include "graphics/superficie.h"

#include <memory>
#include <string>

namespace zelvo {

inline constexpr const char* TestoSenzaSuperfici =
    "Disegni PDF, PNG e SVG non disponibili in questo programma.";

// A drawing in progress on an image, an SVG document or a PDF document.
class DisegnoFile {
  public:
    virtual ~DisegnoFile() = default;
    virtual zelvo::Tela& Tela() = 0;
    // Ends the drawing and writes the file atomically; false on failure.
    virtual bool Salva(const std::string& percorso) = 0;
    // Next page of a document (PDF); false where there are no pages.
    virtual bool NuovaPagina() { return false; }
};

class FabbricaSuperfici {
  public:
    virtual ~FabbricaSuperfici() = default;
    // "VIDEO": a w x h pixel image on a white background, saved as PNG.
    virtual std::unique_ptr<DisegnoFile> Png(int w, int h) = 0;
    // "VIDEO": an SVG document of w x h pixels.
    virtual std::unique_ptr<DisegnoFile> Svg(int w, int h) = 0;
    // "STAMPANTE": an A4 portrait PDF document at 600 dpi, on its first page.
    virtual std::unique_ptr<DisegnoFile> Pdf() = 0;
    // A printer writing the pages of Pdf() to percorso when its document
    // ends; a file that cannot be written shows "Impossibile scrivere il
    // file " + percorso.
    virtual std::unique_ptr<StampantePagine> StampantePdf(const std::string& percorso);
};

// Shows TestoSenzaSuperfici when there is no factory; true when there is one.
bool SuperficiDisponibili(const FabbricaSuperfici* fabbrica, Messaggi& msg);

} // namespace zelvo
