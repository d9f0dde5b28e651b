#include "form/diagrammi_form.h"

#include "core/estrazione.h"
#include "form/modello_form.h"
#include "graphics/superficie_registro.h"
#include "io/generale.h"

#include <cmath>

namespace zelvo {

namespace {

std::string SenzaBlank(std::string s) {
    while (!s.empty() && s.front() == ' ')
        s.erase(0, 1);
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

// A scale as "1:" shows it: no thousands grouping.
std::string Scala(Separatori sep, double s) {
    sep.migliaia.clear();
    return SenzaBlank(FormatoCompatto(sep, 4, 10, s));
}

// A shown value with its unit, as the results frames show it.
std::string ConUnita(const UnitMisura& u, Grandezza g, double v) {
    const std::string e = u.Etichetta(g);
    const std::string t = SenzaBlank(u.Testo(g, v));
    return e.empty() ? t : t + " " + e;
}

// The load intensity at x: the trapezoidal loads that cover x, each linear
// between its ends.
double Carico(const DatiTrave& d, double x) {
    double q = 0;
    for (int i = 1; i <= d.NTrapezi; ++i) {
        const CaricoTrapezio& t = d.CarichiTrapezi(i);
        const double a = std::min(t.d1, t.d2), b = std::max(t.d1, t.d2);
        if (x < a || x > b) continue;
        if (b == a) {
            q += t.q1;
            continue;
        }
        const double q1 = t.d1 <= t.d2 ? t.q1 : t.q2, q2 = t.d1 <= t.d2 ? t.q2 : t.q1;
        q += q1 + (q2 - q1) * (x - a) / (b - a);
    }
    return q;
}

// The value of a curve at x: linear between the points; at a discontinuity
// the value on its left. `i` the point nearer to x.
bool Interpola(const std::vector<double>& xs, const std::vector<double>& y, double x, double& v,
               size_t& i) {
    if (xs.size() != y.size()) return false;
    for (size_t k = 0; k + 1 < xs.size(); ++k) {
        if (!(xs[k] <= x && x <= xs[k + 1] && xs[k + 1] > xs[k])) continue;
        const double t = (x - xs[k]) / (xs[k + 1] - xs[k]);
        v = y[k] + t * (y[k + 1] - y[k]);
        i = t < 0.5 ? k : k + 1;
        return std::isfinite(v);
    }
    return false;
}

} // namespace

std::vector<VoceVista> VociVista(const ContestoDiagrammi& c) {
    std::vector<VoceVista> voci;
    if (!c.Modulo || !c.Modulo->Combinazioni.Calcolato) return voci;
    const RisultatiCombinazioni& r = c.Modulo->Combinazioni;
    voci.push_back({TestoTuttiICarichi, {}});
    CurvaInviluppo curva;
    for (size_t k = 0; k < r.Casi.size(); ++k) {
        const VistaDiagrammi v{VistaDiagrammi::Tipo::Caso, int(k)};
        if (CurveVista(r, v, GrandezzaInviluppo::M, curva)) voci.push_back({NomeVista(r, v), v});
    }
    for (int t = 0; t < NumeroTipiCombinazione; ++t) {
        const VistaDiagrammi v{VistaDiagrammi::Tipo::Inviluppo, t};
        if (CurveVista(r, v, GrandezzaInviluppo::M, curva)) voci.push_back({NomeVista(r, v), v});
    }
    return voci;
}

int IndiceVista(const std::vector<VoceVista>& voci, const ContestoDiagrammi& c) {
    const VistaDiagrammi v = VistaInVigore(c);
    for (size_t i = 0; i < voci.size(); ++i)
        if (voci[i].Vista == v) return int(i);
    return 0;
}

ContestoDiagrammi ContestoFinestre(ModelloForm& f) {
    ContestoDiagrammi c = f.ContestoDisegno();
    // Results no longer the problem's, or being computed: nothing to draw.
    if (!f.Calcolato || f.Occupato()) c.Modulo = nullptr;
    return c;
}

std::optional<std::array<double, 2>> ScaleInVigore(const ContestoDiagrammi& c) {
    if (c.Scale && c.Scale->ScalaUtente)
        return std::array<double, 2>{c.Scale->ScalaMomentiUtente, c.Scale->ScalaTagliUtente};
    if (!c.Modulo || !c.Unita || !c.Modulo->Risultati.Calcolato) return std::nullopt;
    // The scales a drawing of the results would choose (they do not depend
    // on the size of the device).
    RegistroMessaggi muti;
    ContestoDiagrammi a = c;
    a.Msg = &muti;
    std::array<double, 2> s{0, 0};
    for (int i = 0; i < 2; ++i) {
        TelaRegistro t;
        SuperficieVideo video(t);
        Plotta p;
        if (!p.PlottaDiagramma(a, i == 0 ? TipoDiagramma::Momento : TipoDiagramma::Taglio, video))
            return std::nullopt;
        s[size_t(i)] = i == 0 ? p.Stato().ScalaMomenti : p.Stato().ScalaTagli;
        if (!std::isfinite(s[size_t(i)]) || !(s[size_t(i)] > 0)) return std::nullopt;
    }
    return s;
}

GeometriaTwips GeometriaIniziale(int i) {
    static constexpr int dx[3] = {0, 500, 1000}, dy[3] = {0, 400, 800};
    const int k = (i < 0 || i > 2) ? 0 : i;
    return {dx[k], dy[k], dx[k] + 7000, dy[k] + 5000};
}

ModelloDiagramma::ModelloDiagramma(int indice) : indice_(indice < 0 || indice > 2 ? 0 : indice) {}

bool ModelloDiagramma::Disegna(const ContestoDiagrammi& c, Tela& t) {
    ContestoDiagrammi dopo = c;
    dopo.Msg = &pendenti_; // shown after painting, never from inside it
    t.NomeFont(FontDiagrammi);
    SuperficieVideo video(t);
    disegnato_ = plotta_.PlottaDiagramma(dopo, Descrizione().diagramma, video);
    motivo_ = disegnato_ ? std::string()
              : (!c.Modulo || !c.Modulo->Risultati.Calcolato || c.Modulo->Risultati.NPunti < 2)
                  ? TestoNessunRisultato
                  : TestoDiagrammaNonDisegnato;
    const VistaDiagrammi v = VistaInVigore(c);
    vista_ = disegnato_ && indice_ < 2 && v.tipo != VistaDiagrammi::Tipo::Tutti
                 ? NomeVista(c.Modulo->Combinazioni, v)
                 : std::string();
    left_ = t.ScalaLeft();
    width_ = t.ScalaWidth();
    larghezza_ = t.LarghezzaDispositivo();
    if (c.Unita) sep_ = c.Unita->separatori;
    return disegnato_;
}

std::vector<Messaggio> ModelloDiagramma::MessaggiDopoDisegno() {
    std::vector<Messaggio> m = std::move(pendenti_.elenco);
    pendenti_.elenco.clear();
    return m;
}

std::string ModelloDiagramma::TestoScala() const {
    if (!disegnato_) return motivo_;
    const StatoPlotta& s = plotta_.Stato();
    const std::string vista = vista_.empty() ? std::string() : vista_ + "   ";
    switch (indice_) {
    case 0:
        return vista + "Scala momenti 1:" + Scala(sep_, s.ScalaMomenti);
    case 1:
        return vista + "Scala tagli 1:" + Scala(sep_, s.ScalaTagli);
    default: {
        std::string t;
        if (s.ScalaTrapezi > 0) t += "Scala carichi trapezi 1:" + Scala(sep_, s.ScalaTrapezi);
        if (s.ScalaForze > 0)
            t += std::string(t.empty() ? "" : "   ") +
                 "Scala carichi concentrati 1:" + Scala(sep_, s.ScalaForze);
        return t;
    }
    }
}

std::optional<LetturaDiagramma> ModelloDiagramma::Leggi(const ContestoDiagrammi& c,
                                                        double colonna) const {
    if (!disegnato_ || !c.Modulo || !c.Unita || !c.Modulo->Risultati.Calcolato ||
        !std::isfinite(colonna) || larghezza_ <= 0)
        return std::nullopt;
    const DatiTrave& d = c.Modulo->Dati;
    const RisultatiTrave& r = c.Modulo->Risultati;
    const UnitMisura& u = *c.Unita;
    // The abscissa under the mouse, rounded to the shown digits (so that the
    // value read is the value at the abscissa shown).
    const double xm = left_ + colonna * width_ / larghezza_;
    if (!std::isfinite(xm)) return std::nullopt;
    const double mostrata = std::round(u.Mostrata(Grandezza::Lunghezza, xm) * 1000) / 1000;
    const double x = u.Interna(Grandezza::Lunghezza, mostrata);
    if (x < 0 || x > d.Luce) return std::nullopt;
    if (const VistaDiagrammi v = VistaInVigore(c);
        indice_ < 2 && v.tipo != VistaDiagrammi::Tipo::Tutti)
        return LeggiVista(c, v, x);
    RegistroMessaggi muti;
    const ValoriX v = ValoriInXDopoCalcolo(d, r, x, muti);
    LetturaDiagramma l;
    l.x = x;
    Grandezza g = Grandezza::Momento;
    std::string nome;
    switch (indice_) {
    case 0:
        if (!v.M) return std::nullopt;
        l.valore = *v.M;
        if (v.f) l.freccia = *v.f;
        nome = "M";
        break;
    case 1:
        if (!v.V) return std::nullopt;
        l.valore = *v.V;
        g = Grandezza::Forza;
        nome = "V";
        break;
    default:
        l.valore = Carico(d, x);
        if (v.Sigma) l.suolo = *v.Sigma;
        g = Grandezza::Carico;
        nome = "q";
        break;
    }
    const std::string xs = "x = " + ConUnita(u, Grandezza::Lunghezza, x);
    l.stato = xs + "   " + nome + " = " + ConUnita(u, g, l.valore);
    if (l.freccia) l.stato += "   f = " + ConUnita(u, Grandezza::Lunghezza, *l.freccia);
    if (l.suolo) l.stato += "   σt = " + ConUnita(u, Grandezza::Tensione, *l.suolo);
    l.appunti = FormatoNumero(u.separatori, u.Mostrata(Grandezza::Lunghezza, x)) + "; " +
                FormatoNumero(u.separatori, u.Mostrata(g, l.valore));
    return l;
}

std::optional<LetturaDiagramma>
ModelloDiagramma::LeggiVista(const ContestoDiagrammi& c, const VistaDiagrammi& v, double x) const {
    const RisultatiCombinazioni& r = c.Modulo->Combinazioni;
    const UnitMisura& u = *c.Unita;
    const bool momenti = indice_ == 0;
    const GrandezzaInviluppo q = momenti ? GrandezzaInviluppo::M : GrandezzaInviluppo::V;
    const Grandezza g = momenti ? Grandezza::Momento : Grandezza::Forza;
    const std::string nome = momenti ? "M" : "V";
    CurvaInviluppo curva;
    if (!CurveVista(r, v, q, curva)) return std::nullopt;
    LetturaDiagramma l;
    l.x = x;
    size_t iMax = 0, iMin = 0;
    double minimo = 0;
    if (!Interpola(r.x, curva.Max, x, l.valore, iMax) ||
        !Interpola(r.x, curva.Min, x, minimo, iMin))
        return std::nullopt;
    const std::string xs = "x = " + ConUnita(u, Grandezza::Lunghezza, x);
    const std::string lx = FormatoNumero(u.separatori, u.Mostrata(Grandezza::Lunghezza, x));
    if (v.tipo == VistaDiagrammi::Tipo::Caso) {
        l.stato = xs + "   " + nome + " = " + ConUnita(u, g, l.valore);
        CurvaInviluppo f;
        double fx = 0;
        size_t i = 0;
        if (momenti && CurveVista(r, v, GrandezzaInviluppo::f, f) &&
            Interpola(r.x, f.Max, x, fx, i)) {
            l.freccia = fx;
            l.stato += "   f = " + ConUnita(u, Grandezza::Lunghezza, fx);
        }
        l.appunti = lx + "; " + FormatoNumero(u.separatori, u.Mostrata(g, l.valore));
        return l;
    }
    l.minimo = minimo;
    // The governing combination, when the results keep how they were made
    // (a fault in finding it leaves it out of the reading).
    auto governo = [&](size_t i, bool massimo) {
        if (!r.Interno) return std::string();
        try {
            const std::string t = TestoGoverno(
                r.GovernoPunto(TipoCombinazione(v.indice), q, int(i), massimo), r.Casi);
            return t.empty() ? t : " (" + t + ")";
        } catch (const std::exception&) {
            return std::string();
        }
    };
    l.stato = xs + "   " + nome + "max = " + ConUnita(u, g, l.valore) + governo(iMax, true) +
              "   " + nome + "min = " + ConUnita(u, g, minimo) + governo(iMin, false);
    l.appunti = lx + "; " + FormatoNumero(u.separatori, u.Mostrata(g, l.valore)) + "; " +
                FormatoNumero(u.separatori, u.Mostrata(g, minimo));
    return l;
}

// ---------------------------------------------------------------------------

void ModelloScale::Apri(const ScaleUtente& s, const Separatori& sep,
                        const std::optional<std::array<double, 2>>& inVigore) {
    separatori = sep;
    std::optional<std::array<double, 2>> mostrate = inVigore;
    if (s.ScalaUtente) mostrate = std::array<double, 2>{s.ScalaMomentiUtente, s.ScalaTagliUtente};
    if (mostrate) {
        // A scale is typed without thousands grouping; it is shown so.
        Separatori senzaGruppi = sep;
        senzaGruppi.migliaia.clear();
        txtScala = {FormatoNumero(senzaGruppi, (*mostrate)[0]),
                    FormatoNumero(senzaGruppi, (*mostrate)[1])};
    } else {
        txtScala = {"1", "1"};
    }
    aperta = true;
    selezionato = {false, false};
    Entra(0);
}

void ModelloScale::Entra(int i) {
    if (i < 0 || i > 1) return;
    fuoco = i == 0 ? Fuoco::Scala0 : Fuoco::Scala1;
    selezionato[size_t(i)] = true;
}

void ModelloScale::Scrivi(int i, const std::string& testo) {
    if (i < 0 || i > 1) return;
    txtScala[size_t(i)] = testo;
    selezionato[size_t(i)] = false;
}

bool ModelloScale::Invio(int i, ScaleUtente& s, Messaggi& msg) {
    if (i == 0) {
        Entra(1);
        return false;
    }
    fuoco = Fuoco::OK;
    return OK(s, msg);
}

std::string ModelloScale::TastoDecimale() const {
    return separatori.decimale;
}

bool ModelloScale::OK(ScaleUtente& s, Messaggi& msg) {
    double v[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        const std::string& testo = txtScala[size_t(i)];
        const LetturaRegionale l = LeggiRegionale(testo, separatori);
        if (l.esito == EsitoRegionale::NonNumero || l.esito == EsitoRegionale::FuoriLimiti) {
            msg.Mostra(TestoNumeroRifiutato(LuogoScala[size_t(i)], testo, separatori),
                       Icona::Esclamazione);
            Entra(i);
            return false;
        }
        if (!l.Letto() || !std::isfinite(l.valore) || !(l.valore > 0)) {
            msg.Mostra(TestoScalaNonValida, Icona::Esclamazione);
            Entra(i);
            return false;
        }
        v[i] = l.valore;
    }
    s.ScalaMomentiUtente = v[0];
    s.ScalaTagliUtente = v[1];
    s.ScalaUtente = true;
    aperta = false;
    return true;
}

void ModelloScale::Annulla(ScaleUtente& s) {
    s.ScalaUtente = false;
    fuoco = Fuoco::Annulla;
    aperta = false;
}

// ---------------------------------------------------------------------------

std::string VersioneProgramma(const std::string& versione, const std::string& qt) {
    return "Zelvo " + versione + " per Linux (Qt " + qt + ")";
}

} // namespace zelvo
