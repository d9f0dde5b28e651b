#include "graphics/dxf.h"

#include "core/guasto.h"
#include "core/matematica.h"
#include "io/codifica.h"
#include "io/file_atomico.h"
#include "io/numeri.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace zelvo {

std::string NumeroDxf(double v) {
    Finito(v, "numero non finito nel file DXF");
    if (v == 0) return "0";
    const std::string s = TestoCifre(v, 15);
    // Mantissa and exponent parts; trailing zeros of the mantissa go.
    std::string mant = s, esp;
    if (auto e = s.find('E'); e != std::string::npos) {
        mant = s.substr(0, e);
        esp = s.substr(e);
        // "E-05" -> "E-05" is accepted by every DXF reader; keep two digits.
    }
    if (mant.find('.') != std::string::npos) {
        while (!mant.empty() && mant.back() == '0')
            mant.pop_back();
        if (!mant.empty() && mant.back() == '.') mant.pop_back();
    }
    if (mant.rfind("0.", 0) == 0)
        mant.erase(0, 1);
    else if (mant.rfind("-0.", 0) == 0)
        mant.erase(1, 1);
    return mant + esp;
}

ScrittoreDxf::ScrittoreDxf() {
    Riga("  0");
    Riga("SECTION");
    Riga("  2");
    Riga("ENTITIES");
}

void ScrittoreDxf::Riga(const std::string& s) {
    testo_ += s;
    testo_ += "\r\n";
}

void ScrittoreDxf::Colore6(int32_t c) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%6d", static_cast<int>(c));
    Riga(buf);
}

void ScrittoreDxf::LineaDxf(double x1, double y1, double x2, double y2, int32_t colore) {
    Riga("  0");
    Riga("LINE");
    Riga("  8");
    Riga("0");
    Riga(" 62");
    Colore6(colore);
    Riga(" 10");
    Numero(x1);
    Riga(" 20");
    Numero(y1);
    Riga(" 30");
    Riga("0.0");
    Riga(" 11");
    Numero(x2);
    Riga(" 21");
    Numero(y2);
    Riga(" 31");
    Riga("0.0");
}

void ScrittoreDxf::ArcoDxf(double xc, double yc, double r, double a1, double a2, int32_t colore) {
    Riga("  0");
    Riga("ARC");
    Riga("  8");
    Riga("0");
    Riga(" 62");
    Colore6(colore);
    Riga(" 10");
    Numero(xc);
    Riga(" 20");
    Numero(yc);
    Riga(" 30");
    Riga("0.0");
    Riga(" 40");
    Numero(r);
    Riga(" 50");
    Numero(a1 * 180 / PiGreco);
    Riga(" 51");
    Numero(a2 * 180 / PiGreco);
}

void ScrittoreDxf::Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                              int32_t colore, bool chiusa) {
    // Check every coordinate before writing a partial entity.
    for (int i = 1; i <= n; ++i) {
        Finito(x(i), "numero non finito nel file DXF");
        Finito(y(i), "numero non finito nel file DXF");
    }
    Riga("  0");
    Riga("POLYLINE");
    Riga("  8");
    Riga("0");
    Riga(" 66");
    Riga("     1");
    Riga(" 62");
    Colore6(colore);
    Riga(" 10");
    Riga("0.0");
    Riga(" 20");
    Riga("0.0");
    Riga(" 30");
    Riga("0.0");
    auto vertice = [&](int i) {
        Riga("  0");
        Riga("VERTEX");
        Riga("  8");
        Riga("0");
        Riga(" 10");
        Numero(x(i));
        Riga(" 20");
        Numero(y(i));
        Riga(" 30");
        Riga("0.0");
    };
    for (int i = 1; i <= n; ++i)
        vertice(i);
    if (chiusa && n >= 1) vertice(1);
    Riga("  0");
    Riga("SEQEND");
    Riga("  8");
    Riga("0");
}

void ScrittoreDxf::PoligonaleDxf(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                                 int32_t colore) {
    Poligonale(n, x, y, colore, false);
}

void ScrittoreDxf::PoligonaleChiusaDxf(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                                       int32_t colore) {
    Poligonale(n, x, y, colore, true);
}

void ScrittoreDxf::TestoDxf(double x, double y, double altezza, const std::string& testo,
                            int32_t colore) {
    const std::string sx = NumeroDxf(x), sy = NumeroDxf(y), sh = NumeroDxf(altezza);
    Riga("  0");
    Riga("TEXT");
    Riga("  8");
    Riga("0");
    Riga(" 62");
    Riga((colore < 0 ? "" : " ") + std::to_string(colore) + " ");
    Riga(" 10");
    Riga(sx);
    Riga(" 20");
    Riga(sy);
    Riga(" 30");
    Riga("0.0");
    Riga(" 40");
    Riga(sh);
    Riga("  1");
    // A line break inside the text would break the file's structure.
    std::string t = InWindows1252(testo);
    for (char& c : t)
        if (c == '\r' || c == '\n') c = ' ';
    Riga(t);
}

std::string ScrittoreDxf::TestoChiuso() const {
    return testo_ + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}

std::string InWindows1252(const std::string& s) {
    return Utf8ACp1252(s);
}

void SuperficieDxf::ApriDxf(const std::string& nomeFile, int16_t numeroFile) {
    nome_ = nomeFile;
    numero_ = numeroFile;
    scrittore_ = ScrittoreDxf();
    aperto_ = true;
}

void SuperficieDxf::AbbandonaDxf() {
    aperto_ = false;
    scrittore_ = ScrittoreDxf();
}

bool SuperficieDxf::ChiudiDxf() {
    if (!aperto_) return false;
    aperto_ = false;
    const std::string testo = scrittore_.TestoChiuso();
    scrittore_ = ScrittoreDxf();
    return ScriviFileAtomico(nome_, testo);
}

ScrittoreDxf& SuperficieDxf::File() {
    if (!aperto_) throw Guasto("file DXF non aperto");
    return scrittore_;
}

void SuperficieDxf::Linea(double x1, double y1, double x2, double y2, int32_t colore) {
    File().LineaDxf(x1, y1, x2, y2, colore);
}

void SuperficieDxf::Arco(double xc, double yc, double r, double a1, double a2, int32_t colore) {
    File().ArcoDxf(xc, yc, r, a1, a2, colore);
}

void SuperficieDxf::Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                               bool chiusa, int32_t colore) {
    if (chiusa)
        File().PoligonaleChiusaDxf(n, x, y, colore);
    else
        File().PoligonaleDxf(n, x, y, colore);
}

void SuperficieDxf::Solido(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                           int32_t colore) {
    // An outline through the first n - 1 points (the last repeats the first).
    File().PoligonaleChiusaDxf(n - 1, x, y, colore);
}

void SuperficieDxf::Testo(double x, double y, double altezza, const std::string& testo,
                          int32_t colore) {
    File().TestoDxf(x, y, altezza, testo, colore);
}

} // namespace zelvo
