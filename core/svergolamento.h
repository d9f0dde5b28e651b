// Elastic lateral-torsional buckling of a prismatic beam segment with a
// doubly symmetric thin-walled open section: the critical load factor of the
// in-plane loads by finite elements. No section knowledge: the segment is
// described by its stiffnesses, its length, the in-plane bending moment along
// it and the loads that produce it.
//
// Units: SI base units (m, N, N/m, N·m, N·m², N·m⁴).
//
// Model (Vlasov's theory of thin-walled beams, small displacements from the
// in-plane state): v is the lateral displacement of the shear centre, φ the
// twist. The total potential of the buckled shape is
//   Π = ½∫(EIz·v''² + GIt·φ'² + EIw·φ''²)dx + λ·[∫M·v''·φ dx
//       − ½·zg·(∫q·φ² dx + Σ P·φ(xP)²)]
// with M the in-plane moment (any sign convention: the buckling load does not
// depend on the sign of M), q and P the transverse loads, positive when they
// act downward, and zg the height of their point of application above the
// shear centre: a load above the shear centre (on the top flange, zg > 0)
// falls as the section twists and lowers the critical load, one below it
// (zg < 0) raises it. Each element carries cubic Hermite shapes for v and for
// φ (nodal unknowns v, v', φ, φ'); the integrals are taken by 4-point Gauss
// quadrature, so M and q may vary freely along an element. The eigenproblem
// (Ke + λ·Kg)·u = 0 is solved as −Kg·u = μ·Ke·u (Ke positive definite once the
// end conditions are applied; LAPACK dsygv) and λ = 1/μ for the largest
// positive μ: the smallest positive load factor.
//
// End conditions: a fork (v = φ = 0, free lateral rotation and free warping)
// or a fixed end (v = v' = φ = φ' = 0) or a free end (nothing restrained).
#pragma once

#include <functional>
#include <vector>

namespace zelvo {

enum class EstremoSvergolamento : int { Forcella, Incastro, Libero };

// A point load P (N, positive downward) at abscissa x of the segment.
struct ForzaSvergolamento {
    double x = 0, P = 0;
};

struct SegmentoSvergolamento {
    double EIz = 0; // lateral (minor-axis) flexural stiffness, N·m²
    double GIt = 0; // St Venant torsional stiffness, N·m²
    double EIw = 0; // warping stiffness, N·m⁴
    double L = 0;   // length, m
    // In-plane moment M(x), 0 ≤ x ≤ L (N·m), proportional to the loads.
    std::function<double(double)> Momento;
    // Distributed transverse load q(x) (N/m, positive downward) and point
    // loads producing M; only their load-height term uses them (none: no
    // load-height effect).
    std::function<double(double)> Distribuito;
    std::vector<ForzaSvergolamento> Concentrati;
    // Height of the loads' point of application above the shear centre (m).
    double zg = 0;
    EstremoSvergolamento Inizio = EstremoSvergolamento::Forcella;
    EstremoSvergolamento Fine = EstremoSvergolamento::Forcella;
    // Intermediate lateral restraints acting as forks (v = φ = 0) at these
    // abscissae, 0 < x < L (a cantilever braced along its length).
    std::vector<double> Ritegni;
    // Number of elements; 0 refines the mesh (8, 16, 32, ... up to 128
    // elements) until the load factor changes by less than 1e-4 relative
    // between two meshes.
    int Elementi = 0;
};

// The buckled shape at a node of the mesh: abscissa (m), lateral
// displacement v of the shear centre and twist φ (rad), both in the
// proportion of the eigenvector.
struct PuntoFormaSvergolamento {
    double x = 0, v = 0, phi = 0;
};

struct EsitoSvergolamento {
    // false: invalid data (non-positive length or stiffness, a segment
    // without enough restraint) or LAPACK failed.
    bool Valido = false;
    // false: no positive load factor (the loads cannot buckle the segment,
    // e.g. M = 0 everywhere); Fattore and Mcr are then 0.
    bool Instabile = false;
    double Fattore = 0; // the critical load factor λcr
    double Mmax = 0;    // max |M(x)| over the segment (at the Gauss points and ends)
    double Mcr = 0;     // λcr·Mmax, N·m
    int Elementi = 0;   // elements of the mesh that gave the result
    bool Convergente =
        false; // the last refinement changed λcr by < 1e-4 (always true for a fixed mesh)
    // The critical mode at the nodes (FormaSvergolamento); empty until asked.
    std::vector<PuntoFormaSvergolamento> Forma;
};

// The critical load factor of the segment.
EsitoSvergolamento CalcolaSvergolamento(const SegmentoSvergolamento& s);

// Fills e.Forma with the critical mode of `s` on the mesh that gave `e`
// (e from CalcolaSvergolamento(s)), normalised to max |v| = 1 with the
// largest v positive, the abscissae shifted by x0 (the segment's start on
// the beam); empty when e has no positive load factor.
void FormaSvergolamento(const SegmentoSvergolamento& s, EsitoSvergolamento& e, double x0 = 0);

// The closed form for a fork-supported segment under uniform moment:
// Mcr = (π²·EIz/L²)·√(Iw/Iz + L²·GIt/(π²·EIz)), written with the stiffnesses
// as √((π²EIz/L²)·(GIt + π²EIw/L²)). 0 for invalid data.
double McrMomentoUniforme(double EIz, double GIt, double EIw, double L);

} // namespace zelvo
