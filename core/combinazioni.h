// Load cases, combinations and envelopes.
//
// Combinations (NTC 2018 §2.5.3, EN 1990 6.4.3.2 (6.10) and 6.5.3):
//   SLU (fundamental)       Σ γG·G + γQ·Qk1 + Σ γQ·ψ0i·Qki
//   Rara (characteristic)   Σ G + Qk1 + Σ ψ0i·Qki
//   Frequente               Σ G + ψ11·Qk1 + Σ ψ2i·Qki
//   QuasiPermanente         Σ G + Σ ψ2i·Qki
// each variable case leading in turn. Each permanent kind (G1, G2) acts on
// the whole beam with one factor, unfavourable or favourable, chosen
// independently for G1 and for G2 (1 in the serviceability combinations).
// Each variable case acts span by span, on or off independently on each span
// (pattern loading; a load that crosses a support is split there); on a
// single-span scheme the span is the whole beam.
//
// Linear schemes (single spans, continuous beams): the envelope is the exact
// largest and smallest value over every combination and every pattern,
// found by superposition of each case's share on each span, so that its cost
// grows as cases × spans × points. Imposed settlements act in every
// combination with factor 1 and not in the deflection of the variable loads.
// Foundations are not linear: each combination is calculated on its own
// (whole cases, no pattern loading: G unfavourable, every variable case
// present, each leading in turn) and the envelope taken over those results.
//
// Units and signs as in dati.h.
#pragma once

#include "dati.h"
#include "messaggi.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace zelvo {

// ψ0, ψ1, ψ2 of a category (NTC 2018 Table 2.5.I); false for the categories
// whose ψ are typed (I, K, Personalizzata).
struct CoefficientiPsi {
    double psi0 = 0, psi1 = 0, psi2 = 0;
};
bool PsiCategoria(CategoriaQ c, CoefficientiPsi& psi);
// The category's name as the windows and the report show it, e.g.
// "A - Ambienti ad uso residenziale", "Neve (quota ≤ 1000 m)", "Personalizzata".
std::string NomeCategoria(CategoriaQ c);
// "G1", "G2", "Q".
const char* NomeTipoCaso(TipoCaso t);

// Presets of the partial factors.
CoefficientiParziali CoefficientiNTC2018();
CoefficientiParziali CoefficientiEN1990(); // (6.10): γG 1.35 / 1.0, γQ 1.5 / 0

// Presets of the deflection limits (Circolare 2019, C4.1.2.2.2).
enum class PresetFreccia {
    SolaiGenerali, // floors in general: 250 / 300
    Coperture,     // roofs: 200 / 250
    SolaiFragili,  // floors carrying brittle finishes or partitions: 250 / 350
    SolaiPilastri, // floors carrying columns: 400 / 500
    Personalizzato
};
LimitiFreccia LimitiPreset(PresetFreccia p); // Personalizzato: 250 / 300
std::string NomePreset(PresetFreccia p);

// The cases as the calculation uses them: `Casi`, plus a G1 case named
// "Peso proprio" at the end when `PesoProprio` is set and no G1 case exists.
// `CasoPesoProprio` is the index of the case the self-weight belongs to
// (the first G1 case), -1 without self-weight.
std::vector<CasoCarico> CasiConPesoProprio(const DatiTrave& d, int* CasoPesoProprio = nullptr);

enum class TipoCombinazione { SLU = 0, Rara = 1, Frequente = 2, QuasiPermanente = 3 };
inline constexpr int NumeroTipiCombinazione = 4;
// "SLU", "Rara", "Frequente", "QuasiPermanente" (the JSON keys).
const char* ChiaveCombinazione(TipoCombinazione t);
// "SLU", "Rara", "Frequente", "Quasi permanente" (what the windows show).
const char* NomeCombinazione(TipoCombinazione t);

// The governing combination of one extreme.
struct Governo {
    TipoCombinazione Tipo = TipoCombinazione::SLU;
    int Dominante = -1; // leading variable case (index in the cases), -1 none
    bool G1Sfavorevole = true, G2Sfavorevole = true;
    // For every case (index in the cases): the 0-based spans on which it is
    // loaded (all spans for a permanent case; empty for a variable case off).
    std::vector<std::vector<int>> Campate;
    bool operator==(const Governo&) const = default;
};
// "SLU, Q1 dominante, G1 sfav., G2 fav., Q1 campate 1 3, Q2 campata 2"
// (spans numbered from 1; case names as the user typed them).
std::string TestoGoverno(const Governo& g, const std::vector<CasoCarico>& casi);

// Quantities enveloped.
enum class GrandezzaInviluppo { M = 0, V = 1, f = 2 };

// One quantity's envelope over the calculation points.
struct CurvaInviluppo {
    std::vector<double> Max, Min;
};

struct Inviluppo {
    std::array<CurvaInviluppo, 3> Curve; // by GrandezzaInviluppo
    // Per support (continuous beam: its supports; single span: A and B;
    // foundation: none): upward reaction and the beam's moment over it.
    std::vector<double> RMax, RMin, MAppMax, MAppMin;
};

// The deflection check of one span. The deflection is measured from the
// span's supports, so that settlements and the rigid movement of the span
// do not count: from the chord joining the displacements of its two ends;
// on an overhang or cantilever (a free end) from its support's
// displacement, the rotation over the support included (the tip drops
// against the support's level). f is the largest magnitude of the
// characteristic (Rara) envelope of that deflection over the span's points;
// f2 the same with only the variable loads (no permanent case, no
// settlement).
struct VerificaFreccia {
    int Campata = 0;   // 0-based
    double L = 0;      // the span length the limit applies to (twice an overhang or cantilever)
    double f = 0;      // largest deflection of the characteristic combination (magnitude)
    double xf = 0;     // its abscissa
    double f2 = 0;     // largest deflection of the variable loads alone (magnitude)
    double LsuF = 0;   // L / f (0 when f = 0: nothing to check)
    double LsuF2 = 0;  // L / f2
    double Limite = 0; // the limits used (L / Limite, L / Limite2)
    double Limite2 = 0;
    bool Verificata = true; // both f ≤ L/Limite and f2 ≤ L/Limite2
};

class RisultatiCombinazioni {
  public:
    bool Calcolato = false;
    std::vector<CasoCarico> Casi; // as calculated (self-weight case included)

    // The calculation points: abscissae from the left end; at a
    // discontinuity two points share the abscissa, the left value first.
    std::vector<double> x;
    std::vector<int> Campata; // 0-based span of each point

    // Each case alone, unfactored, at the points: M, V, f by GrandezzaInviluppo, and
    // per support the reaction and moment.
    struct Caso {
        std::array<std::vector<double>, 3> Valori;
        std::vector<double> R, MApp;
    };
    std::vector<Caso> PerCaso;

    std::array<Inviluppo, NumeroTipiCombinazione> Inviluppi;
    std::vector<VerificaFreccia> Frecce;

    // The combination giving the largest (massimo) or smallest value of a
    // quantity at point i.
    Governo GovernoPunto(TipoCombinazione t, GrandezzaInviluppo g, int i, bool massimo) const;
    // The same for a support's reaction (momento = false) or moment.
    Governo GovernoAppoggio(TipoCombinazione t, int appoggio, bool momento, bool massimo) const;

    // Internal data of the superposition (per case, per span shares) kept
    // for `Governo...`; filled by the calculation.
    struct Dettaglio;
    std::shared_ptr<const Dettaglio> Interno;
};

// Calculates every case and every envelope of `d` (which has cases).
// Refused data show their message and leave Calcolato false; a run-time
// fault throws Guasto.
RisultatiCombinazioni CalcolaCombinazioni(const DatiTrave& d, Messaggi& msg);

// Appends the self-weight to the trapezoid table as one row over the whole
// beam in its case (nothing without self-weight, or when it is zero).
void AggiungiPesoProprio(DatiTrave& d);

} // namespace zelvo
