// Drawing targets. A drawing (a beam diagram, a section) is written once
// against the abstract `Superficie` and runs unchanged on every target:
//
//   Superficie                     abstract target: primitives + capabilities
//   ├── SuperficieRaster           the screen and the printer, on a Tela
//   │   ├── SuperficieVideo        "VIDEO": pen width in pixels, plot centred
//   │   └── SuperficieStampante    "STAMPANTE": pen width in printer pixels,
//   │                              one page shared by bands
//   ├── SuperficieDxf (dxf.h)      "DXF": entities of a DXF file
//   ├── SuperficieCad (cad.h)      "DWG": entities in a CAD application
//   └── SuperficieRegistro         every primitive recorded (tests)
//       (superficie_registro.h)
//
// Primitives receive final world coordinates: the drawing module (grafica.h)
// has already applied its vertical offset and scales. Colours arrive as CAD
// colour numbers; each target turns them into what it needs.
#pragma once

#include "core/messaggi.h"
#include "core/tabella.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

class Superficie {
  public:
    virtual ~Superficie() = default;

    // The target's name as the user sees it ("VIDEO", "STAMPANTE", "DXF", "DWG").
    virtual std::string Nome() const = 0;

    // --- capabilities ------------------------------------------------------
    // A device with its own pixels: the plot window maps the world onto it.
    virtual bool Raster() const { return false; }
    // That device (nullptr for file and CAD targets).
    virtual class Tela* TelaRaster() { return nullptr; }
    // A printed page: several drawings share it, each in its band.
    virtual bool Pagina() const { return false; }
    // The plot window centres the drawing on the whole device.
    virtual bool Centrata() const { return false; }
    // Text is placed by its baseline (files and CAD) rather than by its top.
    virtual bool TestoDallaBase() const { return true; }
    // The drawing carries its scales as captions (no window beside it to show them).
    virtual bool ScaleNelDisegno() const { return false; }
    // Whether a text given by its top is lowered by 1.5 heights onto its baseline.
    virtual bool AbbassaTestoDallAlto() const { return false; }

    // The value stored as the current colour for a CAD colour number.
    virtual int32_t Colore(int32_t numeroCad) const { return numeroCad; }

    // --- drawing state -----------------------------------------------------
    virtual void SpessoreLinea(int16_t /*spessore*/) {}
    // The font slot of the next text (slot 1..10 and its font name).
    virtual void SelezionaFont(int16_t /*slot*/, const std::string& /*nome*/) {}
    // Font name and size of the next texts (targets with fonts of their own).
    virtual void NomeFont(const std::string& /*nome*/) {}
    virtual void DimensioneFont(double /*punti*/) {}
    virtual std::string NomeFontAttivo() const { return ""; }
    // A font slot defined (CAD text styles).
    virtual void DefinisciFont(int16_t /*slot*/, const std::string& /*nome*/,
                               const std::string& /*file*/) {}

    // --- primitives (final world coordinates) -----------------------------
    virtual void Linea(double x1, double y1, double x2, double y2, int32_t colore) = 0;
    // Circular arc from a1 to a2 radians, counter-clockwise.
    virtual void Arco(double xc, double yc, double r, double a1, double a2, int32_t colore) = 0;
    // Polyline through points 1..n, closed back to point 1 when chiusa.
    virtual void Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                            bool chiusa, int32_t colore) = 0;
    // Filled solid of n points, the last repeating the first.
    virtual void Solido(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                        int32_t colore) = 0;
    // Single-line text at (x, y) (its top on raster targets, its baseline otherwise).
    virtual void Testo(double x, double y, double altezza, const std::string& testo,
                       int32_t colore) = 0;
    // One piece of a text in several fonts at (x, y); returns its advance
    // (0 when the target joins the pieces itself, see UnisceTesti).
    virtual double PezzoTesto(double x, double y, double altezza, const std::string& testo,
                              const std::string& font, int32_t colore) {
        Testo(x, y, altezza, testo, colore);
        (void)font;
        return 0;
    }
    // The target writes a text in several fonts as one text of the joined pieces.
    virtual bool UnisceTesti() const { return false; }

    // Text resizing to a requested height (raster targets only).
    virtual void AdattaAltezzaTesto(double /*altezza*/, const std::string& /*testo*/) {}
};

// The raster device behind "VIDEO" and "STAMPANTE": an image, an SVG
// document, a PDF page or a recorder, in device pixels, with a user
// coordinate system installed by the plot window: the world point (x, y)
// lands at device column (x - left) * W / width and row (y - top) * H / height
// (height negative: world ordinates grow upwards). Toolkit-free: the QPainter
// device (graphics_qt/superficie_qt.h) and the recording device of the tests
// implement it.
class Tela {
  public:
    virtual ~Tela() = default;

    // --- coordinates -----------------------------------------------------
    // Device extents in default units (left and top 0, width and height in pixels).
    virtual double LarghezzaDispositivo() const = 0;
    virtual double AltezzaDispositivo() const = 0;
    // Resolution in dots per inch (pen widths in twips are converted with it).
    virtual double Risoluzione() const { return 96; }
    // Back to device units (the scale call with no coordinates).
    void ScalaDefault() {
        left_ = 0;
        top_ = 0;
        width_ = LarghezzaDispositivo();
        height_ = AltezzaDispositivo();
    }
    // User coordinates: top-left corner (left, top), extents width and height
    // (height negative for ordinates growing upwards).
    void Scala(double left, double top, double width, double height) {
        left_ = left;
        top_ = top;
        width_ = width;
        height_ = height;
    }
    void ImpostaTop(double top) { top_ = top; }
    void ImpostaLeft(double left) { left_ = left; }
    double ScalaLeft() const { return left_; }
    double ScalaTop() const { return top_; }
    double ScalaWidth() const { return width_; }
    double ScalaHeight() const { return height_; }

    // World to device.
    double Colonna(double x) const { return (x - left_) * LarghezzaDispositivo() / width_; }
    double Riga(double y) const { return (y - top_) * AltezzaDispositivo() / height_; }
    // Device lengths to world lengths (always positive).
    double MondoX(double pixel) const { return pixel * width_ / LarghezzaDispositivo(); }
    double MondoY(double pixel) const {
        const double h = height_ < 0 ? -height_ : height_;
        return pixel * h / AltezzaDispositivo();
    }
    // World to device and back: a world point (x, y) and the device pixel it lands on.
    double MondoDaColonna(double c) const { return left_ + c * width_ / LarghezzaDispositivo(); }
    double MondoDaRiga(double r) const { return top_ + r * height_ / AltezzaDispositivo(); }

    // --- drawing state ---------------------------------------------------
    virtual void Colore(uint32_t rgb) { colore_ = rgb; }
    uint32_t ColoreAttuale() const { return colore_; }
    virtual void SpessorePenna(int pixel) { spessore_ = pixel; }
    int SpessoreAttuale() const { return spessore_; }
    virtual void NomeFont(const std::string& nome) { font_ = nome; }
    const std::string& FontAttuale() const { return font_; }
    virtual void DimensioneFont(double punti) { punti_ = punti; }
    double DimensioneAttuale() const { return punti_; }

    // --- primitives (world units) ----------------------------------------
    virtual void Linea(double x1, double y1, double x2, double y2) = 0;
    // Arc of the circle of centre (xc, yc) and radius r (in horizontal world
    // units: the circle is round on the device), from a1 to a2 radians,
    // counter-clockwise as seen on the device.
    virtual void Arco(double xc, double yc, double r, double a1, double a2) = 0;
    // Text with its top-left corner at (x, y), in the current font, size and colour.
    virtual void Testo(double x, double y, const std::string& testo) = 0;
    // Text extents in world units for the current font and size.
    virtual double LarghezzaTesto(const std::string& testo) = 0;
    virtual double AltezzaTesto(const std::string& testo) = 0;

  private:
    double left_ = 0, top_ = 0, width_ = 1, height_ = 1;
    uint32_t colore_ = 0;
    int spessore_ = 1;
    std::string font_ = "Arial";
    double punti_ = 8;
};

// RGB value (0xRRGGBB) of a CAD colour number on the screen and the printer.
uint32_t ColoreRGB(int32_t numero);

// The screen and the printer: the primitives drawn as lines, arcs and text
// on a Tela; a solid is its outline with 19 horizontal hatch lines.
class SuperficieRaster : public Superficie {
  public:
    explicit SuperficieRaster(Tela& tela) : tela_(tela) {}
    Tela& Dispositivo() { return tela_; }
    const Tela& Dispositivo() const { return tela_; }

    bool Raster() const override { return true; }
    Tela* TelaRaster() override { return &tela_; }
    bool TestoDallaBase() const override { return false; }
    int32_t Colore(int32_t numeroCad) const override {
        return static_cast<int32_t>(ColoreRGB(numeroCad));
    }
    void SelezionaFont(int16_t slot, const std::string& nome) override;
    void NomeFont(const std::string& nome) override { tela_.NomeFont(nome); }
    void DimensioneFont(double punti) override { tela_.DimensioneFont(punti); }
    std::string NomeFontAttivo() const override { return tela_.FontAttuale(); }

    void Linea(double x1, double y1, double x2, double y2, int32_t colore) override;
    void Arco(double xc, double yc, double r, double a1, double a2, int32_t colore) override;
    void Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y, bool chiusa,
                    int32_t colore) override;
    void Solido(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                int32_t colore) override;
    void Testo(double x, double y, double altezza, const std::string& testo,
               int32_t colore) override;
    double PezzoTesto(double x, double y, double altezza, const std::string& testo,
                      const std::string& font, int32_t colore) override;
    void AdattaAltezzaTesto(double altezza, const std::string& testo) override;

  private:
    Tela& tela_;
};

// "VIDEO": a picture area of a window (or an image of one).
class SuperficieVideo final : public SuperficieRaster {
  public:
    using SuperficieRaster::SuperficieRaster;
    std::string Nome() const override { return "VIDEO"; }
    bool Centrata() const override { return true; }
    // width in pixels
    void SpessoreLinea(int16_t spessore) override;
};

// "STAMPANTE": a printed page.
class SuperficieStampante final : public SuperficieRaster {
  public:
    using SuperficieRaster::SuperficieRaster;
    std::string Nome() const override { return "STAMPANTE"; }
    bool Pagina() const override { return true; }
    // width x 2 x 5.67 twips (0.2 mm per unit) in whole printer pixels
    void SpessoreLinea(int16_t spessore) override;
};

// A printer: a document of "STAMPANTE" pages.
class StampantePagine {
  public:
    virtual ~StampantePagine() = default;
    // The print dialog: the number of copies, or nothing when cancelled.
    virtual std::optional<int> DialogoStampa() { return 1; }
    // Starts the document; false when the printer cannot be used.
    virtual bool Inizia() = 0;
    // The current page.
    virtual Tela& Pagina() = 0;
    virtual void NuovaPagina() = 0;
    // Ends the document; false after its own message when it could not be
    // finished (nothing written).
    virtual bool Fine(Messaggi& msg) = 0;
};

// Latin letters in the "Symbol" font are Greek letters: the text with each
// Latin letter replaced by its Greek counterpart ("s" -> σ), as UTF-8.
std::string TestoSymbol(const std::string& testo);

} // namespace zelvo
