// Ultimate limit state checks of rolled steel members in bending about the
// major axis (NTC 2018 §4.2.4.1, EN 1993-1-1 §5.5, §6.2, §6.3.2): the steels,
// the partial factors, the cross-section resistance (classification, bending,
// shear, bending with shear) and lateral-torsional buckling, for catalogue I
// and H profiles (IPE, HEA, HEB) and, without lateral-torsional buckling,
// channels (UPN). No toolkit: windows, report and data files call this.
//
// Units: the catalogue's rows in mm; everything else in SI base units (m, N,
// N/m, N·m) except stresses in N/mm². Sign convention of the actions: M
// positive sagging, loads positive downward, x from the left end of the beam.
#pragma once

#include "core/svergolamento.h"
#include "section/sezione_profili.h"

#include <string>
#include <vector>

namespace zelvo {

// ---- materials and partial factors ----

// A structural steel (EN 10025-2, NTC 2018 Table 11.3.IX): nominal yield
// stress (N/mm²) for thicknesses t ≤ 40 mm and 40 mm < t ≤ 80 mm.
struct AcciaioStrutturale {
    const char* nome;
    double fy40, fy80;
};
// S235 235/215, S275 275/255, S355 355/335.
const std::vector<AcciaioStrutturale>& AcciaiStrutturali();
// By name, case and blanks ignored ("s 355"); none when unknown.
const AcciaioStrutturale* CercaAcciaio(const std::string& nome);
// fy (N/mm²) for the thickness t (mm); 0 beyond 80 mm (not covered).
double SnervamentoAcciaio(const AcciaioStrutturale& a, double t);

inline constexpr double ModuloElasticoAcciaio = 210000; // E, N/mm²
inline constexpr double ModuloTaglioAcciaio = 80769;    // G = E/(2·(1 + 0.3)), N/mm²

// Partial factors of the resistance of sections (γM0) and of members to
// instability (γM1).
struct CoefficientiAcciaio {
    double gM0 = 1.05, gM1 = 1.05;
};
inline constexpr CoefficientiAcciaio CoefficientiAcciaioNTC2018{1.05, 1.05};
inline constexpr CoefficientiAcciaio CoefficientiAcciaioEurocodice{1.00, 1.00};

// ---- cross-section ----

// The cross-section's resistance to major-axis bending and shear.
struct ResistenzaSezione {
    bool Valida = false; // false: not an I/H profile or channel, bad data or t > 80 mm
    double fy = 0;       // N/mm², for the thickest part (the flange)
    double epsilon = 0;  // ε = √(235/fy)
    // Classification for bending (EN 1993-1-1 Table 5.2): the web an internal
    // part in bending, c = h − 2·tf − 2·r, limits 72ε/83ε/124ε; the flange an
    // outstand in compression, c = (b − tw − 2·r)/2 for an I, b − tw − r for a
    // channel, limits 9ε/10ε/14ε. Class 4 is outside these checks.
    double cAnima = 0, cAla = 0; // mm
    int ClasseAnima = 0, ClasseAla = 0, Classe = 0;
    double Wel = 0, Wpl = 0; // mm³
    double Wy = 0;           // Wpl for class 1 and 2, Wel for class 3
    double McRd = 0;         // Wy·fy/γM0, N·m
    // Shear area (EN 1993-1-1 §6.2.6(3)): I section
    // Av = A − 2·b·tf + (tw + 2·r)·tf ≥ η·hw·tw, channel
    // Av = A − 2·b·tf + (tw + r)·tf, with hw = h − 2·tf and η = 1.0 (the
    // safe-side national choice; EN 1993-1-5 recommends 1.2 for steels up to
    // S460).
    double Av = 0, Aw = 0, hw = 0; // mm², mm², mm (Aw = hw·tw)
    double VcRd = 0;               // Vpl,Rd = Av·fy/(√3·γM0), N
    // hw/tw > 72·ε/η: shear buckling of the web to be checked (EN 1993-1-5),
    // outside these checks.
    bool ImbozzamentoTaglio = false;
};
inline constexpr double EtaTaglio = 1.0;

ResistenzaSezione ResistenzaProfilo(const RigaCatalogo& p, const AcciaioStrutturale& a, double gM0);

// Bending resistance (N·m) in presence of the shear VEd (N). Up to
// 0.5·Vpl,Rd none is lost; above it ρ = (2·VEd/Vpl,Rd − 1)² and, for class 1
// and 2, My,V,Rd = (Wpl − ρ·Aw²/(4·tw))·fy/γM0 (EN 1993-1-1 §6.2.8(5)); for
// class 3 the web's elastic share tw·hw³/(6·h) of Wel carries (1 − ρ)·fy.
// Never above McRd, never below 0. `rho` (optional) receives ρ.
double MomentoResistenteConTaglio(const ResistenzaSezione& r, const RigaCatalogo& p, double VEd,
                                  double gM0, double* rho = nullptr);

// ---- lateral-torsional buckling ----

// Reduction for lateral-torsional buckling of rolled sections
// (EN 1993-1-1 §6.3.2.3): λLT = √(Wy·fy/Mcr), curve b (h/b ≤ 2, αLT = 0.34)
// or c (h/b > 2, αLT = 0.49), λLT,0 = 0.4, β = 0.75,
// ΦLT = 0.5·[1 + αLT·(λLT − λLT,0) + β·λLT²],
// χLT = 1/(ΦLT + √(ΦLT² − β·λLT²)) ≤ 1 and ≤ 1/λLT²; χLT = 1 when
// λLT ≤ λLT,0 (§6.3.2.2(4)). The moment distribution enters through
// f = 1 − 0.5·(1 − kc)·[1 − 2·(λLT − 0.8)²] ≤ 1 and χLT,mod = χLT/f ≤ 1 and
// ≤ 1/λLT².
struct RiduzioneSvergolamento {
    double lambdaLT = 0, alfaLT = 0, phiLT = 0, chiLT = 1, kc = 1, f = 1, chiLTmod = 1;
};
RiduzioneSvergolamento RiduzioneLT(double Wy, double fy, double Mcr, double hSuB, double kc);

// ---- member ----

// Where the loads act on the section: top flange, centroid (= shear centre of
// a doubly symmetric profile), bottom flange.
enum class QuotaCarico : int { Superiore, Baricentro, Inferiore };

// Lateral restraint of the compression flange: only at the supports, also at
// given abscissae, or continuous along the whole beam (no lateral-torsional
// buckling).
enum class RitegnoLaterale : int { Appoggi, Puntuali, Continuo };

// A span or an overhang. A span is fork-supported at both ends (lateral
// displacement and twist prevented, warping and lateral rotation free); an
// overhang is fixed at its support (also warping and lateral rotation
// prevented: the backspan's restraint taken as full) and free at its tip.
enum class TipoTratto : int { Campata, SbalzoSinistro, SbalzoDestro };

// Design actions at one abscissa x (m) of the beam: M (N·m), V (N).
struct SollecitazioneAcciaio {
    double x = 0, M = 0, V = 0;
};

struct TrattoAcciaio {
    double x0 = 0, x1 = 0; // m
    TipoTratto Tipo = TipoTratto::Campata;
    // The design actions at the calculation points of this span, x0 ≤ x ≤ x1
    // (the same x may appear twice, left and right of a point load). Between
    // the points M is taken as linear.
    std::vector<SollecitazioneAcciaio> Punti;
};

// The transverse loads of the design situation (N/m and N, positive
// downward, x in m), in the same proportion as the actions: they give the
// load-height term of lateral-torsional buckling.
struct RipartitoAcciaio {
    double x0 = 0, x1 = 0, q0 = 0, q1 = 0;
};
struct ConcentratoAcciaio {
    double x = 0, P = 0;
};

struct DatiVerificaAcciaio {
    RigaCatalogo Profilo; // a catalogue row (with It and Iw for I and H)
    std::string Acciaio = "S235";
    CoefficientiAcciaio Coefficienti = CoefficientiAcciaioNTC2018;
    RitegnoLaterale Ritegno = RitegnoLaterale::Appoggi;
    std::vector<double> Ritegni; // abscissae (m) of the restraints, with Puntuali
    QuotaCarico Quota = QuotaCarico::Superiore;
    std::vector<TrattoAcciaio> Tratti;
    std::vector<RipartitoAcciaio> Ripartiti;
    std::vector<ConcentratoAcciaio> Concentrati;
};

// The checks, ordered as they govern when their utilisations are equal.
enum class ControlloAcciaio : int { Nessuno, Flessione, Taglio, Svergolamento, FuoriAmbito };

// Why a member is outside these checks.
enum class MotivoFuoriAmbito : int {
    Nessuno,
    DatiNonValidi,       // unknown steel, not an I/H/channel profile, bad spans, t > 80 mm
    Classe4,             // slender section
    ImbozzamentoAnima,   // web shear buckling (hw/tw > 72ε/η)
    SvergolamentoCanale, // a channel's lateral-torsional buckling (load off the shear centre)
    CalcoloInstabilita,  // the buckling analysis failed
};

// One length between lateral restraints (or the overhang).
struct SegmentoAcciaio {
    double x0 = 0, x1 = 0;
    double MEd = 0; // max |M| along it, N·m
    double Mcr = 0; // elastic critical moment at the section of MEd, N·m (0: cannot buckle)
    double C1 =
        1; // Mcr with the loads at the shear centre over the uniform-moment Mcr; 0 for an overhang
    RiduzioneSvergolamento Riduzione;
    double MbRd = 0;     // χLT,mod·Wy·fy/γM1, N·m
    double Utilizzo = 0; // MEd/MbRd
    int Elementi = 0;    // elements of the buckling mesh
    // The critical mode of the analysed length (this one in a span, the
    // whole overhang for an overhang's lengths), x in beam abscissae (m);
    // empty when it cannot buckle.
    std::vector<PuntoFormaSvergolamento> Forma;
};

struct EsitoTrattoAcciaio {
    double x0 = 0, x1 = 0;
    TipoTratto Tipo = TipoTratto::Campata;
    double MEd = 0, xM = 0; // max |M| and where, N·m, m
    double VEd = 0, xV = 0; // max |V| and where, N, m
    // Bending with shear: the governing point (largest |M|/MV,Rd), its
    // shear, ρ and reduced resistance.
    double xMV = 0, MEdMV = 0, VEdMV = 0, rho = 0, MVRd = 0;
    bool InterazioneMV = false; // somewhere VEd > 0.5·Vpl,Rd
    double UtilizzoFlessione = 0, UtilizzoTaglio = 0, UtilizzoSvergolamento = 0;
    std::vector<SegmentoAcciaio> Segmenti; // empty when restrained continuously
    ControlloAcciaio Governo = ControlloAcciaio::Nessuno;
    double Utilizzo = 0; // the largest of the three
    bool Verificata = false;
};

struct EsitoVerificaAcciaio {
    bool Valido = false; // the checks could be made (see Motivo otherwise)
    MotivoFuoriAmbito Motivo = MotivoFuoriAmbito::Nessuno;
    ResistenzaSezione Sezione;
    double zg = 0; // load height above the shear centre used, m
    std::vector<EsitoTrattoAcciaio> Tratti;
    int TrattoGovernante = -1; // index in Tratti, -1 when none
    ControlloAcciaio Governo = ControlloAcciaio::Nessuno;
    double Utilizzo = 0;
    bool Verificata = false;
};

// Checks the member. Bending and shear at every calculation point;
// lateral-torsional buckling for every length between restraints: a span's
// lengths are fork-supported at their ends (each on its own, the restraint
// from the neighbours neglected, on the safe side), an overhang is analysed
// whole (fixed at the support, free at the tip, intermediate restraints as
// forks; a restraint at the tip makes it a fork). The geometric stiffness of
// a length is built from the actual signed M(x) of the design situation,
// linear between the points, with the loads on it at the load height: one
// design situation per call (for an envelope, call once for each combination
// that governs). Mcr is the critical load factor times the length's max |M|;
// kc = 1/√C1 with C1 from a second analysis with the loads at the shear
// centre (an overhang: kc = 1).
EsitoVerificaAcciaio VerificaAcciaio(const DatiVerificaAcciaio& d);

// Name of a check for messages ("bending", ...): "Flessione", "Taglio",
// "Svergolamento", "Fuori ambito", "" for Nessuno.
const char* NomeControlloAcciaio(ControlloAcciaio c);

} // namespace zelvo
