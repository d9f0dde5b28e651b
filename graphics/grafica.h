// The drawing module: one set of primitives (line, arc, polylines, rectangle,
// solid, arrowhead, arrow, text, text in several fonts) sent to the current
// drawing target (superficie.h), whatever it is.
//
// A `Grafica` holds the state of one drawing: the current target, the plot
// window's scale, vertical offset and scale ratio, the colour, the fonts.
// Whoever draws owns one (a diagram window, an export, a test) and hands it
// to the plot window and the drawing routines; nothing is shared between two
// drawings.
//
// Coordinates are world units. Most primitives take a vertical scale s: an
// ordinate y is drawn at OrigineY + y / s; abscissae are never offset. Every
// coordinate reaching a target must be finite: a NaN or an infinity throws
// Guasto before anything of that primitive is drawn.
#pragma once

#include "core/messaggi.h"
#include "core/tabella.h"
#include "graphics/geometria.h"
#include "graphics/superficie.h"

#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace zelvo {

struct PezzoTesto {
    std::string testo;
    int16_t slot = 1;
};

class Grafica {
  public:
    // Messages of the drawing module go to avvisi (standard error when none).
    explicit Grafica(Messaggi* avvisi = nullptr) : avvisi_(avvisi) {}

    // --- state (read by the plot window and the drawings) ---------------
    Superficie* Dispositivo() const { return superficie_; }
    double ScalaCorrente = 1;
    float OrigineY = 0;
    double RapportoScaleXY = 1;
    // Coincidence tolerance of the current drawing (largest extent / 1 000 000).
    double ZeroMaxDimen = 0;
    int32_t ColoreCorrente = 0;
    bool AltezzaTestoInScala = false;
    std::array<std::string, 10> NomiFont{}; // slots 1..10 at [0..9]

    Messaggi& Avvisi();
    void ImpostaAvvisi(Messaggi* avvisi) { avvisi_ = avvisi; }

    // The current scale and target.
    void ImpostaDispositivo(double scala, Superficie* superficie) {
        ScalaCorrente = scala;
        superficie_ = superficie;
    }
    void ImpostaSuperficie(Superficie* superficie) { superficie_ = superficie; }

    // Current colour from a CAD colour number, as the current target keeps it.
    void ImpostaColore(int32_t colore);
    void SpessoreLinea(int16_t spessore);

    void Linea(double x1, double y1, double x2, double y2, double s = 1);
    void Arco(double xc, double yc, double r, double a1, double a2, double s = 1);
    void Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y, double s = 1);
    void PoligonaleChiusa(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                          double s = 1);
    void Rettangolo(double x1, double y1, double x2, double y2, double s = 1);
    // n points, the last repeating the first; ordinates at (y + OrigineY) / ScalaCorrente.
    void Solido(int n, const Vettore1<double>& x, const Vettore1<double>& y);
    void PuntaFreccia(double x, double y, double dimensione, double angolo, bool piena);
    // An arrow from (x(1), y(1)) with its length divided by s; head at end 1
    // or 2 (testa), label at end 1 or 2 (etichetta, 0 none) made of
    // testoValore + suffisso. Nothing is drawn unless |valore| > valoreMin.
    void Freccia(int testa, int etichetta, double valoreMin, double s, double altezzaTesto,
                 double valore, const std::string& testoValore, const Vettore1<double>& x,
                 const Vettore1<double>& y, double dimensioneTesta, const std::string& suffisso,
                 bool piena, const std::vector<Punto2>* testaPersonale = nullptr);
    void Testo(double x, double y, double altezza, const std::string& testo, double s = 1,
               bool dallAlto = false);
    void TestoMultiFont(double x, double y, double altezza, const std::vector<PezzoTesto>& pezzi);
    void DefinisciFont(int16_t slot, const std::string& nomeFont, const std::string& nomeFile);
    void SelezionaFont(int16_t slot);
    void TestoInScala(bool flag) { AltezzaTestoInScala = flag; }

    // Hatches the closed polygon 1..n (the last point may repeat the first)
    // with parallel lines at angoloGradi; parti > 0 is the number of strips,
    // parti < 0 minus the spacing. Lines are drawn with Linea and a vertical
    // scale of 1; the current scale becomes scala.
    void Tratteggio(int n, const Vettore1<double>& x, const Vettore1<double>& y, double angoloGradi,
                    double parti, double scala);
    // The same at the current scale.
    void Tratteggio(int n, const Vettore1<double>& x, const Vettore1<double>& y, double angoloGradi,
                    double parti);

  private:
    Superficie& Sup() const;
    double Ord(double y, double s) const;
    const std::string& NomeSlot(int16_t slot) const;
    void PoligonaleComune(int n, const Vettore1<double>& x, const Vettore1<double>& y, double s,
                          bool chiusa);
    Superficie* superficie_ = nullptr;
    Messaggi* avvisi_ = nullptr;
};

// Number and description of a run-time fault, as shown by the error messages
// of the outputs and of the diagrams (6 overflow, 9 index, 11 division by
// zero, 75 file access, 5 any other).
struct ErroreEsecuzione {
    int numero = 5;
    std::string descrizione;
};
ErroreEsecuzione ErroreDa(const std::exception& e);

} // namespace zelvo
