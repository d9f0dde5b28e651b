// Plane geometry on polylines given as parallel 1-based coordinate tables
// x(1..n), y(1..n): coincidence tolerance, equality of numbers and points,
// rotation, bounding box, the crossing of a straight line with a polygon and
// the point-in-polygon test. Toolkit-free; the hatching that draws with these
// lives in grafica.h (`Tratteggio`).
#pragma once

#include "core/messaggi.h"
#include "core/tabella.h"

#include <array>

#include <vector>

namespace zelvo {

struct Punto2 {
    double x = 0, y = 0;
    bool operator==(const Punto2&) const = default;
};

// The larger of the bounding box's width and height, divided by divisore.
double MassimaDimensione(const Vettore1<double>& x, const Vettore1<double>& y, int n,
                         double divisore);

// Bounding box of points 1..n; with n = 0 the box stays (1E+20, -1E+20, ...).
void EstremiPoligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y, double& xMin,
                       double& xMax, double& yMin, double& yMax);

// |a - b| <= e, e = tol * max(|a|, |b|) when that maximum exceeds tol, else tol.
bool NumeriUguali(double a, double b, double tol);

// Two points (up to three coordinates, missing ones taken as 0) coincide when
// every coordinate is NumeriUguali with the coincidence tolerance tol (the
// drawing's ZeroMaxDimen); a zero tolerance shows "zero=0 in
// PuntiCoincidenti" first.
bool PuntiCoincidenti(const std::vector<double>& p, const std::vector<double>& q, double tol,
                      Messaggi& msg);
// The same for two plane points ("zero=0 in PuntiCoincidentiXY").
bool PuntiCoincidentiXY(double x1, double y1, double x2, double y2, double tol, Messaggi& msg);

// Rotates points 1..n in place about (xc, yc) by angolo (radians, counter-clockwise).
void RuotaPunti(int n, Vettore1<double>& x, Vettore1<double>& y, double xc, double yc,
                double angolo);

// The polyline without its first k points (nOut = n - k). A negative k shows
// "Errore in TogliePuntiInizialiDaPoligonale: nPunti=" + k + " <1" and leaves
// the outputs untouched.
void TogliePuntiInizialiDaPoligonale(const Vettore1<double>& x, const Vettore1<double>& y, int n,
                                     Vettore1<double>& xOut, Vettore1<double>& yOut, int& nOut,
                                     int k, Messaggi& msg);

// Crossings of the infinite straight line through a and b (a != b) with the
// edges of the closed polygon 1..n (a last point equal to the first is
// ignored), sorted by their parameter t along the line (point = a + t(b - a)).
// Half-open rule: an edge is crossed when its two ends lie on opposite sides
// of the line, an end lying on the line counting as the negative side. So a
// vertex where the boundary passes through the line gives one crossing, a
// vertex that only touches it gives none or two, an edge lying on the line
// none, and the count for a closed polygon is always even.
struct Incrocio {
    double t = 0;
    Punto2 p;
};
std::vector<Incrocio> IntersezioneRettaPoligono(Punto2 a, Punto2 b, int n,
                                                const Vettore1<double>& x,
                                                const Vettore1<double>& y);

// Point-in-polygon (crossing number, half-open rule) for the closed polygon
// 1..n. Points exactly on an edge may fall on either side.
bool PuntoInPoligono(double px, double py, int n, const Vettore1<double>& x,
                     const Vettore1<double>& y);

// Number of distinct points of a polygon (a last point repeating the first is dropped).
int PuntiEffettivi(int n, const Vettore1<double>& x, const Vettore1<double>& y);

// The hatch segments of the closed polygon 1..n (the last point may repeat
// the first) with parallel lines at angoloGradi; parti > 0 is the number of
// strips, parti < 0 minus the spacing. Segments are rotated back to the
// polygon's frame, in drawing order.
std::vector<std::array<Punto2, 2>> SegmentiTratteggio(int n, const Vettore1<double>& x,
                                                      const Vettore1<double>& y, double angoloGradi,
                                                      double parti);

} // namespace zelvo
