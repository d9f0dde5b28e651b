// Plane polygon and the properties of the area it encloses.
//
// x to the right, y upward, in whatever length unit the caller works in;
// angles in radians from +x, counterclockwise positive. The outline is
// closed implicitly (edge k joins vertex k to k+1, the last edge closes to
// vertex 1); vertices may run either way.
#pragma once

#include "core/messaggi.h"
#include "core/tabella.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zelvo {

class Grafica;

// Crossings of a line with an outline: points and the edge each lies on,
// in increasing edge order.
struct Intersezioni {
    Vettore1<double> x_Int, y_Int;
    Vettore1<int16_t> i_Int;
    int16_t n_Int = 0;
};

class Poligono {
  public:
    // Public fields, in the order `Copia` copies them.
    double Area = 0;
    double xG = 0;
    double yG = 0;
    double stat_x = 0;
    double stat_y = 0;
    double jota_x = 0;
    double jota_y = 0;
    double jota_xy = 0;
    double jota_xG = 0;
    double jota_yG = 0;
    double jota_xyG = 0;
    double jota_IG = 0;
    double jota_IIG = 0;
    double AngoloJotaI = 0;
    double AngoloJotaII = 0;
    double iX = 0;
    double iY = 0;
    double WxSuperiore = 0;
    double WxInferiore = 0;
    double WyDestra = 0;
    double WySinistra = 0;
    double Wplx = 0;
    double Wply = 0;
    int16_t nRettangolini_ = 0;
    bool NumerazioneVerticiAntioraria = false;

    // Vertex count: n > 0 re-sizes and clears both coordinate tables.
    int16_t nVertici() const { return nVertici_; }
    void nVertici(int16_t n);

    // Whole coordinate tables (1..n). Writing sets the vertex count to the
    // table's size; an empty table empties the polygon silently; a table
    // too long for the 16-bit count shows "Errore sconosciuto in
    // Poligono.CoordX" (CoordY) and changes nothing.
    Vettore1<double> CoordX() const { return xs_; }
    Vettore1<double> CoordY() const { return ys_; }
    void CoordX(const Vettore1<double>& v, Messaggi& msg);
    void CoordY(const Vettore1<double>& v, Messaggi& msg);

    // Vertex i (1..nVertici), read and write; out of range is a fault.
    double& x(int i) { return xs_(i); }
    double x(int i) const { return xs_(i); }
    double& y(int i) { return ys_(i); }
    double y(int i) const { return ys_(i); }
    double& xI(int i) { return xs_(i); }
    double& yI(int i) { return ys_(i); }

    // n vertices from elements 1..n of the two tables.
    template <class T> void Coordinate(const Vettore1<T>& xIn, const Vettore1<T>& yIn, int16_t n) {
        nVertici(n);
        for (int i = 1; i <= n; ++i) {
            xs_(i) = static_cast<double>(xIn(i));
            ys_(i) = static_cast<double>(yIn(i));
        }
    }

    // Same vertices and fields; the copy's nRettangolini_ starts at 0.
    Poligono Copia() const;

    // Area and NumerazioneVerticiAntioraria only.
    void AreaCalcola();

    // Fields 1 to 21 (or the circle formulas). A run-time fault shows
    // "Errore nella sub CaratteristicheStatiche. " + its description and
    // leaves the fields computed so far; the result is then false.
    bool CaratteristicheStatiche(Messaggi& msg, bool SoloBarre = false, bool Cerchio = false,
                                 double Raggio = 0, double RaggioInterno = 0);
    // Two edges that do not share a vertex cross each other (a proper
    // crossing, not a touch).
    bool SiInterseca() const;
    void CaratteristicheStaticheCerchio(double Raggio, double RaggioInterno);

    // Extremes of the vertex coordinates (sentinels ±1e20 with no vertex);
    // ZeroXY receives the coordinate tolerance max(width, height)/1e9.
    void MaxMin(double& xMin, double& xMax, double& yMin, double& yMax,
                double* ZeroXY = nullptr) const;

    // Transforms.
    void Trasla(double xO, double yO);
    bool RuotaVertici(double xC, double yC, double Angolo, Messaggi& msg);
    void SpecchiaXY(double xyAsse, bool RispettoX);

    // ---- cutting and plastic moduli ----
    // Crossings with the line a·x + b·y + c = 0.
    Intersezioni IntersezioneConRetta(double a, double b, double c) const;
    // The outline with the crossings inserted; Inserito marks them.
    Poligono PoligonoConIntersezioni(const Intersezioni& I, Vettore1<char>& Inserito) const;
    // The vertices with c·segno > 0 (c = y, or x with AsseVerticale), plus the inserted ones.
    Poligono PoligonoSenzaPuntiOpposti(int segno, const Vettore1<char>& Inserito,
                                       bool AsseVerticale = false) const;
    // Cut by y = yDiv (x = yDiv): the part above (right) and below (left);
    // an empty optional when the whole outline is on the other side.
    void DividiY(double yDiv, std::optional<Poligono>& PoligonoSup,
                 std::optional<Poligono>& PoligonoInf, bool AsseVerticale = false) const;
    // Area above (right of) the cut minus Frazione·Area.
    double yEquazione(double yDiv, bool AsseVerticale = false) const;
    // The cut that leaves Frazione of the area above (right); false when the
    // root search failed (its messages already shown).
    bool Dividi(float Frazione, std::optional<Poligono>& PoligonoSup,
                std::optional<Poligono>& PoligonoInf, double& yDiv, Messaggi& msg,
                bool AsseVerticale = false);
    // Plastic modulus about a horizontal (vertical) axis; `convergente`
    // false when the equal-area axis could not be found (result 0).
    double Wplastico(Messaggi& msg, double* yNeut = nullptr, bool AsseVerticale = false,
                     bool Cerchio = false, double Raggio = 0, double RaggioInterno = 0,
                     bool* convergente = nullptr);
    static double WplasticoCerchio(double Raggio, double RaggioInterno);
    // Fills Wplx and Wply; false when a halving did not converge.
    bool Wplastici(Messaggi& msg);

    // ---- drawing (through the drawing module, in its current colour) ----
    // An outline with fewer than 3 vertices, of zero extent or with a
    // non-finite coordinate is not drawn at all (the result is then false).
    //
    // The outline as a closed polyline on the drawing's current target.
    // SezioneCava: the vertex list holds two loops
    // joined by two points (a hollow circle or polygon): vertices 1..n/2-1
    // and n/2+2..n are drawn as two closed polylines, the joining points
    // n/2 and n/2+1 are not.
    bool Plotta(Grafica& g, bool SezioneCava = false) const;
    // Hatches the outline with lines at Angolo degrees; nDivisioni > 0 is the
    // number of divisions across it, < 0 minus the spacing; c is the scale
    // handed to the drawing. The target stays as it is.
    bool Tratteggia(Grafica& g, double Angolo, double nDivisioni, double c) const;
    // The outline can be drawn: 3 or more vertices, finite, of non-zero extent.
    bool Disegnabile() const;

  private:
    int16_t nVertici_ = 0;
    Vettore1<double> xs_, ys_;
    float Frazione_ = 0;

    void Principali(double rumoreD, double rumoreXY);
    bool ScriviCoord(Vettore1<double>& dest, const Vettore1<double>& v);
};

} // namespace zelvo
