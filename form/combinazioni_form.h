// The load cases and combinations dialog ("Combinazioni..." in "Opzioni")
// as a toolkit-free model: the table of the load cases, the partial factors
// with their presets, the deflection limits with their presets and the
// self-weight. The dialog edits a copy: `OK` checks every field and writes
// the problem (cases, factors, limits, self-weight) and the load tables'
// "Caso" column; closing it any other way changes nothing.
//
// Numbers are typed and shown with the regional separators, as every field
// of the main window; the self-weight is shown in the load unit.
#pragma once

#include "core/combinazioni.h"
#include "core/dati.h"
#include "core/messaggi.h"
#include "form/campo_form.h"

#include <array>
#include <string>
#include <vector>

namespace zelvo {

class ModelloForm;

// Standard gravity: the self-weight of a section is A·ρ·g.
inline constexpr double Gravita = 9.80665; // m/s²

// One row of the cases table.
struct RigaCaso {
    std::string Nome;
    TipoCaso Tipo = TipoCaso::G1;
    CategoriaQ Categoria = CategoriaQ::A; // variable cases only
    std::array<CampoForm, 3> psi;         // ψ0, ψ1, ψ2 (variable cases only)
    int Origine = -1;                     // the case's index when the dialog opened, -1 new
};

// The partial factors' fields in the order they are shown.
enum CampoGamma { G1Sfav = 0, G1Fav, G2Sfav, G2Fav, QSfav, QFav };

class FinestraCombinazioni {
  public:
    FinestraCombinazioni(ModelloForm& trave, Messaggi& msg);

    ModelloForm& Trave;
    Messaggi& Msg;

    std::vector<RigaCaso> Casi;
    std::array<CampoForm, 6> txtGamma; // by CampoGamma
    PresetFreccia Preset = PresetFreccia::SolaiGenerali;
    std::array<CampoForm, 2> txtLimiti; // L / Totale, L / Variabili
    bool chkPesoProprio = false;
    CampoForm txtPesoProprio;   // q, in the load unit
    std::string lblPesoProprio; // the load unit

    // Fills the dialog from the problem.
    void Apri();

    // --- cases table ---
    // A new case at the end: "G1", "G2" while missing, else "Q" + number.
    void AggiungiCaso();
    // Removes row r. A case that load rows still use is kept (its message
    // shown) unless it is the only case left: removing it returns the
    // problem to one without cases. False when nothing was removed.
    bool RimuoviCaso(int r);
    void ImpostaNome(int r, const std::string& nome);
    void ImpostaTipo(int r, TipoCaso t);
    // A category with tabulated ψ fills them in; I, K and Personalizzata
    // keep what is typed.
    void ImpostaCategoria(int r, CategoriaQ c);
    // ψ of row r can be typed (a variable case whose ψ are not tabulated).
    bool PsiModificabili(int r) const;
    void EditaPsi(int r, int k, const std::string& testo);
    // The load rows of the main window in the case of row r (0 for a new case).
    int RigheDelCaso(int r) const;

    // --- partial factors ---
    void PresetNTC2018();
    void PresetEN1990();

    // --- deflection limits ---
    void ScegliPreset(PresetFreccia p);
    // A typed limit: the preset becomes "Personalizzato".
    void EditaLimite(int i, const std::string& testo);

    // --- self-weight ---
    // The section defined in the section window gives the self-weight
    // (its area and density are known and positive).
    bool SezioneDisponibile() const;
    // "A = 53,8 cm², ρ = 7850 kg/m³" of that section ("" without one).
    std::string TestoSezione() const;
    // q = A·ρ·g from the section, and the check set.
    void PesoDallaSezione();

    // Checks every field (the first refused shows its message) and writes
    // the problem; false when the dialog must stay open.
    bool OK();

  private:
    void ScriviPsi(RigaCaso& riga);
    std::string Numero(double v) const;
};

// The line shown under the trapezoid table when the problem carries its
// self-weight ("Peso proprio: q = 0,422 kN/m nel caso G1"); "" without.
std::string TestoPesoProprio(const ModelloForm& trave);

} // namespace zelvo
