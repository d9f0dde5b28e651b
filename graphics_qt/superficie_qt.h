// The Qt drawing backend (library zelvo_graphics_qt): the QPainter device of
// the raster targets, "VIDEO" on a window, an image or an SVG generator,
// "STAMPANTE" on an A4 portrait PDF page or a printer, and the factory of
// the file canvases (PNG, SVG, PDF) that the programs hand to the libraries.
// The header is toolkit-free; only superficie_qt.cpp includes Qt.
//
// Fonts need a QGuiApplication: the program (or the test) creates one before
// drawing; library code never does. Drawing without one throws
// std::logic_error.
//
// Font names map to installed metric-compatible families: "Arial" and
// "MS Sans Serif" to Liberation Sans, "Times New Roman" and "Symbol" to
// Liberation Serif, "Courier New" to Liberation Mono.
#pragma once

#include "graphics/fabbrica_superfici.h"
#include "graphics/superficie.h"

#include <memory>
#include <string>

class QPainter;
class QGuiApplication;

namespace zelvo {

// Throws std::logic_error unless a QGuiApplication exists.
void RichiediApplicazioneQt();

// The Qt application of a program (or test) that draws without windows,
// created by its main, on the platform QT_QPA_PLATFORM names (the main, or
// the test's environment, chooses "offscreen"; the library never does). The
// process's locale is left as it was (Qt would take the environment's). Must
// not be created where an application already exists.
class ApplicazioneDisegni {
  public:
    ApplicazioneDisegni();
    ~ApplicazioneDisegni();
    ApplicazioneDisegni(const ApplicazioneDisegni&) = delete;
    ApplicazioneDisegni& operator=(const ApplicazioneDisegni&) = delete;

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

// The file canvases drawn with a QPainter: a QImage saved as PNG, a
// QSvgGenerator, a QPdfWriter (A4 portrait, margins 10 mm, 600 dpi). Each
// throws std::logic_error without a QGuiApplication.
class FabbricaSuperficiQt final : public FabbricaSuperfici {
  public:
    std::unique_ptr<DisegnoFile> Png(int w, int h) override;
    std::unique_ptr<DisegnoFile> Svg(int w, int h) override;
    std::unique_ptr<DisegnoFile> Pdf() override;
};

} // namespace zelvo
