// The DXF writer: a minimal drawing exchange file with a single ENTITIES
// section. Lines end in CR LF; text is Windows-1252; numbers are written with
// a period, up to 15 significant digits and no leading zero (".5", "-.5").
// The entities are collected in memory and the file is written atomically by
// `ChiudiDxf`.
#pragma once

#include "graphics/geometria.h"

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

// The open DXF file of the drawing module (one at a time).
// ApriDxf starts it and keeps the file name and number; ChiudiDxf writes the
// whole file atomically and forgets it. ChiudiDxf returns false (and leaves
// an existing file untouched) when the file cannot be written.
void ApriDxf(const std::string& nomeFile, int16_t numeroFile);
bool ChiudiDxf();
// Forgets the open file without writing it.
void AbbandonaDxf();
// The writer of the open file, or nullptr when none is open.
ScrittoreDxf* DxfAperto();

// UTF-8 to Windows-1252 (characters outside the code page become "?").
std::string InWindows1252(const std::string& utf8);

} // namespace zelvo
