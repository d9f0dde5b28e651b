#include "app/json_zelvo.h"

#include "form/relazione.h"
#include "form/verifiche_form.h"
#include "io/numeri.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace zelvo {

using nlohmann::json;

double SingoloPerJson(float v) {
    double d = 0;
    LeggiMacchina(TestoBreve(v), d);
    return d;
}

namespace {

json Singolo(float v) {
    if (!std::isfinite(v)) return nullptr;
    return SingoloPerJson(v);
}
json Singolo(const std::optional<float>& v) {
    return v ? Singolo(*v) : json(nullptr);
}
json Doppio(double v) {
    if (!std::isfinite(v)) return nullptr;
    return v;
}

} // namespace

json JsonProblema(const DatiTrave& d) {
    json j;
    j["Titolo"] = d.Titolo;
    j["Luce"] = Singolo(d.Luce);
    j["E"] = Singolo(d.E);
    j["J"] = Singolo(d.J);
    j["Vincoli"] = d.Vincoli;
    j["NSezioni"] = d.NSezioni;
    j["AscissaX"] = Singolo(d.AscissaX);
    j["DistanzeParziali"] = d.DistanzeParziali;
    j["NTrapezi"] = d.NTrapezi;
    j["NConcentrati"] = d.NConcentrati;
    j["NCoppie"] = d.NCoppie;
    // The tables as the counts say (rows beyond the count are not part of
    // the problem).
    json t = json::array();
    for (int i = 1; i <= d.NTrapezi && i <= d.CarichiTrapezi.Conta(); ++i) {
        const auto& c = d.CarichiTrapezi(i);
        t.push_back({{"q1", Singolo(c.q1)},
                     {"q2", Singolo(c.q2)},
                     {"d1", Singolo(c.d1)},
                     {"d2", Singolo(c.d2)}});
    }
    j["CarichiTrapezi"] = t;
    json c = json::array();
    for (int i = 1; i <= d.NConcentrati && i <= d.CarichiConcentrati.Conta(); ++i) {
        const auto& r = d.CarichiConcentrati(i);
        c.push_back({{"F", Singolo(r.F)}, {"d", Singolo(r.d)}});
    }
    j["CarichiConcentrati"] = c;
    json w = json::array();
    for (int i = 1; i <= d.NCoppie && i <= d.Coppie.Conta(); ++i) {
        const auto& r = d.Coppie(i);
        w.push_back({{"W", Singolo(r.W)}, {"d", Singolo(r.d)}});
    }
    j["Coppie"] = w;
    j["K"] = Doppio(d.K);
    j["b"] = Doppio(d.b);
    j["NDivisioni"] = d.NDivisioni;
    j["Winkler"] = d.Winkler;
    j["ReagTraz"] = d.ReagTraz;
    if (d.Vincoli == Continua) {
        json campate = json::array(), appoggi = json::array();
        for (const auto& c : d.Campate)
            campate.push_back({{"L", Doppio(c.L)}, {"J", Doppio(c.J)}});
        for (const auto& a : d.Appoggi)
            appoggi.push_back({{"Tipo", TipoAppoggioJson(a.Tipo)},
                               {"k", Doppio(a.k)},
                               {"Cedimento", Doppio(a.Cedimento)}});
        j["Campate"] = campate;
        j["Appoggi"] = appoggi;
    }
    if (d.Verifica.Attiva) j["Verifica"] = JsonDatiVerifica(d.Verifica);
    return j;
}

namespace {

const char* NomeQuotaJson(DatiVerifica::TipoQuota q) {
    switch (q) {
    case DatiVerifica::TipoQuota::Baricentro:
        return "baricentro";
    case DatiVerifica::TipoQuota::Inferiore:
        return "inferiore";
    case DatiVerifica::TipoQuota::Superiore:
        break;
    }
    return "superiore";
}

} // namespace

json JsonDatiVerifica(const DatiVerifica& v) {
    json j;
    j["Profilo"] = v.Profilo;
    j["Acciaio"] = v.Acciaio;
    j["gM0"] = Doppio(v.gM0);
    j["gM1"] = Doppio(v.gM1);
    if (v.Ritegno == DatiVerifica::TipoRitegno::Continui) {
        j["Ritegni"] = "continui";
    } else {
        json r = json::array();
        if (v.Ritegno == DatiVerifica::TipoRitegno::Puntuali)
            for (double x : v.xRitegni)
                r.push_back(Doppio(x));
        j["Ritegni"] = r;
    }
    j["QuotaCarico"] = NomeQuotaJson(v.Quota);
    return j;
}

std::string TipoAppoggioJson(TipoAppoggio t) {
    // the support's name as the report writes it, in lower case
    std::string n = NomeAppoggio(t);
    std::transform(n.begin(), n.end(), n.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return n;
}

namespace {

// Reading of one object: each key read once, the rest refused.
class LettoreJson {
  public:
    LettoreJson(const json& j, std::string percorso) : j_(j), percorso_(std::move(percorso)) {
        if (!j_.is_object()) Errore(percorso_, "must be an object");
    }
    [[noreturn]] static void Errore(const std::string& chiave, const std::string& perche) {
        throw ErroreJson(chiave + ": " + perche);
    }
    std::string Nome(const std::string& k) const { return percorso_ + "." + k; }
    const json* Trova(const std::string& k) {
        letti_.push_back(k);
        const auto it = j_.find(k);
        return it == j_.end() ? nullptr : &*it;
    }
    void Numero(const std::string& k, double& v) {
        if (const json* x = Trova(k)) v = Doppio(*x, Nome(k));
    }
    void Singolo(const std::string& k, float& v) {
        if (const json* x = Trova(k)) v = SingoloDa(*x, Nome(k));
    }
    void Intero(const std::string& k, int16_t& v, int minimo, int massimo) {
        if (const json* x = Trova(k))
            v = static_cast<int16_t>(InteroDa(*x, Nome(k), minimo, massimo));
    }
    void Logico(const std::string& k, bool& v) {
        if (const json* x = Trova(k)) {
            if (!x->is_boolean()) Errore(Nome(k), "must be true or false");
            v = x->get<bool>();
        }
    }
    void Testo(const std::string& k, std::string& v) {
        if (const json* x = Trova(k)) {
            if (!x->is_string()) Errore(Nome(k), "must be a string");
            v = x->get<std::string>();
        }
    }
    // The keys not read are unknown.
    void Fine() const {
        for (auto it = j_.begin(); it != j_.end(); ++it)
            if (std::find(letti_.begin(), letti_.end(), it.key()) == letti_.end())
                Errore(Nome(it.key()), "unknown key");
    }

    static double Doppio(const json& x, const std::string& nome) {
        if (!x.is_number()) Errore(nome, "must be a number");
        const double v = x.get<double>();
        if (!std::isfinite(v)) Errore(nome, "out of range (not a finite number)");
        return v;
    }
    static float SingoloDa(const json& x, const std::string& nome) {
        const double v = Doppio(x, nome);
        if (std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max()))
            Errore(nome, "out of range (beyond a single-precision number)");
        return static_cast<float>(v);
    }
    static int InteroDa(const json& x, const std::string& nome, int minimo, int massimo) {
        if (!x.is_number_integer()) Errore(nome, "must be an integer");
        const auto v = x.get<long long>();
        if (x.is_number_unsigned() && x.get<unsigned long long>() > 32767ULL)
            Errore(nome, "out of range (" + std::to_string(minimo) + " to " +
                             std::to_string(massimo) + ")");
        if (v < minimo || v > massimo)
            Errore(nome, "out of range (" + std::to_string(minimo) + " to " +
                             std::to_string(massimo) + ")");
        return static_cast<int>(v);
    }

  private:
    const json& j_;
    std::string percorso_;
    std::vector<std::string> letti_;
};

// A table: an array of objects, each read by `riga`.
template <class F> size_t Righe(LettoreJson& l, const std::string& k, F riga) {
    const json* a = l.Trova(k);
    if (!a) return 0;
    if (!a->is_array()) LettoreJson::Errore(l.Nome(k), "must be an array");
    if (a->size() > 32767) LettoreJson::Errore(l.Nome(k), "out of range (more than 32767 rows)");
    for (size_t i = 0; i < a->size(); ++i) {
        LettoreJson r((*a)[i], l.Nome(k) + "[" + std::to_string(i) + "]");
        riga(r);
        r.Fine();
    }
    return a->size();
}

// "Verifica": the steel member check; its presence makes the check part of
// the problem.
void LeggiVerifica(LettoreJson& l, DatiTrave& d) {
    const json* j = l.Trova("Verifica");
    if (!j) return;
    LettoreJson r(*j, l.Nome("Verifica"));
    DatiVerifica v;
    v.Attiva = true;
    r.Testo("Profilo", v.Profilo);
    if (ChiaveProfilo(v.Profilo).empty()) LettoreJson::Errore(r.Nome("Profilo"), "missing");
    {
        // A name the catalogue does not hold is refused (when the catalogue
        // can be read at all).
        CatalogoProfili cat;
        if (cat.Carica() && !cat.Cerca(v.Profilo))
            LettoreJson::Errore(r.Nome("Profilo"), "out of range (not in the profile catalogue)");
    }
    r.Testo("Acciaio", v.Acciaio);
    if (!CercaAcciaio(v.Acciaio))
        LettoreJson::Errore(r.Nome("Acciaio"), "out of range (\"S235\", \"S275\" or \"S355\")");
    for (auto [k, g] : {std::pair{"gM0", &v.gM0}, {"gM1", &v.gM1}}) {
        r.Numero(k, *g);
        if (!(*g >= 1 && *g <= 2)) LettoreJson::Errore(r.Nome(k), "out of range (1 to 2)");
    }
    if (const json* x = r.Trova("Ritegni")) {
        const std::string nome = r.Nome("Ritegni");
        if (x->is_string() && x->get<std::string>() == "continui") {
            v.Ritegno = DatiVerifica::TipoRitegno::Continui;
        } else if (x->is_array()) {
            for (size_t i = 0; i < x->size(); ++i) {
                const std::string ni = nome + "[" + std::to_string(i) + "]";
                const double a = LettoreJson::Doppio((*x)[i], ni);
                if (a < 0 || a > static_cast<double>(d.Luce))
                    LettoreJson::Errore(ni, "out of range (0 to the beam's length)");
                v.xRitegni.push_back(a);
            }
            std::sort(v.xRitegni.begin(), v.xRitegni.end());
            if (!v.xRitegni.empty()) v.Ritegno = DatiVerifica::TipoRitegno::Puntuali;
        } else {
            LettoreJson::Errore(nome, "must be an array of abscissae or \"continui\"");
        }
    }
    std::string quota = "superiore";
    r.Testo("QuotaCarico", quota);
    bool nota = false;
    for (auto q : {DatiVerifica::TipoQuota::Superiore, DatiVerifica::TipoQuota::Baricentro,
                   DatiVerifica::TipoQuota::Inferiore})
        if (quota == NomeQuotaJson(q)) {
            v.Quota = q;
            nota = true;
        }
    if (!nota)
        LettoreJson::Errore(r.Nome("QuotaCarico"),
                            "out of range (\"superiore\", \"baricentro\" or \"inferiore\")");
    r.Fine();
    d.Verifica = v;
}

} // namespace

ProblemaJson ProblemaDaJson(const json& problema) {
    ProblemaJson p;
    DatiTrave& d = p.Dati;
    LettoreJson l(problema, "problem");
    l.Testo("Titolo", d.Titolo);
    l.Singolo("Luce", d.Luce);
    l.Singolo("E", d.E);
    l.Singolo("J", d.J);
    l.Intero("Vincoli", d.Vincoli, AppoggioAppoggio, Continua);
    l.Intero("NSezioni", p.NSezioni, 1, 32767);
    d.NSezioni = p.NSezioni;
    l.Singolo("AscissaX", d.AscissaX);
    l.Logico("DistanzeParziali", d.DistanzeParziali);
    const int16_t nessuno = -1;
    int16_t nt = nessuno, nc = nessuno, nw = nessuno;
    l.Intero("NTrapezi", nt, 0, 32767);
    l.Intero("NConcentrati", nc, 0, 32767);
    l.Intero("NCoppie", nw, 0, 32767);
    std::vector<CaricoTrapezio> trapezi;
    std::vector<CaricoConcentrato> forze;
    std::vector<CaricoCoppia> coppie;
    const bool tt =
        Righe(l, "CarichiTrapezi",
              [&](LettoreJson& r) {
                  CaricoTrapezio c;
                  for (auto [k, v] :
                       {std::pair{"q1", &c.q1}, {"q2", &c.q2}, {"d1", &c.d1}, {"d2", &c.d2}}) {
                      if (!r.Trova(k)) LettoreJson::Errore(r.Nome(k), "missing");
                      r.Singolo(k, *v);
                  }
                  trapezi.push_back(c);
              }) > 0 ||
        problema.contains("CarichiTrapezi");
    const bool tf = Righe(l, "CarichiConcentrati",
                          [&](LettoreJson& r) {
                              CaricoConcentrato c;
                              for (auto [k, v] : {std::pair{"F", &c.F}, {"d", &c.d}}) {
                                  if (!r.Trova(k)) LettoreJson::Errore(r.Nome(k), "missing");
                                  r.Singolo(k, *v);
                              }
                              forze.push_back(c);
                          }) > 0 ||
                    problema.contains("CarichiConcentrati");
    const bool tw = Righe(l, "Coppie",
                          [&](LettoreJson& r) {
                              CaricoCoppia c;
                              for (auto [k, v] : {std::pair{"W", &c.W}, {"d", &c.d}}) {
                                  if (!r.Trova(k)) LettoreJson::Errore(r.Nome(k), "missing");
                                  r.Singolo(k, *v);
                              }
                              coppie.push_back(c);
                          }) > 0 ||
                    problema.contains("Coppie");
    // A count and its table agree; either alone gives the other.
    const auto conta = [&](const char* k, int16_t n, bool tabella, size_t righe) -> int16_t {
        if (n != nessuno && tabella && static_cast<size_t>(n) != righe)
            LettoreJson::Errore(l.Nome(k),
                                "out of range (the table has " + std::to_string(righe) + " rows)");
        if (n != nessuno && !tabella && n != 0)
            LettoreJson::Errore(l.Nome(k), "out of range (the table is missing)");
        return static_cast<int16_t>(righe);
    };
    d.NTrapezi = conta("NTrapezi", nt, tt, trapezi.size());
    d.NConcentrati = conta("NConcentrati", nc, tf, forze.size());
    d.NCoppie = conta("NCoppie", nw, tw, coppie.size());
    d.CarichiTrapezi.Ridimensiona(d.NTrapezi);
    for (int i = 1; i <= d.NTrapezi; ++i)
        d.CarichiTrapezi(i) = trapezi[static_cast<size_t>(i - 1)];
    d.CarichiConcentrati.Ridimensiona(d.NConcentrati);
    for (int i = 1; i <= d.NConcentrati; ++i)
        d.CarichiConcentrati(i) = forze[static_cast<size_t>(i - 1)];
    d.Coppie.Ridimensiona(d.NCoppie);
    for (int i = 1; i <= d.NCoppie; ++i)
        d.Coppie(i) = coppie[static_cast<size_t>(i - 1)];
    l.Numero("K", d.K);
    l.Numero("b", d.b);
    l.Intero("NDivisioni", d.NDivisioni, 0, 32767);
    l.Logico("Winkler", d.Winkler);
    l.Logico("ReagTraz", d.ReagTraz);

    const bool continua = d.Vincoli == Continua;
    for (const char* k : {"Campate", "Appoggi"})
        if (!continua && problema.contains(k))
            LettoreJson::Errore(l.Nome(k), "out of range (only with Vincoli 5)");
    Righe(l, "Campate", [&](LettoreJson& r) {
        CampataContinua c;
        for (auto [k, v] : {std::pair{"L", &c.L}, {"J", &c.J}}) {
            if (!r.Trova(k)) LettoreJson::Errore(r.Nome(k), "missing");
            r.Numero(k, *v);
        }
        d.Campate.push_back(c);
    });
    Righe(l, "Appoggi", [&](LettoreJson& r) {
        AppoggioContinuo a;
        std::string tipo;
        if (!r.Trova("Tipo")) LettoreJson::Errore(r.Nome("Tipo"), "missing");
        r.Testo("Tipo", tipo);
        bool noto = false;
        for (auto t : {TipoAppoggio::Incastro, TipoAppoggio::Appoggio, TipoAppoggio::Molla,
                       TipoAppoggio::Libero})
            if (tipo == TipoAppoggioJson(t)) {
                a.Tipo = t;
                noto = true;
            }
        if (!noto)
            LettoreJson::Errore(
                r.Nome("Tipo"),
                "out of range (\"incastro\", \"appoggio\", \"molla\" or \"libero\")");
        r.Numero("k", a.k);
        r.Numero("Cedimento", a.Cedimento);
        d.Appoggi.push_back(a);
    });
    if (continua) {
        // The beam's length is the sum of its spans.
        const double L = LuceContinua(d);
        if (std::isfinite(L) &&
            std::fabs(L) <= static_cast<double>(std::numeric_limits<float>::max()))
            d.Luce = static_cast<float>(L);
    }
    LeggiVerifica(l, d);
    l.Fine();
    return p;
}

json JsonRisultati(const RisultatiTrave& r, const RisultatiContinua* continua) {
    json j;
    j["NPunti"] = r.NPunti;
    const int n = r.NPunti;
    json x = json::array(), m = json::array(), v = json::array(), f = json::array();
    for (int i = 1; i <= n && i <= r.x.Conta(); ++i)
        x.push_back(Doppio(r.x(i)));
    for (int i = 1; i <= n && i <= r.M.Conta(); ++i)
        m.push_back(Singolo(r.M(i)));
    for (int i = 1; i <= n && i <= r.V.Conta(); ++i)
        v.push_back(Singolo(r.V(i)));
    for (int i = 1; i <= n && i <= r.f.Conta(); ++i)
        f.push_back(Singolo(r.f(i)));
    j["x"] = x;
    j["M"] = m;
    j["V"] = v;
    j["f"] = f;
    j["RotA"] = Doppio(r.RotA);
    j["RotB"] = Doppio(r.RotB);
    j["RA0"] = Doppio(r.RA0);
    j["RB0"] = Doppio(r.RB0);
    j["MA"] = Doppio(r.MA);
    j["MB"] = Doppio(r.MB);
    j["RA"] = Doppio(r.RA);
    j["RB"] = Doppio(r.RB);
    j["Mmax"] = Singolo(r.Mmax);
    j["xMmax"] = Singolo(r.xMmax);
    j["Mmin"] = Singolo(r.Mmin);
    j["xMmin"] = Singolo(r.xMmin);
    j["Tmax"] = Singolo(r.Tmax);
    j["Tmin"] = Singolo(r.Tmin);
    j["Vmax"] = Singolo(r.Vmax);
    j["xVmax"] = Singolo(r.xVmax);
    j["xTmin"] = Singolo(r.xTmin);
    j["fmax"] = Singolo(r.fmax);
    j["xfmax"] = Singolo(r.xfmax);
    j["fMaxGiu"] = Singolo(r.fMaxGiu);
    j["xfMaxGiu"] = Singolo(r.xfMaxGiu);
    j["Mx"] = Singolo(r.Mx);
    j["Vx"] = Singolo(r.Vx);
    j["fx"] = Singolo(r.fx);
    j["Sigmax"] = Singolo(r.Sigmax);
    j["qSuoloA"] = Singolo(r.qSuoloA);
    j["qSuoloB"] = Singolo(r.qSuoloB);
    j["xContattoIniz"] = Singolo(r.xContattoIniz);
    j["xContattoFine"] = Singolo(r.xContattoFine);
    json molle = json::array();
    for (int i = 1; i <= r.Molle.Conta(); ++i)
        molle.push_back(json::array({Doppio(r.Molle(i).F), Doppio(r.Molle(i).d)}));
    j["Molle"] = molle;
    if (continua && continua->Calcolato()) {
        json appoggi = json::array(), campate = json::array();
        for (const auto& a : continua->Appoggi)
            appoggi.push_back({{"x", Doppio(a.x)},
                               {"R", Doppio(a.Reazione)},
                               {"M", Doppio(a.Momento)},
                               {"Rot", Doppio(a.Rotazione)},
                               {"w", Doppio(a.Spostamento)}});
        for (const auto& c : continua->Campate)
            campate.push_back({{"Mmax", Doppio(c.Mmax)},
                               {"xMmax", Doppio(c.xMmax)},
                               {"Mmin", Doppio(c.Mmin)},
                               {"xMmin", Doppio(c.xMmin)},
                               {"Vmax", Doppio(c.Vmax)},
                               {"fmax", Doppio(c.fMaxGiu)},
                               {"xfmax", Doppio(c.xfMaxGiu)}});
        j["Appoggi"] = appoggi;
        j["Campate"] = campate;
    }
    return j;
}

json JsonVerifiche(const RisultatoVerifiche& r) {
    json j;
    j["Base"] = r.TestoBase;
    j["Motivo"] = r.Motivo.empty() ? json(nullptr) : json(r.Motivo);
    const EsitoVerificaAcciaio& e = r.Esito;
    json v = json::array();
    if (r.Motivo.empty())
        for (size_t i = 0; i < e.Tratti.size(); ++i) {
            const EsitoTrattoAcciaio& t = e.Tratti[i];
            json c;
            c["Campata"] = i + 1;
            c["Tipo"] = t.Tipo == TipoTratto::Campata ? "campata" : "sbalzo";
            c["x0"] = Doppio(t.x0);
            c["x1"] = Doppio(t.x1);
            const size_t k = i < r.Situazione.size() ? static_cast<size_t>(r.Situazione[i]) : 0;
            c["Situazione"] = k < r.NomiSituazioni.size() ? r.NomiSituazioni[k] : "";
            c["Classe"] = e.Sezione.Classe;
            c["MEd"] = Doppio(t.MEd);
            c["xM"] = Doppio(t.xM);
            c["McRd"] = Doppio(e.Sezione.McRd);
            c["VEd"] = Doppio(t.VEd);
            c["xV"] = Doppio(t.xV);
            c["VcRd"] = Doppio(e.Sezione.VcRd);
            c["MVRd"] = Doppio(t.MVRd);
            // The length between restraints that governs buckling.
            const SegmentoAcciaio* s = nullptr;
            for (const auto& g : t.Segmenti)
                if (!s || g.Utilizzo > s->Utilizzo) s = &g;
            c["Mcr"] = s ? Doppio(s->Mcr) : json(nullptr);
            c["lambdaLT"] = s ? Doppio(s->Riduzione.lambdaLT) : json(nullptr);
            c["chiLT"] = s ? Doppio(s->Riduzione.chiLTmod) : json(nullptr);
            c["MbRd"] = s ? Doppio(s->MbRd) : json(nullptr);
            c["Utilizzo"] = {{"Flessione", Doppio(e.Sezione.McRd > 0 ? t.MEd / e.Sezione.McRd : 0)},
                             {"Taglio", Doppio(t.UtilizzoTaglio)},
                             {"FlessioneTaglio", Doppio(t.UtilizzoFlessione)},
                             {"Svergolamento", Doppio(t.UtilizzoSvergolamento)},
                             {"Totale", Doppio(t.Utilizzo)}};
            c["Governo"] = NomeControlloAcciaio(t.Governo);
            c["Verificata"] = t.Verificata;
            v.push_back(c);
        }
    j["Verifiche"] = v;
    if (r.Motivo.empty() && e.TrattoGovernante >= 0)
        j["Governo"] = {{"Campata", e.TrattoGovernante + 1},
                        {"Controllo", NomeControlloAcciaio(e.Governo)},
                        {"Utilizzo", Doppio(e.Utilizzo)}};
    else
        j["Governo"] = nullptr;
    j["Verificata"] = r.Motivo.empty() && e.Verificata;
    return j;
}

json JsonFondazione(const RiepilogoFondazione& s) {
    return {{"SigmaA", Singolo(s.SigmaA)},
            {"SigmaB", Singolo(s.SigmaB)},
            {"M", Singolo(s.M)},
            {"xM", Singolo(s.xM)},
            {"SigmaMax", Singolo(s.SigmaMax)},
            {"xSigmaMax", Singolo(s.xSigmaMax)}};
}

namespace {

void Scrivi(const json& j, std::string& out) {
    switch (j.type()) {
    case json::value_t::object: {
        out.push_back('{');
        bool primo = true;
        for (auto it = j.begin(); it != j.end(); ++it) {
            if (!primo) out.push_back(',');
            primo = false;
            out += json(it.key()).dump(-1, ' ', false, json::error_handler_t::replace);
            out.push_back(':');
            Scrivi(it.value(), out);
        }
        out.push_back('}');
        break;
    }
    case json::value_t::array: {
        out.push_back('[');
        bool primo = true;
        for (const auto& e : j) {
            if (!primo) out.push_back(',');
            primo = false;
            Scrivi(e, out);
        }
        out.push_back(']');
        break;
    }
    case json::value_t::number_float: {
        const double v = j.get<double>();
        if (!std::isfinite(v)) {
            out += "null";
            break;
        }
        std::string t = TestoBreve(v);
        if (t.find_first_of(".e") == std::string::npos) t += ".0";
        out += t;
        break;
    }
    default:
        out += j.dump(-1, ' ', false, json::error_handler_t::replace);
        break;
    }
}

} // namespace

std::string TestoJson(const json& j) {
    std::string out;
    Scrivi(j, out);
    return out;
}

} // namespace zelvo
