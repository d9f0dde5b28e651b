// The section check of the section window: the elastic and plastic moduli
// of the current section and, for a steel section with a yield stress, the
// characteristic resistances against the main window's largest moment.
#include "form/finestra_property.h"

#include "io/numeri.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace zelvo {

bool NomeAcciaio(const std::string& nome) {
    std::string n;
    for (char c : nome)
        n += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (n.find("steel") != std::string::npos || n.find("acciaio") != std::string::npos) return true;
    // a grade name: S followed by three digits (S235, S355J2)
    for (size_t i = 0; i + 3 < n.size(); ++i)
        if (n[i] == 's' && (i == 0 || !std::isalpha(static_cast<unsigned char>(n[i - 1]))) &&
            std::isdigit(static_cast<unsigned char>(n[i + 1])) &&
            std::isdigit(static_cast<unsigned char>(n[i + 2])) &&
            std::isdigit(static_cast<unsigned char>(n[i + 3])))
            return true;
    return false;
}

// ---------------------------------------------------------------------------
// Section check.

void FinestraProperty::ImpostaFy(const std::string& testo) {
    eventi_.Esegui(
        [&] {
            txtFy.Edita(testo);
            AggiornaVerifica();
        },
        "ImpostaFy");
}

void FinestraProperty::SeguiTrave() {
    if (!Aperta || Trave.Revisione() == revisioneTrave_) return;
    eventi_.Esegui(
        [&] {
            revisioneTrave_ = Trave.Revisione();
            AggiornaVerifica();
        },
        "SeguiTrave");
}

void FinestraProperty::AggiornaVerifica() {
    eventi_.Esegui(
        [&] {
            VerificaSezione v;
            eventi_.Esegui(
                [&] {
                    RegistroMessaggi muto;
                    Property& p = Record();
                    double Wel = 0, Wpl = 0;
                    if (p.SezioneConEdit) {
                        SezioneEdit& s = p.SezioneEd;
                        if (!s.CollEdit.empty()) {
                            SezioneEdit copia;
                            copia.UnitaLunghezza = UnitaLunghezzaSezione();
                            copia.CollEdit = s.CollEdit;
                            if (copia.DatiLeggeScrive(Verso::Leggi) &&
                                copia.FormLeggeDatiContinua(muto)) {
                                Wel = std::min(copia.Contorno.WxSuperiore,
                                               copia.Contorno.WxInferiore);
                                Poligono meta = copia.Contorno.Copia();
                                if (meta.Wplastici(muto)) Wpl = meta.Wplx;
                            }
                        }
                    } else if (!p.SezionePr.TipoProfilo.empty()) {
                        p.SezionePr.ModuliFlessione(Wel, Wpl, muto);
                    }
                    v.moduli = std::isfinite(Wel) && std::isfinite(Wpl) && Wel > 0 && Wpl > 0;
                    if (!v.moduli) return;
                    v.Wel = Wel;
                    v.Wpl = Wpl;
                    double fy = 0;
                    const Separatori& sep = U().separatori;
                    // while being typed a text that is not (yet) a number gives no check;
                    // closing the window refuses it
                    if (auto e = txtFy.Esatto(sep))
                        fy = *e;
                    else if (const LetturaRegionale l = LeggiRegionale(txtFy.testo, sep); l.Letto())
                        fy = U().Interna(Grandezza::Tensione, l.valore);
                    // the plastic check belongs to steel: a profile, or a steel material
                    v.acciaio = !p.SezioneConEdit || NomeAcciaio(txtMateriale.testo);
                    if (!v.acciaio) {
                        v.motivo = "Verifica plastica solo per sezioni in acciaio (materiale: " +
                                   (txtMateriale.testo.empty() ? std::string("non indicato")
                                                               : txtMateriale.testo) +
                                   ").";
                        return;
                    }
                    if (std::isfinite(fy) && fy > 0 && std::isfinite(Wpl * fy)) {
                        v.resistenze = true;
                        v.fy = fy;
                        v.Mel = Wel * fy;
                        v.Mpl = Wpl * fy;
                        const RisultatiTrave& r = Trave.Modulo.Risultati;
                        if (Trave.Calcolato && r.Calcolato) {
                            v.sollecitazione = true;
                            v.Mmax = std::max(std::fabs(static_cast<double>(r.Mmax)),
                                              std::fabs(static_cast<double>(r.Mmin)));
                            v.rapporto = v.Mmax / v.Mpl;
                        }
                    }
                },
                "AggiornaVerifica");
            verifica_ = v;
        },
        "AggiornaVerifica");
}

FinestraProperty::TestiVerifica FinestraProperty::TestiDellaVerifica() const {
    TestiVerifica t;
    t.motivo = verifica_.motivo;
    const std::string u = UnitaLunghezzaSezione();
    t.unitaW = Esponente(u, "³");
    t.unitaM = U().Etichetta(Grandezza::Momento);
    const VerificaSezione& v = verifica_;
    if (!v.moduli) return t;
    const double f = U().SenzaUnita ? 1 : U().FattoreSezione();
    auto W = [&](double w) {
        std::string t = FormatoLarghezza(U().separatori, 4, 10, Numero(Finito(w * f * f * f)));
        return t.erase(0, t.find_first_not_of(' '));
    };
    t.Wel = W(v.Wel);
    t.Wpl = W(v.Wpl);
    if (!v.resistenze) return t;
    auto M = [&](double m) {
        return FormatoPattern(U().separatori, Numero(Finito(U().Mostrata(Grandezza::Momento, m))),
                              "0.0");
    };
    t.Mel = M(v.Mel);
    t.Mpl = M(v.Mpl);
    if (v.sollecitazione) {
        t.Mmax = M(v.Mmax);
        t.rapporto = FormatoPattern(U().separatori, Finito(v.rapporto), "0.000");
        t.verificata = v.Verificata();
        if (!t.verificata) t.rapporto += " NON verificata";
    }
    return t;
}

} // namespace zelvo
