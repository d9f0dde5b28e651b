#include "section/poligono.h"

#include "core/guasto.h"
#include "core/matematica.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelvo {

namespace {

// Descriptions of the run-time faults shown after the routine's name.
constexpr const char* kDivisione = "Division by zero";
constexpr const char* kOverflow = "Overflow";

// Largest single, the sentinel of the extremes.
const double kSentinella = static_cast<double>(1e20f);

} // namespace

void Poligono::nVertici(int16_t n) {
    nVertici_ = n;
    if (n > 0) {
        xs_.Ridimensiona(n);
        ys_.Ridimensiona(n);
    }
}

bool Poligono::ScriviCoord(Vettore1<double>& dest, const Vettore1<double>& v) {
    if (v.Conta() > 32767) return false;
    const auto n = static_cast<int16_t>(v.Conta());
    nVertici_ = n;
    dest = v;
    // The other table follows the new count, keeping the values it has.
    Vettore1<double>& altra = (&dest == &xs_) ? ys_ : xs_;
    altra.Conserva(n);
    return true;
}

void Poligono::CoordX(const Vettore1<double>& v, Messaggi& msg) {
    if (!ScriviCoord(xs_, v)) msg.Mostra("Errore sconosciuto in Poligono.CoordX");
}

void Poligono::CoordY(const Vettore1<double>& v, Messaggi& msg) {
    if (!ScriviCoord(ys_, v)) msg.Mostra("Errore sconosciuto in Poligono.CoordY");
}

Poligono Poligono::Copia() const {
    Poligono p = *this;
    p.nRettangolini_ = 0;
    return p;
}

void Poligono::AreaCalcola() {
    Area = 0;
    if (nVertici_ < 3) return;
    double s = 0;
    for (int k = 1; k <= nVertici_ - 2; ++k) {
        const double x1 = xs_(1), y1 = ys_(1), x2 = xs_(k + 1), y2 = ys_(k + 1), x3 = xs_(k + 2),
                     y3 = ys_(k + 2);
        s += 0.5 * (y1 * (x3 - x2) + y2 * (x1 - x3) + y3 * (x2 - x1));
    }
    Finito(s, kOverflow);
    NumerazioneVerticiAntioraria = s > 0;
    Area = std::fabs(s);
}

void Poligono::Principali(double rumoreD, double rumoreXY) {
    // Differences below the rounding of the moments about the origin are
    // noise: they must not turn the principal axes of a symmetric section.
    double d = jota_xG - jota_yG;
    if (std::fabs(d) <= rumoreD) d = 0;
    if (std::fabs(jota_xyG) <= rumoreXY) jota_xyG = 0;
    const double theta = Angolo(2 * jota_xyG, d);
    const double alfa = -theta / 2 + 0.0; // + 0.0 turns -0 into 0
    const double D = -2 * d * std::cos(2 * alfa) + 4 * jota_xyG * std::sin(2 * alfa);
    if (D > 0) {
        AngoloJotaII = alfa;
        AngoloJotaI = alfa + PiGreco / 2;
    } else {
        AngoloJotaI = alfa;
        AngoloJotaII = alfa + PiGreco / 2;
    }
    const double R = Finito(std::sqrt(d * d + 4 * jota_xyG * jota_xyG), kOverflow) / 2;
    jota_IG = (jota_xG + jota_yG) / 2 + R;
    jota_IIG = (jota_xG + jota_yG) / 2 - R;
}

bool Poligono::CaratteristicheStatiche(Messaggi& msg, bool SoloBarre, bool Cerchio, double Raggio,
                                       double RaggioInterno) {
    if (Cerchio) {
        try {
            CaratteristicheStaticheCerchio(Raggio, RaggioInterno);
            return true;
        } catch (const Guasto& g) {
            msg.Mostra(std::string("Errore nella sub CaratteristicheStatiche. ") + g.what());
            return false;
        }
    }
    Area = stat_x = stat_y = jota_x = jota_y = jota_xy = 0;
    if (nVertici_ < 3 || SoloBarre) return true;
    try {
        double A = 0, sx = 0, sy = 0, jx = 0, jy = 0, jxy = 0;
        for (int k = 1; k <= nVertici_ - 2; ++k) {
            const double x1 = xs_(1), y1 = ys_(1), x2 = xs_(k + 1), y2 = ys_(k + 1),
                         x3 = xs_(k + 2), y3 = ys_(k + 2);
            const double t = 0.5 * (y1 * (x3 - x2) + y2 * (x1 - x3) + y3 * (x2 - x1));
            A += t;
            sx += t * (y1 + y2 + y3) / 3;
            sy += t * (x1 + x2 + x3) / 3;
            jx += t * ((y1 + y2) * (y1 + y2) + (y2 + y3) * (y2 + y3) + (y3 + y1) * (y3 + y1)) / 12;
            jy += t * ((x1 + x2) * (x1 + x2) + (x2 + x3) * (x2 + x3) + (x3 + x1) * (x3 + x1)) / 12;
            jxy += t * ((x1 + x2) * (y1 + y2) + (x2 + x3) * (y2 + y3) + (x3 + x1) * (y3 + y1)) / 12;
        }
        for (double v : {A, sx, sy, jx, jy, jxy})
            Finito(v, kOverflow);
        if (A < 0) {
            A = -A, sx = -sx, sy = -sy, jx = -jx, jy = -jy, jxy = -jxy;
        }
        Area = A, stat_x = sx, stat_y = sy, jota_x = jx, jota_y = jy, jota_xy = jxy;
        if (Area == 0) {
            double mx = 0, my = 0;
            for (int i = 1; i <= nVertici_; ++i)
                mx += xs_(i), my += ys_(i);
            xG = mx / nVertici_;
            yG = my / nVertici_;
        } else {
            xG = Diviso(stat_y, Area, kDivisione);
            yG = Diviso(stat_x, Area, kDivisione);
        }
        jota_xG = Finito(jota_x - yG * yG * Area, kOverflow);
        jota_yG = Finito(jota_y - xG * xG * Area, kOverflow);
        jota_xyG = Finito(jota_xy - yG * Area * xG, kOverflow);
        const double eps = std::numeric_limits<double>::epsilon();
        Principali(16 * eps * (std::fabs(jota_x) + std::fabs(jota_y)),
                   16 * eps * (std::fabs(jota_xy) + std::fabs(yG * Area * xG)));
        double xmin, xmax, ymin, ymax;
        MaxMin(xmin, xmax, ymin, ymax);
        if (Area == 0) {
            iX = iY = WxSuperiore = WxInferiore = WyDestra = WySinistra = Wplx = Wply = 0;
        } else {
            WxSuperiore = Diviso(jota_xG, ymax - yG, kDivisione);
            WxInferiore = Diviso(jota_xG, yG - ymin, kDivisione);
            WyDestra = Diviso(jota_yG, xmax - xG, kDivisione);
            WySinistra = Diviso(jota_yG, xG - xmin, kDivisione);
            // The smaller principal moment of a real area is not negative: a
            // negative value within rounding of the greater one is zero.
            auto radice = [&](double j) {
                if (j < 0 && j >= -1e-12 * std::fabs(jota_IG)) j = 0;
                if (j < 0) throw Guasto("Invalid procedure call or argument");
                return Finito(std::sqrt(j / Area), kOverflow);
            };
            iX = radice(jota_IG);
            iY = radice(jota_IIG);
        }
        return true;
    } catch (const Guasto& g) {
        std::string m = std::string("Errore nella sub CaratteristicheStatiche. ") + g.what();
        // the usual cause of meaningless moments: an outline that crosses itself
        if (SiInterseca()) m += std::string(ACapo) + "Il contorno della sezione si interseca.";
        msg.Mostra(m);
        return false;
    }
}

bool Poligono::SiInterseca() const {
    const int n = nVertici_;
    if (n < 4) return false;
    auto lato = [&](int k, double& ax, double& ay, double& bx, double& by) {
        ax = xs_(k), ay = ys_(k);
        const int k2 = k == n ? 1 : k + 1;
        bx = xs_(k2), by = ys_(k2);
    };
    auto segno = [](double ax, double ay, double bx, double by, double cx, double cy) {
        const double d = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
        return (d > 0) - (d < 0);
    };
    for (int i = 1; i <= n; ++i) {
        double ax, ay, bx, by;
        lato(i, ax, ay, bx, by);
        for (int j = i + 2; j <= n; ++j) {
            if (i == 1 && j == n) continue; // the two edges meeting at vertex 1
            double cx, cy, dx, dy;
            lato(j, cx, cy, dx, dy);
            // a proper crossing: each edge's ends on opposite sides of the other
            if (segno(ax, ay, bx, by, cx, cy) * segno(ax, ay, bx, by, dx, dy) < 0 &&
                segno(cx, cy, dx, dy, ax, ay) * segno(cx, cy, dx, dy, bx, by) < 0)
                return true;
        }
    }
    return false;
}

void Poligono::CaratteristicheStaticheCerchio(double Raggio, double RaggioInterno) {
    const double R = Raggio, r = RaggioInterno;
    Area = PiGreco * (R * R - r * r);
    jota_xG = PiGreco * (R * R * R * R - r * r * r * r) / 4;
    WxSuperiore = Diviso(jota_xG, R, kDivisione);
    WxInferiore = WxSuperiore;
}

void Poligono::MaxMin(double& xMin, double& xMax, double& yMin, double& yMax,
                      double* ZeroXY) const {
    xMin = yMin = kSentinella;
    xMax = yMax = -kSentinella;
    for (int i = 1; i <= nVertici_; ++i) {
        const double xi = xs_(i), yi = ys_(i);
        if (xi < xMin) xMin = xi;
        if (xi > xMax) xMax = xi;
        if (yi < yMin) yMin = yi;
        if (yi > yMax) yMax = yi;
    }
    if (ZeroXY) *ZeroXY = std::max(xMax - xMin, yMax - yMin) / 1e9;
}

void Poligono::Trasla(double xO, double yO) {
    for (int i = 1; i <= nVertici_; ++i) {
        xs_(i) -= xO;
        ys_(i) -= yO;
    }
}

bool Poligono::RuotaVertici(double xC, double yC, double Ang, Messaggi& msg) {
    for (int i = 1; i <= nVertici_; ++i) {
        const double dx = xs_(i) - xC, dy = ys_(i) - yC;
        const double r = std::sqrt(dx * dx + dy * dy);
        double phi;
        if (std::fabs(dx) > 1e-20) {
            phi = std::atan(dy / dx);
            if (dx < 0) phi += PiGreco;
        } else {
            phi = PiGreco / 2;
            if (dy < 0) phi += PiGreco;
        }
        xs_(i) = xC + r * std::cos(phi + Ang);
        ys_(i) = yC + r * std::sin(phi + Ang);
    }
    return CaratteristicheStatiche(msg, false, false);
}

void Poligono::SpecchiaXY(double xyAsse, bool RispettoX) {
    for (int i = 1; i <= nVertici_; ++i) {
        if (RispettoX)
            ys_(i) = -(ys_(i) + xyAsse);
        else
            xs_(i) = -(xs_(i) + xyAsse);
    }
}

// ---------------------------------------------------------------------------
// Cutting by a line.

Intersezioni Poligono::IntersezioneConRetta(double a, double b, double c) const {
    Intersezioni I;
    if (nVertici_ < 2) return I;
    double zero;
    double xmin, xmax, ymin, ymax;
    MaxMin(xmin, xmax, ymin, ymax, &zero);
    // Distances closer than the polygon's own tolerance count as on the line.
    const double norma = std::sqrt(a * a + b * b);
    if (norma == 0) return I;
    const double tol = zero * norma;
    auto lato = [&](int i) {
        const double s = a * xs_(i) + b * ys_(i) + c;
        return std::fabs(s) <= tol ? 0.0 : s;
    };
    // An edge ending on the line receives a crossing at its end, so that
    // every vertex on the line has an inserted twin; an edge crossed
    // strictly inside receives the crossing point. Each edge at most one.
    for (int k = 1; k <= nVertici_; ++k) {
        const int k2 = IndiceSuccessivo(nVertici_, k);
        const double s1 = lato(k), s2 = lato(k2);
        double xi, yi;
        if (s2 == 0) {
            xi = xs_(k2);
            yi = ys_(k2);
        } else if (s1 != 0 && ((s1 < 0) != (s2 < 0))) {
            const double t = s1 / (s1 - s2);
            xi = xs_(k) + t * (xs_(k2) - xs_(k));
            yi = ys_(k) + t * (ys_(k2) - ys_(k));
        } else {
            continue;
        }
        I.x_Int.Accoda(xi);
        I.y_Int.Accoda(yi);
        I.i_Int.Accoda(static_cast<int16_t>(k));
    }
    I.n_Int = Conteggio16(I.x_Int.Conta());
    return I;
}

Poligono Poligono::PoligonoConIntersezioni(const Intersezioni& I, Vettore1<char>& Inserito) const {
    const int n = nVertici_ + I.n_Int;
    Poligono r;
    r.nVertici(Conteggio16(n));
    Inserito.Ridimensiona(n);
    int j = 0, prossimo = 1;
    for (int k = 1; k <= nVertici_; ++k) {
        ++j;
        r.xs_(j) = xs_(k);
        r.ys_(j) = ys_(k);
        Inserito(j) = false;
        if (prossimo <= I.n_Int && I.i_Int(prossimo) == k) {
            ++j;
            r.xs_(j) = I.x_Int(prossimo);
            r.ys_(j) = I.y_Int(prossimo);
            Inserito(j) = true;
            ++prossimo;
        }
    }
    r.nVertici_ = Conteggio16(j);
    r.xs_.Conserva(j);
    r.ys_.Conserva(j);
    Inserito.Conserva(j);
    return r;
}

Poligono Poligono::PoligonoSenzaPuntiOpposti(int segno, const Vettore1<char>& Inserito,
                                             bool AsseVerticale) const {
    Poligono r;
    Vettore1<double> xr, yr;
    for (int i = 1; i <= nVertici_; ++i) {
        const double c = AsseVerticale ? xs_(i) : ys_(i);
        if (c * segno > 0 || Inserito(i)) {
            xr.Accoda(xs_(i));
            yr.Accoda(ys_(i));
        }
    }
    r.Coordinate(xr, yr, Conteggio16(xr.Conta()));
    return r;
}

void Poligono::DividiY(double yDiv, std::optional<Poligono>& PoligonoSup,
                       std::optional<Poligono>& PoligonoInf, bool AsseVerticale) const {
    double xmin, xmax, ymin, ymax;
    MaxMin(xmin, xmax, ymin, ymax);
    const Intersezioni I =
        AsseVerticale ? IntersezioneConRetta(-1, 0, yDiv) : IntersezioneConRetta(0, -1, yDiv);
    PoligonoSup.reset();
    PoligonoInf.reset();
    if (I.n_Int > 0) {
        Vettore1<char> ins;
        Poligono p = PoligonoConIntersezioni(I, ins);
        const double tx = AsseVerticale ? yDiv : 0, ty = AsseVerticale ? 0 : yDiv;
        p.Trasla(tx, ty);
        Poligono sup = p.PoligonoSenzaPuntiOpposti(+1, ins, AsseVerticale);
        Poligono inf = p.PoligonoSenzaPuntiOpposti(-1, ins, AsseVerticale);
        sup.Trasla(-tx, -ty);
        inf.Trasla(-tx, -ty);
        PoligonoSup = std::move(sup);
        PoligonoInf = std::move(inf);
    } else {
        const double meta = AsseVerticale ? (xmin + xmax) / 2 : (ymin + ymax) / 2;
        if (yDiv > meta)
            PoligonoInf = *this;
        else
            PoligonoSup = *this;
    }
}

double Poligono::yEquazione(double yDiv, bool AsseVerticale) const {
    std::optional<Poligono> sup, inf;
    DividiY(yDiv, sup, inf, AsseVerticale);
    double a = 0;
    if (sup) {
        sup->AreaCalcola();
        a = sup->Area;
    }
    return a - static_cast<double>(Frazione_) * Area;
}

bool Poligono::Dividi(float Frazione, std::optional<Poligono>& PoligonoSup,
                      std::optional<Poligono>& PoligonoInf, double& yDiv, Messaggi& msg,
                      bool AsseVerticale) {
    Frazione_ = Frazione;
    AreaCalcola();
    double xmin, xmax, ymin, ymax;
    MaxMin(xmin, xmax, ymin, ymax);
    const double tol = Area / 10000;
    double x1 = AsseVerticale ? xmin : ymin, x2 = AsseVerticale ? xmax : ymax;
    bool ok = true;
    yDiv = RadiceFunzione([&](double v) { return yEquazione(v, AsseVerticale); }, x1, x2, tol, msg,
                          &ok);
    DividiY(yDiv, PoligonoSup, PoligonoInf, AsseVerticale);
    return ok;
}

double Poligono::WplasticoCerchio(double Raggio, double RaggioInterno) {
    const double R = Raggio, r = RaggioInterno;
    return 8 * (R * R * R - r * r * r) / 6;
}

double Poligono::Wplastico(Messaggi& msg, double* yNeut, bool AsseVerticale, bool Cerchio,
                           double Raggio, double RaggioInterno, bool* convergente) {
    if (convergente) *convergente = true;
    if (Cerchio) return WplasticoCerchio(Raggio, RaggioInterno);
    std::optional<Poligono> sup, inf;
    double yDiv = 0;
    const bool ok = Dividi(0.5f, sup, inf, yDiv, msg, AsseVerticale);
    if (yNeut) *yNeut = yDiv;
    if (!ok || !sup || !inf) {
        if (convergente) *convergente = false;
        AreaCalcola();
        return 0;
    }
    if (!sup->CaratteristicheStatiche(msg) || !inf->CaratteristicheStatiche(msg)) {
        if (convergente) *convergente = false;
        AreaCalcola();
        return 0;
    }
    // ∫|y − yDiv| dA about the axis found. The root search stops when the
    // halves differ by less than Area/10000; this form is stationary at the
    // equal-area axis, so that residue costs only second-order terms (Area/2
    // times the centroid distance would carry it to first order). With
    // exactly equal halves both forms are the same number.
    const double ds = AsseVerticale ? sup->xG - yDiv : sup->yG - yDiv;
    const double di = AsseVerticale ? yDiv - inf->xG : yDiv - inf->yG;
    AreaCalcola();
    return Finito(sup->Area * ds + inf->Area * di, "Overflow");
}

bool Poligono::Wplastici(Messaggi& msg) {
    if (Area == 0) {
        Wplx = Wply = 0;
        return true;
    }
    // AreaCalcola inside the halving leaves Area as it is for a computed outline.
    bool okx = true, oky = true;
    Wplx = Wplastico(msg, nullptr, false, false, 0, 0, &okx);
    Wply = Wplastico(msg, nullptr, true, false, 0, 0, &oky);
    return okx && oky;
}

} // namespace zelvo
