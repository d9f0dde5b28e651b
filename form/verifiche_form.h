// The steel member checks of the calculated beam: the design situations built
// from the problem and its results, the checks made on each, and the model of
// the "Verifiche" window. No toolkit.
//
// Design actions. Without load cases the calculated M and V are the design
// actions, one design situation. With load cases the ULS (SLU) envelope is
// turned into two design situations: the envelope's largest M at every
// point, then its smallest M at every point, each with the largest |V| of the
// envelope at that point. Each span is checked under both; the situation
// with the larger utilisation governs the span. The envelope's M curves are
// not equilibrium diagrams: each point is at least as severe as any
// combination, so bending and shear are on the safe side, and the buckling
// analysis sees a moment diagram at least as large as that of the governing
// combination. For the load-height term of lateral-torsional buckling the
// loads of the design situation are every load with its unfavourable partial
// factor over the whole beam (loads above the shear centre: the most
// destabilising); with loads below the shear centre, stabilising, the term
// is left out (safe side).
#pragma once

#include "core/modulo_zelvo.h"
#include "graphics/superficie.h"
#include "io/numeri.h"
#include "section/sezione_profili.h"
#include "section/verifica_acciaio.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zelvo {

inline constexpr const char* TestoBaseCalcolo =
    "Azioni di progetto: risultati del calcolo (nessuna combinazione)";
inline constexpr const char* TestoBaseInviluppo =
    "Azioni di progetto: inviluppo SLU (momenti massimi e minimi, taglio massimo in valore "
    "assoluto)";
inline constexpr const char* TestoNessunProfilo =
    "Nessun profilo d'acciaio scelto: scegliere un profilo IPE, HEA o HEB.";
inline constexpr const char* TestoFondazione =
    "Le travi di fondazione non si verificano con questa finestra.";
inline constexpr const char* TestoNonCalcolato = "Calcolare la trave prima delle verifiche.";
inline constexpr const char* TestoDatiCambiati =
    "Dati cambiati dopo l'ultimo calcolo: calcolare di nuovo la trave prima delle verifiche.";
inline constexpr const char* TestoLuogoRitegni = "Ritegni laterali";
// The section window's pointer to the member check.
inline constexpr const char* TestoRimandoVerifiche =
    "Verifica della membratura: Opzioni > Verifiche...";

// v with `decimali` decimals and the decimal separator of `sep` (0 for a
// value that is not finite).
std::string Decimali(double v, int decimali, const Separatori& sep);

// One design situation: its name and the member check's data.
struct SituazioneVerifica {
    std::string Nome; // "Risultati del calcolo", "Momenti massimi", "Momenti minimi"
    DatiVerificaAcciaio Dati;
};

struct PreparazioneVerifica {
    std::string Motivo;     // why no check can be made; empty when Situazioni are ready
    bool Inviluppo = false; // the design actions come from the SLU envelope
    std::vector<SituazioneVerifica> Situazioni;
};

// The spans of the beam as the checks see them: a single-span scheme one
// span (a cantilever, fixed at A, an overhang to the right); a continuous
// beam its spans, an end span beyond a free end support an overhang. Empty
// for a foundation.
std::vector<TrattoAcciaio> TrattiVerifica(const DatiTrave& d);

// Builds the design situations of `m` (calculated) with the profile of
// `m.Dati.Verifica` taken from `cat`.
PreparazioneVerifica PreparaVerifica(const ModuloZelvo& m, const CatalogoProfili& cat);

// The checks of every design situation merged span by span.
struct RisultatoVerifiche {
    std::string Motivo;          // why no check was made; empty when made
    std::string TestoBase;       // the design-action basis (TestoBase...)
    EsitoVerificaAcciaio Esito;  // Tratti: for each span its governing situation
    std::vector<int> Situazione; // per span, index in NomiSituazioni
    std::vector<std::string> NomiSituazioni;
};
RisultatoVerifiche EseguiVerifiche(const ModuloZelvo& m, const CatalogoProfili& cat);

class ModelloForm;

// The beam's own section handed over by the section window when it is not a
// catalogue profile: a typed (polygon) section of a steel material with a
// yield stress. Its check is the cross-section's bending resistance only.
struct SezioneUtente {
    bool Presente = false;
    std::string Materiale;
    double Wel = 0, Wpl = 0; // m³ (Wel the smaller of the two fibres')
    double fy = 0;           // N/m²
};
SezioneUtente SezioneDellaTrave(const ModelloForm& f);

// The lines of that check: Wel, Wpl, Mel,Rd = Wel·fy/γM0, Mpl,Rd =
// Wpl·fy/γM0 and, with results (MEd = their largest |M|, N·m; < 0: none),
// |MEd|/Mpl,Rd and |MEd|/Mel,Rd with their outcomes, and the note that the
// other checks need a catalogue profile. `verificata` (optional) receives
// whether |MEd| ≤ Mpl,Rd (true without results).
std::vector<std::string> TestiSezioneUtente(const SezioneUtente& s, double gM0, double MEd,
                                            const Separatori& sep, bool* verificata = nullptr);
inline constexpr const char* TestoSoloCatalogo =
    "La verifica a svergolamento, la classificazione e la verifica a taglio richiedono un profilo "
    "del catalogo (IPE, HEA, HEB).";
// Why the main window's results are not the problem's (TestoNonCalcolato:
// none, or being computed; TestoDatiCambiati: data typed since), "" when
// they are.
std::string MotivoRisultatiNonAttuali(const ModelloForm& f);

// The reason a member is outside the checks, as the window shows it.
std::string TestoMotivoFuoriAmbito(MotivoFuoriAmbito m);

// One row of the checks' table: a check of a span.
struct RigaVerifica {
    std::string Campata;    // "1", "2 (sbalzo)"
    std::string Controllo;  // "Flessione", "Flessione e taglio", "Taglio", "Svergolamento",
                            // "Freccia", "Freccia variabili"
    std::string Azione;     // "MEd = 90,00 kN·m"
    std::string Resistenza; // "Mc,Rd = 140,64 kN·m"
    double Utilizzo = 0;
    std::string TestoUtilizzo; // "0,640"
    bool Rosso = false;        // utilisation above 1
    std::string Esito;         // "verificata", "non verificata"
    std::string Classe;        // the section class for bending, "1" to "3"
};

// The picture of the critical mode of the governing lateral-torsional
// buckling length (the checked length with the largest buckling
// utilisation), in plan: the analysed length from xa to xb (m, beam
// abscissae), the governing length x0..x1 in it, the restraints (forks and
// the fixed support of an overhang) and the lateral displacement of the
// compression flange, w = v ± (h/2)·φ (the flange that moves more),
// normalised to max |w| = 1.
struct FiguraSvergolamento {
    bool Presente = false;
    std::string Didascalia; // "Forma critica dello svergolamento: campata 1, x = ..."
    double xa = 0, xb = 0, x0 = 0, x1 = 0;
    std::vector<double> Forcelle, Incastri;
    std::vector<double> x, w;
    std::string TestoInizio, TestoFine; // the abscissae of xa and xb, "0,00 m"
};

// Draws the picture over the whole device (device units); nothing when
// not Presente.
void DisegnaFormaSvergolamento(Tela& t, const FiguraSvergolamento& f);

// What the window and the report show of the checks: the reason when none
// is made, the basis, the governing line (stated first) and the table's rows
// (bending, shear, bending with shear where it reduces the resistance,
// lateral-torsional buckling of the governing length), numbers with the
// decimal separator `sep`.
struct VistaVerifiche {
    std::string Motivo, Base, Governo;
    std::vector<RigaVerifica> Righe;
    FiguraSvergolamento Figura;
    RisultatoVerifiche Risultato;
};
VistaVerifiche ComponiVerifiche(const ModuloZelvo& m, const CatalogoProfili& cat,
                                const Separatori& sep);

// The report's account of the checks, one line each: the data (profile,
// dimensions, steel, fy, factors, restraints, load height), the
// classification, then per span each check with its formula and numbers
// (bending, shear, bending with shear, every buckling length with Mcr, λLT,
// χLT and Mb,Rd); empty when no check was made. Units: kN, kN·m, mm, N/mm².
std::vector<std::string> DettagliVerifiche(const VistaVerifiche& w, const DatiVerifica& v,
                                           const CatalogoProfili& cat, const Separatori& sep);

// The "Verifiche" window: its inputs write the problem's check, its outputs
// (reason, basis, governing check, table) follow every change.
class ModelloVerifiche {
  public:
    ModelloVerifiche(ModuloZelvo& m, const CatalogoProfili& cat, Separatori sep = {});

    // The catalogue's I and H profiles (IPE, HEA, HEB), in catalogue order.
    std::vector<std::string> Profili() const;
    // "S235", "S275", "S355".
    std::vector<std::string> Acciai() const;

    void ScegliProfilo(const std::string& nome); // "" : none
    void ScegliAcciaio(const std::string& nome);
    void PresetNTC2018();    // γM0 = γM1 = 1.05
    void PresetEurocodice(); // γM0 = γM1 = 1.00
    // Typed factors: false (nothing changed) unless 1 ≤ γ ≤ 2.
    bool ImpostaCoefficienti(double gM0, double gM1);
    // The factors as typed, read with the regional separators; a text that
    // is not a number or a factor out of 1 to 2 is refused with a message
    // (Msg) and nothing changes.
    bool ImpostaCoefficientiDigitati(const std::string& gM0, const std::string& gM1);
    void ImpostaRitegno(DatiVerifica::TipoRitegno r);
    // Abscissae (m) separated by ";" or blanks, read with the regional
    // separators like every typed number, sorted, repeated ones once: false
    // (nothing changed, the reason shown through Msg) when one does not read
    // or lies outside the beam.
    bool ImpostaAscisseRitegni(const std::string& testo);
    std::string TestoAscisseRitegni() const;
    void ImpostaQuota(DatiVerifica::TipoQuota q);

    // Recomputes the outputs from the problem and its results.
    void Aggiorna();
    // The separators of typed and shown numbers (the units changed).
    void ImpostaSeparatori(Separatori sep) { sep_ = std::move(sep); }

    const DatiVerifica& Dati() const { return m_.Dati.Verifica; }
    std::string Motivo;  // why no check is offered ("" when checked)
    std::string Base;    // the design actions' basis
    std::string Governo; // "Governa la campata 1: Svergolamento, utilizzo 1,230 - non verificata"
    std::vector<RigaVerifica> Righe;
    FiguraSvergolamento Figura;
    RisultatoVerifiche Risultato;
    // Without a catalogue profile, the check of the beam's own steel section
    // (TestiSezioneUtente) and its outcome.
    std::vector<std::string> TestiSezione;
    bool SezioneVerificata = true;
    // The beam's own section (none: not looked for).
    std::function<SezioneUtente()> Sezione;

    // Where refusals are shown (none: not shown).
    Messaggi* Msg = nullptr;
    // Why the problem's results are not current ("" when they are): its
    // text replaces the checks (none: the results are taken as current).
    std::function<std::string()> Attualita;

  private:
    void Rifiuta(const std::string& testo);
    ModuloZelvo& m_;
    const CatalogoProfili& cat_;
    Separatori sep_;
};

} // namespace zelvo
