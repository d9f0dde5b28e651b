#include "graphics/plotta.h"

#include "core/guasto.h"
#include "core/matematica.h"
#include "core/trave_winkler.h"
#include "graphics/grafica.h"
#include "io/generale.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace zelvo {

StatoPlotta& Plotta() {
    static StatoPlotta p;
    return p;
}

namespace {

const DatiTrave& D(const ContestoDiagrammi& c) {
    return c.Modulo->Dati;
}
const RisultatiTrave& R(const ContestoDiagrammi& c) {
    return c.Modulo->Risultati;
}
double H() {
    return Plotta().AltezzaTestoDiagrammi;
}

std::string SenzaBlank(std::string s) {
    while (!s.empty() && s.front() == ' ')
        s.erase(0, 1);
    return s;
}

// Value and unit of a label: FormatoEtichetta of the shown value.
std::string Etichetta(const ContestoDiagrammi& c, Grandezza g, double v) {
    std::string t = FormatoEtichetta(c.Unita->separatori, 4, c.Unita->Mostrata(g, v));
    const std::string u = c.Unita->Etichetta(g);
    return u.empty() ? t : t + " " + u;
}

// A number of the title block: the unit's text without the sign blank.
std::string Valore(const ContestoDiagrammi& c, Grandezza g, double v) {
    return SenzaBlank(c.Unita->Testo(g, v));
}

std::string NumeroScala(const ContestoDiagrammi& c, double s) {
    return SenzaBlank(FormatoCompatto(c.Unita->separatori, 4, 10, s));
}

Vettore1<double> Tabella(const Vettore1<float>& v, int n) {
    Vettore1<double> t(n);
    for (int i = 1; i <= n; ++i)
        t(i) = v(i);
    return t;
}

void TitoloEScala(const ContestoDiagrammi& c, const std::string& didascalia, double scala) {
    StatoPlotta& p = Plotta();
    const double h = H();
    double y = p.yMaxDiagramma - 2 * h;
    if (p.Diagramma == "M") {
        const DatiTrave& d = D(c);
        Testo(p.xIniziale, y, h, "File : " + c.NomeFile + " - " + d.Titolo, 1);
        y -= 2 * h;
        std::string r = "Luce = " + Valore(c, Grandezza::Lunghezza, d.Luce) + " " +
                        c.Unita->Etichetta(Grandezza::Lunghezza);
        r += " ; E = " + Valore(c, Grandezza::Tensione, d.E) + " " +
             c.Unita->Etichetta(Grandezza::Tensione);
        r += " ; J = " + Valore(c, Grandezza::Inerzia, d.J) + " " +
             c.Unita->Etichetta(Grandezza::Inerzia);
        if (d.Vincoli == Fondazione) {
            r += std::string(" ; K = ") + Valore(c, Grandezza::K, d.K) + " " + EtichettaKDiagramma;
            r += " ; b = " + Valore(c, Grandezza::Lunghezza, d.b) + " " +
                 c.Unita->Etichetta(Grandezza::Lunghezza);
        }
        Testo(p.xIniziale, y, h, r, 1);
        y -= 2 * h;
    }
    const std::string& t = p.DispositivoDiagrammi;
    if (t == DispDxf || t == DispDwg)
        Testo(p.xIniziale, y, h, didascalia + NumeroScala(c, scala), 1);
}

void Appoggio(double xe, double a) {
    Vettore1<double> x(3), y(3);
    x(1) = xe, y(1) = 0;
    x(2) = xe + a / 2, y(2) = -a * std::sqrt(3.0) / 2;
    x(3) = xe - a / 2, y(3) = -a * std::sqrt(3.0) / 2;
    PoligonaleChiusa(3, x, y, 1);
}

void Incastro(double xe, bool aSinistra, double a) {
    if (aSinistra)
        Rettangolo(xe - a / 4, -2 * a, xe, 2 * a, 1);
    else
        Rettangolo(xe, -2 * a, xe + a / 4, 2 * a, 1);
}

void FineFinestra() {
    Plotta().FinestraDiagrammi.reset();
}

Plottaggio& Finestra() {
    if (!Plotta().FinestraDiagrammi) Plotta().FinestraDiagrammi = std::make_unique<Plottaggio>();
    return *Plotta().FinestraDiagrammi;
}

// Trapezoidal load (or soil pressure) between d1 and d2 at the scale s.
void PlottaTrapezio(const ContestoDiagrammi& c, double q1, double q2, double d1, double d2,
                    double s, bool suolo) {
    const double L = D(c).Luce;
    double e = 0;
    if (q1 >= 0 && q2 >= 0)
        e = L / 40;
    else if (q1 <= 0 && q2 <= 0)
        e = -L / 40;
    const double y1 = e + Diviso(q1, s), y2 = e + Diviso(q2, s);
    Vettore1<double> x(5), y(5);
    x(1) = d1, y(1) = e;
    x(2) = d2, y(2) = e;
    x(3) = d2, y(3) = y2;
    x(4) = d1, y(4) = y1;
    x(5) = d1, y(5) = e;
    SpessoreLinea(2);
    Poligonale(5, x, y, 1);
    SpessoreLinea(1);
    Tratteggio(5, x, y, 90, -L / 100);
    const double h = H();
    auto etichetta = [&](double xe, double ye, double q) {
        if (suolo) {
            // the soil pressure is drawn negative (below the axis), shown positive
            const std::string v = Etichetta(c, Grandezza::Tensione, -q);
            SuperficieRaster* sup = Grafica().Superficie;
            const std::string prima = sup ? sup->FontAttuale() : "";
            DefinisciFont(1, "Arial", "arial");
            DefinisciFont(2, "Symbol", "symbol");
            TestoMultiFont(xe, PosizioneEtichetta(ye), h, {{"s", 2}, {"t =" + v, 1}});
            if (sup) sup->NomeFont(prima);
        } else {
            Testo(xe, PosizioneEtichetta(ye), h, Etichetta(c, Grandezza::Carico, q), 1);
        }
    };
    etichetta(d1, y1, q1);
    etichetta(d2, y2, q2);
}

void PlottaSuoloWinkler(const ContestoDiagrammi& c, double sP) {
    const DatiTrave& d = D(c);
    const RisultatiTrave& r = R(c);
    const int n = r.NPunti;
    Vettore1<double> x(n), p(n);
    for (int i = 1; i <= n; ++i) {
        x(i) = r.x(i);
        const double f = (r.f(i) < 0 && !d.ReagTraz) ? 0.0 : double(r.f(i));
        p(i) = -d.K * f;
    }
    Poligonale(n, x, p, sP);
    if (c.Modulo->Winkler) {
        for (int i = 1; i <= d.NDivisioni + 1; ++i) {
            double w = c.Modulo->Winkler->SpostamentoW(i);
            if (w < 0 && !d.ReagTraz) w = 0;
            const double xm = c.Modulo->Winkler->xMolla(i);
            Linea(xm, 0, xm, -d.K * w, sP);
        }
    }
    const std::string v = Etichetta(c, Grandezza::Tensione, d.K * r.fMaxGiu);
    DefinisciFont(1, "Arial", "arial");
    DefinisciFont(2, "Symbol", "symbol");
    SuperficieRaster* sup = Grafica().Superficie;
    const std::string prima = sup ? sup->FontAttuale() : "";
    TestoMultiFont(r.xfMaxGiu, PosizioneEtichetta(Diviso(-d.K * r.fMaxGiu, sP)), H(),
                   {{"s", 2}, {"t =" + v, 1}});
    if (sup) sup->NomeFont(prima);
}

void Coppia(const ContestoDiagrammi& c, double W, double dW, double Wmax) {
    if (W == 0) return;
    const double L = D(c).Luce;
    const double r = L / 10;
    const double sweep = PiGreco * std::fabs(W) / Wmax;
    const double dueP = 2 * PiGreco;
    double a1, a2, ae;
    if (W > 0) { // clockwise from the top: the counter-clockwise arc ends at the top
        a1 = PiGreco / 2 - sweep;
        a2 = PiGreco / 2;
        ae = a1;
    } else {
        a1 = PiGreco / 2;
        a2 = PiGreco / 2 + sweep;
        ae = a2;
    }
    if (a1 < 0) a1 += dueP;
    Arco(dW, 0, r, a1, a2, 1);
    // The arc is round on the device: its ordinates follow the scale ratio.
    const double k = Grafica().RapportoScaleXY * Grafica().ScalaCorrente;
    const double xh = dW + r * std::cos(ae), yh = r * std::sin(ae) * k;
    // Direction of travel at the end (clockwise for W > 0).
    const double ux = W > 0 ? std::sin(ae) : -std::sin(ae);
    const double uy = (W > 0 ? -std::cos(ae) : std::cos(ae)) * k;
    PuntaFreccia(xh, yh, L / 150, Angolo(uy, ux) + PiGreco / 2, true);
    Testo(xh, PosizioneEtichetta(yh), H(), Etichetta(c, Grandezza::Momento, W), 1);
}

} // namespace

double ScalaTonda(double v) {
    const double e = v < 1E-20 ? -20.0 : std::log10(v);
    const double k = std::floor(e);
    const double m = std::pow(10.0, e - k);
    const double t[4] = {1, 2, 5, 10};
    double migliore = 0, dMin = 1E+300;
    for (double ti : t) {
        double d = ti - m;
        if (d < 0) d += 0.1;
        if (d >= 0 && d < dMin) {
            dMin = d;
            migliore = ti;
        }
    }
    return Finito(migliore * std::pow(10.0, k));
}

double CalcolaScala(double x1, double x2, double vMin, double vMax, const std::string& lettera) {
    StatoPlotta& p = Plotta();
    vMax = std::max(vMax, 0.0);
    vMin = std::min(vMin, 0.0);
    double scala;
    if (p.ScalaUtente && lettera == "M")
        scala = p.ScalaMomentiUtente;
    else if (p.ScalaUtente && lettera == "T")
        scala = p.ScalaTagliUtente;
    else
        scala = ScalaTonda(1.5 * Diviso(vMax - vMin, x2 - x1));
    const double h = H();
    p.yMaxDiagramma = ASingolo(Diviso(vMax, scala) + 8 * h);
    p.yMinDiagramma = ASingolo(Diviso(vMin, scala) - 12 * h);
    return scala;
}

double PosizioneEtichetta(double y) {
    const double h = H();
    if (DispositivoRaster(Plotta().DispositivoDiagrammi)) return y < 0 ? y - h / 2 : y + 1.5 * h;
    return y < 0 ? y - 2 * h : y + h;
}

void ImpostaFinestra(double offset) {
    StatoPlotta& p = Plotta();
    Plottaggio& f = Finestra();
    const std::string& t = p.DispositivoDiagrammi;
    if (t == DispVideo) {
        f.EstremiFinestra(0.1f, 0.1f, 0.85f, 0.9f);
    } else if (t == DispStampante) {
        if (p.SuperficieDiagrammi) {
            p.SuperficieDiagrammi->NomeFont("Times New Roman");
            p.SuperficieDiagrammi->DimensioneFont(8);
        }
        if (p.Diagramma == "M")
            f.EstremiFinestra(0.15f, 0.66f, 0.9f, 1);
        else if (p.Diagramma == "T")
            f.EstremiFinestra(0.15f, 0.33f, 0.9f, 0.66f);
        else
            f.EstremiFinestra(0.15f, 0.05f, 0.9f, 0.33f);
    } else {
        f.EstremiFinestra(0, 0, 0, 0);
    }
    f.Inizializza(p.xIniziale, p.xFinale, p.yMinDiagramma, p.yMaxDiagramma, t,
                  p.SuperficieDiagrammi, 1, !DispositivoRaster(t), offset);
}

void PlottaAsse(const ContestoDiagrammi& c) {
    StatoPlotta& p = Plotta();
    ImpostaColore(7);
    SpessoreLinea(3);
    Linea(p.xIniziale, 0, p.xFinale, 0, 1);
    SpessoreLinea(1);
    const int16_t v = D(c).Vincoli;
    if (v == Fondazione) return;
    const double a = (double(p.xFinale) - p.xIniziale) / 50;
    SpessoreLinea(2);
    switch (v) {
    case AppoggioAppoggio:
        Appoggio(p.xIniziale, a);
        Appoggio(p.xFinale, a);
        break;
    case IncastroIncastro:
        Incastro(p.xIniziale, true, a);
        Incastro(p.xFinale, false, a);
        break;
    case IncastroAppoggio:
        Incastro(p.xIniziale, true, a);
        Appoggio(p.xFinale, a);
        break;
    case Mensola:
        Incastro(p.xIniziale, true, a);
        break;
    default:
        break;
    }
}

// The diagram's curve (colour 1, pen 2) and the line at the probe abscissa
// from the axis to the probe value (colour 3).
void CurvaESonda(const ContestoDiagrammi& c, const Vettore1<float>& v,
                 const std::optional<float>& vx, double scala) {
    const RisultatiTrave& r = R(c);
    const int n = r.NPunti;
    SpessoreLinea(2);
    ImpostaColore(1);
    Poligonale(n, r.x, Tabella(v, n), -scala);
    ImpostaColore(3);
    if (vx) Linea(D(c).AscissaX, 0, D(c).AscissaX, *vx, -scala);
}

// The labels of the two extremes, each at its abscissa beside the curve.
void EtichetteEstremi(const ContestoDiagrammi& c, Grandezza g, double x1, double v1, double x2,
                      double v2, double scala) {
    const double h = H();
    ImpostaColore(1);
    Testo(x1, PosizioneEtichetta(-v1 / scala), h, Etichetta(c, g, v1), 1);
    Testo(x2, PosizioneEtichetta(-v2 / scala), h, Etichetta(c, g, v2), 1);
}

void PlottaMomenti(const ContestoDiagrammi& c, double offset, bool disegna) {
    StatoPlotta& p = Plotta();
    const RisultatiTrave& r = R(c);
    const DatiTrave& d = D(c);
    p.Diagramma = "M";
    const double scala = CalcolaScala(p.xIniziale, p.xFinale, -r.Mmax, -r.Mmin, "M");
    p.ScalaMomenti = scala;
    if (!disegna) return;
    double sf = 0;
    const double altezza = double(p.yMaxDiagramma) - p.yMinDiagramma;
    if (altezza <= 1E-20) {
        if (c.Msg) c.Msg->Mostra("ScalaDeformata = 0");
    } else {
        sf = std::fabs(r.fmax) / altezza * 5;
    }
    p.ScalaDeformata = sf;
    ImpostaFinestra(offset);
    PlottaAsse(c);
    const int n = r.NPunti;
    CurvaESonda(c, r.M, r.Mx, scala);
    if (sf > 0) {
        ImpostaColore(8);
        Poligonale(n, r.x, Tabella(r.f, n), -sf);
        ImpostaColore(3);
        if (r.fx) Linea(d.AscissaX, 0, d.AscissaX, *r.fx, -sf);
    }
    ImpostaColore(7);
    TitoloEScala(c, "Scala momenti 1:", scala);
    EtichetteEstremi(c, Grandezza::Momento, r.xMmax, r.Mmax, r.xMmin, r.Mmin, scala);
    if (sf > 0) {
        ImpostaColore(8);
        const double h = H();
        const double y = -r.fmax / sf;
        Testo(r.xfmax, PosizioneEtichetta(y), h,
              "f=" +
                  SenzaBlank(FormatoEtichetta(c.Unita->separatori, 4,
                                              c.Unita->Mostrata(Grandezza::Lunghezza, r.fmax))) +
                  " " + c.Unita->Etichetta(Grandezza::Lunghezza),
              1);
    }
    FineFinestra();
}

void PlottaTagli(const ContestoDiagrammi& c, double offset, bool disegna) {
    StatoPlotta& p = Plotta();
    const RisultatiTrave& r = R(c);
    p.Diagramma = "T";
    const double scala =
        CalcolaScala(p.xIniziale, p.xFinale, -std::max(r.Tmax, 0.0f), -r.Tmin, "T");
    p.ScalaTagli = scala;
    if (!disegna) return;
    ImpostaFinestra(offset);
    PlottaAsse(c);
    CurvaESonda(c, r.V, r.Vx, scala);
    ImpostaColore(7);
    TitoloEScala(c, "Scala tagli 1:", scala);
    EtichetteEstremi(c, Grandezza::Forza, r.xVmax, r.Vmax, r.xTmin, r.Tmin, scala);
}

void PlottaCarichi(const ContestoDiagrammi& c, double offset, bool disegna) {
    StatoPlotta& p = Plotta();
    const DatiTrave& d = D(c);
    const RisultatiTrave& r = R(c);
    p.Diagramma = "C";
    double A = 0, B = 0, C = 0, Wmax = 0;
    for (int i = 1; i <= d.NConcentrati; ++i)
        A = std::max(A, std::fabs(double(d.CarichiConcentrati(i).F)));
    for (int i = 1; i <= d.NTrapezi; ++i)
        B = std::max({B, std::fabs(double(d.CarichiTrapezi(i).q1)),
                      std::fabs(double(d.CarichiTrapezi(i).q2))});
    for (int i = 1; i <= d.NCoppie; ++i)
        Wmax = std::max(Wmax, std::fabs(double(d.Coppie(i).W)));
    const bool rigida = d.Vincoli == Fondazione && !d.Winkler;
    if (d.Vincoli == Fondazione) {
        if (d.Winkler) {
            double fm = 0;
            for (int i = 1; i <= r.NPunti; ++i)
                fm = std::max(fm, std::fabs(double(r.f(i))));
            C = d.K * fm;
        } else if (r.qSuoloA && r.qSuoloB) {
            C = Diviso(std::max(std::fabs(*r.qSuoloA), std::fabs(*r.qSuoloB)), d.b);
        }
    }
    const double Dl = d.Luce / 10.0;
    double Rf;
    int caso;
    if (A <= B) {
        if (B > Dl)
            Rf = B, caso = 1;
        else
            Rf = Dl, caso = 3;
    } else {
        if (A > Dl)
            Rf = A, caso = 2;
        else
            Rf = Dl, caso = 3;
    }
    if (C > Rf) Rf = C, caso = 4;
    const double scala = CalcolaScala(p.xIniziale, p.xFinale, -Rf, Rf, "C");
    p.ScalaCarichi = scala;
    // A quantity whose largest value is 0 is not drawn (its scale would be 0).
    double sq = 0, sF = 0, sP = 0;
    auto rapporto = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    switch (caso) {
    case 1:
        sq = scala, sF = scala * 0.8 * rapporto(A, B), sP = scala * rapporto(C, B);
        break;
    case 2:
        sq = scala * 1.2 * rapporto(B, A), sF = scala, sP = scala * rapporto(C, A);
        break;
    case 3:
        sq = 2 * scala * rapporto(B, Dl), sF = scala * rapporto(A, Dl),
        sP = scala * rapporto(C, Dl);
        break;
    default:
        sq = 2 * scala * rapporto(B, C), sF = scala * rapporto(A, C), sP = scala;
        break;
    }
    if (B == 0) sq = 0;
    if (A == 0) sF = 0;
    if (C == 0) sP = 0;
    p.ScalaTrapezi = sq;
    p.ScalaForze = sF;
    p.ScalaSuolo = sP;
    p.CoppiaMassima = Wmax;
    if (!disegna) return;
    ImpostaFinestra(offset);
    PlottaAsse(c);
    SpessoreLinea(2);
    if (sq > 0) {
        ImpostaColore(5);
        for (int i = 1; i <= d.NTrapezi; ++i) {
            const CaricoTrapezio& t = d.CarichiTrapezi(i);
            PlottaTrapezio(c, t.q1, t.q2, t.d1, t.d2, sq, false);
        }
    }
    if (d.Vincoli == Fondazione && sP > 0) {
        ImpostaColore(8);
        if (rigida && r.qSuoloA && r.qSuoloB && r.xContattoIniz && r.xContattoFine) {
            PlottaTrapezio(c, -Diviso(*r.qSuoloA, d.b), -Diviso(*r.qSuoloB, d.b), *r.xContattoIniz,
                           *r.xContattoFine, sP, true);
        } else if (d.Winkler) {
            PlottaSuoloWinkler(c, sP);
        }
    }
    if (sF > 0) {
        ImpostaColore(1);
        SpessoreLinea(2);
        for (int i = 1; i <= d.NConcentrati; ++i) {
            const CaricoConcentrato& f = d.CarichiConcentrati(i);
            if (f.F == 0) continue;
            Vettore1<double> x(2), y(2);
            x(1) = f.d, y(1) = f.F / sF;
            x(2) = f.d, y(2) = 0;
            Freccia(2, 0, 0, 1, H(), f.F, "", x, y, d.Luce / 150, "", true);
            Testo(f.d, PosizioneEtichetta(f.F / sF), H(), Etichetta(c, Grandezza::Forza, f.F), 1);
        }
    }
    if (Wmax > 0) {
        ImpostaColore(6);
        for (int i = 1; i <= d.NCoppie; ++i)
            Coppia(c, d.Coppie(i).W, d.Coppie(i).d, Wmax);
    }
    const std::string& t = p.DispositivoDiagrammi;
    if (t == DispDxf || t == DispDwg) {
        ImpostaColore(7);
        const double h = H();
        double y = p.yMaxDiagramma - 2 * h;
        if (sq > 0) {
            Testo(p.xIniziale, y, h, "Scala carichi trapezi 1:" + NumeroScala(c, sq), 1);
            y -= 2 * h;
        }
        if (sF > 0) {
            Testo(p.xIniziale, y, h, "Scala carichi concentrati 1:" + NumeroScala(c, sF), 1);
            y -= 2 * h;
        }
        if (Wmax > 0)
            Testo(p.xIniziale, y, h,
                  "Scala coppie: 180° =" + Etichetta(c, Grandezza::Momento, Wmax), 1);
    }
}

std::string TestoErroreDiagramma(const std::exception& e) {
    const ErroreEsecuzione er = ErroreDa(e);
    return "Errore " + std::to_string(er.numero) + " \"" + er.descrizione + "\"\n" +
           "in PlottaDiagramma. Controllare i dati";
}

namespace {

bool Pronto(const ContestoDiagrammi& c) {
    return c.Modulo && c.Unita && c.Modulo->Risultati.Calcolato && c.Modulo->Risultati.NPunti >= 2;
}

void Avvia(const ContestoDiagrammi& c, const std::string& dispositivo, SuperficieRaster* s,
           double divisoreH) {
    StatoPlotta& p = Plotta();
    p.DispositivoDiagrammi = dispositivo;
    p.SuperficieDiagrammi = s;
    TestoInScala(false);
    p.xIniziale = 0;
    p.xFinale = D(c).Luce;
    p.AltezzaTestoDiagrammi = D(c).Luce / divisoreH;
}

// The diagram's messages go to its sink while it draws; the previous sink
// comes back afterwards (the context's sink may not outlive the drawing).
struct SinkAvvisi {
    Messaggi* prima;
    explicit SinkAvvisi(const ContestoDiagrammi& c) : prima(Grafica().Avvisi) {
        if (c.Msg) Grafica().Avvisi = c.Msg;
    }
    ~SinkAvvisi() { Grafica().Avvisi = prima; }
    SinkAvvisi(const SinkAvvisi&) = delete;
    SinkAvvisi& operator=(const SinkAvvisi&) = delete;
};

// Runs one diagram; a fault shows its message and ends that diagram.
template <class Fn> bool Protetto(const ContestoDiagrammi& c, Fn fn) {
    try {
        fn();
        return true;
    } catch (const std::exception& e) {
        FineFinestra();
        if (c.Msg) c.Msg->Mostra(TestoErroreDiagramma(e), Icona::Domanda);
        return false;
    }
}

} // namespace

bool PlottaDiagramma(const ContestoDiagrammi& c, const std::string& lettera,
                     const std::string& dispositivo, SuperficieRaster* superficie) {
    if (!Pronto(c)) return false;
    SinkAvvisi sink(c);
    Avvia(c, dispositivo, superficie, 50);
    Plotta().Diagramma = lettera;
    return Protetto(c, [&] {
        if (lettera == "M")
            PlottaMomenti(c, 0, true);
        else if (lettera == "T")
            PlottaTagli(c, 0, true);
        else if (lettera == "C")
            PlottaCarichi(c, 0, true);
    });
}

bool PlottaStampa(const ContestoDiagrammi& c, const std::string& dispositivo,
                  SuperficieRaster* superficie) {
    if (!Pronto(c)) return false;
    SinkAvvisi sink(c);
    Avvia(c, dispositivo, superficie, 50);
    bool ok = Protetto(c, [&] { PlottaMomenti(c, 0, true); });
    ok = Protetto(c, [&] { PlottaTagli(c, 0, true); }) && ok;
    ok = Protetto(c, [&] { PlottaCarichi(c, 0, true); }) && ok;
    return ok;
}

bool PlottaFile(const ContestoDiagrammi& c, const std::string& dispositivo,
                SuperficieRaster* superficie) {
    if (!Pronto(c)) return false;
    SinkAvvisi sink(c);
    Avvia(c, dispositivo, superficie, 100);
    StatoPlotta& p = Plotta();
    double offset = 0;
    return Protetto(c, [&] {
        PlottaMomenti(c, 0, true);
        offset = p.yMinDiagramma;
        PlottaTagli(c, offset, false);
        offset -= p.yMaxDiagramma;
        PlottaTagli(c, offset, true);
        offset += p.yMinDiagramma;
        PlottaCarichi(c, offset, false);
        offset -= p.yMaxDiagramma;
        PlottaCarichi(c, offset, true);
    });
}

bool PlottaInOggettoDiagrammi(const ContestoDiagrammi& c, const std::string& dispositivo,
                              SuperficieRaster* superficie) {
    if (dispositivo == DispStampante) return PlottaStampa(c, dispositivo, superficie);
    if (dispositivo == DispDxf || dispositivo == DispDwg)
        return PlottaFile(c, dispositivo, superficie);
    if (c.Msg) c.Msg->Mostra("Sub PlottaInOggetto - Uscita = " + dispositivo);
    return false;
}

} // namespace zelvo
