#include "form/finestra_property.h"

#include "core/guasto.h"
#include "io/generale.h"
#include "io/numeri.h"

#include <algorithm>
#include <cmath>

namespace zelvo {

namespace {

// The captions of the fields, as refusals name them.
const char* const CaptionStru[] = {"Young Modulus", "Poisson's Ratio", "Density",
                                   "Thermal Expansion"};
const char* const CaptionSec[] = {"Section Area", "I"};
const char* const CaptionFy = "Yield stress fy";

} // namespace

FinestraProperty::FinestraProperty(ModelloForm& trave, Messaggi& msg)
    : Trave(trave), Msg(msg), eventi_(msg, "Errore nella Sub ", "", Icona::Critica),
      unita_(trave.Unita) {
    // a typed text that is not a number: its own message, nothing done
    eventi_.Rifiuto = [this] {
        try {
            throw;
        } catch (const NumeroRifiutato& e) {
            Msg.Mostra(e.what(), Icona::Critica);
            return true;
        } catch (...) {
            return false;
        }
    };
    eventi_.Cambiato = [this] {
        if (Cambiato) Cambiato();
    };
}
FinestraProperty::~FinestraProperty() = default;

Property& FinestraProperty::Record() {
    if (Trave.SezioneProgetto.Prop) return *Trave.SezioneProgetto.Prop;
    if (!nuovo_) nuovo_ = std::make_unique<Property>();
    return *nuovo_;
}

std::string FinestraProperty::UnitaLunghezzaSezione() const {
    return U().SenzaUnita ? std::string() : U().UnitaModello[4];
}

void FinestraProperty::Rifiuta(FuocoProperty f, int indice) {
    fuoco = f;
    fuocoIndice = indice;
    if (f == FuocoProperty::Stru) Scheda = 0;
    if (f == FuocoProperty::Sec || f == FuocoProperty::Fy) Scheda = 1;
}

double FinestraProperty::LeggiCampo(const CampoForm& c, Grandezza g, const std::string& luogo,
                                    FuocoProperty f, int indice) {
    if (auto e = c.Esatto(U().separatori)) return *e;
    try {
        return Finito(U().Interna(g, LeggiTipizzato(c.testo, U().separatori, luogo)));
    } catch (const NumeroRifiutato&) {
        Rifiuta(f, indice);
        throw;
    }
}

double FinestraProperty::LeggiNumero(const CampoForm& c, const std::string& luogo, FuocoProperty f,
                                     int indice) {
    if (auto e = c.Esatto(U().separatori)) return *e;
    try {
        return Finito(LeggiTipizzato(c.testo, U().separatori, luogo));
    } catch (const NumeroRifiutato&) {
        Rifiuta(f, indice);
        throw;
    }
}

// ---------------------------------------------------------------------------
// Opening and closing.

void FinestraProperty::Form_Load() {
    eventi_.Esegui(
        [&] {
            Aperta = true;
            Visibile = true;
            TraveVisibile = true;
            unita_ = Trave.Unita;
            lblStru0 = U().Etichetta(Grandezza::Tensione);
            lblSec0 = Esponente(UnitaLunghezzaSezione(), "²");
            lblSec1 = Esponente(UnitaLunghezzaSezione(), "⁴");
            if (Catalogo.Righe().empty()) Catalogo.Carica();
            if (!Trave.SezioneProgetto.Prop && !nuovo_) {
                // A new record starts from the beam's own E and J, so that
                // closing at once hands back what the main window holds.
                nuovo_ = std::make_unique<Property>();
                // a main-window field that holds no number starts the record at 0
                auto campo = [&](const CampoForm& c, Grandezza g) {
                    if (auto e = c.Esatto(U().separatori)) return *e;
                    const LetturaRegionale l = LeggiRegionale(c.testo, U().separatori);
                    const double v = l.Letto() ? U().Interna(g, l.valore) : 0.0;
                    return std::isfinite(v) ? v : 0.0;
                };
                nuovo_->E = campo(Trave.txtDati[1], Grandezza::Tensione);
                nuovo_->Jota = campo(Trave.txtDati[2], Grandezza::Inerzia);
            }
            Property& p = Record();
            p.SezioneEd.UnitaLunghezza = UnitaLunghezzaSezione();
            if (!p.SezioneConEdit) {
                RegistroMessaggi muto;
                ModuliDaCatalogo(Catalogo, p.SezionePr);
                p.SezionePr.Coordinate(muto);
            }
            AggiornaTxt();
            txtFy.Scrivi("");
            // the yield stress kept with the record, else the profile's grade
            if (p.fyBeam > 0)
                txtFy.Scrivi(U().Testo(Grandezza::Tensione, p.fyBeam), p.fyBeam);
            else if (!p.SezioneConEdit && p.SezionePr.fySteelTMP > 0)
                txtFy.Scrivi(U().Testo(Grandezza::Tensione, p.SezionePr.fySteelTMP),
                             p.SezionePr.fySteelTMP);
            eApertura_ = p.E;
            areaApertura_ = p.Area;
            jApertura_ = p.Jota;
            confermato_ = false;
            revisioneTrave_ = Trave.Revisione();
            fuoco = FuocoProperty::Nessuno;
            Scheda = 0;
            FrameMaterials = FrameEdit = false;
            AggiornaVerifica();
        },
        "Form_Load");
}

void FinestraProperty::AggiornaTxt() {
    Property& p = Record();
    txtSec[0].Scrivi(U().Testo(Grandezza::Area, p.Area), p.Area);
    txtSec[1].Scrivi(U().Testo(Grandezza::Inerzia, p.Jota), p.Jota);
    txtDidSezione.Scrivi(p.DidSezione);
    txtMateriale.Scrivi(p.NomeMat);
    txtStru[0].Scrivi(U().Testo(Grandezza::Tensione, p.E), p.E);
    txtStru[1].Scrivi(FormatoNumero(U().separatori, p.nU), p.nU);
    txtStru[2].Scrivi(FormatoNumero(U().separatori, p.Density), p.Density);
    txtStru[3].Scrivi(FormatoNumero(U().separatori, p.Alfa), p.Alfa);
    tipoElemento = p.tipo != 0;
    tipoRecord_ = p.tipo;
    VisualizzaPerTipo();
    RuotaAbilitato = !p.SezioneConEdit && !p.SezionePr.TipoProfilo.empty();
}

void FinestraProperty::VisualizzaPerTipo() {
    InerziaVisibile = !tipoElemento;
    PoissonVisibile = !tipoElemento;
}

bool FinestraProperty::Form_Unload() {
    if (!Aperta) return true;
    return eventi_.Esegui(
        [&] {
            bool chiusa = false;
            eventi_.Esegui(
                [&] {
                    Property& p = Record();
                    // every field is read before anything is written back
                    const double E = LeggiCampo(txtStru[0], Grandezza::Tensione, CaptionStru[0],
                                                FuocoProperty::Stru, 0);
                    double nU = p.nU;
                    if (PoissonVisibile)
                        nU = LeggiNumero(txtStru[1], CaptionStru[1], FuocoProperty::Stru, 1);
                    const double D =
                        LeggiNumero(txtStru[2], CaptionStru[2], FuocoProperty::Stru, 2);
                    const double A =
                        LeggiNumero(txtStru[3], CaptionStru[3], FuocoProperty::Stru, 3);
                    const double area = LeggiCampo(txtSec[0], Grandezza::Area, CaptionSec[0],
                                                   FuocoProperty::Sec, 0);
                    const double J = tipoElemento
                                         ? 0
                                         : LeggiCampo(txtSec[1], Grandezza::Inerzia, CaptionSec[1],
                                                      FuocoProperty::Sec, 1);
                    const double fy =
                        LeggiCampo(txtFy, Grandezza::Tensione, CaptionFy, FuocoProperty::Fy, 0);
                    const bool cambiato = confermato_ || E != eApertura_ || area != areaApertura_ ||
                                          (!tipoElemento && J != jApertura_);
                    // values the window only showed are not judged; a change hands them on
                    const bool materiale = cambiato || nU != p.nU || D != p.Density;
                    const std::string fuori =
                        !materiale
                            ? std::string()
                            : MaterialeFuoriLimiti(E, PoissonVisibile ? nU : 0, D,
                                                   {CaptionStru[0], CaptionStru[1], CaptionStru[2]},
                                                   U().separatori);
                    if (!fuori.empty()) {
                        Rifiuta(FuocoProperty::Stru, !(E > 0) ? 0
                                                     : PoissonVisibile && !(nU >= 0 && nU < 0.5)
                                                         ? 1
                                                         : 2);
                        Msg.Mostra(fuori, Icona::Critica);
                        return;
                    }
                    if (!(fy >= 0)) {
                        Rifiuta(FuocoProperty::Fy, 0);
                        Msg.Mostra(std::string(CaptionFy) + ": il valore non può essere negativo.",
                                   Icona::Critica);
                        return;
                    }
                    if (Scelta) {
                        // the chooser closes with its owner
                        auto s = std::move(Scelta);
                        s->Collegamento.ComunicaProfilo = nullptr;
                        s->Collegamento.ProfiliQuit = nullptr;
                    }
                    p.E = E;
                    p.nU = nU;
                    p.Density = D;
                    p.Alfa = A;
                    p.NomeMat = txtMateriale.testo;
                    p.Area = area;
                    p.Jota = J;
                    p.tipo =
                        tipoElemento ? (tipoRecord_ != 0 ? tipoRecord_ : int16_t{1}) : int16_t{0};
                    p.DidSezione = txtDidSezione.testo;
                    p.fyBeam = fy;
                    // what the window only showed leaves the main window's E and J alone
                    if (cambiato) ScriviEJTrave(p.E, p.Jota);
                    if (nuovo_) Trave.SezioneProgetto.Prop = std::move(nuovo_);
                    chiusa = true;
                },
                "Form_Unload");
            if (!chiusa) return false;
            Aperta = Visibile = false;
            TraveVisibile = true;
            FrameMaterials = FrameEdit = false;
            return true;
        },
        "Form_Unload");
}

EsitoChiusura FinestraProperty::Chiusura() {
    if (!Aperta) return EsitoChiusura::Chiusa;
    if (Trave.Occupato()) return EsitoChiusura::Occupata;
    // the editor's text counts as typed, as when it loses the focus
    if (Visibile && FrameEdit && FlexGrid0.visibile && FlexGrid0.editor.visibile)
        Editor_PerdeFuoco();
    return Form_Unload() ? EsitoChiusura::Chiusa : EsitoChiusura::Rifiutata;
}

void FinestraProperty::ScriviEJTrave(double E, double J) {
    const float e = ASingolo(E), j = ASingolo(J);
    Trave.Modulo.Dati.E = e;
    Trave.Modulo.Dati.J = j;
    Trave.txtDati[1].Scrivi(Trave.TestoUnita(Grandezza::Tensione, e, true), e);
    Trave.txtDati[2].Scrivi(Trave.TestoUnita(Grandezza::Inerzia, j, true), j);
}

void FinestraProperty::SSTab1_Click(int scheda) {
    if (scheda < 0 || scheda > 2) return;
    eventi_.Esegui(
        [&] {
            Scheda = scheda;
            if (scheda == 2) eventi_.Esegui([&] { PreparaGeometria(); }, "SSTab1_Click");
            if (scheda == 1) AggiornaVerifica();
        },
        "SSTab1_Click");
}

void FinestraProperty::PreparaGeometria() {
    geometriaDisegnabile_ = false;
    Property& p = Record();
    if (p.SezioneConEdit) {
        SezioneEdit& s = p.SezioneEd;
        if (s.CollEdit.empty()) return; // no section yet: nothing to draw
        s.UnitaLunghezza = UnitaLunghezzaSezione();
        s.LetturaSucc = false;
        if (!s.DatiLeggeScrive(Verso::Leggi) || !s.FormLeggeDatiContinua(Msg)) {
            Msg.Mostra(TestoErrorePlottaggio, Icona::Critica);
            return;
        }
        geometriaDisegnabile_ = true;
        return;
    }
    if (p.SezionePr.TipoProfilo.empty()) return;
    RegistroMessaggi muto;
    if (!p.SezionePr.Coordinate(muto)) {
        Msg.Mostra(TestoErrorePlottaggio, Icona::Critica);
        return;
    }
    geometriaDisegnabile_ = true;
}

DisegnoSezione FinestraProperty::DisegnoGeometria() {
    if (!Aperta || !geometriaDisegnabile_) return {};
    Property& p = Record();
    return p.SezioneConEdit ? DisegnoDi(p.SezioneEd) : DisegnoDi(p.SezionePr);
}

DisegnoSezione FinestraProperty::DisegnoEditor() {
    if (!Aperta || !FrameEdit || !FiguraDisegnata) return {};
    return DisegnoDi(Record().SezioneEd);
}

// ---------------------------------------------------------------------------
// Profiles.

void FinestraProperty::ApriScelta() {
    scelteChiuse_.clear();
    Visibile = false;
    TraveVisibile = false;
    Scelta = std::make_unique<ModelloSceltaProfili>(Catalogo, Msg);
    Scelta->separatori = U().separatori;
    if (Scelta->Collegamento.Identificazione().empty()) {
        Scelta.reset();
        Msg.Mostra(std::string("Program Sagomix_v6 not installed or not properly installed.") +
                       ACapo + "Download the program from my web site.",
                   Icona::Informazione);
        // nothing to choose from: both windows come back
        Visibile = TraveVisibile = true;
        return;
    }
    Scelta->Collegamento.ComunicaProfilo = [this] { mSezioneProfili_ComunicaProfilo(); };
    Scelta->Collegamento.ProfiliQuit = [this] { mSezioneProfili_ProfiliQuit(); };
    // the chooser opens on the current profile
    const Property& p = Record();
    if (!p.SezioneConEdit) {
        Scelta->Doppi = p.SezionePr.Doppi;
        Scelta->DoppiCorto = p.SezionePr.DoppiCorto;
        Scelta->dDoppi = FormatoNumero(U().separatori, ASingolo(p.SezionePr.dDoppi * 1000.0));
        if (const RigaCatalogo* r = Catalogo.CercaDimensioni(p.SezionePr)) {
            const auto& fam = ModelloSceltaProfili::Famiglie();
            for (size_t k = 0; k < fam.size(); ++k)
                if (r->nome.rfind(fam[k], 0) == 0 && (fam[k] != "L" || r->nome.size() > 1))
                    Scelta->Famiglia = static_cast<int>(k);
            const auto righe = Scelta->Righe();
            for (size_t k = 0; k < righe.size(); ++k)
                if (righe[k] == r) Scelta->Selezionata = static_cast<int>(k);
        }
        for (size_t g = 0; g < GradiAcciaio().size(); ++g)
            if (GradiAcciaio()[g].fy * 1e6 == p.SezionePr.fySteelTMP)
                Scelta->Grado = static_cast<int>(g);
    }
    if (Scelta->Selezionata < 0 && !Scelta->Righe().empty()) Scelta->Selezionata = 0;
}

void FinestraProperty::mSezioneProfili_ComunicaProfilo() {
    eventi_.Esegui(
        [&] {
            if (!Scelta) return;
            const SceltaProfili& s = Scelta->Collegamento;
            Property& p = Record();
            SezioneProfili nuovo;
            if (!RiceviProfilo(s, nuovo, Msg)) return;
            p.SezionePr = std::move(nuovo);
            const double A = p.SezionePr.Numero() * static_cast<double>(p.SezionePr.Area);
            const double J = p.SezionePr.InerziaFlessione();
            txtDidSezione.Scrivi(s.Descrizione);
            txtSec[0].Scrivi(U().Testo(Grandezza::Area, A), A);
            txtSec[1].Scrivi(U().Testo(Grandezza::Inerzia, J), J);
            p.DidSezione = s.Descrizione;
            p.Area = A;
            p.Jota = J;
            p.SezioneConEdit = false;
            confermato_ = true;
            p.fyBeam = p.SezionePr.fySteelTMP;
            p.CalcolaMy();
            txtFy.Scrivi(U().Testo(Grandezza::Tensione, p.fyBeam), p.fyBeam);
            RuotaAbilitato = true;
            PreparaGeometria();
            AggiornaVerifica();
        },
        "mSezioneProfili_ComunicaProfilo");
}

void FinestraProperty::mSezioneProfili_ProfiliQuit() {
    eventi_.Esegui(
        [&] {
            Visibile = true;
            TraveVisibile = true;
            // the link is released after the event has returned
            scelteChiuse_.push_back(std::move(Scelta));
        },
        "mSezioneProfili_ProfiliQuit");
}

void FinestraProperty::RilasciaSceltaChiusa() {
    scelteChiuse_.clear();
}

void FinestraProperty::Ruota() {
    Property& p = Record();
    if (p.SezioneConEdit || p.SezionePr.TipoProfilo.empty()) return;
    SezioneProfili& s = p.SezionePr;
    s.SezioneProfiliRuotata = !s.SezioneProfiliRuotata;
    // a pair turns as one section
    const double J = s.InerziaFlessione();
    p.Jota = J;
    confermato_ = true;
    double h = 0, b = 0;
    s.DimSez(h, b);
    txtSec[1].Scrivi(U().Testo(Grandezza::Inerzia, J), J);
    PreparaGeometria();
    if (p.fyBeam > 0) p.CalcolaMy();
    AggiornaVerifica();
}

} // namespace zelvo
