#include "form/relazione_verifiche.h"

namespace zelvo {

namespace {

// The check's formula as the report names it.
std::string Formula(const std::string& controllo, const ResistenzaSezione& s) {
    if (controllo == "Flessione")
        return s.Classe == 3 ? "Mc,Rd = Wel·fy/γM0" : "Mc,Rd = Wpl·fy/γM0";
    if (controllo == "Taglio") return "Vc,Rd = Av·fy/(√3·γM0)";
    if (controllo == "Flessione e taglio") return "ρ = (2VEd/Vpl,Rd − 1)²";
    if (controllo == "Svergolamento") return "Mb,Rd = χLT,mod·Wy·fy/γM1";
    if (controllo == "Freccia") return "f ≤ L/limite (rara)";
    if (controllo == "Freccia variabili") return "f2 ≤ L/limite2";
    return "";
}

} // namespace

TestiVerifiche ComponiTestiVerifiche(const VistaVerifiche& w, const DatiVerifica& v) {
    TestiVerifiche r;
    r.Presente = v.Attiva;
    if (!v.Attiva || !w.Motivo.empty()) return r;
    for (const RigaVerifica& g : w.Righe) {
        // "2 (sbalzo)": the number; the details name the overhang.
        r.Righe.push_back({g.Campata.substr(0, g.Campata.find(' ')), g.Controllo,
                           Formula(g.Controllo, w.Risultato.Esito.Sezione), g.Azione, g.Resistenza,
                           g.TestoUtilizzo, g.Esito});
        r.Rosse.push_back(g.Rosso);
    }
    return r;
}

} // namespace zelvo
