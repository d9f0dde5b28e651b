#include "graphics/grafica.h"

#include "core/guasto.h"
#include "core/matematica.h"
#include "graphics/geometria.h"

#include <cmath>
#include <iostream>

namespace zelvo {

namespace {

class AvvisiSuStderr : public Messaggi {
  public:
    void Mostra(const std::string& testo, Icona, const std::string&) override {
        std::cerr << testo << "\n";
    }
    bool Chiedi(const std::string& testo, Icona, const std::string&) override {
        std::cerr << testo << "\n";
        return false;
    }
};

double F(double v) {
    return Finito(v, "coordinata non finita");
}

} // namespace

Messaggi& Grafica::Avvisi() {
    static AvvisiSuStderr riserva; // stateless
    return avvisi_ ? *avvisi_ : riserva;
}

Superficie& Grafica::Sup() const {
    if (!superficie_) throw Guasto("nessuna superficie di disegno");
    return *superficie_;
}

// Ordinate of a primitive with vertical scale s.
double Grafica::Ord(double y, double s) const {
    return F(OrigineY + Diviso(y, s));
}

const std::string& Grafica::NomeSlot(int16_t slot) const {
    if (slot < 1 || slot > 10) throw Guasto("indice fuori dai limiti");
    return NomiFont[static_cast<size_t>(slot - 1)];
}

void Grafica::ImpostaColore(int32_t colore) {
    ColoreCorrente = superficie_ ? superficie_->Colore(colore) : colore;
}

void Grafica::SpessoreLinea(int16_t spessore) {
    if (superficie_) superficie_->SpessoreLinea(spessore);
}

void Grafica::Linea(double x1, double y1, double x2, double y2, double s) {
    const double a = Ord(y1, s), b = Ord(y2, s);
    F(x1);
    F(x2);
    Sup().Linea(x1, a, x2, b, ColoreCorrente);
}

void Grafica::Arco(double xc, double yc, double r, double a1, double a2, double s) {
    const double c = Ord(yc, s);
    F(xc);
    F(r);
    F(a1);
    F(a2);
    Sup().Arco(xc, c, r, a1, a2, ColoreCorrente);
}

void Grafica::PoligonaleComune(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                               double s, bool chiusa) {
    if (n < 1) return;
    Vettore1<double> xt(n), yt(n);
    for (int i = 1; i <= n; ++i) {
        xt(i) = F(x(i));
        yt(i) = Ord(y(i), s);
    }
    Sup().Poligonale(n, xt, yt, chiusa, ColoreCorrente);
}

void Grafica::Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y, double s) {
    PoligonaleComune(n, x, y, s, false);
}

void Grafica::PoligonaleChiusa(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                               double s) {
    PoligonaleComune(n, x, y, s, true);
}

void Grafica::Rettangolo(double x1, double y1, double x2, double y2, double s) {
    Vettore1<double> x(4), y(4);
    x(1) = x1, y(1) = y1;
    x(2) = x2, y(2) = y1;
    x(3) = x2, y(3) = y2;
    x(4) = x1, y(4) = y2;
    PoligonaleChiusa(4, x, y, s);
}

void Grafica::Solido(int n, const Vettore1<double>& x, const Vettore1<double>& y) {
    if (n < 2) return;
    Vettore1<double> xt(n), yt(n);
    for (int i = 1; i <= n; ++i) {
        xt(i) = F(x(i));
        yt(i) = F(Diviso(y(i) + OrigineY, ScalaCorrente));
    }
    Sup().Solido(n, xt, yt, ColoreCorrente);
}

void Grafica::PuntaFreccia(double x, double y, double dim, double angolo, bool piena) {
    Vettore1<double> bx(2), by(2);
    bx(1) = x + dim / 2, by(1) = y + 2 * dim;
    bx(2) = x - dim / 2, by(2) = y + 2 * dim;
    RuotaPunti(2, bx, by, x, y, angolo);
    const double k = RapportoScaleXY * ScalaCorrente;
    for (int i = 1; i <= 2; ++i)
        by(i) = y + k * (by(i) - y);
    if (!piena) {
        Vettore1<double> px(3), py(3);
        px(1) = x, py(1) = y;
        px(2) = bx(1), py(2) = by(1);
        px(3) = bx(2), py(3) = by(2);
        PoligonaleChiusa(3, px, py, 1);
    } else {
        Vettore1<double> px(4), py(4);
        px(1) = x, py(1) = y;
        px(2) = bx(1), py(2) = by(1);
        px(3) = bx(2), py(3) = by(2);
        px(4) = x, py(4) = y;
        Solido(4, px, py);
    }
}

void Grafica::Freccia(int testa, int etichetta, double valoreMin, double s, double altezzaTesto,
                      double valore, const std::string& testoValore, const Vettore1<double>& x,
                      const Vettore1<double>& y, double dimTesta, const std::string& suffisso,
                      bool piena, const std::vector<Punto2>* testaPersonale) {
    if (!(std::fabs(valore) > valoreMin)) return;
    const Punto2 p1{x(1), y(1)};
    const Punto2 p2{x(1) + Diviso(x(2) - x(1), s), y(1) + Diviso(y(2) - y(1), s)};
    Vettore1<double> sx(2), sy(2);
    sx(1) = p1.x, sy(1) = p1.y, sx(2) = p2.x, sy(2) = p2.y;
    Poligonale(2, sx, sy, 1);
    if (testa == 1 || testa == 2) {
        const Punto2 h = testa == 1 ? p1 : p2;
        const Punto2 o = testa == 1 ? p2 : p1;
        if (!testaPersonale) {
            PuntaFreccia(h.x, h.y, dimTesta, Angolo(o.y - h.y, o.x - h.x) - PiGreco / 2, piena);
        } else {
            const int n = static_cast<int>(testaPersonale->size());
            Vettore1<double> cx(n), cy(n);
            for (int i = 1; i <= n; ++i)
                cx(i) = (*testaPersonale)[i - 1].x, cy(i) = (*testaPersonale)[i - 1].y;
            if (piena)
                Solido(n, cx, cy);
            else
                PoligonaleChiusa(n, cx, cy, 1);
        }
    }
    if (etichetta == 1 || etichetta == 2) {
        const Punto2 e = etichetta == 1 ? p1 : p2;
        Testo(e.x, e.y, altezzaTesto, testoValore + suffisso, 1);
    }
}

void Grafica::Testo(double x, double y, double altezza, const std::string& testo, double s,
                    bool dallAlto) {
    double yy = Ord(y, s);
    F(x);
    F(altezza);
    Superficie& sup = Sup();
    if (dallAlto && sup.AbbassaTestoDallAlto()) yy -= 1.5 * altezza;
    if (AltezzaTestoInScala) sup.AdattaAltezzaTesto(altezza, testo);
    sup.Testo(x, yy, altezza, testo, ColoreCorrente);
}

void Grafica::TestoMultiFont(double x, double y, double altezza,
                             const std::vector<PezzoTesto>& pezzi) {
    double xx = F(x);
    const double yy = F(OrigineY + y);
    F(altezza);
    Superficie& sup = Sup();
    std::string unito;
    for (const PezzoTesto& p : pezzi) {
        SelezionaFont(p.slot);
        if (sup.UnisceTesti())
            unito += p.testo;
        else
            xx += F(sup.PezzoTesto(xx, yy, altezza, p.testo, NomeSlot(p.slot), ColoreCorrente));
    }
    // Text of a target that carries no fonts: one text of all the pieces.
    if (sup.UnisceTesti()) sup.Testo(x, yy, altezza, unito, ColoreCorrente);
}

void Grafica::DefinisciFont(int16_t slot, const std::string& nomeFont,
                            const std::string& nomeFile) {
    if (slot < 1 || slot > 10) throw Guasto("indice fuori dai limiti");
    NomiFont[static_cast<size_t>(slot - 1)] = nomeFont;
    if (superficie_) superficie_->DefinisciFont(slot, nomeFont, nomeFile);
}

void Grafica::SelezionaFont(int16_t slot) {
    const std::string& nome = NomeSlot(slot);
    if (superficie_) superficie_->SelezionaFont(slot, nome);
}

void Grafica::Tratteggio(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                         double angoloGradi, double parti, double scala) {
    if (n < 3) return;
    ScalaCorrente = scala;
    Tratteggio(n, x, y, angoloGradi, parti);
}

void Grafica::Tratteggio(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                         double angoloGradi, double parti) {
    if (n < 3) return;
    ZeroMaxDimen = MassimaDimensione(x, y, n, 1000000);
    for (const auto& s : SegmentiTratteggio(n, x, y, angoloGradi, parti))
        Linea(s[0].x, s[0].y, s[1].x, s[1].y, 1);
}

ErroreEsecuzione ErroreDa(const std::exception& e) {
    const std::string t = e.what();
    if (t.find("divisione") != std::string::npos) return {11, "Divisione per zero"};
    if (t.find("overflow") != std::string::npos || t.find("non finit") != std::string::npos)
        return {6, "Overflow"};
    if (t.find("indice") != std::string::npos || t.find("dimensione") != std::string::npos)
        return {9, "Indice non compreso nell'intervallo"};
    if (t.find("file") != std::string::npos) return {75, "Errore di accesso al percorso/file"};
    return {5, "Chiamata di routine o argomento non validi"};
}

} // namespace zelvo
