// The plot window: fits a rectangle of world coordinates onto a drawing
// target. On a raster target (the screen, the printer) it installs a user
// coordinate system on the device (see Tela::Scala), optionally with equal
// scales and centring; on file and CAD targets it only computes the frame of
// the drawing in world units. In both cases it makes its target, scale,
// vertical offset and scale ratio the current ones of the drawing it is
// given (a Grafica).
#pragma once

#include "core/messaggi.h"
#include "graphics/grafica.h"
#include "graphics/superficie.h"

#include <array>
#include <string>

namespace zelvo {

class Plottaggio {
  public:
    // Corners of the whole drawing area (top-left, bottom-left, bottom-right,
    // top-right), 1-based as [1..4]; element 0 is unused.
    std::array<float, 5> xFinestraPlt() const { return xFin; }
    std::array<float, 5> yFinestraPlt() const { return yFin; }
    void Bordi(double left, double bottom, double right, double top);
    void EstremiFinestra(float left, float bottom, float right, float top);
    void Inizializza(Grafica& grafica, double x1, double x2, double y1, double y2,
                     Superficie& superficie, double scala, bool scaleUguali, double yOffset);
    void AdattaAfinestra();
    void CentraPlottaggio(double& devAspect, double& worldAspect, double& left, double& top,
                          double& right, double& bottom);
    void PlottaFinestra();
    void RipristinaDefault();

    float xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    float RapportoScale = 1;
    std::array<double, 5> Margini{};
    std::array<float, 5> xFin{}, yFin{};
    float FattoreScala = 1;
    bool ScaleUguali = false;
    Superficie* Dispositivo = nullptr;
    Grafica* Disegno = nullptr; // the drawing the window was last initialised for
    std::array<float, 5> Estremi{};
};

} // namespace zelvo
