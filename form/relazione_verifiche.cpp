#include "form/relazione_verifiche.h"

#include <cmath>

namespace zelvo {

namespace {

// The check's formula as the report names it.
std::string Formula(const std::string& controllo, const ResistenzaSezione& s) {
    if (controllo == "Flessione")
        return s.Classe == 3 ? "Mc,Rd = Wel·fy/γM0" : "Mc,Rd = Wpl·fy/γM0";
    if (controllo == "Taglio") return "Vc,Rd = Av·fy/(√3·γM0)";
    if (controllo == "Flessione e taglio") return "ρ = (2VEd/Vpl,Rd − 1)²";
    if (controllo == "Svergolamento") return "Mb,Rd = χLT,mod·Wy·fy/γM1";
    return "";
}

std::string TestoRitegni(const DatiVerifica& v, const Separatori& sep) {
    std::string t("Ritegni laterali dell'ala compressa: ");
    switch (v.Ritegno) {
    case DatiVerifica::TipoRitegno::Appoggi:
        return t + "solo agli appoggi";
    case DatiVerifica::TipoRitegno::Continui:
        return t + "continui (nessuno svergolamento)";
    case DatiVerifica::TipoRitegno::Puntuali:
        break;
    }
    std::string x;
    for (double a : v.xRitegni)
        x += (x.empty() ? "" : "; ") + Decimali(a, 2, sep);
    return t + "agli appoggi e a x = " + x + " m";
}

std::string TestoQuota(const DatiVerifica& v, double zg, const Separatori& sep) {
    std::string t("Quota dei carichi: ");
    switch (v.Quota) {
    case DatiVerifica::TipoQuota::Superiore:
        return t + "ala superiore, zg = " + Decimali(zg * 1000, 1, sep) +
               " mm sopra il centro di taglio (destabilizzante)";
    case DatiVerifica::TipoQuota::Baricentro:
        return t + "baricentro (centro di taglio), zg = 0";
    case DatiVerifica::TipoQuota::Inferiore:
        break;
    }
    return t + "ala inferiore (stabilizzante: effetto trascurato, a favore di sicurezza)";
}

} // namespace

TestiVerifiche ComponiTestiVerifiche(const VistaVerifiche& w, const DatiVerifica& v,
                                     const Separatori& sep) {
    TestiVerifiche r;
    if (!v.Attiva) return r;
    const EsitoVerificaAcciaio& e = w.Risultato.Esito;
    const ResistenzaSezione& s = e.Sezione;
    const auto d = [&](double x, int n) { return Decimali(x, n, sep); };
    r.Dati = {{"Profilo", v.Profilo},
              {"Acciaio", v.Acciaio},
              {"fy", s.fy > 0 ? d(s.fy, 0) + " N/mm²" : std::string("-")},
              {"ε = √(235/fy)", s.epsilon > 0 ? d(s.epsilon, 3) : std::string("-")},
              {"γM0", d(v.gM0, 2)},
              {"γM1", d(v.gM1, 2)}};
    r.Ritegni = TestoRitegni(v, sep);
    r.Quota = TestoQuota(v, e.zg, sep);
    if (s.Valida) {
        const auto classe = [](int c) {
            return c == 4 ? std::string("4 (fuori ambito)") : std::to_string(c);
        };
        r.Sezione = {{"Classe", classe(s.Classe)},
                     {"Classe anima / ala",
                      std::to_string(s.ClasseAnima) + " / " + std::to_string(s.ClasseAla)},
                     {s.Classe == 3 ? "Wy = Wel" : "Wy = Wpl", d(s.Wy / 1000, 1) + " cm³"},
                     {"Mc,Rd", d(s.McRd / 1000, 2) + " kN·m"},
                     {"Av", d(s.Av / 100, 2) + " cm²"},
                     {"Vc,Rd", d(s.VcRd / 1000, 2) + " kN"}};
        if (s.Aw > 0 && s.hw > 0) {
            // Aw = hw·tw: hw/tw = hw²/Aw.
            const double snellezza = s.hw * s.hw / s.Aw, limite = 72 * s.epsilon / EtaTaglio;
            r.Imbozzamento = "Imbozzamento per taglio dell'anima: hw/tw = " + d(snellezza, 1) +
                             (s.ImbozzamentoTaglio ? " > " : " ≤ ") + "72ε/η = " + d(limite, 1) +
                             (s.ImbozzamentoTaglio ? " - fuori ambito" : " - non richiesto");
        }
    }
    if (w.Motivo.empty()) {
        // One row per check, span by span; each span's details after.
        for (const RigaVerifica& g : w.Righe) {
            const size_t n = g.Campata.find(' ');
            r.Righe.push_back({g.Campata.substr(0, n), g.Controllo, Formula(g.Controllo, s),
                               g.Azione, g.Resistenza, g.TestoUtilizzo, g.Esito});
            r.Rosse.push_back(g.Rosso);
        }
        for (size_t i = 0; i < e.Tratti.size(); ++i) {
            const EsitoTrattoAcciaio& t = e.Tratti[i];
            TestiVerifiche::Campata c;
            c.Titolo = "Campata " + std::to_string(i + 1) +
                       (t.Tipo == TipoTratto::Campata ? "" : " (sbalzo)") + ", x da " + d(t.x0, 2) +
                       " a " + d(t.x1, 2) + " m";
            if (i < w.Risultato.Situazione.size()) {
                const size_t n = static_cast<size_t>(w.Risultato.Situazione[i]);
                if (n < w.Risultato.NomiSituazioni.size())
                    c.Titolo += ", azioni: " + w.Risultato.NomiSituazioni[n];
            }
            if (t.InterazioneMV)
                c.Dettagli.push_back("Flessione e taglio in x = " + d(t.xMV, 2) + " m: VEd = " +
                                     d(t.VEdMV / 1000, 2) + " kN, ρ = " + d(t.rho, 3) +
                                     (s.Classe == 3 ? ", MV,Rd = (Wel − ρ·tw·hw³/(6·h))·fy/γM0"
                                                    : ", MV,Rd = (Wpl − ρ·Aw²/(4·tw))·fy/γM0") +
                                     " (ρ = 0 per VEd ≤ " + d(0.5, 1) + "·Vpl,Rd)");
            for (const SegmentoAcciaio& g : t.Segmenti) {
                const RiduzioneSvergolamento& z = g.Riduzione;
                const bool instabile = g.Mcr > 0;
                const std::string no("-");
                c.Tratti.push_back({d(g.x0, 2) + " - " + d(g.x1, 2), d(g.MEd / 1000, 2),
                                    instabile ? d(g.Mcr / 1000, 2) : no,
                                    instabile && g.C1 > 0 ? d(g.C1, 3) : no,
                                    instabile ? d(z.lambdaLT, 3) : no, d(z.chiLT, 3), d(z.f, 3),
                                    d(z.chiLTmod, 3), d(g.MbRd / 1000, 2), d(g.Utilizzo, 3)});
                c.TrattiRossi.push_back(g.Utilizzo > 1);
            }
            if (!c.Dettagli.empty() || !c.Tratti.empty()) r.Campate.push_back(std::move(c));
        }
        const RiduzioneSvergolamento* z = nullptr;
        for (const auto& t : e.Tratti)
            if (!t.Segmenti.empty()) z = &t.Segmenti.front().Riduzione;
        if (z) {
            const bool b = z->alfaLT < 0.4; // curve b 0.34, curve c 0.49
            r.Note.push_back("Svergolamento: Mcr dall'analisi agli elementi finiti del tratto tra "
                             "i ritegni, λLT = √(Wy·fy/Mcr),");
            r.Note.push_back("ΦLT = " + d(0.5, 1) + "·[1 + αLT·(λLT − " + d(0.4, 1) + ") + " +
                             d(0.75, 2) + "·λLT²], χLT = 1/(ΦLT + √(ΦLT² − " + d(0.75, 2) +
                             "·λLT²)) ≤ 1, " +
                             (b ? "curva b (h/b ≤ 2), αLT = " : "curva c (h/b > 2), αLT = ") +
                             d(z->alfaLT, 2) + ";");
            r.Note.push_back("C1 = Mcr con i carichi nel centro di taglio / Mcr a momento "
                             "uniforme, kc = 1/√C1, f = 1 − " +
                             d(0.5, 1) + "·(1 − kc)·[1 − 2·(λLT − " + d(0.8, 1) + ")²] ≤ 1,");
            r.Note.push_back("χLT,mod = χLT/f ≤ 1 e ≤ 1/λLT².");
        }
    }
    r.Note.push_back("Non verificati: sezioni di classe 4, imbozzamento per taglio dell'anima, "
                     "torsione, sforzo normale.");
    return r;
}

} // namespace zelvo
