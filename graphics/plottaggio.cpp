#include "graphics/plottaggio.h"

#include "core/guasto.h"
#include "graphics/geometria.h"
#include "graphics/grafica.h"

#include <algorithm>

namespace zelvo {

void Plottaggio::Bordi(double left, double bottom, double right, double top) {
    Margini = {0, left, bottom, right, top};
}

void Plottaggio::EstremiFinestra(float left, float bottom, float right, float top) {
    Estremi = {0, left, bottom, right, top};
}

void Plottaggio::Inizializza(Grafica& grafica, double x1, double x2, double y1, double y2,
                             Superficie& superficie, double scala, bool scaleUguali,
                             double yOffset) {
    xMin = ASingolo(x1);
    xMax = ASingolo(x2);
    yMin = ASingolo(Diviso(y1 + yOffset, scala));
    yMax = ASingolo(Diviso(y2 + yOffset, scala));
    Dispositivo = &superficie;
    Disegno = &grafica;
    FattoreScala = ASingolo(scala);
    ScaleUguali = scaleUguali;
    grafica.OrigineY = ASingolo(yOffset);

    if (yMax <= yMin) yMax = ASingolo(double(yMin) + (double(xMax) - xMin) / 1000);
    if (xMax <= xMin) xMax = ASingolo(double(xMin) + (double(yMax) - yMin) / 1000);
    if (yMax <= yMin) yMax = yMin + 1;
    if (xMax <= xMin) xMax = xMin + 1;

    if (!superficie.Raster()) {
        RapportoScale = 1;
        const double R = std::max(double(xMax) - xMin, double(yMax) - yMin);
        const double left = xMin - R * Estremi[1];
        const double right = xMax + (1 - Estremi[3]) * R;
        const double bottom = yMin - R * Estremi[2];
        const double top = yMax + (1 - Estremi[4]) * R;
        xFin = {0, float(left), float(left), float(right), float(right)};
        yFin = {0, float(top), float(bottom), float(bottom), float(top)};
    } else {
        AdattaAfinestra();
    }
    grafica.ImpostaDispositivo(FattoreScala, Dispositivo);
    grafica.ZeroMaxDimen = std::max(double(xMax) - xMin, double(yMax) - yMin) / 1000000;
    grafica.RapportoScaleXY = RapportoScale;
}

void Plottaggio::AdattaAfinestra() {
    if (Estremi[3] == 0) {
        Estremi[3] = 1;
        if (Estremi[4] == 0) Estremi[4] = 1;
    }
    Tela* tela = Dispositivo ? Dispositivo->TelaRaster() : nullptr;
    if (!tela) {
        if (Disegno)
            Disegno->Avvisi().Mostra("ERRORE! Plottaggio.AdattaAfinestra - Uscita non prevista");
        return;
    }
    Tela& s = *tela;
    s.ScalaDefault();
    const double W = s.ScalaWidth(), H = s.ScalaHeight();
    const double dw = (Estremi[3] - Estremi[1]) * W;
    const double dh = (Estremi[4] - Estremi[2]) * H;
    const double ax = double(xMax) - xMin, ay = double(yMax) - yMin;
    const double wx0 = xMin - ax * Margini[1];
    const double wx1 = xMax + ax * Margini[3];
    const double wy0 = yMin - ay * Margini[2];
    const double wy1 = yMax + ay * Margini[4];
    double devAspect = Diviso(dw, dh);
    double worldAspect = Diviso(wx1 - wx0, wy1 - wy0);
    double sx = Diviso(wx1 - wx0, dw);
    double sy = Diviso(wy1 - wy0, dh);
    if (ScaleUguali) {
        if (devAspect <= worldAspect)
            sy = sx;
        else
            sx = sy;
    }
    double left = wx0 - (Estremi[1] * W) * sx;
    double right = left + W * sx;
    double top = wy1 + ((1 - Estremi[4]) * H) * sy;
    double bottom = top - H * sy;
    s.Scala(left, top, right - left, -(top - bottom));
    if (Dispositivo->Centrata()) CentraPlottaggio(devAspect, worldAspect, left, top, right, bottom);
    xFin = {0, float(left), float(left), float(right), float(right)};
    yFin = {0, float(top), float(bottom), float(bottom), float(top)};
    RapportoScale = ScaleUguali ? 1.0f : ASingolo(sy / sx);
}

void Plottaggio::CentraPlottaggio(double& devAspect, double& worldAspect, double& left, double& top,
                                  double& right, double& bottom) {
    if (devAspect <= worldAspect) {
        const double shift = (double(yMax) + yMin) / 2 - (top + bottom) / 2;
        top += shift;
        bottom += shift;
        if (Tela* t = Dispositivo->TelaRaster()) t->ImpostaTop(top);
    } else {
        const double shift = (double(xMax) + xMin) / 2 - (left + right) / 2;
        left += shift;
        right += shift;
        if (Tela* t = Dispositivo->TelaRaster()) t->ImpostaLeft(left);
    }
}

void Plottaggio::PlottaFinestra() {
    if (!Disegno) return;
    Disegno->Rettangolo(xFin[2], yFin[2] + (double(yFin[4]) - yFin[2]) / 500,
                        xFin[4] - (double(xFin[4]) - xFin[2]) / 1000, yFin[4], 1);
}

void Plottaggio::RipristinaDefault() {
    if (Disegno) Disegno->ImpostaDispositivo(FattoreScala, Dispositivo);
}

} // namespace zelvo
