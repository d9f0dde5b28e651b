#include "section/comando_sezione.h"

#include "core/messaggi.h"
#include "section/esporta_sezione.h"
#include "section/sezione_edit.h"
#include "section/sezione_profili.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>

namespace zelvo {

namespace {

const char* kUso =
    "Usage: zelvo-calc section TYPE VALUES... [--unit m|cm|mm] [--dxf FILE] [--svg FILE]\n"
    "                          [--png FILE] [--pdf FILE]\n"
    "  rect b h | T b1 h1 b2 h2 | nrect b1 h1 [b2 h2 ...] | trapez B1 b1 h1 [B2 b2 h2 ...]\n"
    "  circular R [r] | coord x1 y1 x2 y2 x3 y3 [...] | polygon R r n | profile NAME "
    "[S235|S275|S355]\n"
    "Dimensions are given, and results printed, in the unit of --unit (default m).\n"
    "--dxf, --svg, --png, --pdf write the drawing of the built section (outline, hatch,\n"
    "centroid lines) to FILE; the DXF is in metres. A file that cannot be written is\n"
    "reported and gives exit status 1.\n";

// Messages recorded for the JSON and echoed to standard error; questions are
// answered no.
class MessaggiComando : public Messaggi {
  public:
    explicit MessaggiComando(std::ostream& err) : err_(err) {}
    void Mostra(const std::string& testo, Icona, const std::string&) override {
        testi.push_back(testo);
        err_ << testo << "\n";
    }
    bool Chiedi(const std::string& testo, Icona, const std::string&) override {
        testi.push_back(testo);
        err_ << testo << "\n";
        return false;
    }
    std::vector<std::string> testi;

  private:
    std::ostream& err_;
};

nlohmann::json CampiPoligono(const Poligono& p, double f) {
    const double f2 = f * f, f3 = f2 * f, f4 = f2 * f2;
    nlohmann::json j;
    j["Area"] = p.Area / f2;
    j["xG"] = p.xG / f;
    j["yG"] = p.yG / f;
    j["stat_x"] = p.stat_x / f3;
    j["stat_y"] = p.stat_y / f3;
    j["jota_x"] = p.jota_x / f4;
    j["jota_y"] = p.jota_y / f4;
    j["jota_xy"] = p.jota_xy / f4;
    j["jota_xG"] = p.jota_xG / f4;
    j["jota_yG"] = p.jota_yG / f4;
    j["jota_xyG"] = p.jota_xyG / f4;
    j["jota_IG"] = p.jota_IG / f4;
    j["jota_IIG"] = p.jota_IIG / f4;
    j["AngoloJotaI"] = p.AngoloJotaI;
    j["AngoloJotaII"] = p.AngoloJotaII;
    j["iX"] = p.iX / f;
    j["iY"] = p.iY / f;
    j["WxSuperiore"] = p.WxSuperiore / f3;
    j["WxInferiore"] = p.WxInferiore / f3;
    j["WyDestra"] = p.WyDestra / f3;
    j["WySinistra"] = p.WySinistra / f3;
    j["Wplx"] = p.Wplx / f3;
    j["Wply"] = p.Wply / f3;
    j["nRettangolini_"] = p.nRettangolini_;
    j["NumerazioneVerticiAntioraria"] = p.NumerazioneVerticiAntioraria;
    return j;
}

bool TuttoFinito(const nlohmann::json& j) {
    for (const auto& v : j)
        if (v.is_number_float() && !std::isfinite(v.get<double>())) return false;
    return true;
}

} // namespace

int ComandoSezione(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err,
                   FabbricaSuperfici* superfici) {
    std::vector<std::string> args;
    std::string unita = "m";
    // Drawings asked for: (format, file), in the order given.
    std::vector<std::pair<std::string, std::string>> disegni;
    for (size_t i = 0; i < argomenti.size(); ++i) {
        const std::string& a = argomenti[i];
        if (i == 0 && a == "section") continue;
        if (a.size() > 2 && a.rfind("--", 0) == 0) {
            const size_t uguale = a.find('=');
            const std::string formato =
                a.substr(2, uguale == std::string::npos ? std::string::npos : uguale - 2);
            if (FormatoSezioneNoto(formato)) {
                std::string file;
                if (uguale == std::string::npos) {
                    if (i + 1 >= argomenti.size()) {
                        err << "error: --" << formato << " needs a file name\n" << kUso;
                        return 2;
                    }
                    file = argomenti[++i];
                } else {
                    file = a.substr(uguale + 1);
                }
                if (file.empty()) {
                    err << "error: --" << formato << " needs a file name\n" << kUso;
                    return 2;
                }
                disegni.emplace_back(formato, file);
                continue;
            }
        }
        if (a == "--unit" || a.rfind("--unit=", 0) == 0) {
            std::string u;
            if (a == "--unit") {
                if (i + 1 >= argomenti.size()) {
                    err << "error: --unit needs a value (m, cm or mm)\n" << kUso;
                    return 2;
                }
                u = argomenti[++i];
            } else {
                u = a.substr(7);
            }
            if (u != "m" && u != "cm" && u != "mm") {
                err << "error: unknown unit '" << u << "' (m, cm or mm)\n" << kUso;
                return 2;
            }
            unita = u;
            continue;
        }
        if (a == "--help" || a == "-h") {
            out << kUso;
            return 0;
        }
        args.push_back(a);
    }
    if (args.empty()) {
        err << "error: missing section type\n" << kUso;
        return 2;
    }
    const std::string tipo = args[0];
    const std::vector<std::string> valori(args.begin() + 1, args.end());
    auto usoErrato = [&](const std::string& perche) {
        err << "error: " << perche << "\n" << kUso;
        return 2;
    };
    if (tipo != "profile") {
        for (const auto& v : valori) {
            double d;
            if (LeggiMacchina(v, d) != EsitoLettura::Letto)
                return usoErrato("'" + v + "' is not a number");
        }
    }
    const double f = unita == "mm" ? 0.001 : unita == "cm" ? 0.01 : 1.0;
    MessaggiComando msg(err);
    nlohmann::json risultato;
    risultato["unit"] = unita;
    risultato["type"] = tipo;
    int esito = 0;
    // The drawing of the built section (set once it is built).
    DisegnoSezione disegno;
    SezioneProfili prof;
    SezioneEdit s;

    if (tipo == "profile") {
        if (valori.empty() || valori.size() > 2) return usoErrato("profile needs NAME [GRADE]");
        CatalogoProfili cat;
        std::string perche;
        if (!cat.Carica(&perche)) {
            msg.Mostra(perche, Icona::Critica, "");
            risultato["section"] = nullptr;
            risultato["messages"] = msg.testi;
            out << risultato.dump(2) << "\n";
            return 1;
        }
        const std::string grado = valori.size() == 2 ? valori[1] : "S235";
        SceltaProfili scelta(cat);
        bool comunicato = false, ok = false;
        scelta.ComunicaProfilo = [&] {
            comunicato = true;
            ok = RiceviProfilo(scelta, prof, msg);
        };
        if (!scelta.Scegli(valori[0], grado)) {
            if (!cat.Cerca(valori[0])) return usoErrato("unknown profile '" + valori[0] + "'");
            return usoErrato("unknown steel grade '" + grado + "' (S235, S275, S355)");
        }
        if (!comunicato || !ok) {
            risultato["section"] = nullptr;
            esito = 1;
        } else if (!prof.CalcolaWplastici(msg)) {
            // "section" is the fillet-free outline, plastic moduli included;
            // the real profile's moduli are printed under "catalogue".
            risultato["section"] = nullptr;
            esito = 1;
        } else {
            Poligono p = prof.Poligono1.Copia();
            p.Wplx = prof.Wply;
            p.Wply = prof.Wplz;
            risultato["section"] = CampiPoligono(p, f);
            const RigaCatalogo* r = cat.Cerca(valori[0]);
            nlohmann::json c;
            c["name"] = r->nome;
            c["TipoProfilo"] = r->tipo;
            c["h"] = r->h * 0.001 / f;
            c["b"] = r->b * 0.001 / f;
            c["tw"] = r->tw * 0.001 / f;
            c["tf"] = r->tf * 0.001 / f;
            c["r"] = r->r * 0.001 / f;
            c["Area"] = r->Area * 1e-6 / (f * f);
            c["Jy"] = r->Jy * 1e-12 / (f * f * f * f);
            c["Jz"] = r->Jz * 1e-12 / (f * f * f * f);
            c["Wely"] = r->Wely * 1e-9 / (f * f * f);
            c["Wply"] = r->Wply * 1e-9 / (f * f * f);
            c["Welz"] = r->Welz * 1e-9 / (f * f * f);
            c["Wplz"] = r->Wplz * 1e-9 / (f * f * f);
            c["grade"] = grado;
            c["fy"] = scelta.fy * 1e6; // N/m²
            risultato["catalogue"] = c;
            disegno = DisegnoDi(prof);
        }
    } else {
        CampiEditorSezione campi;
        // Command-line numbers: "." decimal point, no grouping.
        campi.separatori = Separatori{".", ""};
        auto righe = [&](int16_t t, size_t per, size_t fisse) -> int {
            if (valori.empty() || valori.size() % per != 0 ||
                (fisse && valori.size() != per * fisse))
                return -1;
            campi.TipoSelezionato = t;
            campi.Righe = std::to_string(valori.size() / per);
            std::vector<std::vector<std::string>> celle;
            for (size_t i = 0; i < valori.size(); i += per)
                celle.emplace_back(valori.begin() + static_cast<long>(i),
                                   valori.begin() + static_cast<long>(i + per));
            campi.Griglia = GrigliaTesto::DaRighe(celle);
            return 0;
        };
        int r = 0;
        if (tipo == "rect")
            r = righe(SezRettangolo, 2, 1);
        else if (tipo == "T")
            r = righe(SezT, 2, 2);
        else if (tipo == "nrect")
            r = righe(SezNRettangoli, 2, 0);
        else if (tipo == "trapez")
            r = righe(SezTrapezi, 3, 0);
        else if (tipo == "coord")
            r = righe(SezCoordinate, 2, 0);
        else if (tipo == "circular") {
            if (valori.empty() || valori.size() > 2) r = -1;
            campi.TipoSelezionato = SezCircolare;
            if (r == 0) {
                campi.RaggioEsterno = valori[0];
                campi.RaggioInterno = valori.size() == 2 ? valori[1] : "0";
            }
        } else if (tipo == "polygon") {
            if (valori.size() != 3) {
                r = -1;
            } else {
                double n;
                LeggiMacchina(valori[2], n);
                if (n != std::floor(n) || n < 3 || n > 16383)
                    return usoErrato("the number of vertices must be an integer from 3 to 16383");
                campi.TipoSelezionato = SezPoligono;
                campi.RaggioEsterno = valori[0];
                campi.RaggioInterno = valori[1];
                campi.NumeroVertici = valori[2];
            }
        } else {
            return usoErrato("unknown section type '" + tipo + "'");
        }
        if (r != 0) return usoErrato("wrong number of values for '" + tipo + "'");
        if (campi.Griglia.Righe() > 8191) return usoErrato("too many rows");
        s.UnitaLunghezza = unita;
        if (!s.FormLeggeDati(campi, msg)) {
            risultato["section"] = nullptr;
            esito = 1;
        } else {
            // The halving recomputes the area of the outline it cuts; on a
            // copy, so that the circle keeps the exact values the editor
            // put in place of the 50-sided polygon's.
            Poligono p = s.Contorno.Copia();
            Poligono meta = s.Contorno.Copia();
            if (!meta.Wplastici(msg)) {
                risultato["section"] = nullptr;
                esito = 1;
            } else {
                p.Wplx = meta.Wplx;
                p.Wply = meta.Wply;
                risultato["section"] = CampiPoligono(p, f);
                disegno = DisegnoDi(s);
            }
        }
    }
    if (esito == 0 && !TuttoFinito(risultato["section"])) {
        msg.Mostra("RISULTATI ERRATI!", Icona::Critica, "");
        risultato["section"] = nullptr;
        esito = 1;
    }
    if (esito == 0 && disegno) {
        for (const auto& [formato, file] : disegni)
            if (!EsportaSezione(disegno, formato, file, msg, superfici)) esito = 1;
    }
    risultato["messages"] = msg.testi;
    out << risultato.dump(2) << "\n";
    return esito;
}

} // namespace zelvo
