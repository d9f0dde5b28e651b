#include "graphics/superficie.h"

#include "core/guasto.h"
#include "graphics/colori.h"
#include "graphics/geometria.h"

#include <cmath>

namespace zelvo {

std::string TestoSymbol(const std::string& testo) {
    // The Latin-to-Greek layout of the Symbol font.
    static const char* minuscole[26] = {"α", "β", "χ", "δ", "ε", "φ", "γ", "η", "ι",
                                        "ϕ", "κ", "λ", "μ", "ν", "ο", "π", "θ", "ρ",
                                        "σ", "τ", "υ", "ϖ", "ω", "ξ", "ψ", "ζ"};
    static const char* maiuscole[26] = {"Α", "Β", "Χ", "Δ", "Ε", "Φ", "Γ", "Η", "Ι",
                                        "ϑ", "Κ", "Λ", "Μ", "Ν", "Ο", "Π", "Θ", "Ρ",
                                        "Σ", "Τ", "ϒ", "ς", "Ω", "Ξ", "Ψ", "Ζ"};
    std::string out;
    for (char c : testo) {
        if (c >= 'a' && c <= 'z')
            out += minuscole[c - 'a'];
        else if (c >= 'A' && c <= 'Z')
            out += maiuscole[c - 'A'];
        else
            out += c;
    }
    return out;
}

uint32_t ColoreRGB(int32_t n) {
    switch (n) {
    case Cad::Bianco:
        return Rgb::Bianco;
    case Cad::Rosso:
        return Rgb::Rosso;
    case Cad::Giallo:
        return Rgb::Giallo;
    case Cad::Verde:
        return Rgb::Verde;
    case Cad::Ciano:
        return Rgb::Ciano;
    case Cad::Blu:
        return Rgb::Blu;
    case Cad::Magenta:
        return Rgb::Magenta;
    case Cad::Nero:
        return Rgb::Nero;
    case Cad::Grigio:
        return Rgb::Grigio;
    case Cad::RossoScuro:
        return Rgb::RossoScuro;
    case Cad::VerdeScuro:
        return Rgb::VerdeScuro;
    default:
        return Rgb::Nero;
    }
}

void SuperficieRaster::SelezionaFont(int16_t, const std::string& nome) {
    tela_.NomeFont(nome);
}

void SuperficieRaster::Linea(double x1, double y1, double x2, double y2, int32_t colore) {
    tela_.Colore(static_cast<uint32_t>(colore));
    tela_.Linea(x1, y1, x2, y2);
}

void SuperficieRaster::Arco(double xc, double yc, double r, double a1, double a2, int32_t colore) {
    tela_.Colore(static_cast<uint32_t>(colore));
    tela_.Arco(xc, yc, r, a1, a2);
}

void SuperficieRaster::Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                                  bool chiusa, int32_t colore) {
    tela_.Colore(static_cast<uint32_t>(colore));
    for (int i = 1; i < n; ++i)
        tela_.Linea(x(i), y(i), x(i + 1), y(i + 1));
    if (chiusa) tela_.Linea(x(n), y(n), x(1), y(1));
}

void SuperficieRaster::Solido(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                              int32_t colore) {
    const int m = n - 1; // the last point repeats the first
    tela_.Colore(static_cast<uint32_t>(colore));
    for (int i = 1; i < m; ++i)
        tela_.Linea(x(i), y(i), x(i + 1), y(i + 1));
    tela_.Linea(x(m), y(m), x(1), y(1));
    // The fill is shown by hatching, drawn in the surface's own ordinates.
    for (const auto& seg : SegmentiTratteggio(m, x, y, 0, 20))
        tela_.Linea(seg[0].x, seg[0].y, seg[1].x, seg[1].y);
}

void SuperficieRaster::AdattaAltezzaTesto(double altezza, const std::string& testo) {
    const double h = std::fabs(tela_.AltezzaTesto(testo));
    if (h > 0) tela_.DimensioneFont(Finito(tela_.DimensioneAttuale() * altezza / h));
}

void SuperficieRaster::Testo(double x, double y, double, const std::string& testo, int32_t colore) {
    const uint32_t prima = tela_.ColoreAttuale();
    tela_.Colore(static_cast<uint32_t>(colore));
    tela_.Testo(x, y, testo);
    tela_.Colore(prima);
}

double SuperficieRaster::PezzoTesto(double x, double y, double, const std::string& testo,
                                    const std::string& font, int32_t colore) {
    const std::string t = font == "Symbol" ? TestoSymbol(testo) : testo;
    const uint32_t prima = tela_.ColoreAttuale();
    tela_.Colore(static_cast<uint32_t>(colore));
    tela_.Testo(x, y, t);
    tela_.Colore(prima);
    return tela_.LarghezzaTesto(t);
}

void SuperficieVideo::SpessoreLinea(int16_t spessore) {
    Dispositivo().SpessorePenna(spessore);
}

void SuperficieStampante::SpessoreLinea(int16_t spessore) {
    const double twips = spessore * 2 * 5.67;
    Dispositivo().SpessorePenna(
        static_cast<int>(std::lround(twips / 1440.0 * Dispositivo().Risoluzione())));
}

} // namespace zelvo
