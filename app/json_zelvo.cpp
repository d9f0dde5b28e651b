#include "app/json_zelvo.h"

#include "core/combinazioni.h"
#include "form/file_progetto.h"
#include "form/relazione.h"
#include "io/numeri.h"

#include <algorithm>
#include <array>
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

// The names of the variable actions' categories, by CategoriaQ.
constexpr const char* NomiCategoria[] = {"A",
                                         "B",
                                         "C",
                                         "D",
                                         "E",
                                         "F",
                                         "G",
                                         "H",
                                         "I",
                                         "K",
                                         "Vento",
                                         "NeveSotto1000",
                                         "NeveSopra1000",
                                         "Temperatura",
                                         "Personalizzata"};
constexpr int NumeroCategorie = static_cast<int>(CategoriaQ::Personalizzata) + 1;

} // namespace

std::string CategoriaJson(CategoriaQ c) {
    const int i = static_cast<int>(c);
    return i >= 0 && i < NumeroCategorie ? NomiCategoria[i] : "";
}

json JsonCasi(const std::vector<CasoCarico>& casi) {
    json a = json::array();
    for (const auto& c : casi) {
        json x = {{"Nome", c.Nome}, {"Tipo", NomeTipoCaso(c.Tipo)}};
        if (c.Tipo == TipoCaso::Q) {
            x["Categoria"] = CategoriaJson(c.Categoria);
            x["psi0"] = Doppio(c.psi0);
            x["psi1"] = Doppio(c.psi1);
            x["psi2"] = Doppio(c.psi2);
        }
        a.push_back(x);
    }
    return a;
}

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
    // With load cases each row names its case.
    const bool casi = ConCasiCarico(d);
    json t = json::array();
    for (int i = 1; i <= d.NTrapezi && i <= d.CarichiTrapezi.Conta(); ++i) {
        const auto& c = d.CarichiTrapezi(i);
        t.push_back({{"q1", Singolo(c.q1)},
                     {"q2", Singolo(c.q2)},
                     {"d1", Singolo(c.d1)},
                     {"d2", Singolo(c.d2)}});
        if (casi) t.back()["Caso"] = c.Caso;
    }
    j["CarichiTrapezi"] = t;
    json c = json::array();
    for (int i = 1; i <= d.NConcentrati && i <= d.CarichiConcentrati.Conta(); ++i) {
        const auto& r = d.CarichiConcentrati(i);
        c.push_back({{"F", Singolo(r.F)}, {"d", Singolo(r.d)}});
        if (casi) c.back()["Caso"] = r.Caso;
    }
    j["CarichiConcentrati"] = c;
    json w = json::array();
    for (int i = 1; i <= d.NCoppie && i <= d.Coppie.Conta(); ++i) {
        const auto& r = d.Coppie(i);
        w.push_back({{"W", Singolo(r.W)}, {"d", Singolo(r.d)}});
        if (casi) w.back()["Caso"] = r.Caso;
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
    if (casi) {
        j["Casi"] = JsonCasi(d.Casi);
        const auto coppia = [](const double(&g)[2]) {
            return json::array({Doppio(g[0]), Doppio(g[1])});
        };
        j["Coefficienti"] = {{"gG1", coppia(d.Coefficienti.gG1)},
                             {"gG2", coppia(d.Coefficienti.gG2)},
                             {"gQ", coppia(d.Coefficienti.gQ)}};
        j["LimitiFreccia"] = json::array({Doppio(d.Limiti.Totale), Doppio(d.Limiti.Variabili)});
        j["PesoProprio"] = d.PesoProprio;
        j["PesoProprioQ"] = Doppio(d.PesoProprioQ);
    }
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

// Two numbers [a, b].
std::array<double, 2> Numeri(const json& a, const std::string& nome) {
    if (!a.is_array() || a.size() != 2)
        LettoreJson::Errore(nome, "must be an array of two numbers");
    return {LettoreJson::Doppio(a[0], nome + "[0]"), LettoreJson::Doppio(a[1], nome + "[1]")};
}

// One load case: Nome, Tipo; a variable case's Categoria and its ψ (taken
// from the category's table when left out, equal to it when given; typed
// for I, K and Personalizzata).
CasoCarico CasoDaJson(LettoreJson& r) {
    CasoCarico c;
    r.Testo("Nome", c.Nome);
    std::string tipo;
    if (!r.Trova("Tipo")) LettoreJson::Errore(r.Nome("Tipo"), "missing");
    r.Testo("Tipo", tipo);
    bool noto = false;
    for (auto t : {TipoCaso::G1, TipoCaso::G2, TipoCaso::Q})
        if (tipo == NomeTipoCaso(t)) {
            c.Tipo = t;
            noto = true;
        }
    if (!noto) LettoreJson::Errore(r.Nome("Tipo"), "out of range (\"G1\", \"G2\" or \"Q\")");
    const char* psi[] = {"psi0", "psi1", "psi2"};
    double* valori[] = {&c.psi0, &c.psi1, &c.psi2};
    if (c.Tipo != TipoCaso::Q) {
        for (const char* k : {"Categoria", "psi0", "psi1", "psi2"})
            if (r.Trova(k)) LettoreJson::Errore(r.Nome(k), "out of range (only with Tipo \"Q\")");
        return c;
    }
    std::string categoria;
    if (!r.Trova("Categoria")) LettoreJson::Errore(r.Nome("Categoria"), "missing");
    r.Testo("Categoria", categoria);
    noto = false;
    for (int i = 0; i < NumeroCategorie; ++i)
        if (categoria == NomiCategoria[i]) {
            c.Categoria = static_cast<CategoriaQ>(i);
            noto = true;
        }
    if (!noto)
        LettoreJson::Errore(r.Nome("Categoria"),
                            "out of range (\"A\" to \"K\", \"Vento\", \"NeveSotto1000\", "
                            "\"NeveSopra1000\", \"Temperatura\" or \"Personalizzata\")");
    CoefficientiPsi tabella;
    const bool tabulati = PsiCategoria(c.Categoria, tabella);
    const double dallaTabella[] = {tabella.psi0, tabella.psi1, tabella.psi2};
    for (int i = 0; i < 3; ++i) {
        const json* x = r.Trova(psi[i]);
        if (!x) {
            if (!tabulati)
                LettoreJson::Errore(r.Nome(psi[i]),
                                    "missing (the category " + categoria + " has no table value)");
            *valori[i] = dallaTabella[i];
            continue;
        }
        const double v = LettoreJson::Doppio(*x, r.Nome(psi[i]));
        if (v < 0 || v > 1) LettoreJson::Errore(r.Nome(psi[i]), "out of range (0 to 1)");
        if (tabulati && std::fabs(v - dallaTabella[i]) > 1e-12)
            LettoreJson::Errore(r.Nome(psi[i]), "out of range (the category " + categoria +
                                                    " has " + TestoBreve(dallaTabella[i]) + ")");
        *valori[i] = tabulati ? dallaTabella[i] : v;
    }
    return c;
}

// The partial factors: a preset ("Norma") and the pairs typed over it.
void CoefficientiDaJson(LettoreJson& l, CoefficientiParziali& g) {
    const json* o = l.Trova("Coefficienti");
    if (!o) return;
    LettoreJson r(*o, l.Nome("Coefficienti"));
    std::string norma = "NTC2018";
    r.Testo("Norma", norma);
    if (norma == "EN1990")
        g = CoefficientiEN1990();
    else if (norma == "NTC2018")
        g = CoefficientiNTC2018();
    else
        LettoreJson::Errore(r.Nome("Norma"), "out of range (\"NTC2018\" or \"EN1990\")");
    for (auto [k, v] : {std::pair{"gG1", g.gG1}, {"gG2", g.gG2}, {"gQ", g.gQ}}) {
        const json* a = r.Trova(k);
        if (!a) continue;
        const auto n = Numeri(*a, r.Nome(k));
        for (double x : n)
            if (x < 0) LettoreJson::Errore(r.Nome(k), "out of range (not negative)");
        v[0] = n[0];
        v[1] = n[1];
    }
    r.Fine();
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
    // The load cases first: each load row's case is checked against them.
    Righe(l, "Casi", [&](LettoreJson& r) { d.Casi.push_back(CasoDaJson(r)); });
    const int ultimoCaso = static_cast<int>(std::max<size_t>(d.Casi.size(), 1)) - 1;
    const auto caso = [&](LettoreJson& r, int16_t& c) { r.Intero("Caso", c, 0, ultimoCaso); };
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
                  caso(r, c.Caso);
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
                              caso(r, c.Caso);
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
                              caso(r, c.Caso);
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
    CoefficientiDaJson(l, d.Coefficienti);
    if (const json* a = l.Trova("LimitiFreccia")) {
        const auto lim = Numeri(*a, l.Nome("LimitiFreccia"));
        for (double v : lim)
            if (v <= 0)
                LettoreJson::Errore(l.Nome("LimitiFreccia"), "out of range (greater than 0)");
        d.Limiti = {lim[0], lim[1]};
    }
    l.Logico("PesoProprio", d.PesoProprio);
    if (d.PesoProprio && !problema.contains("PesoProprioQ"))
        LettoreJson::Errore(l.Nome("PesoProprioQ"), "missing (PesoProprio is true)");
    l.Numero("PesoProprioQ", d.PesoProprioQ);
    if (continua) {
        // The beam's length is the sum of its spans.
        const double L = LuceContinua(d);
        if (std::isfinite(L) &&
            std::fabs(L) <= static_cast<double>(std::numeric_limits<float>::max()))
            d.Luce = static_cast<float>(L);
    }
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

json JsonCombinazioni(const RisultatiCombinazioni& c) {
    const auto valori = [](const std::vector<double>& v) {
        json a = json::array();
        for (double x : v)
            a.push_back(Doppio(x));
        return a;
    };
    json inviluppi = json::object();
    for (int k = 0; k < NumeroTipiCombinazione; ++k) {
        const auto t = static_cast<TipoCombinazione>(k);
        const Inviluppo& e = c.Inviluppi[static_cast<size_t>(k)];
        json o;
        o["x"] = valori(c.x);
        json governo = json::object();
        for (auto [g, nome] : {std::pair{GrandezzaInviluppo::M, "M"},
                               {GrandezzaInviluppo::V, "V"},
                               {GrandezzaInviluppo::f, "f"}}) {
            const CurvaInviluppo& curva = e.Curve[static_cast<size_t>(g)];
            for (bool massimo : {true, false}) {
                const std::string chiave = std::string(nome) + (massimo ? "max" : "min");
                o[chiave] = valori(massimo ? curva.Max : curva.Min);
                json testi = json::array();
                const size_t n = (massimo ? curva.Max : curva.Min).size();
                for (size_t i = 0; i < n; ++i)
                    testi.push_back(
                        TestoGoverno(c.GovernoPunto(t, g, static_cast<int>(i), massimo), c.Casi));
                governo[chiave] = testi;
            }
        }
        o["Governo"] = governo;
        json appoggi = json::array();
        const size_t na =
            std::min({e.RMax.size(), e.RMin.size(), e.MAppMax.size(), e.MAppMin.size()});
        for (size_t a = 0; a < na; ++a) {
            const int i = static_cast<int>(a);
            appoggi.push_back(
                {{"Rmax", Doppio(e.RMax[a])},
                 {"Rmin", Doppio(e.RMin[a])},
                 {"Mmax", Doppio(e.MAppMax[a])},
                 {"Mmin", Doppio(e.MAppMin[a])},
                 {"GovernoRmax", TestoGoverno(c.GovernoAppoggio(t, i, false, true), c.Casi)},
                 {"GovernoRmin", TestoGoverno(c.GovernoAppoggio(t, i, false, false), c.Casi)},
                 {"GovernoMmax", TestoGoverno(c.GovernoAppoggio(t, i, true, true), c.Casi)},
                 {"GovernoMmin", TestoGoverno(c.GovernoAppoggio(t, i, true, false), c.Casi)}});
        }
        o["Appoggi"] = appoggi;
        inviluppi[ChiaveCombinazione(t)] = o;
    }
    json frecce = json::array();
    for (const auto& v : c.Frecce)
        frecce.push_back({{"Campata", v.Campata + 1},
                          {"L", Doppio(v.L)},
                          {"xf", Doppio(v.xf)},
                          {"f", Doppio(v.f)},
                          {"f2", Doppio(v.f2)},
                          {"LsuF", Doppio(v.LsuF)},
                          {"LsuF2", Doppio(v.LsuF2)},
                          {"Limite", Doppio(v.Limite)},
                          {"Limite2", Doppio(v.Limite2)},
                          {"Verificata", v.Verificata}});
    return {{"Casi", JsonCasi(c.Casi)}, {"Inviluppi", inviluppi}, {"Frecce", frecce}};
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
