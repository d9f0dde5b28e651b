#include "graphics/grafica.h"

#include "core/guasto.h"
#include "core/matematica.h"
#include "graphics/cad.h"
#include "graphics/dxf.h"
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

// Ordinate of a primitive with vertical scale s.
double Ord(double y, double s) {
    return F(Grafica().OrigineY + Diviso(y, s));
}

SuperficieRaster& Sup() {
    SuperficieRaster* s = Grafica().Superficie;
    if (!s) throw Guasto("nessuna superficie di disegno");
    return *s;
}

ScrittoreDxf& Dxf() {
    ScrittoreDxf* d = DxfAperto();
    if (!d) throw Guasto("file DXF non aperto");
    return *d;
}

// The colour of the next primitive on a raster surface.
SuperficieRaster& SupColorata() {
    SuperficieRaster& s = Sup();
    s.Colore(static_cast<uint32_t>(Grafica().ColoreCorrente));
    return s;
}

bool Raster() {
    return DispositivoRaster(Grafica().Dispositivo);
}
bool IsDxf() {
    return Grafica().Dispositivo == DispDxf;
}
bool Cad() {
    return DispositivoCad(Grafica().Dispositivo);
}

const std::string& NomeSlot(int16_t slot) {
    if (slot < 1 || slot > 10) throw Guasto("indice fuori dai limiti");
    return Grafica().NomiFont[static_cast<size_t>(slot - 1)];
}

} // namespace

StatoGrafica& Grafica() {
    static StatoGrafica g;
    return g;
}

Messaggi& AvvisiGrafica() {
    static AvvisiSuStderr riserva;
    return Grafica().Avvisi ? *Grafica().Avvisi : riserva;
}

void AzzeraGrafica() {
    Grafica() = StatoGrafica{};
    ZeroMaxDimen() = 0;
}

bool DispositivoRaster(const std::string& d) {
    return d == DispVideo || d == DispStampante;
}
bool DispositivoCad(const std::string& d) {
    return d == DispDwg || d == DispBlocco;
}

void ImpostaDispositivo(std::optional<double> scala, std::optional<std::string> dispositivo,
                        std::optional<SuperficieRaster*> superficie) {
    if (scala) Grafica().ScalaCorrente = *scala;
    if (dispositivo) Grafica().Dispositivo = *dispositivo;
    if (superficie) Grafica().Superficie = *superficie;
}

uint32_t ColoreRGB(int32_t n) {
    switch (n) {
    case 0:
        return 0xFFFFFF;
    case 1:
        return 0xFF0000;
    case 2:
        return 0xFFFF00;
    case 3:
        return 0x00FF00;
    case 4:
        return 0x00FFFF;
    case 5:
        return 0x0000FF;
    case 6:
        return 0xFF00FF;
    case 7:
        return 0x000000;
    case 8:
        return 0x808080;
    case 11:
        return 0x800000;
    case 13:
        return 0x00C000;
    default:
        return 0x000000;
    }
}

void ImpostaColore(int32_t colore, std::optional<std::string> dispositivo) {
    const std::string d = dispositivo.value_or(Grafica().Dispositivo);
    Grafica().ColoreCorrente =
        (d == DispDxf || DispositivoCad(d)) ? colore : static_cast<int32_t>(ColoreRGB(colore));
}

void SpessoreLinea(int16_t spessore, std::optional<std::string> dispositivo,
                   std::optional<SuperficieRaster*> superficie) {
    const std::string d = dispositivo.value_or(Grafica().Dispositivo);
    SuperficieRaster* s = superficie.value_or(Grafica().Superficie);
    if (!s) return;
    if (d == DispVideo)
        s->SpessorePenna(spessore);
    else if (d == DispStampante) {
        // width x 2 x 5.67 twips (0.2 mm per unit) in whole printer pixels
        const double twips = spessore * 2 * 5.67;
        s->SpessorePenna(static_cast<int>(std::lround(twips / 1440.0 * s->Risoluzione())));
    }
}

void Linea(double x1, double y1, double x2, double y2, double s) {
    const double a = Ord(y1, s), b = Ord(y2, s);
    F(x1);
    F(x2);
    if (Raster())
        SupColorata().Linea(x1, a, x2, b);
    else if (IsDxf())
        Dxf().LineaDxf(x1, a, x2, b, Grafica().ColoreCorrente);
    else if (Cad() && AutocadAperto())
        AutocadAperto()->AddLine(x1, a, x2, b, Grafica().ColoreCorrente);
}

void Arco(double xc, double yc, double r, double a1, double a2, double s) {
    const double c = Ord(yc, s);
    F(xc);
    F(r);
    F(a1);
    F(a2);
    if (Raster())
        SupColorata().Arco(xc, c, r, a1, a2);
    else if (IsDxf())
        Dxf().ArcoDxf(xc, c, r, a1, a2, Grafica().ColoreCorrente);
    else if (Cad() && AutocadAperto())
        AutocadAperto()->AddArc(xc, c, r, a1, a2, Grafica().ColoreCorrente);
}

namespace {
void PoligonaleComune(int n, const Vettore1<double>& x, const Vettore1<double>& y, double s,
                      bool chiusa) {
    if (n < 1) return;
    Vettore1<double> xt(n), yt(n);
    for (int i = 1; i <= n; ++i) {
        xt(i) = F(x(i));
        yt(i) = Ord(y(i), s);
    }
    if (Raster()) {
        SuperficieRaster& sup = SupColorata();
        for (int i = 1; i < n; ++i)
            sup.Linea(xt(i), yt(i), xt(i + 1), yt(i + 1));
        if (chiusa) sup.Linea(xt(n), yt(n), xt(1), yt(1));
    } else if (IsDxf()) {
        if (chiusa)
            Dxf().PoligonaleChiusaDxf(n, xt, yt, Grafica().ColoreCorrente);
        else
            Dxf().PoligonaleDxf(n, xt, yt, Grafica().ColoreCorrente);
    } else if (Cad() && AutocadAperto()) {
        std::vector<double> c;
        for (int i = 1; i <= n; ++i)
            c.insert(c.end(), {xt(i), yt(i)});
        if (chiusa) c.insert(c.end(), {xt(1), yt(1)});
        AutocadAperto()->AddLightWeightPolyline(c, Grafica().ColoreCorrente);
    }
}
} // namespace

void Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y, double s) {
    PoligonaleComune(n, x, y, s, false);
}

void PoligonaleChiusa(int n, const Vettore1<double>& x, const Vettore1<double>& y, double s) {
    PoligonaleComune(n, x, y, s, true);
}

void Rettangolo(double x1, double y1, double x2, double y2, double s) {
    Vettore1<double> x(4), y(4);
    x(1) = x1, y(1) = y1;
    x(2) = x2, y(2) = y1;
    x(3) = x2, y(3) = y2;
    x(4) = x1, y(4) = y2;
    PoligonaleChiusa(4, x, y, s);
}

void Solido(int n, const Vettore1<double>& x, const Vettore1<double>& y) {
    if (n < 2) return;
    const StatoGrafica& g = Grafica();
    Vettore1<double> xt(n), yt(n);
    for (int i = 1; i <= n; ++i) {
        xt(i) = F(x(i));
        yt(i) = F(Diviso(y(i) + g.OrigineY, g.ScalaCorrente));
    }
    const int m = n - 1; // the last point repeats the first
    if (Raster()) {
        SuperficieRaster& sup = SupColorata();
        for (int i = 1; i < m; ++i)
            sup.Linea(xt(i), yt(i), xt(i + 1), yt(i + 1));
        sup.Linea(xt(m), yt(m), xt(1), yt(1));
        // The fill is shown by hatching, drawn in the surface's own ordinates.
        for (const auto& seg : SegmentiTratteggio(m, xt, yt, 0, 20))
            sup.Linea(seg[0].x, seg[0].y, seg[1].x, seg[1].y);
    } else if (IsDxf()) {
        Dxf().PoligonaleChiusaDxf(m, xt, yt, g.ColoreCorrente);
    } else if (Cad()) {
        if (n != 4) AvvisiGrafica().Mostra("Errore in Sub SolidDwg - I punti devono essere 4");
        if (n >= 4 && AutocadAperto()) {
            double p[4][2];
            for (int i = 0; i < 4; ++i)
                p[i][0] = xt(i + 1), p[i][1] = yt(i + 1);
            AutocadAperto()->AddSolid(p, g.ColoreCorrente);
        }
    }
}

void PuntaFreccia(double x, double y, double dim, double angolo, bool piena) {
    Vettore1<double> bx(2), by(2);
    bx(1) = x + dim / 2, by(1) = y + 2 * dim;
    bx(2) = x - dim / 2, by(2) = y + 2 * dim;
    RuotaPunti(2, bx, by, x, y, angolo);
    const double k = Grafica().RapportoScaleXY * Grafica().ScalaCorrente;
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

void Freccia(int testa, int etichetta, double valoreMin, double s, double altezzaTesto,
             double valore, const std::string& testoValore, const Vettore1<double>& x,
             const Vettore1<double>& y, double dimTesta, const std::string& suffisso, bool piena,
             const std::vector<Punto2>* testaPersonale) {
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

void Testo(double x, double y, double altezza, const std::string& testo, double s, bool dallAlto) {
    double yy = Ord(y, s);
    F(x);
    F(altezza);
    const std::string& d = Grafica().Dispositivo;
    if (d == DispDxf || d == DispDwg) {
        if (dallAlto) yy -= 1.5 * altezza;
    }
    if (Raster()) {
        SuperficieRaster& sup = Sup();
        const uint32_t prima = sup.ColoreAttuale();
        sup.Colore(static_cast<uint32_t>(Grafica().ColoreCorrente));
        if (Grafica().AltezzaTestoInScala) {
            const double h = std::fabs(sup.AltezzaTesto(testo));
            if (h > 0) sup.DimensioneFont(F(sup.DimensioneAttuale() * altezza / h));
        }
        sup.Testo(x, yy, testo);
        sup.Colore(prima);
    } else if (IsDxf()) {
        Dxf().TestoDxf(x, yy, altezza, testo, Grafica().ColoreCorrente);
    } else if (Cad() && AutocadAperto()) {
        AutocadAperto()->AddText(testo, x, yy, altezza, Grafica().ColoreCorrente);
    }
}

void TestoMultiFont(double x, double y, double altezza, const std::vector<PezzoTesto>& pezzi) {
    double xx = F(x);
    const double yy = F(Grafica().OrigineY + y);
    F(altezza);
    std::string unito;
    for (const PezzoTesto& p : pezzi) {
        SelezionaFont(p.slot);
        if (IsDxf()) {
            unito += p.testo;
        } else if (Raster()) {
            SuperficieRaster& sup = Sup();
            const std::string t = NomeSlot(p.slot) == "Symbol" ? TestoSymbol(p.testo) : p.testo;
            const uint32_t prima = sup.ColoreAttuale();
            sup.Colore(static_cast<uint32_t>(Grafica().ColoreCorrente));
            sup.Testo(xx, yy, t);
            sup.Colore(prima);
            xx += F(sup.LarghezzaTesto(t));
        } else if (Cad() && AutocadAperto()) {
            AutocadAperto()->AddText(p.testo, xx, yy, altezza, Grafica().ColoreCorrente);
            xx += AutocadAperto()->LarghezzaUltimoTesto();
        }
    }
    if (IsDxf()) Dxf().TestoDxf(x, yy, altezza, unito, Grafica().ColoreCorrente);
}

void DefinisciFont(int16_t slot, const std::string& nomeFont, const std::string&,
                   std::optional<std::string>) {
    if (slot < 1 || slot > 10) throw Guasto("indice fuori dai limiti");
    Grafica().NomiFont[static_cast<size_t>(slot - 1)] = nomeFont;
    // "DWG": the text style belongs to the CAD bridge (none on this platform).
}

void SelezionaFont(int16_t slot, std::optional<std::string> dispositivo,
                   std::optional<SuperficieRaster*> superficie) {
    const std::string d = dispositivo.value_or(Grafica().Dispositivo);
    const std::string& nome = NomeSlot(slot);
    if (DispositivoRaster(d)) {
        SuperficieRaster* s = superficie.value_or(Grafica().Superficie);
        if (s) s->NomeFont(nome);
    } else if (d == DispDwg && AutocadAperto()) {
        AutocadAperto()->AttivaStileTesto(slot);
    }
}

void TestoInScala(bool flag) {
    Grafica().AltezzaTestoInScala = flag;
}

std::vector<std::array<Punto2, 2>> SegmentiTratteggio(int n, const Vettore1<double>& x,
                                                      const Vettore1<double>& y, double angoloGradi,
                                                      double parti) {
    std::vector<std::array<Punto2, 2>> out;
    if (n < 3) return out;
    const double teta = angoloGradi * PiGreco / 180;
    Vettore1<double> rx(n), ry(n);
    for (int i = 1; i <= n; ++i)
        rx(i) = F(x(i)), ry(i) = F(y(i));
    RuotaPunti(n, rx, ry, 0, 0, -teta);
    double x0, x1, y0, y1;
    EstremiPoligonale(n, rx, ry, x0, x1, y0, y1);
    const double H = y1 - y0;
    if (!(H > 0) || parti == 0) return out;
    int conta;
    double d;
    if (parti < 0) {
        d = -parti;
        conta = AIntero16(H / d);
    } else {
        conta = AIntero16(parti);
        d = H / parti;
    }
    for (int k = 1; k < conta; ++k) {
        const double yk = y0 + k * d;
        auto inc = IntersezioneRettaPoligono({x0 - 1, yk}, {x1 + 1, yk}, n, rx, ry);
        std::vector<Punto2> p;
        for (const auto& c : inc) {
            Vettore1<double> px(1), py(1);
            px(1) = c.p.x, py(1) = c.p.y;
            RuotaPunti(1, px, py, 0, 0, teta);
            p.push_back({px(1), py(1)});
        }
        if (p.size() % 2 == 0) {
            for (size_t i = 0; i + 1 < p.size(); i += 2)
                out.push_back({p[i], p[i + 1]});
        } else {
            for (size_t i = 0; i + 1 < p.size(); ++i) {
                const double mx = (inc[i].p.x + inc[i + 1].p.x) / 2;
                if (PuntoInPoligono(mx, yk, n, rx, ry)) out.push_back({p[i], p[i + 1]});
            }
        }
    }
    return out;
}

void Tratteggio(int n, const Vettore1<double>& x, const Vettore1<double>& y, double angoloGradi,
                double parti, std::optional<double> scala, std::optional<std::string> dispositivo,
                std::optional<SuperficieRaster*> superficie) {
    if (n < 3) return;
    ZeroMaxDimen() = MassimaDimensione(x, y, n, 1000000);
    ImpostaDispositivo(scala, dispositivo, superficie);
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

namespace {
void ErroreUscita(Messaggi& msg, const ErroreEsecuzione& e) {
    msg.Mostra("Si è verificato durante il processo di stampa il seguente errore: " +
               std::to_string(e.numero) + ACapo + e.descrizione);
}
} // namespace

bool UscitaGrafica(int scelta, const std::string& nomeBase, ProprietarioGrafica& proprietario,
                   DialogoFile* dialogo, Messaggi& msg) {
    try {
        switch (scelta) {
        case 1: {
            if (!dialogo) return false;
            const auto nome = dialogo->Salva(nomeBase + ".dxf", FiltroDxf, 2, true);
            if (!nome) return false; // cancel: no message, no file
            ApriDxf(*nome, 1);
            try {
                proprietario.PlottaInOggetto(DispDxf);
            } catch (...) {
                // Nothing of a failed drawing is written.
                AbbandonaDxf();
                throw;
            }
            if (!ChiudiDxf()) {
                ErroreUscita(msg, {75, "Errore di accesso al percorso/file"});
                return false;
            }
            return true;
        }
        case 2:
            if (!ApriAutocad(msg)) return false;
            proprietario.PlottaInOggetto(DispDwg);
            if (AutocadAperto()) AutocadAperto()->ZoomExtents();
            return true;
        case 4:
            proprietario.Chiudi();
            return false;
        default:
            return false;
        }
    } catch (const std::exception& e) {
        ErroreUscita(msg, ErroreDa(e));
        return false;
    }
}

} // namespace zelvo
