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
//
// FabbricaRegistro: file canvases (PNG, SVG, PDF) that are TelaRegistro
// devices; each request, its drawing, its pages and the paths it was saved
// at are kept, and no file is written.
#pragma once

#include "graphics/fabbrica_superfici.h"
#include "graphics/superficie.h"

#include <memory>
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

// One canvas asked of a FabbricaRegistro.
struct DisegnoRegistrato {
    std::string formato; // "png", "svg" or "pdf"
    TelaRegistro tela;
    int pagine = 1;
    std::vector<std::string> salvato; // the path of every Salva, in order
};

class FabbricaRegistro final : public FabbricaSuperfici {
  public:
    // The page of the PDF canvas: A4 less 10 mm margins at 600 dpi, in
    // whole pixels ((210 - 20) / 25.4 * 600 and (297 - 20) / 25.4 * 600).
    static constexpr int LarghezzaPdf = 4488, AltezzaPdf = 6543;

    std::unique_ptr<DisegnoFile> Png(int w, int h) override { return Nuovo("png", w, h); }
    std::unique_ptr<DisegnoFile> Svg(int w, int h) override { return Nuovo("svg", w, h); }
    std::unique_ptr<DisegnoFile> Pdf() override { return Nuovo("pdf", LarghezzaPdf, AltezzaPdf); }

    // What Salva answers (false: a file that could not be written).
    bool salvaRiesce = true;
    // Every canvas asked for, in order (the addresses stay).
    std::vector<std::unique_ptr<DisegnoRegistrato>> disegni;

  private:
    class Disegno final : public DisegnoFile {
      public:
        Disegno(DisegnoRegistrato& r, const bool& riesce) : r_(r), riesce_(riesce) {}
        zelvo::Tela& Tela() override { return r_.tela; }
        bool Salva(const std::string& percorso) override {
            r_.salvato.push_back(percorso);
            return riesce_;
        }
        bool NuovaPagina() override {
            ++r_.pagine;
            return r_.formato == "pdf";
        }

      private:
        DisegnoRegistrato& r_;
        const bool& riesce_;
    };
    std::unique_ptr<DisegnoFile> Nuovo(const char* formato, int w, int h) {
        disegni.push_back(std::make_unique<DisegnoRegistrato>(
            DisegnoRegistrato{formato, TelaRegistro(w, h), 1, {}}));
        return std::make_unique<Disegno>(*disegni.back(), salvaRiesce);
    }
};

} // namespace zelvo
