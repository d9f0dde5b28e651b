// The DXF writer: a minimal drawing exchange file with a single ENTITIES
// section. Lines end in CR LF; text is Windows-1252; numbers are written with
// a period, up to 15 significant digits and no leading zero (".5", "-.5").
// The entities are collected in memory and the file is written atomically by
// `ChiudiDxf`.
#pragma once

#include "graphics/geometria.h"
#include "graphics/superficie.h"

#include <cstdint>
#include <string>

namespace zelvo {

// Locale-independent number text of the DXF file.
std::string NumeroDxf(double v);

class ScrittoreDxf {
  public:
    // Starts a new file text: "  0", "SECTION", "  2", "ENTITIES".
    ScrittoreDxf();
    void LineaDxf(double x1, double y1, double x2, double y2, int32_t colore);
    void ArcoDxf(double xc, double yc, double r, double a1, double a2, int32_t colore);
    void PoligonaleDxf(int n, const Vettore1<double>& x, const Vettore1<double>& y, int32_t colore);
    void PoligonaleChiusaDxf(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                             int32_t colore);
    // testo is UTF-8; it is written in Windows-1252.
    void TestoDxf(double x, double y, double altezza, const std::string& testo, int32_t colore);
    // The text so far, closed by "  0", "ENDSEC", "  0", "EOF".
    std::string TestoChiuso() const;

  private:
    void Riga(const std::string& s);
    void Numero(double v) { Riga(NumeroDxf(v)); }
    void Colore6(int32_t c);
    void Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y, int32_t colore,
                    bool chiusa);
    std::string testo_;
};

// "DXF": every primitive appends entities to the open DXF file. ApriDxf
// starts the file text and keeps its name and number; ChiudiDxf writes the
// whole file atomically and closes it, returning false (and leaving an
// existing file untouched) when it cannot be written. A primitive with no
// open file throws Guasto.
class SuperficieDxf final : public Superficie {
  public:
    void ApriDxf(const std::string& nomeFile, int16_t numeroFile);
    bool ChiudiDxf();
    // Closes the file without writing it.
    void AbbandonaDxf();
    bool Aperto() const { return aperto_; }
    int16_t NumeroFileDxf() const { return numero_; }
    // The file text so far (the writer of the open file).
    ScrittoreDxf& File();

    std::string Nome() const override { return "DXF"; }
    bool ScaleNelDisegno() const override { return true; }
    bool AbbassaTestoDallAlto() const override { return true; }
    bool UnisceTesti() const override { return true; }
    void Linea(double x1, double y1, double x2, double y2, int32_t colore) override;
    void Arco(double xc, double yc, double r, double a1, double a2, int32_t colore) override;
    void Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y, bool chiusa,
                    int32_t colore) override;
    // The outline of the solid, as a closed POLYLINE of its first n - 1 points.
    void Solido(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                int32_t colore) override;
    void Testo(double x, double y, double altezza, const std::string& testo,
               int32_t colore) override;

  private:
    ScrittoreDxf scrittore_;
    std::string nome_;
    int16_t numero_ = 0;
    bool aperto_ = false;
};

// UTF-8 to Windows-1252 (characters outside the code page become "?").
std::string InWindows1252(const std::string& utf8);

} // namespace zelvo
