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
#include "io/numeri.h"
#include "section/sezione_profili.h"
#include "section/verifica_acciaio.h"

#include <string>
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

// The reason a member is outside the checks, as the window shows it.
std::string TestoMotivoFuoriAmbito(MotivoFuoriAmbito m);

// One row of the checks' table: a check of a span.
struct RigaVerifica {
    std::string Campata;    // "1", "2 (sbalzo)"
    std::string Controllo;  // "Flessione", "Flessione e taglio", "Taglio", "Svergolamento"
    std::string Azione;     // "MEd = 90,00 kN·m"
    std::string Resistenza; // "Mc,Rd = 140,64 kN·m"
    double Utilizzo = 0;
    std::string TestoUtilizzo; // "0,640"
    bool Rosso = false;        // utilisation above 1
    std::string Esito;         // "verificata", "non verificata"
};

// What the window and the report show of the checks: the reason when none
// is made, the basis, the governing line (stated first) and the table's rows
// (bending, shear, bending with shear where it reduces the resistance,
// lateral-torsional buckling of the governing length), numbers with the
// decimal separator `sep`.
struct VistaVerifiche {
    std::string Motivo, Base, Governo;
    std::vector<RigaVerifica> Righe;
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
    void ImpostaRitegno(DatiVerifica::TipoRitegno r);
    // Abscissae (m) separated by ";" or blanks: false (nothing changed) when
    // one does not read or lies outside the beam.
    bool ImpostaAscisseRitegni(const std::string& testo);
    std::string TestoAscisseRitegni() const;
    void ImpostaQuota(DatiVerifica::TipoQuota q);

    // Recomputes the outputs from the problem and its results.
    void Aggiorna();

    const DatiVerifica& Dati() const { return m_.Dati.Verifica; }
    std::string Motivo;  // why no check is offered ("" when checked)
    std::string Base;    // the design actions' basis
    std::string Governo; // "Governa la campata 1: Svergolamento, utilizzo 1,230 - non verificata"
    std::vector<RigaVerifica> Righe;
    RisultatoVerifiche Risultato;

  private:
    ModuloZelvo& m_;
    const CatalogoProfili& cat_;
    Separatori sep_;
};

} // namespace zelvo
