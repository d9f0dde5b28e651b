// The section editor of the section window: the seven section types, the
// shape grid or the radii, the picture clicked to build and compute the
// section, the section confirmed into the record.
#include "form/finestra_property.h"

#include "io/numeri.h"

#include <algorithm>
#include <cmath>

namespace zelvo {

// ---------------------------------------------------------------------------
// Section editor.

void FinestraProperty::PuliziaRisultati() {
    for (auto& r : Risultati)
        r.clear();
    FiguraDisegnata = false;
}

void FinestraProperty::cmdGeo_Click(int i) {
    eventi_.Esegui(
        [&] {
            Property& p = Record();
            if (i == 1) {
                FrameEdit = true;
                PuliziaRisultati();
                const std::string u = UnitaLunghezzaSezione();
                RisultatiUnit = {"", Esponente(u, "²"), Esponente(u, "⁴"), u, u};
                RaggioUnit = "[" + u + "]";
                TipoSelezionato = -1;
                FlexGrid0.visibile = false;
                RigheVisibili = RaggioFrm = NVertexVisibile = false;
                txtRigheGriglia0.Scrivi("");
                for (auto& r : RaggioTxt)
                    r.Scrivi("");
                if (!p.SezioneConEdit) {
                    // a profile: a new typed section, the editor empty
                    p.SezioneEd = SezioneEdit();
                    p.SezioneEd.UnitaLunghezza = u;
                    return;
                }
                SezioneEdit& s = p.SezioneEd;
                s.UnitaLunghezza = u;
                if (s.CollEdit.empty()) return;
                s.LetturaSucc = false;
                if (!s.DatiLeggeScrive(Verso::Leggi)) return;
                const int tipo = std::clamp<int>(s.TipoSezione, 0, 6);
                PreparaTipo(tipo, false);
                CampiEditorSezione c;
                c.separatori = U().separatori;
                s.FormScriveDati(c);
                ScriviCampiEditor(c);
                Figura_Click();
            } else if (i == 0) {
                ApriScelta();
            } else if (i == 2) {
                Ruota();
            }
        },
        "cmdGeo_Click");
}

void FinestraProperty::InizializzaGriglie(int tipo) {
    const std::string u = "[" + UnitaLunghezzaSezione() + "]";
    std::vector<std::string> t;
    if (tipo <= 2)
        t = {"b " + u, "h " + u};
    else if (tipo == 3)
        t = {"B  " + u, "b  " + u, "h  " + u};
    else
        t = {"x  " + u, "y  " + u};
    intestazioni_ = {"N°"};
    intestazioni_.insert(intestazioni_.end(), t.begin(), t.end());
    if (FlexGrid0.Colonne() != static_cast<int>(intestazioni_.size()) || FlexGrid0.Righe() < 1)
        FlexGrid0.Dimensiona(1, static_cast<int>(intestazioni_.size()));
    PreparaComportamento();
    for (size_t c = 0; c < intestazioni_.size(); ++c)
        FlexGrid0.Scrivi(0, static_cast<int>(c), intestazioni_[c]);
}

void FinestraProperty::DimensionaGriglia(int16_t n) {
    const auto nc = static_cast<int16_t>(intestazioni_.size());
    // the data cells that still fit keep their texts
    if (FlexGrid0.Colonne() == nc)
        FlexGrid0.Ridimensiona(Conteggio16(static_cast<long long>(n) + 1), nc);
    else
        FlexGrid0.Dimensiona(Conteggio16(static_cast<long long>(n) + 1), nc);
    PreparaComportamento();
    for (int c = 0; c < nc; ++c)
        FlexGrid0.Scrivi(0, c, intestazioni_[static_cast<size_t>(c)]);
    for (int r = 1; r <= n; ++r)
        FlexGrid0.Scrivi(r, 0, std::to_string(r));
    FlexGrid0.visibile = n >= 1;
    FlexGrid0.editor.visibile = false;
    FlexGrid0.CellaCorrente(std::max(FlexGrid0.riga, 1), std::max(FlexGrid0.colonna, 1));
}

void FinestraProperty::PreparaTipo(int i, bool nuovo) {
    TipoSelezionato = i;
    if (i != SezCircolare && i != SezPoligono) {
        RaggioFrm = false;
        NVertexVisibile = false;
        InizializzaGriglie(i);
        if (i == SezRettangolo || i == SezT) {
            const int16_t n = i == SezRettangolo ? 1 : 2;
            txtRigheGriglia0.Scrivi(std::to_string(n));
            RigheVisibili = false;
            DimensionaGriglia(n);
            FlexGrid0.CellaCorrente(1, 1);
            fuoco = FuocoProperty::Griglia;
        } else {
            RigheVisibili = true;
            if (nuovo) {
                txtRigheGriglia0.Scrivi("");
                FlexGrid0.visibile = false;
            }
            fuoco = FuocoProperty::Righe;
        }
        return;
    }
    FlexGrid0.visibile = false;
    RigheVisibili = false;
    RaggioFrm = true;
    RaggioFrmCaption = i == SezPoligono ? "Hollow Polygon" : "Hollow Circular Section";
    NVertexVisibile = i == SezPoligono;
    RaggioUnit = "[" + UnitaLunghezzaSezione() + "]";
    fuoco = FuocoProperty::Raggio;
    fuocoIndice = 0;
}

void FinestraProperty::OpTipoSezione_Click(int i) {
    if (i < 0 || i > 6 || !FrameEdit) return;
    eventi_.Esegui(
        [&] {
            const bool cambio = i != TipoSelezionato;
            if (cambio) {
                // the grid of another type starts empty
                FlexGrid0 = GrigliaTesto();
                FlexGrid0.visibile = false;
                for (auto& r : RaggioTxt)
                    r.Scrivi("");
                // the picture and the results of the other type no longer hold
                PuliziaRisultati();
            }
            PreparaTipo(i, cambio);
        },
        "OpTipoSezione_Click");
}

void FinestraProperty::txtRigheGriglia_Invio() {
    eventi_.Esegui(
        [&] {
            const std::string& t = txtRigheGriglia0.testo;
            const Separatori& sep = U().separatori;
            const LetturaRegionale l = LeggiRegionale(t, sep);
            if (l.esito != EsitoRegionale::Vuoto && !l.Letto()) {
                FlexGrid0.visibile = false;
                fuoco = FuocoProperty::Righe;
                Msg.Mostra(TestoNumeroRifiutato("n", t, sep), Icona::Critica);
                return;
            }
            const double v = l.valore;
            if (v >= 1 && v != std::floor(v)) {
                FlexGrid0.visibile = false;
                fuoco = FuocoProperty::Righe;
                Msg.Mostra("n: \"" + t + "\" non è un numero intero.", Icona::Critica);
                return;
            }
            if (!(v >= 1)) {
                FlexGrid0.visibile = false;
                fuoco = FuocoProperty::Righe;
                return;
            }
            if (v > 8191) {
                Msg.Mostra("Invalid number: " + t, Icona::Critica);
                FlexGrid0.visibile = false;
                fuoco = FuocoProperty::Righe;
                return;
            }
            const auto n = static_cast<int16_t>(std::floor(v));
            txtRigheGriglia0.Scrivi(std::to_string(n));
            DimensionaGriglia(n);
            FlexGrid0.CellaCorrente(1, 1);
            fuoco = FuocoProperty::Griglia;
        },
        "txtRigheGriglia_Invio");
}

void FinestraProperty::RaggioTxt_Invio(int i) {
    eventi_.Esegui(
        [&] {
            if (i == 0) {
                fuoco = FuocoProperty::Raggio;
                fuocoIndice = 1;
            } else {
                fuoco = FuocoProperty::OKEdit;
            }
        },
        "RaggioTxt_Invio");
}

CampiEditorSezione FinestraProperty::Campi() const {
    CampiEditorSezione c;
    c.TipoSelezionato = static_cast<int16_t>(std::max(TipoSelezionato, 0));
    c.Righe = txtRigheGriglia0.testo;
    if (TipoSelezionato == SezRettangolo) c.Righe = "1";
    if (TipoSelezionato == SezT) c.Righe = "2";
    if (FlexGrid0.visibile && FlexGrid0.Righe() > 1)
        c.Griglia = GrigliaTesto::DaRighe(FlexGrid0.Testi(1, 1));
    c.Griglia.visibile = FlexGrid0.visibile && FlexGrid0.Righe() > 1;
    c.RaggioEsterno = RaggioTxt[0].testo;
    c.RaggioInterno = RaggioTxt[1].testo;
    c.NumeroVertici = RaggioTxt[2].testo;
    c.separatori = U().separatori;
    return c;
}

void FinestraProperty::ScriviCampiEditor(const CampiEditorSezione& c) {
    const int i = c.TipoSelezionato;
    if (i == SezCircolare || i == SezPoligono) {
        RaggioTxt[0].Scrivi(c.RaggioEsterno);
        RaggioTxt[1].Scrivi(c.RaggioInterno);
        RaggioTxt[2].Scrivi(i == SezPoligono ? c.NumeroVertici : "");
        return;
    }
    txtRigheGriglia0.Scrivi(c.Righe);
    const auto n = static_cast<int16_t>(c.Griglia.visibile ? c.Griglia.Righe() : 0);
    DimensionaGriglia(n);
    for (int r = 0; r < n; ++r)
        for (int k = 0; k < c.Griglia.Colonne() && k + 1 < FlexGrid0.Colonne(); ++k)
            FlexGrid0.Scrivi(r + 1, k + 1, c.Griglia.Testo(r, k));
}

bool FinestraProperty::Figura_Click() {
    bool ok = false;
    eventi_.Esegui(
        [&] {
            if (FlexGrid0.editor.visibile) FlexGrid0.EditorPerdeFuoco();
            if (TipoSelezionato < 0) return;
            SezioneEdit& s = Record().SezioneEd;
            s.UnitaLunghezza = UnitaLunghezzaSezione();
            if (!s.FormLeggeDati(Campi(), Msg)) {
                PuliziaRisultati();
                // the focus goes where the refused text was typed
                switch (s.Rifiuto.campo) {
                case CampoEditorSezione::Righe:
                    fuoco = FuocoProperty::Righe;
                    break;
                case CampoEditorSezione::RaggioEsterno:
                case CampoEditorSezione::RaggioInterno:
                case CampoEditorSezione::NumeroVertici:
                    fuoco = FuocoProperty::Raggio;
                    fuocoIndice = s.Rifiuto.campo == CampoEditorSezione::RaggioEsterno   ? 0
                                  : s.Rifiuto.campo == CampoEditorSezione::RaggioInterno ? 1
                                                                                         : 2;
                    break;
                case CampoEditorSezione::Griglia:
                    FlexGrid0.CellaCorrente(s.Rifiuto.riga, s.Rifiuto.colonna);
                    fuoco = FuocoProperty::Griglia;
                    break;
                default:
                    break;
                }
                return;
            }
            const Poligono& c = s.Contorno;
            Risultati[1] = U().Testo(Grandezza::Area, c.Area);
            Risultati[2] = U().Testo(Grandezza::Inerzia, c.jota_xG);
            const std::string u = UnitaLunghezzaSezione();
            const double f = u == "cm" ? 100 : u == "mm" ? 1000 : 1;
            // a centroid on an axis of symmetry shows 0, not the rounding residue
            const double scala = std::sqrt(std::fabs(c.Area));
            auto coordinata = [&](double v) {
                return FormatoLarghezza(U().separatori, 4, 10,
                                        Numero(Finito(std::fabs(v) < 1e-9 * scala ? 0.0 : v * f)));
            };
            Risultati[3] = coordinata(c.xG);
            Risultati[4] = coordinata(c.yG);
            areaEditor_ = c.Area;
            inerziaEditor_ = c.jota_xG;
            FiguraDisegnata = true;
            ok = true;
        },
        "Figura_Click");
    return ok;
}

void FinestraProperty::cmdOKEdit_Click() {
    if (!FrameEdit) return;
    eventi_.Esegui(
        [&] {
            // the editor stays open on a section that cannot be built
            if (!Figura_Click()) return;
            Property& p = Record();
            SezioneEdit& s = p.SezioneEd;
            txtSec[0].Scrivi(Risultati[1], areaEditor_);
            txtSec[1].Scrivi(Risultati[2], inerziaEditor_);
            s.ScritturaSucc = false;
            s.DatiLeggeScrive(Verso::Scrivi);
            double h = 0, b = 0;
            s.DimSez(h, b, Msg);
            p.SezioneConEdit = true;
            confermato_ = true;
            txtDidSezione.Scrivi("");
            RuotaAbilitato = false;
            PreparaGeometria();
            cmdAnnullaEdit_Click();
            AggiornaVerifica();
        },
        "cmdOKEdit_Click");
}

void FinestraProperty::cmdAnnullaEdit_Click() {
    eventi_.Esegui(
        [&] {
            eventi_.Esegui(
                [&] {
                    SezioneEdit& s = Record().SezioneEd;
                    if (!s.CollEdit.empty()) {
                        RegistroMessaggi muto;
                        s.LetturaSucc = false;
                        if (s.DatiLeggeScrive(Verso::Leggi)) s.FormLeggeDatiContinua(muto);
                    }
                },
                "cmdAnnullaEdit_Click");
            FrameEdit = false;
            FlexGrid0.editor.visibile = false;
            FiguraDisegnata = false;
            fuoco = FuocoProperty::Nessuno;
        },
        "cmdAnnullaEdit_Click");
}

// Shape grid: the load grids' editor.
void FinestraProperty::PreparaComportamento() {
    FlexGrid0.ImpostaFisse(1, 1);
    FlexGrid0.perColonne = true;
    const Separatori& s = U().separatori; // the units outlive the window
    FlexGrid0.normalizza = [&s](const std::string& t) { return NormalizzaCampo(s, t); };
    FlexGrid0.numerico = [&s](const std::string& t) { return LeggiRegionale(t, s).Letto(); };
}

void FinestraProperty::EsitoGriglia(EsitoTasto e) {
    fuoco = e == EsitoTasto::Editor    ? FuocoProperty::Editor
            : e == EsitoTasto::Griglia ? FuocoProperty::Griglia
                                       : FuocoProperty::OKEdit; // past the last cell
}

void FinestraProperty::Griglia_SelezionaCella(int r, int c) {
    eventi_.Esegui(
        [&] {
            EsitoGriglia(FlexGrid0.SelezionaCella(r, c) ? EsitoTasto::Editor : EsitoTasto::Griglia);
        },
        "Griglia_SelezionaCella");
}

void FinestraProperty::Griglia_Tasto(int carattere) {
    eventi_.Esegui(
        [&] {
            if (!FlexGrid0.visibile) return;
            if (FlexGrid0.EditaCella(carattere)) fuoco = FuocoProperty::Editor;
        },
        "Griglia_Tasto");
}

void FinestraProperty::Griglia_DoppioClick() {
    Griglia_Tasto(0);
}

void FinestraProperty::Editor_Tasto(TastoEditor tasto) {
    eventi_.Esegui([&] { EsitoGriglia(FlexGrid0.Tasto(tasto)); }, "Editor_Tasto");
}

void FinestraProperty::Editor_PerdeFuoco() {
    eventi_.Esegui([&] { FlexGrid0.EditorPerdeFuoco(); }, "Editor_PerdeFuoco");
}

void FinestraProperty::Editor_Edita(const std::string& testo, int selInizio, int selLunghezza) {
    eventi_.Esegui(
        [&] {
            EditorCella& e = FlexGrid0.editor;
            e.testo = testo;
            e.selInizio = selInizio;
            e.selLunghezza = selLunghezza;
        },
        "Editor_Edita");
}

void FinestraProperty::Griglia_Scorre() {
    eventi_.Esegui([&] { FlexGrid0.CommitEditor(); }, "Griglia_Scorre");
}

} // namespace zelvo
