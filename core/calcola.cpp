// The calculation behind "Calcola": calculation points, superposition on the
// simply supported span, end actions of the scheme, section values by
// statics, deflection line, extremes and values at x.
#include "calcolo.h"

#include "causa_errore.h"

#include "estrazione.h"
#include "fondazione_rigida.h"
#include "guasto.h"
#include "matematica.h"
#include "modulo_zelvo.h"
#include "trave.h"
#include "trave_continua.h"
#include "trave_winkler.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace zelvo {

namespace {

// The loads as plain arrays for the section loop (checked once when built).
struct CarichiPiani {
    struct Trapezio {
        double q1, q2, d1, d2, k;
    };
    struct Puntuale {
        double v, d;
    };
    std::vector<Trapezio> trapezi;
    std::vector<Puntuale> forze, coppie;
    double L = 0;

    explicit CarichiPiani(const DatiTrave& d) : L(d.Luce) {
        trapezi.reserve(static_cast<size_t>(std::max<int>(d.NTrapezi, 0)));
        for (int i = 1; i <= d.NTrapezi; ++i) {
            const CaricoTrapezio& c = d.CarichiTrapezi(i);
            const double k = Diviso(static_cast<double>(c.q2) - c.q1,
                                    static_cast<double>(c.d2) - c.d1, "trapezio con d2 = d1");
            trapezi.push_back({c.q1, c.q2, c.d1, c.d2, k});
        }
        forze.reserve(static_cast<size_t>(std::max<int>(d.NConcentrati, 0)));
        for (int i = 1; i <= d.NConcentrati; ++i)
            forze.push_back({d.CarichiConcentrati(i).F, d.CarichiConcentrati(i).d});
        coppie.reserve(static_cast<size_t>(std::max<int>(d.NCoppie, 0)));
        for (int i = 1; i <= d.NCoppie; ++i)
            coppie.push_back({d.Coppie(i).W, d.Coppie(i).d});
    }
};

// Contribution of a trapezoid at x with d1 <= x <= d2 (the part left of x).
inline void TrapezioSotto(double q1, double d1, double k, double x, double& M, double& V) {
    const double qx = q1 + k * (x - d1);
    V += -(q1 + qx) * (x - d1) / 2;
    M += -(x - d1) * (x - d1) * (2 * q1 + qx) / 6;
}

// Contribution of a whole trapezoid at x > d2.
inline void TrapezioOltre(double q1, double q2, double d1, double d2, double x, double& M,
                          double& V) {
    V += -(q1 + q2) * (d2 - d1) / 2;
    M += -((d2 - d1) / 2) * (q1 * (x - (2 * d1 + d2) / 3) + q2 * (x - (d1 + 2 * d2) / 3));
}

// Contribution of the part of a trapezoid at or left of x.
inline void ContributoTrapezio(double q1, double q2, double d1, double d2, double k, double x,
                               double& M, double& V) {
    if (x < d1) return;
    if (x <= d2)
        TrapezioSotto(q1, d1, k, x, M, V);
    else
        TrapezioOltre(q1, q2, d1, d2, x, M, V);
}

void AzioniInXPiani(const CarichiPiani& c, double MA, double RA, double x, double& M, double& V) {
    M = MA + RA * x;
    V = RA;
    for (const auto& t : c.trapezi)
        ContributoTrapezio(t.q1, t.q2, t.d1, t.d2, t.k, x, M, V);
    for (const auto& f : c.forze) {
        if (x < f.d) continue;
        V -= f.v;
        M -= f.v * (x - f.d);
    }
    for (const auto& w : c.coppie)
        if (w.d <= c.L && x >= w.d) M += w.v;
}

// M and V at the points x[0..n), sorted ascending, in one sweep over the
// loads sorted by position: the same closed forms as `AzioniInXPiani`, with
// the loads already passed carried as their resultant P and their moment Mp
// at the abscissa a of the last one passed, so that beyond it they give
// M = Mp − P·(x − a) and V = −P. A trapezoid adds its closed form while the
// point lies on it and joins the passed loads once the point is past it.
// Cost: (points + loads)·log(loads), plus the trapezoids over each point.
void AzioniInPuntiOrdinati(const CarichiPiani& c, double MA, double RA, const double* x, int n,
                           double* M, double* V) {
    // Passato: a trapezoid given with d2 < d1, of which only the closed form
    // beyond d2 applies, from d1 on.
    enum Tipo { Forza, Coppia, Inizio, Passato, Fine };
    struct Evento {
        double pos;
        Tipo tipo;
        size_t i;
    };
    std::vector<Evento> ev;
    ev.reserve(c.forze.size() + c.coppie.size() + 2 * c.trapezi.size());
    for (size_t i = 0; i < c.forze.size(); ++i)
        ev.push_back({c.forze[i].d, Forza, i});
    for (size_t i = 0; i < c.coppie.size(); ++i)
        if (c.coppie[i].d <= c.L) ev.push_back({c.coppie[i].d, Coppia, i});
    for (size_t i = 0; i < c.trapezi.size(); ++i) {
        if (c.trapezi[i].d2 > c.trapezi[i].d1) {
            ev.push_back({c.trapezi[i].d1, Inizio, i});
            ev.push_back({c.trapezi[i].d2, Fine, i});
        } else {
            ev.push_back({c.trapezi[i].d1, Passato, i});
        }
    }
    // A load counts at its own abscissa, while a trapezoid is passed only
    // strictly beyond d2: at one position the ends come last.
    std::sort(ev.begin(), ev.end(), [](const Evento& a, const Evento& b) {
        return a.pos < b.pos || (a.pos == b.pos && a.tipo != Fine && b.tipo == Fine);
    });

    double P = 0, Mp = 0, a = 0, W = 0;
    std::vector<size_t> sotto; // trapezoids over the current point
    size_t k = 0;
    for (int j = 0; j < n; ++j) {
        const double xj = x[j];
        for (; k < ev.size(); ++k) {
            const Evento& e = ev[k];
            if (e.tipo == Fine ? !(e.pos < xj) : !(e.pos <= xj)) break;
            switch (e.tipo) {
            case Coppia:
                W += c.coppie[e.i].v;
                break;
            case Inizio:
                sotto.push_back(e.i);
                break;
            case Forza:
                Mp -= P * (e.pos - a);
                a = e.pos;
                P += c.forze[e.i].v;
                break;
            case Fine:
                sotto.erase(std::find(sotto.begin(), sotto.end(), e.i));
                [[fallthrough]];
            case Passato: {
                Mp -= P * (e.pos - a);
                a = e.pos;
                const auto& t = c.trapezi[e.i];
                double Mt = 0, Vt = 0;
                TrapezioOltre(t.q1, t.q2, t.d1, t.d2, a, Mt, Vt);
                Mp += Mt;
                P -= Vt;
                break;
            }
            }
        }
        double Mj = MA + RA * xj, Vj = RA;
        for (const size_t i : sotto) {
            const auto& t = c.trapezi[i];
            TrapezioSotto(t.q1, t.d1, t.k, xj, Mj, Vj);
        }
        M[j] = Mj + (Mp - P * (xj - a)) + W;
        V[j] = Vj - P;
    }
}

bool FondazioneRigida(const DatiTrave& d) {
    return d.Vincoli == Fondazione && !d.Winkler;
}

void Controlla(bool ok, const char* causa) {
    if (!ok) throw Guasto(causa);
}

// A load position brings the calculation point at −ε when that lies right of
// 0, the one at +ε when that lies left of Luce in single precision.
bool PuntoPrima(double pos, float eps) {
    return pos - eps > 0;
}
bool PuntoDopo(double pos, float eps, float L) {
    return ASingolo(pos + eps) < L;
}

// Data the calculation cannot run on end in the generic error.
void ControllaDati(const DatiTrave& d) {
    Controlla(d.Vincoli >= AppoggioAppoggio && d.Vincoli <= Continua, "schema di vincolo");
    Controlla(d.NSezioni > 0, "NSezioni <= 0");
    Controlla(d.NTrapezi >= 0 && d.NConcentrati >= 0 && d.NCoppie >= 0, "conteggio negativo");
    Controlla(std::isfinite(d.Luce) && std::isfinite(d.E) && std::isfinite(d.J) &&
                  std::isfinite(d.AscissaX),
              "dato non finito");
    for (int i = 1; i <= d.NTrapezi; ++i) {
        const auto& c = d.CarichiTrapezi(i);
        Controlla(std::isfinite(c.q1) && std::isfinite(c.q2) && std::isfinite(c.d1) &&
                      std::isfinite(c.d2),
                  "carico non finito");
    }
    for (int i = 1; i <= d.NConcentrati; ++i) {
        const auto& c = d.CarichiConcentrati(i);
        Controlla(std::isfinite(c.F) && std::isfinite(c.d), "carico non finito");
    }
    for (int i = 1; i <= d.NCoppie; ++i) {
        const auto& c = d.Coppie(i);
        Controlla(std::isfinite(c.W) && std::isfinite(c.d), "carico non finito");
    }
    if (d.Vincoli == Fondazione)
        Controlla(std::isfinite(d.K) && std::isfinite(d.b), "dato non finito");
}

// Puts the user's concentrated loads back on every exit of the calculation
// (the elastic-soil hand-off appends the springs to them).
class GuardiaConcentrati {
  public:
    explicit GuardiaConcentrati(DatiTrave& d)
        : d_(d), n_(d.NConcentrati), righe_(d.CarichiConcentrati) {}
    ~GuardiaConcentrati() {
        d_.NConcentrati = n_;
        d_.CarichiConcentrati = std::move(righe_);
    }
    GuardiaConcentrati(const GuardiaConcentrati&) = delete;
    GuardiaConcentrati& operator=(const GuardiaConcentrati&) = delete;

  private:
    DatiTrave& d_;
    int16_t n_;
    Vettore1<CaricoConcentrato> righe_;
};

// The continuous-beam problem of the record: the spans, the supports and the
// rows of the three tables within their counts (abscissae from the left end
// of the whole beam, partial distances already made absolute).
DatiContinua ProblemaContinua(const DatiTrave& d) {
    DatiContinua c;
    c.Titolo = d.Titolo;
    c.E = d.E;
    c.NSezioni = d.NSezioni;
    c.Campate = d.Campate;
    c.Appoggi = d.Appoggi;
    for (int i = 1; i <= d.NTrapezi; ++i)
        c.Trapezi.push_back(d.CarichiTrapezi(i));
    for (int i = 1; i <= d.NConcentrati; ++i)
        c.Concentrati.push_back(d.CarichiConcentrati(i));
    for (int i = 1; i <= d.NCoppie; ++i)
        c.Coppie.push_back(d.Coppie(i));
    return c;
}

// The continuous beam: solved by `CalcolaContinua`, its points and end
// values copied into the general results as the single-span schemes leave
// them (two points of zero M and V closing the diagrams at each end), the
// extremes the exact ones of the spans.
EsitoCalcolo CalcolaTraveContinua(ModuloZelvo& m, Messaggi& msg) {
    DatiTrave& d = m.Dati;
    RisultatiTrave& r = m.Risultati;
    const DatiContinua dc = ProblemaContinua(d);
    // Each span brings at least NSezioni + 1 points: a beam whose points
    // cannot fit their 16-bit count is not solved at all (data the beam
    // refuses show their own message first).
    if (ControllaContinua(dc).empty()) {
        const long long minimi =
            static_cast<long long>(dc.Campate.size()) * (static_cast<long long>(dc.NSezioni) + 1) +
            2;
        Controlla(minimi <= MassimoPunti, "troppi punti di calcolo");
    }
    m.Continua = CalcolaContinua(dc, msg);
    const RisultatiContinua& c = m.Continua;
    if (!c.Calcolato()) return EsitoCalcolo::TraveRifiutata;
    d.Luce = ASingolo(c.Lunghezza, "lunghezza della trave");

    const auto& P = c.Punti;
    Controlla(!P.empty() && c.Appoggi.size() >= 2, "trave continua senza punti");
    const int16_t n = Conteggio16(static_cast<long long>(P.size()) + 2, "troppi punti di calcolo");
    r.NPunti = n;
    r.x.Ridimensiona(n);
    r.M.Ridimensiona(n);
    r.V.Ridimensiona(n);
    r.f.Ridimensiona(n);
    r.x(1) = 0;
    r.M(1) = r.V(1) = 0;
    r.f(1) = ASingolo(P.front().f, "freccia");
    for (size_t j = 0; j < P.size(); ++j) {
        const int i = static_cast<int>(j) + 2;
        r.x(i) = P[j].x;
        r.M(i) = ASingolo(P[j].M, "momento");
        r.V(i) = ASingolo(P[j].V, "taglio");
        r.f(i) = ASingolo(P[j].f, "freccia");
    }
    r.x(n) = c.Lunghezza;
    r.M(n) = r.V(n) = 0;
    r.f(n) = ASingolo(P.back().f, "freccia");

    // End values as the single-span schemes give them: RotB counterclockwise.
    const RisultatoAppoggio& A = c.Appoggi.front();
    const RisultatoAppoggio& B = c.Appoggi.back();
    r.MA = Finito(A.Momento);
    r.MB = Finito(B.Momento);
    r.RA = Finito(A.Reazione);
    r.RB = Finito(B.Reazione);
    r.RotA = Finito(A.Rotazione);
    r.RotB = Finito(-B.Rotazione);
    r.RA0 = r.RB0 = 0;
    r.AzioniAppoggi.clear();
    for (const RisultatoAppoggio& a : c.Appoggi)
        r.AzioniAppoggi.push_back({a.x, Finito(a.Reazione), Finito(a.CoppiaReazione)});

    EstremiCalcola(r);
    r.Mmax = ASingolo(c.Mmax, "momento");
    r.xMmax = ASingolo(c.xMmax, "ascissa");
    r.Mmin = ASingolo(c.Mmin, "momento");
    r.xMmin = ASingolo(c.xMmin, "ascissa");
    const float giu = ASingolo(c.fMaxGiu, "freccia");
    if (giu >= r.fMaxGiu) {
        r.fMaxGiu = giu;
        r.xfMaxGiu = ASingolo(c.xfMaxGiu, "ascissa");
    }
    if (std::fabs(r.fMaxGiu) > std::fabs(r.fmax)) {
        r.fmax = r.fMaxGiu;
        r.xfmax = r.xfMaxGiu;
    }

    r.Calcolato = true;
    const ValoriX v = ValoriInX(d, r, d.AscissaX, msg);
    r.Mx = v.M;
    r.Vx = v.V;
    r.fx = v.f;
    r.Sigmax = v.Sigma;
    return EsitoCalcolo::Completato;
}

} // namespace

double RigidezzaEJ(const DatiTrave& d) {
    return ASingolo(static_cast<double>(d.E) * d.J, "E·J fuori dai limiti");
}

float PassoSezioni(const DatiTrave& d) {
    Controlla(d.NSezioni > 0, "NSezioni <= 0");
    const float dx = d.Luce / static_cast<float>(d.NSezioni);
    // A zero, negative or vanishing step would leave the grid without end.
    Controlla(std::isfinite(dx) && dx > 0, "passo delle sezioni nullo o negativo");
    return dx;
}

std::vector<double> PuntiCalcolo(const DatiTrave& d) {
    const float L = d.Luce;
    const float dx = PassoSezioni(d);
    const float eps = dx / 1000.0f;

    std::vector<double> p;
    p.reserve(static_cast<size_t>(4 * std::max<int>(d.NTrapezi, 0) +
                                  3 * std::max<int>(d.NConcentrati, 0) +
                                  3 * std::max<int>(d.NCoppie, 0) + d.NSezioni + 8));
    for (int i = 1; i <= d.NTrapezi; ++i) {
        p.push_back(d.CarichiTrapezi(i).d1);
        p.push_back(d.CarichiTrapezi(i).d2);
    }
    for (int i = 1; i <= d.NConcentrati; ++i)
        p.push_back(d.CarichiConcentrati(i).d);
    for (int i = 1; i <= d.NCoppie; ++i)
        p.push_back(d.Coppie(i).d);

    const size_t nPosizioni = p.size();
    for (size_t j = 0; j < nPosizioni; ++j) {
        const double pos = p[j];
        if (PuntoPrima(pos, eps)) p.push_back(pos - eps);
        if (PuntoDopo(pos, eps, L)) p.push_back(pos + eps);
    }
    p.push_back(L / 2.0f);
    p.push_back(0);
    p.push_back(0);
    double x = 0;
    while (static_cast<float>(x) < L) {
        Controlla(p.size() < static_cast<size_t>(MassimoPunti), "troppi punti di calcolo");
        p.push_back(x);
        x += dx;
    }
    for (int k = 0; k < 3; ++k)
        p.push_back(L);
    return p;
}

long long PuntiMolle(const DatiTrave& d, int n) {
    const float L = d.Luce;
    const float eps = PassoSezioni(d) / 1000.0f;
    Vettore1<double> nodi;
    TraveWinkler::NodiMesh(nodi, L, n);
    long long punti = 0;
    for (int i = 1; i <= n + 1; ++i) {
        const double pos = PosizioneMolla(nodi(i), i == n + 1, L);
        punti += 1 + (PuntoPrima(pos, eps) ? 1 : 0) + (PuntoDopo(pos, eps, L) ? 1 : 0);
    }
    return punti;
}

int LimiteDivisioni(const DatiTrave& d) {
    const auto altri = static_cast<long long>(PuntiCalcolo(d).size());
    // 3·n + 1 points always fit up to here.
    int n = static_cast<int>((MassimoPunti - 1 - altri) / 3);
    if (n < 1) return n;
    // A mesh finer than ε loses the points at ±ε of the nodes within ε of the
    // ends, so that a few more divisions may fit (with fewer than 11 sections).
    while (n < TraveWinkler::MaxElementi && altri + PuntiMolle(d, n + 1) <= MassimoPunti)
        ++n;
    return n;
}

std::string TestoLimiteDivisioni(int limite) {
    return "N° div. deve essere compreso tra 1 e " + std::to_string(limite);
}

void ControllaDivisioni(const DatiTrave& d) {
    const int limite = LimiteDivisioni(d);
    Controlla(limite >= 1, "troppi punti di calcolo anche con una divisione");
    if (d.NDivisioni < 1 || d.NDivisioni > limite)
        throw GuastoSpiegato("numero di divisioni fuori dai limiti", TestoLimiteDivisioni(limite));
}

void SezioniCalcola(const DatiTrave& d, RisultatiTrave& r) {
    const std::vector<double> p = PuntiCalcolo(d);
    const int16_t n = Conteggio16(static_cast<long long>(p.size()), "troppi punti di calcolo");
    r.NPunti = n;
    r.x.Ridimensiona(n);
    r.M.Ridimensiona(n);
    r.V.Ridimensiona(n);
    r.f.Ridimensiona(n);
    for (int i = 1; i <= n; ++i)
        r.x(i) = p[static_cast<size_t>(i - 1)];
    Ordina(r.x, n);
}

void RotazioniCarico(const DatiTrave& d, int tipo, int i, double& RotA, double& RotB, double& RA0,
                     double& RB0) {
    const double L = d.Luce;
    double a = 0, b = 0;
    switch (tipo) {
    case CaricoTipoTrapezio: {
        const CaricoTrapezio& c = d.CarichiTrapezi(i);
        TrapezioAppoggiato(c.q1, c.q2, c.d1, c.d2, L, a, b, RA0, RB0);
        break;
    }
    case CaricoTipoConcentrato: {
        const CaricoConcentrato& c = d.CarichiConcentrati(i);
        ConcentratoAppoggiato(c.F, c.d, L, a, b, RA0, RB0);
        break;
    }
    case CaricoTipoCoppia: {
        const CaricoCoppia& c = d.Coppie(i);
        CoppiaAppoggiata(c.W, c.d, L, a, b, RA0, RB0);
        break;
    }
    default:
        throw Guasto("tipo di carico");
    }
    const double EJ = RigidezzaEJ(d);
    RotA = Diviso(a, EJ, "E·J nullo");
    RotB = Diviso(b, EJ, "E·J nullo");
}

void RotazioniSomma(const DatiTrave& d, RisultatiTrave& r) {
    r.RotA = r.RotB = r.RA0 = r.RB0 = 0;
    const int conta[3] = {d.NTrapezi, d.NConcentrati, d.NCoppie};
    for (int tipo = 1; tipo <= 3; ++tipo) {
        for (int i = 1; i <= conta[tipo - 1]; ++i) {
            double a, b, ra, rb;
            RotazioniCarico(d, tipo, i, a, b, ra, rb);
            r.RotA += a;
            r.RotB += b;
            r.RA0 += ra;
            r.RB0 += rb;
        }
    }
    Finito(r.RotA);
    Finito(r.RotB);
    Finito(r.RA0);
    Finito(r.RB0);
}

void AzioniEstremi(const DatiTrave& d, RisultatiTrave& r) {
    const double L = d.Luce;
    const double tA = r.RotA, tB = r.RotB;
    switch (d.Vincoli) {
    case AppoggioAppoggio:
        r.MA = r.MB = 0;
        r.RA = r.RA0;
        r.RB = r.RB0;
        break;
    case IncastroIncastro: {
        const double EJ = RigidezzaEJ(d);
        DoppioIncastro(tA, tB, EJ, L, r.RA0, r.RB0, r.MA, r.MB, r.RA, r.RB);
        r.RotA = r.RotB = 0;
        break;
    }
    case IncastroAppoggio: {
        const double EJ = RigidezzaEJ(d);
        r.MA = Diviso(-3 * EJ * tA, L, "luce nulla");
        r.MB = 0;
        const double dM = Diviso(r.MA, L, "luce nulla");
        r.RA = r.RA0 - dM;
        r.RB = r.RB0 + dM;
        r.RotA = 0;
        r.RotB = tB + Diviso(r.MA * L, 6 * EJ, "E·J nullo");
        break;
    }
    case Mensola: {
        const double EJ = RigidezzaEJ(d);
        r.MA = -r.RB0 * L;
        r.MB = 0;
        r.RA = r.RA0 + r.RB0;
        r.RB = 0;
        r.RotA = 0;
        r.RotB = tA + tB + Diviso(r.RB0 * L * L, 2 * EJ, "E·J nullo") +
                 Diviso(r.MA * L, EJ, "E·J nullo");
        break;
    }
    case Fondazione:
        r.MA = r.MB = r.RA = r.RB = 0;
        break;
    default:
        throw Guasto("schema di vincolo");
    }
    Finito(r.MA);
    Finito(r.MB);
    Finito(r.RA);
    Finito(r.RB);
    Finito(r.RotA);
    Finito(r.RotB);
}

void AzioniInX(const DatiTrave& d, const RisultatiTrave& r, double x, double& M, double& V) {
    CarichiPiani c(d);
    if (d.Vincoli != Continua) {
        AzioniInXPiani(c, r.MA, r.RA, x, M, V);
        return;
    }
    // A continuous beam: every support acts as a load, its upward reaction a
    // force of the other sign and its couple as it is; from the left end
    // nothing else acts.
    for (const AzioneAppoggio& a : r.AzioniAppoggi) {
        c.forze.push_back({-a.R, a.x});
        c.coppie.push_back({a.C, a.x});
        c.L = std::max(c.L, a.x);
    }
    AzioniInXPiani(c, 0, 0, x, M, V);
}

void SuoloRigidoInX(const DatiTrave& d, const RisultatiTrave& r, double x, double& M, double& V) {
    if (!FondazioneRigida(d)) return;
    Controlla(r.qSuoloA && r.qSuoloB && r.xContattoIniz && r.xContattoFine,
              "reazione del suolo non calcolata");
    const double q1 = -static_cast<double>(*r.qSuoloA), q2 = -static_cast<double>(*r.qSuoloB);
    const double d1 = *r.xContattoIniz, d2 = *r.xContattoFine;
    if (x < d1) return;
    const double k = Diviso(q2 - q1, d2 - d1, "zona di contatto nulla");
    ContributoTrapezio(q1, q2, d1, d2, k, x, M, V);
}

void FrecceCalcola(const ModuloZelvo& m, RisultatiTrave& r) {
    const DatiTrave& d = m.Dati;
    if (FondazioneRigida(d)) {
        CedimentiFondazioneRigida(d, r);
        return;
    }
    const int n = r.NPunti;
    Controlla(n >= 2 && r.x.Conta() >= n && r.M.Conta() >= n && r.f.Conta() >= n,
              "punti di calcolo");
    const double EJ = RigidezzaEJ(d);
    Controlla(EJ != 0, "E·J nullo");
    const double* x = r.x.data();
    const float* M = r.M.data();
    // The line is carried in double while it is integrated and closed, and
    // rounded to single once at the end: rounding every step would add up
    // over thousands of points (a few parts in 10^5 on a long cantilever).
    std::vector<double> f(size_t(n), 0.0);
    double phi = r.RotA;
    for (int i = 1; i < n; ++i) {
        const double h = x[i] - x[i - 1];
        const double m0 = M[i - 1], m1 = M[i];
        f[size_t(i)] =
            Finito(f[size_t(i - 1)] + phi * h - h * h * (m0 + 2 * m1) / (6 * EJ), "freccia");
        phi = Finito(phi - h * (m0 + m1) / (2 * EJ), "rotazione");
    }
    const double L = d.Luce;
    switch (d.Vincoli) {
    case Mensola:
        break;
    case AppoggioAppoggio:
    case IncastroIncastro:
    case IncastroAppoggio: {
        const double c = Diviso(f[size_t(n - 1)], L, "luce nulla");
        for (int i = 1; i < n; ++i)
            f[size_t(i)] = x[i] == x[n - 1] ? 0.0 : f[size_t(i)] - c * x[i];
        break;
    }
    case Fondazione: {
        Controlla(m.Winkler != nullptr, "modello del suolo elastico assente");
        const double w1 = m.Winkler->SpostamentoW(1);
        const double wn = m.Winkler->SpostamentoW(d.NDivisioni + 1);
        for (int i = 0; i < n; ++i)
            f[size_t(i)] += w1;
        const double c = Diviso(f[size_t(n - 1)] - wn, L, "luce nulla");
        for (int i = 1; i < n; ++i)
            f[size_t(i)] = x[i] == x[n - 1] ? wn : f[size_t(i)] - c * x[i];
        break;
    }
    default:
        throw Guasto("schema di vincolo");
    }
    float* fs = r.f.data();
    for (int i = 0; i < n; ++i)
        fs[i] = ASingolo(f[size_t(i)], "freccia");
}

ModuloZelvo::ModuloZelvo() = default;
ModuloZelvo::~ModuloZelvo() = default;

namespace {

// The calculation of every load as it is, unfactored.
EsitoCalcolo CalcolaCarichi(ModuloZelvo& m, Messaggi& msg) {
    DatiTrave& d = m.Dati;
    RisultatiTrave& r = m.Risultati;

    // Nothing of a previous calculation may pass for a result of this one.
    r.Calcolato = false;
    r.Mx.reset();
    r.Vx.reset();
    r.fx.reset();
    r.Sigmax.reset();
    r.qSuoloA.reset();
    r.qSuoloB.reset();
    r.xContattoIniz.reset();
    r.xContattoFine.reset();
    r.Molle.Svuota();
    r.AzioniAppoggi.clear();
    m.Continua = RisultatiContinua{};

    // The data are checked; the spring rows appended below are removed on
    // every exit.
    const GuardiaConcentrati guardia(d);
    ControllaDati(d);
    if (d.Vincoli == SchemaVincolo::Continua) return CalcolaTraveContinua(m, msg);

    // Elastic soil: the springs become concentrated loads.
    if (d.Vincoli == Fondazione && d.Winkler) {
        ControllaDivisioni(d);
        if (!PreparaSuoloElastico(m, msg)) return EsitoCalcolo::SistemaIrrisolvibile;
    }

    // Points of the beam, end rotations of the loads, end actions of the
    // scheme.
    SezioniCalcola(d, r);
    RotazioniSomma(d, r);
    AzioniEstremi(d, r);

    // Rigid foundation: the soil pressures under the beam.
    const bool rigida = FondazioneRigida(d);
    if (rigida && !PressioniFondazioneRigida(d, r, msg)) return EsitoCalcolo::EquilibrioViolato;

    // Moment and shear at the interior points.
    const int n = r.NPunti;
    if (n > 4) {
        const auto interni = static_cast<size_t>(n - 4);
        std::vector<double> M(interni), V(interni);
        AzioniInPuntiOrdinati(CarichiPiani(d), r.MA, r.RA, r.x.data() + 2, n - 4, M.data(),
                              V.data());
        for (int i = 3; i <= n - 2; ++i) {
            double& Mi = M[static_cast<size_t>(i - 3)];
            double& Vi = V[static_cast<size_t>(i - 3)];
            if (rigida) SuoloRigidoInX(d, r, r.x(i), Mi, Vi);
            r.M(i) = ASingolo(Mi, "momento");
            r.V(i) = ASingolo(Vi, "taglio");
        }
    }

    // Moment and shear at the end points.
    r.M(1) = r.V(1) = r.M(n) = r.V(n) = 0;
    r.M(2) = ASingolo(r.MA, "momento");
    r.V(2) = ASingolo(r.RA, "taglio");
    r.M(n - 1) = ASingolo(r.MB, "momento");
    r.V(n - 1) = ASingolo(-r.RB, "taglio");

    // Deflection line, then the extremes of M, V and f.
    FrecceCalcola(m, r);
    EstremiCalcola(r);

    // The values at the probe abscissa (the window shows its frames
    // afterwards).
    r.Calcolato = true;
    const ValoriX v = ValoriInX(d, r, d.AscissaX, msg);
    r.Mx = v.M;
    r.Vx = v.V;
    r.fx = v.f;
    r.Sigmax = v.Sigma;
    return EsitoCalcolo::Completato;
}

// Puts the trapezoid table back on every exit of the calculation (the
// self-weight is appended to it as a row).
class GuardiaTrapezi {
  public:
    explicit GuardiaTrapezi(DatiTrave& d) : d_(d), n_(d.NTrapezi), righe_(d.CarichiTrapezi) {}
    ~GuardiaTrapezi() {
        d_.NTrapezi = n_;
        d_.CarichiTrapezi = std::move(righe_);
    }
    GuardiaTrapezi(const GuardiaTrapezi&) = delete;
    GuardiaTrapezi& operator=(const GuardiaTrapezi&) = delete;

  private:
    DatiTrave& d_;
    int16_t n_;
    Vettore1<CaricoTrapezio> righe_;
};

} // namespace

// A problem with load cases: the ordinary calculation takes every load
// unfactored, the self-weight included (as one more uniform load over the
// whole beam), then every case and envelope is calculated. Without cases
// the calculation is the ordinary one alone.
EsitoCalcolo ModuloZelvo::Calcola(Messaggi& msg) {
    Combinazioni = RisultatiCombinazioni{};
    const bool casi = !Dati.Casi.empty() || Dati.PesoProprio;
    if (!casi) return CalcolaCarichi(*this, msg);
    EsitoCalcolo e;
    {
        const GuardiaTrapezi guardia(Dati);
        AggiungiPesoProprio(Dati);
        e = CalcolaCarichi(*this, msg);
    }
    if (e == EsitoCalcolo::Completato) Combinazioni = CalcolaCombinazioni(Dati, msg);
    return e;
}

EsitoCalcolo TrappolaCalcolo(Messaggi& msg, const std::function<EsitoCalcolo()>& passi) {
    return TrappolaCalcolo(msg, passi, nullptr);
}

EsitoCalcolo TrappolaCalcolo(Messaggi& msg, const std::function<EsitoCalcolo()>& passi,
                             const std::function<std::string()>& causa) {
    try {
        return passi();
    } catch (const GuastoSpiegato& g) {
        msg.Mostra(std::string(TestoErroreDati) + ACapo + g.Riga());
        return EsitoCalcolo::ErroreDati;
    } catch (const std::exception&) { // Guasto and every other standard fault
        std::string testo = TestoErroreDati;
        try {
            if (causa) {
                const std::string c = causa();
                if (!c.empty()) testo += std::string(ACapo) + c;
            }
        } catch (const std::exception&) { // the first line alone, then
        }
        msg.Mostra(testo);
        return EsitoCalcolo::ErroreDati;
    }
}

EsitoCalcolo ModuloZelvo::CalcolaConTrappola(Messaggi& msg) {
    const EsitoCalcolo e = TrappolaCalcolo(
        msg, [&] { return Calcola(msg); }, [&] { return CausaErroreDati(Dati); });
    if (e != EsitoCalcolo::Completato) Risultati.Calcolato = false;
    return e;
}

} // namespace zelvo
