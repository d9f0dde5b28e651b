#include "form/verifiche_form.h"

#include "form/finestra_property.h"
#include "graphics/colori.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>
#include <utility>

namespace zelvo {

std::string Decimali(double v, int decimali, const Separatori& sep) {
    char b[64];
    std::snprintf(b, sizeof b, "%.*f", decimali, std::isfinite(v) ? v : 0.0);
    std::string s = b;
    const size_t p = s.find('.');
    if (p != std::string::npos) s.replace(p, 1, sep.decimale);
    return s;
}

namespace {

// A calculation point: abscissa, 0-based span, M, V.
struct PuntoAzioni {
    double x = 0;
    int Campata = 0;
    double M = 0, V = 0;
};

RitegnoLaterale Ritegno(DatiVerifica::TipoRitegno t) {
    switch (t) {
    case DatiVerifica::TipoRitegno::Puntuali:
        return RitegnoLaterale::Puntuali;
    case DatiVerifica::TipoRitegno::Continui:
        return RitegnoLaterale::Continuo;
    case DatiVerifica::TipoRitegno::Appoggi:
        break;
    }
    return RitegnoLaterale::Appoggi;
}

QuotaCarico Quota(DatiVerifica::TipoQuota q) {
    switch (q) {
    case DatiVerifica::TipoQuota::Baricentro:
        return QuotaCarico::Baricentro;
    case DatiVerifica::TipoQuota::Inferiore:
        return QuotaCarico::Inferiore;
    case DatiVerifica::TipoQuota::Superiore:
        break;
    }
    return QuotaCarico::Superiore;
}

// The transverse loads of `d`, each times the factor of its case (1 without
// cases).
void Carichi(const DatiTrave& d, const std::vector<double>& fattori, DatiVerificaAcciaio& v) {
    const auto fattore = [&](int caso) {
        return caso >= 0 && static_cast<size_t>(caso) < fattori.size()
                   ? fattori[static_cast<size_t>(caso)]
                   : 1.0;
    };
    for (int i = 1; i <= d.NTrapezi; ++i) {
        const CaricoTrapezio& c = d.CarichiTrapezi(i);
        if (!(c.d2 > c.d1)) continue;
        const double k = fattore(c.Caso);
        v.Ripartiti.push_back({c.d1, c.d2, k * c.q1, k * c.q2});
    }
    for (int i = 1; i <= d.NConcentrati; ++i) {
        const CaricoConcentrato& c = d.CarichiConcentrati(i);
        v.Concentrati.push_back({c.d, fattore(c.Caso) * c.F});
    }
}

// Distributes the points on the spans by their span index.
void PuntiNeiTratti(const std::vector<PuntoAzioni>& p, std::vector<TrattoAcciaio>& t) {
    for (const auto& q : p) {
        const size_t s = static_cast<size_t>(std::max(q.Campata, 0));
        if (s < t.size()) t[s].Punti.push_back({q.x, q.M, q.V});
    }
}

} // namespace

std::vector<TrattoAcciaio> TrattiVerifica(const DatiTrave& d) {
    std::vector<TrattoAcciaio> t;
    switch (d.Vincoli) {
    case AppoggioAppoggio:
    case IncastroIncastro:
    case IncastroAppoggio:
        t.push_back({0, d.Luce, TipoTratto::Campata, {}});
        break;
    case Mensola:
        t.push_back({0, d.Luce, TipoTratto::SbalzoDestro, {}});
        break;
    case Continua: {
        double x = 0;
        const size_t n = d.Campate.size();
        for (size_t i = 0; i < n; ++i) {
            TrattoAcciaio c{x, x + d.Campate[i].L, TipoTratto::Campata, {}};
            if (d.Appoggi.size() == n + 1) {
                if (i == 0 && d.Appoggi.front().Tipo == TipoAppoggio::Libero)
                    c.Tipo = TipoTratto::SbalzoSinistro;
                else if (i + 1 == n && d.Appoggi.back().Tipo == TipoAppoggio::Libero)
                    c.Tipo = TipoTratto::SbalzoDestro;
            }
            t.push_back(c);
            x = c.x1;
        }
        break;
    }
    default:
        break;
    }
    return t;
}

PreparazioneVerifica PreparaVerifica(const ModuloZelvo& m, const CatalogoProfili& cat) {
    PreparazioneVerifica p;
    const DatiTrave& d = m.Dati;
    const DatiVerifica& dv = d.Verifica;
    if (d.Vincoli == Fondazione) {
        p.Motivo = TestoFondazione;
        return p;
    }
    const RigaCatalogo* riga = dv.Profilo.empty() ? nullptr : cat.Cerca(dv.Profilo);
    if (!riga) {
        p.Motivo = TestoNessunProfilo;
        return p;
    }
    if (!m.Risultati.Calcolato) {
        p.Motivo = TestoNonCalcolato;
        return p;
    }

    DatiVerificaAcciaio base;
    base.Profilo = *riga;
    base.Acciaio = dv.Acciaio;
    base.Coefficienti = {dv.gM0, dv.gM1};
    base.Ritegno = Ritegno(dv.Ritegno);
    if (base.Ritegno == RitegnoLaterale::Puntuali) base.Ritegni = dv.xRitegni;
    base.Quota = Quota(dv.Quota);
    base.Tratti = TrattiVerifica(d);

    const RisultatiCombinazioni& rc = m.Combinazioni;
    if (rc.Calcolato) {
        p.Inviluppo = true;
        // Every load with its unfavourable factor (the self-weight a load of
        // its G1 case).
        DatiTrave dp = d;
        AggiungiPesoProprio(dp);
        std::vector<double> fattori;
        for (const auto& c : CasiConPesoProprio(d)) {
            const double* g = c.Tipo == TipoCaso::G1   ? d.Coefficienti.gG1
                              : c.Tipo == TipoCaso::G2 ? d.Coefficienti.gG2
                                                       : d.Coefficienti.gQ;
            fattori.push_back(g[0]);
        }
        if (base.Quota == QuotaCarico::Superiore) Carichi(dp, fattori, base);
        const Inviluppo& slu = rc.Inviluppi[static_cast<size_t>(TipoCombinazione::SLU)];
        const auto& M = slu.Curve[static_cast<size_t>(GrandezzaInviluppo::M)];
        const auto& V = slu.Curve[static_cast<size_t>(GrandezzaInviluppo::V)];
        const size_t n = rc.x.size();
        if (M.Max.size() != n || M.Min.size() != n || V.Max.size() != n || V.Min.size() != n ||
            rc.Campata.size() != n) {
            p.Motivo = TestoNonCalcolato;
            return p;
        }
        for (int lato = 0; lato < 2; ++lato) {
            std::vector<PuntoAzioni> pt(n);
            for (size_t i = 0; i < n; ++i)
                pt[i] = {rc.x[i], rc.Campata[i], lato == 0 ? M.Max[i] : M.Min[i],
                         std::max(std::fabs(V.Max[i]), std::fabs(V.Min[i]))};
            SituazioneVerifica s{lato == 0 ? "Momenti massimi" : "Momenti minimi", base};
            PuntiNeiTratti(pt, s.Dati.Tratti);
            p.Situazioni.push_back(std::move(s));
        }
        return p;
    }

    // Without combinations: the calculated actions and the loads as given.
    if (base.Quota != QuotaCarico::Baricentro) Carichi(d, {}, base);
    std::vector<PuntoAzioni> pt;
    if (d.Vincoli == Continua) {
        for (const auto& q : m.Continua.Punti)
            pt.push_back({q.x, q.Campata, q.M, q.V});
    } else {
        const RisultatiTrave& r = m.Risultati;
        for (int i = 1; i <= r.NPunti; ++i)
            pt.push_back({r.x(i), 0, r.M(i), r.V(i)});
    }
    SituazioneVerifica s{"Risultati del calcolo", base};
    PuntiNeiTratti(pt, s.Dati.Tratti);
    p.Situazioni.push_back(std::move(s));
    return p;
}

RisultatoVerifiche EseguiVerifiche(const ModuloZelvo& m, const CatalogoProfili& cat) {
    RisultatoVerifiche r;
    const PreparazioneVerifica p = PreparaVerifica(m, cat);
    r.TestoBase = p.Inviluppo ? TestoBaseInviluppo : TestoBaseCalcolo;
    if (!p.Motivo.empty()) {
        r.Motivo = p.Motivo;
        return r;
    }
    for (size_t k = 0; k < p.Situazioni.size(); ++k) {
        const EsitoVerificaAcciaio e = VerificaAcciaio(p.Situazioni[k].Dati);
        r.NomiSituazioni.push_back(p.Situazioni[k].Nome);
        if (!e.Valido) {
            r.Motivo = TestoMotivoFuoriAmbito(e.Motivo);
            r.Esito = e;
            r.Situazione.clear();
            return r;
        }
        if (k == 0) {
            r.Esito = e;
            r.Situazione.assign(e.Tratti.size(), 0);
            continue;
        }
        for (size_t i = 0; i < e.Tratti.size() && i < r.Esito.Tratti.size(); ++i)
            if (e.Tratti[i].Utilizzo > r.Esito.Tratti[i].Utilizzo) {
                r.Esito.Tratti[i] = e.Tratti[i];
                r.Situazione[i] = static_cast<int>(k);
            }
    }
    // The governing span and check over the merged spans.
    EsitoVerificaAcciaio& e = r.Esito;
    e.TrattoGovernante = -1;
    e.Governo = ControlloAcciaio::Nessuno;
    e.Utilizzo = 0;
    e.Verificata = true;
    for (size_t i = 0; i < e.Tratti.size(); ++i) {
        const auto& t = e.Tratti[i];
        if (e.TrattoGovernante < 0 || t.Utilizzo > e.Utilizzo) {
            e.TrattoGovernante = static_cast<int>(i);
            e.Utilizzo = t.Utilizzo;
            e.Governo = t.Governo;
        }
        e.Verificata = e.Verificata && t.Verificata;
    }
    return r;
}

std::string TestoMotivoFuoriAmbito(MotivoFuoriAmbito m) {
    switch (m) {
    case MotivoFuoriAmbito::Nessuno:
        return "";
    case MotivoFuoriAmbito::DatiNonValidi:
        return "Dati della verifica non validi: controllare acciaio, coefficienti e profilo.";
    case MotivoFuoriAmbito::Classe4:
        return "Sezione di classe 4: fuori dall'ambito di queste verifiche.";
    case MotivoFuoriAmbito::ImbozzamentoAnima:
        return "Anima soggetta a imbozzamento per taglio: fuori dall'ambito di queste verifiche.";
    case MotivoFuoriAmbito::SvergolamentoCanale:
        return "Svergolamento di un profilo a U: fuori dall'ambito di queste verifiche "
               "(ritenere la trave con continuità).";
    case MotivoFuoriAmbito::CalcoloInstabilita:
        return "Calcolo del momento critico non riuscito.";
    }
    return "";
}

// ---- the window ----

ModelloVerifiche::ModelloVerifiche(ModuloZelvo& m, const CatalogoProfili& cat, Separatori sep)
    : m_(m), cat_(cat), sep_(std::move(sep)) {
    Aggiorna();
}

std::vector<std::string> ModelloVerifiche::Profili() const {
    std::vector<std::string> n;
    for (const auto& r : cat_.Righe()) {
        const std::string k = ChiaveProfilo(r.nome);
        if (k.rfind("IPE", 0) == 0 || k.rfind("HEA", 0) == 0 || k.rfind("HEB", 0) == 0)
            n.push_back(r.nome);
    }
    return n;
}

std::vector<std::string> ModelloVerifiche::Acciai() const {
    std::vector<std::string> n;
    for (const auto& a : AcciaiStrutturali())
        n.push_back(a.nome);
    return n;
}

void ModelloVerifiche::ScegliProfilo(const std::string& nome) {
    DatiVerifica& v = m_.Dati.Verifica;
    v.Profilo = nome;
    v.Attiva = !nome.empty();
    Aggiorna();
}

void ModelloVerifiche::ScegliAcciaio(const std::string& nome) {
    if (CercaAcciaio(nome)) m_.Dati.Verifica.Acciaio = nome;
    Aggiorna();
}

void ModelloVerifiche::PresetNTC2018() {
    ImpostaCoefficienti(CoefficientiAcciaioNTC2018.gM0, CoefficientiAcciaioNTC2018.gM1);
}

void ModelloVerifiche::PresetEurocodice() {
    ImpostaCoefficienti(CoefficientiAcciaioEurocodice.gM0, CoefficientiAcciaioEurocodice.gM1);
}

bool ModelloVerifiche::ImpostaCoefficienti(double gM0, double gM1) {
    if (!(gM0 >= 1 && gM0 <= 2 && gM1 >= 1 && gM1 <= 2)) return false;
    m_.Dati.Verifica.gM0 = gM0;
    m_.Dati.Verifica.gM1 = gM1;
    Aggiorna();
    return true;
}

void ModelloVerifiche::ImpostaRitegno(DatiVerifica::TipoRitegno r) {
    m_.Dati.Verifica.Ritegno = r;
    Aggiorna();
}

bool ModelloVerifiche::ImpostaAscisseRitegni(const std::string& testo) {
    std::vector<double> x;
    const double L = static_cast<double>(m_.Dati.Luce);
    std::string t;
    const auto chiudi = [&]() {
        if (t.empty()) return true;
        const std::string s = t;
        t.clear();
        const LetturaRegionale l = LeggiRegionale(s, sep_);
        if (!l.Letto()) {
            Rifiuta(TestoNumeroRifiutato(TestoLuogoRitegni, s, sep_));
            return false;
        }
        if (!(l.valore >= 0 && l.valore <= L)) {
            Rifiuta(std::string(TestoLuogoRitegni) + ": x = " + s + " m è fuori dalla trave (da " +
                    Decimali(0, 2, sep_) + " a " + Decimali(L, 2, sep_) + " m).");
            return false;
        }
        x.push_back(l.valore);
        return true;
    };
    for (char c : testo) {
        if (c == ';' || c == ' ' || c == '\t') {
            if (!chiudi()) return false;
        } else {
            t.push_back(c);
        }
    }
    if (!chiudi()) return false;
    std::sort(x.begin(), x.end());
    // A restraint typed twice is one restraint.
    x.erase(std::unique(
                x.begin(), x.end(),
                [L](double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(L, 1.0); }),
            x.end());
    m_.Dati.Verifica.xRitegni = x;
    Aggiorna();
    return true;
}

void ModelloVerifiche::Rifiuta(const std::string& testo) {
    if (Msg) Msg->Mostra(testo, Icona::Esclamazione);
}

bool ModelloVerifiche::ImpostaCoefficientiDigitati(const std::string& gM0, const std::string& gM1) {
    double g[2] = {0, 0};
    const std::string* testi[2] = {&gM0, &gM1};
    const char* nomi[2] = {"γM0", "γM1"};
    for (int i = 0; i < 2; ++i) {
        const LetturaRegionale l = LeggiRegionale(*testi[i], sep_);
        if (!l.Letto()) {
            Rifiuta(TestoNumeroRifiutato(nomi[i], *testi[i], sep_));
            return false;
        }
        g[i] = l.valore;
    }
    if (!ImpostaCoefficienti(g[0], g[1])) {
        Rifiuta("I coefficienti γM0 e γM1 devono essere compresi tra " + Decimali(1, 2, sep_) +
                " e " + Decimali(2, 2, sep_) + ".");
        return false;
    }
    return true;
}

std::string ModelloVerifiche::TestoAscisseRitegni() const {
    std::string t;
    for (double x : m_.Dati.Verifica.xRitegni)
        t += (t.empty() ? "" : "; ") + Decimali(x, 2, sep_);
    return t;
}

void ModelloVerifiche::ImpostaQuota(DatiVerifica::TipoQuota q) {
    m_.Dati.Verifica.Quota = q;
    Aggiorna();
}

namespace {

// The picture of the governing buckling length's critical mode.
FiguraSvergolamento ComponiFigura(const ModuloZelvo& m, const CatalogoProfili& cat,
                                  const EsitoVerificaAcciaio& e, const Separatori& sep) {
    FiguraSvergolamento f;
    const RigaCatalogo* p = cat.Cerca(m.Dati.Verifica.Profilo);
    if (!p) return f;
    const EsitoTrattoAcciaio* t = nullptr;
    const SegmentoAcciaio* g = nullptr;
    size_t campata = 0;
    for (size_t i = 0; i < e.Tratti.size(); ++i)
        for (const auto& s : e.Tratti[i].Segmenti)
            if (s.Forma.size() >= 2 && (!g || s.Utilizzo > g->Utilizzo)) {
                g = &s;
                t = &e.Tratti[i];
                campata = i;
            }
    if (!g) return f;
    // The flange: v ± (h/2)·φ, the one that moves more (the compression
    // flange buckles, the tension flange holds back).
    const double h2 = p->h / 2000;
    std::vector<double> piu, meno;
    double mPiu = 0, mMeno = 0;
    for (const auto& q : g->Forma) {
        piu.push_back(q.v + h2 * q.phi);
        meno.push_back(q.v - h2 * q.phi);
        mPiu = std::max(mPiu, std::fabs(piu.back()));
        mMeno = std::max(mMeno, std::fabs(meno.back()));
    }
    std::vector<double>& w = mPiu >= mMeno ? piu : meno;
    const double mx = std::max(mPiu, mMeno);
    if (!(mx > 0) || !std::isfinite(mx)) return f;
    for (size_t i = 0; i < w.size(); ++i) {
        f.x.push_back(g->Forma[i].x);
        f.w.push_back(w[i] / mx);
    }
    f.xa = f.x.front();
    f.xb = f.x.back();
    f.x0 = g->x0;
    f.x1 = g->x1;
    if (t->Tipo == TipoTratto::Campata) {
        f.Forcelle = {g->x0, g->x1};
    } else {
        const bool sinistro = t->Tipo == TipoTratto::SbalzoSinistro;
        f.Incastri = {sinistro ? t->x1 : t->x0};
        const double punta = sinistro ? t->x0 : t->x1, tol = 1e-9 * (t->x1 - t->x0);
        for (const auto& s : t->Segmenti)
            for (double x : {s.x0, s.x1})
                if (x > t->x0 + tol && x < t->x1 - tol &&
                    std::find(f.Forcelle.begin(), f.Forcelle.end(), x) == f.Forcelle.end())
                    f.Forcelle.push_back(x);
        const DatiVerifica& dv = m.Dati.Verifica;
        if (dv.Ritegno == DatiVerifica::TipoRitegno::Puntuali)
            for (double x : dv.xRitegni)
                if (std::fabs(x - punta) <= tol) f.Forcelle.push_back(punta);
    }
    const std::string c =
        std::to_string(campata + 1) + (t->Tipo == TipoTratto::Campata ? "" : " (sbalzo)");
    f.Didascalia = "Forma critica dello svergolamento: campata " + c +
                   ", x = " + Decimali(g->x0, 2, sep) + ".." + Decimali(g->x1, 2, sep) +
                   " m, Mcr = " + Decimali(g->Mcr / 1000, 2, sep) + " kN·m";
    f.TestoInizio = Decimali(f.xa, 2, sep) + " m";
    f.TestoFine = Decimali(f.xb, 2, sep) + " m";
    f.Presente = true;
    return f;
}

} // namespace

std::string MotivoRisultatiNonAttuali(const ModelloForm& f) {
    if (!f.Calcolato || f.Occupato()) return TestoNonCalcolato;
    if (f.DatiCambiatiDopoCalcolo()) return TestoDatiCambiati;
    return "";
}

SezioneUtente SezioneDellaTrave(const ModelloForm& f) {
    SezioneUtente u;
    const Property* p = f.SezioneProgetto.Prop.get();
    if (!p || !p->SezioneConEdit || p->SezioneEd.CollEdit.empty() || !(p->fyBeam > 0) ||
        !NomeAcciaio(p->NomeMat))
        return u;
    // The moduli as the section window works them out.
    RegistroMessaggi muto;
    SezioneEdit copia;
    copia.UnitaLunghezza = f.Unita.SenzaUnita ? std::string() : f.Unita.UnitaModello[4];
    copia.CollEdit = p->SezioneEd.CollEdit;
    if (!copia.DatiLeggeScrive(Verso::Leggi) || !copia.FormLeggeDatiContinua(muto)) return u;
    const double Wel = std::min(copia.Contorno.WxSuperiore, copia.Contorno.WxInferiore);
    Poligono meta = copia.Contorno.Copia();
    if (!meta.Wplastici(muto)) return u;
    const double Wpl = meta.Wplx;
    if (!(Wel > 0) || !(Wpl > 0) || !std::isfinite(Wel * Wpl * p->fyBeam)) return u;
    u.Presente = true;
    u.Materiale = p->NomeMat;
    u.Wel = Wel;
    u.Wpl = Wpl;
    u.fy = p->fyBeam;
    return u;
}

std::vector<std::string> TestiSezioneUtente(const SezioneUtente& s, double gM0, double MEd,
                                            const Separatori& sep, bool* verificata) {
    std::vector<std::string> t;
    if (verificata) *verificata = true;
    if (!s.Presente || !(gM0 > 0)) return t;
    const double Mel = s.Wel * s.fy / gM0, Mpl = s.Wpl * s.fy / gM0;
    const auto kNm = [&](double v) { return Decimali(v / 1000, 2, sep) + " kN·m"; };
    t.push_back("Sezione della finestra delle proprietà (" + s.Materiale + ", fy = " +
                Decimali(s.fy / 1e6, 1, sep) + " N/mm², γM0 = " + Decimali(gM0, 2, sep) +
                "): Wel = " + Decimali(s.Wel * 1e6, 1, sep) +
                " cm³, Wpl = " + Decimali(s.Wpl * 1e6, 1, sep) + " cm³");
    t.push_back("Mel,Rd = Wel·fy/γM0 = " + kNm(Mel) + ", Mpl,Rd = Wpl·fy/γM0 = " + kNm(Mpl));
    if (MEd >= 0) {
        const double up = MEd / Mpl, ue = MEd / Mel;
        const auto esito = [](double u) { return u > 1 ? "non verificata" : "verificata"; };
        t.push_back("|MEd| = " + kNm(MEd) + ": |MEd|/Mpl,Rd = " + Decimali(up, 3, sep) + " - " +
                    esito(up) + " (classe 1 o 2); |MEd|/Mel,Rd = " + Decimali(ue, 3, sep) + " - " +
                    esito(ue) + " (classe 3)");
        if (verificata) *verificata = up <= 1;
    }
    t.push_back(TestoSoloCatalogo);
    return t;
}

void DisegnaFormaSvergolamento(Tela& t, const FiguraSvergolamento& f) {
    if (!f.Presente || f.x.size() < 2 || !(f.xb > f.xa)) return;
    t.ScalaDefault();
    const double W = t.LarghezzaDispositivo(), H = t.AltezzaDispositivo();
    t.NomeFont("Arial");
    t.DimensioneFont(9);
    t.Colore(Rgb::Nero);
    t.SpessorePenna(1);
    const double hT = t.AltezzaTesto(f.Didascalia);
    t.Testo(8, 4, f.Didascalia);
    // The band of the drawing: below the caption, above the end abscissae.
    const double sopra = 4 + hT + 10, sotto = H - hT - 10;
    if (!(sotto - sopra > 40)) return;
    // The curve fills the band, the axis where w = 0 falls.
    double wMin = 0, wMax = 0;
    for (double w : f.w) {
        wMin = std::min(wMin, w);
        wMax = std::max(wMax, w);
    }
    const double A = (sotto - sopra - 24) / (wMax - wMin), yc = sopra + 12 + wMax * A;
    const double m = 24, L = f.xb - f.xa;
    const auto X = [&](double x) { return m + (x - f.xa) / L * (W - 2 * m); };
    // The axis: the analysed length grey, the governing length black.
    t.Colore(Rgb::Grigio);
    t.Linea(X(f.xa), yc, X(f.xb), yc);
    t.Colore(Rgb::Nero);
    t.SpessorePenna(2);
    t.Linea(X(f.x0), yc, X(f.x1), yc);
    // Forks: a short bar across the axis, caps at its ends; a fixed end: a
    // wall with its hatching.
    t.Colore(Rgb::BluNotte);
    for (double x : f.Forcelle) {
        const double c = X(x);
        t.Linea(c, yc - 12, c, yc + 12);
        t.Linea(c - 4, yc - 12, c + 4, yc - 12);
        t.Linea(c - 4, yc + 12, c + 4, yc + 12);
    }
    t.SpessorePenna(1);
    for (double x : f.Incastri) {
        const double c = X(x), verso = x <= f.xa ? -1 : 1;
        t.SpessorePenna(2);
        t.Linea(c, sopra, c, sotto);
        t.SpessorePenna(1);
        for (double y = sopra; y < sotto; y += 6)
            t.Linea(c, y + 6, c + verso * 6, y);
    }
    // The flange's lateral displacement.
    t.Colore(Rgb::Rosso);
    t.SpessorePenna(2);
    for (size_t i = 0; i + 1 < f.x.size(); ++i)
        t.Linea(X(f.x[i]), yc - A * f.w[i], X(f.x[i + 1]), yc - A * f.w[i + 1]);
    t.SpessorePenna(1);
    t.Colore(Rgb::Nero);
    t.Testo(X(f.xa), sotto + 4, f.TestoInizio);
    t.Testo(X(f.xb) - t.LarghezzaTesto(f.TestoFine), sotto + 4, f.TestoFine);
}

VistaVerifiche ComponiVerifiche(const ModuloZelvo& m, const CatalogoProfili& cat,
                                const Separatori& sep) {
    VistaVerifiche w;
    w.Risultato = EseguiVerifiche(m, cat);
    w.Motivo = w.Risultato.Motivo;
    w.Base = m.Combinazioni.Calcolato ? TestoBaseInviluppo : TestoBaseCalcolo;
    if (!w.Motivo.empty()) return w;
    const EsitoVerificaAcciaio& e = w.Risultato.Esito;
    const auto kNm = [&](double v) { return Decimali(v / 1000, 2, sep) + " kN·m"; };
    const auto kN = [&](double v) { return Decimali(v / 1000, 2, sep) + " kN"; };
    std::vector<std::pair<int, double>> frecce; // span, utilisation of a deflection check
    const auto riga = [&](const std::string& campata, const char* controllo, std::string azione,
                          std::string resistenza, double u) {
        w.Righe.push_back({campata, controllo, std::move(azione), std::move(resistenza), u,
                           Decimali(u, 3, sep), u > 1, u > 1 ? "non verificata" : "verificata",
                           std::to_string(e.Sezione.Classe)});
    };
    for (size_t i = 0; i < e.Tratti.size(); ++i) {
        const EsitoTrattoAcciaio& t = e.Tratti[i];
        const std::string c =
            std::to_string(i + 1) + (t.Tipo == TipoTratto::Campata ? "" : " (sbalzo)");
        riga(c, "Flessione", "MEd = " + kNm(t.MEd), "Mc,Rd = " + kNm(e.Sezione.McRd),
             e.Sezione.McRd > 0 ? t.MEd / e.Sezione.McRd : 0);
        riga(c, "Taglio", "VEd = " + kN(t.VEd), "Vc,Rd = " + kN(e.Sezione.VcRd), t.UtilizzoTaglio);
        if (t.InterazioneMV)
            riga(c, "Flessione e taglio", "MEd = " + kNm(t.MEdMV), "MV,Rd = " + kNm(t.MVRd),
                 t.UtilizzoFlessione);
        const SegmentoAcciaio* s = nullptr;
        for (const auto& g : t.Segmenti)
            if (!s || g.Utilizzo > s->Utilizzo) s = &g;
        if (s)
            riga(c, "Svergolamento", "MEd = " + kNm(s->MEd), "Mb,Rd = " + kNm(s->MbRd),
                 s->Utilizzo);
        // The span's deflection checks of the combinations (characteristic
        // and variable loads alone), utilisation f/(L/limit).
        if (!m.Combinazioni.Calcolato) continue;
        for (const VerificaFreccia& vf : m.Combinazioni.Frecce) {
            if (vf.Campata != static_cast<int>(i) || !(vf.L > 0)) continue;
            const auto mm = [&](double v) { return Decimali(v * 1000, 2, sep) + " mm"; };
            const auto limite = [&](double n) {
                return "L/" + Decimali(n, 0, sep) + " = " + mm(vf.L / n);
            };
            for (const auto& [nome, f, n] : {std::tuple{"Freccia", vf.f, vf.Limite},
                                             {"Freccia variabili", vf.f2, vf.Limite2}}) {
                if (!(n > 0)) continue;
                riga(c, nome,
                     std::string(nome == std::string("Freccia") ? "f = " : "f2 = ") + mm(f),
                     limite(n), f * n / vf.L);
                w.Righe.back().Classe.clear();
                frecce.push_back({static_cast<int>(i), w.Righe.back().Utilizzo});
            }
        }
    }
    w.Figura = ComponiFigura(m, cat, e, sep);
    // The governing check: the largest utilisation of the strength checks
    // and of the deflections.
    int campata = e.TrattoGovernante;
    std::string controllo = NomeControlloAcciaio(e.Governo);
    double utilizzo = e.Utilizzo;
    bool verificata = e.Verificata;
    for (const auto& [i, u] : frecce) {
        if (campata < 0 || u > utilizzo) campata = i, controllo = "Freccia", utilizzo = u;
        verificata = verificata && u <= 1;
    }
    if (campata >= 0)
        w.Governo = "Governa la campata " + std::to_string(campata + 1) + ": " + controllo +
                    ", utilizzo " + Decimali(utilizzo, 3, sep) + " - " +
                    (verificata ? "verificata" : "non verificata");
    return w;
}

void ModelloVerifiche::Aggiorna() {
    VistaVerifiche w = ComponiVerifiche(m_, cat_, sep_);
    // Results that are not the problem's give no checks (a reason that comes
    // before them, no profile or a foundation, stays).
    if (Attualita && (w.Motivo.empty() || w.Motivo == TestoNonCalcolato))
        if (std::string a = Attualita(); !a.empty()) {
            const std::string base = w.Base;
            w = {};
            w.Motivo = std::move(a);
            w.Base = base;
            w.Risultato.Motivo = w.Motivo;
        }
    Motivo = std::move(w.Motivo);
    Base = std::move(w.Base);
    Governo = std::move(w.Governo);
    TestiSezione.clear();
    SezioneVerificata = true;
    if (Motivo == TestoNessunProfilo && Sezione) {
        // The largest |M| of results that are the problem's (none: no ratio).
        double MEd = -1;
        const bool attuali = !Attualita || Attualita().empty();
        if (attuali && m_.Risultati.Calcolato && m_.Dati.Vincoli != Fondazione) {
            MEd = std::max(std::fabs(static_cast<double>(m_.Risultati.Mmax)),
                           std::fabs(static_cast<double>(m_.Risultati.Mmin)));
            if (!std::isfinite(MEd)) MEd = -1;
        }
        TestiSezione =
            TestiSezioneUtente(Sezione(), m_.Dati.Verifica.gM0, MEd, sep_, &SezioneVerificata);
    }
    Righe = std::move(w.Righe);
    Figura = std::move(w.Figura);
    Risultato = std::move(w.Risultato);
}

} // namespace zelvo
