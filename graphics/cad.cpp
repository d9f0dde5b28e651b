#include "graphics/cad.h"

namespace zelvo {

FabbricaCad NessunCad() {
    return [] { return std::unique_ptr<ApplicazioneCad>(); };
}

std::unique_ptr<ApplicazioneCad> ApriAutocad(const FabbricaCad& fabbrica, Messaggi& msg) {
    std::unique_ptr<ApplicazioneCad> a = fabbrica ? fabbrica() : nullptr;
    if (!a) msg.Mostra(TestoCadAssente, Icona::Critica);
    return a;
}

void SuperficieCad::SelezionaFont(int16_t slot, const std::string&) {
    cad_.AttivaStileTesto(slot);
}

void SuperficieCad::DefinisciFont(int16_t slot, const std::string& nome, const std::string& file) {
    if (!cad_.DefinisciStileTesto(slot, nome, file))
        msg_.Mostra("Font file C:\\Windows\\fonts\\" + file + ".ttf not found");
}

void SuperficieCad::Linea(double x1, double y1, double x2, double y2, int32_t colore) {
    cad_.AddLine(x1, y1, x2, y2, colore);
}

void SuperficieCad::Arco(double xc, double yc, double r, double a1, double a2, int32_t colore) {
    cad_.AddArc(xc, yc, r, a1, a2, colore);
}

void SuperficieCad::Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                               bool chiusa, int32_t colore) {
    std::vector<double> c;
    for (int i = 1; i <= n; ++i)
        c.insert(c.end(), {x(i), y(i)});
    if (chiusa) c.insert(c.end(), {x(1), y(1)});
    cad_.AddLightWeightPolyline(c, colore);
}

void SuperficieCad::Solido(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                           int32_t colore) {
    if (n != 4) msg_.Mostra("Errore in Sub SolidDwg - I punti devono essere 4");
    if (n < 4) return;
    double p[4][2];
    for (int i = 0; i < 4; ++i)
        p[i][0] = x(i + 1), p[i][1] = y(i + 1);
    cad_.AddSolid(p, colore);
}

void SuperficieCad::Testo(double x, double y, double altezza, const std::string& testo,
                          int32_t colore) {
    cad_.AddText(testo, x, y, altezza, colore);
}

double SuperficieCad::PezzoTesto(double x, double y, double altezza, const std::string& testo,
                                 const std::string&, int32_t colore) {
    cad_.AddText(testo, x, y, altezza, colore);
    return cad_.LarghezzaUltimoTesto();
}

} // namespace zelvo
