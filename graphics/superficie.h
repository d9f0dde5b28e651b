// The raster drawing surface behind the targets "VIDEO" and "STAMPANTE".
//
// A surface works in device units (pixels of the image or of the printer
// page) with a user coordinate system installed by the plot window: the world
// point (x, y) lands at device column (x - left) * W / width and row
// (y - top) * H / height (height is negative: world ordinates grow upwards).
// Every primitive is given in world units. Toolkit-free: the QPainter adapter
// (superficie_qt.h) and the recording surface of the tests implement it.
#pragma once

#include <cstdint>
#include <string>

namespace zelvo {

class SuperficieRaster {
  public:
    virtual ~SuperficieRaster() = default;

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

// Latin letters in the "Symbol" font are Greek letters: the text with each
// Latin letter replaced by its Greek counterpart ("s" -> σ), as UTF-8.
std::string TestoSymbol(const std::string& testo);

} // namespace zelvo
