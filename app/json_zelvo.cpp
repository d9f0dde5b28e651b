#include "app/json_zelvo.h"

#include "io/numeri.h"

#include <cmath>
#include <string>

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
    return j;
}

json JsonRisultati(const RisultatiTrave& r) {
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
