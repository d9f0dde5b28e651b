#include "verifica_acciaio.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zelvo {

namespace {

bool DoppioT(const RigaCatalogo& p) {
    return p.tipo == "SezioneDoppioT";
}
bool Canale(const RigaCatalogo& p) {
    return p.tipo == "SezioneProfiloU";
}

int ClasseDa(double rapporto, double l1, double l2, double l3) {
    return rapporto <= l1 ? 1 : rapporto <= l2 ? 2 : rapporto <= l3 ? 3 : 4;
}

// a/b as a utilisation: 0 for no action, a large finite figure when there
// is an action and no resistance.
double Rapporto(double a, double b) {
    if (!(a > 0)) return 0;
    return b > 0 ? a / b : 1e6;
}

bool Numerico(double v) {
    return std::isfinite(v);
}

// The piecewise-linear M(x) through the points (sorted by x).
double MomentoIn(const std::vector<SollecitazioneAcciaio>& p, double x) {
    if (p.empty()) return 0;
    if (x <= p.front().x) return p.front().M;
    if (x >= p.back().x) return p.back().M;
    const auto it = std::lower_bound(
        p.begin(), p.end(), x, [](const SollecitazioneAcciaio& s, double v) { return s.x < v; });
    const auto& b = *it;
    const auto& a = *(it - 1);
    if (b.x - a.x <= 0) return b.M;
    return a.M + (b.M - a.M) * (x - a.x) / (b.x - a.x);
}

// max |M| over [a, b] of the piecewise-linear M (its vertices and the ends).
double MassimoTra(const std::vector<SollecitazioneAcciaio>& p, double a, double b) {
    double m = std::max(std::fabs(MomentoIn(p, a)), std::fabs(MomentoIn(p, b)));
    for (const auto& s : p)
        if (s.x >= a && s.x <= b) m = std::max(m, std::fabs(s.M));
    return m;
}

double RipartitoIn(const std::vector<RipartitoAcciaio>& r, double x) {
    double q = 0;
    for (const auto& c : r) {
        const double a = std::min(c.x0, c.x1), b = std::max(c.x0, c.x1);
        if (x < a || x > b || !(b > a)) continue;
        q += c.q0 + (c.q1 - c.q0) * (x - c.x0) / (c.x1 - c.x0);
    }
    return q;
}

struct Rigidezze {
    double EIz = 0, GIt = 0, EIw = 0; // N·m², N·m², N·m⁴
};

// The buckling model of [a, b] of the beam in local abscissae from a.
SegmentoSvergolamento Modello(const DatiVerificaAcciaio& d,
                              const std::vector<SollecitazioneAcciaio>& p, const Rigidezze& k,
                              double a, double b, double zg) {
    SegmentoSvergolamento s;
    s.EIz = k.EIz;
    s.GIt = k.GIt;
    s.EIw = k.EIw;
    s.L = b - a;
    s.zg = zg;
    s.Momento = [&p, a](double x) { return MomentoIn(p, a + x); };
    const auto& rip = d.Ripartiti;
    s.Distribuito = [&rip, a](double x) { return RipartitoIn(rip, a + x); };
    for (const auto& c : d.Concentrati)
        if (c.x >= a && c.x <= b) s.Concentrati.push_back({c.x - a, c.P});
    return s;
}

void Governa(ControlloAcciaio& g, double& u, ControlloAcciaio c, double v) {
    if (g == ControlloAcciaio::Nessuno || v > u) {
        g = c;
        u = v;
    }
}

} // namespace

const std::vector<AcciaioStrutturale>& AcciaiStrutturali() {
    static const std::vector<AcciaioStrutturale> a = {
        {"S235", 235, 215}, {"S275", 275, 255}, {"S355", 355, 335}};
    return a;
}

const AcciaioStrutturale* CercaAcciaio(const std::string& nome) {
    const std::string k = ChiaveProfilo(nome);
    for (const auto& a : AcciaiStrutturali())
        if (k == a.nome) return &a;
    return nullptr;
}

double SnervamentoAcciaio(const AcciaioStrutturale& a, double t) {
    if (!(t > 0)) return 0;
    if (t <= 40) return a.fy40;
    if (t <= 80) return a.fy80;
    return 0;
}

ResistenzaSezione ResistenzaProfilo(const RigaCatalogo& p, const AcciaioStrutturale& a,
                                    double gM0) {
    ResistenzaSezione r;
    const bool I = DoppioT(p), U = Canale(p);
    if ((!I && !U) || !(gM0 > 0) || !(p.tw > 0) || !(p.tf > 0) || !(p.h > 2 * p.tf) ||
        !(p.b > p.tw) || !(p.Area > 0) || !(p.Wely > 0) || !(p.Wply > 0))
        return r;
    r.fy = SnervamentoAcciaio(a, std::max(p.tf, p.tw));
    if (!(r.fy > 0)) return r;
    r.epsilon = std::sqrt(235 / r.fy);
    const double e = r.epsilon;
    r.cAnima = p.h - 2 * p.tf - 2 * p.r;
    r.cAla = I ? (p.b - p.tw - 2 * p.r) / 2 : p.b - p.tw - p.r;
    r.ClasseAnima = ClasseDa(r.cAnima / p.tw, 72 * e, 83 * e, 124 * e);
    r.ClasseAla = ClasseDa(r.cAla / p.tf, 9 * e, 10 * e, 14 * e);
    r.Classe = std::max(r.ClasseAnima, r.ClasseAla);
    r.Wel = p.Wely;
    r.Wpl = p.Wply;
    r.Wy = r.Classe <= 2 ? r.Wpl : r.Wel;
    r.McRd = r.Classe <= 3 ? r.Wy * r.fy / gM0 / 1000 : 0;
    r.hw = p.h - 2 * p.tf;
    r.Aw = r.hw * p.tw;
    r.Av = I ? std::max(p.Area - 2 * p.b * p.tf + (p.tw + 2 * p.r) * p.tf, EtaTaglio * r.Aw)
             : p.Area - 2 * p.b * p.tf + (p.tw + p.r) * p.tf;
    r.VcRd = r.Av * r.fy / (std::sqrt(3.0) * gM0);
    r.ImbozzamentoTaglio = r.hw / p.tw > 72 * e / EtaTaglio;
    r.Valida = r.Av > 0 && r.McRd >= 0;
    return r;
}

double MomentoResistenteConTaglio(const ResistenzaSezione& r, const RigaCatalogo& p, double VEd,
                                  double gM0, double* rho) {
    double q = 0;
    double M = r.McRd;
    const double V = std::fabs(VEd);
    if (r.Valida && r.VcRd > 0 && V > 0.5 * r.VcRd && gM0 > 0) {
        const double t = std::min(2 * V / r.VcRd - 1, 1.0);
        q = t * t;
        const double W = r.Classe <= 2 ? r.Wpl - q * r.Aw * r.Aw / (4 * p.tw)
                                       : r.Wel - q * p.tw * r.hw * r.hw * r.hw / (6 * p.h);
        M = std::clamp(W * r.fy / gM0 / 1000, 0.0, r.McRd);
    }
    if (rho) *rho = q;
    return M;
}

RiduzioneSvergolamento RiduzioneLT(double Wy, double fy, double Mcr, double hSuB, double kc) {
    RiduzioneSvergolamento r;
    r.alfaLT = hSuB <= 2 ? 0.34 : 0.49;
    r.kc = std::clamp(kc, 0.0, 1.0);
    if (!(Mcr > 0) || !(Wy > 0) || !(fy > 0)) return r; // cannot buckle
    constexpr double lambda0 = 0.4, beta = 0.75;
    const double l = std::sqrt(Wy * fy / 1000 / Mcr);
    r.lambdaLT = l;
    r.phiLT = 0.5 * (1 + r.alfaLT * (l - lambda0) + beta * l * l);
    if (l <= lambda0) return r;
    const double chi = 1 / (r.phiLT + std::sqrt(r.phiLT * r.phiLT - beta * l * l));
    r.chiLT = std::min({chi, 1.0, 1 / (l * l)});
    const double t = l - 0.8;
    r.f = std::min(1 - 0.5 * (1 - r.kc) * (1 - 2 * t * t), 1.0);
    r.chiLTmod = std::min({r.chiLT / r.f, 1.0, 1 / (l * l)});
    return r;
}

const char* NomeControlloAcciaio(ControlloAcciaio c) {
    switch (c) {
    case ControlloAcciaio::Flessione:
        return "Flessione";
    case ControlloAcciaio::Taglio:
        return "Taglio";
    case ControlloAcciaio::Svergolamento:
        return "Svergolamento";
    case ControlloAcciaio::FuoriAmbito:
        return "Fuori ambito";
    case ControlloAcciaio::Nessuno:
        break;
    }
    return "";
}

EsitoVerificaAcciaio VerificaAcciaio(const DatiVerificaAcciaio& d) {
    EsitoVerificaAcciaio e;
    auto nonValido = [&e]() {
        e.Valido = false;
        e.Motivo = MotivoFuoriAmbito::DatiNonValidi;
        e.Tratti.clear();
        return e;
    };
    const AcciaioStrutturale* a = CercaAcciaio(d.Acciaio);
    const CoefficientiAcciaio& g = d.Coefficienti;
    if (!a || !(g.gM0 > 0) || !(g.gM1 > 0) || d.Tratti.empty() || !Numerico(g.gM0 + g.gM1))
        return nonValido();
    for (const auto& t : d.Tratti) {
        if (!(t.x1 > t.x0) || !Numerico(t.x0 + t.x1)) return nonValido();
        for (const auto& s : t.Punti)
            if (!Numerico(s.x + s.M + s.V)) return nonValido();
    }
    for (const auto& c : d.Ripartiti)
        if (!Numerico(c.x0 + c.x1 + c.q0 + c.q1)) return nonValido();
    for (const auto& c : d.Concentrati)
        if (!Numerico(c.x + c.P)) return nonValido();
    for (double x : d.Ritegni)
        if (!Numerico(x)) return nonValido();
    const RigaCatalogo& p = d.Profilo;
    e.Sezione = ResistenzaProfilo(p, *a, g.gM0);
    const ResistenzaSezione& r = e.Sezione;
    if (!r.Valida) return nonValido();
    e.Valido = true;
    if (r.Classe == 4)
        e.Motivo = MotivoFuoriAmbito::Classe4;
    else if (r.ImbozzamentoTaglio)
        e.Motivo = MotivoFuoriAmbito::ImbozzamentoAnima;
    else if (!DoppioT(p) && d.Ritegno != RitegnoLaterale::Continuo)
        e.Motivo = MotivoFuoriAmbito::SvergolamentoCanale;
    else if (DoppioT(p) && d.Ritegno != RitegnoLaterale::Continuo && !(p.It > 0 && p.Iw > 0))
        e.Motivo = MotivoFuoriAmbito::DatiNonValidi;
    if (e.Motivo != MotivoFuoriAmbito::Nessuno) {
        e.Governo = ControlloAcciaio::FuoriAmbito;
        return e;
    }
    e.zg = d.Quota == QuotaCarico::Superiore   ? p.h / 2000
           : d.Quota == QuotaCarico::Inferiore ? -p.h / 2000
                                               : 0.0;
    const Rigidezze k{ModuloElasticoAcciaio * p.Jz * 1e-6, ModuloTaglioAcciaio * p.It * 1e-6,
                      ModuloElasticoAcciaio * p.Iw * 1e-12};
    const double MyRd1 = r.Wy * r.fy / g.gM1 / 1000; // the buckling resistance with χLT = 1
    const double hSuB = p.h / p.b;

    for (const auto& t : d.Tratti) {
        EsitoTrattoAcciaio et;
        et.x0 = t.x0;
        et.x1 = t.x1;
        et.Tipo = t.Tipo;
        std::vector<SollecitazioneAcciaio> pt = t.Punti;
        std::stable_sort(pt.begin(), pt.end(),
                         [](const SollecitazioneAcciaio& u, const SollecitazioneAcciaio& v) {
                             return u.x < v.x;
                         });
        // Bending, shear, bending with shear at every point.
        double uMV = -1;
        for (const auto& s : pt) {
            if (std::fabs(s.M) > et.MEd) {
                et.MEd = std::fabs(s.M);
                et.xM = s.x;
            }
            if (std::fabs(s.V) > et.VEd) {
                et.VEd = std::fabs(s.V);
                et.xV = s.x;
            }
            double rho = 0;
            const double MV = MomentoResistenteConTaglio(r, p, s.V, g.gM0, &rho);
            if (rho > 0) et.InterazioneMV = true;
            const double u = Rapporto(std::fabs(s.M), MV);
            if (u > uMV) {
                uMV = u;
                et.xMV = s.x;
                et.MEdMV = std::fabs(s.M);
                et.VEdMV = std::fabs(s.V);
                et.rho = rho;
                et.MVRd = MV;
            }
        }
        et.UtilizzoFlessione = std::max(uMV, 0.0);
        et.UtilizzoTaglio = Rapporto(et.VEd, r.VcRd);

        // Lateral-torsional buckling.
        if (d.Ritegno != RitegnoLaterale::Continuo) {
            const double tol = 1e-9 * (t.x1 - t.x0);
            std::vector<double> tagli;
            if (d.Ritegno == RitegnoLaterale::Puntuali)
                for (double x : d.Ritegni)
                    if (x > t.x0 + tol && x < t.x1 - tol) tagli.push_back(x);
            std::sort(tagli.begin(), tagli.end());
            auto segmento = [&](double a, double b, double Mcr, double C1, int el,
                                std::vector<PuntoFormaSvergolamento> forma) {
                SegmentoAcciaio s;
                s.x0 = a;
                s.x1 = b;
                s.MEd = MassimoTra(pt, a, b);
                s.Mcr = Mcr;
                s.C1 = C1;
                s.Riduzione = RiduzioneLT(r.Wy, r.fy, Mcr, hSuB, C1 > 0 ? 1 / std::sqrt(C1) : 1.0);
                s.MbRd = s.Riduzione.chiLTmod * MyRd1;
                s.Utilizzo = Rapporto(s.MEd, s.MbRd);
                s.Elementi = el;
                s.Forma = std::move(forma);
                et.UtilizzoSvergolamento = std::max(et.UtilizzoSvergolamento, s.Utilizzo);
                et.Segmenti.push_back(s);
            };
            if (t.Tipo == TipoTratto::Campata) {
                std::vector<double> x = {t.x0};
                x.insert(x.end(), tagli.begin(), tagli.end());
                x.push_back(t.x1);
                for (size_t i = 0; i + 1 < x.size(); ++i) {
                    const double A = x[i], B = x[i + 1];
                    if (B - A <= tol) continue;
                    if (MassimoTra(pt, A, B) == 0) {
                        segmento(A, B, 0, 1, 0, {});
                        continue;
                    }
                    const SegmentoSvergolamento ms = Modello(d, pt, k, A, B, e.zg);
                    EsitoSvergolamento s = CalcolaSvergolamento(ms);
                    FormaSvergolamento(ms, s, A);
                    EsitoSvergolamento s0 = s;
                    if (e.zg != 0) s0 = CalcolaSvergolamento(Modello(d, pt, k, A, B, 0));
                    if (!s.Valido || !s0.Valido) {
                        e.Motivo = MotivoFuoriAmbito::CalcoloInstabilita;
                        e.Governo = ControlloAcciaio::FuoriAmbito;
                        e.Tratti.clear();
                        return e;
                    }
                    const double MEd = MassimoTra(pt, A, B);
                    const double Mu = McrMomentoUniforme(k.EIz, k.GIt, k.EIw, B - A);
                    const double C1 = s0.Instabile && Mu > 0 ? s0.Fattore * MEd / Mu : 1.0;
                    segmento(A, B, s.Instabile ? s.Fattore * MEd : 0, std::max(C1, 1.0), s.Elementi,
                             s.Forma);
                }
            } else {
                // The overhang whole: fixed at its support, free at its tip
                // unless restrained there.
                const bool sinistro = t.Tipo == TipoTratto::SbalzoSinistro;
                const double punta = sinistro ? t.x0 : t.x1;
                bool puntaRitenuta = false;
                if (d.Ritegno == RitegnoLaterale::Puntuali)
                    for (double x : d.Ritegni)
                        if (std::fabs(x - punta) <= tol) puntaRitenuta = true;
                SegmentoSvergolamento m = Modello(d, pt, k, t.x0, t.x1, e.zg);
                const auto libero =
                    puntaRitenuta ? EstremoSvergolamento::Forcella : EstremoSvergolamento::Libero;
                m.Inizio = sinistro ? libero : EstremoSvergolamento::Incastro;
                m.Fine = sinistro ? EstremoSvergolamento::Incastro : libero;
                for (double x : tagli)
                    m.Ritegni.push_back(x - t.x0);
                EsitoSvergolamento s = CalcolaSvergolamento(m);
                FormaSvergolamento(m, s, t.x0);
                if (!s.Valido) {
                    e.Motivo = MotivoFuoriAmbito::CalcoloInstabilita;
                    e.Governo = ControlloAcciaio::FuoriAmbito;
                    e.Tratti.clear();
                    return e;
                }
                std::vector<double> x = {t.x0};
                x.insert(x.end(), tagli.begin(), tagli.end());
                x.push_back(t.x1);
                for (size_t i = 0; i + 1 < x.size(); ++i)
                    segmento(x[i], x[i + 1],
                             s.Instabile ? s.Fattore * MassimoTra(pt, x[i], x[i + 1]) : 0, 0,
                             s.Elementi, s.Forma);
            }
        }
        Governa(et.Governo, et.Utilizzo, ControlloAcciaio::Flessione, et.UtilizzoFlessione);
        Governa(et.Governo, et.Utilizzo, ControlloAcciaio::Taglio, et.UtilizzoTaglio);
        if (!et.Segmenti.empty())
            Governa(et.Governo, et.Utilizzo, ControlloAcciaio::Svergolamento,
                    et.UtilizzoSvergolamento);
        et.Verificata = et.Utilizzo <= 1;
        e.Tratti.push_back(et);
    }
    e.Verificata = true;
    for (size_t i = 0; i < e.Tratti.size(); ++i) {
        const auto& t = e.Tratti[i];
        if (!t.Verificata) e.Verificata = false;
        if (e.TrattoGovernante < 0 || t.Utilizzo > e.Utilizzo) {
            e.TrattoGovernante = static_cast<int>(i);
            e.Utilizzo = t.Utilizzo;
            e.Governo = t.Governo;
        }
    }
    return e;
}

} // namespace zelvo
