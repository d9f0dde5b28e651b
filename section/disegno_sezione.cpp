// The section drawings: a typed section (SezioneEdit) and a steel profile
// (SezioneProfili), each through its own plot window, on any target of the
// drawing module. World units are the outline's (metres).
//
// Colours (CAD numbers): outline 7, hatch 8, centroid lines 1.
#include "section/sezione_edit.h"
#include "section/sezione_profili.h"

#include "core/guasto.h"
#include "graphics/colori.h"
#include "graphics/geometria.h"
#include "graphics/grafica.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace zelvo {

namespace {

constexpr int32_t ColoreContorno = Cad::Nero;
constexpr int32_t ColoreTratteggio = Cad::Grigio;
constexpr int32_t ColoreBaricentro = Cad::Rosso;
constexpr const char* FontSezione = "Times New Roman";

bool Finestra(Plottaggio& f, Grafica& g, double xMin, double xMax, double yMin, double yMax,
              Superficie& superficie) {
    for (double v : {xMin, xMax, yMin, yMax})
        if (!std::isfinite(v)) return false;
    if (superficie.Pagina())
        f.EstremiFinestra(0.1f, 0.45f, 0.9f, 0.95f); // upper part of the page
    else
        f.EstremiFinestra(0.05f, 0.05f, 0.95f, 0.95f);
    f.Bordi(0.05, 0.05, 0.05, 0.05);
    f.Inizializza(g, xMin, xMax, yMin, yMax, superficie, 1, true, 0);
    superficie.NomeFont(FontSezione);
    superficie.DimensioneFont(8);
    return true;
}

// The extremes of an outline widened to a point.
void Allarga(double& x0, double& x1, double& y0, double& y1, double x, double y) {
    x0 = std::min(x0, x);
    x1 = std::max(x1, x);
    y0 = std::min(y0, y);
    y1 = std::max(y1, y);
}

// The straight line through a and b drawn between its crossings with the
// outline, only when there are exactly two.
bool LineaNelContorno(Grafica& g, const Poligono& p, Punto2 a, Punto2 b) {
    const auto inc = IntersezioneRettaPoligono(a, b, p.nVertici(), p.CoordX(), p.CoordY());
    if (inc.size() != 2) return false;
    g.Linea(inc[0].p.x, inc[0].p.y, inc[1].p.x, inc[1].p.y, 1);
    return true;
}

// Outlines, then their hatch.
void ContorniTratteggiati(Grafica& g,
                          const std::vector<std::pair<const Poligono*, bool>>& contorni) {
    g.ImpostaColore(ColoreContorno);
    g.SpessoreLinea(2);
    for (const auto& [p, cava] : contorni)
        p->Plotta(g, cava);
    g.SpessoreLinea(1);
    g.ImpostaColore(ColoreTratteggio);
    for (const auto& c : contorni)
        c.first->Tratteggia(g, 45, 40, 1);
    g.ImpostaColore(ColoreContorno);
}

} // namespace

// ---- typed sections ------------------------------------------------------

bool SezioneEdit::PltInizializza(double xMin, double xMax, double yMin, double yMax,
                                 Superficie& superficie) {
    grafica_ = Grafica();
    return Finestra(finestra_, grafica_, xMin, xMax, yMin, yMax, superficie);
}

bool SezioneEdit::SezioneCava() const {
    return (TipoSezione == SezCircolare || TipoSezione == SezPoligono) && rInternoM_ > 0 &&
           Contorno.nVertici() >= 8 && Contorno.nVertici() % 2 == 0;
}

bool SezioneEdit::PlottaSezione(Superficie& superficie) {
    try {
        if (!Contorno.Disegnabile()) return false;
        const double xg = xPtoCalcoloM, yg = yPtoCalcoloM;
        if (!std::isfinite(xg) || !std::isfinite(yg)) return false;
        double x0, x1, y0, y1;
        Contorno.MaxMin(x0, x1, y0, y1);
        Allarga(x0, x1, y0, y1, xg, yg);
        if (!PltInizializza(x0, x1, y0, y1, superficie)) return false;
        Grafica& g = grafica_;
        // The centroid lines run past the box so that every crossing is found.
        const double l = std::max(x1 - x0, y1 - y0);
        g.ImpostaColore(ColoreBaricentro);
        g.SpessoreLinea(1);
        LineaNelContorno(g, Contorno, {x0 - l, yg}, {x1 + l, yg});
        LineaNelContorno(g, Contorno, {xg, y1 + l}, {xg, y0 - l});
        ContorniTratteggiati(g, {{&Contorno, SezioneCava()}});
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// ---- steel profiles ------------------------------------------------------

bool SezioneProfili::PltInizializza(double xMin, double xMax, double yMin, double yMax,
                                    Superficie& superficie) {
    grafica_ = Grafica();
    return Finestra(finestra_, grafica_, xMin, xMax, yMin, yMax, superficie);
}

Poligono SezioneProfili::Gemello() const {
    double x0, x1, y0, y1;
    Poligono1.MaxMin(x0, x1, y0, y1);
    Poligono g = Poligono1.Copia();
    if (SezioneProfiliRuotata) {
        // the pair turned as one: the back of the turned profile is its
        // bottom side, y' = 2 y0 - dDoppi - y puts the twin dDoppi below it
        g.SpecchiaXY(double(dDoppi) - 2 * y0, true);
    } else {
        // x' = 2 x0 - dDoppi - x: the twin's right side lies dDoppi left of x0.
        g.SpecchiaXY(double(dDoppi) - 2 * x0, false);
    }
    RegistroMessaggi muti;
    g.CaratteristicheStatiche(muti);
    return g;
}

bool SezioneProfili::PlottaSezione(Superficie& superficie) {
    try {
        if (!Poligono1.Disegnabile()) return false;
        if (Doppi && !std::isfinite(dDoppi)) return false;
        double x0, x1, y0, y1;
        Poligono1.MaxMin(x0, x1, y0, y1);
        Poligono gemello;
        if (Doppi) {
            gemello = Gemello();
            // Widened to the left by the width and the gap (the twin's extremes,
            // so that a negative gap cannot cut the profile off).
            double g0, g1, h0, h1;
            gemello.MaxMin(g0, g1, h0, h1);
            Allarga(x0, x1, y0, y1, g0, h0);
            Allarga(x0, x1, y0, y1, g1, h1);
        }
        if (!PltInizializza(x0, x1, y0, y1, superficie)) return false;
        if (Doppi)
            ContorniTratteggiati(grafica_, {{&Poligono1, false}, {&gemello, false}});
        else
            ContorniTratteggiati(grafica_, {{&Poligono1, false}});
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace zelvo
