// The QPainter device of the raster targets: "VIDEO" on a window, an image or
// an SVG generator, "STAMPANTE" on an A4 portrait PDF page or a printer. The
// header is toolkit-free; only superficie_qt.cpp includes Qt.
//
// Fonts need a QGuiApplication: the program (or the test) creates one before
// drawing; library code never does. Drawing without one throws
// std::logic_error.
//
// Font names map to installed metric-compatible families: "Arial" and
// "MS Sans Serif" to Liberation Sans, "Times New Roman" and "Symbol" to
// Liberation Serif, "Courier New" to Liberation Mono.
#pragma once

#include "graphics/superficie.h"

#include <memory>
#include <string>

class QPainter;
class QGuiApplication;

namespace zelvo {

// Throws std::logic_error unless a QGuiApplication exists.
void RichiediApplicazioneQt();

// The Qt application of a program (or test) that draws without windows,
// created by its main: the "offscreen" platform unless QT_QPA_PLATFORM names
// one. The process's locale is left as it was (Qt would take the
// environment's). Must not be created where an application already exists.
class ApplicazioneOffscreen {
  public:
    ApplicazioneOffscreen();
    ~ApplicazioneOffscreen();
    ApplicazioneOffscreen(const ApplicazioneOffscreen&) = delete;
    ApplicazioneOffscreen& operator=(const ApplicazioneOffscreen&) = delete;

  private:
    std::unique_ptr<QGuiApplication> app_;
};

// The family used for a font name.
std::string FamigliaFont(const std::string& nome);

// A raster device drawing with a QPainter on a device of w x h pixels at dpi
// (a widget's paint event, an image, an SVG document, a printer page).
class TelaQt : public Tela {
  public:
    TelaQt(QPainter* pittore, double larghezza, double altezza, double dpi);
    double LarghezzaDispositivo() const override { return w_; }
    double AltezzaDispositivo() const override { return h_; }
    double Risoluzione() const override { return dpi_; }
    void Linea(double x1, double y1, double x2, double y2) override;
    void Arco(double xc, double yc, double r, double a1, double a2) override;
    void Testo(double x, double y, const std::string& testo) override;
    double LarghezzaTesto(const std::string& testo) override;
    double AltezzaTesto(const std::string& testo) override;

  private:
    void Penna();
    QPainter* p_;
    double w_, h_, dpi_;
};

// A drawing in progress on an image, an SVG document or a PDF page.
class DisegnoQt {
  public:
    virtual ~DisegnoQt() = default;
    virtual zelvo::Tela& Tela() = 0;
    // Ends the drawing and writes the file atomically; false on failure.
    virtual bool Salva(const std::string& percorso) = 0;

    // "VIDEO": a w x h pixel image on a white background, saved as PNG.
    static std::unique_ptr<DisegnoQt> Immagine(int w, int h);
    // "VIDEO": an SVG document of w x h pixels.
    static std::unique_ptr<DisegnoQt> Svg(int w, int h);
    // "STAMPANTE": an A4 portrait PDF page at 600 dpi.
    static std::unique_ptr<DisegnoQt> Pdf();
    // Next page of a document (PDF); false where there are no pages.
    virtual bool NuovaPagina() { return false; }
};

// A printer writing an A4 portrait PDF file (600 dpi) at percorso when its
// document ends; a file that cannot be written shows "Impossibile scrivere
// il file " + percorso.
std::unique_ptr<StampantePagine> StampantePdf(const std::string& percorso);

} // namespace zelvo
