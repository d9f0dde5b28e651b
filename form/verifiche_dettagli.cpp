// The report's account of the steel member checks: every formula with its
// numbers, so that an engineer can follow each resistance by hand. The text
// report is written in Windows-1252: symbols outside it are spelled out
// (gM0, eps, lambdaLT, chiLT, sqrt, <=).
#include "form/verifiche_form.h"

#include <cmath>

namespace zelvo {

namespace {

const char* TestoRitegno(DatiVerifica::TipoRitegno r) {
    switch (r) {
    case DatiVerifica::TipoRitegno::Appoggi:
        return "solo agli appoggi";
    case DatiVerifica::TipoRitegno::Puntuali:
        return "agli appoggi e alle ascisse ";
    case DatiVerifica::TipoRitegno::Continui:
        return "continui (nessuno svergolamento)";
    }
    return "";
}

const char* TestoQuota(DatiVerifica::TipoQuota q) {
    switch (q) {
    case DatiVerifica::TipoQuota::Superiore:
        return "ala superiore";
    case DatiVerifica::TipoQuota::Baricentro:
        return "baricentro (centro di taglio)";
    case DatiVerifica::TipoQuota::Inferiore:
        return "ala inferiore";
    }
    return "";
}

// The limit of c/t for the class found (internal part in bending, outstand
// in compression), as a multiple of ε; the class-3 limit for class 4.
double LimiteAnima(int classe) {
    return classe <= 1 ? 72 : classe == 2 ? 83 : 124;
}
double LimiteAla(int classe) {
    return classe <= 1 ? 9 : classe == 2 ? 10 : 14;
}

} // namespace

std::vector<std::string> DettagliVerifiche(const VistaVerifiche& w, const DatiVerifica& v,
                                           const CatalogoProfili& cat, const Separatori& sep) {
    std::vector<std::string> d;
    const EsitoVerificaAcciaio& e = w.Risultato.Esito;
    const RigaCatalogo* p = cat.Cerca(v.Profilo);
    if (!w.Motivo.empty() || !p || e.Sezione.fy <= 0) return d;
    const ResistenzaSezione& s = e.Sezione;
    const auto n = [&](double x, int c) { return Decimali(x, c, sep); };
    const auto kNm = [&](double x) { return n(x / 1000, 2) + " kN·m"; };
    const auto kN = [&](double x) { return n(x / 1000, 2) + " kN"; };
    const auto m = [&](double x) { return n(x, 2); };
    const bool canale = ChiaveProfilo(p->nome).rfind("UPN", 0) == 0;

    d.push_back("Profilo " + p->nome + ": h = " + n(p->h, 1) + " mm, b = " + n(p->b, 1) +
                " mm, tw = " + n(p->tw, 1) + " mm, tf = " + n(p->tf, 1) + " mm, r = " + n(p->r, 1) +
                " mm");
    d.push_back("  A = " + n(p->Area / 100, 2) + " cm², Wel,y = " + n(s.Wel / 1000, 1) +
                " cm³, Wpl,y = " + n(s.Wpl / 1000, 1) + " cm³");
    if (p->It > 0)
        d.push_back("  Iz = " + n(p->Jz / 1e4, 1) + " cm^4, It = " + n(p->It / 1e4, 2) +
                    " cm^4, Iw = " + n(p->Iw / 1e6, 0) +
                    " cm^6, E = " + n(ModuloElasticoAcciaio, 0) +
                    " N/mm², G = " + n(ModuloTaglioAcciaio, 0) + " N/mm²");
    d.push_back("Acciaio " + v.Acciaio + ": fy = " + n(s.fy, 0) + " N/mm² (tf = " + n(p->tf, 1) +
                (p->tf <= 40 ? " <= 40" : " > 40") + " mm), eps = sqrt(235/fy) = " +
                n(s.epsilon, 3) + "; gM0 = " + n(v.gM0, 2) + ", gM1 = " + n(v.gM1, 2));
    std::string ritegni =
        std::string("Ritegni laterali dell'ala compressa: ") + TestoRitegno(v.Ritegno);
    if (v.Ritegno == DatiVerifica::TipoRitegno::Puntuali) {
        std::string x;
        for (double r : v.xRitegni)
            x += (x.empty() ? "" : "; ") + m(r);
        ritegni += (x.empty() ? std::string("(nessuna)") : x + " m");
    }
    d.push_back(ritegni);
    d.push_back(std::string("Quota dei carichi: ") + TestoQuota(v.Quota) +
                ", zg = " + n(e.zg * 1000, 1) + " mm sopra il centro di taglio");

    // Cross-section.
    const double eps = s.epsilon;
    d.push_back("Classificazione (EN 1993-1-1 Tab. 5.2, NTC 2018 §4.2.3.1): sezione di classe " +
                std::to_string(s.Classe));
    d.push_back("  anima c/tw = " + n(s.cAnima, 1) + "/" + n(p->tw, 1) + " = " +
                n(s.cAnima / p->tw, 2) + (s.ClasseAnima <= 3 ? " <= " : " > ") +
                n(LimiteAnima(s.ClasseAnima), 0) +
                "·eps = " + n(LimiteAnima(s.ClasseAnima) * eps, 2) + ", classe " +
                std::to_string(s.ClasseAnima));
    d.push_back("  ala c/tf = " + n(s.cAla, 1) + "/" + n(p->tf, 1) + " = " + n(s.cAla / p->tf, 2) +
                (s.ClasseAla <= 3 ? " <= " : " > ") + n(LimiteAla(s.ClasseAla), 0) + "·eps = " +
                n(LimiteAla(s.ClasseAla) * eps, 2) + ", classe " + std::to_string(s.ClasseAla));
    if (s.Classe >= 4) {
        d.push_back("Sezione di classe 4: fuori dall'ambito di queste verifiche.");
        return d;
    }
    const bool plastica = s.Classe <= 2;
    d.push_back("Flessione (EN 1993-1-1 §6.2.5, NTC 2018 §4.2.4.1.2):");
    d.push_back(std::string("  Mc,Rd = ") + (plastica ? "Wpl" : "Wel") +
                "·fy/gM0 = " + n(s.Wy / 1000, 1) + " cm³ · " + n(s.fy, 0) + " N/mm² / " +
                n(v.gM0, 2) + " = " + kNm(s.McRd));
    d.push_back("Taglio (EN 1993-1-1 §6.2.6, NTC 2018 §4.2.4.1.2):");
    d.push_back(std::string("  Av = A - 2·b·tf + (tw + ") + (canale ? "r" : "2·r") + ")·tf = " +
                n(s.Av / 100, 2) + " cm² (eta·hw·tw = " + n(EtaTaglio * s.Aw / 100, 2) + " cm²)");
    d.push_back("  Vc,Rd = Av·fy/(sqrt(3)·gM0) = " + kN(s.VcRd));
    d.push_back("  imbozzamento per taglio: hw/tw = " + n(s.hw / p->tw, 2) +
                (s.ImbozzamentoTaglio ? " > " : " <= ") +
                "72·eps/eta = " + n(72 * eps / EtaTaglio, 2) +
                (s.ImbozzamentoTaglio ? ": da verificare (fuori dall'ambito di queste verifiche)"
                                      : ": non richiesto"));

    // Spans.
    const auto& nomi = w.Risultato.NomiSituazioni;
    const auto& situazione = w.Risultato.Situazione;
    for (size_t i = 0; i < e.Tratti.size(); ++i) {
        const EsitoTrattoAcciaio& t = e.Tratti[i];
        std::string testa = "Campata " + std::to_string(i + 1) +
                            (t.Tipo == TipoTratto::Campata ? "" : " (sbalzo)") +
                            ", x = " + m(t.x0) + " - " + m(t.x1) + " m";
        if (nomi.size() > 1 && i < situazione.size() && situazione[i] >= 0 &&
            size_t(situazione[i]) < nomi.size())
            testa += ", situazione di progetto: " + nomi[size_t(situazione[i])];
        d.push_back(testa);
        d.push_back("  MEd = " + kNm(t.MEd) + " a x = " + m(t.xM) + " m, VEd = " + kN(t.VEd) +
                    " a x = " + m(t.xV) + " m");
        if (t.InterazioneMV) {
            d.push_back("  flessione e taglio (EN 1993-1-1 §6.2.8) a x = " + m(t.xMV) +
                        " m: VEd = " + kN(t.VEdMV) + " > 0" + sep.decimale + "5·Vpl,Rd");
            d.push_back("    rho = (2·VEd/Vpl,Rd - 1)² = " + n(t.rho, 3) +
                        ", MV,Rd = " + kNm(t.MVRd) + ", MEd = " + kNm(t.MEdMV));
        }
        if (t.Segmenti.empty())
            d.push_back("  svergolamento: ala compressa ritenuta con continuità, non si verifica");
        for (const SegmentoAcciaio& g : t.Segmenti) {
            const std::string r =
                "  svergolamento (EN 1993-1-1 §6.3.2, NTC 2018 §4.2.4.1.3.2), x = " + m(g.x0) +
                " - " + m(g.x1) + " m";
            if (g.Mcr <= 0) {
                d.push_back(r + ": momento nullo, nessuna instabilità");
                continue;
            }
            const RiduzioneSvergolamento& z = g.Riduzione;
            d.push_back(r);
            d.push_back("    Mcr = " + kNm(g.Mcr) + " (elementi finiti, " +
                        std::to_string(g.Elementi) + " elementi" +
                        (g.C1 > 0 ? ", C1 = " + n(g.C1, 3) : std::string()) + ")");
            d.push_back("    lambdaLT = sqrt(Wy·fy/Mcr) = " + n(z.lambdaLT, 3) + ", curva " +
                        (z.alfaLT > 0.4 ? "c" : "b") + ", alfaLT = " + n(z.alfaLT, 2) +
                        ", PhiLT = " + n(z.phiLT, 3) + ", chiLT = " + n(z.chiLT, 3));
            d.push_back("    kc = " + std::string(g.C1 > 0 ? "1/sqrt(C1) = " : "") + n(z.kc, 3) +
                        ", f = " + n(z.f, 3) + ", chiLT,mod = chiLT/f = " + n(z.chiLTmod, 3));
            d.push_back("    Mb,Rd = chiLT,mod·Wy·fy/gM1 = " + kNm(g.MbRd) +
                        ", MEd = " + kNm(g.MEd) + ", utilizzo " + n(g.Utilizzo, 3));
        }
    }
    return d;
}

} // namespace zelvo
