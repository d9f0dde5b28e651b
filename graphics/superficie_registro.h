// Recording targets for tests and for checking drawings without a toolkit.
//
// TelaRegistro: a raster device (under SuperficieVideo or
// SuperficieStampante) that records every device primitive it receives, in
// world coordinates. Text is measured as if every character were 0.6 of the
// font's height wide, with a height of 96/72 pixels per point.
//
// SuperficieRegistro: a target of its own, like a file (no device, text by
// its baseline), that records every primitive with the final coordinates
// the drawing module sends.
#pragma once

#include "graphics/superficie.h"

#include <string>
#include <vector>

namespace zelvo {

struct TrattoRegistrato {
    std::string tipo;      // "Linea", "Arco", "Testo" (and "Poligonale", "Solido")
    std::vector<double> v; // world coordinates as received
    std::string testo;
    uint32_t colore = 0;
    int spessore = 1;
    std::string font;
    double punti = 0;
};

class TelaRegistro : public Tela {
  public:
    TelaRegistro(double larghezza = 1000, double altezza = 700) : w_(larghezza), h_(altezza) {
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
    // A new size of the device (a resized window).
    void Ridimensiona(double larghezza, double altezza) {
        w_ = larghezza;
        h_ = altezza;
        ScalaDefault();
    }

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

class SuperficieRegistro final : public Superficie {
  public:
    std::string Nome() const override { return "REGISTRO"; }
    void SpessoreLinea(int16_t s) override { spessore_ = s; }
    void SelezionaFont(int16_t, const std::string& nome) override { font_ = nome; }
    void Linea(double x1, double y1, double x2, double y2, int32_t c) override {
        Registra("Linea", {x1, y1, x2, y2}, c);
    }
    void Arco(double xc, double yc, double r, double a1, double a2, int32_t c) override {
        Registra("Arco", {xc, yc, r, a1, a2}, c);
    }
    void Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y, bool chiusa,
                    int32_t c) override {
        std::vector<double> v;
        for (int i = 1; i <= n; ++i)
            v.insert(v.end(), {x(i), y(i)});
        if (chiusa && n >= 1) v.insert(v.end(), {x(1), y(1)});
        Registra("Poligonale", std::move(v), c);
    }
    void Solido(int n, const Vettore1<double>& x, const Vettore1<double>& y, int32_t c) override {
        std::vector<double> v;
        for (int i = 1; i <= n; ++i)
            v.insert(v.end(), {x(i), y(i)});
        Registra("Solido", std::move(v), c);
    }
    void Testo(double x, double y, double h, const std::string& t, int32_t c) override {
        Registra("Testo", {x, y, h}, c, t);
    }

    std::vector<TrattoRegistrato> tratti;

  private:
    void Registra(const char* tipo, std::vector<double> v, int32_t c, const std::string& t = "") {
        tratti.push_back({tipo, std::move(v), t, static_cast<uint32_t>(c), spessore_, font_, 0});
    }
    int spessore_ = 1;
    std::string font_;
};

} // namespace zelvo
