// A raster surface that records every primitive it receives (for tests and
// for checking drawings without a toolkit). Text is measured as if every
// character were 0.6 of the font's height wide, with a height of 96/72 pixels
// per point.
#pragma once

#include "graphics/superficie.h"

#include <string>
#include <vector>

namespace zelvo {

struct TrattoRegistrato {
    std::string tipo;      // "Linea", "Arco", "Testo"
    std::vector<double> v; // world coordinates as received
    std::string testo;
    uint32_t colore = 0;
    int spessore = 1;
    std::string font;
    double punti = 0;
};

class SuperficieRegistro : public SuperficieRaster {
  public:
    SuperficieRegistro(double larghezza = 1000, double altezza = 700) : w_(larghezza), h_(altezza) {
        ScalaDefault();
    }
    double LarghezzaDispositivo() const override { return w_; }
    double AltezzaDispositivo() const override { return h_; }
    void Linea(double x1, double y1, double x2, double y2) override {
        Registra("Linea", {x1, y1, x2, y2});
    }
    void Arco(double xc, double yc, double r, double a1, double a2) override {
        Registra("Arco", {xc, yc, r, a1, a2});
    }
    void Testo(double x, double y, const std::string& t) override { Registra("Testo", {x, y}, t); }
    double LarghezzaTesto(const std::string& t) override {
        return MondoX(0.6 * AltezzaPixel() * static_cast<double>(Caratteri(t)));
    }
    double AltezzaTesto(const std::string&) override { return MondoY(AltezzaPixel()); }

    std::vector<TrattoRegistrato> tratti;

  private:
    double AltezzaPixel() const { return DimensioneAttuale() * 96.0 / 72.0; }
    static size_t Caratteri(const std::string& t) {
        size_t n = 0;
        for (unsigned char c : t)
            if ((c & 0xC0) != 0x80) ++n;
        return n;
    }
    void Registra(const char* tipo, std::vector<double> v, const std::string& t = "") {
        tratti.push_back({tipo, std::move(v), t, ColoreAttuale(), SpessoreAttuale(), FontAttuale(),
                          DimensioneAttuale()});
    }
    double w_, h_;
};

} // namespace zelvo
