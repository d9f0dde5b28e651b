// The section-properties window `frmProperty` ("Beam Property") without a
// toolkit: the fields of its three tabs, the materials panel, the section
// editor, the profile chooser's link and the hand-off of E and J to the main
// window. The Qt window shows this model and forwards every event to it.
// The model is written in four parts: opening, closing and profiles
// (finestra_property.cpp), the materials panel (finestra_materiali.cpp), the
// section editor (finestra_sezione_edit.cpp) and the section check
// (finestra_verifica.cpp).
//
// The window works on the main window's section record
// (`ModelloForm::SezioneProgetto`); when none exists yet, the new record
// starts from the main window's current E and J, so that closing the window
// without changes hands the same values back.
//
// Section check (read-only; only the yield stress typed for it is kept with
// the record and its file): the elastic and plastic section moduli about the
// horizontal axis of the current section (a catalogue profile's include its
// fillets), and, with a yield stress and a steel section (a profile, or a
// material named as a steel), Wel·fy and Wpl·fy as characteristic values
// without partial factors; after a calculation of the main window, the
// largest |M| of its results and |M|/(Wpl·fy), not verified above 1.
#pragma once

#include "core/messaggi.h"
#include "form/modello_form.h"
#include "form/scelta_profili_form.h"
#include "io/griglia_testo.h"
#include "section/esporta_sezione.h"
#include "section/property.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

// Controls of the window that take the keyboard focus.
enum class FuocoProperty {
    Nessuno,
    Righe,   // txtRigheGriglia(0)
    Griglia, // FlexGrid(0)
    Editor,  // txtEdit(0)
    Raggio,  // RaggioTxt(indice)
    OKEdit,  // cmdOKEdit
    Stru,    // txtStru(indice), tab "Material"
    Sec,     // txtSec(indice), tab "Section"
    Fy,      // txtFy, tab "Section"
    Text,    // Text(indice) of the materials panel
};

// The section check shown on the "Section" tab.
struct VerificaSezione {
    bool moduli = false;         // Wel and Wpl known
    double Wel = 0, Wpl = 0;     // m³
    bool resistenze = false;     // a yield stress > 0 is known
    double fy = 0;               // N/m²
    double Mel = 0, Mpl = 0;     // N·m
    bool sollecitazione = false; // the main window has results
    double Mmax = 0;             // largest |M| of the results, N·m
    double rapporto = 0;         // Mmax / Mpl
    bool acciaio = false;        // a steel section: the plastic check applies
    std::string motivo;          // why there is no check (one line), or empty
    bool Verificata() const { return rapporto <= 1; }
};

// Checks a material's values (E in N/m²): the message naming the first field
// out of its range, or empty. E > 0; 0 <= Poisson's ratio < 0.5; density >= 0;
// the thermal expansion may have either sign. `nomi`: the captions of E,
// Poisson's ratio and density where they were typed.
std::string MaterialeFuoriLimiti(double E, double nU, double Density,
                                 const std::array<std::string, 3>& nomi, const Separatori& s);

// A material's name that says steel ("Steel", "Acciaio inox", "S355").
bool NomeAcciaio(const std::string& nome);

// The note of the materials panel while the user has no materials file of
// his own (the shipped defaults are shown): where "Save Materials" will write
// them. Empty once the file exists.
std::string AvvisoMaterialiPredefiniti(const std::filesystem::path& fileUtente);

// How a request to close the window ended.
enum class EsitoChiusura {
    Chiusa,    // closed: the record written back, E and J handed on
    Occupata,  // refused: the main window is running a calculation
    Rifiutata, // a field refused (its message shown): the window stays
};

class FinestraProperty {
  public:
    // The window refers to the main window's model (record, units, results,
    // the fields E and J) and to the message sink; both outlive it.
    FinestraProperty(ModelloForm& trave, Messaggi& msg);
    ~FinestraProperty();

    ModelloForm& Trave;
    Messaggi& Msg;
    // The user's materials file (in the user's data folder unless a test says
    // otherwise) and the shipped defaults read while the user has none.
    std::filesystem::path FileMateriali = PercorsoMateriali();
    std::filesystem::path FileMaterialiPredefiniti = PercorsoMaterialiPredefiniti();
    // The profile catalogue of the chooser (loaded at the first opening).
    CatalogoProfili Catalogo;

    // --- window ---
    bool Aperta = false;
    bool Visibile = false;     // hidden while the profile chooser is open
    bool TraveVisibile = true; // the main window, hidden with it
    int Scheda = 0;            // SSTab1: 0 "Material", 1 "Section", 2 "Geometry"
    bool tipoElemento = false; // element-kind flag (record's tipo not 0)

    // --- tab "Material" ---
    CampoForm txtMateriale;
    std::array<CampoForm, 4> txtStru; // E, Poisson, density, thermal expansion
    std::string lblStru0;             // stress unit
    bool PoissonVisibile = true;      // txtStru(1) and didStru(1)

    // --- tab "Section" ---
    std::array<CampoForm, 2> txtSec; // area, inertia
    std::string lblSec0, lblSec1;    // area and inertia units (without the exponent)
    bool InerziaVisibile = true;     // txtSec(1), didSec(1), lblSec(1)
    CampoForm txtFy;                 // yield stress for the check (stress unit)
    // The user types a yield stress for the check.
    void ImpostaFy(const std::string& testo);

    // --- tab "Geometry" ---
    CampoForm txtDidSezione;
    bool RuotaAbilitato = false; // "&Rotate" acts on a profile only

    // --- materials panel ---
    bool FrameMaterials = false;
    TabellaMateriali MSFlexGrid1;
    std::array<std::string, 6> Text; // Text(1)..Text(5)
    std::string lblUnitaMateriali;   // stress unit of the panel
    std::string lblPredefiniti;      // AvvisoMaterialiPredefiniti of FileMateriali

    // --- section editor ---
    bool FrameEdit = false;
    int TipoSelezionato = -1; // OpTipoSezione(0..6); -1 none
    GrigliaTesto FlexGrid0;   // shape grid (row 0 headers, column 0 row numbers)
    CampoForm txtRigheGriglia0;
    bool RigheVisibili = false; // row-count box and its label "n"
    bool RaggioFrm = false;
    std::string RaggioFrmCaption = "Hollow Circular Section";
    std::array<CampoForm, 3> RaggioTxt; // R external, R internal, n Vertex
    bool NVertexVisibile = false;
    std::string RaggioUnit;                   // "[" + length unit + "]"
    std::array<std::string, 5> Risultati;     // Risultati(1..4)
    std::array<std::string, 5> RisultatiUnit; // their unit labels
    bool FiguraDisegnata = false;             // the editor's picture shows the section
    FuocoProperty fuoco = FuocoProperty::Nessuno;
    int fuocoIndice = 0;

    // --- the chooser (the stand-in for the outside profile program) ---
    std::unique_ptr<ModelloSceltaProfili> Scelta; // present while it is open

    // ------------------------------------------------------------------
    // Opening and closing.
    void Form_Load();
    // Close box or "&Close": the record written back; E and J go to the main
    // window only when the window changed or confirmed something (a new E,
    // area or inertia typed, a material, a section or a profile confirmed, a
    // rotation). False, with the window left open and the focus on the field,
    // when a field holds a text that is not a number or a material value out
    // of range (its message shown): nothing is written back.
    bool Form_Unload();
    bool cmdClose_Click() { return Form_Unload(); }
    // The window is asked to close (its close box, "&Close", or the main
    // window replacing, saving or closing its problem): refused while the
    // main window runs a calculation (E and J do not change under its
    // passes); a cell editor open on the shape grid puts its text into its
    // cell first; then Form_Unload. A window already closed stays closed.
    EsitoChiusura Chiusura();
    void SSTab1_Click(int scheda);
    // The record being edited (present while the window is open).
    Property& Record();

    // Materials panel.
    void cmdMaterials_Click();
    void MSFlexGrid1_Click(int riga);
    void cmdAggiungi_Click();
    void cmdEliminRiga_Click();
    void cmdMatDefault_Click();
    void cmdSalvaMat_Click();
    void cmdOKMateriali_Click(int i);

    // Section editor.
    void cmdGeo_Click(int i); // 0 "&Profili", 1 "&Edit", 2 "&Rotate"
    void OpTipoSezione_Click(int i);
    // Enter in the row-count box (its text already typed).
    void txtRigheGriglia_Invio();
    // Enter in RaggioTxt(i).
    void RaggioTxt_Invio(int i);
    // Click on the picture: build, compute, show the results; false when the
    // section could not be built (its messages shown).
    bool Figura_Click();
    void cmdOKEdit_Click();
    void cmdAnnullaEdit_Click();
    // Shape-grid events, with the load grids' editing behaviour.
    void Griglia_SelezionaCella(int r, int c);
    void Griglia_Tasto(int carattere); // a key typed on the grid
    void Griglia_DoppioClick();        // opens the editor on the current cell
    void Editor_Tasto(TastoEditor tasto);
    void Editor_PerdeFuoco();
    // The editor's text edited (with its caret or selection).
    void Editor_Edita(const std::string& testo, int selInizio, int selLunghezza);
    // The grid's own mouse and scroll events: an open editor's text goes into its cell.
    void Griglia_Scorre();

    // The chooser's two events.
    void mSezioneProfili_ComunicaProfilo();
    void mSezioneProfili_ProfiliQuit();

    // Section check of the current section and material.
    VerificaSezione Verifica() const { return verifica_; }
    // Its figures as the tab shows them (empty where not known).
    struct TestiVerifica {
        std::string Wel, Wpl, unitaW, Mel, Mpl, Mmax, rapporto, unitaM;
        bool verificata = true; // |M|/Mpl <= 1 (shown in red otherwise)
        std::string motivo;     // why no plastic check is offered, or empty
    };
    TestiVerifica TestiDellaVerifica() const;
    // Recomputes the check (after a section change, a new fy, a calculation).
    void AggiornaVerifica();

    // Drawings: the current section on the Geometry tab (`PictureEdit`) and
    // the editor's section (`Figura`); empty when there is nothing to draw.
    DisegnoSezione DisegnoGeometria();
    DisegnoSezione DisegnoEditor();

    // Releases the chooser closed by its ProfiliQuit (called by the view
    // once the event has returned).
    void RilasciaSceltaChiusa();

    // The window's events keep the windows' event contract
    // (form/evento_form.h): each counts one change (`Revisione`) and tells the
    // observer (`Cambiato`) once, however many steps it ran; a fault shows
    // "Errore nella Sub " and the event's name, a text that is not a number
    // its own message, and leaves the window usable.
    uint64_t Revisione() const { return eventi_.Revisione(); }
    std::function<void()> Cambiato;
    // The main window changed (a new calculation, new results): the check
    // re-reads them. Called by the view whenever the main window changes.
    void SeguiTrave();

  private:
    GuardiaEventi eventi_;
    std::unique_ptr<Property> nuovo_; // the record while no main-window record exists
    VerificaSezione verifica_;
    bool geometriaDisegnabile_ = false;
    int16_t tipoRecord_ = 0;
    std::vector<std::string> intestazioni_;
    double areaEditor_ = 0, inerziaEditor_ = 0;
    std::vector<std::unique_ptr<ModelloSceltaProfili>> scelteChiuse_;
    // Hand-back of E and J: the values the window opened with, and whether
    // something was confirmed since.
    double eApertura_ = 0, areaApertura_ = 0, jApertura_ = 0;
    bool confermato_ = false;
    uint64_t revisioneTrave_ = 0;

    // The units the window was opened with: it shows and reads every field
    // in them (its labels say so), whatever the main window switches to
    // meanwhile; E and J go back in the main window's units of the moment.
    UnitMisura unita_;
    const UnitMisura& U() const { return unita_; }
    void AggiornaTxt();
    void VisualizzaPerTipo();
    void InizializzaGriglie(int tipo);
    void DimensionaGriglia(int16_t n);
    CampiEditorSezione Campi() const;
    void ScriviCampiEditor(const CampiEditorSezione& c);
    void PuliziaRisultati();
    void PreparaGeometria();
    void PreparaTipo(int tipo, bool nuovo);
    void PreparaComportamento();
    void EsitoGriglia(EsitoTasto e);
    void ApriScelta();
    void Ruota();
    void ScriviEJTrave(double E, double J);
    // A field read strictly (NumeroRifiutato naming `luogo`, the focus set
    // on it); empty is 0. With a quantity, from the shown unit to internal.
    double LeggiCampo(const CampoForm& c, Grandezza g, const std::string& luogo, FuocoProperty f,
                      int indice = 0);
    double LeggiNumero(const CampoForm& c, const std::string& luogo, FuocoProperty f,
                       int indice = 0);
    void Rifiuta(FuocoProperty f, int indice);
    std::string UnitaLunghezzaSezione() const;
    // A unit with its exponent ("cm" "²"); no unit stays none.
    static std::string Esponente(const std::string& unita, const char* esp) {
        return unita.empty() ? unita : unita + esp;
    }
};

} // namespace zelvo
