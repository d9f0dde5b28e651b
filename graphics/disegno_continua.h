// The drawings of the continuous beam, toolkit-free:
//
//   DisegnaSchemaContinua     the scheme picture of the data (spans to scale,
//                             support symbols, span numbers, overall length)
//   EtichetteContinua         the values a diagram labels (pure: also for the
//                             text report)
//   DisponiEtichetteContinua  where those labels go without overlapping
//   DecoraDiagrammaContinua   the axis, the support symbols and the labels of
//                             one diagram, on the plot window of the diagram
//
// Support symbols, in the picture and on the diagrams: a fixed support is a
// wall (hatched at the ends of the beam, a hatched block under the beam
// between spans); a spring is a zig-zag from the ground to the beam; a free
// end has no symbol; a hinged support is a triangle, and exactly one of them
// takes the horizontal thrust: when no support is fixed, the leftmost hinged
// support is a hinge and every other a roller (a bar under the triangle); when
// some support is fixed, every hinged support is a roller.
#pragma once

#include "core/trave_continua.h"
#include "graphics/grafica.h"
#include "graphics/superficie.h"

#include <functional>
#include <string>
#include <vector>

namespace zelvo {

// A dimension line of a scheme picture from x1 to x2 at height y: arrowheads,
// end marks, a tick at each abscissa of `tacche` that does not crowd the
// previous one or an arrowhead, and the text (if any) centred above.
void QuotaSchema(Tela& s, double x1, double x2, double y, const std::string& testo,
                 const std::vector<double>& tacche = {});

// A value as the user reads it (number, units, separators): the caller's,
// since units and locale live outside the drawings.
using TestoValore = std::function<std::string(double)>;

// --- the scheme picture ----------------------------------------------------

// Abscissae of the n + 1 supports drawn on a beam from 0 to larghezza: the
// spans to scale, a span shorter than `minima` widened to it and the others
// shrunk in proportion among themselves. `minima` is never more than
// larghezza / (2 n), so that the others keep room. Lengths that are not
// finite and positive count as the smallest positive one (1 when none).
std::vector<double> AscisseSchemaContinua(const std::vector<CampataContinua>& campate,
                                          double larghezza, double minima);

// Whether each support is drawn as a hinge (true) or as a roller (false);
// fixed, spring and free supports are false.
std::vector<bool> CernieraContinua(const std::vector<AppoggioContinuo>& appoggi);

// Draws the scheme picture over the whole surface: the beam from world 0 to
// 100 (the world set here, equal units across and up on the device), the
// supports below it, the span numbers above each span (thinned when they
// would touch), the dimension line of the whole length below with
// testoLunghezza(total length) as its text. appoggi has one row more than
// campate; with no span, or with a different count of supports, nothing is
// drawn.
void DisegnaSchemaContinua(Tela& s, const std::vector<CampataContinua>& campate,
                           const std::vector<AppoggioContinuo>& appoggi,
                           const TestoValore& testoLunghezza);

// --- the diagrams ----------------------------------------------------------

enum class DiagrammaContinua { Momenti, Tagli, Frecce };

enum class TipoEtichettaContinua {
    MomentoCampata,  // a span's largest sagging moment
    MomentoAppoggio, // the moment over a support
    TaglioSinistra,  // the shear just left of a support
    TaglioDestra,    // the shear just right of a support
    FrecciaCampata,  // a span's largest deflection
};

struct EtichettaContinua {
    double x = 0;
    double Valore = 0;
    TipoEtichettaContinua Tipo = TipoEtichettaContinua::MomentoCampata;
    int Indice = 0; // 0-based span (…Campata) or support index
};

// The labels of a diagram, in the order of the beam (left to right), values
// in SI units and the results' signs:
//   Momenti: each span's largest sagging moment (Mmax, when above zero) and
//            each support's moment;
//   Tagli:   the shear on each side of each support (none left of the first
//            support, none right of the last);
//   Frecce:  each span's largest deflection: fMaxGiu, or the largest upward
//            one (negative) where the span rises more than it sags.
// Values within 1e-9 of the diagram's largest magnitude count as zero and
// get no label (the moment over an end hinge, the shear at a free end); a
// value at a point already labelled is not repeated (a span's largest moment
// over a support is that support's moment), and a span that carries no load
// shows its constant shear once, right of its left support.
// Nothing without completed results; never a non-finite value.
std::vector<EtichettaContinua> EtichetteContinua(const RisultatiContinua& r, DiagrammaContinua d);

// How a diagram lies in its plot window (the one plotta.h sets up): plot
// abscissae are beam abscissae, a value v lies at the ordinate −v / Scala
// (sagging moments, positive shears and downward deflections below the
// axis); the labels stay inside xIniziale..xFinale × yMin..yMax.
struct MappaDiagramma {
    double xIniziale = 0, xFinale = 0;
    double Scala = 1; // value units per plot unit
    double yMin = 0, yMax = 0;
    double AltezzaTesto = 0; // label height in plot units (files and CAD)
};

// The automatic mapping of a diagram, as the single-span diagrams make
// theirs: a round scale that shows the values' range over 2/3 of the beam's
// length, 8 text heights of room above the curve and 12 below; text height
// the length / divisoreTesto.
MappaDiagramma MappaDiagrammaContinua(const RisultatiContinua& r, DiagrammaContinua d,
                                      double divisoreTesto = 50);

// A rectangle in plot units.
struct Riquadro {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // left, bottom, right, top
};

// A label placed: its text and its box in plot units (before the plot
// window's vertical offset).
struct EtichettaPosata {
    EtichettaContinua Etichetta;
    std::string Testo;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // left, bottom, right, top
};

// The curve of diagram d: (x, value) at every calculation point, in order.
std::vector<std::pair<double, double>> CurvaContinua(const RisultatiContinua& r,
                                                     DiagrammaContinua d);

// Places the labels, the largest magnitudes first: each beside its point of
// the curve on the side away from the axis and clear of the curve (a shear
// label on its side of the support), else shifted along the beam, else
// moved further from the axis; a label that fits nowhere without touching a
// placed one or an obstacle (the support symbols), or without leaving the
// window, is dropped. larghezza measures a text; altezza is the text height;
// curva as CurvaContinua gives it (empty: labels only clear their own point).
std::vector<EtichettaPosata>
DisponiEtichetteContinua(const std::vector<EtichettaContinua>& etichette, const MappaDiagramma& m,
                         const TestoValore& testo,
                         const std::function<double(const std::string&)>& larghezza, double altezza,
                         const std::vector<std::pair<double, double>>& curva = {},
                         const std::vector<Riquadro>& ostacoli = {});

// The same for labels whose texts are given: testi[i] is the text of
// etichette[i] (nothing when the counts differ).
std::vector<EtichettaPosata>
DisponiEtichetteTesti(const std::vector<EtichettaContinua>& etichette,
                      const std::vector<std::string>& testi, const MappaDiagramma& m,
                      const std::function<double(const std::string&)>& larghezza, double altezza,
                      const std::vector<std::pair<double, double>>& curva = {},
                      const std::vector<Riquadro>& ostacoli = {});

// How the labels of a diagram are measured on `sup`: on the device of a
// raster target (text by its top), estimated elsewhere (text by its
// baseline, a character 0.8 heights wide); *h receives the text height in
// plot units (the device's on a raster target, else `altezza`).
std::function<double(const std::string&)> LarghezzaEtichette(Superficie* sup, double altezza,
                                                             double* h);

// Draws the beam axis, the support symbols (appoggi: the data's supports)
// and the placed labels of diagram d on g's current target, after the plot
// window of the diagram has been set up on g (Plottaggio::Inizializza with
// the mapping's window). Text is measured on the device of a raster target,
// estimated from the text height elsewhere. Labels in red, axis and
// supports in black; the curve itself is the caller's. A diagram window:
//
//   const MappaDiagramma m = MappaDiagrammaContinua(r, DiagrammaContinua::Momenti);
//   Plottaggio f;
//   f.EstremiFinestra(0.1f, 0.1f, 0.85f, 0.9f);
//   f.Inizializza(g, m.xIniziale, m.xFinale, m.yMin, m.yMax, superficie, 1,
//                 !superficie.Raster(), offset);
//   g.Poligonale(n, x, M, -m.Scala); // the curve: CurvaContinua(r, d)
//   DecoraDiagrammaContinua(g, m, DiagrammaContinua::Momenti, r, dati.Appoggi, testo);
// The beam axis and the support symbols alone (what DecoraDiagrammaContinua
// draws before its labels; also under the loads diagram): the boxes the
// symbols take, in plot units. Nothing without completed results.
std::vector<Riquadro> AppoggiDiagrammaContinua(Grafica& g, const MappaDiagramma& m,
                                               const RisultatiContinua& r,
                                               const std::vector<AppoggioContinuo>& appoggi);

// Returns the boxes the symbols and the labels take (plot units), for
// labels placed after them (the deflections beside the moments).
std::vector<Riquadro> DecoraDiagrammaContinua(Grafica& g, const MappaDiagramma& m,
                                              DiagrammaContinua d, const RisultatiContinua& r,
                                              const std::vector<AppoggioContinuo>& appoggi,
                                              const TestoValore& testo);

// Places and draws the labels of diagram d (in the current colour), clear of
// `ostacoli`, with the text measured as DecoraDiagrammaContinua measures it;
// returns `ostacoli` with the new labels' boxes added.
std::vector<Riquadro> EtichetteDiagrammaContinua(Grafica& g, const MappaDiagramma& m,
                                                 DiagrammaContinua d, const RisultatiContinua& r,
                                                 const TestoValore& testo,
                                                 std::vector<Riquadro> ostacoli);

} // namespace zelvo
