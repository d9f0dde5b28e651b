#include "form/finestra_property.h"

#include "core/guasto.h"
#include "io/generale.h"
#include "io/numeri.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>

namespace zelvo {

namespace {

// Every event ends here when a fault escapes its routine: the routine is
// named, the window stays usable.
void Trappola(Messaggi& msg, const char* nome, const std::function<void()>& f) {
    try {
        f();
    } catch (const NumeroRifiutato& e) {
        // a typed text that is not a number: its own message, nothing done
        msg.Mostra(e.what(), Icona::Critica);
    } catch (const Guasto&) {
        msg.Mostra(std::string("Errore nella Sub ") + nome, Icona::Critica);
    } catch (const ErroreFile&) {
        msg.Mostra(std::string("Errore nella Sub ") + nome, Icona::Critica);
    } catch (const std::exception&) {
        msg.Mostra(std::string("Errore nella Sub ") + nome, Icona::Critica);
    }
}

// A grid cell as a field shows it: without the blank kept for the sign.
std::string SenzaBordi(const std::string& t) {
    const size_t a = t.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    return t.substr(a, t.find_last_not_of(' ') - a + 1);
}

void IntestaMateriali(TabellaMateriali& t) {
    static const char* testi[] = {"", "Name", "E", "Poisson", "Density", "Therm. Exp."};
    for (int c = 0; c < 6; ++c)
        t.Griglia.Scrivi(0, c, testi[c]);
}

std::string Esponente(const std::string& unita, const char* esp) {
    return unita.empty() ? unita : unita + esp;
}

// The captions of the fields, as refusals name them.
const char* const CaptionStru[] = {"Young Modulus", "Poisson's Ratio", "Density",
                                   "Thermal Expansion"};
const char* const CaptionSec[] = {"Section Area", "I"};
const char* const CaptionFy = "Yield stress fy";
// The materials grid's column captions (its refusals name them).
const char* const ColonneMateriali[] = {"", "Name", "E", "Poisson", "Density", "Therm. Exp."};

} // namespace

std::string MaterialeFuoriLimiti(double E, double nU, double Density,
                                 const std::array<std::string, 3>& nomi, const Separatori& s) {
    if (!(E > 0)) return nomi[0] + ": il valore deve essere maggiore di 0.";
    if (!(nU >= 0 && nU < 0.5))
        return nomi[1] + ": il valore deve essere almeno 0 e minore di 0" + s.decimale + "5.";
    if (!(Density >= 0)) return nomi[2] + ": il valore non può essere negativo.";
    return "";
}

std::string AvvisoMaterialiPredefiniti(const std::filesystem::path& fileUtente) {
    std::error_code e;
    if (fileUtente.empty() || std::filesystem::exists(fileUtente, e)) return "";
    return "Materiali predefiniti: «Save Materials» li scriverà in " + fileUtente.string();
}

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

FinestraProperty::FinestraProperty(ModelloForm& trave, Messaggi& msg)
    : Trave(trave), Msg(msg), unita_(trave.Unita) {}
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
    Trappola(Msg, "Form_Load", [&] {
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
    });
    Cambiato();
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
    bool chiusa = false;
    Trappola(Msg, "Form_Unload", [&] {
        Property& p = Record();
        // every field is read before anything is written back
        const double E =
            LeggiCampo(txtStru[0], Grandezza::Tensione, CaptionStru[0], FuocoProperty::Stru, 0);
        double nU = p.nU;
        if (PoissonVisibile) nU = LeggiNumero(txtStru[1], CaptionStru[1], FuocoProperty::Stru, 1);
        const double D = LeggiNumero(txtStru[2], CaptionStru[2], FuocoProperty::Stru, 2);
        const double A = LeggiNumero(txtStru[3], CaptionStru[3], FuocoProperty::Stru, 3);
        const double area =
            LeggiCampo(txtSec[0], Grandezza::Area, CaptionSec[0], FuocoProperty::Sec, 0);
        const double J = tipoElemento ? 0
                                      : LeggiCampo(txtSec[1], Grandezza::Inerzia, CaptionSec[1],
                                                   FuocoProperty::Sec, 1);
        const double fy = LeggiCampo(txtFy, Grandezza::Tensione, CaptionFy, FuocoProperty::Fy, 0);
        const bool cambiato = confermato_ || E != eApertura_ || area != areaApertura_ ||
                              (!tipoElemento && J != jApertura_);
        // values the window only showed are not judged; a change hands them on
        const bool materiale = cambiato || nU != p.nU || D != p.Density;
        const std::string fuori =
            !materiale ? std::string()
                       : MaterialeFuoriLimiti(E, PoissonVisibile ? nU : 0, D,
                                              {CaptionStru[0], CaptionStru[1], CaptionStru[2]},
                                              U().separatori);
        if (!fuori.empty()) {
            Rifiuta(FuocoProperty::Stru, !(E > 0)                                    ? 0
                                         : PoissonVisibile && !(nU >= 0 && nU < 0.5) ? 1
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
        p.tipo = tipoElemento ? (tipoRecord_ != 0 ? tipoRecord_ : int16_t{1}) : int16_t{0};
        p.DidSezione = txtDidSezione.testo;
        p.fyBeam = fy;
        // what the window only showed leaves the main window's E and J alone
        if (cambiato) ScriviEJTrave(p.E, p.Jota);
        if (nuovo_) Trave.SezioneProgetto.Prop = std::move(nuovo_);
        chiusa = true;
    });
    if (!chiusa) {
        Cambiato();
        return false;
    }
    Aperta = Visibile = false;
    TraveVisibile = true;
    FrameMaterials = FrameEdit = false;
    Cambiato();
    return true;
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
    Scheda = scheda;
    if (scheda == 2) Trappola(Msg, "SSTab1_Click", [&] { PreparaGeometria(); });
    if (scheda == 1) AggiornaVerifica();
    Cambiato();
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
// Materials panel.

void FinestraProperty::cmdMaterials_Click() {
    Trappola(Msg, "cmdMaterials_Click", [&] {
        FrameMaterials = true;
        lblUnitaMateriali = U().Etichetta(Grandezza::Tensione);
        for (auto& t : Text)
            t.clear();
        FileMaterialiLeggeScrive(MSFlexGrid1, Verso::Leggi, Msg, U(), FileMateriali,
                                 FileMaterialiPredefiniti);
        lblPredefiniti = AvvisoMaterialiPredefiniti(FileMateriali);
        IntestaMateriali(MSFlexGrid1);
        int scelta = 1;
        for (int r = 1; r < MSFlexGrid1.Righe(); ++r)
            if (MSFlexGrid1.Griglia.Testo(r, 1) == txtMateriale.testo) {
                scelta = r;
                break;
            }
        MSFlexGrid1_Click(scelta);
    });
    Cambiato();
}

void FinestraProperty::MSFlexGrid1_Click(int riga) {
    if (riga < 1 || riga >= MSFlexGrid1.Righe()) return;
    GrigliaTesto& g = MSFlexGrid1.Griglia;
    for (int r = 1; r < g.Righe(); ++r)
        g.Scrivi(r, 0, "");
    g.Scrivi(riga, 0, ">");
    g.CellaCorrente(riga, 1);
    MSFlexGrid1.Selezionata = riga;
    for (int c = 1; c <= 5; ++c)
        Text[static_cast<size_t>(c)] = SenzaBordi(g.Testo(riga, c));
    Cambiato();
}

void FinestraProperty::cmdAggiungi_Click() {
    Trappola(Msg, "cmdAggiungi_Click", [&] {
        const int n = MSFlexGrid1.Righe();
        if (n >= 32767) throw Guasto("troppi materiali");
        const Separatori& sep = U().separatori;
        double v[6] = {};
        for (int c = 2; c <= 5; ++c) {
            try {
                v[c] =
                    Finito(LeggiTipizzato(Text[static_cast<size_t>(c)], sep, ColonneMateriali[c]));
            } catch (const NumeroRifiutato&) {
                Rifiuta(FuocoProperty::Text, c);
                throw;
            }
        }
        const double E = Finito(U().Interna(Grandezza::Tensione, v[2]));
        const std::string fuori = MaterialeFuoriLimiti(
            E, v[3], v[4], {ColonneMateriali[2], ColonneMateriali[3], ColonneMateriali[4]}, sep);
        if (!fuori.empty()) {
            Rifiuta(FuocoProperty::Text, !(E > 0) ? 2 : !(v[3] >= 0 && v[3] < 0.5) ? 3 : 4);
            Msg.Mostra(fuori, Icona::Critica);
            return;
        }
        MSFlexGrid1.Riempi(n, Text[1], E, v[3], v[4], v[5], U());
        MSFlexGrid1_Click(n);
    });
    Cambiato();
}

void FinestraProperty::cmdEliminRiga_Click() {
    Trappola(Msg, "cmdEliminRiga_Click", [&] {
        if (MSFlexGrid1.EliminaRiga(MSFlexGrid1.Selezionata, Msg))
            MSFlexGrid1_Click(std::min(MSFlexGrid1.Selezionata, MSFlexGrid1.Righe() - 1));
    });
    Cambiato();
}

void FinestraProperty::cmdMatDefault_Click() {
    Trappola(Msg, "cmdMatDefault_Click", [&] {
        MSFlexGrid1.Default(U());
        IntestaMateriali(MSFlexGrid1);
        MSFlexGrid1_Click(1);
    });
    Cambiato();
}

void FinestraProperty::cmdSalvaMat_Click() {
    Trappola(Msg, "cmdSalvaMat_Click", [&] {
        // every row is checked first: nothing out of range reaches the file
        const Separatori& sep = U().separatori;
        const GrigliaTesto& g = MSFlexGrid1.Griglia;
        for (int r = 1; r < MSFlexGrid1.Righe(); ++r) {
            double v[6] = {};
            for (int c = 2; c <= 5; ++c) {
                const std::string luogo =
                    "Materiali, riga " + std::to_string(r) + ", colonna " + ColonneMateriali[c];
                v[c] = LeggiTipizzato(SenzaBordi(g.Testo(r, c)), sep, luogo);
            }
            const std::string riga = "Materiali, riga " + std::to_string(r) + ", colonna ";
            const std::string fuori =
                MaterialeFuoriLimiti(U().Interna(Grandezza::Tensione, v[2]), v[3], v[4],
                                     {riga + ColonneMateriali[2], riga + ColonneMateriali[3],
                                      riga + ColonneMateriali[4]},
                                     sep);
            if (!fuori.empty()) {
                MSFlexGrid1_Click(r);
                Msg.Mostra(fuori, Icona::Critica);
                return;
            }
        }
        FileMaterialiLeggeScrive(MSFlexGrid1, Verso::Scrivi, Msg, U(), FileMateriali);
        lblPredefiniti = AvvisoMaterialiPredefiniti(FileMateriali);
    });
    Cambiato();
}

void FinestraProperty::cmdOKMateriali_Click(int i) {
    if (i == 0) {
        const int r = MSFlexGrid1.Selezionata;
        if (r >= 1 && r < MSFlexGrid1.Righe()) {
            const GrigliaTesto& g = MSFlexGrid1.Griglia;
            txtMateriale.Scrivi(SenzaBordi(g.Testo(r, 1)));
            for (int k = 0; k < 4; ++k)
                txtStru[static_cast<size_t>(k)].Scrivi(SenzaBordi(g.Testo(r, k + 2)));
            confermato_ = true; // a material confirmed: its E goes to the beam
        }
        for (int riga = 1; riga < MSFlexGrid1.Righe(); ++riga)
            MSFlexGrid1.Griglia.Scrivi(riga, 0, "");
    }
    FrameMaterials = false;
    Cambiato();
}

// ---------------------------------------------------------------------------
// Section editor.

void FinestraProperty::PuliziaRisultati() {
    for (auto& r : Risultati)
        r.clear();
    FiguraDisegnata = false;
}

void FinestraProperty::cmdGeo_Click(int i) {
    Trappola(Msg, "cmdGeo_Click", [&] {
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
    });
    Cambiato();
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
    Trappola(Msg, "OpTipoSezione_Click", [&] {
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
    });
    Cambiato();
}

void FinestraProperty::txtRigheGriglia_Invio() {
    Trappola(Msg, "txtRigheGriglia_Invio", [&] {
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
    });
    Cambiato();
}

void FinestraProperty::RaggioTxt_Invio(int i) {
    if (i == 0) {
        fuoco = FuocoProperty::Raggio;
        fuocoIndice = 1;
    } else {
        fuoco = FuocoProperty::OKEdit;
    }
    Cambiato();
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
    Trappola(Msg, "Figura_Click", [&] {
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
    });
    Cambiato();
    return ok;
}

void FinestraProperty::cmdOKEdit_Click() {
    if (!FrameEdit) return;
    if (!Figura_Click()) return; // the editor stays open on a section that cannot be built
    Trappola(Msg, "cmdOKEdit_Click", [&] {
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
    });
    Cambiato();
}

void FinestraProperty::cmdAnnullaEdit_Click() {
    Trappola(Msg, "cmdAnnullaEdit_Click", [&] {
        SezioneEdit& s = Record().SezioneEd;
        if (!s.CollEdit.empty()) {
            RegistroMessaggi muto;
            s.LetturaSucc = false;
            if (s.DatiLeggeScrive(Verso::Leggi)) s.FormLeggeDatiContinua(muto);
        }
    });
    FrameEdit = false;
    FlexGrid0.editor.visibile = false;
    FiguraDisegnata = false;
    fuoco = FuocoProperty::Nessuno;
    Cambiato();
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
    Trappola(Msg, "Griglia_SelezionaCella", [&] {
        EsitoGriglia(FlexGrid0.SelezionaCella(r, c) ? EsitoTasto::Editor : EsitoTasto::Griglia);
    });
    Cambiato();
}

void FinestraProperty::Griglia_Tasto(int carattere) {
    Trappola(Msg, "Griglia_Tasto", [&] {
        if (!FlexGrid0.visibile) return;
        if (FlexGrid0.EditaCella(carattere)) fuoco = FuocoProperty::Editor;
    });
    Cambiato();
}

void FinestraProperty::Griglia_DoppioClick() {
    Griglia_Tasto(0);
}

void FinestraProperty::Editor_Tasto(TastoEditor tasto) {
    Trappola(Msg, "Editor_Tasto", [&] { EsitoGriglia(FlexGrid0.Tasto(tasto)); });
    Cambiato();
}

void FinestraProperty::Editor_PerdeFuoco() {
    Trappola(Msg, "Editor_PerdeFuoco", [&] { FlexGrid0.EditorPerdeFuoco(); });
    Cambiato();
}

void FinestraProperty::Editor_Edita(const std::string& testo, int selInizio, int selLunghezza) {
    EditorCella& e = FlexGrid0.editor;
    e.testo = testo;
    e.selInizio = selInizio;
    e.selLunghezza = selLunghezza;
    Cambiato();
}

void FinestraProperty::Griglia_Scorre() {
    Trappola(Msg, "Griglia_Scorre", [&] { FlexGrid0.CommitEditor(); });
    Cambiato();
}

// ---------------------------------------------------------------------------
// Profiles.

void FinestraProperty::ApriScelta() {
    scelteChiuse_.clear();
    Visibile = false;
    TraveVisibile = false;
    Scelta = std::make_unique<ModelloSceltaProfili>(Catalogo);
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
    Trappola(Msg, "mSezioneProfili_ComunicaProfilo", [&] {
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
    });
    Cambiato();
}

void FinestraProperty::mSezioneProfili_ProfiliQuit() {
    Visibile = true;
    TraveVisibile = true;
    // the link is released after the event has returned
    scelteChiuse_.push_back(std::move(Scelta));
    Cambiato();
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

// ---------------------------------------------------------------------------
// Section check.

void FinestraProperty::ImpostaFy(const std::string& testo) {
    txtFy.Edita(testo);
    AggiornaVerifica();
    Cambiato();
}

void FinestraProperty::SeguiTrave() {
    if (!Aperta || Trave.Revisione() == revisioneTrave_) return;
    revisioneTrave_ = Trave.Revisione();
    AggiornaVerifica();
    Cambiato();
}

void FinestraProperty::AggiornaVerifica() {
    VerificaSezione v;
    Trappola(Msg, "AggiornaVerifica", [&] {
        RegistroMessaggi muto;
        Property& p = Record();
        double Wel = 0, Wpl = 0;
        if (p.SezioneConEdit) {
            SezioneEdit& s = p.SezioneEd;
            if (!s.CollEdit.empty()) {
                SezioneEdit copia;
                copia.UnitaLunghezza = UnitaLunghezzaSezione();
                copia.CollEdit = s.CollEdit;
                if (copia.DatiLeggeScrive(Verso::Leggi) && copia.FormLeggeDatiContinua(muto)) {
                    Wel = std::min(copia.Contorno.WxSuperiore, copia.Contorno.WxInferiore);
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
            v.motivo =
                "Verifica plastica solo per sezioni in acciaio (materiale: " +
                (txtMateriale.testo.empty() ? std::string("non indicato") : txtMateriale.testo) +
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
    });
    verifica_ = v;
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
