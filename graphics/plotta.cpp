#include "graphics/plotta.h"

#include "core/guasto.h"
#include "core/matematica.h"
#include "core/trave_winkler.h"
#include "graphics/colori.h"
#include "graphics/disegno_continua.h"
#include "graphics/grafica.h"
#include "io/generale.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace zelvo {

namespace {

std::string SenzaBlank(std::string s) {
    while (!s.empty() && s.front() == ' ')
        s.erase(0, 1);
    return s;
}

std::string NumeroScala(const Separatori& sep, double s) {
    return SenzaBlank(FormatoCompatto(sep, 4, 10, s));
}

Vettore1<double> Tabella(const Vettore1<float>& v, int n) {
    Vettore1<double> t(n);
    for (int i = 1; i <= n; ++i)
        t(i) = v(i);
    return t;
}

// The short text of the combination governing point i, none when the
// results do not keep how they were made or it cannot be found.
std::string GovernoBreve(const RisultatiCombinazioni& r, TipoCombinazione t, GrandezzaInviluppo q,
                         int i, bool massimo, int nCampate) {
    if (!r.Interno) return {};
    try {
        return TestoGovernoBreve(r.GovernoPunto(t, q, i, massimo), r.Casi, nCampate);
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace

// Value and unit of a label: FormatoEtichetta of the shown value.
std::string Plotta::Etichetta(Grandezza g, double v) const {
    std::string t = FormatoEtichetta(c_->Unita->separatori, 4, c_->Unita->Mostrata(g, v));
    const std::string u = c_->Unita->Etichetta(g);
    return u.empty() ? t : t + " " + u;
}

// A number of the title block: the unit's text without the sign blank.
std::string Plotta::Valore(Grandezza g, double v) const {
    return SenzaBlank(c_->Unita->Testo(g, v));
}

void Plotta::TitoloEScala(const std::string& didascalia, double scala, const std::string& vista) {
    StatoPlotta& p = p_;
    const double h = H();
    titolo_.clear();
    double hm = 0;
    const auto larghezza = LarghezzaEtichette(sup_, h, &hm);
    auto ingombro = [&](double y, const std::string& t) {
        titolo_.push_back({p.xIniziale, y - hm, p.xIniziale + larghezza(t), y + hm});
    };
    double y = p.yMaxDiagramma - 2 * h;
    if (p.Tipo == TipoDiagramma::Momento) {
        const DatiTrave& d = Dati();
        g_.Testo(p.xIniziale, y, h, "File : " + c_->NomeFile + " - " + d.Titolo, 1);
        ingombro(y, "File : " + c_->NomeFile + " - " + d.Titolo);
        y -= 2 * h;
        std::string r = "Luce = " + Valore(Grandezza::Lunghezza, d.Luce) + " " +
                        c_->Unita->Etichetta(Grandezza::Lunghezza);
        r += " ; E = " + Valore(Grandezza::Tensione, d.E) + " " +
             c_->Unita->Etichetta(Grandezza::Tensione);
        // A continuous beam's spans have each their own J.
        if (d.Vincoli == Continua)
            r += " ; " + std::to_string(d.Campate.size()) + " campate";
        else
            r += " ; J = " + Valore(Grandezza::Inerzia, d.J) + " " +
                 c_->Unita->Etichetta(Grandezza::Inerzia);
        if (d.Vincoli == Fondazione) {
            r += std::string(" ; K = ") + Valore(Grandezza::K, d.K) + " " + EtichettaKDiagramma;
            r += " ; b = " + Valore(Grandezza::Lunghezza, d.b) + " " +
                 c_->Unita->Etichetta(Grandezza::Lunghezza);
        }
        g_.Testo(p.xIniziale, y, h, r, 1);
        ingombro(y, r);
        y -= 2 * h;
    }
    if (sup_->ScaleNelDisegno()) {
        const std::string t = (vista.empty() ? std::string() : vista + " - ") + didascalia +
                              NumeroScala(c_->Unita->separatori, scala);
        g_.Testo(p.xIniziale, y, h, t, 1);
        ingombro(y, t);
    } else if (!vista.empty()) {
        g_.Testo(p.xIniziale, y, h, vista, 1);
        ingombro(y, vista);
    }
}

void Plotta::Appoggio(double xe, double a) {
    Vettore1<double> x(3), y(3);
    x(1) = xe, y(1) = 0;
    x(2) = xe + a / 2, y(2) = -a * std::sqrt(3.0) / 2;
    x(3) = xe - a / 2, y(3) = -a * std::sqrt(3.0) / 2;
    g_.PoligonaleChiusa(3, x, y, 1);
}

void Plotta::Incastro(double xe, bool aSinistra, double a) {
    if (aSinistra)
        g_.Rettangolo(xe - a / 4, -2 * a, xe, 2 * a, 1);
    else
        g_.Rettangolo(xe, -2 * a, xe + a / 4, 2 * a, 1);
}

Plottaggio& Plotta::FinestraDiagrammi() {
    if (!finestra_) finestra_ = std::make_unique<Plottaggio>();
    return *finestra_;
}

// Trapezoidal load (or soil pressure) between d1 and d2 at the scale s.
void Plotta::PlottaTrapezio(double q1, double q2, double d1, double d2, double s, bool suolo) {
    const double L = Dati().Luce;
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
    g_.SpessoreLinea(2);
    g_.Poligonale(5, x, y, 1);
    g_.SpessoreLinea(1);
    g_.Tratteggio(5, x, y, 90, -L / 100);
    const double h = H();
    auto etichetta = [&](double xe, double ye, double q) {
        if (suolo) {
            // the soil pressure is drawn negative (below the axis), shown positive
            const std::string v = Etichetta(Grandezza::Tensione, -q);
            const std::string prima = sup_->NomeFontAttivo();
            g_.DefinisciFont(1, "Arial", "arial");
            g_.DefinisciFont(2, "Symbol", "symbol");
            g_.TestoMultiFont(xe, PosizioneEtichetta(ye), h, {{"s", 2}, {"t =" + v, 1}});
            sup_->NomeFont(prima);
        } else {
            g_.Testo(xe, PosizioneEtichetta(ye), h, Etichetta(Grandezza::Carico, q), 1);
        }
    };
    etichetta(d1, y1, q1);
    etichetta(d2, y2, q2);
}

void Plotta::PlottaSuoloWinkler(double sP) {
    const DatiTrave& d = Dati();
    const RisultatiTrave& r = Ris();
    const int n = r.NPunti;
    Vettore1<double> x(n), p(n);
    for (int i = 1; i <= n; ++i) {
        x(i) = r.x(i);
        const double f = (r.f(i) < 0 && !d.ReagTraz) ? 0.0 : double(r.f(i));
        p(i) = -d.K * f;
    }
    g_.Poligonale(n, x, p, sP);
    if (c_->Modulo->Winkler) {
        for (int i = 1; i <= d.NDivisioni + 1; ++i) {
            double w = c_->Modulo->Winkler->SpostamentoW(i);
            if (w < 0 && !d.ReagTraz) w = 0;
            const double xm = c_->Modulo->Winkler->xMolla(i);
            g_.Linea(xm, 0, xm, -d.K * w, sP);
        }
    }
    const std::string v = Etichetta(Grandezza::Tensione, d.K * r.fMaxGiu);
    g_.DefinisciFont(1, "Arial", "arial");
    g_.DefinisciFont(2, "Symbol", "symbol");
    const std::string prima = sup_->NomeFontAttivo();
    g_.TestoMultiFont(r.xfMaxGiu, PosizioneEtichetta(Diviso(-d.K * r.fMaxGiu, sP)), H(),
                      {{"s", 2}, {"t =" + v, 1}});
    sup_->NomeFont(prima);
}

void Plotta::Coppia(double W, double dW, double Wmax) {
    if (W == 0) return;
    const double L = Dati().Luce;
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
    g_.Arco(dW, 0, r, a1, a2, 1);
    // The arc is round on the device: its ordinates follow the scale ratio.
    const double k = g_.RapportoScaleXY * g_.ScalaCorrente;
    const double xh = dW + r * std::cos(ae), yh = r * std::sin(ae) * k;
    // Direction of travel at the end (clockwise for W > 0).
    const double ux = W > 0 ? std::sin(ae) : -std::sin(ae);
    const double uy = (W > 0 ? -std::cos(ae) : std::cos(ae)) * k;
    g_.PuntaFreccia(xh, yh, L / 150, Angolo(uy, ux) + PiGreco / 2, true);
    g_.Testo(xh, PosizioneEtichetta(yh), H(), Etichetta(Grandezza::Momento, W), 1);
}

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

double Plotta::CalcolaScala(double x1, double x2, double vMin, double vMax,
                            TipoDiagramma diagramma) {
    StatoPlotta& p = p_;
    vMax = std::max(vMax, 0.0);
    vMin = std::min(vMin, 0.0);
    double scala;
    const ScaleUtente* u = c_ ? c_->Scale : nullptr;
    if (u && u->ScalaUtente && diagramma == TipoDiagramma::Momento)
        scala = u->ScalaMomentiUtente;
    else if (u && u->ScalaUtente && diagramma == TipoDiagramma::Taglio)
        scala = u->ScalaTagliUtente;
    else
        scala = ScalaTonda(1.5 * Diviso(vMax - vMin, x2 - x1));
    const double h = H();
    p.yMaxDiagramma = ASingolo(Diviso(vMax, scala) + 8 * h);
    p.yMinDiagramma = ASingolo(Diviso(vMin, scala) - 12 * h);
    return scala;
}

double Plotta::PosizioneEtichetta(double y) const {
    const double h = H();
    // Text placed by its top (screen, printer) or by its baseline (files, CAD).
    if (sup_ && !sup_->TestoDallaBase()) return y < 0 ? y - h / 2 : y + 1.5 * h;
    return y < 0 ? y - 2 * h : y + h;
}

void Plotta::ImpostaFinestra(double offset) {
    StatoPlotta& p = p_;
    Plottaggio& f = FinestraDiagrammi();
    if (sup_->Pagina()) {
        // Each diagram in its band of the page.
        sup_->NomeFont("Times New Roman");
        sup_->DimensioneFont(8);
        if (p.Tipo == TipoDiagramma::Momento)
            f.EstremiFinestra(0.15f, 0.66f, 0.9f, 1);
        else if (p.Tipo == TipoDiagramma::Taglio)
            f.EstremiFinestra(0.15f, 0.33f, 0.9f, 0.66f);
        else
            f.EstremiFinestra(0.15f, 0.05f, 0.9f, 0.33f);
    } else if (sup_->Raster()) {
        f.EstremiFinestra(0.1f, 0.1f, 0.85f, 0.9f);
    } else {
        f.EstremiFinestra(0, 0, 0, 0);
    }
    // Diagrams on screen and paper are stretched to their band.
    f.Inizializza(g_, p.xIniziale, p.xFinale, p.yMinDiagramma, p.yMaxDiagramma, *sup_, 1,
                  !sup_->Raster(), offset);
}

void Plotta::PlottaAsse() {
    StatoPlotta& p = p_;
    g_.ImpostaColore(Cad::Nero);
    g_.SpessoreLinea(3);
    g_.Linea(p.xIniziale, 0, p.xFinale, 0, 1);
    g_.SpessoreLinea(1);
    const int16_t v = Dati().Vincoli;
    if (v == Fondazione) return;
    if (v == Continua) {
        // Every support of the continuous beam with its symbol.
        AppoggiDiagrammaContinua(g_, MappaContinua(1), c_->Modulo->Continua, Dati().Appoggi);
        g_.SpessoreLinea(1);
        return;
    }
    const double a = (double(p.xFinale) - p.xIniziale) / 50;
    g_.SpessoreLinea(2);
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

// The diagram's curve (red, pen 2) and the line at the probe abscissa
// from the axis to the probe value (green).
void Plotta::CurvaESonda(const Vettore1<float>& v, const std::optional<float>& vx, double scala) {
    const RisultatiTrave& r = Ris();
    const int n = r.NPunti;
    g_.SpessoreLinea(2);
    g_.ImpostaColore(Cad::Rosso);
    g_.Poligonale(n, r.x, Tabella(v, n), -scala);
    g_.ImpostaColore(Cad::Verde);
    if (vx) g_.Linea(Dati().AscissaX, 0, Dati().AscissaX, *vx, -scala);
}

// The labels of the two extremes, each at its abscissa beside the curve.
void Plotta::EtichetteEstremi(Grandezza g, double x1, double v1, double x2, double v2,
                              double scala) {
    const double h = H();
    g_.ImpostaColore(Cad::Rosso);
    g_.Testo(x1, PosizioneEtichetta(-v1 / scala), h, Etichetta(g, v1), 1);
    g_.Testo(x2, PosizioneEtichetta(-v2 / scala), h, Etichetta(g, v2), 1);
}

MappaDiagramma Plotta::MappaContinua(double scala) const {
    MappaDiagramma m;
    m.xIniziale = p_.xIniziale;
    m.xFinale = p_.xFinale;
    m.Scala = scala;
    m.yMin = p_.yMinDiagramma;
    m.yMax = p_.yMaxDiagramma;
    m.AltezzaTesto = H();
    return m;
}

// A continuous beam: the axis, every support's symbol and the labels of
// diagram d (each span's and each support's values, placed apart).
std::vector<Riquadro> Plotta::EtichetteTraveContinua(DiagrammaContinua d, Grandezza g,
                                                     double scala) {
    auto occupati =
        DecoraDiagrammaContinua(g_, MappaContinua(scala), d, c_->Modulo->Continua, Dati().Appoggi,
                                [this, g](double v) { return Etichetta(g, v); });
    g_.SpessoreLinea(1);
    return occupati;
}

void Plotta::PlottaMomenti(double offset, bool disegna) {
    if (const VistaDiagrammi v = VistaInVigore(*c_); v.tipo != VistaDiagrammi::Tipo::Tutti) {
        PlottaVista(TipoDiagramma::Momento, v, offset, disegna);
        return;
    }
    StatoPlotta& p = p_;
    const RisultatiTrave& r = Ris();
    const DatiTrave& d = Dati();
    p.Tipo = TipoDiagramma::Momento;
    const double scala =
        CalcolaScala(p.xIniziale, p.xFinale, -r.Mmax, -r.Mmin, TipoDiagramma::Momento);
    p.ScalaMomenti = scala;
    if (!disegna) return;
    double sf = 0;
    const double altezza = double(p.yMaxDiagramma) - p.yMinDiagramma;
    if (altezza <= 1E-20) {
        if (c_->Msg) c_->Msg->Mostra("ScalaDeformata = 0");
    } else {
        sf = std::fabs(r.fmax) / altezza * 5;
    }
    p.ScalaDeformata = sf;
    ImpostaFinestra(offset);
    const bool continua = d.Vincoli == Continua;
    if (!continua) PlottaAsse();
    const int n = r.NPunti;
    CurvaESonda(r.M, r.Mx, scala);
    if (sf > 0) {
        g_.ImpostaColore(Cad::Grigio);
        g_.Poligonale(n, r.x, Tabella(r.f, n), -sf);
        g_.ImpostaColore(Cad::Verde);
        if (r.fx) g_.Linea(d.AscissaX, 0, d.AscissaX, *r.fx, -sf);
    }
    g_.ImpostaColore(Cad::Nero);
    TitoloEScala("Scala momenti 1:", scala);
    std::vector<Riquadro> occupati;
    if (continua)
        occupati = EtichetteTraveContinua(DiagrammaContinua::Momenti, Grandezza::Momento, scala);
    else
        EtichetteEstremi(Grandezza::Momento, r.xMmax, r.Mmax, r.xMmin, r.Mmin, scala);
    if (sf > 0 && continua) {
        // Each span's largest deflection on the deflected shape, clear of
        // the moments' labels and of the moments' curve (each of its
        // segments as a box).
        const auto curvaM = CurvaContinua(c_->Modulo->Continua, DiagrammaContinua::Momenti);
        for (size_t i = 1; i < curvaM.size(); ++i) {
            const double y1 = -curvaM[i - 1].second / scala, y2 = -curvaM[i].second / scala;
            occupati.push_back(
                {curvaM[i - 1].first, std::min(y1, y2), curvaM[i].first, std::max(y1, y2)});
        }
        g_.ImpostaColore(Cad::Grigio);
        EtichetteDiagrammaContinua(
            g_, MappaContinua(sf), DiagrammaContinua::Frecce, c_->Modulo->Continua,
            [this](double v) { return "f=" + SenzaBlank(Etichetta(Grandezza::Lunghezza, v)); },
            std::move(occupati));
        g_.SpessoreLinea(1);
    } else if (sf > 0) {
        g_.ImpostaColore(Cad::Grigio);
        const double h = H();
        const double y = -r.fmax / sf;
        g_.Testo(
            r.xfmax, PosizioneEtichetta(y), h,
            "f=" +
                SenzaBlank(FormatoEtichetta(c_->Unita->separatori, 4,
                                            c_->Unita->Mostrata(Grandezza::Lunghezza, r.fmax))) +
                " " + c_->Unita->Etichetta(Grandezza::Lunghezza),
            1);
    }
    finestra_.reset();
}

void Plotta::PlottaTagli(double offset, bool disegna) {
    if (const VistaDiagrammi v = VistaInVigore(*c_); v.tipo != VistaDiagrammi::Tipo::Tutti) {
        PlottaVista(TipoDiagramma::Taglio, v, offset, disegna);
        return;
    }
    StatoPlotta& p = p_;
    const RisultatiTrave& r = Ris();
    p.Tipo = TipoDiagramma::Taglio;
    const double scala = CalcolaScala(p.xIniziale, p.xFinale, -std::max(r.Tmax, 0.0f), -r.Tmin,
                                      TipoDiagramma::Taglio);
    p.ScalaTagli = scala;
    if (!disegna) return;
    ImpostaFinestra(offset);
    const bool continua = Dati().Vincoli == Continua;
    if (!continua) PlottaAsse();
    CurvaESonda(r.V, r.Vx, scala);
    g_.ImpostaColore(Cad::Nero);
    TitoloEScala("Scala tagli 1:", scala);
    if (continua)
        EtichetteTraveContinua(DiagrammaContinua::Tagli, Grandezza::Forza, scala);
    else
        EtichetteEstremi(Grandezza::Forza, r.xVmax, r.Vmax, r.xTmin, r.Tmin, scala);
}

// --- the views of the load cases ---------------------------------------------

VistaDiagrammi VistaInVigore(const ContestoDiagrammi& c) {
    if (!c.Scale || !c.Modulo || c.Scale->Vista.tipo == VistaDiagrammi::Tipo::Tutti) return {};
    const RisultatiCombinazioni& r = c.Modulo->Combinazioni;
    CurvaInviluppo m;
    if (!r.Calcolato || !CurveVista(r, c.Scale->Vista, GrandezzaInviluppo::M, m)) return {};
    return c.Scale->Vista;
}

std::string NomeVista(const RisultatiCombinazioni& r, VistaDiagrammi v) {
    switch (v.tipo) {
    case VistaDiagrammi::Tipo::Caso:
        if (v.indice >= 0 && size_t(v.indice) < r.Casi.size())
            return "Caso: " + r.Casi[size_t(v.indice)].Nome;
        break;
    case VistaDiagrammi::Tipo::Inviluppo:
        if (v.indice >= 0 && v.indice < NumeroTipiCombinazione)
            return std::string("Inviluppo ") + NomeCombinazione(TipoCombinazione(v.indice));
        break;
    case VistaDiagrammi::Tipo::Tutti:
        break;
    }
    return TestoTuttiICarichi;
}

bool CurveVista(const RisultatiCombinazioni& r, VistaDiagrammi v, GrandezzaInviluppo g,
                CurvaInviluppo& c) {
    const size_t n = r.x.size();
    const size_t q = size_t(g);
    if (!r.Calcolato || n < 2 || r.Campata.size() != n || q > 2) return false;
    if (v.tipo == VistaDiagrammi::Tipo::Caso) {
        if (v.indice < 0 || size_t(v.indice) >= r.PerCaso.size()) return false;
        c.Max = r.PerCaso[size_t(v.indice)].Valori[q];
        c.Min = c.Max;
    } else if (v.tipo == VistaDiagrammi::Tipo::Inviluppo) {
        if (v.indice < 0 || v.indice >= NumeroTipiCombinazione) return false;
        c = r.Inviluppi[size_t(v.indice)].Curve[q];
    } else {
        return false;
    }
    if (c.Max.size() != n || c.Min.size() != n) return false;
    for (size_t i = 0; i < n; ++i)
        if (!std::isfinite(c.Max[i]) || !std::isfinite(c.Min[i]) || !std::isfinite(r.x[i]))
            return false;
    return true;
}

std::string TestoGovernoBreve(const Governo& g, const std::vector<CasoCarico>& casi, int nCampate) {
    const size_t n = std::min(casi.size(), g.Campate.size());
    int caricati = 0;
    bool g1 = false, g2 = false;
    for (size_t k = 0; k < casi.size(); ++k) {
        if (k < n && casi[k].Tipo == TipoCaso::Q && !g.Campate[k].empty()) ++caricati;
        g1 = g1 || casi[k].Tipo == TipoCaso::G1;
        g2 = g2 || casi[k].Tipo == TipoCaso::G2;
    }
    std::string t;
    auto aggiungi = [&t](const std::string& parte) { t += (t.empty() ? "" : "; ") + parte; };
    for (size_t k = 0; k < n; ++k) {
        if (casi[k].Tipo != TipoCaso::Q || g.Campate[k].empty()) continue;
        std::string parte = casi[k].Nome;
        if (nCampate > 1 && int(g.Campate[k].size()) < nCampate) {
            parte += " camp.";
            for (int c : g.Campate[k])
                parte += " " + std::to_string(c + 1);
        }
        if (caricati > 1 && int(k) == g.Dominante) parte += " dom.";
        aggiungi(parte);
    }
    if (g.Tipo == TipoCombinazione::SLU) {
        if (g1 && !g.G1Sfavorevole) aggiungi("G1 fav.");
        if (g2 && !g.G2Sfavorevole) aggiungi("G2 fav.");
    }
    return t.empty() ? "solo permanenti" : t;
}

std::vector<PuntoEtichetta> PuntiEtichette(const std::vector<double>& x,
                                           const std::vector<int>& campata, const CurvaInviluppo& c,
                                           bool minimiPositivi) {
    std::vector<PuntoEtichetta> punti;
    const size_t n = x.size();
    if (campata.size() != n || c.Max.size() != n || c.Min.size() != n) return punti;
    double grande = 0;
    int campate = 0;
    for (size_t i = 0; i < n; ++i) {
        grande = std::max({grande, std::fabs(c.Max[i]), std::fabs(c.Min[i])});
        campate = std::max(campate, campata[i] + 1);
    }
    const double tol = 1e-9 * grande;
    auto valore = [&](const PuntoEtichetta& p) {
        return p.Massimo ? c.Max[size_t(p.Indice)] : c.Min[size_t(p.Indice)];
    };
    auto aggiungi = [&](size_t i, bool massimo) {
        const PuntoEtichetta nuovo{int(i), massimo};
        for (const PuntoEtichetta& p : punti)
            if (x[size_t(p.Indice)] == x[i] && std::fabs(valore(p) - valore(nuovo)) <= tol) return;
        punti.push_back(nuovo);
    };
    for (int s = 0; s < campate; ++s) {
        size_t aMax = n, aMin = n, bMax = n, bMin = n; // argmax / argmin of Max (a) and Min (b)
        for (size_t i = 0; i < n; ++i) {
            if (campata[i] != s) continue;
            if (aMax == n || c.Max[i] > c.Max[aMax]) aMax = i;
            if (aMin == n || c.Max[i] < c.Max[aMin]) aMin = i;
            if (bMax == n || c.Min[i] > c.Min[bMax]) bMax = i;
            if (bMin == n || c.Min[i] < c.Min[bMin]) bMin = i;
        }
        if (aMax == n) continue;
        if (c.Max[aMax] > tol)
            aggiungi(aMax, true);
        else if (c.Max[aMin] < -tol)
            aggiungi(aMin, true);
        if (c.Min[bMin] < -tol)
            aggiungi(bMin, false);
        else if (minimiPositivi && c.Min[bMax] > tol)
            aggiungi(bMax, false);
    }
    return punti;
}

std::vector<Riquadro> Plotta::CurveEtichetteVista(const VistaDiagrammi& v, GrandezzaInviluppo q,
                                                  double scala, int32_t colore, Grandezza g,
                                                  std::vector<Riquadro> ostacoli, bool governo) {
    const RisultatiCombinazioni& rc = c_->Modulo->Combinazioni;
    CurvaInviluppo c;
    if (!CurveVista(rc, v, q, c)) return ostacoli;
    const bool inviluppo = v.tipo == VistaDiagrammi::Tipo::Inviluppo;
    const bool frecce = q == GrandezzaInviluppo::f;
    const int32_t coloreMin = colore == Cad::Rosso ? Cad::Blu : colore;
    const int n = int(rc.x.size());
    Vettore1<double> x(n), yMax(n), yMin(n);
    for (int i = 1; i <= n; ++i) {
        x(i) = rc.x[size_t(i - 1)];
        yMax(i) = c.Max[size_t(i - 1)];
        yMin(i) = c.Min[size_t(i - 1)];
    }
    g_.SpessoreLinea(2);
    g_.ImpostaColore(colore);
    g_.Poligonale(n, x, yMax, -scala);
    if (inviluppo) {
        g_.ImpostaColore(coloreMin);
        g_.Poligonale(n, x, yMin, -scala);
    }

    // The labels: value (and, for an envelope, the governing combination)
    // beside each extreme, clear of both curves.
    const auto punti = PuntiEtichette(rc.x, rc.Campata, c, !frecce);
    int nCampate = 0;
    for (int s : rc.Campata)
        nCampate = std::max(nCampate, s + 1);
    std::vector<EtichettaContinua> etichette;
    std::vector<std::string> brevi, lunghi;
    for (size_t k = 0; k < punti.size(); ++k) {
        const size_t i = size_t(punti[k].Indice);
        EtichettaContinua e;
        e.x = rc.x[i];
        e.Valore = punti[k].Massimo ? c.Max[i] : c.Min[i];
        e.Indice = int(k);
        // A shear at a span's end goes on its side of the support.
        if (q == GrandezzaInviluppo::V) {
            if (i + 1 == size_t(n) || rc.Campata[i + 1] != rc.Campata[i])
                e.Tipo = TipoEtichettaContinua::TaglioSinistra;
            else if (i == 0 || rc.Campata[i - 1] != rc.Campata[i])
                e.Tipo = TipoEtichettaContinua::TaglioDestra;
        }
        etichette.push_back(e);
        std::string t = frecce ? "f=" + SenzaBlank(Etichetta(g, e.Valore)) : Etichetta(g, e.Valore);
        brevi.push_back(t);
        if (governo && inviluppo) {
            const std::string gv =
                GovernoBreve(rc, TipoCombinazione(v.indice), q, int(i), punti[k].Massimo, nCampate);
            if (!gv.empty()) t += " (" + gv + ")";
        }
        lunghi.push_back(t);
    }
    std::vector<std::pair<double, double>> curva;
    for (int i = 0; i < n; ++i) {
        curva.emplace_back(rc.x[size_t(i)], c.Max[size_t(i)]);
        if (inviluppo) curva.emplace_back(rc.x[size_t(i)], c.Min[size_t(i)]);
    }
    double h = 0;
    const auto larghezza = LarghezzaEtichette(sup_, H(), &h);
    const MappaDiagramma m = MappaContinua(scala);
    std::vector<EtichettaPosata> posate =
        DisponiEtichetteTesti(etichette, lunghi, m, larghezza, h, curva, ostacoli);
    // A label too long for its place keeps its value alone.
    std::vector<bool> messa(etichette.size(), false);
    std::vector<Riquadro> occupati = ostacoli;
    for (const auto& p : posate) {
        messa[size_t(p.Etichetta.Indice)] = true;
        occupati.push_back({p.x1, p.y1, p.x2, p.y2});
    }
    std::vector<EtichettaContinua> resto;
    std::vector<std::string> testiResto;
    for (size_t k = 0; k < etichette.size(); ++k)
        if (!messa[k] && lunghi[k] != brevi[k]) {
            resto.push_back(etichette[k]);
            testiResto.push_back(brevi[k]);
        }
    if (!resto.empty())
        for (auto& p : DisponiEtichetteTesti(resto, testiResto, m, larghezza, h, curva, occupati))
            posate.push_back(std::move(p));
    g_.SpessoreLinea(1);
    const bool dallaBase = sup_->TestoDallaBase();
    for (const auto& p : posate) {
        g_.ImpostaColore(punti[size_t(p.Etichetta.Indice)].Massimo ? colore : coloreMin);
        g_.Testo(p.x1, dallaBase ? p.y1 : p.y2, H(), p.Testo, 1);
        ostacoli.push_back({p.x1, p.y1, p.x2, p.y2});
    }
    return ostacoli;
}

void Plotta::PlottaVista(TipoDiagramma d, const VistaDiagrammi& v, double offset, bool disegna) {
    StatoPlotta& p = p_;
    const RisultatiCombinazioni& rc = c_->Modulo->Combinazioni;
    const bool momenti = d == TipoDiagramma::Momento;
    const GrandezzaInviluppo q = momenti ? GrandezzaInviluppo::M : GrandezzaInviluppo::V;
    p.Tipo = d;
    CurvaInviluppo c;
    if (!CurveVista(rc, v, q, c)) throw Guasto("vista dei diagrammi");
    double vMax = 0, vMin = 0;
    for (size_t i = 0; i < c.Max.size(); ++i) {
        vMax = std::max({vMax, c.Max[i], c.Min[i]});
        vMin = std::min({vMin, c.Max[i], c.Min[i]});
    }
    const double scala = CalcolaScala(p.xIniziale, p.xFinale, -vMax, -vMin, d);
    (momenti ? p.ScalaMomenti : p.ScalaTagli) = scala;
    if (!disegna) return;
    double sf = 0;
    CurvaInviluppo f;
    if (momenti && CurveVista(rc, v, GrandezzaInviluppo::f, f)) {
        double fm = 0;
        for (size_t i = 0; i < f.Max.size(); ++i)
            fm = std::max({fm, std::fabs(f.Max[i]), std::fabs(f.Min[i])});
        const double altezza = double(p.yMaxDiagramma) - p.yMinDiagramma;
        if (altezza > 1E-20) sf = fm / altezza * 5;
        p.ScalaDeformata = sf;
    }
    ImpostaFinestra(offset);
    std::vector<Riquadro> ostacoli;
    if (Dati().Vincoli == Continua) {
        ostacoli =
            AppoggiDiagrammaContinua(g_, MappaContinua(1), c_->Modulo->Continua, Dati().Appoggi);
        g_.SpessoreLinea(1);
    } else {
        PlottaAsse();
    }
    g_.ImpostaColore(Cad::Nero);
    TitoloEScala(momenti ? "Scala momenti 1:" : "Scala tagli 1:", scala, NomeVista(rc, v));
    // The labels clear of the title block.
    ostacoli.insert(ostacoli.end(), titolo_.begin(), titolo_.end());
    ostacoli = CurveEtichetteVista(v, q, scala, Cad::Rosso,
                                   momenti ? Grandezza::Momento : Grandezza::Forza,
                                   std::move(ostacoli), true);
    if (sf > 0) {
        // The deflections clear of the moments' labels and curves (each
        // segment of them as a box).
        for (size_t i = 1; i < c.Max.size(); ++i)
            for (const auto* y : {&c.Max, &c.Min}) {
                const double y1 = -(*y)[i - 1] / scala, y2 = -(*y)[i] / scala;
                ostacoli.push_back({rc.x[i - 1], std::min(y1, y2), rc.x[i], std::max(y1, y2)});
            }
        CurveEtichetteVista(v, GrandezzaInviluppo::f, sf, Cad::Grigio, Grandezza::Lunghezza,
                            std::move(ostacoli), false);
    }
    g_.ImpostaColore(Cad::Nero);
    if (momenti) finestra_.reset();
}

void Plotta::PlottaCarichi(double offset, bool disegna) {
    StatoPlotta& p = p_;
    const DatiTrave& d = Dati();
    const RisultatiTrave& r = Ris();
    p.Tipo = TipoDiagramma::Carichi;
    // The view of one load case draws that case's loads alone, to their own
    // scale; every other view draws every load.
    const VistaDiagrammi vista = VistaInVigore(*c_);
    const int solo = vista.tipo == VistaDiagrammi::Tipo::Caso ? vista.indice : -1;
    const auto mostra = [solo](int caso) { return solo < 0 || caso == solo; };
    double A = 0, B = 0, C = 0, Wmax = 0;
    for (int i = 1; i <= d.NConcentrati; ++i)
        if (mostra(d.CarichiConcentrati(i).Caso))
            A = std::max(A, std::fabs(double(d.CarichiConcentrati(i).F)));
    for (int i = 1; i <= d.NTrapezi; ++i)
        if (mostra(d.CarichiTrapezi(i).Caso))
            B = std::max({B, std::fabs(double(d.CarichiTrapezi(i).q1)),
                          std::fabs(double(d.CarichiTrapezi(i).q2))});
    for (int i = 1; i <= d.NCoppie; ++i)
        if (mostra(d.Coppie(i).Caso)) Wmax = std::max(Wmax, std::fabs(double(d.Coppie(i).W)));
    const bool rigida = d.Vincoli == Fondazione && !d.Winkler;
    // The soil's pressure is that of every load: not drawn under one case.
    if (d.Vincoli == Fondazione && solo < 0) {
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
    const double scala = CalcolaScala(p.xIniziale, p.xFinale, -Rf, Rf, TipoDiagramma::Carichi);
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
    PlottaAsse();
    g_.SpessoreLinea(2);
    if (sq > 0) {
        g_.ImpostaColore(Cad::Blu);
        for (int i = 1; i <= d.NTrapezi; ++i) {
            const CaricoTrapezio& t = d.CarichiTrapezi(i);
            if (mostra(t.Caso)) PlottaTrapezio(t.q1, t.q2, t.d1, t.d2, sq, false);
        }
    }
    if (d.Vincoli == Fondazione && sP > 0) {
        g_.ImpostaColore(Cad::Grigio);
        if (rigida && r.qSuoloA && r.qSuoloB && r.xContattoIniz && r.xContattoFine) {
            PlottaTrapezio(-Diviso(*r.qSuoloA, d.b), -Diviso(*r.qSuoloB, d.b), *r.xContattoIniz,
                           *r.xContattoFine, sP, true);
        } else if (d.Winkler) {
            PlottaSuoloWinkler(sP);
        }
    }
    if (sF > 0) {
        g_.ImpostaColore(Cad::Rosso);
        g_.SpessoreLinea(2);
        for (int i = 1; i <= d.NConcentrati; ++i) {
            const CaricoConcentrato& f = d.CarichiConcentrati(i);
            if (f.F == 0 || !mostra(f.Caso)) continue;
            Vettore1<double> x(2), y(2);
            x(1) = f.d, y(1) = f.F / sF;
            x(2) = f.d, y(2) = 0;
            g_.Freccia(2, 0, 0, 1, H(), f.F, "", x, y, d.Luce / 150, "", true);
            g_.Testo(f.d, PosizioneEtichetta(f.F / sF), H(), Etichetta(Grandezza::Forza, f.F), 1);
        }
    }
    if (Wmax > 0) {
        g_.ImpostaColore(Cad::Magenta);
        for (int i = 1; i <= d.NCoppie; ++i)
            if (mostra(d.Coppie(i).Caso)) Coppia(d.Coppie(i).W, d.Coppie(i).d, Wmax);
    }
    if (solo >= 0) {
        g_.ImpostaColore(Cad::Nero);
        g_.Testo(p.xIniziale, p.yMaxDiagramma - 2 * H(), H(),
                 NomeVista(c_->Modulo->Combinazioni, vista), 1);
    }
    if (sup_->ScaleNelDisegno()) {
        g_.ImpostaColore(Cad::Nero);
        const double h = H();
        double y = p.yMaxDiagramma - 2 * h - (solo >= 0 ? 2 * h : 0);
        if (sq > 0) {
            g_.Testo(p.xIniziale, y, h,
                     "Scala carichi trapezi 1:" + NumeroScala(c_->Unita->separatori, sq), 1);
            y -= 2 * h;
        }
        if (sF > 0) {
            g_.Testo(p.xIniziale, y, h,
                     "Scala carichi concentrati 1:" + NumeroScala(c_->Unita->separatori, sF), 1);
            y -= 2 * h;
        }
        if (Wmax > 0)
            g_.Testo(p.xIniziale, y, h,
                     "Scala coppie: 180° =" + Etichetta(Grandezza::Momento, Wmax), 1);
    }
}

std::string TestoErroreDiagramma(const std::exception& e) {
    const ErroreEsecuzione er = ErroreDa(e);
    return "Errore " + std::to_string(er.numero) + " \"" + er.descrizione + "\"\n" +
           "in PlottaDiagramma. Controllare i dati";
}

bool Plotta::Pronto(const ContestoDiagrammi& c) const {
    return c.Modulo && c.Unita && c.Modulo->Risultati.Calcolato && c.Modulo->Risultati.NPunti >= 2;
}

void Plotta::Avvia(const ContestoDiagrammi& c, Superficie& s, double divisoreH) {
    c_ = &c;
    sup_ = &s;
    finestra_.reset();
    // A fresh drawing state: the drawing module's messages go to the context's sink.
    g_ = Grafica(c.Msg);
    g_.ImpostaSuperficie(&s);
    g_.TestoInScala(false);
    p_.xIniziale = 0;
    p_.xFinale = c.Modulo->Dati.Luce;
    p_.AltezzaTestoDiagrammi = c.Modulo->Dati.Luce / divisoreH;
}

// Runs one diagram; a fault shows its message and ends that diagram.
template <class Fn> bool Plotta::Protetto(Fn fn) {
    try {
        fn();
        return true;
    } catch (const std::exception& e) {
        finestra_.reset();
        if (c_->Msg) c_->Msg->Mostra(TestoErroreDiagramma(e), Icona::Domanda);
        return false;
    }
}

bool Plotta::PlottaDiagramma(const ContestoDiagrammi& c, TipoDiagramma d, Superficie& superficie) {
    if (!Pronto(c)) return false;
    Avvia(c, superficie, 50);
    p_.Tipo = d;
    return Protetto([&] {
        switch (d) {
        case TipoDiagramma::Momento:
            PlottaMomenti(0, true);
            break;
        case TipoDiagramma::Taglio:
            PlottaTagli(0, true);
            break;
        case TipoDiagramma::Carichi:
            PlottaCarichi(0, true);
            break;
        }
    });
}

const char* Lettera(TipoDiagramma d) {
    switch (d) {
    case TipoDiagramma::Momento:
        return "M";
    case TipoDiagramma::Taglio:
        return "T";
    case TipoDiagramma::Carichi:
        break;
    }
    return "C";
}

bool Plotta::PlottaStampa(const ContestoDiagrammi& c, Superficie& superficie) {
    if (!Pronto(c)) return false;
    Avvia(c, superficie, 50);
    bool ok = Protetto([&] { PlottaMomenti(0, true); });
    ok = Protetto([&] { PlottaTagli(0, true); }) && ok;
    ok = Protetto([&] { PlottaCarichi(0, true); }) && ok;
    return ok;
}

bool Plotta::PlottaFile(const ContestoDiagrammi& c, Superficie& superficie) {
    if (!Pronto(c)) return false;
    Avvia(c, superficie, 100);
    double offset = 0;
    return Protetto([&] {
        PlottaMomenti(0, true);
        offset = p_.yMinDiagramma;
        PlottaTagli(offset, false);
        offset -= p_.yMaxDiagramma;
        PlottaTagli(offset, true);
        offset += p_.yMinDiagramma;
        PlottaCarichi(offset, false);
        offset -= p_.yMaxDiagramma;
        PlottaCarichi(offset, true);
    });
}

bool PlottaInOggettoDiagrammi(const ContestoDiagrammi& c, Superficie& superficie) {
    Plotta p;
    if (superficie.Pagina()) return p.PlottaStampa(c, superficie);
    if (!superficie.Raster()) return p.PlottaFile(c, superficie);
    if (c.Msg) c.Msg->Mostra("Sub PlottaInOggetto - Uscita = " + superficie.Nome());
    return false;
}

} // namespace zelvo
