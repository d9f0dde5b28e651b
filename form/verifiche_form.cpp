#include "form/verifiche_form.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
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
    std::string t;
    const auto chiudi = [&]() {
        if (t.empty()) return true;
        std::string s = t;
        t.clear();
        if (!sep_.decimale.empty() && sep_.decimale != ".")
            for (size_t k = s.find(sep_.decimale); k != std::string::npos;
                 k = s.find(sep_.decimale, k + 1))
                s.replace(k, sep_.decimale.size(), ".");
        double v = 0;
        if (LeggiMacchina(s, v) != EsitoLettura::Letto ||
            !(v >= 0 && v <= static_cast<double>(m_.Dati.Luce)))
            return false;
        x.push_back(v);
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
    m_.Dati.Verifica.xRitegni = x;
    Aggiorna();
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
    const auto riga = [&](const std::string& campata, const char* controllo, std::string azione,
                          std::string resistenza, double u) {
        w.Righe.push_back({campata, controllo, std::move(azione), std::move(resistenza), u,
                           Decimali(u, 3, sep), u > 1, u > 1 ? "non verificata" : "verificata"});
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
    }
    if (e.TrattoGovernante >= 0)
        w.Governo = "Governa la campata " + std::to_string(e.TrattoGovernante + 1) + ": " +
                    NomeControlloAcciaio(e.Governo) + ", utilizzo " + Decimali(e.Utilizzo, 3, sep) +
                    " - " + (e.Verificata ? "verificata" : "non verificata");
    return w;
}

void ModelloVerifiche::Aggiorna() {
    VistaVerifiche w = ComponiVerifiche(m_, cat_, sep_);
    Motivo = std::move(w.Motivo);
    Base = std::move(w.Base);
    Governo = std::move(w.Governo);
    Righe = std::move(w.Righe);
    Risultato = std::move(w.Risultato);
}

} // namespace zelvo
