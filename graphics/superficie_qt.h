// The QPainter adapter of the raster targets: "VIDEO" on an image or an SVG
// generator, "STAMPANTE" on an A4 portrait PDF page. The header is
// toolkit-free; only superficie_qt.cpp includes Qt.
//
// Font names map to installed metric-compatible families: "Arial" and
// "MS Sans Serif" to Liberation Sans, "Times New Roman" and "Symbol" to
// Liberation Serif, "Courier New" to Liberation Mono.
#pragma once

#include "graphics/superficie.h"

#include <memory>
#include <string>

class QPainter;

namespace zelvo {

// Makes sure a QGuiApplication exists (needed for fonts); with no platform
// chosen in QT_QPA_PLATFORM the "offscreen" platform is used.
void AssicuraApplicazioneQt();

// The family used for a font name.
std::string FamigliaFont(const std::string& nome);

// A raster surface drawing with a QPainter on a device of w x h pixels at dpi.
class SuperficieQt : public SuperficieRaster {
  public:
    SuperficieQt(QPainter* pittore, double larghezza, double altezza, double dpi);
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
    virtual SuperficieRaster& Superficie() = 0;
    // Ends the drawing and writes the file atomically; false on failure.
    virtual bool Salva(const std::string& percorso) = 0;

    // "VIDEO": a w x h pixel image on a white background, saved as PNG.
    static std::unique_ptr<DisegnoQt> Immagine(int w, int h);
    // "VIDEO": an SVG document of w x h pixels.
    static std::unique_ptr<DisegnoQt> Svg(int w, int h);
    // "STAMPANTE": an A4 portrait PDF page at 600 dpi.
    static std::unique_ptr<DisegnoQt> Pdf();
};

} // namespace zelvo
