// Beam on Winkler soil: finite elements on lumped nodal springs.
//
// The beam of length L is cut into n equal Euler–Bernoulli elements; every
// node carries one vertical spring holding the soil under half of each
// adjacent element. Degrees of freedom: node i has its translation at 2i−1
// and its rotation (dw/dx) at 2i.
//
// Model sign: translations, nodal loads and the solution are positive
// upward (against the user's loads); the caller passes every load negated
// and `SpostamentoW` turns the sign back (positive into the soil).
//
// The global matrices are banded (three diagonals each side) and held in
// LAPACK band storage; the dense solver remains as a switch for small models.
#pragma once

#include "banda.h"
#include "dati.h"
#include "messaggi.h"
#include "tabella.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace zelvo {

class ModuloZelvo;

// 4×4 element matrix, 1-based (r, c).
struct Matrice4 {
    double a[4][4] = {};
    double& operator()(int r, int c) { return a[r - 1][c - 1]; }
    double operator()(int r, int c) const { return a[r - 1][c - 1]; }
};

// Which LAPACK routine solves the model.
enum class SolutoreW {
    Banda, // dgbsv on the band storage (any size)
    Densa, // dgesv on the full matrix (small models only, see MaxElementiDensa)
};

inline constexpr const char* TestoSistemaNonRisolvibile = "Sistema non risolvibile";

class TraveWinkler {
  public:
    // Largest mesh the model takes: NumGdl = 2·(n+1) must fit 16 bits.
    static constexpr int MaxElementi = 16382;
    // The dense solver is refused above this many elements.
    static constexpr int MaxElementiDensa = 400;

    // ---- data (read by the driver, the deflection line and the diagrams) ----
    double EJ = 0;
    double L = 0;
    double kWinkler = 0;
    double bWinkler = 0;
    int16_t nWinkler = 0;
    int16_t NumGdl = 0;
    Vettore1<double> x;             // node abscissae 1..n+1
    Vettore1<double> ForzeNodali;   // 1..n+1
    Vettore1<double> MomentiNodali; // 1..n+1
    MatriceBanda MKTrave;           // beam elements alone
    MatriceBanda MKW;               // with the active springs
    Vettore1<double> MNW;           // load vector 1..NumGdl
    Vettore1<double> Spostamenti;   // solution 1..NumGdl
    Vettore1<double> RigidezzaMolle;

    // Solver switch (banded by default).
    SolutoreW Solutore = SolutoreW::Banda;
    // Passes of the no-tension iteration before it gives up unsettled. A
    // banded solve costs milliseconds, and a long slender footing may need
    // a few dozen passes for its contact zone to settle.
    int PassiMassimi = 200;

    // ---- operations ----

    // Stores the data, EJ = E·JW formed in single precision, NumGdl =
    // 2·(n+1), every array afresh (zeros) and the mesh. A mesh that does not
    // fit (n < 1, NumGdl overflow, a zero or non-finite element) is a fault.
    void InizializzaWinkler(int nW, double kW, double bW, float E, float JW, float Luce);

    // Assembles and solves; with `ReagTraz` false runs the no-tension
    // iteration, calling `iterazione(r)` at the start of every pass r.
    // Returns false after "Sistema non risolvibile" (the solution is not
    // valid); when `PassiMassimi` passes did not settle, the pass counter
    // (`PassiMassimi` + 1) is shown and the last solution stands (true).
    bool RisolveW(bool ReagTraz, Messaggi& msg, const std::function<void(int)>& iterazione = {});

    // Node abscissae x(1..n+1) of the mesh of n equal elements over Luce
    // (re-sized here). n < 1 or a zero element is a fault.
    static void NodiMesh(Vettore1<double>& x, float Luce, int n);

    // Equivalent nodal loads (model sign) of a force, a couple, a
    // trapezoid q1 at d1 .. q2 at d2.
    void AzioniConcentrati(double F, double d);
    void AzioniCoppie(double W, double d);
    void AzioniTrapezio(double q1, double q2, double d1, double d2);

    // MKTrave, spring stiffnesses, MKW with every spring active, MNW.
    void AssemblaMatriciW();
    // All element matrices into the given global matrix.
    void AssemblaMKW(MatriceBanda& K) const;
    // Element iEl of length Le into the global matrix.
    static void AssemblaMKWel(MatriceBanda& K, double EJ, double Le, int iEl);
    // Element matrix for rigidity EJ and element length Le.
    static void MK_ElemLocaleW(Matrice4& ST, double EJ, double Le);
    // Global positions of the four degrees of freedom of element iEl.
    static void VettorePosizionamentoW(std::array<int, 4>& NCODE, int iEl);

    // Solves A·x = B with the chosen solver; A and B unchanged. On a
    // singular system (INFO ≠ 0) shows "Sistema non risolvibile" and returns
    // false. A non-finite solution is a fault.
    bool SolveW(const MatriceBanda& A, const Vettore1<double>& B, int n, Vettore1<double>& X,
                Messaggi& msg);

    // Settlement of node i (positive into the soil).
    double SpostamentoW(int i) const;
    // Spring forces as concentrated loads (rows 1..n+1 of the caller's
    // table): F = −settlement·stiffness, d = node abscissa; with NoTension,
    // 0 for a node whose spring was off in the last solve of the no-tension
    // iteration (for a lifted node when no iteration ran), so that the rows
    // are the forces that solve balanced.
    void ReazioniMolle(Vettore1<RigaMolla>& CarConc, bool NoTension) const;
    // Abscissa of node i.
    double xMolla(int i) const;

    // Springs active in MKW (stiffness > 0 and not switched off).
    int MolleAttive() const { return molleAttive_; }
    // Pass counter of the last iteration (0 when it did not run;
    // `PassiMassimi` + 1 when it did not settle) and number of solves of the
    // last RisolveW.
    int Passi() const { return passi_; }
    int Risoluzioni() const { return risoluzioni_; }

  private:
    void TrapezioElementoW(int i, double q1, double q2, double d1, double d2);
    void RigidezzaMolleW();
    // MKW = MKTrave plus the springs; with NoTension a lifted node's spring
    // stays out.
    void AssemblaMolleW(bool NoTension);
    void AssemblaCarichiW();
    static void SimmetrizzaW(Matrice4& ST);
    // Element whose left node is the last at or before d (n+1 on the last
    // node); a position in the round-off gap between the last node and L
    // belongs to the last element.
    int ElementoDi(double d) const;
    // Adds the four nodal values of element i.
    void AggiungiNodali(int i, double R1, double M1, double R2, double M2);
    // Solves MKW·Spostamenti = MNW; false on failure (message shown).
    bool RisolviStato(Messaggi& msg);
    // True when the nodes lifting in the current solution are exactly those
    // whose springs were off in the solve that produced it.
    bool StatoAssestato() const;
    // The spring of node i was switched off in the last assembly.
    bool MollaSpenta(int i) const;
    // Residual of the current solution and its iterative refinement.
    void Residuo(Vettore1<double>& r) const;
    bool Affina(Messaggi& msg);

    FattoriLU fattori_; // of the last solve
    int molleAttive_ = 0;
    std::vector<char> spente_; // springs switched off in the last assembly
    bool iterata_ = false;     // the last RisolveW ran the no-tension iteration
    int passi_ = 0;
    int risoluzioni_ = 0;
};

// The driver's elastic-soil hand-off: builds the model from m.Dati (loads
// negated: forces, couples, trapezoids), solves it, fills m.Risultati.Molle
// and appends the spring rows to m.Dati.CarichiConcentrati (raising
// NConcentrati). Returns false when the calculation must end (its message
// has been shown). Faults (bad mesh size, K, b, E·J or span ≤ 0, a load
// beyond the span, overflow) throw Guasto.
bool PreparaSuoloElastico(ModuloZelvo& m, Messaggi& msg);

// The spring reactions of r.Molle as concentrated-load rows (in single
// precision, the last one at the end B, x = luce).
Vettore1<CaricoConcentrato> RigheMolle(const RisultatiTrave& r, float luce);

// Position of a spring's load row: the node abscissa x in single precision,
// luce for the last node.
float PosizioneMolla(double x, bool ultima, float luce);

} // namespace zelvo
