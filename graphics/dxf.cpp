#include "graphics/dxf.h"

#include "core/guasto.h"
#include "core/matematica.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace zelvo {

std::string NumeroDxf(double v) {
    Finito(v, "numero non finito nel file DXF");
    if (v == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", v);
    std::string s = buf;
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
    // Code points 0x80..0x9F of Windows-1252.
    static const char32_t alti[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::string out;
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp = 0;
        int len = 1;
        if (c < 0x80)
            cp = c;
        else if ((c & 0xE0) == 0xC0)
            cp = c & 0x1F, len = 2;
        else if ((c & 0xF0) == 0xE0)
            cp = c & 0x0F, len = 3;
        else if ((c & 0xF8) == 0xF0)
            cp = c & 0x07, len = 4;
        else {
            out += '?';
            ++i;
            continue;
        }
        if (i + len > s.size()) {
            out += '?';
            break;
        }
        bool ok = true;
        for (int k = 1; k < len; ++k) {
            const unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (d & 0x3F);
        }
        i += ok ? len : 1;
        if (!ok) {
            out += '?';
            continue;
        }
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        char r = '?';
        for (int k = 0; k < 32; ++k)
            if (alti[k] == cp && cp != 0) r = static_cast<char>(0x80 + k);
        out += r;
    }
    return out;
}

namespace {
struct FileDxf {
    std::string nome;
    int16_t numero = 0;
    ScrittoreDxf scrittore;
};
std::unique_ptr<FileDxf>& Aperto() {
    static std::unique_ptr<FileDxf> f;
    return f;
}
} // namespace

void ApriDxf(const std::string& nomeFile, int16_t numeroFile) {
    Aperto() = std::make_unique<FileDxf>();
    Aperto()->nome = nomeFile;
    Aperto()->numero = numeroFile;
}

void AbbandonaDxf() {
    Aperto().reset();
}

ScrittoreDxf* DxfAperto() {
    return Aperto() ? &Aperto()->scrittore : nullptr;
}

bool ScriviFileGrafica(const std::string& percorso, const std::string& byte);

bool ChiudiDxf() {
    std::unique_ptr<FileDxf> f = std::move(Aperto());
    if (!f) return false;
    return ScriviFileGrafica(f->nome, f->scrittore.TestoChiuso());
}

} // namespace zelvo
